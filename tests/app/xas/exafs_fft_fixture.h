// The fit model of model_fixture.h with the surroundings of the whole-curve
// model kinds: a box window over k 2-14, 512 k points, R step 0.05, and the
// report's arrays.
#ifndef KORLAN_TESTS_XAS_EXAFS_FFT_FIXTURE_H
#define KORLAN_TESTS_XAS_EXAFS_FFT_FIXTURE_H

#include <vector>

#include "../fit/model_fixture.h"
#include "xas/model_fft.h"

class ExafsFftFixture : public ModelFixture {
protected:
    EXAFS_FFT_UMFELD u;
    FTWINDOW fenster{1, 14.0, 2.0, 0.0, 0.0};
    double kGewicht = 0.0;
    // Report: 0-3 the first group, 4-7 the extra power's, 8 the imaginary parts.
    std::vector<std::vector<double>> bericht = std::vector<std::vector<double>>(9, std::vector<double>(6000, 0.0));

    void SetUp() override
    {
        ModelFixture::SetUp();
        zelva.SetFunction(Callback);
        u = EXAFS_FFT_UMFELD{};
        u.Numerik = &zelva;
        u.Fenster = &fenster;
        u.KPunkte = 512;
        u.RSchritt = 0.05;
        u.KGewicht = &kGewicht;
        for (int k = 0; k < 4; ++k) {
            u.Bericht[k] = bericht[k].data();
            u.Bericht2[k] = bericht[4 + k].data();
        }
        u.BerichtImag = bericht[8].data();
        u.BerichtImagLaenge = 6000;
    }
};

#endif
