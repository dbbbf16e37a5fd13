// The commands of the statistics on the last refinement: restore the start
// values (521), the automated F tests (522) and the confidence limits
// (523), on the target graphic window.
#ifndef KORLAN_FIT_STATISTICS_WIN_H
#define KORLAN_FIT_STATISTICS_WIN_H

#include <cstdint>

#include "fit/fit_statistics.h"

class haupt_fenster;
class grafik_fenster;

// What the refits of 522 and 523 get of window g: its curve, slot flags and
// model kind; for a transform fitted in R space the weights and the
// imaginary parts of data and model.
NACHFIT_AUFBAU NachfitAufbau(haupt_fenster* app, grafik_fenster& g);

// 522: one line per free parameter into CommandText and the results
// history. Parameters, tables and the iteration limit are as before.
void AutoFTest(haupt_fenster* app, int32_t fenster);
// 523: the distance of every free parameter to the confidence limit; the
// parameters are those of a final fit.
void KonfidenzGrenzen(haupt_fenster* app, int32_t fenster);
// 521: the start values of the last fit back into the model they came
// from; nothing for any other window or model.
void ParameterWiederherstellen(haupt_fenster* app, int32_t fenster);
// Whether the window's model, the numerics object and the tables are those
// of a fit (its model is loaded); otherwise a box says so and false.
bool LetzteVerfeinerungBereit(haupt_fenster* app, grafik_fenster& g);

#endif
