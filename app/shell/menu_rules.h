// Which items of the main menu's popups are enabled and checked, by the
// state of the graphic window on top. Plain data in, rules out.
#ifndef KORLAN_MENUE_REGELN_H
#define KORLAN_MENUE_REGELN_H

#include <cstdint>

struct MENUE_ZUSTAND {
    bool Fenster = false;            // a graphic window is on top
    bool Daten = false;              // it shows its data
    bool Funktion = false;           // it shows its model function
    int32_t Typ = 0;                 // first model type of its fit model
    int32_t Zaehler = 0;             // curve counter
    int32_t Neuester = 0;            // newest slot
    int32_t SlotFlags = 0;           // flags of the current slot (4: Fourier transform)
    bool ImagGezeichnet = false;     // its plot settings draw the imaginary part
    int32_t Spalten = 0;             // column value of its file information
    bool Rohdaten = false;           // its file holds raw data
    bool KindGelistet = false;       // a child window is listed
    bool ErgebnisSichtbar = false;   // the results window is visible
    bool ParameterGesichert = false; // parameters saved for confidence limits and F tests
    bool Wiederherstellbar = false;  // parameters saved for restoring
    int32_t KalibrierQuelle = 2;     // calibration reference source 1-3
};

struct MENUE_REGEL {
    int32_t Id;
    bool An;        // enabled
    int8_t Haken;   // -1 leave, 0 unchecked, 1 checked
};

// Rules of the popup at position 0-9 of the main menu; returns their count
// (at most 32). Popups 6 and 7 have none.
int MenueRegeln(int popup, const MENUE_ZUSTAND& z, MENUE_REGEL aus[32]);

#endif
