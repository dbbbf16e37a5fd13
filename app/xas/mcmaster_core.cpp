// McMaster absorption data: reading of "mucal.dat" and the look-ups.
#include "xas/mcmaster.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <string_view>
#include <vector>

#include "xas/data_lines.h"

const char McMasterElemente[MCMASTER_ELEMENTE][3] = {
    "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne", "Na", "Mg", "Al", "Si",
    "P",  "S",  "Cl", "Ar", "K",  "Ca", "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni",
    "Cu", "Zn", "Ga", "Ge", "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr", "Nb", "Mo",
    "Tc", "Ru", "Rh", "Pd", "Ag", "Cd", "In", "Sn", "Sb", "Te", "I",  "Xe", "Cs", "Ba",
    "La", "Ce", "Pr", "Nd", "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb",
    "Lu", "Hf", "Ta", "W",  "Re", "Os", "Ir", "Pt", "Au", "Hg", "Tl", "Pb", "Bi", "Po",
    "At", "Rn", "Fr", "Ra", "Ac", "Th", "Pa", "U",  "Np", "Pu"};

namespace {

// Words of the whole text, across line ends.
class ZahlenStrom {
public:
    ZahlenStrom(const char* text, std::size_t laenge) : text_(text), laenge_(laenge) {}

    bool ErsteZeileHat(const char* teil)
    {
        std::size_t ende = 0;
        while (ende < laenge_ && text_[ende] != '\n' && text_[ende] != '\r') ++ende;
        const bool ja = Enthaelt(std::string_view(text_, ende), teil);
        pos_ = ende;
        return ja;
    }
    bool Zahl(double* wert)
    {
        Leerraum();
        std::size_t ende = pos_;
        while (ende < laenge_ && !IstLeer(text_[ende])) ++ende;
        if (ende == pos_ || !WortAlsZahl(std::string_view(text_ + pos_, ende - pos_), wert)) return false;
        pos_ = ende;
        return true;
    }
    // Skips the blank space after the numbers and then one (caption) line.
    bool ZeileUeberspringen()
    {
        Leerraum();
        if (pos_ >= laenge_) return false;
        while (pos_ < laenge_ && text_[pos_] != '\n' && text_[pos_] != '\r') ++pos_;
        return true;
    }

private:
    static bool IstLeer(char c)
    {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    }
    void Leerraum()
    {
        while (pos_ < laenge_ && IstLeer(text_[pos_])) ++pos_;
    }
    const char* text_;
    std::size_t laenge_;
    std::size_t pos_ = 0;
};

bool HatDaten(const double* t, int32_t p)
{
    // Po, At, Fr, Ra, Ac, Pa and Np have no McMaster data.
    static const int32_t ohne[] = {84, 85, 87, 88, 89, 91, 93};
    for (int32_t z : ohne)
        if (p + 1 == z) return false;
    return t[1200 + p] > 0.0;  // conversion factor
}

bool Geladen(const double* t) { return t && t[0] != MCMASTER_NICHT_GELADEN; }

}  // namespace

int32_t LeseMucalText(const char* text, std::size_t laenge, double* tabelle)
{
    if (!text || !tabelle) return 0;
    ZahlenStrom s(text, laenge);
    if (!s.ErsteZeileHat("K-edge")) return 0;
    std::vector<double> neu(MCMASTER_WERTE, 0.0);
    for (int32_t r = 0; r <= 13; ++r) {
        for (int32_t p = 0; p < 96; ++p)
            if (!s.Zahl(&neu[r * 100 + p])) return 0;
        if (!s.ZeileUeberspringen()) return 0;
    }
    for (int32_t p = 0; p < MCMASTER_ELEMENTE; ++p)
        for (int32_t r = 14; r <= 16; ++r)
            if (!s.Zahl(&neu[r * 100 + p])) return 0;
    for (int32_t block = 0; block < 6; ++block) {
        if (!s.ZeileUeberspringen()) return 0;
        for (int32_t p = 0; p < MCMASTER_ELEMENTE; ++p)
            for (int32_t r = 17 + 4 * block; r <= 20 + 4 * block; ++r)
                if (!s.Zahl(&neu[r * 100 + p])) return 0;
    }
    std::memcpy(tabelle, neu.data(), sizeof(double) * MCMASTER_WERTE);
    return 1;
}

int32_t LeseMucalDatei(const std::string& pfad, double* tabelle)
{
    std::string text;
    if (!LeseTextDatei(pfad, &text)) return 0;
    return LeseMucalText(text.data(), text.size(), tabelle);
}

double McMasterSigma(double e, const double* c)
{
    const double l = std::log(e);
    return std::exp(c[0] + l * (c[1] + l * (c[2] + l * c[3])));
}

int32_t McMasterPosition(char* symbol)
{
    const std::size_t n = std::strlen(symbol);
    if (n == 0 || n > 2) return -1;
    symbol[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(symbol[0])));
    if (n == 2) symbol[1] = static_cast<char>(std::tolower(static_cast<unsigned char>(symbol[1])));
    for (int32_t p = 0; p < MCMASTER_ELEMENTE; ++p)
        if (std::strcmp(symbol, McMasterElemente[p]) == 0) return p;
    return -1;
}

double GetEdgeEnergy(const double* tabelle, char* symbol)
{
    if (!Geladen(tabelle) || !symbol) return 0.0;
    std::size_t n = std::strlen(symbol);
    if (n == 0 || n > 3) return 0.0;
    int32_t zeile = 0;
    if (std::isdigit(static_cast<unsigned char>(symbol[n - 1]))) {
        zeile = symbol[n - 1] - '0';
        symbol[--n] = '\0';
    }
    const int32_t p = McMasterPosition(symbol);
    if (p < 0) return 0.0;
    return tabelle[zeile * 100 + p];
}

int32_t McMasterCalc(const double* tabelle, char* symbol, double e, double* kanten, double* werte,
                     double* ausbeuten, char einheit, int32_t element)
{
    if (!Geladen(tabelle)) return 0;
    int32_t p = element;
    if (element < 0) {
        if (!symbol) return 0;
        const std::size_t n = std::strlen(symbol);
        if (n == 0 || n > 3) return 0;
        p = McMasterPosition(symbol);
    }
    if (p < 0 || p >= MCMASTER_ELEMENTE || !HatDaten(tabelle, p) || e < 0.0 || !std::isfinite(e))
        return 0;
    auto t = [&](int32_t r) { return tabelle[r * 100 + p]; };
    const int32_t z = p + 1;

    for (int32_t i = 0; i < 9; ++i) kanten[i] = t(i);
    for (int32_t i = 0; i < 6; ++i) werte[i] = 0.0;
    werte[6] = t(9);
    werte[7] = t(10);
    werte[8] = z > 27 ? MCMASTER_L1_SPRUNG : 0.0;
    werte[9] = z > 27 ? MCMASTER_L2_SPRUNG : 0.0;
    werte[10] = t(11);
    for (int32_t i = 0; i < 4; ++i) ausbeuten[i] = t(13 + i);
    if (e == 0.0) return -z;

    // Photoelectric fit by region; McMaster's L fit describes the cross
    // section above L1 and is lowered by the L1 and L2 jumps below them.
    int32_t erste = 37;
    double teiler = 1.0;
    if (e >= t(0)) {
        erste = 25;
    } else if (e >= t(3)) {
        erste = 29;
        if (z > 27) {
            if (e < t(2))
                teiler = MCMASTER_L1_SPRUNG * MCMASTER_L2_SPRUNG;
            else if (e < t(1))
                teiler = MCMASTER_L1_SPRUNG;
        }
    } else if (e >= t(4)) {
        erste = 33;
    }
    double c[4];
    for (int32_t i = 0; i < 4; ++i) c[i] = t(erste + i);
    werte[0] = McMasterSigma(e, c) / teiler;
    for (int32_t i = 0; i < 4; ++i) c[i] = t(17 + i);
    werte[1] = McMasterSigma(e, c);
    for (int32_t i = 0; i < 4; ++i) c[i] = t(21 + i);
    werte[2] = McMasterSigma(e, c);
    werte[3] = werte[0] + werte[1] + werte[2];
    werte[4] = t(12);
    werte[5] = werte[3] * t(10) / t(12);
    if (std::toupper(static_cast<unsigned char>(einheit)) == 'C')
        for (int32_t i = 0; i < 4; ++i) werte[i] /= werte[4];
    return z;
}
