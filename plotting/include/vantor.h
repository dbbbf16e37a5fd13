// vantor: drawing of graphs into a Windows device context for korlan.
// One exported class, feld_plot, and the settings record PAINTINFO.
#ifndef VANTOR_H
#define VANTOR_H

#include <windows.h>
#include <cstdint>

#if defined(VANTOR_BUILD)
#  define VANTOR_API __declspec(dllexport)
#else
#  define VANTOR_API __declspec(dllimport)
#endif

// Per-window plot settings: 42 int32 then 2 doubles, no gaps.
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

class VANTOR_API feld_plot {
public:
    feld_plot();

    void SetPaintinfo(PAINTINFO* info);
    void GetPaintinfo(PAINTINFO* info);

    PAINTINFO pi_;
};

#endif
