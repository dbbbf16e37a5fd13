// The commands of the statistics on the last refinement: restore the start
// values (521), the automated F tests (522) and the confidence limits
// (523), on the target graphic window.
#ifndef KORLAN_FIT_STATISTICS_WIN_H
#define KORLAN_FIT_STATISTICS_WIN_H

#include <cstdint>

class haupt_fenster;

// 522: one line per free parameter into CommandText and the results
// history. Parameters, tables and the iteration limit are as before.
void AutoFTest(haupt_fenster* app, int32_t fenster);
// 523: the distance of every free parameter to the confidence limit; the
// parameters are those of a final fit.
void KonfidenzGrenzen(haupt_fenster* app, int32_t fenster);
// 521: the start values of the last fit back into the model they came
// from; nothing for any other window or model.
void ParameterWiederherstellen(haupt_fenster* app, int32_t fenster);

#endif
