// The reference fit of the benchmarks: GSL's nonlinear least squares with
// the trust-region driver, Levenberg-Marquardt steps and a finite-difference
// Jacobian (as the library's own loop), tolerances 1e-10, at most 200
// iterations.
#ifndef BENCH_GSL_REFERENCE_H
#define BENCH_GSL_REFERENCE_H

#include <gsl/gsl_multifit_nlinear.h>
#include <gsl/gsl_vector.h>

#include <cstddef>
#include <vector>

class GslReferenceFit {
public:
    GslReferenceFit(int (*residuals)(const gsl_vector*, void*, gsl_vector*), std::size_t n, std::size_t p)
        : start_(p)
    {
        gsl_multifit_nlinear_parameters params = gsl_multifit_nlinear_default_parameters();
        params.trs = gsl_multifit_nlinear_trs_lm;
        fdf_.f = residuals;
        fdf_.df = nullptr;
        fdf_.fvv = nullptr;
        fdf_.n = n;
        fdf_.p = p;
        w_ = gsl_multifit_nlinear_alloc(gsl_multifit_nlinear_trust, &params, n, p);
    }
    ~GslReferenceFit() { gsl_multifit_nlinear_free(w_); }
    GslReferenceFit(const GslReferenceFit&) = delete;
    GslReferenceFit& operator=(const GslReferenceFit&) = delete;

    // One fit from start (p values); returns GSL's status.
    int Run(const double* start)
    {
        for (std::size_t j = 0; j < start_.size(); ++j) start_[j] = start[j];
        gsl_vector_view x0 = gsl_vector_view_array(start_.data(), start_.size());
        gsl_multifit_nlinear_init(&x0.vector, &fdf_, w_);
        int info = 0;
        return gsl_multifit_nlinear_driver(200, 1e-10, 1e-10, 1e-10, nullptr, nullptr, &info, w_);
    }
    const gsl_vector* Position() const { return gsl_multifit_nlinear_position(w_); }
    const gsl_vector* Residual() const { return gsl_multifit_nlinear_residual(w_); }
    std::size_t Iterations() const { return gsl_multifit_nlinear_niter(w_); }
    gsl_multifit_nlinear_workspace* Workspace() const { return w_; }

private:
    gsl_multifit_nlinear_fdf fdf_{};
    gsl_multifit_nlinear_workspace* w_;
    std::vector<double> start_;
};

#endif
