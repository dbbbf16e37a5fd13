// The DXAS energy-scale dialogs: CONVERTDEX (821), where the polynomial is
// typed, and DEXSCALE (819), where a measured foil is matched against a
// foil of "dexfoil.dat" automatically and by scroll bars, with the
// reference drawn over the measurement in inverted pixels.
#ifndef KORLAN_DEX_SCALE_WIN_H
#define KORLAN_DEX_SCALE_WIN_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "series/dex_scale.h"

INT_PTR CALLBACK ConvertDexDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Ends with 1 (OK), 0 (Cancel, the polynomial as it was at the opening) or
// -100 when "dexfoil.dat" cannot be opened.
INT_PTR CALLBACK DexScaleDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// One change of DEXSCALE: control 552, 553 or 554 moves the polynomial by
// `einheiten` units of its scroll bar (553 and 554 keeping the energy at the
// pivot diode), 101 the drawn reference; 0 only recomputes the reference.
void DexScaleStep(int32_t control, int32_t einheiten);
// Draws the reference over the preview in inverted pixels (a second call
// erases it) and toggles the overlay flag.
void DexDrawOverlay();

// What DEXSCALE holds while it is open (null when it is not).
struct DexSkalaStand {
    HWND Dialog = nullptr, Vorschau = nullptr;
    int32_t Fenster = -1;
    double Grenzen[2] = {0.0, 0.0};
    int32_t Punkte = 0;            // m of the current slot
    double* X = nullptr;
    double* Y = nullptr;
    DexFolie Folie;                // the foil on its grid with its spline
    std::vector<double> Referenz;  // one value per diode
    int32_t DexFoilPunkte = 0;
    double Versatz = 0.0;
    int32_t Position[3] = {0, 0, 0};  // 552, 553, 554
    int32_t Overlay = 1;           // 1 the reference is not drawn, 0 it is
    double Gesichert[3] = {0.0, 0.0, 0.0};
    std::string Status;
};
const DexSkalaStand* DexSkalaZustand();

#endif
