// Experimental phases and amplitudes: file lists, reference shells, the
// phase and amplitude curves and their values on a data grid.
#include "xas/experimental_phases.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "spectra/ascii_file.h"
#include "spectra/spectrum_file.h"
#include "zelva.h"

namespace {

bool Trenner(char c) { return c == '\\' || c == '/' || c == ':'; }

bool Leer(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string PhasenListenFeld(const char* liste, int32_t i)
{
    if (!liste || i < 0) return "";
    const char* p = liste;
    for (int32_t f = 0; f < i; ++f) {
        p = std::strchr(p, ',');
        if (!p) return "";
        ++p;
    }
    const char* ende = std::strchr(p, ',');
    std::string feld = ende ? std::string(p, ende) : std::string(p);
    size_t a = 0, b = feld.size();
    while (a < b && Leer(feld[a])) ++a;
    while (b > a && Leer(feld[b - 1])) --b;
    return feld.substr(a, b - a);
}

void SchalenDateien(const char* liste, int32_t schalen, int32_t i, std::string* phase,
                    std::string* amplitude)
{
    if (phase) *phase = PhasenListenFeld(liste, i);
    if (amplitude) *amplitude = PhasenListenFeld(liste, schalen + i);
}

std::string ReferenzDateiName(const std::string& phase)
{
    size_t teil = 0;
    for (size_t i = 0; i < phase.size(); ++i)
        if (Trenner(phase[i])) teil = i + 1;
    const size_t punkt = phase.rfind('.');
    const std::string basis = punkt != std::string::npos && punkt >= teil ? phase.substr(0, punkt) : phase;
    return basis + ".par";
}

bool ReferenzSchaleLesen(const std::string& pfad, double* n, double* r)
{
    *n = 4.0;
    *r = 1.9;
    std::FILE* f = std::fopen(pfad.c_str(), "rb");
    if (!f) return false;
    char zeile[2][128] = {};
    bool ok = std::fgets(zeile[0], sizeof zeile[0], f) && std::fgets(zeile[1], sizeof zeile[1], f);
    std::fclose(f);
    if (!ok) return false;
    double w[2];
    for (int k = 0; k < 2; ++k) {
        char* ende = nullptr;
        w[k] = std::strtod(zeile[k], &ende);
        if (ende == zeile[k] || !std::isfinite(w[k])) return false;
    }
    *n = w[0];
    *r = w[1];
    return true;
}

bool ReferenzSchaleSchreiben(const std::string& pfad, double n, double r)
{
    std::FILE* f = std::fopen(pfad.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fprintf(f, "%G \r\n", n) > 0 && std::fprintf(f, "%G \r\n", r) > 0;
    return std::fclose(f) == 0 && ok;
}

int32_t PhasenKurveLesen(const std::string& pfad, PHASEN_KURVE* kurve)
{
    kurve->k.clear();
    kurve->Werte.clear();
    DateiInfo info;
    DateiInfoLeeren(&info);
    size_t teil = 0;
    for (size_t i = 0; i < pfad.size(); ++i)
        if (pfad[i] == '\\' || pfad[i] == '/') teil = i + 1;
    if (pfad.empty() || teil >= pfad.size() || teil >= sizeof info.Ordner ||
        pfad.size() - teil >= sizeof info.DateiName)
        return PHASE_FEHLT;
    std::memcpy(info.Ordner, pfad.data(), teil);
    std::memcpy(info.DateiName, pfad.data() + teil, pfad.size() - teil);
    SpektrumDaten daten;
    int32_t fehler = 0;
    const int32_t n = LeseSpektrum(&info, &daten, nullptr, nullptr, &fehler);
    if (n <= 0) return fehler == SPEKTRUM_NICHT_OFFEN ? PHASE_FEHLT : PHASE_UNBRAUCHBAR;
    if (n < 4 || static_cast<int32_t>(daten.x.size()) < n || static_cast<int32_t>(daten.y.size()) < n)
        return PHASE_UNBRAUCHBAR;
    for (int32_t i = 0; i < n; ++i)
        if (!std::isfinite(daten.x[i]) || !std::isfinite(daten.y[i]) || (i > 0 && !(daten.x[i] > daten.x[i - 1])))
            return PHASE_UNBRAUCHBAR;
    kurve->k.assign(daten.x.begin(), daten.x.begin() + n);
    kurve->Werte.assign(daten.y.begin(), daten.y.begin() + n);
    return PHASE_OK;
}

void PhasenBereich(const PHASEN_KURVE& kurve, double* lo, double* hi)
{
    const double a = kurve.k.front(), b = kurve.k.back();
    *lo = a - std::fabs(a) * 0.01;
    *hi = b + std::fabs(b) * 0.01;
}

void PhasenSchnitt(const PHASEN_KURVE& kurve, double* lo, double* hi)
{
    const double a = kurve.k.front(), b = kurve.k.back();
    *lo = a + std::fabs(a) * 0.01;
    *hi = b - std::fabs(b) * 0.01;
}

void PhaseAufGitter(def_zelva& z, const PHASEN_KURVE& kurve, const double* x, int32_t n, double* aus)
{
    if (n < 1) return;
    std::vector<double> k = kurve.k, w = kurve.Werte, y2(kurve.k.size(), 0.0);
    double* altX = z.xField;
    double* altY = z.yField;
    const int32_t altN = z.anzahl;
    z.SetField(k.data(), w.data());
    z.anzahl = kurve.Punkte();
    z.spline(y2.data());
    for (int32_t i = 0; i < n; ++i) aus[i] = z.helpsplint(x[i], y2.data());
    z.SetField(altX, altY);
    z.anzahl = altN;
}
