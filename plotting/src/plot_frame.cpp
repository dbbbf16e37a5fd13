// Frame, axes, tick numbers and the inscription of a graph.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "axis_scale.h"
#include "greek_letters.h"
#include "plot_gdi.h"

using vantor_gdi::Selection;

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr COLORREF LIGHT_GREY = 0xC0C0C0;
constexpr COLORREF GRID_GREY = 0x646464;
constexpr int MAX_LABEL_TEXT = 119;  // characters of one inscription
constexpr int MAX_GROUP_TEXT = 99;   // characters of one {group}

bool HasText(const char* t)
{
    if (!t) return false;
    for (; *t; ++t)
        if (*t != ' ') return true;
    return false;
}

// Measured width of a text, or an estimate where the device measures
// nothing (some metafile contexts).
SIZE TextBox(HDC dc, const std::string& s, int fontWidth, int fontHeight)
{
    SIZE sz = vantor_gdi::Extent(dc, s.c_str(), static_cast<int>(s.size()));
    if (sz.cx <= 0) sz.cx = static_cast<LONG>(1.1 * fontWidth * s.size());
    if (sz.cy <= 0) sz.cy = fontHeight;
    return sz;
}

}  // namespace

double feld_plot::FindAxisScale(int numbers, double, double span, int, int& decimals)
{
    return vantor_axis::FindStep(numbers, span, decimals);
}

int feld_plot::PlotFrame(HDC dc, int withData, int withFunction, int newRange)
{
    const int keepXText = ShowXText, keepYText = ShowYText;
    const int layoutColumn = LayoutColumn, layoutRight = LayoutRight;
    const bool layoutRange = LayoutXMin < LayoutXMax;
    if (layoutRange) {
        XMin = LayoutXMin;
        XMax = LayoutXMax;
    }
    auto finish = [&](int result) {
        Is3D = 0;
        RightAxis = 0;
        NoReduction = 0;
        SignFactor = 1.0;
        ShowXText = keepXText;
        ShowYText = keepYText;
        LayoutColumn = LayoutRight = 0;
        LayoutXMin = LayoutXMax = 0.0;
        return result;
    };

    if (IsPrinting && FullPage) std::swap(GraphWidth, GraphHeight);
    ShortLayout = GraphHeight < 0 ? 1 : 0;
    if (ShortLayout) GraphHeight = -GraphHeight;
    PageWidth = GraphWidth;
    Depth3DX = Depth3DY = 0.0;
    DepthLength = DepthScale = DepthOrigin = 0.0;
    ZeroLine = 0;

    if (!(XMin < XMax)) return finish(0);
    if (Komplex && !KomplexReal && !KomplexImag) return finish(0);
    if (!GetMinMaxFeldFunction(withData, withFunction, newRange)) return finish(0);
    if (!withData && !withFunction) return finish(1);

    const bool threeD = Is3D && Angle3D > 0.0 && Angle3D < 160.0 && Depth3D > 0.0 && ZMax > ZMin;
    if (!threeD) Is3D = 0;

    Reduced = (!NoReduction &&
               (GraphHeight < 10 * AxisFontHeight || GraphWidth < 17 * AxisFontWidth))
                  ? 1
                  : 0;
    if (Reduced) ShowXText = ShowYText = 0;

    Selection font(dc, ScaleFont, false);
    vantor_gdi::SetMode(dc, TRANSPARENT);
    vantor_gdi::SetAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const COLORREF background =
        (IsPrinting && !PBkgColor && !PrintCap) ? RGB(255, 255, 255) : BkgColor;
    Selection brush(dc, vantor_gdi::NewSolidBrush(background), true);

    // Background and frame.
    const bool title = HasText(CapitalText) && (IsPrinting || PrintCap);
    if (IsPrinting) {
        if (!FullPage) GraphHeight += AxisFontHeight;
        if (ShowFrame) {
            const int frameTop = GraphTop;
            if (title) {
                GraphTop += 2 * CapitalFontHeight;
                GraphHeight -= 2 * CapitalFontHeight;
            }
            Selection pen(dc, vantor_gdi::NewPen(PS_SOLID, FrameWidth, 0), true);
            vantor_gdi::Rect(*this, dc, GraphLeft, frameTop, GraphLeft + GraphWidth,
                             GraphTop + GraphHeight + CapitalFontWidth * 3 / 2);
            if (Clipboard) GraphHeight -= AxisFontHeight;
        }
    } else if (ShowFrame) {
        {
            Selection pen(dc, vantor_gdi::NewPen(PS_SOLID, FrameWidth, 0), true);
            vantor_gdi::Rect(*this, dc, GraphLeft, GraphTop, GraphLeft + GraphWidth,
                             GraphTop + GraphHeight);
        }
        if (title) {
            GraphTop += 2 * CapitalFontHeight;
            GraphHeight -= 2 * CapitalFontHeight;
        }
    }

    // Room for the descriptions and the x numbers.  The short layout keeps
    // just the rows its numbers and its description take.
    const bool yDescription = HasText(YText) && !Reduced;
    if (yDescription)
        GraphLeft += 2 * AxisFontHeight;
    else
        GraphWidth += 2 * AxisFontHeight;
    const bool xDescription = HasText(XText) && !Reduced;
    if (ShortLayout) {
        GraphHeight -= ShortNumberRows(dc);
        if (xDescription) GraphHeight -= ShortDescriptionRows(dc);
    } else {
        if (xDescription) GraphHeight -= AxisFontHeight / 2 + 2 * AxisFontHeight;
        GraphHeight -= ShowXText ? 2 * ScaleFontHeight : ScaleFontHeight;
    }
    GraphHeight -= XAxisDistance;
    GraphTop += AxisFontHeight / 4;
    GraphHeight -= AxisFontHeight / 4;

    // The depth axis of a 3D view takes its height from the plot.
    const double angle = Angle3D * PI / 180.0;
    const double d = threeD ? GraphHeight / Depth3D : 0.0;
    if (threeD) {
        if (Angle3D <= 90.0) {
            DepthLength = d * std::sqrt(2.0);
            Depth3DX = DepthLength * std::cos(angle);
            Depth3DY = DepthLength * std::sin(angle);
        } else {
            Depth3DX = -d * std::tan(angle - PI / 2.0);
            Depth3DY = d;
            DepthLength = std::hypot(Depth3DX, Depth3DY);
        }
    }
    const double H = GraphHeight - Depth3DY;
    const double top = GraphTop + Depth3DY;

    // Symbols and bars must not be cut at the edges: the y range here, the
    // x range once the width is known.
    const int styles = (withData ? PlotStyle : 0) | (withFunction ? FuncStyle : 0);
    double symbolPixels = 0.0;
    if (styles & 2)
        symbolPixels = ScaleFontWidth / 3.0 + KreisRadius;
    else if (styles & 4)
        symbolPixels = TriangleHeight;
    {
        const double ys = H / (YMax - YMin);
        if (symbolPixels > 0.0 && ys > 0.0) {
            YMin -= symbolPixels / ys;
            YMax += symbolPixels / ys;
        }
    }
    {
        const vantor_axis::YScaleResult r =
            vantor_axis::ScaleY(YMin, YMax, top, H, threeD, 0.03, 0.04);
        YScale = r.scale;
        YZero = r.zero;
    }
    if (RightAxis) {
        const vantor_axis::YScaleResult r =
            vantor_axis::ScaleY(RightMin, RightMax, top, H, threeD, 0.03, 0.01);
        RightScale = r.scale;
        RightZero = r.zero;
    }

    // Margins from the widest numbers of the y scales.
    auto widestNumber = [&](double lo, double hi, int numbers, double scale, int kind) {
        const double F = NumberedStep(dc, lo, hi, numbers, scale, kind);
        int widest = 0, measured = 0;
        for (const vantor_axis::Tick& t : vantor_axis::AxisTicks(lo, hi, F, 1, 1.0)) {
            if (t.value < lo || t.value > hi) continue;
            const std::string s = vantor_axis::TickText(t.value, kind, SignFactor, ZSign);
            widest = std::max<int>(widest, TextBox(dc, s, ScaleFontWidth, ScaleFontHeight).cx);
            if (++measured > 60) break;
        }
        return widest + ScaleFontWidth;
    };
    LeftMargin = ShowYText
                     ? AxisFontHeight * 4 / 5 + widestNumber(YMin, YMax, YNumbers, YScale, 2)
                     : AxisFontHeight * 6 / 5;
    LeftMargin += YAxisDistance;
    RightMargin = 0;
    if (RightAxis) {
        RightMargin = ShowYText ? AxisFontHeight / 3 +
                                      widestNumber(RightMin, RightMax, ZNumbers, RightScale, 4)
                                : AxisFontHeight * 6 / 5;
        RightMargin += ZAxisDistance;
    }

    GraphWidth -= LeftMargin + ScaleFontWidth * 5 / 2 + (RightAxis ? RightMargin : 2 * AxisFontHeight);
    if (HasText(ZText) && (RightAxis || threeD) && !Reduced)
        GraphWidth -= ScaleFontWidth + 3 * AxisFontHeight;
    if (threeD) {
        // Leaning back to the left, the front plane moves right by the depth
        // offset so that the back curves stay on the page.
        if (Depth3DX < 0.0) {
            LeftMargin += static_cast<int>(-Depth3DX);
            GraphWidth += static_cast<int>(Depth3DX);
        }
        const std::string z1 = vantor_axis::TickText(ZMin, 3, 1.0, ZSign);
        const std::string z2 = vantor_axis::TickText(ZMax, 3, 1.0, ZSign);
        int w = static_cast<int>(std::max(z1.size(), z2.size())) * ScaleFontWidth;
        if (HasText(ZText)) w += 2 * AxisFontHeight;
        GraphWidth -= static_cast<int>(std::max(0.0, Depth3DX)) + w;
    }
    // Panels one under the other share their x axis.
    if (layoutColumn > 0 && GraphLeft + LeftMargin < layoutColumn) {
        const int more = layoutColumn - (GraphLeft + LeftMargin);
        LeftMargin += more;
        GraphWidth -= more;
    }
    if (layoutRight > 0 && GraphLeft + LeftMargin + GraphWidth - 1 > layoutRight)
        GraphWidth = layoutRight - (GraphLeft + LeftMargin) + 1;
    if (GraphWidth < 4 || GraphHeight < 4) return finish(0);

    Selection axisPen(dc, vantor_gdi::NewPen(PS_SOLID, AxisWidth, 0), true);
    const int bottom = GraphTop + GraphHeight - 1;
    const int L = GraphLeft + LeftMargin;

    if (threeD) {
        const int dx = static_cast<int>(Depth3DX), dy = static_cast<int>(Depth3DY);
        mMoveTo(dc, L, bottom);
        mLineTo(dc, L + GraphWidth, bottom);
        mMoveTo(dc, L, bottom);
        mLineTo(dc, L + dx, bottom - dy);
        mMoveTo(dc, L + GraphWidth, bottom);
        mLineTo(dc, L + GraphWidth + dx, bottom - dy);
        mMoveTo(dc, L, bottom);
        mLineTo(dc, L, GraphTop + static_cast<int>(d));
        DepthScale = (DepthLength - ScaleFontHeight / 3.0) / (ZMax - ZMin);
        if (ZMin >= 0.0)
            DepthOrigin = 0.0;
        else if (ZMax < 0.0)
            DepthOrigin = DepthLength;
        else
            DepthOrigin = std::fabs(ZMin) * DepthScale;
    } else {
        vantor_gdi::Rect(*this, dc, L, GraphTop, L + GraphWidth, GraphTop + GraphHeight);
        mMoveTo(dc, L, GraphTop);
        mLineTo(dc, L, bottom);
    }

    if (!layoutRange) {
        const double xs = (GraphWidth - 1) / (XMax - XMin);
        if (symbolPixels > 0.0 && xs > 0.0) {
            XMin -= symbolPixels / xs;
            XMax += symbolPixels / xs;
        }
        if (withData && (PlotStyle & 0x40) && XField) {
            int f = 0, l = 0;
            if (FindIndexRange(f, l) && l > f) {
                const double spacing = std::fabs(XField[f + 1] - XField[f]) / 1.7;
                if (std::isfinite(spacing)) {
                    XMin -= spacing;
                    XMax += spacing;
                }
            }
        }
    }
    XScale = (GraphWidth - 1) / (XMax - XMin);
    if (XMin >= 0.0)
        XZeroOffset = 0.0;
    else if (XMax < 0.0)
        XZeroOffset = GraphWidth;
    else
        XZeroOffset = std::fabs(XMin) * XScale;

    const bool bars = styles & 0x40;
    if (!threeD && YZero > top + H / 4 && (YZero < top + 3 * H / 4 || (bars && YMin < 0.0))) {
        ZeroLine = 1;
        mMoveTo(dc, L, static_cast<int>(YZero));
        mLineTo(dc, L + GraphWidth, static_cast<int>(YZero));
    }

    if (ShowYText) AchsenScalierung(dc, static_cast<int>(H), YMin, YMax, YNumbers, YLines, YScale, 2);
    if (RightAxis && ShowYText)
        AchsenScalierung(dc, static_cast<int>(H), RightMin, RightMax, ZNumbers, ZLines, RightScale, 4);
    if (ShowXText) AchsenScalierung(dc, GraphWidth, XMin, XMax, XNumbers, XLines, XScale, 1);
    if (threeD)
        AchsenScalierung(dc, static_cast<int>(DepthLength), ZMin, ZMax, ZNumbers, ZLines,
                         DepthScale, 3);

    if (!Reduced) {
        InscribeY(dc);
        InscribeX(dc, 0);
    }
    InscribeX(dc, 1);
    if ((RightAxis || threeD) && !Reduced) InscribeYre(dc);
    return finish(1);
}

double feld_plot::NumberedStep(HDC dc, double lo, double hi, int numbers, double scale,
                               int axisKind)
{
    int decimals = 0;
    double F = FindAxisScale(numbers, 0.0, hi - lo, 0, decimals);
    const double pixels = std::fabs(scale);
    if (!(F > 0.0) || !(pixels > 0.0) || !std::isfinite(pixels) || axisKind == 3) return F;
    // Room a number takes along its axis, with a gap to the next one.
    auto room = [&](double step) {
        if (axisKind != 1) {
            const int h = vantor_gdi::CellHeight(dc, nullptr);
            return (h > 0 ? h : ScaleFontHeight) + ScaleFontHeight / 4 + 1;
        }
        int widest = 0;
        const double first = std::ceil(lo / step - 1e-9);
        for (int k = 0; k < 60 && (first + k) * step <= hi + step * 1e-9; ++k) {
            const std::string s = vantor_axis::TickText((first + k) * step, 1, SignFactor, ZSign);
            widest = std::max<int>(widest, TextBox(dc, s, ScaleFontWidth, ScaleFontHeight).cx);
        }
        return widest + ScaleFontWidth;
    };
    for (int k = 0; k < 40 && F * pixels < room(F) && F < std::fabs(hi - lo); ++k)
        F = vantor_axis::WiderStep(F);
    return F;
}

int feld_plot::ShortNumberRows(HDC dc)
{
    if (!ShowXText) return ScaleFontHeight / 2;
    const int h = vantor_gdi::CellHeight(dc, ScaleFont);
    return ScaleFontWidth * 4 / 3 + (h > 0 ? h : ScaleFontHeight) + 1;
}

int feld_plot::ShortDescriptionRows(HDC dc)
{
    const int h = vantor_gdi::CellHeight(dc, XFont);
    return (h > 0 ? h : AxisFontHeight) + 3;
}

int feld_plot::AchsenScalierung(HDC dc, int lengthPixels, double lo, double hi, int numbers,
                                int lines, double scale, int axisKind)
{
    const bool threeD = Is3D && DepthLength > 0.0;
    const double margin = threeD ? 1.0 : 1.15;
    (void)lengthPixels;
    const double F = NumberedStep(dc, lo, hi, numbers, scale, axisKind);
    if (F == 0.0) return 0;
    if (lines < 1 || lines > 20) lines = 2;
    const std::vector<vantor_axis::Tick> ticks = vantor_axis::AxisTicks(lo, hi, F, lines, margin);

    Selection pen(dc, vantor_gdi::NewPen(PS_SOLID, AxisWidth, 0), true);

    const int L = GraphLeft + LeftMargin;
    const int R = L + GraphWidth - 1;
    const int top = GraphTop + static_cast<int>(Depth3DY);
    const int bottom = GraphTop + GraphHeight - 1;
    const int numberedLength = ScaleFontWidth * 3 / 2 + 1;
    const int minorLength = ScaleFontWidth * 5 / 7 + 1;
    const int rowGap = ScaleFontHeight / 2 + 1;
    const double yRef = vantor_axis::YReference(lo, hi);

    auto gridLine = [&](int x1, int y1, int x2, int y2) {
        if (!ShowGrid) return;
        Selection grid(dc, vantor_gdi::NewPen(PS_DOT, 1, GRID_GREY), true);
        mMoveTo(dc, x1, y1);
        mLineTo(dc, x2, y2);
    };
    auto number = [&](const std::string& s, int x, int y) {
        RECT none{};
        POINT at = mTextOut(x, y, &none);
        vantor_gdi::Text(dc, at, nullptr, s.c_str(), static_cast<int>(s.size()));
    };

    for (const vantor_axis::Tick& t : ticks) {
        const double v = t.value;
        const int len = t.numbered ? numberedLength : minorLength;
        if (axisKind == 1) {
            const int px = static_cast<int>(L + (v - XMin) * XScale);
            if (px < L || px > R) continue;
            mMoveTo(dc, px, bottom);
            mLineTo(dc, px, bottom - len);
            if (!threeD) {
                const int topLength =
                    t.numbered ? numberedLength
                               : (v >= 0.0 ? ScaleFontWidth * 5 / 7 + 1 : ScaleFontWidth * 3 / 7 + 1);
                mMoveTo(dc, px, GraphTop);
                mLineTo(dc, px, GraphTop + topLength);
            }
            if (ZeroLine) {
                const int cross = t.numbered ? ScaleFontWidth / 3 : ScaleFontWidth / 4;
                mMoveTo(dc, px, static_cast<int>(YZero) - cross);
                mLineTo(dc, px, static_cast<int>(YZero) + cross + 1);
            }
            if (t.numbered) {
                gridLine(px, bottom, px, GraphTop);
                if (ShowXText) {
                    const std::string s = vantor_axis::TickText(v, 1, SignFactor, ZSign);
                    const SIZE sz = TextBox(dc, s, ScaleFontWidth, ScaleFontHeight);
                    number(s, px - sz.cx / 2, bottom + ScaleFontWidth * 4 / 3);
                }
            }
        } else if (axisKind == 2 || axisKind == 4) {
            const bool right = axisKind == 4;
            const double zero = right ? RightZero : YZero;
            const double sc = right ? RightScale : YScale;
            const int py = static_cast<int>(zero - sc * (v - yRef));
            const int gap = t.numbered ? rowGap : 2;
            if (py < top + gap || py > bottom) continue;
            if (v < 0.0 && py > bottom - gap) continue;
            const int x0 = right ? R : L;
            const int dir = right ? -1 : 1;
            mMoveTo(dc, x0, py);
            mLineTo(dc, x0 + dir * len, py);
            if (!right && !RightAxis && !threeD) {
                mMoveTo(dc, R, py);
                mLineTo(dc, R - len, py);
            }
            if (t.numbered) {
                gridLine(L, py, R, py);
                if (ShowYText) {
                    const std::string s = vantor_axis::TickText(v, axisKind, SignFactor, ZSign);
                    const SIZE sz = TextBox(dc, s, ScaleFontWidth, ScaleFontHeight);
                    int x = right ? R + ScaleFontWidth + 2 : L - ScaleFontWidth - sz.cx;
                    // Leaning back to the left, the curves behind the front
                    // plane pass left of its axis: the numbers stand clear.
                    if (!right && threeD && Depth3DX < 0.0) x += static_cast<int>(Depth3DX);
                    number(s, x, py - sz.cy / 2);
                }
            }
        } else if (axisKind == 3 && threeD && DepthLength > 0.0) {
            if (v < lo - F / 1000.0 || v > hi + F / 1000.0) continue;
            const double s = (v - ZMin) * DepthScale;
            const double ux = Depth3DX / DepthLength, uy = Depth3DY / DepthLength;
            const int bx = static_cast<int>(R + 1 + s * ux);
            const int by = static_cast<int>(bottom - s * uy);
            mMoveTo(dc, bx, by);
            mLineTo(dc, bx - len, by);
            if (t.numbered) {
                const std::string text = vantor_axis::TickText(v, 3, SignFactor, ZSign);
                const SIZE sz = TextBox(dc, text, ScaleFontWidth, ScaleFontHeight);
                number(text, bx + ScaleFontWidth / 2, by - sz.cy / 2);
            }
        }
    }
    return 1;
}

int feld_plot::InscribeX(HDC dc, int title)
{
    const char* text = title ? CapitalText : XText;
    if (!text) return 0;
    if (!HasText(text)) return 1;
    if (title && !(IsPrinting || PrintCap)) return 1;
    const COLORREF old = vantor_gdi::SetBackColor(dc, LIGHT_GREY);
    const int kind = title ? 3 : 1;
    const int w = MeasureOrDraw(dc, text, 0, kind, 0, 0, false);
    const int L = GraphLeft + LeftMargin;
    const int bits = title ? (BeschriftungFlags >> 8) & 7 : BeschriftungFlags & 7;
    int along;
    if (bits & 1)
        along = title ? L : L + CapitalFontWidth;
    else if (bits & 4)
        along = L + GraphWidth - w;
    else
        along = L + (GraphWidth - w) / 2;
    if (!title && Is3D && Angle3D > 90.0) along += static_cast<int>(std::fabs(Depth3DX)) / 2;
    InscribeAxis(dc, const_cast<char*>(text), along, kind, 0, 0);
    vantor_gdi::SetBackColor(dc, old);
    return 1;
}

namespace {

// Whether a font turns its texts to read from top to bottom.
bool ReadsDownwards(HFONT font)
{
    const int a = vantor_gdi::FontAngle(font);
    return a > 1800 && a < 3600;
}

}  // namespace

// Start of a description of `w` pixels along the y axes: bit 1 at the
// bottom, bit 4 at the top, else centred on the axis; a text that reads
// downwards starts at its upper end.
int feld_plot::AlongVerticalAxis(int w, int bits, bool downwards)
{
    const int bottom = GraphTop + GraphHeight;
    if (downwards) {
        if (bits & 1) return bottom - w;
        if (bits & 4) return GraphTop;
        return GraphTop + (GraphHeight - w) / 2;
    }
    if (bits & 1) return bottom;
    if (bits & 4) return GraphTop + w;
    return bottom - (GraphHeight - w) / 2;
}

int feld_plot::InscribeY(HDC dc)
{
    if (!YText) return 0;
    if (!HasText(YText)) return 1;
    const COLORREF old = vantor_gdi::SetBackColor(dc, LIGHT_GREY);
    const int w = MeasureOrDraw(dc, YText, 0, 2, 0, 0, false);
    int along = AlongVerticalAxis(w, (BeschriftungFlags >> 4) & 7, ReadsDownwards(YFont));
    if (Is3D && Angle3D > 90.0) along -= GraphHeight / 6;
    InscribeAxis(dc, YText, along, 2, 0, 0);
    vantor_gdi::SetBackColor(dc, old);
    return 1;
}

int feld_plot::InscribeYre(HDC dc)
{
    if (!ZText) return 0;
    if (!HasText(ZText)) return 1;
    const COLORREF old = vantor_gdi::SetBackColor(dc, LIGHT_GREY);
    const int bits = (BeschriftungFlags >> 4) & 7;
    if (Is3D && DepthLength > 0.0) {
        const int w = MeasureOrDraw(dc, ZText, 0, 5, 0, 0, false);
        // along counts back from the middle of the depth axis.
        int along = w / 2;
        if (bits & 1)
            along = static_cast<int>(DepthLength / 2);
        else if (bits & 4)
            along = static_cast<int>(-DepthLength / 2) + w;
        InscribeAxis(dc, ZText, along, 5, 0, 0);
    } else {
        const int w = MeasureOrDraw(dc, ZText, 0, 4, 0, 0, false);
        InscribeAxis(dc, ZText, AlongVerticalAxis(w, bits, ReadsDownwards(ZFont)), 4, 0, 0);
    }
    vantor_gdi::SetBackColor(dc, old);
    return 1;
}

int feld_plot::InscribeAxis(HDC dc, char* text, int along, int kind, int x, int y)
{
    if (!text) return 1;
    MeasureOrDraw(dc, text, along, kind, x, y, true);
    return 1;
}

int feld_plot::InscribeLegend(HDC dc, char* text, int x, int y)
{
    const COLORREF old =
        vantor_gdi::SetBackColor(dc, IsPrinting ? RGB(255, 255, 255) : LIGHT_GREY);
    InscribeAxis(dc, text, 0, 0, x, y);
    vantor_gdi::SetBackColor(dc, old);
    return 1;
}

// Walks a label with its escapes; measures it (draw false, returns the
// advance in pixels) or draws it at the place of its kind.  The runs follow
// the angle of the kind's font; Greek runs are drawn as Unicode.
int feld_plot::MeasureOrDraw(HDC dc, const char* text, int along, int kind, int x, int y,
                             bool draw)
{
    if (!text || kind < 0 || kind > 5) return 0;
    char work[MAX_LABEL_TEXT + 1];
    size_t n = 0;
    while (n < MAX_LABEL_TEXT && text[n]) {
        work[n] = text[n];
        ++n;
    }
    work[n] = 0;

    static const int baseIndex[] = {5, 0, 1, 6, 7, 7};
    static const int greekIndex[] = {2, 2, 3, 2, 8, 8};
    HFONT fonts[] = {XFont, YFont, GreekFont, GreekYFont, ScaleFont,
                     LegendFont, CapitalFont, ZFont, GreekZFont};
    const HFONT base = fonts[baseIndex[kind]];
    const HFONT greek = fonts[greekIndex[kind]];
    int fw = AxisFontWidth, fh = AxisFontHeight;
    if (kind == 0) {
        fw = InscriptionFontWidth;
        fh = InscriptionFontHeight;
    } else if (kind == 3) {
        fw = CapitalFontWidth;
        fh = CapitalFontHeight;
    }
    // Direction of the runs and the direction "down" across them.
    const double textAngle = vantor_gdi::FontAngle(base) * PI / 1800.0;
    const double ax = std::cos(textAngle), ay = -std::sin(textAngle);
    const double downX = std::sin(textAngle), downY = std::cos(textAngle);

    int total = 0;
    if (draw && kind == 0) total = MeasureOrDraw(dc, text, along, kind, x, y, false);

    // Start of the text and its clip rectangle.
    int px = x, py = y;
    RECT clip{0, 0, 0, 0};
    bool clipped = kind != 5;
    const int plotRight = GraphLeft + GraphWidth + LeftMargin;
    const double angle = Angle3D * PI / 180.0;
    // A vertical text's cell lies right of its start when it reads upwards,
    // left of it when it reads downwards.
    auto cellLeftAt = [&](int left) {
        if (downX >= 0.0) return left;
        const int h = vantor_gdi::CellHeight(dc, base);
        return left + (h > 0 ? h : fh);
    };
    switch (kind) {
    case 0: {
        const int width = total > 0 ? total : (static_cast<int>(n) + 3) * InscriptionFontWidth;
        clip = RECT{x, y - fh / 3, x + width, y + TextSize.cy + fh * 2 / 3};
        if (TextSize.cy <= 0) clip.bottom = y + fh + fh * 2 / 3;
        break;
    }
    case 1: {
        const int below = GraphTop + GraphHeight;
        int right = plotRight;
        if (Is3D && Angle3D > 90.0) right += static_cast<int>(std::fabs(Depth3DX));
        px = along;
        if (ShortLayout) {
            // Right under the numbers, in the rows the layout kept for it.
            py = below - 1 + ShortNumberRows(dc) + XAxisDistance;
            clip = RECT{GraphLeft, py, right, py + 8 * AxisFontHeight};
            break;
        }
        // Printers that measure texts get the description a little closer.
        const bool measured = IsPrinting && vantor_gdi::Extent(dc, "X", 1).cx > 0;
        const double factor = measured ? 0.75 : 0.5;
        py = static_cast<int>(below + (ShowXText ? AxisFontHeight * 3 / 2 : AxisFontHeight / 2) +
                              ScaleFontHeight * factor + AxisFontHeight / 2 + XAxisDistance);
        if (measured) py -= 4;
        clip = RECT{GraphLeft, below + AxisFontHeight, right, below + 8 * AxisFontHeight};
        break;
    }
    case 2:
        px = cellLeftAt(GraphLeft - AxisFontHeight * 3 / 2);
        py = along;
        clip = RECT{GraphLeft - 2 * AxisFontHeight, GraphTop, GraphLeft + 1, GraphTop + GraphHeight};
        break;
    case 3:
        px = along;
        py = GraphTop - CapitalFontHeight * 3 / 2;
        clip = RECT{GraphLeft - 2 * CapitalFontHeight, GraphTop - 2 * CapitalFontHeight,
                    GraphLeft + PageWidth, GraphTop};
        break;
    case 4: {
        const int x0 = GraphLeft + GraphWidth + RightMargin + LeftMargin;
        // The cell ends where a text reading downwards starts.
        const int h = vantor_gdi::CellHeight(dc, base);
        px = cellLeftAt(x0 + AxisFontHeight + 2 * ScaleFontWidth - (h > 0 ? h : fh));
        py = along;
        clip = RECT{x0, GraphTop, x0 + 2 * AxisFontHeight + ScaleFontWidth, GraphTop + GraphHeight};
        break;
    }
    case 5: {
        const double s = DepthLength / 2 - along;
        const double c = Angle3D <= 90.0 ? std::cos(angle) : -std::sin(angle - PI / 2.0);
        const double sn = Angle3D <= 90.0 ? std::sin(angle) : std::cos(angle - PI / 2.0);
        px = static_cast<int>(plotRight + s * c + 3 * ScaleFontWidth);
        py = static_cast<int>(GraphTop + GraphHeight - s * sn + AxisFontHeight);
        if (vantor_gdi::FontAngle(base) != 0) {
            // A turned font runs along the axis, its cell clear of the numbers.
            const double gap = 3 * ScaleFontWidth + AxisFontHeight / 2;
            px = static_cast<int>(std::lround(plotRight + s * c + gap * downX));
            py = static_cast<int>(std::lround(GraphTop + GraphHeight - s * sn + gap * downY));
        }
        break;
    }
    }

    HFONT greekRuns = nullptr;  // made at the first Greek run
    int advance = 0;
    auto run = [&](const char* s, int len, bool isGreek, int shift) {
        if (len <= 0) return;
        std::u16string wide;
        if (isGreek) {
            if (!greekRuns) greekRuns = vantor_gdi::NewGreekFont(greek, base);
            wide = vantor_greek::ToUnicode(s, len);
        }
        Selection sel(dc, isGreek ? greekRuns : base, false);
        SIZE sz = isGreek ? vantor_gdi::ExtentW(dc, wide.data(), len) : vantor_gdi::Extent(dc, s, len);
        if (sz.cx > 0) TextSize = sz;
        if (sz.cx <= 0) sz.cx = len * fw;
        if (draw) {
            const int rx = px + static_cast<int>(std::lround(advance * ax + shift * downX));
            const int ry = py + static_cast<int>(std::lround(advance * ay + shift * downY));
            RECT c = clip;
            POINT at = mTextOut(rx, ry, clipped ? &c : nullptr);
            if (isGreek)
                vantor_gdi::TextW(dc, at, clipped ? &c : nullptr, wide.data(), len);
            else
                vantor_gdi::Text(dc, at, clipped ? &c : nullptr, s, len);
        }
        advance += sz.cx;
    };

    size_t i = 0;
    while (i < n) {
        size_t j = i;
        while (j < n && work[j] != '^' && work[j] != '~' && work[j] != '@') ++j;
        run(work + i, static_cast<int>(j - i), false, 0);
        if (j >= n) break;
        const char escape = work[j];
        i = j + 1;
        if (i >= n) break;
        const char* arg = work + i;
        int len = 1;
        if (work[i] == '{') {
            // A group runs to its closing brace, or to the end of the text.
            size_t k = i + 1;
            while (k < n && work[k] != '}') ++k;
            arg = work + i + 1;
            len = static_cast<int>(std::min<size_t>(k - i - 1, MAX_GROUP_TEXT));
            i = k < n ? k + 1 : n;
        } else {
            i += 1;
        }
        const int shift = escape == '~' ? -fh / 3 : escape == '@' ? fh / 3 : 0;
        run(arg, len, escape == '^', shift);
    }
    vantor_gdi::Free(greekRuns);
    return advance;
}
