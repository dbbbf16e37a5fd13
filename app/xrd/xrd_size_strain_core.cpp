// The size and strain table. No window code.
#include "xrd/xrd_size_strain.h"

#include <cmath>
#include <cstdio>

#include "fit/fit_model.h"

namespace {

const double PI = 3.14159265358979323846;

const char* const KOPF =
    "Size and strain analysis, Korlan v3.1 (2004)\n"
    "Values stored in columns:\n"
    "#0\tX-axis in 2 Theta\n"
    "#1\tX-axis in sin(theta)/lambda\n"
    "#2\tFWHM\n"
    "#3\tintegral breadth\n"
    "#4\tIntegrated intensity\n"
    "#5\tshape parameter\n"
    "#6\tLorentzian width\n"
    "#7\tGaussian width\n"
    "#8\tsize contribution from F/b ratio\n"
    "#9\tstrain contribution from F/b ratio\n"
    "#10\tWilliamson-Hall y-axis\n"
    "#11\tPeak intensity\n"
    "#12\tdomain size from Scherrer formula\n";

int32_t Typ(int32_t i)
{
    const int32_t t = FitFunctionTypes[i];
    return t > 100 ? t - 100 : t;
}

}  // namespace

XRD_REFLEX_ZEILE XrdReflexZeile(double zweiTheta, double fwhm, double breite, double flaeche, double hoehe,
                                double scherrer, double lambda)
{
    XRD_REFLEX_ZEILE z;
    double* c = z.Spalte;
    const double theta = zweiTheta / 2.0 * PI / 180.0;
    c[0] = zweiTheta;
    c[1] = std::sin(theta) / lambda;
    c[2] = fwhm;
    c[3] = breite;
    c[4] = flaeche;
    const double phi = fwhm / breite;
    c[5] = phi;
    const double b = breite * PI / 180.0;
    c[6] = (2.0207 - 0.4803 * phi - 1.7756 * phi * phi) * b;
    c[7] = (0.642 + 1.4187 * std::sqrt(std::fabs(phi - 2.0 / PI)) - 2.2043 * phi + 1.8706 * phi * phi) * b;
    c[8] = (lambda / 100.0) / (std::cos(theta) * c[6]);
    c[9] = 100.0 * (c[7] / 4.0) / std::tan(theta);
    c[10] = std::cos(theta) * b / lambda;
    c[11] = hoehe;
    c[12] = scherrer;
    return z;
}

std::vector<std::string> XrdPhasenTabellen(const double* a, double lambda, bool doppel)
{
    std::vector<std::string> tabellen;
    if (!FitFunctionTypes || !FitParameters || !a) return tabellen;
    const double* P = FitParameters;
    int32_t q = 0;
    for (int32_t i = 0; i < FitFunctionCount; ++i) {
        const int32_t typ = Typ(i);
        const int32_t zahl = FunctionParameterCount(typ, FitPolyDegree, 0);
        if (typ == 30) {
            tabellen.emplace_back(KOPF);
        } else if (typ >= 1 && typ <= 3 && !tabellen.empty()) {
            const XRD_REFLEX_ZEILE z =
                XrdReflexZeile(P[q + 1], P[q + 2], a[2700 + i], a[1001 + i], P[q], a[2800 + i], lambda);
            std::string& t = tabellen.back();
            char feld[40];
            for (double v : z.Spalte) {
                std::snprintf(feld, sizeof feld, "%.10E  ", v);
                t += feld;
            }
            t += "\n";
            if (doppel && i + 1 < FitFunctionCount && Typ(i + 1) >= 1 && Typ(i + 1) <= 3) {
                q += zahl;
                ++i;
                q += FunctionParameterCount(Typ(i), FitPolyDegree, 0);
                continue;
            }
        }
        q += zahl;
    }
    return tabellen;
}

int32_t XrdPhasenTabellenSchreiben(const std::string& ordner, const std::vector<std::string>& tabellen,
                                   std::string* fehler)
{
    int32_t n = 0;
    for (const std::string& t : tabellen) {
        char name[40];
        std::snprintf(name, sizeof name, "\\phase_%d.txt", static_cast<int>(n + 1));
        const std::string pfad = ordner + name;
        std::FILE* f = std::fopen(pfad.c_str(), "w");
        bool ok = f != nullptr;
        if (f) {
            ok = std::fwrite(t.data(), 1, t.size(), f) == t.size();
            ok = std::fclose(f) == 0 && ok;
            if (!ok) std::remove(pfad.c_str());
        }
        if (!ok) {
            if (fehler) *fehler = pfad;
            return n;
        }
        ++n;
    }
    return n;
}
