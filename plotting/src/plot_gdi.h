// The library's only door to GDI: every drawing call of the plotting
// object goes through these helpers or the mapped primitives of feld_plot.
#ifndef VANTOR_PLOT_GDI_H
#define VANTOR_PLOT_GDI_H

#include "vantor.h"

namespace vantor_gdi {

HPEN NewPen(int style, int width, COLORREF color);
HBRUSH NewSolidBrush(COLORREF color);
// A hatch brush; hatch styles outside the platform's range fall back to solid.
HBRUSH NewHatchBrush(int hatch, COLORREF color);
HGDIOBJ Stock(int which);
void Free(HGDIOBJ obj);

// Selects an object for a scope, puts the previous one back and deletes
// the owned object at the end of the scope; a null object is not selected.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ obj, bool owned);
    ~Selection();
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ obj_;
    HGDIOBJ old_;
    bool owned_;
};

int SetMode(HDC dc, int mode);
COLORREF SetBackColor(HDC dc, COLORREF c);
UINT SetAlign(HDC dc, UINT align);
int SetRop(HDC dc, int rop);
// Width and height of a text in the selected font (0, 0 when the device
// does not measure).
SIZE Extent(HDC dc, const char* text, int len);
// Draws at an already mapped position; clipped when clip is given.
void Text(HDC dc, POINT at, const RECT* clip, const char* text, int len);
// The same for Unicode texts, through the wide text calls.
SIZE ExtentW(HDC dc, const char16_t* text, int len);
void TextW(HDC dc, POINT at, const RECT* clip, const char16_t* text, int len);

// Cell height of a font (of the selected one when font is null); 0 when
// the device does not measure.
int CellHeight(HDC dc, HFONT font);
// Angle of a font's base line in tenths of a degree, 0..3599 (0 for none).
int FontAngle(HFONT font);
// The font of the Greek runs, drawn as Unicode: the size and weight of
// `greek` (or of `base` when there is no Greek font) at the angle of
// `base`.  A symbol font, which holds no Unicode Greek, is replaced by the
// face GREEK_FACE.  The caller deletes the font.
extern const char GREEK_FACE[];
HFONT NewGreekFont(HFONT greek, HFONT base);

// Mapped rectangle and ellipse (landscape page exchange applied).
void Rect(feld_plot& p, HDC dc, int left, int top, int right, int bottom);
void Oval(feld_plot& p, HDC dc, int left, int top, int right, int bottom);

}  // namespace vantor_gdi

#endif
