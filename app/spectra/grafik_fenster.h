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
#include "zelva.h"

// Slot flags.
constexpr uint32_t SLOT_NICHT_SPEICHERBAR = 1;  // holds what a file cannot hold
constexpr uint32_t SLOT_KOMPLEX = 4;            // imaginary part behind the real one
constexpr uint32_t SLOT_K_GEWICHTET = 8;
constexpr uint32_t SLOT_K_FIT = 16;             // k-space curve of the EXAFS fit
constexpr uint32_t SLOT_FIT_ANSICHT = 32;       // shows the EXAFS fit view

constexpr int32_t GRAFIK_TEXT = 400;

// The eleven shared plot fonts live in the application object
// (HAUPTDATEN.Schriften), in this order: font 0 (axis descriptions) at 0,
// 90 and 270 degrees and at the slant angle; font 1 (title), font 2 (tick
// numbers), font 3 (legends) upright; the symbol font of font 0's size at
// 0, 90 and 270 degrees and at the slant angle.
enum GRAFIK_SCHRIFT {
    SCHRIFT_ACHSE, SCHRIFT_ACHSE_90, SCHRIFT_ACHSE_270, SCHRIFT_ACHSE_SCHRAEG,
    SCHRIFT_TITEL, SCHRIFT_SKALA, SCHRIFT_LEGENDE,
    SCHRIFT_SYMBOL, SCHRIFT_SYMBOL_90, SCHRIFT_SYMBOL_270, SCHRIFT_SYMBOL_SCHRAEG,
    SCHRIFT_ANZAHL
};

// The zoom state and the stored fixed ranges of a window (240 bytes,
// cleared on reset).
struct ZOOM_ZUSTAND {
    int32_t Aktiv;          // the zoom x and y ranges are drawn
    int32_t Bereit;         // armed by the Zoom command
    int32_t Ziehen;         // rectangle drag in progress
    int32_t Reserve;
    double XOben, XUnten;   // zoom x upper, lower
    double YUnten, YOben;   // zoom y lower, upper
    double FestX[2];        // fixed x range lower, upper
    double FestY[2];        // fixed y range lower, upper
    double Frei[20];
};
static_assert(sizeof(ZOOM_ZUSTAND) == 240, "the zoom block is 240 bytes");

constexpr int32_t LEGENDE_BYTES = 2000;
constexpr int32_t LEGENDE_ZEILEN = 50;
constexpr int32_t SERIEN_LISTE = 200;

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

    // Curve counter := counter, newest counter := newest; newest 0 keeps
    // the old newest counter reduced to a slot (0-3). Returns 1.
    int32_t SetCurveSlots(int32_t counter, int32_t newest);

    // Applies a font profile (words 1-4 heights, 5-8 pen widths, 9 frame)
    // and rebuilds the shared fonts of the application object.
    void SetFontInfo(const int32_t* profil);
    // Rebuilds the eleven shared fonts from this window's font pairs, which
    // become the application object's sizes.
    void CreateFonts();

    // ---- drawing (graphic_drawing_win.cpp) ----
    // Draws the record into dc at (left, top), width x height pixels, with
    // the given character cell. Every drawing of a window goes through it.
    void PaintGrafik(HDC dc, int32_t left, int32_t top, int32_t width, int32_t height,
                     int32_t charWidth, int32_t charHeight);
    // Combined, 3D and series view.
    void DrawGrafik(HDC dc, int32_t left, int32_t top, int32_t width, int32_t height,
                    int32_t charWidth, int32_t charHeight);
    // One curve with frame and model function into the area GraphDimension set.
    void DrawFitView(HDC dc, double upper, double lower, int32_t showFunction,
                     int32_t showData);
    // Ranges of the combined plot; returns the number of listed curves.
    int32_t GetPlotRange(double* ylo, double* yhi, double* xlo, double* xhi, double* rlo,
                         double* rhi);
    // Ranges of a series plot; returns 1.
    int32_t GetSeriesRange(double* ylo, double* yhi, double* xlo, double* xhi);
    // The frames of the series file.
    void DrawSeries(HDC dc, double ylo, double yhi);

    void SetGrafikTexte(const char* x, const char* y, const char* fensterZ, const char* slotZ);
    // Copies the texts SetGrafikTexte sets (the current slot's x, y and z
    // texts and the window title) into each buffer that is not null
    // (GRAFIK_TEXT bytes each).
    void GetGrafikTexte(char* x, char* y, char* fensterZ, char* slotZ) const;

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

    // The mouse over the window (graphic_mouse_win.cpp), on the message
    // stored in Meldung, wParam and lParam.
    void OnLButtonDown();
    void OnMouseMove();
    void OnLButtonUp();
    void OnNcMouseMove();

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
    ZOOM_ZUSTAND Zoom;
    int32_t KombiAnzahl;
    int32_t KombiListe[16];         // window x 10 + slot (+100 right-hand axis)
    // Combine mode (above 10: curves drawn with a vertical offset) and the
    // offset steps of the left and right axis. The offsets are added only
    // when drawing; the stored curves keep their values.
    int32_t KombiModus;
    double KombiVersatz[2];
    int32_t BereichNeu;             // recompute the ranges on the next paint (1)
    int32_t SerienModus;            // 10/20/30/40: waterfall offsets
    double SerienSchritt;           // offset step of mode 40
    double SerienYOben;             // y upper before the offset growth
    int32_t SerienListe[SERIEN_LISTE];  // frame numbers of the series view
    double LegendenAnzahl;
    double LegendenPos[2 * LEGENDE_ZEILEN];  // x, y in data units per line
    char LegendenText[LEGENDE_BYTES];        // lines separated by '\n'
    int32_t SerienFrames;
    double KGewicht;
    // The exponent w of each slot whose curve is weighted by |k|^w (flag
    // SLOT_K_GEWICHTET); 0 where the step that set the flag gave none, and
    // then the window's last weight KGewicht stands for it.
    double SlotKGewicht[4];
    double KGewichtVon(int32_t slot) const
    {
        return SlotKGewicht[slot & 3] > 0.0 ? SlotKGewicht[slot & 3] : KGewicht;
    }
    // Reduction stage of each slot: -1 touched by an XAFS command, 1
    // background corrected, 2 k weighted; 0 otherwise.
    int32_t XasStufe[4];
    // The window of this window's last forward transform (type, limits,
    // shape and the origin of its grid); the background preview leaves its
    // own settings here.
    FTWINDOW FTFenster;
    // The rest of the last forward transform's settings: the step of its
    // result, the k weight handed to it, and the step and count of the grid
    // it transformed (step 0 while the window has had none); the chi(k)
    // range before an XAFS forward transform and the width of the R window
    // of the last XAFS back transform.
    double FTSchritt;
    double FTKGewicht;
    double FTGitterSchritt;
    int32_t FTGitterAnzahl;
    double KMin, KMax, KSchritt;
    double RFensterBreite;
    // The switch that makes the curve-slot routines carry the imaginary part
    // along is the plot's imaginary-part flag.
    int32_t& DritteSpalte() { return Paintinfo.KomplexImag; }
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
    // The current slot's arrays, point count and whether its imaginary part
    // is to be written; false when the count exceeds the arrays.
    bool AktuelleKurve(const double*& x, const double*& y, int32_t& punkte, bool& komplex) const;

    int32_t feldGroesse_;           // doubles held by each slot array
};

#endif
