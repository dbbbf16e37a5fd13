// The plain part of the XAFS-in-one dialog.
#include "xas/xafs_in_one.h"

#include <cmath>

uint32_t XioOeffnen(XIO_STAND* stand, int32_t fenster, const std::string& datei, int32_t spalten)
{
    if (stand->Fenster != fenster || stand->Datei != datei) {
        for (XIO_KURVE& k : stand->Ergebnis) k = XIO_KURVE{};
        stand->Fenster = fenster;
        stand->Datei = datei;
    }
    for (int32_t s : {XIO_UNTERGRUND, XIO_ATOMAR, XIO_FOURIER}) stand->Ergebnis[s] = XIO_KURVE{};
    uint32_t offen = 0;
    const bool kalibrierbar = spalten >= 3;
    if (kalibrierbar) offen |= 1u << XIO_KALIBRIERUNG;
    if (!kalibrierbar || stand->Ergebnis[XIO_KALIBRIERUNG].Da) offen |= 1u << XIO_UNTERGRUND;
    if (stand->Ergebnis[XIO_KRAUM].Da) offen |= 1u << XIO_ATOMAR;
    return offen;
}

const XIO_KURVE* XioStart(const XIO_STAND& stand, int32_t schritt)
{
    if (schritt <= 0 || schritt >= XIO_SCHRITTE) return nullptr;
    const XIO_KURVE& k = stand.Ergebnis[schritt - 1];
    return k.Da ? &k : nullptr;
}

uint32_t XioNachSchritt(XIO_STAND* stand, int32_t schritt, bool gelungen, const double* x, const double* y,
                        int32_t n, uint32_t offen)
{
    if (schritt < 0 || schritt >= XIO_SCHRITTE || !gelungen || n < 1 || !x || !y) return offen;
    XIO_KURVE& k = stand->Ergebnis[schritt];
    k.x.assign(x, x + n);
    k.y.assign(y, y + n);
    k.Da = true;
    if (schritt + 1 < XIO_SCHRITTE) offen |= 1u << (schritt + 1);
    return offen;
}

int32_t XioBefehl(int32_t schritt)
{
    static const int32_t befehle[XIO_SCHRITTE] = {808, 841, 811, 828, 815};
    return schritt >= 0 && schritt < XIO_SCHRITTE ? befehle[schritt] : 0;
}

void XioBetrag(const double* y, int32_t n, std::vector<double>* betrag)
{
    betrag->resize(n > 0 ? static_cast<size_t>(n) : 0);
    for (int32_t i = 0; i < n; ++i) (*betrag)[static_cast<size_t>(i)] = std::hypot(y[i], y[n + 1 + i]);
}
