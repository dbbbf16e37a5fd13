// The plain part of the live parameter change dialog: which parameters a
// function owns, the scroll steps and the value they give.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "app/fit/model_fixture.h"
#include "fit/change_dialog.h"
#include "xas/feff_path.h"

class AendernKern : public ModelFixture {};

TEST_F(AendernKern, FunctionNumbersAreClampedAndOffsetsFollowTheLayout)
{
    Model({1, 12, 7, 1});  // Gaussian 3, Voigt 4, polynomial degree 2, Gaussian 3
    FitPolyDegree = 2;
    AENDERN_ZUSTAND z;
    const struct { int32_t n, f, o, c; } faelle[] = {
        {1, 1, 0, 3}, {2, 2, 3, 4}, {3, 3, 7, 3}, {4, 4, 10, 3}, {9, 4, 10, 3}, {0, 1, 0, 3}, {-5, 1, 0, 3},
    };
    for (const auto& f : faelle) {
        ASSERT_TRUE(AendernZeigeFunktion(z, f.n));
        EXPECT_EQ(z.Funktion, f.f) << f.n;
        EXPECT_EQ(z.Versatz, f.o) << f.n;
        EXPECT_EQ(z.Anzahl, f.c) << f.n;
    }
    // A row beyond the new function's falls back to the first.
    AendernZeigeFunktion(z, 2);
    z.Zeile = 3;
    AendernZeigeFunktion(z, 1);
    EXPECT_EQ(z.Zeile, 0);
    // A polynomial of degree 9 owns ten parameters; seven rows are shown.
    FitPolyDegree = 9;
    AendernZeigeFunktion(z, 3);
    EXPECT_EQ(z.Anzahl, 10);
    EXPECT_EQ(AendernZeilen(z), AENDERN_ZEILEN);
    EXPECT_EQ(AendernTitel(7, 6), "7. coeff.: ");
    EXPECT_EQ(AendernTitel(101, 1), "Position: ");  // a switched-off Gaussian
    FitFunctionCount = 0;
    EXPECT_FALSE(AendernZeigeFunktion(z, 1));
}

TEST_F(AendernKern, ScrollStepsScaleTheValue)
{
    // With the default step a line is 0.5 %, a page 10 %; line up grows.
    EXPECT_DOUBLE_EQ(AendernWert(2.0, AendernAenderung(1, 20.0)), 1.99);
    EXPECT_DOUBLE_EQ(AendernWert(2.0, AendernAenderung(2, 20.0)), 2.2);
    EXPECT_DOUBLE_EQ(AendernWert(2.0, AendernAenderung(0, 20.0)), 2.01);
    EXPECT_DOUBLE_EQ(AendernWert(-2.0, AendernAenderung(0, 20.0)), -2.01);
    EXPECT_DOUBLE_EQ(AendernWert(0.0, AendernAenderung(1, 20.0)), -0.1);
    EXPECT_DOUBLE_EQ(AendernWert(0.0, AendernAenderung(3, 80.0)), -8.0);
    for (int code : {4, 5, 8, -1}) EXPECT_EQ(AendernAenderung(code, 20.0), 0.0) << code;
    // The position moves by whole steps and stays inside the bar's range.
    EXPECT_EQ(AendernPosition(0, 1.0), 1);
    EXPECT_EQ(AendernPosition(0, 0.001), 0);
    EXPECT_EQ(AendernPosition(9990, 20.0), AENDERN_SCROLL_GRENZE);
    EXPECT_EQ(AendernPosition(-9990, -80.0), -AENDERN_SCROLL_GRENZE);
}

TEST_F(AendernKern, PathFunctionsNameTheirFile)
{
    Model({25, 21, 21, 1});
    FeffPfad& a = FeffPfade[1];
    FeffPfad& b = FeffPfade[2];
    a = FeffPfad{};
    b = FeffPfad{};
    a.Beine = 2;
    b.Beine = 3;
    std::snprintf(a.Dateiname, sizeof a.Dateiname, "feff0001.dat");
    std::snprintf(b.Dateiname, sizeof b.Dateiname, "feff0005.dat");
    EXPECT_EQ(AendernName(1), " feff-S0 ");
    EXPECT_EQ(AendernName(2), " feff-Fit , feff0001.dat");
    EXPECT_EQ(AendernName(3), " feff-Fit , feff0005.dat, MS");
    EXPECT_EQ(AendernName(4), " Gaussian ");
    EXPECT_EQ(AendernName(5), "");
    a = FeffPfad{};
    b = FeffPfad{};
}
