#include "zelva.h"

#include <cmath>

double def_zelva::gammln(double xx)
{
    // Lanczos series, six terms (error below 2e-10 for xx > 0).
    static const double cof[6] = {76.18009172947146,  -86.50532032941677,
                                  24.01409824083091,  -1.231739572450155,
                                  0.1208650973866179e-2, -0.5395239384953e-5};
    double x = xx, y = xx;
    double tmp = x + 5.5;
    tmp -= (x + 0.5) * std::log(tmp);
    double ser = 1.000000000190015;
    for (double c : cof) ser += c / ++y;
    return -tmp + std::log(2.5066282746310005 * ser / x);
}

double def_zelva::betai(double a, double b, double x)
{
    if (x < 0.0 || x > 1.0 || !(a > 0.0) || !(b > 0.0)) return -1.0;
    double bt = 0.0;
    if (x != 0.0 && x != 1.0)
        bt = std::exp(gammln(a + b) - gammln(a) - gammln(b) + a * std::log(x) +
                      b * std::log(1.0 - x));
    if (x < (a + 1.0) / (a + b + 2.0)) return bt * betacf(a, b, x) / a;
    return 1.0 - bt * betacf(b, a, 1.0 - x) / b;
}

double def_zelva::betacf(double a, double b, double x)
{
    // Modified Lentz evaluation of the continued fraction.
    const int32_t MAXIT = 100;
    const double EPS = 3e-7;
    const double FPMIN = 1e-30;
    const double qab = a + b, qap = a + 1.0, qam = a - 1.0;
    double c = 1.0;
    double d = 1.0 - qab * x / qap;
    if (std::fabs(d) < FPMIN) d = FPMIN;
    d = 1.0 / d;
    double h = d;
    for (int32_t m = 1; m <= MAXIT; ++m) {
        const int32_t m2 = 2 * m;
        double aa = m * (b - m) * x / ((qam + m2) * (a + m2));
        d = 1.0 + aa * d;
        if (std::fabs(d) < FPMIN) d = FPMIN;
        c = 1.0 + aa / c;
        if (std::fabs(c) < FPMIN) c = FPMIN;
        d = 1.0 / d;
        h *= d * c;
        aa = -(a + m) * (qab + m) * x / ((a + m2) * (qap + m2));
        d = 1.0 + aa * d;
        if (std::fabs(d) < FPMIN) d = FPMIN;
        c = 1.0 + aa / c;
        if (std::fabs(c) < FPMIN) c = FPMIN;
        d = 1.0 / d;
        const double del = d * c;
        h *= del;
        if (std::fabs(del - 1.0) < EPS) break;
    }
    return h;
}

double def_zelva::avevar(double* data, int32_t n, double& mean, double& variance)
{
    mean = 0.0;
    variance = 0.0;
    if (!data || n < 1) return 0.0;
    for (int32_t j = 0; j < n; ++j) mean += data[j];
    mean /= n;
    // A single value has no spread to estimate; n - 1 would be 0.
    if (n < 2) return 0.0;
    for (int32_t j = 0; j < n; ++j) {
        const double s = data[j] - mean;
        variance += s * s;
    }
    variance /= (n - 1);
    return variance;
}
