#include "shell/options_file.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "shell/settings.h"

namespace {

std::vector<std::string> Felder(const std::string& zeile)
{
    std::vector<std::string> felder;
    std::size_t pos = 0;
    for (;;) {
        std::size_t komma = zeile.find(',', pos);
        felder.push_back(zeile.substr(pos, komma == std::string::npos ? std::string::npos : komma - pos));
        if (komma == std::string::npos) break;
        pos = komma + 1;
    }
    return felder;
}

}  // namespace

int32_t KPunkteAusWert(double wert)
{
    // Above 2^30 the doubling would leave the int32 range.
    if (!(wert > 2.0) || wert > 1073741824.0) return 1024;
    int32_t p = 2;
    while (p < wert) p *= 2;
    return p < 9 ? 1024 : p;
}

int32_t SchreibeOptionen(std::FILE* datei, const OPTIONEN_ZIELE& z)
{
    const EXAFS_OPTIONEN& e = *z.Exafs;
    std::fprintf(datei, "%G,%G,%d,%d,%d,%.8G\n", e.MaxR, e.RSchritt, static_cast<int>(e.KPunkte),
                 static_cast<int>(e.Einheiten), static_cast<int>(e.KalibrierQuelle), e.LcGrenze);
    std::fprintf(datei, "%d,%d,%d,%d,%d\n", static_cast<int>(z.FitErneuerung[0]),
                 static_cast<int>(z.FitErneuerung[1]), static_cast<int>(z.FitZusatz[0]),
                 static_cast<int>(z.FitZusatz[1]), static_cast<int>(*z.KopierGroesse));
    std::fprintf(datei, "%d,%s,%s\n", static_cast<int>(*z.BinaerSpeichern), z.DateiFilter,
                 z.DatenOrdner);
    return 1;
}

int32_t LeseOptionen(std::FILE* datei, const OPTIONEN_ZIELE& z)
{
    std::string zeile;
    if (!LeseZeile(datei, zeile)) return 1;
    std::vector<std::string> f = Felder(zeile);
    auto zahl = [&f](std::size_t i) { return i < f.size() ? std::atof(f[i].c_str()) : 0.0; };
    EXAFS_OPTIONEN& e = *z.Exafs;
    e.MaxR = zahl(0) > 0.0 ? zahl(0) : 7.0;
    e.RSchritt = zahl(1) > 0.0 ? zahl(1) : 0.04;
    e.KPunkte = KPunkteAusWert(zahl(2));
    if (f.size() > 3) e.Einheiten = static_cast<int32_t>(std::atol(f[3].c_str()));
    if (f.size() > 4) e.KalibrierQuelle = static_cast<int32_t>(std::atol(f[4].c_str()));
    // The LC-XANES limit follows as a sixth field; files without it, or
    // with no positive value there, leave the limit off.
    e.LcGrenze = zahl(5) > 0.0 && std::isfinite(zahl(5)) ? zahl(5) : -1.0;

    // The fit words and the copy size always start a run with these values.
    if (!LeseZeile(datei, zeile)) return 1;
    z.FitErneuerung[0] = z.FitErneuerung[1] = 1;
    z.FitZusatz[0] = z.FitZusatz[1] = 1;
    *z.KopierGroesse = 2;

    // Line 3: the save flag is not restored; the filter runs to the next
    // comma and the data folder takes the rest of the line, commas and all.
    if (!LeseZeile(datei, zeile)) return 1;
    std::size_t a = zeile.find(',');
    if (a == std::string::npos) return 1;
    std::size_t b = zeile.find(',', a + 1);
    KopiereText(z.DateiFilter, z.DateiFilterBytes,
                zeile.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1));
    if (b != std::string::npos) KopiereText(z.DatenOrdner, z.DatenOrdnerBytes, zeile.substr(b + 1));
    return 1;
}
