// FEFF scattering paths and LC-XANES references of the evaluator.
#include "fit/exafs_terms.h"
#include "fit/model_terms.h"

bool FeffPfadVorbereiten(MODELL_LAUF&, int32_t, int32_t, int32_t) { return false; }
double FeffPfadWert(const MODELL_LAUF&, int32_t, int32_t, int32_t, double, int32_t) { return 0.0; }
bool LcXanesVorbereiten(MODELL_LAUF&, int32_t, int32_t) { return false; }
double LcXanesWert(const MODELL_LAUF&, int32_t, int32_t, int32_t) { return 0.0; }
void LcXanesFertig() {}
int32_t FeffPfadWerte(double, int32_t, double&, double&, double&, double&) { return -1; }
