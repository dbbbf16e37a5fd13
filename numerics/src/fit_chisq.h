// Chi-square of the fit step without its curvature and gradient, and with
// cheaper derivatives for the steps far from the minimum.
#ifndef ZELVA_FIT_CHISQ_H
#define ZELVA_FIT_CHISQ_H

#include "zelva.h"

namespace zelva_detail {

// The chi-square that CalcDeviation's own loop gives (the same sum in the
// same order, one model call per point) with the trial values by list
// position in place; the fitted parameters are restored afterwards. The
// model values are kept for GradientFromKept and SteeringDeviation.
double TrialChiSquare(def_zelva& z, const double* trial);

// CalcDeviation's own loop with one-sided derivatives (one model value per
// point and fitted parameter) instead of the rule the object is set to: the
// curvature of a step that only has to lead towards the minimum. When the
// model's array mode gives its point-mode values to the bit, the shifted
// values come from one array call per parameter. modellBekannt: the model
// values of the last TrialChiSquare belong to the values in place. The
// caller has checked the set-up.
double SteeringDeviation(def_zelva& z, double* alpha, double* beta, bool modellBekannt);

// CalcDeviation's own loop with the rule the object is set to, which also
// keeps the derivatives of every point for GradientFromKept (up to 2^21
// values; a larger fit keeps none). The caller has checked the set-up.
double KeepingDeviation(def_zelva& z, double* alpha, double* beta);

// The gradient (beta, by list position) from the derivatives the last
// KeepingDeviation kept and the model values of the last TrialChiSquare, in
// the order and form of CalcDeviation's loop. False when none are kept.
bool GradientFromKept(const def_zelva& z, double* beta);

// Frees the blocks of the two functions above at the end of a fit.
void ReleaseFitBlocks();

}  // namespace zelva_detail

#endif
