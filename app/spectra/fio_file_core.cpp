// The ".fio" import: reading the measurement columns, the regular grid and
// the four-column text file.
#include "spectra/fio_file.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr long long FIO_MAX_BYTES = 256LL * 1024 * 1024;

bool LiesAlles(const std::string& pfad, std::string* inhalt)
{
    std::FILE* f = std::fopen(pfad.c_str(), "rb");
    if (!f) return false;
    char puffer[65536];
    std::size_t n;
    bool ok = true;
    while ((n = std::fread(puffer, 1, sizeof puffer, f)) > 0) {
        if (static_cast<long long>(inhalt->size() + n) > FIO_MAX_BYTES) {
            ok = false;
            break;
        }
        inhalt->append(puffer, n);
    }
    std::fclose(f);
    return ok;
}

// Ten blank-separated values of a line (0 for missing or unreadable ones).
void ZehnWerte(const std::string& zeile, float werte[10])
{
    for (int i = 0; i < 10; ++i) werte[i] = 0.0f;
    std::size_t pos = 0;
    for (int i = 0; i < 10; ++i) {
        while (pos < zeile.size() && std::isspace(static_cast<unsigned char>(zeile[pos]))) ++pos;
        if (pos >= zeile.size()) break;
        std::size_t ende = pos;
        while (ende < zeile.size() && !std::isspace(static_cast<unsigned char>(zeile[ende]))) ++ende;
        const std::string token = zeile.substr(pos, ende - pos);
        char* rest = nullptr;
        const float w = std::strtof(token.c_str(), &rest);
        werte[i] = (rest && *rest == '\0') ? w : 0.0f;
        pos = ende;
    }
}

bool GleicherName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char ca = a[i] == '\\' ? '/' : a[i], cb = b[i] == '\\' ? '/' : b[i];
        if (std::tolower(static_cast<unsigned char>(ca)) != std::tolower(static_cast<unsigned char>(cb)))
            return false;
    }
    return true;
}

}  // namespace

std::string FioAusgabeName(const std::string& eingabe)
{
    std::string aus = eingabe;
    if (!aus.empty()) aus.back() = 'x';
    return aus;
}

int32_t ImportiereFio(const std::string& eingabe, const FioSpline& spline, FioErgebnis* e)
{
    *e = FioErgebnis{};
    e->Ausgabe = FioAusgabeName(eingabe);
    // File names differ only in case on the platform's file systems.
    if (eingabe.empty() || GleicherName(e->Ausgabe, eingabe)) return FIO_GLEICHER_NAME;
    std::string inhalt;
    if (!LiesAlles(eingabe, &inhalt)) return FIO_NICHT_OFFEN;

    // Lines with their line ends: the header lines are copied as they stand.
    std::vector<std::string> zeilen;
    for (std::size_t a = 0; a < inhalt.size();) {
        std::size_t lf = inhalt.find('\n', a);
        std::size_t ende = lf == std::string::npos ? inhalt.size() : lf + 1;
        zeilen.push_back(inhalt.substr(a, ende - a));
        a = ende;
    }
    std::string kopf;
    for (std::size_t i = 0; i < zeilen.size() && i < FIO_KOPFZEILEN; ++i) kopf += zeilen[i];

    std::vector<double> x, s[3];
    for (std::size_t i = FIO_KOPFZEILEN; i < zeilen.size() && x.size() < FIO_MAX_ZEILEN; ++i) {
        float w[10];
        ZehnWerte(zeilen[i], w);
        if (!x.empty() && !(w[1] > x.back())) break;
        x.push_back(w[1]);
        for (int k = 0; k < 3; ++k) s[k].push_back(w[7 + k]);
    }
    const int32_t n = static_cast<int32_t>(x.size());
    if (n < 2) return FIO_ZU_WENIG;
    e->Zeilen = n;
    e->ErstesX = x.front();
    e->LetztesX = x.back();
    e->Schritt = (e->LetztesX - e->ErstesX) / (FIO_GITTER - 1);

    std::vector<double> gitter(FIO_GITTER), werte[3];
    for (int32_t k = 0; k < FIO_GITTER; ++k) gitter[k] = e->ErstesX + k * e->Schritt;
    gitter[FIO_GITTER - 1] = e->LetztesX;
    for (int k = 0; k < 3; ++k) {
        werte[k].assign(FIO_GITTER, 0.0);
        spline(x.data(), s[k].data(), n, gitter.data(), werte[k].data(), FIO_GITTER);
    }

    std::FILE* f = std::fopen(e->Ausgabe.c_str(), "wb");
    if (!f) return FIO_NICHT_GESCHRIEBEN;
    bool ok = std::fwrite(kopf.data(), 1, kopf.size(), f) == kopf.size();
    for (int32_t k = 0; k < FIO_GITTER && ok; ++k)
        ok = std::fprintf(f, "%f, %f, %f, %f\r\n", gitter[k], werte[0][k], werte[1][k], werte[2][k]) > 0;
    if (std::fclose(f) != 0) ok = false;
    return ok ? FIO_OK : FIO_NICHT_GESCHRIEBEN;
}
