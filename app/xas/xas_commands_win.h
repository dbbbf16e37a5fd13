// The routines of the XAFS menu that other parts call: the spectrum
// construction from raw columns, the reference channel, the ".F15"
// conversion, and the dialogs GETPOLYGRAD and CALCXAS.
#ifndef KORLAN_XAS_COMMANDS_WIN_H
#define KORLAN_XAS_COMMANDS_WIN_H

#include <windows.h>
#include <commdlg.h>

#include <cstdint>
#include <string>

class grafik_fenster;

// The open-file dialog of 822 and of 808's separate reference file; tests
// answer it in place of the user.
typedef BOOL (WINAPI *XAS_DATEIDIALOG)(LPOPENFILENAMEA);
extern XAS_DATEIDIALOG XasDateiDialog;

// The sample (modus other than 2) or the reference ln(I1/I2) (modus 2) in
// the current slot of g from the window's raw file, by the layout of
// "favorite.ini" ("| 1,2,3,4" without it). 1, or -1 (no I2 column: a
// message unless lParam is 2; an unreadable column: FehlerCode).
int32_t LadeReferenz(int32_t modus, grafik_fenster& g);
// The reference (modus 2) or the sample channel of the window's file in the
// current slot of g: a file of four or more columns by LadeReferenz, a
// smaller one as column 3 (reference) or 2 (sample) over column 1 as it
// stands; energies brought to keV, full borders. 1, or -1 as LadeReferenz.
int32_t LadeKanal(int32_t modus, grafik_fenster& g);
// 843: the columns chosen in CALCXAS (or, vorbereitet, DialogWerte[0..7]
// as the dialog leaves them) build the spectrum, in a new slot when
// neuerSlot > 0. Points, or -1 (cancelled or unreadable; nothing changed).
int32_t BerechneXAS(int32_t neuerSlot, grafik_fenster& g, bool vorbereitet);
// 822: an ".F15" file chosen in the file dialog into its ".M15" text. 0 for
// Cancel, else 1 (a file that cannot be read or written is reported).
int32_t KonvertiereF15();
// The first and the second derivative of g's current curve (on its real
// spacing; smoothed on the smallest step when DialogWerte[10] > 1) into
// the next two slots, each scaled to the curve's largest magnitude; the
// counter stays on the second derivative. 1, or 0 without a curve.
int32_t AbleitungsSpektrum(grafik_fenster& g);
// The Fourier smoothing of the edge searches on Numerik (which keeps x, y
// and n registered; callers put back what was registered before).
void NumerikGlaetten(double* x, double* y, int32_t n, int32_t breite);
// The edge search of the derivative steps on slot s of g: the root of the
// second derivative (or, ersteAbleitung, of the first) in [a, b] of the
// curve smoothed as AbleitungsSpektrum smooths it (glaettung > 1). 1 and
// the root, 0 when the interval holds none.
int32_t KantenSuche(grafik_fenster& g, int32_t s, double a, double b, double glaettung, bool ersteAbleitung,
                    double* e0);
// 852: the XAFS-in-one dialog; 1 when it ended with a nonzero result.
int32_t OpenXafsInOne(int32_t);

// A settings file of the program folder ("favorite.ini", "ini_2poly.par").
std::string ProgrammDatei(const char* name);

// GETPOLYGRAD in the mode of HilfeThema (0-9), owner the main window; the
// dialog's result (0 = Cancel).
INT_PTR PolyGradDialogOeffnen(HWND besitzer);
INT_PTR CALLBACK GetPolyGradProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// CALCXAS on the active window's file; 1 after OK with DialogWerte[0..7]
// filled, 0 for Cancel.
INT_PTR CalcXasDialogOeffnen(HWND besitzer);
// The column choice that 843 opens (CalcXasDialogOeffnen); tests that open
// raw files answer it in place of the user.
typedef INT_PTR (*XAS_SPALTENWAHL)(HWND besitzer);
extern XAS_SPALTENWAHL XasSpaltenWahl;

#endif
