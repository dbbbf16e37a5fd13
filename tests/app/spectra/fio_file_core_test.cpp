// The ".fio" import: where the data lines stop, the regular grid and its
// interpolated signals (the natural spline reproduces straight lines
// exactly), keV ranges, and the output name that would replace the input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/temp_folder.h"
#include "spectra/fio_file.h"
#include "zelva.h"

namespace {

void ZelvaSpline(double* x, double* y, int32_t n, double* xs, double* ys, int32_t m)
{
    static def_zelva z;
    z.SetField(x, y);
    z.SetAnzahl(n, -1, -1);
    z.Splint(m, xs, ys);
}

const char* const KOPF = "! measurement 4711\r\n%c scan on Cu K edge\r\n";

// Header, then `n` rising lines x = x0 + i * dx, and `zurueck` lines that
// start again from x0. Values 8, 9 and 10 are 2x + 1, 5 and 3 - x / 2.
std::string FioText(int n, double x0, double dx, int zurueck = 0)
{
    std::string t = KOPF;
    char zeile[300];
    for (int i = 0; i < n + zurueck; ++i) {
        const double x = x0 + (i < n ? i : i - n) * dx;
        std::snprintf(zeile, sizeof zeile, "%d %.6f 0.1 0.2 0.3 0.4 0.5 %.6f %.6f %.6f\r\n", i, x,
                      2 * x + 1, 5.0, 3 - x / 2);
        t += zeile;
    }
    return t;
}

std::vector<std::vector<double>> Zeilen(const std::string& text, int kopf)
{
    std::vector<std::vector<double>> z;
    std::stringstream s(text);
    std::string zeile;
    for (int i = 0; std::getline(s, zeile); ++i) {
        if (i < kopf) continue;
        std::vector<double> v;
        std::stringstream f(zeile);
        std::string feld;
        while (std::getline(f, feld, ',')) v.push_back(std::stod(feld));
        z.push_back(v);
    }
    return z;
}

}  // namespace

TEST(FioImport, StopsWhereXRunsBackAndWritesTheGrid)
{
    TempOrdner ordner;
    const std::string ein = ordner.Datei("cu_edge.fio");
    SchreibeBytes(ein, FioText(700, 8900.0, 0.5, 40));
    FioErgebnis e;
    ASSERT_EQ(ImportiereFio(ein, ZelvaSpline, &e), FIO_OK);
    EXPECT_EQ(e.Ausgabe, ordner.Datei("cu_edge.fix"));
    EXPECT_EQ(e.Zeilen, 700);

    const std::string aus = LiesBytes(e.Ausgabe);
    ASSERT_EQ(aus.compare(0, std::strlen(KOPF), KOPF), 0);
    const auto z = Zeilen(aus, 2);
    ASSERT_EQ(z.size(), static_cast<size_t>(FIO_GITTER));
    const double schritt = (8900.0 + 699 * 0.5 - 8900.0) / 1499.0;
    for (int k = 0; k < FIO_GITTER; ++k) {
        ASSERT_EQ(z[k].size(), 4u);
        const double g = 8900.0 + k * schritt;
        ASSERT_NEAR(z[k][0], g, 1e-6) << k;
        ASSERT_NEAR(z[k][1], 2 * g + 1, 1e-5) << k;
        ASSERT_NEAR(z[k][2], 5.0, 1e-6) << k;
        ASSERT_NEAR(z[k][3], 3 - g / 2, 1e-5) << k;
    }
    EXPECT_NEAR(z.back()[0], 9249.5, 1e-6);
    EXPECT_NE(aus.find("\r\n"), std::string::npos);
}

TEST(FioImport, KeVRangeGetsAFractionalStep)
{
    TempOrdner ordner;
    const std::string ein = ordner.Datei("kev.fio");
    SchreibeBytes(ein, FioText(300, 8.95, 0.0005));
    FioErgebnis e;
    ASSERT_EQ(ImportiereFio(ein, ZelvaSpline, &e), FIO_OK);
    EXPECT_GT(e.Schritt, 0.0);
    const auto z = Zeilen(LiesBytes(e.Ausgabe), 2);
    ASSERT_EQ(z.size(), static_cast<size_t>(FIO_GITTER));
    EXPECT_NEAR(z.front()[0], 8.95, 1e-6);
    EXPECT_NEAR(z.back()[0], 8.95 + 299 * 0.0005, 1e-6);
    for (int k = 1; k < FIO_GITTER; ++k) ASSERT_GT(z[k][0], z[k - 1][0]) << k;
    EXPECT_NEAR(z[750][1], 2 * z[750][0] + 1, 1e-5);
}

TEST(FioImport, RefusesWithoutWritingAnything)
{
    TempOrdner ordner;
    struct Fall {
        const char* name;
        std::string inhalt;
        int32_t code;
    };
    const Fall faelle[] = {
        {"same.fix", FioText(50, 1.0, 1.0), FIO_GLEICHER_NAME},  // output = input
        {"same.fiX", FioText(50, 1.0, 1.0), FIO_GLEICHER_NAME},  // the same file to Windows
        {"one.fio", FioText(1, 1.0, 1.0), FIO_ZU_WENIG},
        {"flat.fio", FioText(1, 1.0, 1.0, 5), FIO_ZU_WENIG},
        {"header.fio", KOPF, FIO_ZU_WENIG},
    };
    for (const Fall& f : faelle) {
        const std::string ein = ordner.Datei(f.name);
        SchreibeBytes(ein, f.inhalt);
        FioErgebnis e;
        EXPECT_EQ(ImportiereFio(ein, ZelvaSpline, &e), f.code) << f.name;
        EXPECT_EQ(LiesBytes(ein), f.inhalt) << f.name;
        size_t dateien = 0;
        for (const auto& eintrag : std::filesystem::directory_iterator(ordner.Ordner())) {
            (void)eintrag;
            ++dateien;
        }
        EXPECT_EQ(dateien, 1u) << f.name;
        std::filesystem::remove(ein);
    }
    FioErgebnis e;
    EXPECT_EQ(ImportiereFio(ordner.Datei("missing.fio"), ZelvaSpline, &e), FIO_NICHT_OFFEN);
}
