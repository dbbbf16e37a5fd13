// The Fourier synthesis's coefficient text. No window code.
#include "xrd/xrd_fourier_synthesis.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

double SyntheseF0 = 0.0;

SyntheseStatus SyntheseKoeffizientenLesen(const std::string& text, std::vector<double>& c, int32_t* zeile)
{
    c.clear();
    std::vector<std::string> zeilen;
    std::istringstream s(text);
    std::string z;
    while (std::getline(s, z)) {
        while (!z.empty() && (z.back() == '\r' || z.back() == ' ' || z.back() == '\t')) z.pop_back();
        zeilen.push_back(z);
    }
    while (!zeilen.empty() && zeilen.back().find_first_not_of(" \t") == std::string::npos) zeilen.pop_back();
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
        const char* a = zeilen[i].c_str();
        char* ende = nullptr;
        errno = 0;
        const double v = std::strtod(a, &ende);
        while (ende && (*ende == ' ' || *ende == '\t')) ++ende;
        if (ende == a || (ende && *ende) || errno == ERANGE || !std::isfinite(v)) {
            if (zeile) *zeile = static_cast<int32_t>(i + 1);
            c.clear();
            return SYNTHESE_KEINE_ZAHL;
        }
        c.push_back(v);
    }
    if (c.size() < 3) return SYNTHESE_ZU_WENIGE;
    if (c.size() > static_cast<std::size_t>(SYNTHESE_MAX_KOEFFIZIENTEN)) return SYNTHESE_ZU_VIELE;
    return SYNTHESE_OK;
}

std::string SyntheseKoeffizientenText(const double* c, int32_t n)
{
    std::string t;
    char feld[40];
    for (int32_t i = 0; i < n; ++i) {
        std::snprintf(feld, sizeof feld, i + 1 < n ? "%G\r\n" : "%G", c[i]);
        t += feld;
    }
    return t;
}

std::string SyntheseZeilenNummern(int32_t n)
{
    std::string t;
    char feld[20];
    for (int32_t i = 1; i <= (n > 50 ? n : 50); ++i) {
        std::snprintf(feld, sizeof feld, "%d.\r\n", static_cast<int>(i));
        t += feld;
    }
    return t;
}
