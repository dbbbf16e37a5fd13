#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <random>

#include "zelva.h"

namespace {

using Square = std::unique_ptr<double[][100]>;
using Wide = std::unique_ptr<double[][310]>;

Square NewSquare(int rows = 100) { return Square(new double[rows][100]()); }
Wide NewWide(int rows = 310) { return Wide(new double[rows][310]()); }

double Binomial(int n, int k)
{
    double r = 1.0;
    for (int i = 1; i <= k; ++i) r = r * (n - k + i) / i;
    return r;
}

// Closed form of the inverse of the n x n Hilbert matrix (integer entries).
double HilbertInverse(int n, int i, int j)
{
    const double sign = ((i + j) % 2) ? -1.0 : 1.0;
    const double c = Binomial(i + j - 2, i - 1);
    return sign * (i + j - 1) * Binomial(n + i - 1, n - j) * Binomial(n + j - 1, n - i) * c * c;
}

void FillHilbert(double a[][100], int n)
{
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) a[i][j] = 1.0 / (i + j - 1);
}

void FillRandom(double a[][100], int m, int n, unsigned seed)
{
    std::mt19937 gen(seed);
    for (int i = 1; i <= m; ++i)
        for (int j = 1; j <= n; ++j) a[i][j] = static_cast<double>(gen()) / 4294967296.0 - 0.5;
}

}  // namespace

TEST(MatrixInversion, HilbertMatrixAgainstItsClosedFormInverse)
{
    def_zelva z;
    for (int n : {3, 5, 7}) {
        Square a = NewSquare(), y = NewSquare();
        FillHilbert(a.get(), n);
        EXPECT_EQ(z.MatrixInversion(n, a.get(), y.get()), 1.0);
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) {
                const double exact = HilbertInverse(n, i, j);
                EXPECT_NEAR(y[i][j], exact, 1e-12 * std::pow(10.0, 1.5 * (n - 3)) * std::fabs(exact)) << n;
                EXPECT_EQ(a[i][j], 1.0 / (i + j - 1));  // a is given back unchanged
            }
    }
}

TEST(Gaussj, InvertsAndSolvesOrReportsASingularMatrix)
{
    def_zelva z;
    const int n = 5;
    Square a = NewSquare();
    std::unique_ptr<double[][10]> b(new double[100][10]());
    FillHilbert(a.get(), n);
    // Right-hand sides: the row sums (solution all ones) and the first column.
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) b[i][1] += a[i][j];
        b[i][2] = a[i][1];
    }
    EXPECT_EQ(z.gaussj(a.get(), n, b.get(), 2), 1.0);
    for (int i = 1; i <= n; ++i) {
        EXPECT_NEAR(b[i][1], 1.0, 1e-9);
        EXPECT_NEAR(b[i][2], i == 1 ? 1.0 : 0.0, 1e-9);
        for (int j = 1; j <= n; ++j)
            EXPECT_NEAR(a[i][j], HilbertInverse(n, i, j), 1e-7 * std::fabs(HilbertInverse(n, i, j)));
    }

    Square s = NewSquare();
    FillRandom(s.get(), 4, 4, 3);
    for (int j = 1; j <= 4; ++j) s[3][j] = 0.0;
    EXPECT_EQ(z.gaussj(s.get(), 4, b.get(), 1), -1.0);
}

TEST(Ludcmp, SolvesAndGivesTheDeterminantSign)
{
    def_zelva z;
    const int n = 8;
    Square a = NewSquare(), orig = NewSquare();
    FillRandom(a.get(), n, n, 17);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) orig[i][j] = a[i][j];
    double xTrue[100] = {}, b[100] = {};
    for (int i = 1; i <= n; ++i) xTrue[i] = i - 4.5;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) b[i] += orig[i][j] * xTrue[j];
    int32_t index[100] = {};
    double d = 0.0;
    EXPECT_EQ(z.ludcmp(a.get(), n, index, d), 1.0);
    EXPECT_EQ(z.lubksb(a.get(), n, index, b), 1.0);
    for (int i = 1; i <= n; ++i) EXPECT_NEAR(b[i], xTrue[i], 1e-11);

    // det of the 4 x 4 Hilbert matrix is 1 / 6048000.
    Square h = NewSquare();
    FillHilbert(h.get(), 4);
    z.ludcmp(h.get(), 4, index, d);
    for (int i = 1; i <= 4; ++i) d *= h[i][i];
    EXPECT_NEAR(d * 6048000.0, 1.0, 1e-9);
}

namespace {

// Checks A = U W V^T and the orthogonality of U's columns and V.
void ExpectDecomposition(double orig[][100], int m, int n, double scale)
{
    def_zelva z;
    Square a = NewSquare(m + 1), v = NewSquare();
    for (int i = 1; i <= m; ++i)
        for (int j = 1; j <= n; ++j) a[i][j] = orig[i][j];
    double w[100] = {};
    ASSERT_EQ(z.svdcmp(a.get(), m, n, w, v.get()), 1);
    for (int i = 1; i <= m; ++i)
        for (int j = 1; j <= n; ++j) {
            double sum = 0.0;
            for (int k = 1; k <= n; ++k) sum += a[i][k] * w[k] * v[j][k];
            EXPECT_NEAR(sum, orig[i][j], 1e-13 * scale * n) << m << " " << i << " " << j;
        }
    for (int p = 1; p <= n; ++p)
        for (int q = 1; q <= n; ++q) {
            double uu = 0.0, vv = 0.0;
            for (int i = 1; i <= m; ++i) uu += a[i][p] * a[i][q];
            for (int i = 1; i <= n; ++i) vv += v[i][p] * v[i][q];
            EXPECT_NEAR(uu, p == q ? 1.0 : 0.0, 1e-12) << p << " " << q;
            EXPECT_NEAR(vv, p == q ? 1.0 : 0.0, 1e-12) << p << " " << q;
        }
}

}  // namespace

TEST(Svdcmp, ReconstructsMatricesOfAnyScale)
{
    const int m = 7, n = 5;
    Square a = NewSquare();
    FillRandom(a.get(), m, n, 5);
    ExpectDecomposition(a.get(), m, n, 1.0);
    // The same matrix scaled by 1e-12: every element lies below any fixed
    // absolute threshold of the order of 1e-10.
    Square small = NewSquare();
    for (int i = 1; i <= m; ++i)
        for (int j = 1; j <= n; ++j) small[i][j] = 1e-12 * a[i][j];
    ExpectDecomposition(small.get(), m, n, 1e-12);

    // The singular values scale with the matrix.
    def_zelva z;
    Square u1 = NewSquare(), u2 = NewSquare(), v = NewSquare();
    for (int i = 1; i <= m; ++i)
        for (int j = 1; j <= n; ++j) {
            u1[i][j] = a[i][j];
            u2[i][j] = small[i][j];
        }
    double w1[100] = {}, w2[100] = {};
    z.svdcmp(u1.get(), m, n, w1, v.get());
    z.svdcmp(u2.get(), m, n, w2, v.get());
    for (int k = 1; k <= n; ++k) EXPECT_NEAR(w2[k], 1e-12 * w1[k], 1e-25);
}

TEST(Svdcmp, TallMatrixAndRankDeficiency)
{
    // 300 rows as the component analysis uses; the third column is the sum
    // of the first two.
    const int m = 300, n = 4;
    Square a = NewSquare(m + 1);
    FillRandom(a.get(), m, n, 23);
    for (int i = 1; i <= m; ++i) a[i][3] = a[i][1] + a[i][2];
    ExpectDecomposition(a.get(), m, n, 1.0);
    def_zelva z;
    Square u = NewSquare(m + 1), v = NewSquare();
    for (int i = 1; i <= m; ++i)
        for (int j = 1; j <= n; ++j) u[i][j] = a[i][j];
    double w[100] = {};
    z.svdcmp(u.get(), m, n, w, v.get());
    int zeros = 0;
    double largest = 0.0;
    for (int k = 1; k <= n; ++k) largest = std::fmax(largest, w[k]);
    for (int k = 1; k <= n; ++k) zeros += w[k] < 1e-12 * largest;
    EXPECT_EQ(zeros, 1);
}

TEST(MatrixMultiply, ProductsAndRefusedSizes)
{
    def_zelva z;
    Wide a = NewWide(), c = NewWide();
    Square b = NewSquare();
    // a: 2 x 3, b: 3 x 2
    double av[2][3] = {{1, 2, 3}, {4, 5, 6}};
    double bv[3][2] = {{7, 8}, {9, 10}, {11, 12}};
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j) a[i + 1][j + 1] = av[i][j];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j) b[i + 1][j + 1] = bv[i][j];
    EXPECT_EQ(z.MatrixMultiplyCR(a.get(), 2, 3, b.get(), 3, 2, c.get()), 1.0);
    EXPECT_EQ(c[1][1], 58.0);
    EXPECT_EQ(c[1][2], 64.0);
    EXPECT_EQ(c[2][1], 139.0);
    EXPECT_EQ(c[2][2], 154.0);

    Square a2 = NewSquare();
    Wide b2 = NewWide(), c2 = NewWide();
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j) a2[i + 1][j + 1] = av[i][j];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j) b2[i + 1][j + 1] = bv[i][j];
    EXPECT_EQ(z.MatrixMultiplyRC(a2.get(), 2, 3, b2.get(), 3, 2, c2.get()), 1.0);
    EXPECT_EQ(c2[2][1], 139.0);

    // Mismatched or oversized: refused, nothing written.
    Wide untouched = NewWide();
    for (int i = 0; i < 310; ++i)
        for (int j = 0; j < 310; ++j) untouched[i][j] = -1.0;
    EXPECT_EQ(z.MatrixMultiplyCR(a.get(), 2, 3, b.get(), 4, 2, untouched.get()), -1.0);
    EXPECT_EQ(z.MatrixMultiplyRC(a2.get(), 2, 3, b2.get(), 2, 2, untouched.get()), -1.0);
    EXPECT_EQ(z.MatrixMultiplyCR(a.get(), 2, 3, b.get(), 3, 100, untouched.get()), -1.0);
    EXPECT_EQ(z.MatrixMultiplyRC(a2.get(), 2, 100, b2.get(), 100, 2, untouched.get()), -1.0);
    for (int i = 0; i < 310; ++i)
        for (int j = 0; j < 310; ++j) ASSERT_EQ(untouched[i][j], -1.0);
}

TEST(LinearAlgebra, RefusesDimensionsBeyondTheRowWidth)
{
    def_zelva z;
    Square a = NewSquare(), y = NewSquare();
    std::unique_ptr<double[][10]> b(new double[100][10]());
    int32_t index[101] = {};
    double d, w[101] = {}, col[101] = {};
    EXPECT_EQ(z.MatrixInversion(100, a.get(), y.get()), -1.0);
    EXPECT_EQ(z.MatrixInversion(0, a.get(), y.get()), -1.0);
    EXPECT_EQ(z.ludcmp(a.get(), 100, index, d), -1.0);
    EXPECT_EQ(z.lubksb(a.get(), 100, index, col), -1.0);
    EXPECT_EQ(z.gaussj(a.get(), 5, b.get(), 10), -1.0);
    EXPECT_EQ(z.gaussj(a.get(), 100, b.get(), 1), -1.0);
    EXPECT_EQ(z.svdcmp(a.get(), 5, 100, w, y.get()), -1);
}

TEST(LinearAlgebra, IdentityInversionAndPythag)
{
    def_zelva z;
    Square a = NewSquare(), y = NewSquare();
    for (int i = 1; i <= 6; ++i) a[i][i] = 1.0;
    EXPECT_EQ(z.MatrixInversion(6, a.get(), y.get()), 1.0);
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j) {
            EXPECT_EQ(y[i][j], i == j ? 1.0 : 0.0);
            EXPECT_EQ(a[i][j], i == j ? 1.0 : 0.0);
        }
    EXPECT_EQ(z.pythag(0.0, 0.0), 0.0);
    EXPECT_DOUBLE_EQ(z.pythag(3e200, -4e200), 5e200);
    EXPECT_DOUBLE_EQ(z.pythag(-5e-200, 12e-200), 13e-200);
}
