#include "xrd/xrd_commands.h"

#include <cmath>
#include <cstdio>

int32_t XrdSinusUeberLambda(double* x, int32_t n, double lambda)
{
    if (!(lambda > 0.0) || !std::isfinite(lambda) || !x) return 0;
    const double grad = 3.14159265358979323846 / 180.0;
    for (int32_t i = 0; i < n; ++i) x[i] = 2.0 * std::sin(x[i] / 2.0 * grad) / lambda;
    return 1;
}

int32_t XrdUntergrundNormierung(double* y, int32_t n)
{
    if (!y || n < 1) return 0;
    double ymin = y[0], ymax = y[0];
    for (int32_t i = 0; i < n; ++i) {
        if (!std::isfinite(y[i])) return 0;
        if (y[i] < ymin) ymin = y[i];
        if (y[i] > ymax) ymax = y[i];
    }
    const double spanne = ymax - ymin;
    if (!(spanne > 0.0) || !std::isfinite(spanne)) return 0;
    for (int32_t i = 0; i < n; ++i) y[i] = (y[i] - ymin) / spanne;
    return 1;
}

std::string XrdIniText(double wellenlaenge, const double profil[3])
{
    std::string text;
    const double werte[4] = {wellenlaenge, profil[0], profil[1], profil[2]};
    for (double w : werte) {
        char zeile[64];
        std::snprintf(zeile, sizeof zeile, "%G\n", w);
        text += zeile;
    }
    return text;
}

const char* const XRD_QUELLEN[XRD_QUELLEN_ANZAHL] = {
    "Custom", "Cu Ka, 154.2 pm", "Mo Ka, 71.07 pm", "Co Ka, 179.1 pm", "Cr Ka, 229.1 pm"};

double XrdQuellenWellenlaenge(int32_t i, double custom)
{
    static const double WERTE[XRD_QUELLEN_ANZAHL] = {0.0, 154.2, 71.07, 179.1, 229.1};
    return i >= 1 && i < XRD_QUELLEN_ANZAHL ? WERTE[i] : custom;
}
