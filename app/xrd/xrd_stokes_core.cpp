// The Stokes deconvolution. No window code.
#include "xrd/xrd_stokes.h"

bool XrdStokes(def_zelva& z, const double* x, const double* y, int32_t n, const double* ix, const double* iy,
               int32_t m, std::vector<double>& xo, std::vector<double>& yo)
{
    xo.clear();
    yo.clear();
    if (n < 1 || m < 2 || !x || !y || !ix || !iy) return false;
    for (int32_t j = 1; j < m; ++j)
        if (!(ix[j] > ix[j - 1])) return false;
    const std::size_t sn = static_cast<std::size_t>(n), sm = static_cast<std::size_t>(m);
    std::vector<double> instX(ix, ix + sm), instY(iy, iy + sm), y2(sm + 1, 0.0);
    std::vector<double> probeX(x, x + sn), probeY(y, y + sn), instrument(sn, 0.0);
    z.SetField(instX.data(), instY.data());
    z.SetAnzahl(m, -1, -1);
    z.spline(y2.data());
    for (std::size_t i = 0; i < sn; ++i) instrument[i] = z.helpsplint(probeX[i], y2.data());
    xo.assign(sn, 0.0);
    yo.assign(sn, 0.0);
    z.SetField(probeX.data(), probeY.data());
    z.SetAnzahl(n, -1, -1);
    z.StokesCorrection(m, probeX.data(), instrument.data(), xo.data(), yo.data());
    return true;
}
