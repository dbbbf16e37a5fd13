// Distances of FEFF paths that follow the cluster: the atom positions of
// the copper FEFF 8.50L run (tests/app/xas/data/cu_feff85_noSCF, see
// data/SOURCES.md there) stretched per axis, against the test's own reading
// of paths.dat and the closed forms, in the evaluator, and recovered by a
// fit of a spectrum whose distances are all stretched.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/xas/xas_test_support.h"
#include "model_fixture.h"
#include "xas/feff_path.h"

namespace {

// One path of paths.dat as the test reads it: reff and the atom positions
// in the order of the path, the absorber last.
struct Geometrie {
    double reff = 0.0;
    std::vector<double> x, y, z;
};

std::vector<Geometrie> PathsDat()
{
    std::ifstream f(Feff85Ordner() + "paths.dat");
    std::vector<Geometrie> aus;
    std::string zeile;
    while (std::getline(f, zeile)) {
        const std::size_t r = zeile.find("r=");
        if (zeile.find("index, nleg") != std::string::npos && r != std::string::npos) {
            int index = 0, beine = 0;
            std::sscanf(zeile.c_str(), "%d %d", &index, &beine);
            Geometrie g;
            g.reff = std::atof(zeile.c_str() + r + 2);
            std::getline(f, zeile);  // column titles
            for (int j = 0; j < beine; ++j) {
                std::getline(f, zeile);
                double x, y, z;
                std::sscanf(zeile.c_str(), "%lf %lf %lf", &x, &y, &z);
                g.x.push_back(x), g.y.push_back(y), g.z.push_back(z);
            }
            aus.push_back(g);
        }
    }
    return aus;
}

// Half the leg lengths of the closed path with every position stretched.
double HalbeLaenge(const Geometrie& g, const double c[3])
{
    const std::size_t n = g.x.size();
    double summe = 0.0;
    for (std::size_t j = 0; j < n; ++j) {
        const std::size_t v = (j + n - 1) % n;
        const double dx = (g.x[j] - g.x[v]) * (1 + c[0]), dy = (g.y[j] - g.y[v]) * (1 + c[1]),
                     dz = (g.z[j] - g.z[v]) * (1 + c[2]);
        summe += std::sqrt(dx * dx + dy * dy + dz * dz);
    }
    return summe / 2.0;
}

// The paths of files.dat in its order (0013 is absent).
const int PFADE[14] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15};

}  // namespace

class ClusterPfade : public ModelFixture {
protected:
    std::vector<double> gitter;
    std::vector<Geometrie> geometrie = PathsDat();

    void SetUp() override
    {
        ModelFixture::SetUp();
        ModellKGewicht = 2.0;
        S0Quadrat = 1.0;
        DebyeWallerModell = 0;
        MessTemperatur = 300.0;
        env.KurvenFlags = 0x10;
        for (int i = 0; i < 321; ++i) gitter.push_back(2.0 + 0.05 * i);
        ASSERT_NE(McMasterTabelle(), nullptr);
        ASSERT_EQ(geometrie.size(), 15u);  // paths.dat also holds path 13
    }
    void TearDown() override
    {
        FeffPfadeLeeren();
        ModelFixture::TearDown();
    }
    // Path number nummer into record r, on the grid.
    FeffPfad& Laden(int r, int nummer)
    {
        FeffUmgebung u;
        u.McMaster = McMasterTabelle();
        u.Numerik = &zelva;
        FeffPfad& s = FeffPfade[r];
        FeffPfadFreigeben(&s);
        s.Pfadnummer = nummer;
        std::snprintf(s.FilesDatPfad, sizeof s.FilesDatPfad, "%sfiles.dat", Feff85Ordner().c_str());
        EXPECT_GT(LadeFeffPfad(1, &s, static_cast<int32_t>(gitter.size()), gitter.data(), u), 0) << nummer;
        return s;
    }
};

// Every path of the run: with no stretch its distance is its Reff exactly;
// stretched alike on all axes it is (1 + e) Reff; stretched per axis it
// scales as half its leg lengths from paths.dat do.
TEST_F(ClusterPfade, DistancesOfTheCopperPathsFromTheirPositions)
{
    const double keine[3] = {0.0, 0.0, 0.0}, gleich[3] = {0.013, 0.013, 0.013};
    const double achsen[][3] = {{0.01, 0.0, 0.0}, {0.0, -0.02, 0.0}, {0.0, 0.0, 0.03}, {0.01, -0.005, 0.02}};
    for (int nummer : PFADE) {
        SCOPED_TRACE(nummer);
        const FeffPfad& s = Laden(1, nummer);
        const Geometrie& g = geometrie[nummer - 1];
        ASSERT_EQ(static_cast<std::size_t>(s.Beine), g.x.size());
        EXPECT_NEAR(s.Reff, g.reff, 1e-12);
        // paths.dat's positions give FEFF's own reff to its four decimals.
        EXPECT_NEAR(HalbeLaenge(g, keine), s.Reff, 6e-5);
        EXPECT_EQ(ClusterAbstand(s, keine), s.Reff);
        EXPECT_NEAR(ClusterAbstand(s, gleich), 1.013 * s.Reff, 1e-12);
        for (const auto& c : achsen)
            EXPECT_NEAR(ClusterAbstand(s, c), s.Reff * HalbeLaenge(g, c) / HalbeLaenge(g, keine), 1e-12);
    }
    // Path 2 lies on x: only cx stretches it. Path 1 lies in the x-z plane.
    const FeffPfad& x = Laden(1, 2);
    const double cx[3] = {0.01, 0.0, 0.0}, cy[3] = {0.0, 0.01, 0.0};
    EXPECT_NEAR(ClusterAbstand(x, cx), 1.01 * 3.61, 1e-12);
    EXPECT_EQ(ClusterAbstand(x, cy), 3.61);
    const FeffPfad& xz = Laden(1, 1);
    EXPECT_NEAR(ClusterAbstand(xz, cx), 2.5527 * std::sqrt((1.01 * 1.01 + 1.0) / 2.0), 1e-12);
    EXPECT_EQ(ClusterAbstand(xz, cy), 2.5527);
    // A record without positions keeps its effective length.
    FeffPfad leer{};
    leer.Beine = 2;
    leer.Reff = 2.0;
    EXPECT_EQ(ClusterAbstand(leer, cx), 2.0);
}

// In the model: the distances of the cluster paths come from the last three
// functions' distance parameters while the third-last carries the cluster
// bit, are left in 5000 + i, and follow a changed coefficient also in a
// point call past the first point. Without the bit on the third-last the
// coefficients count as 0.
TEST_F(ClusterPfade, ModelTakesTheCoefficientsOfTheLastThreeFunctions)
{
    // Paths 1, 2, 3 (a triangle), 5 and 8.
    const int nummern[5] = {1, 2, 3, 5, 8};
    for (int r = 1; r <= 5; ++r) Laden(r, nummern[r - 1]);
    auto modell = [&](bool cluster, const double c[3]) {
        Model({25, 21, 21, 21, 21, 21});
        block[0] = 0.9;
        for (int r = 1; r <= 5; ++r) {
            const int q = 1 + 4 * (r - 1);
            block[q] = FeffPfade[r].Entartung;
            // A cluster path's own distance parameter is not read.
            block[q + 1] = !cluster ? ClusterAbstand(FeffPfade[r], c) : r >= 3 ? c[r - 3] : FeffPfade[r].Reff;
            block[q + 2] = 0.004;
            block[q + 3] = 1.5;
            if (cluster) flags[q + 1] = PF_CLUSTER | (r >= 3 ? 0 : PF_FIXED);
        }
    };
    const double c[3] = {0.012, -0.004, 0.02}, null[3] = {0.0, 0.0, 0.0};
    modell(false, c);
    const std::vector<double> erwartet = Array(gitter);
    modell(true, c);
    const std::vector<double> chi = Array(gitter);
    double groesste = 0.0;
    for (double v : erwartet) groesste = std::max(groesste, std::fabs(v));
    ASSERT_GT(groesste, 0.5);
    for (std::size_t j = 0; j < gitter.size(); ++j) ASSERT_NEAR(chi[j], erwartet[j], 1e-12 * groesste) << j;
    for (int r = 1; r <= 5; ++r) EXPECT_NEAR(results[5000 + r], ClusterAbstand(FeffPfade[r], c), 1e-15) << r;
    // The coefficients stay in the block.
    EXPECT_EQ(block[1 + 4 * 2 + 1], 0.012);

    // A changed coefficient reaches a point call that starts past point 0.
    const double c2[3] = {0.03, -0.004, 0.02};
    modell(false, c2);
    const double anders = At(gitter[40], 40.0);
    modell(true, c);
    At(gitter[40], 40.0);
    block[1 + 4 * 2 + 1] = 0.03;
    EXPECT_NEAR(At(gitter[40], 40.0), anders, 1e-12 * groesste);

    // Without the bit on the third-last function: every cluster path at
    // its Reff, the last three included.
    modell(true, c);
    flags[1 + 4 * 2 + 1] = PF_FIXED;
    std::vector<double> ohne = Array(gitter);
    modell(false, null);
    for (int r = 3; r <= 5; ++r) block[1 + 4 * (r - 1) + 1] = r == 3 ? 0.012 : FeffPfade[r].Reff;
    // Path 3 holds 0.012 as a shift of its own: it has no cluster bit now.
    const std::vector<double> referenz = Array(gitter);
    for (std::size_t j = 0; j < gitter.size(); ++j) ASSERT_NEAR(ohne[j], referenz[j], 1e-12 * groesste) << j;

    // A triangle whose distance follows its legs scales them as the
    // cluster distance of its single-scattering path (all three legs match
    // path 1).
    Laden(2, 3);
    modell(true, c);
    flags[1 + 4 * 1 + 1] = PF_MS_DISTANCE | PF_FIXED;
    Array(gitter);
    EXPECT_NEAR(results[5002], HalbeLaenge(geometrie[2], null) * ClusterAbstand(FeffPfade[1], c) / 2.5527, 1e-9);
    EXPECT_GT(results[5002], 3.829 * 1.005);
}

// A spectrum of the first eight paths, every distance stretched by 1 %
// (made by the evaluator with the distances given absolutely), is fitted
// with the cluster: the three coefficients come out at 0.01. A spectrum
// stretched along x only is fitted with cx alone free, as the mu(0) fit
// sets it up.
TEST_F(ClusterPfade, FitRecoversTheStretchOfTheCluster)
{
    for (int r = 1; r <= 8; ++r) Laden(r, r);
    std::vector<double> x;
    for (double k : gitter)
        if (k >= 3.0 && k <= 15.0) x.push_back(k);
    auto modell = [&](const double* abstand) {
        Model({25, 21, 21, 21, 21, 21, 21, 21, 21});
        block[0] = 0.9;
        for (int r = 1; r <= 8; ++r) {
            const int q = 1 + 4 * (r - 1);
            block[q] = FeffPfade[r].Entartung;
            block[q + 1] = abstand[r - 1];
            block[q + 2] = 0.003 + 0.0005 * r;
            block[q + 3] = 2.0;
        }
    };
    struct Fall {
        const char* name;
        double c[3];
        int frei;  // coefficients free, from cx on
    } faelle[] = {{"all axes", {0.01, 0.01, 0.01}, 3}, {"x only", {0.01, 0.0, 0.0}, 1}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        double abstand[8];
        for (int r = 1; r <= 8; ++r) {
            const Geometrie& g = geometrie[r - 1];
            const double null[3] = {0.0, 0.0, 0.0};
            abstand[r - 1] = FeffPfade[r].Reff * HalbeLaenge(g, f.c) / HalbeLaenge(g, null);
        }
        if (f.frei == 3)
            for (int r = 1; r <= 8; ++r) EXPECT_NEAR(abstand[r - 1], 1.01 * FeffPfade[r].Reff, 1e-12);
        modell(abstand);
        std::vector<double> y = Array(x);

        // The cluster model: all else fixed at the true values, the
        // coefficients start at 0.
        modell(abstand);
        for (int j = 0; j <= MaxParameter; ++j)
            if (j % 4 != 2 || j < 1 + 4 * 5) FixParameter(j);
        for (int r = 1; r <= 8; ++r) {
            const int q = 1 + 4 * (r - 1) + 1;
            if (r >= 6) {
                block[q] = 0.0;
                if (r - 6 >= f.frei) FixParameter(q);
            }
            flags[q] |= PF_CLUSTER;
        }
        ASSERT_EQ(MaxFitParameter + 1, f.frei);
        ASSERT_EQ(FitToEnd(x, y, 0.001, 200), -1);
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(block[1 + 4 * (5 + j) + 1], f.c[j], 1e-3) << j;
        EXPECT_NEAR(block[1 + 4 * 5 + 1], f.c[0], 1e-6);
        for (int r = 1; r <= 8; ++r) EXPECT_NEAR(results[5000 + r], abstand[r - 1], 1e-6) << r;
    }
}
