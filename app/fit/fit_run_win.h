// The fit command 507 and the fit run on the active graphic window.
#ifndef KORLAN_FIT_FIT_RUN_WIN_H
#define KORLAN_FIT_FIT_RUN_WIN_H

#include <windows.h>

#include <cstdint>

class haupt_fenster;

// Command 507 on graphic window fenster (the Numeric handler has loaded
// its model): with lParam 0 and no fit running, the model choice, the
// start bounds, the parameter entry and the macro record; then, in every
// case, the peak search of a replayed step and one step of the fit run.
void FitBefehl(haupt_fenster* app, int32_t fenster, LPARAM lParam);

// The window's model as the working model (count, types, parameter block,
// polynomial degree, model kind).
class grafik_fenster;
void FitModellLaden(const grafik_fenster& g);

// Composes the fit panel's status text into text (STATUS_TEXT_BYTES):
// counters, F test and the parameter table of the working model.
void FitStatusText(char* text);

// The parameter entry that the fit command opens after the model choice
// (1 OK, 0 Cancel): the graphic parameter entry SET_PARAMETER; tests put
// their own answer here.
typedef int32_t (*FIT_PARAMETER_EINGABE)(haupt_fenster* app);
extern FIT_PARAMETER_EINGABE FitParameterEingabe;

#endif
