// Dense linear algebra of def_zelva on matrices of fixed row width,
// rows and columns counted from 1.
#include "zelva.h"
#include "work_block.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

const int32_t WIDTH = 100;       // square and tall matrices
const int32_t RHS_WIDTH = 10;    // right-hand sides of gaussj
const int32_t WIDE_WIDTH = 310;  // wide matrices of the products

using zelva_detail::WorkBlock;

// c = a b on 1-based rows and columns, whatever the row widths.
template <class A, class B, class C>
void Product(A a, int32_t rowsA, int32_t colsA, B b, int32_t colsB, C c)
{
    for (int32_t i = 1; i <= rowsA; ++i)
        for (int32_t j = 1; j <= colsB; ++j) {
            double sum = 0.0;
            for (int32_t k = 1; k <= colsA; ++k) sum += a[i][k] * b[k][j];
            c[i][j] = sum;
        }
}

bool FitsSquare(int32_t n) { return n >= 1 && n < WIDTH; }

}  // namespace

double def_zelva::gaussj(double a[][100], int32_t n, double b[][10], int32_t m)
{
    if (!a || !FitsSquare(n) || m < 0 || m >= RHS_WIDTH || (m > 0 && !b)) return -1.0;
    int32_t indxc[WIDTH] = {}, indxr[WIDTH] = {}, ipiv[WIDTH] = {};
    for (int32_t i = 1; i <= n; ++i) {
        double big = 0.0;
        int32_t irow = 1, icol = 1;
        for (int32_t j = 1; j <= n; ++j) {
            if (ipiv[j] == 1) continue;
            for (int32_t k = 1; k <= n; ++k) {
                if (ipiv[k] == 0 && std::fabs(a[j][k]) >= big) {
                    big = std::fabs(a[j][k]);
                    irow = j;
                    icol = k;
                }
            }
        }
        ++ipiv[icol];
        if (irow != icol) {
            for (int32_t l = 1; l <= n; ++l) std::swap(a[irow][l], a[icol][l]);
            for (int32_t l = 1; l <= m; ++l) std::swap(b[irow][l], b[icol][l]);
        }
        indxr[i] = irow;
        indxc[i] = icol;
        if (a[icol][icol] == 0.0) return -1.0;
        const double pivinv = 1.0 / a[icol][icol];
        a[icol][icol] = 1.0;
        for (int32_t l = 1; l <= n; ++l) a[icol][l] *= pivinv;
        for (int32_t l = 1; l <= m; ++l) b[icol][l] *= pivinv;
        for (int32_t ll = 1; ll <= n; ++ll) {
            if (ll == icol) continue;
            const double dum = a[ll][icol];
            a[ll][icol] = 0.0;
            for (int32_t l = 1; l <= n; ++l) a[ll][l] -= a[icol][l] * dum;
            for (int32_t l = 1; l <= m; ++l) b[ll][l] -= b[icol][l] * dum;
        }
    }
    for (int32_t l = n; l >= 1; --l) {
        if (indxr[l] != indxc[l])
            for (int32_t k = 1; k <= n; ++k) std::swap(a[k][indxr[l]], a[k][indxc[l]]);
    }
    return 1.0;
}

double def_zelva::ludcmp(double a[][100], int32_t n, int32_t* index, double& d)
{
    if (!a || !index || !FitsSquare(n)) return -1.0;
    const double TINY = 1e-20;
    double vv[WIDTH] = {};
    d = 1.0;
    for (int32_t i = 1; i <= n; ++i) {
        double big = 0.0;
        for (int32_t j = 1; j <= n; ++j) big = std::fmax(big, std::fabs(a[i][j]));
        vv[i] = big == 0.0 ? 0.0 : 1.0 / big;  // a zero row keeps scale 0
    }
    for (int32_t j = 1; j <= n; ++j) {
        for (int32_t i = 1; i < j; ++i) {
            double sum = a[i][j];
            for (int32_t k = 1; k < i; ++k) sum -= a[i][k] * a[k][j];
            a[i][j] = sum;
        }
        double big = 0.0;
        int32_t imax = j;
        for (int32_t i = j; i <= n; ++i) {
            double sum = a[i][j];
            for (int32_t k = 1; k < j; ++k) sum -= a[i][k] * a[k][j];
            a[i][j] = sum;
            const double dum = vv[i] * std::fabs(sum);
            if (dum >= big) {
                big = dum;
                imax = i;
            }
        }
        if (j != imax) {
            for (int32_t k = 1; k <= n; ++k) std::swap(a[imax][k], a[j][k]);
            d = -d;
            vv[imax] = vv[j];
        }
        index[j] = imax;
        if (a[j][j] == 0.0) a[j][j] = TINY;
        if (j != n) {
            const double dum = 1.0 / a[j][j];
            for (int32_t i = j + 1; i <= n; ++i) a[i][j] *= dum;
        }
    }
    return 1.0;
}

double def_zelva::lubksb(double a[][100], int32_t n, int32_t* index, double* b)
{
    if (!a || !index || !b || !FitsSquare(n)) return -1.0;
    for (int32_t i = 1; i <= n; ++i)
        if (index[i] < 1 || index[i] > n) return -1.0;
    int32_t ii = 0;
    for (int32_t i = 1; i <= n; ++i) {
        const int32_t ip = index[i];
        double sum = b[ip];
        b[ip] = b[i];
        if (ii) {
            for (int32_t j = ii; j < i; ++j) sum -= a[i][j] * b[j];
        } else if (sum != 0.0) {
            ii = i;
        }
        b[i] = sum;
    }
    for (int32_t i = n; i >= 1; --i) {
        double sum = b[i];
        for (int32_t j = i + 1; j <= n; ++j) sum -= a[i][j] * b[j];
        b[i] = sum / a[i][i];
    }
    return 1.0;
}

double def_zelva::MatrixInversion(int32_t n, double a[][100], double y[][100])
{
    if (!a || !y || !FitsSquare(n)) return -1.0;
    WorkBlock copy(static_cast<std::size_t>(n + 1) * WIDTH);
    if (!copy.ok()) return -1.0;
    for (int32_t i = 1; i <= n; ++i)
        for (int32_t j = 1; j <= n; ++j) copy[static_cast<std::size_t>(i) * WIDTH + j] = a[i][j];
    int32_t index[WIDTH] = {};
    double d;
    ludcmp(a, n, index, d);
    double col[WIDTH];
    for (int32_t j = 1; j <= n; ++j) {
        for (int32_t i = 1; i <= n; ++i) col[i] = 0.0;
        col[j] = 1.0;
        lubksb(a, n, index, col);
        for (int32_t i = 1; i <= n; ++i) y[i][j] = col[i];
    }
    for (int32_t i = 1; i <= n; ++i)
        for (int32_t j = 1; j <= n; ++j) a[i][j] = copy[static_cast<std::size_t>(i) * WIDTH + j];
    return 1.0;
}

double def_zelva::MatrixMultiplyCR(double a[][310], int32_t rowsA, int32_t colsA, double b[][100],
                                   int32_t rowsB, int32_t colsB, double c[][310])
{
    if (!a || !b || !c || colsA != rowsB || rowsA < 0 || colsA < 0 || colsB < 0 ||
        colsA >= WIDE_WIDTH || colsB >= WIDTH)
        return -1.0;
    Product(a, rowsA, colsA, b, colsB, c);
    return 1.0;
}

double def_zelva::MatrixMultiplyRC(double a[][100], int32_t rowsA, int32_t colsA, double b[][310],
                                   int32_t rowsB, int32_t colsB, double c[][310])
{
    if (!a || !b || !c || colsA != rowsB || rowsA < 0 || colsA < 0 || colsB < 0 ||
        colsA >= WIDTH || colsB >= WIDE_WIDTH)
        return -1.0;
    Product(a, rowsA, colsA, b, colsB, c);
    return 1.0;
}

double def_zelva::pythag(double a, double b)
{
    const double absa = std::fabs(a), absb = std::fabs(b);
    if (absa > absb) return absa * std::sqrt(1.0 + (absb / absa) * (absb / absa));
    return absb == 0.0 ? 0.0 : absb * std::sqrt(1.0 + (absa / absb) * (absa / absb));
}

int32_t def_zelva::svdcmp(double a[][100], int32_t m, int32_t n, double* w, double v[][100])
{
    if (!a || !w || !v || m < 1 || !FitsSquare(n)) return -1;
    WorkBlock rv1Block(static_cast<std::size_t>(n) + 5);
    if (!rv1Block.ok()) return -1;
    double* rv1 = rv1Block.get();
    auto sign = [](double x, double y) { return y >= 0.0 ? std::fabs(x) : -std::fabs(x); };
    double g = 0.0, scale = 0.0, anorm = 0.0, s, f, h, c, x, y, z;
    int32_t l = 1, nm = 1;

    // Householder reduction to bidiagonal form.
    for (int32_t i = 1; i <= n; ++i) {
        l = i + 1;
        rv1[i] = scale * g;
        g = s = scale = 0.0;
        if (i <= m) {
            for (int32_t k = i; k <= m; ++k) scale += std::fabs(a[k][i]);
            if (scale != 0.0) {
                for (int32_t k = i; k <= m; ++k) {
                    a[k][i] /= scale;
                    s += a[k][i] * a[k][i];
                }
                f = a[i][i];
                g = -sign(std::sqrt(s), f);
                h = f * g - s;
                a[i][i] = f - g;
                for (int32_t j = l; j <= n; ++j) {
                    s = 0.0;
                    for (int32_t k = i; k <= m; ++k) s += a[k][i] * a[k][j];
                    f = s / h;
                    for (int32_t k = i; k <= m; ++k) a[k][j] += f * a[k][i];
                }
                for (int32_t k = i; k <= m; ++k) a[k][i] *= scale;
            }
        }
        w[i] = scale * g;
        g = s = scale = 0.0;
        if (i <= m && i != n) {
            for (int32_t k = l; k <= n; ++k) scale += std::fabs(a[i][k]);
            if (scale != 0.0) {
                for (int32_t k = l; k <= n; ++k) {
                    a[i][k] /= scale;
                    s += a[i][k] * a[i][k];
                }
                f = a[i][l];
                g = -sign(std::sqrt(s), f);
                h = f * g - s;
                a[i][l] = f - g;
                for (int32_t k = l; k <= n; ++k) rv1[k] = a[i][k] / h;
                for (int32_t j = l; j <= m; ++j) {
                    s = 0.0;
                    for (int32_t k = l; k <= n; ++k) s += a[j][k] * a[i][k];
                    for (int32_t k = l; k <= n; ++k) a[j][k] += s * rv1[k];
                }
                for (int32_t k = l; k <= n; ++k) a[i][k] *= scale;
            }
        }
        anorm = std::fmax(anorm, std::fabs(w[i]) + std::fabs(rv1[i]));
    }
    // Right-hand transformations.
    for (int32_t i = n; i >= 1; --i) {
        if (i < n) {
            if (g != 0.0) {
                for (int32_t j = l; j <= n; ++j) v[j][i] = (a[i][j] / a[i][l]) / g;
                for (int32_t j = l; j <= n; ++j) {
                    s = 0.0;
                    for (int32_t k = l; k <= n; ++k) s += a[i][k] * v[k][j];
                    for (int32_t k = l; k <= n; ++k) v[k][j] += s * v[k][i];
                }
            }
            for (int32_t j = l; j <= n; ++j) v[i][j] = v[j][i] = 0.0;
        }
        v[i][i] = 1.0;
        g = rv1[i];
        l = i;
    }
    // Left-hand transformations.
    for (int32_t i = m < n ? m : n; i >= 1; --i) {
        l = i + 1;
        g = w[i];
        for (int32_t j = l; j <= n; ++j) a[i][j] = 0.0;
        if (g != 0.0) {
            g = 1.0 / g;
            for (int32_t j = l; j <= n; ++j) {
                s = 0.0;
                for (int32_t k = l; k <= m; ++k) s += a[k][i] * a[k][j];
                f = (s / a[i][i]) * g;
                for (int32_t k = i; k <= m; ++k) a[k][j] += f * a[k][i];
            }
            for (int32_t j = i; j <= m; ++j) a[j][i] *= g;
        } else {
            for (int32_t j = i; j <= m; ++j) a[j][i] = 0.0;
        }
        a[i][i] += 1.0;
    }
    // Negligible means small against the largest singular value, so that a
    // matrix of any scale decomposes alike.
    const double threshold = DBL_EPSILON * anorm;
    int32_t result = 1;
    for (int32_t k = n; k >= 1; --k) {
        for (int32_t its = 1; its <= 30; ++its) {
            bool flag = true;
            for (l = k; l >= 1; --l) {
                nm = l - 1;
                if (std::fabs(rv1[l]) <= threshold) {
                    flag = false;
                    break;
                }
                if (std::fabs(w[nm]) <= threshold) break;
            }
            if (flag) {
                c = 0.0;
                s = 1.0;
                for (int32_t i = l; i <= k; ++i) {
                    f = s * rv1[i];
                    rv1[i] = c * rv1[i];
                    if (std::fabs(f) <= threshold) break;
                    g = w[i];
                    h = pythag(f, g);
                    w[i] = h;
                    h = 1.0 / h;
                    c = g * h;
                    s = -f * h;
                    for (int32_t j = 1; j <= m; ++j) {
                        y = a[j][nm];
                        z = a[j][i];
                        a[j][nm] = y * c + z * s;
                        a[j][i] = z * c - y * s;
                    }
                }
            }
            z = w[k];
            if (l == k) {
                if (z < 0.0) {
                    w[k] = -z;
                    for (int32_t j = 1; j <= n; ++j) v[j][k] = -v[j][k];
                }
                break;
            }
            if (its == 30) {
                result = 0;  // leave this value as it stands
                break;
            }
            x = w[l];
            nm = k - 1;
            y = w[nm];
            g = rv1[nm];
            h = rv1[k];
            f = ((y - z) * (y + z) + (g - h) * (g + h)) / (2.0 * h * y);
            g = pythag(f, 1.0);
            f = ((x - z) * (x + z) + h * ((y / (f + sign(g, f))) - h)) / x;
            c = s = 1.0;
            for (int32_t j = l; j <= nm; ++j) {
                const int32_t i = j + 1;
                g = rv1[i];
                y = w[i];
                h = s * g;
                g = c * g;
                z = pythag(f, h);
                rv1[j] = z;
                c = f / z;
                s = h / z;
                f = x * c + g * s;
                g = g * c - x * s;
                h = y * s;
                y *= c;
                for (int32_t jj = 1; jj <= n; ++jj) {
                    x = v[jj][j];
                    z = v[jj][i];
                    v[jj][j] = x * c + z * s;
                    v[jj][i] = z * c - x * s;
                }
                z = pythag(f, h);
                w[j] = z;
                if (z != 0.0) {
                    z = 1.0 / z;
                    c = f * z;
                    s = h * z;
                }
                f = c * g + s * y;
                x = c * y - s * g;
                for (int32_t jj = 1; jj <= m; ++jj) {
                    y = a[jj][j];
                    z = a[jj][i];
                    a[jj][j] = y * c + z * s;
                    a[jj][i] = z * c - y * s;
                }
            }
            rv1[l] = 0.0;
            rv1[k] = f;
            w[k] = x;
        }
    }
    return result;
}
