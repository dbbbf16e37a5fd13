// The graphic-window record: four curve slots in a ring, the file
// information of the loaded spectrum, the plot settings and fit model of
// one graphic window.
#ifndef KORLAN_GRAFIK_FENSTER_H
#define KORLAN_GRAFIK_FENSTER_H

#include <windows.h>

#include <cstdint>

#include "spectra/ascii_file.h"
#include "spectra/spectrum_file.h"
#include "vantor.h"

// Slot flags.
constexpr uint32_t SLOT_NICHT_SPEICHERBAR = 1;  // holds what a file cannot hold
constexpr uint32_t SLOT_KOMPLEX = 4;            // imaginary part behind the real one
constexpr uint32_t SLOT_K_GEWICHTET = 8;
constexpr uint32_t SLOT_K_FIT = 16;             // k-space curve of the EXAFS fit
constexpr uint32_t SLOT_FIT_ANSICHT = 32;       // shows the EXAFS fit view

constexpr int32_t GRAFIK_TEXT = 400;

// The shared plot fonts and their sizes, owned by the application object;
// the record rebuilds them after a change of sizes.
struct GrafikSchriften {
    // 0-3 font 0 at 0, 90, 270 degrees and the slant angle; 4-6 fonts 1-3;
    // 7-10 symbol fonts of font 0's size at 0, 90, 270 degrees and the slant.
    HFONT Fonts[11];
    int32_t Schriftbreiten[4];
    int32_t Schrifthoehen[4];
    LOGFONTA FontDaten[4];
    double SchraegWinkel;   // degrees
    HWND SchriftCombo;      // font-size combo box of the toolbar, may be null
};

class grafik_fenster {
public:
    // The destructor does nothing: the window's destroy handler frees the
    // arrays (FreeFelder).
    grafik_fenster();

    // Sets every default of the record (the same as the constructor).
    void Reset();

    // Slot arrays: four x and four y arrays of n doubles (at least 35,000),
    // zero-filled from the global heap. AllocFelder returns 1, or 0 when
    // memory ran out (nothing is kept then). FreeFelder frees them.
    int32_t AllocFelder(int32_t n = MIN_FELD_PUNKTE);
    void FreeFelder();

    // x and y array of slot i (0-3), of the current slot for other values.
    double* GetXFeld(int32_t i);
    double* GetYFeld(int32_t i);

    // Copies the current curve, or its section between lower and upper,
    // into the next slot and makes it current. Returns the points stored;
    // 0 with error 102 when the section holds no point.
    int32_t CutSection(int32_t useBorders, double lower, double upper, int32_t interpolate);

    // Smallest and largest y of the current curve (with withThird also of
    // its imaginary part) between xlow and xhigh when both are non-zero.
    // Returns the index of the point that last raised the maximum.
    int32_t GetMinMax(double* ymin, double* ymax, double xlow, double xhigh, int32_t withThird);

    // Grows every slot array to n doubles keeping each slot's points.
    // 1, or -1 when nothing had to be done, 0 when memory ran out.
    int32_t ResizeFelder(int32_t n);

    // Section borders = full x range of the current curve. 1, or 0 with
    // error 102 when x does not ascend.
    int32_t SetFullBorder();

    // Applies a font profile (words 1-4 heights, 5-8 pen widths, 9 frame)
    // and rebuilds the shared fonts.
    void SetFontInfo(const int32_t* profil, GrafikSchriften* schriften);
    void CreateFonts(GrafikSchriften* schriften);

    void SetGrafikTexte(const char* x, const char* y, const char* fensterZ, const char* slotZ);

    // Frame reader of the series in DateiInfo: 0 opens, -1 closes, n >= 1
    // reads column n into y (see LeseSerienFrame for the codes).
    // y must hold kapazitaet doubles (the point word caps frames at 32,767).
    int32_t ReadSeriesFrame(double* y, int32_t frame, int32_t kapazitaet = MIN_FELD_PUNKTE);

    // Binary path of the save command for the current curve, or for the
    // given arrays. anhaengen is the append flag of the caller (0 create).
    int32_t SchreibeBinaer(const char* pfad, int32_t anhaengen, int32_t spalten, int32_t teil,
                           const double* x = nullptr, const double* y = nullptr,
                           int32_t punkte = 0);

    // Text path of the save command for the current curve. While the
    // window shows its model (ZeigeFunktion), a column of the whole model
    // follows, and with separate functions one per model function.
    int32_t SchreibeText(const char* pfad, const ModellAuswertung& modell = {});

    // Puts a curve read from a file into the current slot, growing the
    // arrays first (2n + 5 for a curve with a third column). 1, or 0 when
    // memory ran out.
    int32_t SpeichereKurve(const SpektrumDaten& daten);

    int32_t AktuellerSlot() const { return KurvenZaehler & 3; }
    int32_t Punkte() const { return DateiInfo.PunkteProKurve[KurvenZaehler & 3]; }
    int32_t FeldGroesse() const { return feldGroesse_; }

    int32_t KurvenZaehler;
    int32_t NeuesterZaehler;
    uint32_t KurvenFlags[4];
    int32_t ClientBreite, ClientHoehe;
    int32_t FensterNummer;
    int32_t AnzahlFunktionen;
    int32_t* FunktionsTypen;
    int32_t AnsichtWorte[2];
    int32_t ZustandsWorte[4];
    double Grenzen[2];              // upper, lower
    double GespeicherteGrenzen[2];
    double* Parameter;
    double XAusdehnung[2];          // first, last x (GetMinMax)
    HGLOBAL XHandle[4], YHandle[4];
    char XText[4][GRAFIK_TEXT];
    char YText[4][GRAFIK_TEXT];
    char FensterText[GRAFIK_TEXT];
    char ZText[4][GRAFIK_TEXT];
    double* XFeld[4];
    double* YFeld[4];
    ::DateiInfo DateiInfo;
    PAINTINFO Paintinfo;
    int32_t AnsichtModus;
    double AnsichtWerte[5];
    int32_t ZeigeDaten;
    int32_t ZeigeFunktion;
    int32_t DrittesAnsichtWort;
    int32_t ModellArt;
    int32_t Multiplot;
    int32_t Kombinieren;
    int32_t Modus3D;
    int32_t FunktionenGetrennt;
    int32_t FesterBereich;
    int32_t EinstellungenBehalten;
    int32_t MultiplotAktiv;
    int32_t HatDaten;
    double ZBereich[2];             // upper, lower
    uint8_t ZoomBlock[240];
    int32_t KombiAnzahl;
    int32_t KombiListe[16];         // window x 10 + slot (+100 right-hand axis)
    int32_t SerienFrames;
    double KGewicht;
    int32_t ZweiWorte[2];
    int32_t MultiplotAnzahl;
    int32_t MultiplotListe[16];
    int32_t DreiWorte[3];
    int32_t PolyGrad;
    UINT Meldung;
    WPARAM wParam;
    LPARAM lParam;
    HWND hWnd;

private:
    int32_t feldGroesse_;           // doubles held by each slot array
};

#endif
