// Drawing targets for the plotting tests: a memory bitmap whose pixels can
// be read, an enhanced metafile whose records can be walked, the fonts of a
// plot, and a small PNG writer for pictures a person can look at.
#ifndef KORLAN_TESTS_PLOT_TEST_SUPPORT_H
#define KORLAN_TESTS_PLOT_TEST_SUPPORT_H

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "vantor.h"

namespace plot_test {

// 32-bit top-down DIB selected into a memory device context, white.
class Canvas {
public:
    Canvas(int width, int height) : w(width), h(height)
    {
        dc = CreateCompatibleDC(nullptr);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* p = nullptr;
        bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<uint32_t*>(p);
        old = SelectObject(dc, bmp);
        Clear();
    }
    ~Canvas()
    {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void Clear()
    {
        GdiFlush();
        for (int i = 0; i < w * h; ++i) bits[i] = 0xFFFFFF;
    }
    // COLORREF of a pixel (0x00BBGGRR); white outside the bitmap.
    COLORREF Pixel(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= w || y >= h) return RGB(255, 255, 255);
        GdiFlush();
        const uint32_t v = bits[y * w + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    // Whether any pixel within `radius` of (x, y) has colour c.
    bool Near(int x, int y, COLORREF c, int radius) const
    {
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if (Pixel(x + dx, y + dy) == c) return true;
        return false;
    }
    int Count(COLORREF c) const
    {
        int n = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (Pixel(x, y) == c) ++n;
        return n;
    }
    std::vector<uint32_t> Snapshot() const
    {
        GdiFlush();
        return std::vector<uint32_t>(bits, bits + w * h);
    }
    bool WritePng(const char* path) const;

    int w, h;
    HDC dc;
    HBITMAP bmp;
    uint32_t* bits;
    HGDIOBJ old;
};

// The nine fonts of a plot: 16 pixels high, about 7 wide; the y axis
// texts read upwards, the right axis texts downwards, as in the program.
// The Greek fonts are symbol fonts as the program makes them.
struct Fonts {
    HFONT text, rotated, down, greek, greekRotated, greekDown;
    Fonts()
    {
        text = Make(0, ANSI_CHARSET, "Liberation Sans");
        rotated = Make(900, ANSI_CHARSET, "Liberation Sans");
        down = Make(2700, ANSI_CHARSET, "Liberation Sans");
        greek = Make(0, SYMBOL_CHARSET, "Symbol");
        greekRotated = Make(900, SYMBOL_CHARSET, "Symbol");
        greekDown = Make(2700, SYMBOL_CHARSET, "Symbol");
    }
    ~Fonts()
    {
        for (HFONT f : {text, rotated, down, greek, greekRotated, greekDown}) DeleteObject(f);
    }
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;
    void Hand(feld_plot& p) const
    {
        p.SetFonts(text, rotated, greek, greekRotated, text, text, text, down, greekDown);
    }
    static HFONT Make(int escapement, DWORD charset, const char* face)
    {
        return CreateFontA(-16, 0, escapement, escapement, FW_NORMAL, 0, 0, 0, charset,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH, face);
    }
};

// One text of a metafile: string, reference point, bounds as recorded and
// the font it was drawn in.
struct EmfText {
    std::string text;     // characters above U+00FF read '?'
    std::u16string wide;  // the text as recorded
    POINT at;
    RECT bounds;
    int angle = 0;        // escapement of the selected font, tenths of a degree
    std::string face;     // face name of the selected font
    bool greek = false;   // holds Greek letters (U+0370..U+03FF)
};

// Records of an enhanced metafile drawn by a test.
struct EmfContent {
    std::vector<EmfText> texts;
    std::vector<std::vector<POINT>> polylines;
    std::vector<POINT> moves, lines;
    std::vector<RECT> rectangles, ellipses;
};

// Enhanced metafile in memory; Finish() closes it and walks its records.
class Metafile {
public:
    Metafile() { dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr); }
    ~Metafile()
    {
        if (dc) DeleteEnhMetaFile(CloseEnhMetaFile(dc));
    }
    Metafile(const Metafile&) = delete;
    Metafile& operator=(const Metafile&) = delete;
    EmfContent Finish();
    HDC dc;
};

inline EmfContent Metafile::Finish()
{
    EmfContent out;
    HENHMETAFILE emf = CloseEnhMetaFile(dc);
    dc = nullptr;
    if (!emf) return out;
    const UINT size = GetEnhMetaFileBits(emf, 0, nullptr);
    std::vector<BYTE> data(size);
    GetEnhMetaFileBits(emf, size, data.data());
    DeleteEnhMetaFile(emf);
    // Fonts the metafile creates, by object index, and the selected one.
    struct Font {
        int angle;
        std::string face;
    };
    std::vector<std::pair<DWORD, Font>> fonts;
    Font selected{0, ""};
    size_t pos = 0;
    while (pos + 8 <= data.size()) {
        const ENHMETARECORD* r = reinterpret_cast<const ENHMETARECORD*>(data.data() + pos);
        if (r->nSize < 8 || pos + r->nSize > data.size()) break;
        const BYTE* rec = data.data() + pos;
        switch (r->iType) {
        case EMR_EXTCREATEFONTINDIRECTW: {
            const EMREXTCREATEFONTINDIRECTW* f =
                reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(rec);
            Font font{static_cast<int>(f->elfw.elfLogFont.lfEscapement), ""};
            const WCHAR* face = f->elfw.elfLogFont.lfFaceName;
            for (int i = 0; i < LF_FACESIZE && face[i]; ++i) font.face += static_cast<char>(face[i]);
            fonts.emplace_back(f->ihFont, font);
            break;
        }
        case EMR_SELECTOBJECT: {
            const EMRSELECTOBJECT* o = reinterpret_cast<const EMRSELECTOBJECT*>(rec);
            for (auto it = fonts.rbegin(); it != fonts.rend(); ++it)
                if (it->first == o->ihObject) {
                    selected = it->second;
                    break;
                }
            const DWORD stock = o->ihObject & 0x7FFFFFFFu;
            if ((o->ihObject & 0x80000000u) && stock >= OEM_FIXED_FONT && stock <= DEFAULT_GUI_FONT)
                selected = Font{0, "stock"};
            break;
        }
        case EMR_DELETEOBJECT: {
            const EMRDELETEOBJECT* o = reinterpret_cast<const EMRDELETEOBJECT*>(rec);
            for (auto it = fonts.begin(); it != fonts.end(); ++it)
                if (it->first == o->ihObject) {
                    fonts.erase(it);
                    break;
                }
            break;
        }
        case EMR_EXTTEXTOUTW:
        case EMR_EXTTEXTOUTA: {
            const EMREXTTEXTOUTW* t = reinterpret_cast<const EMREXTTEXTOUTW*>(rec);
            EmfText et;
            et.at = POINT{t->emrtext.ptlReference.x, t->emrtext.ptlReference.y};
            et.bounds = RECT{t->rclBounds.left, t->rclBounds.top, t->rclBounds.right,
                             t->rclBounds.bottom};
            et.angle = selected.angle;
            et.face = selected.face;
            const BYTE* s = rec + t->emrtext.offString;
            for (DWORD i = 0; i < t->emrtext.nChars; ++i) {
                char16_t c = 0;
                if (r->iType == EMR_EXTTEXTOUTW)
                    std::memcpy(&c, s + 2 * i, 2);
                else
                    c = static_cast<unsigned char>(s[i]);
                et.wide += c;
                et.greek |= c >= 0x0370 && c <= 0x03FF;
                et.text += static_cast<char>(c < 256 ? c : '?');
            }
            out.texts.push_back(et);
            break;
        }
        case EMR_POLYLINE16: {
            const EMRPOLYLINE16* p = reinterpret_cast<const EMRPOLYLINE16*>(rec);
            std::vector<POINT> pts;
            for (DWORD i = 0; i < p->cpts; ++i) pts.push_back(POINT{p->apts[i].x, p->apts[i].y});
            out.polylines.push_back(pts);
            break;
        }
        case EMR_POLYLINE: {
            const EMRPOLYLINE* p = reinterpret_cast<const EMRPOLYLINE*>(rec);
            std::vector<POINT> pts;
            for (DWORD i = 0; i < p->cptl; ++i) pts.push_back(POINT{p->aptl[i].x, p->aptl[i].y});
            out.polylines.push_back(pts);
            break;
        }
        case EMR_MOVETOEX: {
            const EMRMOVETOEX* m = reinterpret_cast<const EMRMOVETOEX*>(rec);
            out.moves.push_back(POINT{m->ptl.x, m->ptl.y});
            break;
        }
        case EMR_LINETO: {
            const EMRLINETO* m = reinterpret_cast<const EMRLINETO*>(rec);
            out.lines.push_back(POINT{m->ptl.x, m->ptl.y});
            break;
        }
        case EMR_RECTANGLE: {
            const EMRRECTANGLE* b = reinterpret_cast<const EMRRECTANGLE*>(rec);
            out.rectangles.push_back(
                RECT{b->rclBox.left, b->rclBox.top, b->rclBox.right, b->rclBox.bottom});
            break;
        }
        case EMR_ELLIPSE: {
            const EMRELLIPSE* b = reinterpret_cast<const EMRELLIPSE*>(rec);
            out.ellipses.push_back(
                RECT{b->rclBox.left, b->rclBox.top, b->rclBox.right, b->rclBox.bottom});
            break;
        }
        default:
            break;
        }
        pos += r->nSize;
    }
    return out;
}

// PNG with stored (uncompressed) deflate blocks: enough for a test picture.
namespace png_detail {
inline uint32_t Crc(const uint8_t* p, size_t n, uint32_t crc = 0xFFFFFFFFu)
{
    for (size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc;
}
inline void Be32(std::vector<uint8_t>& v, uint32_t x)
{
    for (int s = 24; s >= 0; s -= 8) v.push_back(static_cast<uint8_t>(x >> s));
}
inline void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
    Be32(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    Be32(out, Crc(body.data(), body.size()) ^ 0xFFFFFFFFu);
}
}  // namespace png_detail

inline bool Canvas::WritePng(const char* path) const
{
    using namespace png_detail;
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(h) * (1 + 3 * w));
    GdiFlush();
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);
        for (int x = 0; x < w; ++x) {
            const uint32_t v = bits[y * w + x];
            raw.push_back(static_cast<uint8_t>(v >> 16));
            raw.push_back(static_cast<uint8_t>(v >> 8));
            raw.push_back(static_cast<uint8_t>(v));
        }
    }
    std::vector<uint8_t> z{0x78, 0x01};
    for (size_t pos = 0; pos < raw.size() || pos == 0;) {
        const size_t n = std::min<size_t>(65535, raw.size() - pos);
        const bool last = pos + n >= raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<uint8_t>(n));
        z.push_back(static_cast<uint8_t>(n >> 8));
        z.push_back(static_cast<uint8_t>(~n));
        z.push_back(static_cast<uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + n);
        pos += n;
        if (last) break;
    }
    uint32_t a = 1, b = 0;
    for (uint8_t c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    Be32(z, (b << 16) | a);

    std::vector<uint8_t> out{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> ihdr;
    Be32(ihdr, static_cast<uint32_t>(w));
    Be32(ihdr, static_cast<uint32_t>(h));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
    Chunk(out, "IHDR", ihdr);
    Chunk(out, "IDAT", z);
    Chunk(out, "IEND", {});
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}

// A typical plot: 640 x 480 at the origin, x 0..10, y 0..4 fixed, data in
// red connected by lines, model in blue, white background.
struct Curve {
    std::vector<double> x, y;
};
inline Curve MakeCurve(int n, double x0, double x1, double (*f)(double))
{
    Curve c;
    for (int i = 0; i < n; ++i) {
        const double x = x0 + (x1 - x0) * i / (n - 1);
        c.x.push_back(x);
        c.y.push_back(f(x));
    }
    return c;
}
inline void Prepare(feld_plot& p, const Fonts& fonts, Curve& c, ModellCallback model,
                    int width = 640, int height = 480)
{
    fonts.Hand(p);
    p.GraphDimension(0, 0, width, height, 7, 16);
    p.SetBorder(0.0, 10.0);
    p.SetMinMax(0.0, 4.0, 0.0, 0.0, 0.0, 0.0);
    p.SetFieldFunction(c.x.data(), c.y.data(), model, nullptr, static_cast<int32_t>(c.x.size()));
    p.SetPlotOptions(RGB(255, 0, 0), RGB(0, 0, 255), 0, 0, 1, 1, 0, 0, 0);
    p.BkgColor = RGB(255, 255, 255);
    p.SetXYBeschriftung("x [mm]", "y", "", 546, "z");
}
// Width of a text in the test font, measured on a memory context.
inline int TextWidth(const Fonts& fonts, const char* text)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, fonts.text);
    SIZE s{0, 0};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &s);
    SelectObject(dc, old);
    DeleteDC(dc);
    return s.cx;
}

}  // namespace plot_test

#endif
