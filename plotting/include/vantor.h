// vantor: drawing of graphs into a Windows device context for korlan.
//
// One exported class, feld_plot, and the settings record PAINTINFO that a
// graphic window keeps and loads into the plotting object before it draws.
// A drawing is a sequence on one object: SetPaintinfo, the one-shot flags,
// GraphDimension, SetBorder, SetMinMax, SetFieldFunction, labels and fonts,
// then PlotFrame and one or more PlotFieldFunction calls.  GetScreen and
// GetXYValue convert with the layout of the last frame drawn.
//
// The small setters and getters are defined here, so every user compiles
// its own copies of them; everything else lives in vantor.dll.
#ifndef VANTOR_H
#define VANTOR_H

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>

#if defined(VANTOR_BUILD)
#  define VANTOR_API __declspec(dllexport)
#else
#  define VANTOR_API __declspec(dllimport)
#endif

// Model callback of the fit model (the same type the numerics library uses).
// Point mode (xs null): returns the model at x; index is the point index as
// a double, or the depth value of a 3D view.  Array mode: fills ys[0..n-1]
// for xs[0..n-1]; the result is ignored.
typedef double (*ModellCallback)(double x, double index, double* xs, double* ys, int32_t n);

// Per-window plot settings: 42 int32 (three of them COLORREF values) then
// 2 doubles, no gaps.  Stored by the program per graphic window.
struct PAINTINFO {
    int32_t PlotWidth, FuncWidth, AxisWidth, FrameWidth;
    int32_t XNumbers, YNumbers, ZNumbers;
    int32_t PlotPenStyle, FuncPenStyle, FuncStyle, PlotStyle;
    int32_t XLines, YLines, ZLines;
    int32_t PlotHatch, FuncHatch;
    int32_t TriangleHeight, KreisRadius;
    int32_t XAxisDistance, YAxisDistance, ZAxisDistance;
    int32_t BarWidth, BeschriftungFlags;
    int32_t AxisFontWidth, AxisFontHeight, ScaleFontWidth, ScaleFontHeight;
    int32_t InscriptionFontWidth, InscriptionFontHeight;
    int32_t CapitalFontWidth, CapitalFontHeight;
    uint32_t PlotColor, FuncColor, BkgColor;  // COLORREF values
    int32_t ShowGrid, ShowFrame, OnlyXPoints, KomplexReal, KomplexImag;
    int32_t BarBrush, ShowXText, ShowYText;
    double DotScale;
    double SignFactor;
};

static_assert(sizeof(PAINTINFO) == 42 * 4 + 2 * 8, "PAINTINFO is 42 int32 then 2 doubles");
static_assert(offsetof(PAINTINFO, PlotColor) == 31 * 4, "PlotColor is the 32nd word");
static_assert(offsetof(PAINTINFO, ShowYText) == 41 * 4, "ShowYText is the 42nd word");
static_assert(offsetof(PAINTINFO, DotScale) == 42 * 4, "no gap before the doubles");
static_assert(offsetof(PAINTINFO, SignFactor) == 42 * 4 + 8, "SignFactor follows DotScale");

// Size of each label block (XText, YText, CapitalText, ZText): texts of at
// most VANTOR_LABEL_SIZE - 1 characters; longer texts are cut.
#define VANTOR_LABEL_SIZE 200
// Values in each of the two work blocks; bounds the model-function grid
// (with OnlyXPoints, more data x values are thinned evenly to this many).
#define VANTOR_WORK_VALUES 8000
// Entries of a multiplot list behind its count.
#define VANTOR_MULTIPLOT_MAX 17

// Copies a label into a label block, cut to the block.
inline void VantorCopyLabel(char* block, const char* text)
{
    if (!block) return;
    if (!text) { block[0] = 0; return; }
    size_t i = 0;
    for (; i + 1 < VANTOR_LABEL_SIZE && text[i]; ++i) block[i] = text[i];
    block[i] = 0;
}

class VANTOR_API feld_plot {
public:
    feld_plot();
    ~feld_plot();
    // Two objects must not share the label and work blocks.
    feld_plot(const feld_plot&) = delete;
    feld_plot& operator=(const feld_plot&) = delete;

    // ---- Per-window settings, one member per PAINTINFO field ------------
    int32_t PlotWidth, FuncWidth, AxisWidth, FrameWidth;
    int32_t XNumbers, YNumbers, ZNumbers;
    int32_t PlotPenStyle, FuncPenStyle, FuncStyle, PlotStyle;
    int32_t XLines, YLines, ZLines;
    int32_t PlotHatch, FuncHatch;
    int32_t TriangleHeight, KreisRadius;
    int32_t XAxisDistance, YAxisDistance, ZAxisDistance;
    int32_t BarWidth, BeschriftungFlags;
    int32_t AxisFontWidth, AxisFontHeight, ScaleFontWidth, ScaleFontHeight;
    int32_t InscriptionFontWidth, InscriptionFontHeight;
    int32_t CapitalFontWidth, CapitalFontHeight;
    COLORREF PlotColor, FuncColor, BkgColor;
    int32_t ShowGrid, ShowFrame, OnlyXPoints, KomplexReal, KomplexImag;
    int32_t BarBrush, ShowXText, ShowYText;
    double DotScale;
    double SignFactor;

    // ---- Graph rectangle (device pixels); PlotFrame shrinks it in place
    // to the inner plot area.
    int32_t GraphLeft, GraphTop, GraphWidth, GraphHeight;
    int32_t CharWidth, CharHeight;
    int32_t PageWidth;

    // ---- Data ranges.  ExtraMin/ExtraMax are stored, never read.
    double XMin, XMax;
    double YMin, YMax, RightMin, RightMax, ExtraMin, ExtraMax;

    // ---- Caller's data and model (never freed by the library).
    double* XField;
    double* YField;
    double* RightField;
    ModellCallback ModelFunction;
    // Number of points in XField/YField (and RightField).  Negative: not
    // known, the index range is then found by scanning until x stops rising,
    // which needs zero-filled memory behind the data; callers should pass the
    // count to SetFieldFunction or SetPointCount.
    int32_t PointCount;

    // ---- Drawing mode flags.
    int32_t IsPrinting, PrintValue1, PrintValue2;
    int32_t FullPage, PrintCap, Clipboard, PBkgColor;
    int32_t RightAxis, NoReduction, MMFeld;
    int32_t Komplex, KomplexOffset, BarOffset, NonZeroBar;
    int32_t MultiplotMode;
    int32_t MultiplotList[1 + VANTOR_MULTIPLOT_MAX];  // count, then entries
    // One-shot x layout of the next frame (see SetXLayout); 0 = not set.
    int32_t LayoutColumn, LayoutRight;
    double LayoutXMin, LayoutXMax;

    // ---- 3D view.
    int32_t Is3D;
    double ZMin, ZMax, ZValue, ZSign, Angle3D, Depth3D;

    // ---- Labels: zero-filled blocks of VANTOR_LABEL_SIZE bytes.
    char* XText;
    char* YText;
    char* CapitalText;
    char* ZText;

    // ---- Fonts, owned by the caller.
    HFONT XFont, YFont, GreekFont, GreekYFont, ScaleFont, LegendFont,
        CapitalFont, ZFont, GreekZFont;

    // ---- Work blocks of VANTOR_WORK_VALUES doubles: model values (first)
    // and generated x values (second).
    double* WorkY;
    double* WorkX;

    // ---- Layout computed by PlotFrame.
    int32_t LeftMargin, RightMargin;
    double XScale, YScale, YZero;
    double RightScale, RightZero;
    double XZeroOffset;
    double DepthLength, DepthScale, DepthOrigin;
    int32_t ZeroLine;
    SIZE TextSize;
    int32_t Reduced;      // this frame left out ticks, numbers and descriptions
    int32_t ShortLayout;  // this frame used the short layout
    double Depth3DX, Depth3DY;  // pixel extent of the depth axis of this frame

    // ---- Index range of the data drawn last.
    int32_t FirstIndex, LastIndex;

    // ---- Setters and getters --------------------------------------------
    void SetPaintinfo(PAINTINFO* info);
    void GetPaintinfo(PAINTINFO* info);

    feld_plot& GraphDimension(int left, int top, int width, int height, int charWidth,
                              int charHeight)
    {
        GraphLeft = left; GraphTop = top; GraphWidth = width; GraphHeight = height;
        CharWidth = charWidth; CharHeight = charHeight;
        return *this;
    }
    // count: points in x and y (and right); see PointCount.
    feld_plot& SetFieldFunction(double* x, double* y, ModellCallback f = nullptr,
                                double* right = nullptr, int32_t count = -1)
    {
        XField = x; YField = y; ModelFunction = f; RightField = right; PointCount = count;
        return *this;
    }
    void SetPointCount(int32_t count) { PointCount = count; }
    double* GetXField() { return XField; }
    double* GetYField() { return YField; }
    int CheckDataArray(double* x, double*) { return x == XField ? 1 : 0; }

    feld_plot& SetBorder(double xmin, double xmax) { XMin = xmin; XMax = xmax; return *this; }
    int GetBorder(double& xmin, double& xmax) { xmin = XMin; xmax = XMax; return 1; }
    feld_plot& SetMinMax(double ymin, double ymax, double rmin = 0, double rmax = 0,
                         double emin = 0, double emax = 0)
    {
        YMin = ymin; YMax = ymax; RightMin = rmin; RightMax = rmax;
        ExtraMin = emin; ExtraMax = emax;
        return *this;
    }
    void SetGridBreite(int grid, int axis, int frame, int plot, int func, int showFrame)
    {
        ShowGrid = grid; AxisWidth = axis; FrameWidth = frame; PlotWidth = plot;
        FuncWidth = func; ShowFrame = showFrame;
    }
    void GetGridBreite(int& grid, int& axis, int& frame, int& plot, int& func, int& showFrame)
    {
        grid = ShowGrid; axis = AxisWidth; frame = FrameWidth; plot = PlotWidth;
        func = FuncWidth; showFrame = ShowFrame;
    }
    void SetXYScaling(int x, int y, int z, double angle, double depth)
    {
        XNumbers = x; YNumbers = y; ZNumbers = z; Angle3D = angle; Depth3D = depth;
    }
    void GetXYScaling(int& x, int& y, int& z, double& angle)
    {
        x = XNumbers; y = YNumbers; z = ZNumbers; angle = Angle3D;
    }
    // Changes only the extents above 0.
    void SetScalExtent(int axisW, int axisH, int inscW, int inscH, int scaleW, int scaleH,
                       int capW, int capH);
    void GetScalExtent(int& axisW, int& axisH, int& inscW, int& inscH, int& scaleW,
                       int& scaleH, int& capW, int& capH)
    {
        axisW = AxisFontWidth; axisH = AxisFontHeight;
        inscW = InscriptionFontWidth; inscH = InscriptionFontHeight;
        scaleW = ScaleFontWidth; scaleH = ScaleFontHeight;
        capW = CapitalFontWidth; capH = CapitalFontHeight;
    }
    // A zero circle radius or triangle height keeps the previous value.
    void SetPlotOptions(unsigned long plotColor, unsigned long funcColor, int plotPen,
                        int funcPen, int plotStyle, int funcStyle, int kreis, int triangle,
                        int onlyX)
    {
        PlotColor = static_cast<COLORREF>(plotColor);
        FuncColor = static_cast<COLORREF>(funcColor);
        PlotPenStyle = plotPen; FuncPenStyle = funcPen;
        PlotStyle = plotStyle; FuncStyle = funcStyle;
        if (kreis) KreisRadius = kreis;
        if (triangle) TriangleHeight = triangle;
        OnlyXPoints = onlyX;
    }
    void GetPlotOptions(unsigned long& plotColor, unsigned long& funcColor, int& plotPen,
                        int& funcPen, int& plotStyle, int& funcStyle, int& kreis,
                        int& triangle, int& onlyX)
    {
        plotColor = PlotColor; funcColor = FuncColor;
        plotPen = PlotPenStyle; funcPen = FuncPenStyle;
        plotStyle = PlotStyle; funcStyle = FuncStyle;
        kreis = KreisRadius; triangle = TriangleHeight; onlyX = OnlyXPoints;
    }
    void SetKreisRadiusTriangleHeight(int kreis, int triangle, int bar)
    {
        KreisRadius = kreis; TriangleHeight = triangle; BarWidth = bar;
    }
    void GetKreisRadiusTriangleHeight(int& kreis, int& triangle, int& bar)
    {
        kreis = KreisRadius; triangle = TriangleHeight; bar = BarWidth;
    }
    void SetBrushStyle(int plotHatch, int funcHatch, int barBrush)
    {
        PlotHatch = plotHatch; FuncHatch = funcHatch; BarBrush = barBrush;
    }
    void GetBrushStyle(int& plotHatch, int& funcHatch)
    {
        plotHatch = PlotHatch; funcHatch = FuncHatch;
    }
    void SetKomplexMode(int real, int imag) { KomplexReal = real; KomplexImag = imag; }
    void GetKomplexMode(int& real, int& imag) { real = KomplexReal; imag = KomplexImag; }
    void SetKomplex(int on, int offset, int barOffset)
    {
        Komplex = on; KomplexOffset = offset; BarOffset = barOffset;
    }
    feld_plot& SetNonZeroBar(int on, int barOffset)
    {
        NonZeroBar = on; BarOffset = barOffset;
        return *this;
    }
    void SetIsPrinting(int on, int value1 = 0, int value2 = 0)
    {
        IsPrinting = on; PrintValue1 = value1; PrintValue2 = value2;
    }
    void SetDotScale(double d) { DotScale = d; }
    double GetDotScale() { return DotScale; }
    void SetOnlyXPoints(int on) { OnlyXPoints = on; }
    void SetNoReduction(int on) { NoReduction = on; }
    void SetRightAxis(int on) { RightAxis = on; }
    void SetFullPage(int on) { FullPage = on; }
    feld_plot& SetMMFeld(int on) { MMFeld = on; return *this; }
    void SetPBkgColor(int on) { PBkgColor = on; }
    int GetPBkgColor() { return PBkgColor ? 1 : 0; }
    int SetPrintCap(int on) { PrintCap = on; return PrintCap; }
    int SetClipboard(int on) { Clipboard = on; return Clipboard; }

    // Label texts longer than VANTOR_LABEL_SIZE - 1 characters are cut.
    // The getters copy the whole block: out must hold VANTOR_LABEL_SIZE bytes.
    void SetX(const char* text) { VantorCopyLabel(XText, text); }
    void GetX(char* out) { if (out && XText) VantorCopyLabel(out, XText); }
    void SetY(const char* text) { VantorCopyLabel(YText, text); }
    void GetY(char* out) { if (out && YText) VantorCopyLabel(out, YText); }
    void SetXYBeschriftung(const char* x, const char* y, const char* title, int flags,
                           const char* z = nullptr)
    {
        if (x) VantorCopyLabel(XText, x);
        if (y) VantorCopyLabel(YText, y);
        if (title) VantorCopyLabel(CapitalText, title);
        BeschriftungFlags = flags;
        if (z && ZText) VantorCopyLabel(ZText, z);
    }
    void GetXYBeschriftung(char* x, char* y, char* title, int& flags, char* z = nullptr)
    {
        if (x && XText) VantorCopyLabel(x, XText);
        if (y && YText) VantorCopyLabel(y, YText);
        if (title && CapitalText) VantorCopyLabel(title, CapitalText);
        flags = BeschriftungFlags;
        if (z && ZText) VantorCopyLabel(z, ZText);
    }
    void SetFonts(HFONT x, HFONT y, HFONT greek, HFONT greekY, HFONT scale, HFONT legend,
                  HFONT capital, HFONT z, HFONT greekZ)
    {
        XFont = x; YFont = y; GreekFont = greek; GreekYFont = greekY; ScaleFont = scale;
        LegendFont = legend; CapitalFont = capital; ZFont = z; GreekZFont = greekZ;
    }

    // z1 > z2 turns the depth axis (ZSign -1); zvalue 1e8 means "at ZMin".
    void Set3D(int on, double z1, double z2, double zvalue, double angle, double depth);
    // list[0] = count (at most VANTOR_MULTIPLOT_MAX; larger counts are cut),
    // then the style entries.  A null list or mode 0 switches multiplot off.
    // Either way a running cycle ends: the saved style comes back and the
    // next call starts again with entry 1.
    void SetMultiplot(int mode, int32_t* list);
    // The next data call takes the entry at list position `index` (from 0,
    // taken modulo the count), so that a curve keeps its style when curves
    // before it are left out.  The cycle then goes on from there.
    void SetMultiplotEntry(int index);

    // One-shot x layout for the next frame, for panels drawn one under the
    // other: its y axis at pixel column axisColumn or further right, the
    // right end of its x axis at axisRight or further left (0: free), and
    // with xmin < xmax exactly that x range.  A frame that follows the x
    // layout of an earlier one gets that frame's GraphLeft + LeftMargin,
    // GraphLeft + LeftMargin + GraphWidth - 1, XMin and XMax.
    void SetXLayout(int axisColumn, int axisRight, double xmin, double xmax)
    {
        LayoutColumn = axisColumn; LayoutRight = axisRight;
        LayoutXMin = xmin; LayoutXMax = xmax;
    }

    // Four text lines of plot options; both return 1 (LoadOptions 0 when a
    // line or field is missing; the values read so far are kept).
    int SaveOptions(FILE* file);
    int LoadOptions(FILE* file);

    // ---- Frame, axes and inscription ------------------------------------
    // Lays out and draws frame, axes, numbers and descriptions.  1 = drawn,
    // 0 = nothing drawn (empty x range, no complex part chosen, no y range).
    int PlotFrame(HDC dc, int withData, int withFunction, int newRange);
    // Numbered tick step for `numbers` ticks over `span`; 0 when no step
    // exists (span 0, not finite, numbers below 1).  decimals gets the
    // digits after the point for steps below 0.1.
    double FindAxisScale(int numbers, double, double span, int, int& decimals);
    // axisKind 1 x, 2 left y, 3 depth, 4 right y.  0 when the step is 0.
    int AchsenScalierung(HDC dc, int lengthPixels, double lo, double hi, int numbers,
                         int lines, double scale, int axisKind);
    int InscribeX(HDC dc, int title);
    int InscribeY(HDC dc);
    int InscribeYre(HDC dc);
    // kind 0 legend at (x, y), 1 x description, 2 y description, 3 title,
    // 4 right-axis description, 5 depth-axis description.  Escapes: "^"
    // Greek, "~" superscript, "@" subscript, each for the next character or
    // a {group}; texts are cut at 119 characters, groups at 99, and an
    // unclosed group ends with the text.  The runs go in the direction of
    // the kind's font (a right-axis font turned by 270 degrees reads down
    // the page); Greek runs are written in the symbol-font encoding ("c" is
    // chi) and drawn as the Unicode letters, a symbol font being replaced
    // by a Unicode face.
    int InscribeAxis(HDC dc, char* text, int along, int kind, int x, int y);
    int InscribeLegend(HDC dc, char* text, int x, int y);

    // ---- Data arrays and model functions --------------------------------
    // first/last (not both 0) give the index range of the data; else the
    // range follows from XMin/XMax.  1 = drawn, 0 = nothing drawn.  Of a
    // stretch of more than 1500 intervals each pixel column draws its
    // first, lowest, highest and last point, so narrow peaks keep their
    // height; the caller's arrays are only read.
    int PlotFieldFunction(HDC dc, int withData, int withFunction, int first, int last);
    int GetMinMaxFeldFunction(int withData, int withFunction, int newRange);
    int PlotLine(HDC dc, POINT* points, int count, int penStyle);
    int IsPointVisible(int& x, int& y, POINT* upper, POINT* lower);
    void spline(double* y2, double* x, double* y, int n);
    double helpsplint(double x, double* y2a, double* xa, double* ya, int n);
    void Splint(int n, double* xnew, double* ynew, double* xa, double* ya, int count);

    // ---- Coordinates and device primitives ------------------------------
    int GetScreen(double x, double y, int& px, int& py);
    int GetXYValue(double& x, double& y, int px, int py, int withData, int withFunction);
    void mMoveTo(HDC dc, int x, int y);
    void mLineTo(HDC dc, int x, int y);
    int mPolyline(HDC dc, POINT* points, int count);
    POINT mTextOut(int x, int y, RECT* clip);

private:
    bool FindIndexRange(int& first, int& last);
    // Numbered step of an axis with `scale` pixels per unit: the wanted
    // count of numbers, fewer where their texts would run into each other.
    double NumberedStep(HDC dc, double lo, double hi, int numbers, double scale, int axisKind);
    // Rows below the x axis in the short layout: for the numbers and for
    // the description.
    int ShortNumberRows(HDC dc);
    int ShortDescriptionRows(HDC dc);
    int AlongVerticalAxis(int w, int bits, bool downwards);
    int DrawData(HDC dc, int first, int last, bool imaginary);
    int DrawFunction(HDC dc);
    int MeasureOrDraw(HDC dc, const char* text, int along, int kind, int x, int y,
                      bool draw);
};

#endif
