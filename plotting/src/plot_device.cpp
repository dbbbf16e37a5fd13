// Device primitives and coordinate conversion.  Every GDI call of the
// library sits in this file; the drawing members reach the device through
// the mapped primitives and the helpers of plot_gdi.h, so one layout code
// serves screen, metafile and a printer page turned by 90 degrees.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <cwchar>

#include "axis_scale.h"
#include "plot_gdi.h"

namespace {

bool Turned(const feld_plot& p) { return p.IsPrinting && p.FullPage; }

POINT Map(const feld_plot& p, int x, int y)
{
    if (Turned(p)) return POINT{y, p.PageWidth - x};
    return POINT{x, y};
}

}  // namespace

namespace vantor_gdi {

HPEN NewPen(int style, int width, COLORREF color)
{
    if (style < PS_SOLID || style > PS_INSIDEFRAME) style = PS_SOLID;
    return CreatePen(style, width < 0 ? 0 : width, color);
}

HBRUSH NewSolidBrush(COLORREF color) { return CreateSolidBrush(color); }

HBRUSH NewHatchBrush(int hatch, COLORREF color)
{
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return CreateSolidBrush(color);
    return CreateHatchBrush(hatch, color);
}

HGDIOBJ Stock(int which) { return GetStockObject(which); }

void Free(HGDIOBJ obj)
{
    if (obj) DeleteObject(obj);
}

Selection::Selection(HDC dc, HGDIOBJ obj, bool owned)
    : dc_(dc), obj_(obj), old_(nullptr), owned_(owned)
{
    if (obj_) old_ = SelectObject(dc_, obj_);
}

Selection::~Selection()
{
    if (obj_ && old_) SelectObject(dc_, old_);
    if (obj_ && owned_) DeleteObject(obj_);
}

int SetMode(HDC dc, int mode) { return SetBkMode(dc, mode); }
COLORREF SetBackColor(HDC dc, COLORREF c) { return SetBkColor(dc, c); }
UINT SetAlign(HDC dc, UINT align) { return SetTextAlign(dc, align); }
int SetRop(HDC dc, int rop) { return SetROP2(dc, rop); }

SIZE Extent(HDC dc, const char* text, int len)
{
    SIZE s{0, 0};
    if (len > 0 && !GetTextExtentPoint32A(dc, text, len, &s)) s = SIZE{0, 0};
    return s;
}

void Text(HDC dc, POINT at, const RECT* clip, const char* text, int len)
{
    if (len <= 0) return;
    if (clip)
        ExtTextOutA(dc, at.x, at.y, ETO_CLIPPED, clip, text, static_cast<UINT>(len), nullptr);
    else
        TextOutA(dc, at.x, at.y, text, len);
}

SIZE ExtentW(HDC dc, const char16_t* text, int len)
{
    SIZE s{0, 0};
    if (len > 0 &&
        !GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text), len, &s))
        s = SIZE{0, 0};
    return s;
}

void TextW(HDC dc, POINT at, const RECT* clip, const char16_t* text, int len)
{
    if (len <= 0) return;
    const wchar_t* w = reinterpret_cast<const wchar_t*>(text);
    ExtTextOutW(dc, at.x, at.y, clip ? ETO_CLIPPED : 0, clip, w, static_cast<UINT>(len), nullptr);
}

int CellHeight(HDC dc, HFONT font)
{
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    TEXTMETRICA tm{};
    const int h = GetTextMetricsA(dc, &tm) ? tm.tmHeight : 0;
    if (old) SelectObject(dc, old);
    return h;
}

int FontAngle(HFONT font)
{
    LOGFONTW lf{};
    if (!font || GetObjectW(font, sizeof lf, &lf) != sizeof lf) return 0;
    return ((lf.lfEscapement % 3600) + 3600) % 3600;
}

const char GREEK_FACE[] = "DejaVu Sans";

HFONT NewGreekFont(HFONT greek, HFONT base)
{
    LOGFONTW lf{};
    HFONT from = greek ? greek : base;
    if (!from || GetObjectW(from, sizeof lf, &lf) != sizeof lf) {
        lf = LOGFONTW{};
        lf.lfHeight = -16;
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = SYMBOL_CHARSET;
    }
    const int angle = base ? FontAngle(base) : lf.lfEscapement;
    lf.lfEscapement = lf.lfOrientation = angle;
    const bool symbol = lf.lfCharSet == SYMBOL_CHARSET || _wcsicmp(lf.lfFaceName, L"Symbol") == 0;
    if (symbol) {
        for (size_t i = 0; i < LF_FACESIZE; ++i) {
            lf.lfFaceName[i] = static_cast<unsigned char>(GREEK_FACE[i]);
            if (!GREEK_FACE[i]) break;
        }
        lf.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    }
    lf.lfCharSet = DEFAULT_CHARSET;
    return CreateFontIndirectW(&lf);
}

void Rect(feld_plot& p, HDC dc, int left, int top, int right, int bottom)
{
    POINT a = Map(p, left, top), b = Map(p, right, bottom);
    Rectangle(dc, std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x),
              std::max(a.y, b.y));
}

void Oval(feld_plot& p, HDC dc, int left, int top, int right, int bottom)
{
    POINT a = Map(p, left, top), b = Map(p, right, bottom);
    Ellipse(dc, std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
}

}  // namespace vantor_gdi

void feld_plot::mMoveTo(HDC dc, int x, int y)
{
    POINT p = Map(*this, x, y);
    MoveToEx(dc, p.x, p.y, nullptr);
}

void feld_plot::mLineTo(HDC dc, int x, int y)
{
    POINT p = Map(*this, x, y);
    LineTo(dc, p.x, p.y);
}

int feld_plot::mPolyline(HDC dc, POINT* points, int count)
{
    if (!points || count < 1) return 1;
    if (Turned(*this))
        for (int i = 0; i < count; ++i) points[i] = Map(*this, points[i].x, points[i].y);
    Polyline(dc, points, count);
    return 1;
}

POINT feld_plot::mTextOut(int x, int y, RECT* clip)
{
    if (Turned(*this) && clip) *clip = RECT{0, 0, GraphHeight * 3 / 2, PageWidth};
    return Map(*this, x, y);
}

int feld_plot::GetScreen(double x, double y, int& px, int& py)
{
    y -= vantor_axis::YReference(YMin, YMax);
    px = static_cast<int>(GraphLeft + LeftMargin + (x - XMin) * XScale);
    py = static_cast<int>(YZero - YScale * y);
    const int left = GraphLeft + LeftMargin;
    return (px >= left - 1 && px <= left + GraphWidth && py >= GraphTop &&
            py <= GraphTop + GraphHeight)
               ? 1
               : 0;
}

int feld_plot::GetXYValue(double& x, double& y, int px, int py, int withData, int withFunction)
{
    if (!withData && !withFunction) return 0;
    const int left = GraphLeft + LeftMargin;
    if (px < left || px > left + GraphWidth || py < GraphTop + 1 ||
        py > GraphTop + GraphHeight - 2)
        return 0;
    if (XScale == 0.0 || YScale == 0.0) return 0;
    x = (px - left + 1) / XScale + XMin;
    y = (YZero - py) / YScale + vantor_axis::YReference(YMin, YMax);
    return 1;
}
