// The multi-scan splitter.
#include "spectra/scan_split.h"

#include <cstdio>

namespace {

// One line with its line end; false at the end of the file.
bool LiesZeile(std::FILE* f, std::string* zeile)
{
    zeile->clear();
    int c;
    while ((c = std::fgetc(f)) != EOF) {
        zeile->push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    return !zeile->empty();
}

bool Leer(const std::string& zeile)
{
    for (char c : zeile)
        if (c != '\r' && c != '\n' && c != ' ' && c != '\t') return false;
    return true;
}

}  // namespace

std::string ScanDateiName(const std::string& pfad, int32_t k)
{
    return pfad + "_" + std::to_string(k);
}

int32_t TeileScans(const std::string& pfad, std::vector<std::string>* dateien)
{
    std::FILE* f = std::fopen(pfad.c_str(), "rb");
    if (!f) return -1;
    std::string zeile;
    bool da;
    while ((da = LiesZeile(f, &zeile)) && zeile.compare(0, 2, "#S") != 0) {
    }
    int32_t k = 0;
    while (da) {
        const std::string name = ScanDateiName(pfad, ++k);
        std::FILE* aus = std::fopen(name.c_str(), "wb");
        if (!aus) {
            std::fclose(f);
            return -2;
        }
        if (dateien) dateien->push_back(name);
        bool ok = true;
        // The scan runs to the empty line that ends it, its last line included.
        do {
            ok = ok && std::fwrite(zeile.data(), 1, zeile.size(), aus) == zeile.size();
        } while ((da = LiesZeile(f, &zeile)) && !Leer(zeile));
        if (std::fclose(aus) != 0 || !ok) {
            std::fclose(f);
            return -2;
        }
        // Further empty lines between scans are skipped.
        while (da && Leer(zeile)) da = LiesZeile(f, &zeile);
    }
    std::fclose(f);
    return k;
}
