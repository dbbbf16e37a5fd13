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
