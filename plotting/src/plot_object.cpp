// The plotting object: construction, settings record, 3D and multiplot
// settings, and the options text.
#include <cstdlib>
#include <cstring>

#include "vantor.h"

namespace {

// Zero-filled block from the global heap, locked for the object's life.
void* TakeBlock(size_t bytes)
{
    HGLOBAL h = GlobalAlloc(GHND, bytes);
    if (!h) return nullptr;
    void* p = GlobalLock(h);
    if (!p) GlobalFree(h);
    return p;
}

void GiveBlock(void* p)
{
    if (!p) return;
    HGLOBAL h = GlobalHandle(p);
    if (!h) return;
    GlobalUnlock(h);
    GlobalFree(h);
}

constexpr size_t OPTION_LINE = 500;

}  // namespace

feld_plot::feld_plot()
{
    // Every member starts at zero, then the defaults.  Members are listed in
    // the class; zeroing them one by one would be a long list to keep in step.
    PlotWidth = FuncWidth = AxisWidth = FrameWidth = 1;
    XNumbers = YNumbers = ZNumbers = 5;
    PlotPenStyle = FuncPenStyle = FuncStyle = PlotStyle = 0;
    XLines = YLines = ZLines = 5;
    PlotHatch = 2;
    FuncHatch = 3;
    TriangleHeight = 4;
    KreisRadius = 3;
    XAxisDistance = YAxisDistance = ZAxisDistance = 0;
    BarWidth = -1;
    BeschriftungFlags = 546;
    AxisFontWidth = ScaleFontWidth = InscriptionFontWidth = CapitalFontWidth = 7;
    AxisFontHeight = ScaleFontHeight = InscriptionFontHeight = CapitalFontHeight = 16;
    PlotColor = FuncColor = BkgColor = 0;
    ShowGrid = 0;
    ShowFrame = 1;
    OnlyXPoints = 0;
    KomplexReal = KomplexImag = 1;
    BarBrush = 1;
    ShowXText = ShowYText = 1;
    DotScale = 0.6;
    SignFactor = 1.0;

    GraphLeft = GraphTop = GraphWidth = GraphHeight = 0;
    CharWidth = 7;
    CharHeight = 16;
    PageWidth = 0;
    XMin = XMax = YMin = YMax = RightMin = RightMax = ExtraMin = ExtraMax = 0.0;
    XField = YField = RightField = nullptr;
    ModelFunction = nullptr;
    PointCount = -1;

    IsPrinting = PrintValue1 = PrintValue2 = 0;
    FullPage = PrintCap = Clipboard = PBkgColor = 0;
    RightAxis = NoReduction = MMFeld = 0;
    Komplex = KomplexOffset = BarOffset = 0;
    NonZeroBar = 1;
    MultiplotMode = 0;
    std::memset(MultiplotList, 0, sizeof MultiplotList);
    LayoutColumn = LayoutRight = 0;
    LayoutXMin = LayoutXMax = 0.0;

    Is3D = 0;
    ZMin = ZMax = ZValue = 0.0;
    ZSign = 1.0;
    Angle3D = 45.0;
    Depth3D = 4.0;

    XFont = YFont = GreekFont = GreekYFont = ScaleFont = LegendFont = CapitalFont = ZFont =
        GreekZFont = nullptr;

    LeftMargin = RightMargin = 0;
    XScale = YScale = YZero = RightScale = RightZero = XZeroOffset = 0.0;
    DepthLength = DepthScale = DepthOrigin = 0.0;
    ZeroLine = 0;
    TextSize = SIZE{0, 0};
    Reduced = ShortLayout = 0;
    Depth3DX = Depth3DY = 0.0;
    FirstIndex = LastIndex = 0;

    XText = static_cast<char*>(TakeBlock(VANTOR_LABEL_SIZE));
    YText = static_cast<char*>(TakeBlock(VANTOR_LABEL_SIZE));
    CapitalText = static_cast<char*>(TakeBlock(VANTOR_LABEL_SIZE));
    ZText = static_cast<char*>(TakeBlock(VANTOR_LABEL_SIZE));
    WorkY = static_cast<double*>(TakeBlock(VANTOR_WORK_VALUES * sizeof(double)));
    WorkX = static_cast<double*>(TakeBlock(VANTOR_WORK_VALUES * sizeof(double)));
    VantorCopyLabel(XText, "X");
    VantorCopyLabel(YText, "Y");
    VantorCopyLabel(CapitalText, "");
    VantorCopyLabel(ZText, "Z");
}

feld_plot::~feld_plot()
{
    GiveBlock(XText);
    GiveBlock(YText);
    GiveBlock(CapitalText);
    GiveBlock(ZText);
    GiveBlock(WorkY);
    GiveBlock(WorkX);
}

void feld_plot::SetPaintinfo(PAINTINFO* info)
{
    if (!info) return;
    PlotWidth = info->PlotWidth; FuncWidth = info->FuncWidth;
    AxisWidth = info->AxisWidth; FrameWidth = info->FrameWidth;
    XNumbers = info->XNumbers; YNumbers = info->YNumbers; ZNumbers = info->ZNumbers;
    PlotPenStyle = info->PlotPenStyle; FuncPenStyle = info->FuncPenStyle;
    FuncStyle = info->FuncStyle; PlotStyle = info->PlotStyle;
    XLines = info->XLines; YLines = info->YLines; ZLines = info->ZLines;
    PlotHatch = info->PlotHatch; FuncHatch = info->FuncHatch;
    TriangleHeight = info->TriangleHeight; KreisRadius = info->KreisRadius;
    XAxisDistance = info->XAxisDistance; YAxisDistance = info->YAxisDistance;
    ZAxisDistance = info->ZAxisDistance;
    BarWidth = info->BarWidth; BeschriftungFlags = info->BeschriftungFlags;
    AxisFontWidth = info->AxisFontWidth; AxisFontHeight = info->AxisFontHeight;
    ScaleFontWidth = info->ScaleFontWidth; ScaleFontHeight = info->ScaleFontHeight;
    InscriptionFontWidth = info->InscriptionFontWidth;
    InscriptionFontHeight = info->InscriptionFontHeight;
    CapitalFontWidth = info->CapitalFontWidth; CapitalFontHeight = info->CapitalFontHeight;
    PlotColor = info->PlotColor; FuncColor = info->FuncColor; BkgColor = info->BkgColor;
    ShowGrid = info->ShowGrid; ShowFrame = info->ShowFrame; OnlyXPoints = info->OnlyXPoints;
    KomplexReal = info->KomplexReal; KomplexImag = info->KomplexImag;
    BarBrush = info->BarBrush; ShowXText = info->ShowXText; ShowYText = info->ShowYText;
    DotScale = info->DotScale;
    SignFactor = info->SignFactor;
}

void feld_plot::GetPaintinfo(PAINTINFO* info)
{
    if (!info) return;
    info->PlotWidth = PlotWidth; info->FuncWidth = FuncWidth;
    info->AxisWidth = AxisWidth; info->FrameWidth = FrameWidth;
    info->XNumbers = XNumbers; info->YNumbers = YNumbers; info->ZNumbers = ZNumbers;
    info->PlotPenStyle = PlotPenStyle; info->FuncPenStyle = FuncPenStyle;
    info->FuncStyle = FuncStyle; info->PlotStyle = PlotStyle;
    info->XLines = XLines; info->YLines = YLines; info->ZLines = ZLines;
    info->PlotHatch = PlotHatch; info->FuncHatch = FuncHatch;
    info->TriangleHeight = TriangleHeight; info->KreisRadius = KreisRadius;
    info->XAxisDistance = XAxisDistance; info->YAxisDistance = YAxisDistance;
    info->ZAxisDistance = ZAxisDistance;
    info->BarWidth = BarWidth; info->BeschriftungFlags = BeschriftungFlags;
    info->AxisFontWidth = AxisFontWidth; info->AxisFontHeight = AxisFontHeight;
    info->ScaleFontWidth = ScaleFontWidth; info->ScaleFontHeight = ScaleFontHeight;
    info->InscriptionFontWidth = InscriptionFontWidth;
    info->InscriptionFontHeight = InscriptionFontHeight;
    info->CapitalFontWidth = CapitalFontWidth; info->CapitalFontHeight = CapitalFontHeight;
    info->PlotColor = PlotColor; info->FuncColor = FuncColor; info->BkgColor = BkgColor;
    info->ShowGrid = ShowGrid; info->ShowFrame = ShowFrame; info->OnlyXPoints = OnlyXPoints;
    info->KomplexReal = KomplexReal; info->KomplexImag = KomplexImag;
    info->BarBrush = BarBrush; info->ShowXText = ShowXText; info->ShowYText = ShowYText;
    info->DotScale = DotScale;
    info->SignFactor = SignFactor;
}

void feld_plot::SetScalExtent(int axisW, int axisH, int inscW, int inscH, int scaleW,
                              int scaleH, int capW, int capH)
{
    if (axisW > 0) AxisFontWidth = axisW;
    if (axisH > 0) AxisFontHeight = axisH;
    if (inscW > 0) InscriptionFontWidth = inscW;
    if (inscH > 0) InscriptionFontHeight = inscH;
    if (scaleW > 0) ScaleFontWidth = scaleW;
    if (scaleH > 0) ScaleFontHeight = scaleH;
    if (capW > 0) CapitalFontWidth = capW;
    if (capH > 0) CapitalFontHeight = capH;
}

void feld_plot::Set3D(int on, double z1, double z2, double zvalue, double angle, double depth)
{
    Is3D = on;
    if (!(z1 > z2)) {
        ZSign = 1.0;
        ZMin = z1;
        ZMax = z2;
    } else {
        ZSign = -1.0;
        ZMin = -z1;
        ZMax = -z2;
    }
    if (zvalue == 1e8)
        ZValue = ZMin;
    else
        ZValue = ZSign < 0 ? -zvalue : zvalue;
    Angle3D = angle;
    Depth3D = depth;
}

int feld_plot::SaveOptions(FILE* file)
{
    if (!file) return 1;
    char* line = static_cast<char*>(TakeBlock(OPTION_LINE));
    if (!line) return 1;
    // An empty title would leave the line one field short.
    if (CapitalText && !CapitalText[0]) VantorCopyLabel(CapitalText, " ");
    const char* xt = XText ? XText : "";
    const char* yt = YText ? YText : "";
    const char* ct = CapitalText ? CapitalText : " ";

    std::snprintf(line, OPTION_LINE, "%lu,%lu,%d,%d,%d,%d,%d,%d,%d\n",
                  static_cast<unsigned long>(PlotColor), static_cast<unsigned long>(FuncColor),
                  PlotPenStyle, FuncPenStyle, PlotStyle, FuncStyle, KreisRadius,
                  TriangleHeight, OnlyXPoints);
    std::fputs(line, file);
    std::snprintf(line, OPTION_LINE, "%d,%d,%d,%d,%d,%d,%d,%.17g,%d,%d,%d,%d,%d\n", KomplexReal,
                  KomplexImag, PlotHatch, FuncHatch, XNumbers, YNumbers, ZNumbers, Angle3D,
                  ShowGrid, AxisWidth, FrameWidth, PlotWidth, ShowFrame);
    std::fputs(line, file);
    std::snprintf(line, OPTION_LINE, "%s,%s,%s,%d\n", xt, yt, ct, BeschriftungFlags);
    std::fputs(line, file);
    std::snprintf(line, OPTION_LINE, "%d,%d,%d,%d,%d,%d,%d,%d\n", AxisFontWidth, AxisFontHeight,
                  InscriptionFontWidth, InscriptionFontHeight, ScaleFontWidth, ScaleFontHeight,
                  CapitalFontWidth, CapitalFontHeight);
    std::fputs(line, file);
    GiveBlock(line);
    return 1;
}

namespace {

// Reads one line and splits it at commas into at most `want` fields;
// returns the number of fields found.
int ReadFields(FILE* file, char* line, char** fields, int want)
{
    if (!std::fgets(line, static_cast<int>(OPTION_LINE), file)) return 0;
    line[std::strcspn(line, "\r\n")] = 0;
    int n = 0;
    for (char* tok = std::strtok(line, ","); tok && n < want; tok = std::strtok(nullptr, ","))
        fields[n++] = tok;
    return n;
}

}  // namespace

int feld_plot::LoadOptions(FILE* file)
{
    if (!file) return 0;
    char* line = static_cast<char*>(TakeBlock(OPTION_LINE));
    if (!line) return 0;
    char* f[16];
    int ok = 1;

    if (ReadFields(file, line, f, 9) == 9) {
        PlotColor = static_cast<COLORREF>(std::strtoul(f[0], nullptr, 10));
        FuncColor = static_cast<COLORREF>(std::strtoul(f[1], nullptr, 10));
        PlotPenStyle = std::atoi(f[2]); FuncPenStyle = std::atoi(f[3]);
        PlotStyle = std::atoi(f[4]); FuncStyle = std::atoi(f[5]);
        KreisRadius = std::atoi(f[6]); TriangleHeight = std::atoi(f[7]);
        OnlyXPoints = std::atoi(f[8]);
    } else {
        ok = 0;
    }
    if (ok && ReadFields(file, line, f, 13) == 13) {
        KomplexReal = std::atoi(f[0]); KomplexImag = std::atoi(f[1]);
        PlotHatch = std::atoi(f[2]); FuncHatch = std::atoi(f[3]);
        XNumbers = std::atoi(f[4]); YNumbers = std::atoi(f[5]); ZNumbers = std::atoi(f[6]);
        Angle3D = std::atof(f[7]);
        ShowGrid = std::atoi(f[8]); AxisWidth = std::atoi(f[9]);
        FrameWidth = std::atoi(f[10]); PlotWidth = std::atoi(f[11]);
        ShowFrame = std::atoi(f[12]);
    } else {
        ok = 0;
    }
    if (ok && ReadFields(file, line, f, 4) == 4) {
        VantorCopyLabel(XText, f[0]);
        VantorCopyLabel(YText, f[1]);
        VantorCopyLabel(CapitalText, f[2]);
        BeschriftungFlags = std::atoi(f[3]);
    } else {
        ok = 0;
    }
    if (ok && ReadFields(file, line, f, 8) == 8) {
        AxisFontWidth = std::atoi(f[0]); AxisFontHeight = std::atoi(f[1]);
        InscriptionFontWidth = std::atoi(f[2]); InscriptionFontHeight = std::atoi(f[3]);
        ScaleFontWidth = std::atoi(f[4]); ScaleFontHeight = std::atoi(f[5]);
        CapitalFontWidth = std::atoi(f[6]); CapitalFontHeight = std::atoi(f[7]);
    } else {
        ok = 0;
    }
    GiveBlock(line);
    return ok;
}
