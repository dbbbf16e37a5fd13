// Record helper of the curve ring and the picture size of the clipboard
// copy: plain code that the data commands share.
#include <cstdint>

#include "spectra/data_commands_win.h"
#include "spectra/grafik_fenster.h"

int32_t grafik_fenster::SetCurveSlots(int32_t counter, int32_t newest)
{
    if (newest == 0) {
        int32_t slot = NeuesterZaehler % 4;
        if (slot < 0) slot += 4;
        newest = slot;
    }
    KurvenZaehler = counter;
    NeuesterZaehler = newest;
    return 1;
}

void KopierBildGroesse(int32_t groesse, int32_t aufloesung, int32_t eigeneBreite,
                       int32_t eigeneHoehe, double dw0, double dw1, int32_t* breite,
                       int32_t* hoehe)
{
    int32_t b = aufloesung;
    int32_t h = 0;
    bool eigen = false;
    switch (groesse) {
    case 0: b = aufloesung / 4; break;
    case 1: b = aufloesung / 2; break;
    case 3:
        if (eigeneBreite > 0 && eigeneHoehe > 0) {
            b = eigeneBreite;
            h = eigeneHoehe;
            eigen = true;
        }
        break;
    default: break;
    }
    if (!eigen) h = static_cast<int32_t>(static_cast<float>(b) / 1.34f);
    // Sizes from a dialog or a macro are capped, so that a damaged value
    // cannot ask for a picture the display cannot hold.
    const double grenze = 10000.0;
    if (dw0 > 20.0) b = static_cast<int32_t>(dw0 < grenze ? dw0 : grenze);
    if (dw1 > 20.0) h = static_cast<int32_t>(dw1 < grenze ? dw1 : grenze);
    if (b < 1) b = 1;
    if (h < 1) h = 1;
    if (breite) *breite = b;
    if (hoehe) *hoehe = h;
}
