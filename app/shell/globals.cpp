// The program's global objects and command globals. They are defined in
// this one file so that they are built in this order before WinMain runs
// (and destroyed in the reverse order at exit): the plotting object, the
// numerics object, the application object, the other window objects and
// the four graphic-window records.
#include "shell/haupt_fenster.h"
#include "shell/child_windows.h"
#include "spectra/spectra_globals.h"

feld_plot Plotter;
def_zelva Numerik;
haupt_fenster HAUPTDATEN;
results_fenster ResultsWindow;
button_leiste ButtonBar;
progress_fenster ProgressWindow;
grafik_fenster GrafikFenster[4];
editor_fenster EditorWindow;

int32_t AktivesFenster = 0;
int32_t AnzahlFenster = 0;

double* CommandArgs = nullptr;
char* CommandText = nullptr;
char* StatusText = nullptr;
char* CommandText2 = nullptr;
char* CommandText3 = nullptr;

int32_t FehlerCode = 0;
int32_t HilfeThema = 0;
int32_t MakroRunning = 0;
int32_t RedrawPerMessage = 1;

HWND ModelessList[MODELESS_COUNT] = {};
HWND AendernDialog = nullptr;
HWND AssistentDialog = nullptr;
int32_t KonfidenzFrage = 0;

double* McMasterTable = nullptr;

double* FitStartWerte = nullptr;
double* FitArbeitsFeld = nullptr;
double* FitResiduen = nullptr;
double* FitDifferenzen = nullptr;
double* BefehlsFelder[2] = {};
double* ArbeitsFelder[9] = {};
double* ArbeitsSatz1[4] = {};
double* ArbeitsSatz2[4] = {};

EXAFS_OPTIONEN ExafsOptionen = {8.0, 0.025, 40.0, 2048, 0, 0, -1.0};

MELDUNGSBOX MeldungsBox = MessageBoxA;
