// Shared pieces of the XAS data tests: the program's McMaster table, the
// fixture folders and a temporary folder.
#ifndef KORLAN_TESTS_XAS_TEST_SUPPORT_H
#define KORLAN_TESTS_XAS_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "xas/mcmaster.h"

inline std::string MucalPfad() { return KORLAN_TEST_DIR "/../app/resources/program/mucal.dat"; }
inline std::string Feff85Ordner() { return KORLAN_TEST_DIR "/xas_native/data/cu_feff85_noSCF/"; }
inline std::string Feff6Ordner() { return KORLAN_TEST_DIR "/xas_native/data/cu_feff6_larch/"; }

inline std::string LiesDatei(const std::string& pfad)
{
    std::ifstream in(pfad, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void SchreibeDatei(const std::string& pfad, const std::string& inhalt)
{
    std::ofstream(pfad, std::ios::binary) << inhalt;
}

// The program's McMaster table, read once.
inline const double* McMasterTabelle()
{
    static std::vector<double> tabelle = [] {
        std::vector<double> t(MCMASTER_WERTE, 0.0);
        if (LeseMucalDatei(MucalPfad(), t.data()) != 1) t.clear();
        return t;
    }();
    return tabelle.empty() ? nullptr : tabelle.data();
}

// A fresh folder, removed with its contents at the end of the test.
class TempOrdner {
public:
    TempOrdner()
    {
        static int zaehler = 0;
        const auto t = std::chrono::steady_clock::now().time_since_epoch().count();
        pfad_ = std::filesystem::temp_directory_path() /
                ("korlan_xas_" + std::to_string(t) + "_" + std::to_string(++zaehler));
        std::filesystem::create_directories(pfad_);
    }
    ~TempOrdner()
    {
        std::error_code ec;
        std::filesystem::remove_all(pfad_, ec);
    }
    TempOrdner(const TempOrdner&) = delete;
    TempOrdner& operator=(const TempOrdner&) = delete;

    std::string Datei(const std::string& name) const { return (pfad_ / name).string(); }

private:
    std::filesystem::path pfad_;
};

#endif
