// Drawing of data arrays and model functions into the laid-out frame.
#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "axis_scale.h"
#include "plot_gdi.h"

using vantor_gdi::Selection;

namespace {

// Longest stretch of data drawn point by point; longer stretches are
// resampled onto RESAMPLED + 1 points.
constexpr int RESAMPLED = 1500;
// The scan for the end of data of unknown length stops here at the latest.
constexpr int LEGACY_SCAN_LIMIT = 1 << 22;
constexpr int HIDDEN_FAR = 100000000;

// Library-wide state, shared by all plotting objects: one graph is drawn at a
// time by successive calls.
struct MultiplotState {
    int position = 0;  // 0: no cycle running
    int style = 0, penStyle = 0, width = 0;
} g_multi;

struct HorizonState {
    std::vector<POINT> upper, lower;
    bool havePrevious = false;
    int previousX = 0, previousY = 0;
    bool previousVisible = true;
} g_horizon;

int g_splineBracket = 0;

int ToPixel(double v)
{
    if (!(v == v)) return 0;
    if (v > 1e7) return 10000000;
    if (v < -1e7) return -10000000;
    return static_cast<int>(v);
}

void FreeHorizons()
{
    g_horizon.upper.clear();
    g_horizon.upper.shrink_to_fit();
    g_horizon.lower.clear();
    g_horizon.lower.shrink_to_fit();
    g_horizon.havePrevious = false;
}

// Pen, brush and the raster operation of one curve, put back at scope end.
struct CurveTools {
    Selection pen;
    Selection brush;
    CurveTools(HDC dc, int penStyle, int width, COLORREF color, int hatch)
        : pen(dc, vantor_gdi::NewPen(penStyle, width, color), true),
          brush(dc,
                color == 0 ? vantor_gdi::NewHatchBrush(hatch, color)
                           : vantor_gdi::NewSolidBrush(color),
                true)
    {
    }
};

}  // namespace

// ---- Index range --------------------------------------------------------

bool feld_plot::FindIndexRange(int& first, int& last)
{
    if (!XField) return false;
    const double* x = XField;
    if (PointCount >= 0) {
        const int n = PointCount;
        if (n <= 0) return false;
        int f = 0;
        while (f < n && !(x[f] >= XMin)) ++f;
        if (f >= n) return false;
        if (f > 0 && XMin < (x[f - 1] + x[f]) / 2) --f;
        int l = n - 1;
        for (int i = f + 1; i < n; ++i) {
            if (x[i] >= XMax) {
                l = i;
                if (XMax < (x[i - 1] + x[i]) / 2) --l;
                break;
            }
            if (!(x[i] > x[i - 1])) {
                l = i - 1;
                break;
            }
        }
        first = f;
        last = l;
        return last >= first;
    }
    // Length unknown: x must rise through the data, and the memory behind
    // it must be zero-filled so that x stops rising at its end.
    int f = 0;
    while (f < LEGACY_SCAN_LIMIT && x[f] < XMin && (f == 0 || x[f] > x[f - 1])) ++f;
    if (f > 0 && x[f] < XMin) return false;
    if (f > 0 && XMin < (x[f - 1] + x[f]) / 2) --f;
    int l = f + 1;
    while (l < LEGACY_SCAN_LIMIT && x[l] < XMax && x[l] > x[l - 1]) ++l;
    if (YField && YField[l] == 0.0) --l;
    if (l > 0 && l > f && XMax < (x[l - 1] + x[l]) / 2) --l;
    first = f;
    last = l;
    return last >= first;
}

// ---- y range ------------------------------------------------------------

int feld_plot::GetMinMaxFeldFunction(int withData, int withFunction, int newRange)
{
    if (withData && (!XField || !YField)) return 0;
    if (newRange) {
        YMax = RightMax = -1e30;
        YMin = RightMin = 1e30;
    }
    auto take = [](double v, double& lo, double& hi) {
        if (!std::isfinite(v)) return;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    };
    if (withData) {
        int f = 0, l = 0;
        if (!FindIndexRange(f, l)) return 0;
        FirstIndex = f;
        LastIndex = l;
        if (newRange || MMFeld) {
            if (!newRange) {
                YMax = RightMax = -1e30;
                YMin = RightMin = 1e30;
            }
            const bool real = !Komplex || KomplexReal || !KomplexImag;
            const bool imag = Komplex && KomplexImag;
            for (int i = f; i <= l; ++i) {
                if (real) take(YField[i], YMin, YMax);
                if (imag) take(YField[i + KomplexOffset], YMin, YMax);
                if (RightField) take(RightField[i], RightMin, RightMax);
            }
        }
    }
    MMFeld = 0;

    if (withFunction && newRange && ModelFunction && WorkX && WorkY && XMin < XMax) {
        const int span = std::max(GraphWidth - 100, 100);
        const double d = (XMax - XMin) * 3.0 / span;
        int n = 0;
        if (OnlyXPoints && XField) {
            int f = 0, l = -1;
            if (FindIndexRange(f, l))
                for (int i = f; i <= l && n < VANTOR_WORK_VALUES; ++i) WorkX[n++] = XField[i];
        } else {
            for (double x = XMin - d; x <= XMax + d && n < VANTOR_WORK_VALUES; x = XMin - d + n * d)
                WorkX[n++] = x;
        }
        if (n > 0) {
            std::fill(WorkY, WorkY + n, 0.0);
            ModelFunction(0.0, Is3D ? ZValue : FirstIndex, WorkX, WorkY, n);
            for (int i = 0; i < n; ++i) take(WorkY[i], YMin, YMax);
            if (Is3D && ZMax > ZMin && GraphHeight > 0) {
                double dz = (ZMax - ZMin) * 3.0 / (GraphHeight * 0.4714044);
                dz = std::max(dz, (ZMax - ZMin) / 1000.0);
                for (double z = ZMin; z <= ZMax; z += dz)
                    for (int i = 0; i < n; ++i)
                        take(ModelFunction(WorkX[i], z, nullptr, nullptr, 0), YMin, YMax);
            }
        }
    }

    if (!(YMin <= YMax) || !std::isfinite(YMin) || !std::isfinite(YMax)) return 0;
    if (YMin == 0.0 && YMax == 0.0) return 0;
    if (RightField && (withData || newRange) && !(RightMin <= RightMax)) return 0;
    if (YMin == YMax) {
        const double w = std::fabs(YMin) / 100.0;
        YMin -= w;
        YMax += w;
    }
    if (RightField && RightMin == RightMax) {
        const double w = std::fabs(RightMin) / 100.0;
        RightMin -= w;
        RightMax += w;
    }
    return YMin < YMax ? 1 : 0;
}

// ---- Drawing ------------------------------------------------------------

int feld_plot::PlotFieldFunction(HDC dc, int withData, int withFunction, int first, int last)
{
    int drawn = 0;
    const bool threeD = Is3D && DepthLength > 0.0;
    if (threeD && WorkX) {
        if (ZValue == ZMin || g_horizon.upper.empty()) {
            FreeHorizons();
            const int per = IsPrinting ? 5 : 3;
            const size_t n = static_cast<size_t>(
                std::max(1, std::min(VANTOR_WORK_VALUES, GraphWidth * per)));
            g_horizon.upper.assign(n, POINT{0, HIDDEN_FAR});
            g_horizon.lower.assign(n, POINT{0, -HIDDEN_FAR});
        }
        g_horizon.havePrevious = false;
    }

    // Multiplot: each call takes the next entry of the list for the style.
    bool multiplot = false;
    if (withData && MultiplotMode && MultiplotList[0] > 0) {
        const int count = std::min<int>(MultiplotList[0], VANTOR_MULTIPLOT_MAX);
        if (g_multi.position == 0 || g_multi.position > count) {
            g_multi.style = PlotStyle;
            g_multi.penStyle = PlotPenStyle;
            g_multi.width = PlotWidth;
            g_multi.position = 0;
        }
        const uint32_t entry = static_cast<uint32_t>(MultiplotList[1 + g_multi.position]);
        PlotStyle = static_cast<int>(entry & 0xFFFF);
        PlotPenStyle = static_cast<int>((entry >> 16) % 10);
        PlotWidth = static_cast<int>((entry >> 16) / 10);
        ++g_multi.position;
        multiplot = true;
    } else if (!MultiplotMode && g_multi.position != 0) {
        PlotStyle = g_multi.style;
        PlotPenStyle = g_multi.penStyle;
        PlotWidth = g_multi.width;
        g_multi.position = 0;
    }

    if (withData) {
        bool possible = !(Komplex && !KomplexReal && !KomplexImag) && XMin < XMax && XField &&
                        YField && (!RightAxis || RightField);
        if (possible) possible = RightAxis ? RightMin != RightMax : YMin != YMax;
        int f = first, l = last;
        if (possible) {
            if (first == 0 && last == 0) {
                possible = FindIndexRange(f, l);
            } else if (PointCount >= 0) {
                f = std::max(0, f);
                l = std::min(l, PointCount - 1);
            }
        }
        if (possible && l >= f && f >= 0) {
            FirstIndex = f;
            LastIndex = l;
            if (Komplex) {
                if ((PlotStyle & 0x40) && KomplexImag) NonZeroBar = 0;
                if (KomplexReal) drawn |= DrawData(dc, f, l, false);
                if (KomplexImag && NonZeroBar) {
                    const int rop = IsPrinting ? 0 : vantor_gdi::SetRop(dc, R2_NOTCOPYPEN);
                    drawn |= DrawData(dc, f, l, true);
                    if (!IsPrinting) vantor_gdi::SetRop(dc, rop);
                }
            } else {
                drawn |= DrawData(dc, f, l, false);
            }
        }
    }
    if (withFunction) drawn |= DrawFunction(dc);

    if (multiplot && g_multi.position >= std::min<int>(MultiplotList[0], VANTOR_MULTIPLOT_MAX)) {
        // The cycle is complete: the next call starts again with entry 1.
        PlotStyle = g_multi.style;
        PlotPenStyle = g_multi.penStyle;
        PlotWidth = g_multi.width;
        g_multi.position = 0;
    }
    if (!threeD || ZValue >= ZMax) FreeHorizons();
    Is3D = 0;
    RightAxis = 0;
    Komplex = 0;
    NonZeroBar = 1;
    return drawn ? 1 : 0;
}

int feld_plot::DrawData(HDC dc, int first, int last, bool imaginary)
{
    const double* xs = XField;
    const double* ys = (RightAxis ? RightField : YField) + (imaginary ? KomplexOffset : 0);
    const double* base = NonZeroBar ? nullptr : YField + BarOffset + 1;
    int f = first, l = last;

    // Long stretches are drawn from a spline through them; the caller's
    // arrays are only read.
    std::vector<double> rx, ry, rb;
    if (l - f > RESAMPLED) {
        rx.assign(RESAMPLED + 50, 0.0);
        ry.assign(RESAMPLED + 50, 0.0);
        const double x0 = xs[f], x1 = xs[l];
        for (int i = 0; i <= RESAMPLED; ++i) rx[i] = x0 + (x1 - x0) * i / RESAMPLED;
        rx[RESAMPLED] = x1;
        const int count = l - f + 1;
        Splint(RESAMPLED + 1, rx.data(), ry.data(), const_cast<double*>(xs + f),
               const_cast<double*>(ys + f), count);
        if (base) {
            rb.assign(RESAMPLED + 50, 0.0);
            Splint(RESAMPLED + 1, rx.data(), rb.data(), const_cast<double*>(xs + f),
                   const_cast<double*>(base + f), count);
            base = rb.data();
        }
        xs = rx.data();
        ys = ry.data();
        f = 0;
        l = RESAMPLED;
    }

    CurveTools tools(dc, PlotPenStyle, PlotWidth, PlotColor, PlotHatch);
    int barHalf = BarWidth;
    if (barHalf < 1)
        barHalf = (l > f) ? ToPixel(std::fabs(xs[f] - xs[f + 1]) * XScale / 2 - (CharWidth + 1) / 2)
                          : 0;
    if (barHalf < 0 || !BarBrush) barHalf = 0;

    const bool right = RightAxis != 0;
    const double ref =
        right ? vantor_axis::YReference(RightMin, RightMax) : vantor_axis::YReference(YMin, YMax);
    const double zero = right ? RightZero : YZero;
    const double scale = right ? RightScale : YScale;
    const bool threeD = Is3D && DepthLength > 0.0;
    double shiftX = 0.0, shiftY = 0.0;
    if (threeD) {
        const double s = (ZValue - ZMin) * DepthScale;
        shiftX = s * Depth3DX / DepthLength;
        shiftY = s * Depth3DY / DepthLength;
    }
    const int L = GraphLeft + LeftMargin;
    const int R = L + GraphWidth - 1 + (threeD ? ToPixel(std::max(0.0, Depth3DX)) : 0);
    const int topEdge = threeD ? GraphTop : GraphTop + CharWidth / 2 - 1;
    const int bottomEdge = GraphTop + GraphHeight - 1;

    std::vector<POINT> line;
    line.reserve(static_cast<size_t>(l - f + 1));
    const bool connect = PlotStyle & 1;
    auto flush = [&]() {
        if (line.size() >= 2) {
            if (PlotPenStyle != 0 && PlotWidth > 1 &&
                PlotLine(dc, line.data(), static_cast<int>(line.size()), PlotPenStyle)) {
            } else {
                mPolyline(dc, line.data(), static_cast<int>(line.size()));
            }
        }
        line.clear();
    };

    for (int i = f; i <= l; ++i) {
        const double x = xs[i], y = ys[i];
        if (!std::isfinite(x) || !std::isfinite(y)) {
            if (threeD) flush();
            continue;
        }
        int px = ToPixel(L + (x - XMin) * XScale + shiftX);
        int py = ToPixel(zero - scale * (y - ref) - shiftY);
        const bool inside = px >= L && px <= R && py >= topEdge && py <= bottomEdge;
        px = std::clamp(px, L, R);
        py = std::clamp(py, topEdge, bottomEdge);
        if (threeD && !g_horizon.upper.empty()) {
            const bool visible =
                IsPointVisible(px, py, g_horizon.upper.data(), g_horizon.lower.data());
            if (!visible) {
                if (connect) {
                    line.push_back(POINT{px, py});
                    flush();
                }
                continue;
            }
        }
        if (connect) line.push_back(POINT{px, py});
        if (!inside) continue;
        if (PlotStyle & 2)
            vantor_gdi::Oval(*this, dc, px - KreisRadius, py - KreisRadius, px + KreisRadius + 1,
                             py + KreisRadius + 1);
        if (PlotStyle & 0x20) {
            const int hw = KreisRadius * 3 / 4, hh = KreisRadius * 4 / 3;
            vantor_gdi::Oval(*this, dc, px - hw, py - hh, px + hw + 1, py + hh + 1);
        }
        if (PlotStyle & 0x10) {
            // Five-pointed star, outer radius a half and inner 0.19 of its size.
            const double size = 1.5 * TriangleHeight;
            POINT star[11];
            for (int k = 0; k < 10; ++k) {
                const double r = (k % 2 == 0 ? 0.5 : 0.19) * size;
                const double a = -3.14159265358979 / 2 + k * 3.14159265358979 / 5;
                star[k] = POINT{ToPixel(px + r * std::cos(a)), ToPixel(py + r * std::sin(a))};
            }
            star[10] = star[0];
            mPolyline(dc, star, 11);
        }
        if (PlotStyle & 8) {
            const int h = TriangleHeight / 2;
            vantor_gdi::Rect(*this, dc, px - h, py - h, px - h + TriangleHeight,
                             py - h + TriangleHeight);
        }
        if (PlotStyle & 4) {
            const int h = TriangleHeight;
            POINT tri[4] = {{px, py - h * 2 / 3}, {px - h / 2 - 1, py + h / 3},
                            {px + h / 2 + 1, py + h / 3}, {px, py - h * 2 / 3}};
            mPolyline(dc, tri, 4);
        }
        if (PlotStyle & 0x40) {
            int from = ToPixel(zero);
            if (base) from = ToPixel(zero - scale * (base[i] - ref) - shiftY);
            from = std::clamp(from, topEdge, bottomEdge);
            if (barHalf > 0) {
                vantor_gdi::Rect(*this, dc, px - barHalf, std::min(py, from), px + barHalf + 1,
                                 std::max(py, from) + 1);
            } else {
                mMoveTo(dc, px, from);
                mLineTo(dc, px, py);
            }
        }
    }
    if (connect) flush();
    return 1;
}

int feld_plot::DrawFunction(HDC dc)
{
    if (!ModelFunction || !WorkX || !WorkY || !(XMin < XMax) || GraphWidth < 1 || YScale == 0.0)
        return 0;
    int pixelStep = 2;
    if (FuncPenStyle == 2 && !(FuncStyle & 0x40))
        pixelStep = std::max(1, (AxisFontWidth + CapitalFontWidth + ScaleFontWidth) / 3);
    const double step = (XMax - XMin) / GraphWidth * pixelStep;

    int n = 0;
    int first = FirstIndex;
    int barHalf = 0;
    if (OnlyXPoints && XField) {
        int f = 0, l = -1;
        if (!FindIndexRange(f, l)) return 0;
        first = f;
        // The grid holds at most one work block of x values.
        l = std::min(l, f + VANTOR_WORK_VALUES - 1);
        for (int i = f; i <= l; ++i) WorkX[n++] = XField[i];
        if (l > f) barHalf = std::max(0, ToPixel(std::fabs(XField[f] - XField[f + 1]) * XScale / 2 - 5));
    } else {
        for (; n < VANTOR_WORK_VALUES; ++n) {
            const double x = XMin + n * step;
            if (x > XMax) break;
            WorkX[n] = x;
        }
        barHalf = std::max(1, pixelStep / 2);
    }
    if (n <= 0) return 0;
    std::fill(WorkY, WorkY + n, 0.0);
    ModelFunction(0.0, Is3D ? ZValue : static_cast<double>(first), WorkX, WorkY, n);

    CurveTools tools(dc, FuncPenStyle, FuncWidth, FuncColor, FuncHatch);
    const double ref = vantor_axis::YReference(YMin, YMax);
    const bool threeD = Is3D && DepthLength > 0.0;
    double shiftX = 0.0, shiftY = 0.0;
    if (threeD) {
        const double s = (ZValue - ZMin) * DepthScale;
        shiftX = s * Depth3DX / DepthLength;
        shiftY = s * Depth3DY / DepthLength;
    }
    const int L = GraphLeft + LeftMargin;
    const int top = GraphTop + 2, bottom = GraphTop + GraphHeight - 1;

    std::vector<POINT> line;
    line.reserve(static_cast<size_t>(n));
    const bool connect = FuncStyle & 1;
    auto flush = [&]() {
        if (line.size() >= 2) mPolyline(dc, line.data(), static_cast<int>(line.size()));
        line.clear();
    };
    for (int i = 0; i < n; ++i) {
        const double y = WorkY[i];
        if (!std::isfinite(y)) {
            flush();
            continue;
        }
        int px = ToPixel(L + (WorkX[i] - XMin) * XScale + shiftX);
        int py = std::clamp(ToPixel(YZero - YScale * (y - ref) - shiftY), top, bottom);
        if (threeD && !g_horizon.upper.empty() &&
            !IsPointVisible(px, py, g_horizon.upper.data(), g_horizon.lower.data())) {
            if (connect) {
                line.push_back(POINT{px, py});
                flush();
            }
            continue;
        }
        if (connect) line.push_back(POINT{px, py});
        if (FuncStyle & 2)
            vantor_gdi::Oval(*this, dc, px - KreisRadius, py - KreisRadius, px + KreisRadius + 1,
                             py + KreisRadius + 1);
        if (FuncStyle & 4) {
            const int h = TriangleHeight;
            POINT tri[4] = {{px, py - h * 2 / 3}, {px - h / 2 - 1, py + h / 3},
                            {px + h / 2 + 1, py + h / 3}, {px, py - h * 2 / 3}};
            mPolyline(dc, tri, 4);
        }
        if (FuncStyle & 0x40) {
            const int from = std::clamp(ToPixel(YZero), top, bottom);
            if (barHalf > 0 && BarBrush)
                vantor_gdi::Rect(*this, dc, px - barHalf, std::min(py, from), px + barHalf + 1,
                                 std::max(py, from) + 1);
            else {
                mMoveTo(dc, px, from);
                mLineTo(dc, px, py);
            }
        }
    }
    if (connect) flush();
    return 1;
}

// ---- Thick dashed lines -------------------------------------------------

int feld_plot::PlotLine(HDC dc, POINT* points, int count, int penStyle)
{
    if (GraphWidth < 150 || !points || count < 2) return 0;
    std::vector<double> xs, ys;
    xs.reserve(static_cast<size_t>(count));
    ys.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (!xs.empty() && points[i].x <= xs.back()) continue;  // one point per column
        xs.push_back(points[i].x);
        ys.push_back(points[i].y);
    }
    if (xs.size() < 2) return 0;
    const int samples = std::min(VANTOR_WORK_VALUES, 3 * GraphWidth);
    std::vector<double> sx(static_cast<size_t>(samples)), sy(static_cast<size_t>(samples));
    for (int i = 0; i < samples; ++i)
        sx[i] = xs.front() + (xs.back() - xs.front()) * i / (samples - 1);
    sx[samples - 1] = xs.back();
    Splint(samples, sx.data(), sy.data(), xs.data(), ys.data(), static_cast<int>(xs.size()));

    const int widthPart = (3 * PlotWidth - 6) / 2;
    bool dash = penStyle != 2;
    int i = 0;
    while (i < samples - 1) {
        const int drawLength = dash ? 10 : 1;
        const double vGap = dash ? 80 : 20;
        const double hGap = widthPart + (dash ? 8 : 5);
        mMoveTo(dc, ToPixel(sx[i]), ToPixel(sy[i]));
        const int end = std::min(samples - 1, i + drawLength);
        for (int k = i + 1; k <= end; ++k) mLineTo(dc, ToPixel(sx[k]), ToPixel(sy[k]));
        i = end;
        const double gx = sx[i], gy = sy[i];
        while (i < samples - 1 && std::fabs(sx[i] - gx) <= hGap && std::fabs(sy[i] - gy) <= vGap)
            ++i;
        if (penStyle == 3) dash = !dash;
    }
    return 1;
}

// ---- Floating horizon of 3D views ---------------------------------------

int feld_plot::IsPointVisible(int& x, int& y, POINT* upper, POINT* lower)
{
    if (!upper || !lower || g_horizon.upper.empty()) return 1;
    const int n = static_cast<int>(g_horizon.upper.size());
    auto column = [&](int px) { return std::clamp(px - GraphLeft, 0, n - 1); };
    auto test = [&](int c, int row, int tolerance) {
        bool visible = false;
        if (row <= upper[c].y + tolerance) {
            visible = true;
            upper[c].y = std::min<LONG>(upper[c].y, row);
        }
        if (row >= lower[c].y - tolerance) {
            visible = true;
            lower[c].y = std::max<LONG>(lower[c].y, row);
        }
        return visible;
    };

    bool visible = false;
    if (g_horizon.havePrevious && x > g_horizon.previousX) {
        const int x0 = g_horizon.previousX, y0 = g_horizon.previousY;
        int lastX = x, lastY = y;
        bool endVisible = false;
        for (int cx = x0 + 1; cx <= x; ++cx) {
            const int row = y0 + static_cast<int>(std::lround(double(y - y0) * (cx - x0) / (x - x0)));
            const bool v = test(column(cx), row, 2);
            if (v) {
                visible = true;
                lastX = cx;
                lastY = row;
            }
            if (cx == x) endVisible = v;
        }
        g_horizon.previousX = x;
        g_horizon.previousY = y;
        if (visible && !endVisible) {
            // Ends the drawn line where it went behind the horizon.
            x = lastX;
            y = lastY;
        }
    } else {
        int tolerance = static_cast<int>(std::ceil(0.02 * GraphHeight));
        if (IsPrinting) tolerance *= 2;
        visible = test(column(x), y, tolerance);
        g_horizon.previousX = x;
        g_horizon.previousY = y;
    }
    g_horizon.havePrevious = true;
    g_horizon.previousVisible = visible;
    return visible ? 1 : 0;
}

// ---- Natural cubic spline -----------------------------------------------

void feld_plot::spline(double* y2, double* x, double* y, int n)
{
    if (!y2 || !x || !y || n < 1) return;
    std::fill(y2, y2 + n, 0.0);
    if (n < 3) return;
    for (int i = 1; i < n; ++i)
        if (!(x[i] > x[i - 1])) return;  // not strictly rising: linear interpolation
    std::vector<double> u(static_cast<size_t>(n), 0.0);
    for (int i = 1; i < n - 1; ++i) {
        const double sig = (x[i] - x[i - 1]) / (x[i + 1] - x[i - 1]);
        const double p = sig * y2[i - 1] + 2.0;
        y2[i] = (sig - 1.0) / p;
        u[i] = (y[i + 1] - y[i]) / (x[i + 1] - x[i]) - (y[i] - y[i - 1]) / (x[i] - x[i - 1]);
        u[i] = (6.0 * u[i] / (x[i + 1] - x[i - 1]) - sig * u[i - 1]) / p;
    }
    y2[n - 1] = 0.0;
    for (int k = n - 2; k >= 0; --k) y2[k] = y2[k] * y2[k + 1] + u[k];
}

double feld_plot::helpsplint(double x, double* y2a, double* xa, double* ya, int n)
{
    if (!xa || !ya || n < 1) return 0.0;
    if (n == 1) return x == xa[0] ? ya[0] : 0.0;
    if (x < xa[0] || x > xa[n - 1]) return 0.0;
    int klo = g_splineBracket;
    if (klo >= 0 && klo < n - 1 && xa[klo] <= x && x <= xa[klo + 1]) {
        // still bracketed
    } else if (klo + 1 >= 0 && klo + 2 < n && xa[klo + 1] <= x && x <= xa[klo + 2]) {
        ++klo;
    } else {
        klo = 0;
        int khi = n - 1;
        while (khi - klo > 1) {
            const int k = (khi + klo) / 2;
            if (xa[k] > x)
                khi = k;
            else
                klo = k;
        }
    }
    g_splineBracket = klo;
    const int khi = klo + 1;
    const double h = xa[khi] - xa[klo];
    if (!(h > 0.0)) return ya[klo];
    const double a = (xa[khi] - x) / h, b = (x - xa[klo]) / h;
    double v = a * ya[klo] + b * ya[khi];
    if (y2a) v += ((a * a * a - a) * y2a[klo] + (b * b * b - b) * y2a[khi]) * (h * h) / 6.0;
    return v;
}

void feld_plot::Splint(int n, double* xnew, double* ynew, double* xa, double* ya, int count)
{
    if (!xnew || !ynew || n < 1) return;
    if (!xa || !ya || count < 1) {
        std::fill(ynew, ynew + n, 0.0);
        return;
    }
    std::vector<double> y2(static_cast<size_t>(count), 0.0);
    spline(y2.data(), xa, ya, count);
    g_splineBracket = 0;
    for (int i = 0; i < n; ++i) ynew[i] = helpsplint(xnew[i], y2.data(), xa, ya, count);
}
