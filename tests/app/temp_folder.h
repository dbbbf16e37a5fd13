// A fresh folder below the system's temporary folder, removed with its
// contents when the test ends.
#ifndef KORLAN_TESTS_FILECMD_TEMP_ORDNER_H
#define KORLAN_TESTS_FILECMD_TEMP_ORDNER_H

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

class TempOrdner {
public:
    TempOrdner()
    {
        static int zaehler = 0;
        const auto t = std::chrono::steady_clock::now().time_since_epoch().count();
        pfad_ = std::filesystem::temp_directory_path() /
                ("korlan_filecmd_" + std::to_string(t) + "_" + std::to_string(++zaehler));
        std::filesystem::create_directories(pfad_);
    }
    ~TempOrdner()
    {
        std::error_code ec;
        std::filesystem::permissions(pfad_ / "dexfoil.dat", std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(pfad_, ec);
    }
    TempOrdner(const TempOrdner&) = delete;
    TempOrdner& operator=(const TempOrdner&) = delete;

    // The folder without a trailing backslash, as the program folder is kept.
    std::string Ordner() const { return pfad_.string(); }
    std::string Datei(const std::string& name) const { return (pfad_ / name).string(); }

private:
    std::filesystem::path pfad_;
};

inline std::string LiesBytes(const std::string& pfad)
{
    std::ifstream in(pfad, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void SchreibeBytes(const std::string& pfad, const std::string& inhalt)
{
    std::ofstream out(pfad, std::ios::binary);
    out << inhalt;
}

// The lines of a text file with their line ends ("\r\n" or "\n") removed.
inline std::vector<std::string> LiesZeilen(const std::string& pfad)
{
    std::vector<std::string> zeilen;
    const std::string b = LiesBytes(pfad);
    std::string z;
    for (char c : b) {
        if (c == '\n') {
            if (!z.empty() && z.back() == '\r') z.pop_back();
            zeilen.push_back(z);
            z.clear();
        } else {
            z.push_back(c);
        }
    }
    if (!z.empty()) zeilen.push_back(z);
    return zeilen;
}

#endif
