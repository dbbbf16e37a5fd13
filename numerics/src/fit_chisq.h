// Chi-square of the fit step without its curvature and gradient.
#ifndef ZELVA_FIT_CHISQ_H
#define ZELVA_FIT_CHISQ_H

#include "zelva.h"

namespace zelva_detail {

// The chi-square that CalcDeviation's own loop gives (the same sum in the
// same order, one model call per point) with the trial values by list
// position in place; the fitted parameters are restored afterwards.
double TrialChiSquare(def_zelva& z, const double* trial);

}  // namespace zelva_detail

#endif
