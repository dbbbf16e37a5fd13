// Drawing of data arrays and model functions into the laid-out frame.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

#include "axis_scale.h"
#include "plot_gdi.h"

using vantor_gdi::Selection;

namespace {

// Longest stretch of data drawn point by point; of longer stretches each
// pixel column keeps its first, lowest, highest and last point.
constexpr int POINT_BY_POINT = 1500;
// The scan for the end of data of unknown length stops here at the latest.
constexpr int LEGACY_SCAN_LIMIT = 1 << 22;
constexpr int HIDDEN_FAR = 100000000;

// Library-wide state, shared by all plotting objects: one graph is drawn at a
// time by successive calls.
struct MultiplotState {
    bool running = false;  // a cycle has saved the style and not yet ended
    int position = 0;      // list position of the next entry
    int chosen = -1;       // position asked for by SetMultiplotEntry
    int style = 0, penStyle = 0, width = 0;
} g_multi;

// Floating horizon of a 3D view: one upper and one lower row per pixel
// column from column `origin` on.
struct HorizonState {
    std::vector<POINT> upper, lower;
    // The horizons as the earlier curves left them: a curve is tested
    // against these, so that its own points in a column (a steep flank, a
    // long stretch's extremes) do not hide each other.
    std::vector<LONG> upperBefore, lowerBefore;
    int origin = 0;
    bool havePrevious = false;
    int previousX = 0, previousY = 0;
    bool previousVisible = true;  // the previous point itself
    bool pointVisible = true;     // the point of the last test itself
    // Visible pieces of the last tested segment, from left to right; the
    // first one goes on from the previous point when `continues` is set.
    std::vector<std::pair<POINT, POINT>> runs;
    bool continues = false;
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
    for (auto* v : {&g_horizon.upper, &g_horizon.lower}) {
        v->clear();
        v->shrink_to_fit();
    }
    for (auto* v : {&g_horizon.upperBefore, &g_horizon.lowerBefore}) {
        v->clear();
        v->shrink_to_fit();
    }
    g_horizon.havePrevious = false;
}

void RestoreMultiplotStyle(feld_plot& p)
{
    if (!g_multi.running) return;
    p.PlotStyle = g_multi.style;
    p.PlotPenStyle = g_multi.penStyle;
    p.PlotWidth = g_multi.width;
    g_multi.running = false;
    g_multi.position = 0;
}

// Indices of a long stretch that draw the same picture as all of them: per
// pixel column the first, lowest, highest and last point, in index order.
// Points that are not finite stay in as breaks of the line.
template <class Column>
std::vector<int> ColumnExtremes(const double* xs, const double* ys, int first, int last,
                                Column columnOf)
{
    std::vector<int> out;
    int column = INT_MIN, f = 0, lo = 0, hi = 0, l = 0;
    auto emit = [&]() {
        if (column == INT_MIN) return;
        int k[4] = {f, lo, hi, l};
        std::sort(k, k + 4);
        for (int i = 0; i < 4; ++i)
            if (i == 0 || k[i] != k[i - 1]) out.push_back(k[i]);
        column = INT_MIN;
    };
    for (int i = first; i <= last; ++i) {
        if (!std::isfinite(xs[i]) || !std::isfinite(ys[i])) {
            emit();
            out.push_back(i);
            continue;
        }
        const int c = columnOf(xs[i]);
        if (c != column) {
            emit();
            column = c;
            f = lo = hi = l = i;
            continue;
        }
        l = i;
        if (ys[i] < ys[lo]) lo = i;
        if (ys[i] > ys[hi]) hi = i;
    }
    emit();
    return out;
}

// x values of the data for a model grid of at most `capacity` values: all
// of first..last, or evenly thinned with the last one kept.
int DataGrid(const double* xs, int first, int last, double* grid, int capacity)
{
    const int count = last - first + 1;
    if (count <= 0 || capacity < 2) return 0;
    if (count <= capacity) {
        for (int i = 0; i < count; ++i) grid[i] = xs[first + i];
        return count;
    }
    const double step = double(count - 1) / (capacity - 1);
    for (int k = 0; k < capacity; ++k)
        grid[k] = xs[first + std::min(count - 1, static_cast<int>(std::lround(k * step)))];
    return capacity;
}

// One point of a 3D curve through the floating horizon.  Adds to the line
// the visible pieces of the segment from the previous point, each starting
// where the segment comes out from behind the horizon and ending where it
// goes behind it.  Returns whether the point itself is visible (symbols
// and bars are drawn only there).
template <class Flush>
bool HiddenLineStep(feld_plot& p, int px, int py, std::vector<POINT>& line, bool connect,
                    Flush flush)
{
    p.IsPointVisible(px, py, g_horizon.upper.data(), g_horizon.lower.data());
    if (connect) {
        bool first = true;
        for (const auto& run : g_horizon.runs) {
            if (!(first && g_horizon.continues && !line.empty())) {
                flush();
                line.push_back(run.first);
            }
            if (run.second.x != line.back().x || run.second.y != line.back().y)
                line.push_back(run.second);
            first = false;
        }
    }
    if (!g_horizon.pointVisible) {
        flush();
        return false;
    }
    return true;
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
            if (FindIndexRange(f, l)) n = DataGrid(XField, f, l, WorkX, VANTOR_WORK_VALUES);
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
    if (threeD) {
        if (ZValue == ZMin || g_horizon.upper.empty()) {
            FreeHorizons();
            // Every column a curve can reach: the front plane and its shift
            // along the depth axis, to the left for angles above 90 degrees.
            const int L = GraphLeft + LeftMargin;
            const int from = L + ToPixel(std::min(0.0, Depth3DX)) - 1;
            const int to = L + GraphWidth + ToPixel(std::max(0.0, Depth3DX)) + 1;
            const size_t n = static_cast<size_t>(std::max(1, to - from + 1));
            g_horizon.origin = from;
            g_horizon.upper.assign(n, POINT{0, HIDDEN_FAR});
            g_horizon.lower.assign(n, POINT{0, -HIDDEN_FAR});
        }
        g_horizon.upperBefore.resize(g_horizon.upper.size());
        g_horizon.lowerBefore.resize(g_horizon.lower.size());
        for (size_t i = 0; i < g_horizon.upper.size(); ++i) {
            g_horizon.upperBefore[i] = g_horizon.upper[i].y;
            g_horizon.lowerBefore[i] = g_horizon.lower[i].y;
        }
        g_horizon.havePrevious = false;
    }

    // Multiplot: each call takes the next entry of the list, or the entry
    // asked for by SetMultiplotEntry, for the style.
    bool multiplot = false;
    const int count = std::min<int>(MultiplotList[0], VANTOR_MULTIPLOT_MAX);
    if (withData && MultiplotMode && count > 0) {
        if (!g_multi.running) {
            g_multi.style = PlotStyle;
            g_multi.penStyle = PlotPenStyle;
            g_multi.width = PlotWidth;
            g_multi.running = true;
            g_multi.position = 0;
        }
        if (g_multi.chosen >= 0) g_multi.position = g_multi.chosen % count;
        g_multi.chosen = -1;
        if (g_multi.position >= count) g_multi.position = 0;
        const uint32_t entry = static_cast<uint32_t>(MultiplotList[1 + g_multi.position]);
        PlotStyle = static_cast<int>(entry & 0xFFFF);
        PlotPenStyle = static_cast<int>((entry >> 16) % 10);
        PlotWidth = static_cast<int>((entry >> 16) / 10);
        ++g_multi.position;
        multiplot = true;
    } else if (!MultiplotMode) {
        RestoreMultiplotStyle(*this);
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

    // The cycle is complete: the next call starts again with entry 1.
    if (multiplot && g_multi.position >= count) RestoreMultiplotStyle(*this);
    if (!threeD || ZValue >= ZMax) FreeHorizons();
    Is3D = 0;
    RightAxis = 0;
    Komplex = 0;
    NonZeroBar = 1;
    return drawn ? 1 : 0;
}

void feld_plot::SetMultiplot(int mode, int32_t* list)
{
    RestoreMultiplotStyle(*this);
    g_multi.chosen = -1;
    if (!list || mode == 0) {
        MultiplotMode = 0;
        return;
    }
    int32_t count = list[0];
    if (count < 0) count = 0;
    if (count > VANTOR_MULTIPLOT_MAX) count = VANTOR_MULTIPLOT_MAX;
    std::memset(MultiplotList, 0, sizeof MultiplotList);
    MultiplotList[0] = count;
    for (int32_t i = 1; i <= count; ++i) MultiplotList[i] = list[i];
    MultiplotMode = count > 0 ? mode : 0;
}

void feld_plot::SetMultiplotEntry(int index) { g_multi.chosen = index >= 0 ? index : -1; }

int feld_plot::DrawData(HDC dc, int first, int last, bool imaginary)
{
    const double* xs = XField;
    const double* ys = (RightAxis ? RightField : YField) + (imaginary ? KomplexOffset : 0);
    const double* base = NonZeroBar ? nullptr : YField + BarOffset + 1;
    const int f = first, l = last;

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
    // A 3D view also draws where the depth axis takes its curves: right of
    // the front plane, or left of it for angles above 90 degrees.
    const int leftEdge = L + (threeD ? ToPixel(std::min(0.0, Depth3DX)) : 0);
    const int R = L + GraphWidth - 1 + (threeD ? ToPixel(std::max(0.0, Depth3DX)) : 0);
    const int topEdge = threeD ? GraphTop : GraphTop + CharWidth / 2 - 1;
    const int bottomEdge = GraphTop + GraphHeight - 1;
    auto column = [&](double x) { return ToPixel(L + (x - XMin) * XScale + shiftX); };

    // The caller's arrays are only read.  A long stretch is drawn from the
    // extremes of each pixel column, so that no peak loses height.
    std::vector<int> order;
    if (l - f > POINT_BY_POINT) {
        order = ColumnExtremes(xs, ys, f, l, column);
    } else {
        order.resize(static_cast<size_t>(l - f + 1));
        for (int i = f; i <= l; ++i) order[static_cast<size_t>(i - f)] = i;
    }

    std::vector<POINT> line;
    line.reserve(order.size() + 1);
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

    for (const int i : order) {
        const double x = xs[i], y = ys[i];
        if (!std::isfinite(x) || !std::isfinite(y)) {
            if (threeD) flush();
            continue;
        }
        int px = column(x);
        int py = ToPixel(zero - scale * (y - ref) - shiftY);
        const bool inside = px >= leftEdge && px <= R && py >= topEdge && py <= bottomEdge;
        px = std::clamp(px, leftEdge, R);
        py = std::clamp(py, topEdge, bottomEdge);
        if (threeD && !g_horizon.upper.empty()) {
            if (!HiddenLineStep(*this, px, py, line, connect, flush)) continue;
        } else if (connect) {
            line.push_back(POINT{px, py});
        }
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
        // The grid holds at most one work block of x values: more data
        // points are thinned evenly.
        n = DataGrid(XField, f, l, WorkX, VANTOR_WORK_VALUES);
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
        if (threeD && !g_horizon.upper.empty()) {
            if (!HiddenLineStep(*this, px, py, line, connect, flush)) continue;
        } else if (connect) {
            line.push_back(POINT{px, py});
        }
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
    std::vector<std::pair<POINT, POINT>>& runs = g_horizon.runs;
    runs.clear();
    g_horizon.continues = false;
    g_horizon.pointVisible = true;
    if (!upper || !lower || g_horizon.upper.empty()) {
        runs.emplace_back(POINT{x, y}, POINT{x, y});
        return 1;
    }
    const int n = static_cast<int>(g_horizon.upper.size());
    auto column = [&](int px) { return std::clamp(px - g_horizon.origin, 0, n - 1); };
    // The earlier curves' horizons (the arrays themselves when the curve
    // did not start through PlotFieldFunction).
    const bool before = g_horizon.upperBefore.size() == g_horizon.upper.size();
    auto upperRow = [&](int c) { return before ? g_horizon.upperBefore[c] : upper[c].y; };
    auto lowerRow = [&](int c) { return before ? g_horizon.lowerBefore[c] : lower[c].y; };
    // Rows top..bottom of a column against the horizons; the horizons take
    // them where they lie outside.
    auto test = [&](int c, int top, int bottom, int tolerance) {
        bool visible = false;
        if (top <= upperRow(c) + tolerance) {
            visible = true;
            upper[c].y = std::min<LONG>(upper[c].y, top);
        }
        if (bottom >= lowerRow(c) - tolerance) {
            visible = true;
            lower[c].y = std::max<LONG>(lower[c].y, bottom);
        }
        return visible;
    };

    const int x0 = g_horizon.previousX, y0 = g_horizon.previousY;
    const bool fromVisible = g_horizon.previousVisible;
    bool endVisible = false;
    if (g_horizon.havePrevious && x > x0) {
        // The straight line from the previous point, column by column.
        bool inRun = false;
        for (int cx = x0 + 1; cx <= x; ++cx) {
            const int row = y0 + static_cast<int>(std::lround(double(y - y0) * (cx - x0) / (x - x0)));
            const bool v = test(column(cx), row, row, 2);
            if (v && inRun) {
                runs.back().second = POINT{cx, row};
            } else if (v) {
                runs.emplace_back(POINT{cx, row}, POINT{cx, row});
                if (cx == x0 + 1 && fromVisible) g_horizon.continues = true;
            }
            inRun = v;
            if (cx == x) endVisible = v;
        }
    } else if (g_horizon.havePrevious && x == x0) {
        // A vertical stroke within one column.
        const int c = column(x);
        const LONG up = upperRow(c), low = lowerRow(c);
        endVisible = y <= up + 2 || y >= low - 2;
        if (test(c, std::min(y, y0), std::max(y, y0), 2)) {
            const int in = fromVisible ? y0 : static_cast<int>(y <= up + 2 ? up : low);
            const int out = endVisible ? y : static_cast<int>(y0 <= up + 2 ? up : low);
            runs.emplace_back(POINT{x, in}, POINT{x, out});
            g_horizon.continues = fromVisible;
        }
    } else {
        int tolerance = static_cast<int>(std::ceil(0.02 * GraphHeight));
        if (IsPrinting) tolerance *= 2;
        endVisible = test(column(x), y, y, tolerance);
        if (endVisible) runs.emplace_back(POINT{x, y}, POINT{x, y});
    }
    g_horizon.previousX = x;
    g_horizon.previousY = y;
    g_horizon.havePrevious = true;
    g_horizon.previousVisible = endVisible;
    g_horizon.pointVisible = endVisible;
    if (runs.empty()) return 0;
    // A line that goes behind the horizon ends there.
    x = runs.back().second.x;
    y = runs.back().second.y;
    return 1;
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
