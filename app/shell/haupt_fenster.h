// The application object: the main window's message target, the holder of
// the settings that several subsystems read, and the owner of the shared
// work blocks.
#ifndef KORLAN_HAUPT_FENSTER_H
#define KORLAN_HAUPT_FENSTER_H

#include <windows.h>
#include <cstdint>

#include "shell/settings.h"
#include "shell/shell_globals.h"

// The message being handled, stored by a window object's dispatcher before
// the member for that message runs. wParam and lParam keep their full width
// so that pointers survive on 64-bit builds.
struct MELDUNGSBLOCK {
    UINT Nachricht;
    WPARAM wParam;
    LPARAM lParam;
    HWND Fenster;
    LPARAM lParamKopie;
    WORD Befehl;   // low word of wParam
    WORD Notiz;    // high word of wParam
};

// Stores a message in a block (steps 3 of the forwarding of every class).
void SetzeMeldung(MELDUNGSBLOCK& block, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// One of the four font descriptions of the shared fonts.
struct FONT_DATEN {
    int32_t Gewicht;         // 400
    int32_t Kursiv;
    int32_t Unterstrichen;
    int32_t PitchFamilie;    // 34
    uint8_t Durchgestrichen;
    uint8_t Zeichensatz;
    uint8_t Ausgabe;         // 3
    uint8_t Clip;            // 2
    uint8_t Qualitaet;       // 1
    char Schrift[59];        // "Arial"
};

// Indexes of the child window handles.
enum KIND_FENSTER {
    KIND_ERGEBNIS, KIND_BUTTONLEISTE, KIND_PROGRESS, KIND_EDITOR,
    KIND_STATUS300, KIND_STATUS400, KIND_ANZAHL
};
// Indexes of the fit-panel handles.
enum FIT_PANEL { FIT_TEXT, FIT_INTERRUPT, FIT_CANCEL, FIT_CONTINUE, FIT_PANEL_ANZAHL };

const int SHARED_FONTS = 11;
const int32_t ORDNER_BYTES = 5000;
const int32_t BROWSER_BYTES = 400;
const int32_t TEXTLISTE_BYTES = 5000;
const int32_t DATEIFILTER_BYTES = 260;

class haupt_fenster {
public:
    haupt_fenster();

    int16_t ButtonZeilenHoehe = 29;
    double TabellenWert = 0.0;   // y that a Ctrl-click hands to the data table
    double DialogWerte[14] = {};
    double GlitchProzent = 10.0;
    int32_t GlitchPunkte = 2;
    int32_t SicherungsIntervall = 600;
    int32_t StatusHoehe = 0;
    int32_t FeffSatzAnzahl = 0;
    int32_t EditorSichtbar = 0;
    int32_t FitErneuerung[2] = {1, 0};
    int32_t FitZusatz[2] = {1, 1};
    int32_t MakroAufnahme = 0;
    int32_t BinaerSpeichern = 1;
    int32_t GlitchKorrektur = 0;
    int32_t MakroSchrittAktiv = 0;
    int32_t SicherungAn = 1;
    int32_t DateiGeoeffnet = 0;
    HWND FitPanel[FIT_PANEL_ANZAHL] = {};
    HWND KindFenster[KIND_ANZAHL] = {};
    HMENU Hauptmenue = nullptr;
    char DateiFilter[DATEIFILTER_BYTES] = "*.M*";
    char* DatenOrdner = nullptr;
    char* ProgrammOrdner = nullptr;
    char* FeffOrdner = nullptr;
    HWND GrafikHandles[4] = {};
    int32_t KopierGroesse = 2;
    int32_t FitZustand = 0;
    int32_t Schrifthoehen[4] = {16, 16, 16, 16};
    int32_t Schriftbreiten[4] = {7, 7, 7, 7};
    int32_t KopierBreite = 0, KopierHoehe = 0;
    int32_t GanzeSeite = 0;            // print option "full page"
    int32_t AlsMetafile = 1;           // clipboard picture: 1 enhanced metafile, 0 bitmap
    int32_t AktivesProfil = 1;
    SCHRIFT_PROFIL SchriftProfile[2] = {};
    int32_t BildBreite = 400, BildHoehe = 440;
    int16_t ZeichenBreite = 0, ZeichenHoehe = 0;
    double DxasPolynom[3] = {};
    // Source of the calibration reference of 808: 1 a separate file, 2 the
    // third column of the sample's file, 3 the same spectrum (846-848).
    int32_t KalibrierReferenz = 2;
    double SchraegWinkel = 45.0;
    double Roentgenwellenlaenge = 154.2;
    double XrdProfil[3] = {0.2, 0.2, 0.0};
    ::ModellCallback ModellCallback = nullptr;
    ::ChiQuadratCallback ChiQuadratCallback = nullptr;
    char* YTextListe = nullptr;
    char* XTextListe = nullptr;
    char* TitelListe = nullptr;
    char* BrowserPfad = nullptr;
    HFONT Schriften[SHARED_FONTS] = {};
    FONT_DATEN FontDaten[4];
    COLORREF Farbpalette[12];
    int32_t HilfeDeutsch = 1;
    int32_t SchmalesFenster = 0;
    PAINTINFO* BearbeitetePaintinfo = nullptr;
    HBITMAP Willkommensbild = nullptr;
    MELDUNGSBLOCK Meldungsblock = {};
    char Titel[64] = "";
    char Klassenname[64] = "";
    MSG Nachricht = {};
    HACCEL Tastenkuerzel = nullptr;
    HINSTANCE Instanz = nullptr;
    HINSTANCE VorherigeInstanz = nullptr;
    int AnzeigeArt = 0;
    LPSTR Kommandozeile = nullptr;

    // Further words of the fit run and the options that later commands read.
    int32_t FitIterationen = 0;     // handed to LeastSquareFit; command 22 adds 10,000
    double FitChi2 = 0.0;    // command 21 sets it to 1e30
    double FitRFaktor = 0.0;           // R factor of the last fit step, percent
    double KonfidenzNiveau = 0.95;
    int32_t ZeigeFtChi = 0;            // EXAFS option "Show FT + chi(k)"
    int32_t ClientBreite = 0, ClientHoehe = 0;
    HWND Hauptfenster = nullptr;
    HFONT StatusSchrift = nullptr;
    HFONT FitTextSchrift = nullptr;
    // First and last x of the current curve, set by the cuts and borders of
    // the graphic-window records.
    double VollerXBereich[2] = {};
    // Files opened by command 60 so far.
    int32_t GeoeffneteDateien = 0;

    // ---- start-up and message loop ----
    // Stores the start-up arguments, registers the classes, creates the main
    // window and runs the message loop. Returns the exit code (0).
    int Run(HINSTANCE instanz, HINSTANCE vorherige, LPSTR kommandozeile, int anzeige);
    // Registers the six window classes; false at the first failure.
    bool RegisterFensterKlassen();
    // Creates the main window maximised (its creation runs MainOnCreate) and
    // shows it; null when it could not be created.
    HWND ErzeugeHauptfenster();
    // Runs the message loop with the accelerators until the quit message;
    // returns its wParam.
    int Nachrichtenschleife();

    // ---- the main window's messages ----
    static LRESULT CALLBACK HauptFensterProcStatic(HWND, UINT, WPARAM, LPARAM);
    LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT MainOnCreate();
    LRESULT MainOnClose();
    LRESULT MainOnDestroy();
    LRESULT MainOnSize();
    LRESULT MainOnPaint();
    LRESULT MainOnSetFocus();
    LRESULT MainOnKeyDown();
    LRESULT MainOnChar();
    LRESULT MainOnTimer();
    LRESULT MainOnInitMenuPopup();
    LRESULT MainOnMenuSelect();
    LRESULT MainOnMouseMove();
    LRESULT MainOnLButtonUp();
    LRESULT MainOnNcMouseMove() { return 0; }
    // WM_COMMAND: the command dispatcher.
    LRESULT MenueBefehl();
    // Runs command id with lParam on the same stack, as the macro player and
    // internal callers do.
    void Befehl(int32_t id, LPARAM lParam);
    // One step of the fit run on the active graphic window (command 507,
    // fit/fit_run_win.cpp): 1 while the fit goes on or when it has
    // finished normally, 0 after a failure or when no fit was started.
    int32_t FitStarten();
    // Command 506 on the active graphic window (fit/fourier_transform_win.cpp):
    // the Fourier transformation forward or back, in XAFS mode when the low
    // word of the command's lParam is 815. 1 when a transform was stored, 0
    // when the dialog was cancelled or the values were refused.
    int32_t FourierTransformation();
    // The previews of the Fourier dialog (fit/fourier_previews_win.cpp): the
    // current curve, normalised, with the window values W (blue) and the
    // windowed curve (green) between von and bis into control; returns 1.
    // The transforms with the k weights w1, w2, w3 in three quadrants of
    // the dialog's control 30 and their magnitudes together in the fourth.
    int32_t DrawWindowFunction(HWND control, double von, double bis, double* W, double* V);
    void DrawWeightFT(HWND dialog, int32_t w1, int32_t w2, int32_t w3);
    // Calibrates the DXAS polynomial of the open DEXSCALE dialog against
    // foil `folie` (from 0) of "dexfoil.dat" (series/dex_scale_win.cpp);
    // a negative index or a missing table changes nothing.
    void DexCalibrateByFoil(int32_t folie);

    // ---- helpers ----
    // Index 0-3 of the graphic window with this handle, -1 when none.
    int32_t GetFensterNummer(HWND handle) const;
    void ResetTitel();
    // Shows a text in status field 300 or 400.
    void StatusZeile(int feld, const char* text);
    // Ends fit mode: panel hidden, status line and menu back.
    void FitModusBeenden();
    // Deletes and creates the eleven shared fonts (order: GRAFIK_SCHRIFT of
    // the graphic-window record) from FontDaten, Schrifthoehen,
    // Schriftbreiten and SchraegWinkel; symbolName is the face of the four
    // symbol fonts ("Times New Roman" at start-up, "system" afterwards).
    void ErzeugeSchriften(const char* symbolName = "Times New Roman");
    // Prints (interaktiv 1: a print job with the print options and the
    // abort dialog) or draws into dc (0): modus 1 the active window's graph,
    // 2 CommandText as lines, on a page of the given pixels with the
    // device's character width and line height. Returns the result of
    // ending the document of a job, -1 when the options were cancelled,
    // else 0 (printing_win.cpp).
    int32_t PrintGrafik(int32_t modus, HDC dc, int32_t seitenBreite, int32_t seitenHoehe,
                        int32_t textBreite, int32_t zeilenHoehe, int32_t interaktiv);

private:
    // Global-heap blocks of the program, freed at destruction.
    void* Block(size_t bytes);
    void FreiBloecke();
    static const int MAX_BLOECKE = 160;
    HGLOBAL Bloecke[MAX_BLOECKE] = {};
    int AnzahlBloecke = 0;
    void LeseEinstellungen();
    void ErzeugeKindFenster();
    void Wiederherstellungsangebot();
    void ErgebnisDateiAnlegen();
    void FitAbbrechen();
    void FitUnterbrechen();
    void FensterGeschlossen();
    // What the dispatcher does after Open (command 60) with its result.
    void NachOeffnen(int32_t ergebnis, LPARAM lParam);
};

extern haupt_fenster HAUPTDATEN;

// A font from one of the four font descriptions: height, width + 1,
// escapement and orientation in tenths of a degree.
HFONT SchriftAusDaten(const FONT_DATEN& d, int32_t hoehe, int32_t breite, int32_t escapement);

// Writes every open graphic window whose unsaved-data mark is set to
// "numsave" + index + ".mes" in the program folder (binary, a fresh file)
// and clears the mark of each file written; nothing while autosave is off.
// Returns the number written.
int32_t AutoSicherung();

// Switches autosave on or off and (re)starts timer 6 with the period in
// seconds (kept within 1 s and 24 days); stores both settings.
void SetzeSicherung(int32_t an, int32_t sekunden);

// Path of a file in the program folder: ProgrammOrdner, "\" and the name.
// Cut to fit the buffer.
void ProgrammDatei(char* ziel, size_t groesse, const char* name);

// Refreshes the status line, the button states and the data table after an
// operation.
void UpdateFensterStatus();

// Loads a bitmap file of at most 256 colours (null when it cannot be read;
// more colours show a message). Width and height come back.
HBITMAP LoadBmpFile(HDC dc, const char* pfad, int32_t* breite, int32_t* hoehe);

// The model callback (the evaluator on the active graphic window) and the
// EXAFS chi-square callback (xas/exafs_fit_win.cpp).
double ModellFunktion(double x, double index, double* xs, double* ys, int32_t n);
double ExafsFitProzedur(int32_t anzahl, int32_t maxFitParameter, double* x, double* y,
                        double* parameter, double* alpha, double* beta, double* sigma);

#endif
