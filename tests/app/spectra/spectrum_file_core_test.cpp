// Binary spectrum and multi-column files, checked against byte images built
// here from the layout: 50 little-endian 16-bit header words, a 150-byte
// name, per column a 40-byte block and float32 samples.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "spectra/spectrum_file.h"

namespace {

struct Bytes {
    std::vector<uint8_t> b;
    void u16(int v)
    {
        b.push_back(static_cast<uint8_t>(v & 0xFF));
        b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
    }
    void f32(double v)
    {
        float f = static_cast<float>(v);
        uint8_t raw[4];
        std::memcpy(raw, &f, 4);  // the test host is little-endian
        b.insert(b.end(), raw, raw + 4);
    }
    void zeros(int n) { b.insert(b.end(), n, 0); }
    void text(const std::string& s, int width)
    {
        b.insert(b.end(), s.begin(), s.end());
        zeros(width - static_cast<int>(s.size()));
    }
    // Header: words 0, 1 magic, 2 type, 10 count, 11 columns, 12 imaginary,
    // 20-25 coefficients x 1000 as int32, low word first.
    // eigen: the mark this program's writer leaves in word 49.
    void header(int type, int n, int cols, int imag, const int32_t coef[3], bool eigen = false)
    {
        for (int w = 0; w < 50; ++w) {
            int v = 0;
            if (w == 0) v = 6666;
            if (w == 1) v = 9999;
            if (w == 2) v = type;
            if (w == 10) v = n;
            if (w == 11) v = cols;
            if (w == 12) v = imag;
            if (w == BINAER_MARKE_WORT && eigen) v = BINAER_MARKE;
            if (w >= 20 && w <= 25) {
                uint32_t c = static_cast<uint32_t>(coef[(w - 20) / 2]);
                v = (w % 2 == 0) ? static_cast<int>(c & 0xFFFF) : static_cast<int>(c >> 16);
            }
            u16(v);
        }
    }
};

std::string TempPfad(const std::string& name)
{
    return "spectra_native_" + name;
}

std::vector<uint8_t> DateiBytes(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

void SchreibeBytes(const std::string& pfad, const std::vector<uint8_t>& b)
{
    std::ofstream f(pfad, std::ios::binary);
    f.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

double F32(double v) { return static_cast<double>(static_cast<float>(v)); }

}  // namespace

TEST(BinarySpectrumFile, PlainSpectrumIsWrittenByteForByteAndReadBack)
{
    const int n = 120;
    std::vector<double> x(n), y(n);
    for (int i = 0; i < n; ++i) {
        x[i] = 8.95 + 0.0025 * i;
        y[i] = std::sin(0.1 * i) * 3.7 + 1e-3 * i;
    }
    BinaerAuftrag a;
    a.x = x.data();
    a.y = y.data();
    a.Punkte = n;
    a.Koeffizienten[0] = 8.979;
    a.Koeffizienten[1] = 0.5;
    a.Koeffizienten[2] = -1.2509;  // truncated toward zero: -1250
    a.Name = "cu_foil.mes";
    const std::string pfad = TempPfad("plain.mes");
    ASSERT_EQ(SchreibeBinaerSpektrum(pfad.c_str(), a), SPEKTRUM_OK);

    Bytes e;
    const int32_t coef[3] = {8979, 500, -1250};
    e.header(0, n, 2, 0, coef, true);
    e.text("cu_foil.mes", 150);
    e.zeros(40);
    for (double v : x) e.f32(v);
    e.zeros(40);
    for (double v : y) e.f32(v);
    EXPECT_EQ(DateiBytes(pfad), e.b);

    DateiInfo info;
    DateiInfoLeeren(&info);
    SpektrumDaten d;
    int32_t fehler = -99;
    ASSERT_EQ(LeseBinaerSpektrumDatei(pfad.c_str(), &info, &d, &fehler), n);
    EXPECT_EQ(fehler, SPEKTRUM_OK);
    EXPECT_FALSE(d.Komplex);
    ASSERT_EQ(d.x.size(), static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(d.x[i], F32(x[i]));
        EXPECT_EQ(d.y[i], F32(y[i]));
    }
    EXPECT_EQ(info.Punkte, n);
    EXPECT_EQ(info.Spalten, 2);
    EXPECT_EQ(info.Binaer, 1);
    EXPECT_EQ(info.XSpalten[0], 1);
    EXPECT_EQ(info.XSpalten[1], 1);
    EXPECT_EQ(info.AlleSpalten[0], 2);
    EXPECT_EQ(info.AlleSpalten[2], 2);
    EXPECT_NEAR(info.Koeffizienten[0], 8.979, 1e-6);
    EXPECT_NEAR(info.Koeffizienten[1], 0.5, 1e-9);
    EXPECT_NEAR(info.Koeffizienten[2], -1.25, 1e-9);
    EXPECT_EQ(info.Koeffizienten[4], 0.0);
    std::remove(pfad.c_str());
}

TEST(BinarySpectrumFile, ComplexSpectrumHasThirdColumnAndKeepsItBehindTheRealPart)
{
    const int n = 64;
    std::vector<double> x(2 * n + 1), y(2 * n + 1);
    for (int i = 0; i < n; ++i) {
        x[i] = x[n + 1 + i] = 0.05 * i;
        y[i] = std::cos(0.3 * i);
        y[n + 1 + i] = -std::sin(0.3 * i);
    }
    y[n] = y[n - 1];
    BinaerAuftrag a;
    a.x = x.data();
    a.y = y.data();
    a.Punkte = n;
    a.Komplex = true;
    a.Name = "ft.mes";
    const std::string pfad = TempPfad("complex.mes");
    ASSERT_EQ(SchreibeBinaerSpektrum(pfad.c_str(), a), SPEKTRUM_OK);

    Bytes e;
    const int32_t coef[3] = {0, 0, 0};
    e.header(0, n, 3, 1, coef, true);
    e.text("ft.mes", 150);
    e.zeros(40);
    for (int i = 0; i < n; ++i) e.f32(x[i]);
    e.zeros(40);
    for (int i = 0; i < n; ++i) e.f32(y[i]);
    e.zeros(40);
    for (int i = 0; i < n; ++i) e.f32(y[n + 1 + i]);
    EXPECT_EQ(DateiBytes(pfad), e.b);

    DateiInfo info;
    DateiInfoLeeren(&info);
    SpektrumDaten d;
    ASSERT_EQ(LeseBinaerSpektrumDatei(pfad.c_str(), &info, &d, nullptr), n);
    EXPECT_TRUE(d.Komplex);
    EXPECT_EQ(info.Koeffizienten[4], 4.0);
    EXPECT_EQ(info.Spalten, 3);
    ASSERT_EQ(d.y.size(), static_cast<size_t>(2 * n + 1));
    EXPECT_EQ(d.y[n], d.y[n - 1]);
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(d.y[i], F32(y[i]));
        EXPECT_EQ(d.y[n + 1 + i], F32(y[n + 1 + i]));
        EXPECT_EQ(d.x[n + 1 + i], d.x[i]);
    }
    std::remove(pfad.c_str());
}

TEST(BinarySpectrumFile, LongComplexSpectrumKeepsRealAndImaginaryApart)
{
    // Far above 4,000 points, where a fixed place for the imaginary part
    // would overlap the real one.
    const int n = 9100;
    std::vector<double> x(2 * n + 1), y(2 * n + 1);
    for (int i = 0; i < n; ++i) {
        x[i] = x[n + 1 + i] = i;
        y[i] = 1000.0 + i;
        y[n + 1 + i] = -1.0 - i;
    }
    y[n] = y[n - 1];
    BinaerAuftrag a;
    a.x = x.data();
    a.y = y.data();
    a.Punkte = n;
    a.Komplex = true;
    const std::string pfad = TempPfad("longcomplex.mes");
    ASSERT_EQ(SchreibeBinaerSpektrum(pfad.c_str(), a), SPEKTRUM_OK);
    DateiInfo info;
    DateiInfoLeeren(&info);
    SpektrumDaten d;
    ASSERT_EQ(LeseBinaerSpektrumDatei(pfad.c_str(), &info, &d, nullptr), n);
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(d.y[i], 1000.0 + i) << i;
        ASSERT_EQ(d.y[n + 1 + i], -1.0 - i) << i;
    }
    std::remove(pfad.c_str());
}

namespace {

// A ten-column series as the series writers build it: header only, then
// x and the first y appended, then one y column per further spectrum, each
// block carrying its time (word 0) and temperature (word 1).
std::string SchreibeSerie(const std::string& name, int n, int spalten,
                          std::vector<std::vector<double>>* spaltenWerte)
{
    const std::string pfad = TempPfad(name);
    spaltenWerte->assign(spalten, std::vector<double>(n));
    for (int i = 0; i < n; ++i) {
        (*spaltenWerte)[0][i] = 7000.0 + 0.5 * i;
        for (int c = 1; c < spalten; ++c) (*spaltenWerte)[c][i] = c * 100.0 + 0.25 * i;
    }
    BinaerAuftrag kopf;
    kopf.Spalten = spalten;
    kopf.Teil = 1;
    kopf.x = (*spaltenWerte)[0].data();
    kopf.y = (*spaltenWerte)[1].data();
    kopf.Punkte = n;
    kopf.Koeffizienten[0] = 7112.0;
    kopf.Name = "series.dxa";
    EXPECT_EQ(SchreibeBinaerSpektrum(pfad.c_str(), kopf), SPEKTRUM_OK);
    for (int c = 1; c < spalten; ++c) {
        int16_t block[20] = {};
        block[0] = static_cast<int16_t>(10 * c);
        block[1] = static_cast<int16_t>(300 + c);
        BinaerAuftrag s;
        s.Anhaengen = 100;
        s.Teil = c == 1 ? 0 : 2;
        s.x = (*spaltenWerte)[0].data();
        s.y = (*spaltenWerte)[c].data();
        s.Punkte = n;
        s.Block = block;
        EXPECT_EQ(SchreibeBinaerSpektrum(pfad.c_str(), s), SPEKTRUM_OK);
    }
    return pfad;
}

}  // namespace

TEST(MultiColumnFile, TenColumnSeriesIsWrittenByteForByte)
{
    const int n = 37, spalten = 10;
    std::vector<std::vector<double>> w;
    const std::string pfad = SchreibeSerie("series10.dxa", n, spalten, &w);

    Bytes e;
    const int32_t coef[3] = {7112000, 0, 0};
    e.header(0, n, spalten, 0, coef, true);
    e.text("series.dxa", 150);
    e.zeros(40);
    for (double v : w[0]) e.f32(v);
    for (int c = 1; c < spalten; ++c) {
        e.u16(10 * c);
        e.u16(300 + c);
        e.zeros(36);
        for (double v : w[c]) e.f32(v);
    }
    EXPECT_EQ(DateiBytes(pfad), e.b);

    std::vector<double> x, y;
    int32_t fehler = -99;
    ASSERT_EQ(LeseBinaerSpalten(pfad.c_str(), 1, 7, -1, &x, &y, &fehler), n);
    for (int i = 0; i < n; ++i) EXPECT_EQ(y[i], F32(w[6][i]));
    // Block word 1 (temperature) of each y column, one value per spectrum.
    ASSERT_EQ(LeseBinaerSpalten(pfad.c_str(), 1, 2, 1, &x, &y, &fehler), spalten - 1);
    for (int c = 1; c < spalten; ++c) EXPECT_EQ(y[c - 1], 300 + c);
    std::remove(pfad.c_str());
}

TEST(MultiColumnFile, FrameReaderReturnsEveryColumnAndRewinds)
{
    const int n = 1500, spalten = 10;
    std::vector<std::vector<double>> w;
    const std::string pfad = SchreibeSerie("frames.dxa", n, spalten, &w);
    DateiInfo info;
    DateiInfoLeeren(&info);
    std::snprintf(info.DateiName, sizeof info.DateiName, "%s", pfad.c_str());
    info.Binaer = 1;

    std::vector<double> y(MIN_FELD_PUNKTE);
    EXPECT_EQ(LeseSerienFrame(info, y.data(), MIN_FELD_PUNKTE, 3, 0, 2), -2);  // nothing open
    ASSERT_EQ(LeseSerienFrame(info, y.data(), MIN_FELD_PUNKTE, 0, 0, 2), 0);
    const int reihenfolge[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 4, 2, 10, 1};
    for (int frame : reihenfolge) {
        ASSERT_EQ(LeseSerienFrame(info, y.data(), MIN_FELD_PUNKTE, frame, 0, 2), n) << frame;
        for (int i = 0; i < n; ++i) ASSERT_EQ(y[i], F32(w[frame - 1][i])) << frame << " " << i;
    }
    EXPECT_EQ(LeseSerienFrame(info, y.data(), MIN_FELD_PUNKTE, 11, 0, 2), -3);
    EXPECT_EQ(LeseSerienFrame(info, y.data(), 100, 2, 0, 2), -4);
    EXPECT_EQ(LeseSerienFrame(info, nullptr, MIN_FELD_PUNKTE, 2, 0, 2), -2);
    EXPECT_EQ(LeseSerienFrame(info, y.data(), MIN_FELD_PUNKTE, -1, 0, 2), 0);
    EXPECT_EQ(LeseSerienFrame(info, y.data(), MIN_FELD_PUNKTE, 2, 0, 2), -2);

    std::snprintf(info.DateiName, sizeof info.DateiName, "%s", "no_such_series.dxa");
    EXPECT_EQ(LeseSerienFrame(info, y.data(), MIN_FELD_PUNKTE, 0, 0, 2), -1);
    std::remove(pfad.c_str());
}

TEST(BinarySpectrumFile, StoredCountsNearThousandsLoseThreePointsUnlessOurOwn)
{
    struct Fall { int32_t gespeichert, fremd, eigen; };
    const Fall faelle[] = {{10, 10, 10},       {11, 11, 11},       {999, 999, 999},
                           {1000, 997, 1000},  {1001, 998, 1001},  {1002, 1002, 1002},
                           {2000, 1997, 2000}, {3001, 2998, 3001}, {32000, 31997, 32000},
                           {1, 1, 1}};
    for (const Fall& f : faelle) {
        EXPECT_EQ(ReduziertePunkte(f.gespeichert), f.fremd) << f.gespeichert;
        EXPECT_EQ(ReduziertePunkte(f.gespeichert, true), f.eigen) << f.gespeichert;
    }
}

TEST(BinarySpectrumFile, OwnFilesReopenWithEveryPointOthersLoseThree)
{
    for (const int n : {1000, 2000, 2001}) {
        std::vector<double> x(n), y(n);
        for (int i = 0; i < n; ++i) {
            x[i] = 8000.0 + i;
            y[i] = 0.5 * i;
        }
        BinaerAuftrag a;
        a.x = x.data();
        a.y = y.data();
        a.Punkte = n;
        const std::string pfad = TempPfad("own" + std::to_string(n) + ".mes");
        ASSERT_EQ(SchreibeBinaerSpektrum(pfad.c_str(), a), SPEKTRUM_OK);
        DateiInfo info;
        DateiInfoLeeren(&info);
        SpektrumDaten d;
        ASSERT_EQ(LeseBinaerSpektrumDatei(pfad.c_str(), &info, &d, nullptr), n);
        EXPECT_EQ(d.y[n - 1], F32(y[n - 1]));
        // The same file without the mark, as other writers leave word 49.
        std::vector<uint8_t> b = DateiBytes(pfad);
        b[2 * BINAER_MARKE_WORT] = b[2 * BINAER_MARKE_WORT + 1] = 0;
        std::FILE* f = std::fopen(pfad.c_str(), "wb");
        ASSERT_TRUE(f);
        std::fwrite(b.data(), 1, b.size(), f);
        std::fclose(f);
        DateiInfoLeeren(&info);
        EXPECT_EQ(LeseBinaerSpektrumDatei(pfad.c_str(), &info, &d, nullptr), n - 3) << n;
        std::remove(pfad.c_str());
    }
}

TEST(BinarySpectrumFile, ColumnsStayAlignedWhenTheCountIsReduced)
{
    const int n = 2000;
    std::vector<std::vector<double>> w;
    const std::string pfad = SchreibeSerie("aligned.dxa", n, 4, &w);
    std::vector<double> x, y;
    ASSERT_EQ(LeseBinaerSpalten(pfad.c_str(), 1, 4, -1, &x, &y, nullptr), n);
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(x[i], F32(w[0][i])) << i;
        ASSERT_EQ(y[i], F32(w[3][i])) << i;  // would be shifted by 3 per column otherwise
    }
    DateiInfo info;
    DateiInfoLeeren(&info);
    SpektrumDaten d;
    ASSERT_EQ(LeseBinaerSpektrumDatei(pfad.c_str(), &info, &d, nullptr), n);
    EXPECT_EQ(d.y[n - 1], F32(w[1][n - 1]));
    std::remove(pfad.c_str());
}

TEST(BinarySpectrumFile, WriterRefusesCountsTheHeaderCannotHold)
{
    std::vector<double> x(32768, 1.0), y(32768, 2.0);
    BinaerAuftrag a;
    a.x = x.data();
    a.y = y.data();
    const std::string pfad = TempPfad("toolong.mes");
    std::remove(pfad.c_str());
    a.Punkte = 32768;
    EXPECT_EQ(SchreibeBinaerSpektrum(pfad.c_str(), a), FEHLER_ZU_VIELE_PUNKTE);
    EXPECT_TRUE(DateiBytes(pfad).empty()) << "no file may be left behind";
    a.Punkte = 0;
    EXPECT_NE(SchreibeBinaerSpektrum(pfad.c_str(), a), SPEKTRUM_OK);
    a.Punkte = 32767;
    ASSERT_EQ(SchreibeBinaerSpektrum(pfad.c_str(), a), SPEKTRUM_OK);
    DateiInfo info;
    DateiInfoLeeren(&info);
    SpektrumDaten d;
    EXPECT_EQ(LeseBinaerSpektrumDatei(pfad.c_str(), &info, &d, nullptr), 32767);
    std::remove(pfad.c_str());
}

TEST(BinarySpectrumFile, SixteenBitSamplesAreRead)
{
    Bytes e;
    const int32_t coef[3] = {1500, -2000, 0};
    e.header(1, 5, 2, 0, coef);
    e.text("counts", 150);
    e.zeros(40);
    for (int v : {1, 2, 3, 4, 5}) e.u16(v);
    e.zeros(40);
    for (int v : {-7, 300, -32768, 32767, 0}) e.u16(v);
    SpeicherQuelle q(e.b.data(), e.b.size());
    DateiInfo info;
    DateiInfoLeeren(&info);
    SpektrumDaten d;
    ASSERT_EQ(LeseBinaerSpektrum(q, &info, &d, nullptr), 5);
    EXPECT_EQ(d.x, (std::vector<double>{1, 2, 3, 4, 5}));
    EXPECT_EQ(d.y, (std::vector<double>{-7, 300, -32768, 32767, 0}));
    EXPECT_DOUBLE_EQ(info.Koeffizienten[0], 1.5);
    EXPECT_DOUBLE_EQ(info.Koeffizienten[1], -2.0);
}

TEST(BinarySpectrumFile, HostileHeadersAreRefused)
{
    struct Fall {
        const char* name;
        int magic, n, cols, imag, samples;  // samples per column really present
        int cut;                            // bytes cut off the end
        int32_t code;
    };
    const Fall faelle[] = {
        {"good", 6666, 20, 2, 0, 20, 0, SPEKTRUM_OK},
        {"bad magic", 6667, 20, 2, 0, 20, 0, SPEKTRUM_KEIN_BINAER},
        {"count 0", 6666, 0, 2, 0, 20, 0, FEHLER_FORMAT},
        {"negative count", 6666, -20, 2, 0, 20, 0, FEHLER_FORMAT},
        {"count beyond the file", 6666, 30000, 2, 0, 20, 0, FEHLER_FORMAT},
        {"1,000 columns", 6666, 20, 1000, 0, 20, 0, FEHLER_FORMAT},
        {"one column", 6666, 20, 1, 0, 20, 0, FEHLER_FORMAT},
        {"negative columns", 6666, 20, -4, 0, 20, 0, FEHLER_FORMAT},
        {"imaginary without third column", 6666, 20, 2, 1, 20, 0, FEHLER_FORMAT},
        {"imaginary column missing", 6666, 20, 3, 1, 20, 0, FEHLER_FORMAT},
        {"y column cut short", 6666, 20, 2, 0, 20, 9, FEHLER_FORMAT},
        {"truncated name block", 6666, 20, 2, 0, 0, 0, FEHLER_FORMAT},
        {"header only", 6666, 20, 2, 0, 0, 0, FEHLER_FORMAT},
    };
    for (const Fall& f : faelle) {
        Bytes e;
        const int32_t coef[3] = {0, 0, 0};
        e.header(0, f.n, f.cols, f.imag, coef);
        std::vector<uint8_t> b = e.b;
        b[0] = static_cast<uint8_t>(f.magic & 0xFF);
        b[1] = static_cast<uint8_t>(f.magic >> 8);
        if (std::string(f.name) == "truncated name block") {
            b.resize(100 + 70);
        } else if (std::string(f.name) != "header only") {
            Bytes rest;
            rest.text("hostile", 150);
            for (int c = 0; c < 2; ++c) {
                rest.zeros(40);
                for (int i = 0; i < f.samples; ++i) rest.f32(i);
            }
            b.insert(b.end(), rest.b.begin(), rest.b.end());
            b.resize(b.size() - f.cut);
        } else {
            b.resize(100);
        }
        SpeicherQuelle q(b.data(), b.size());
        DateiInfo info;
        DateiInfoLeeren(&info);
        SpektrumDaten d;
        int32_t fehler = -99;
        int32_t n = LeseBinaerSpektrum(q, &info, &d, &fehler);
        EXPECT_EQ(fehler, f.code) << f.name;
        if (f.code == SPEKTRUM_OK) {
            EXPECT_EQ(n, 20) << f.name;
        } else {
            EXPECT_EQ(n, 0) << f.name;
            EXPECT_EQ(info.Binaer, 0) << f.name;
        }
        // The same bytes through a file and the frame reader.
        const std::string pfad = TempPfad("hostile.mes");
        SchreibeBytes(pfad, b);
        std::snprintf(info.DateiName, sizeof info.DateiName, "%s", pfad.c_str());
        info.Binaer = 1;
        std::vector<double> y(MIN_FELD_PUNKTE);
        int32_t offen = LeseSerienFrame(info, y.data(), MIN_FELD_PUNKTE, 0, 0, 2);
        EXPECT_EQ(offen, f.code == SPEKTRUM_OK ? 0 : -1) << f.name;
        if (offen == 0) {
            EXPECT_EQ(LeseSerienFrame(info, y.data(), MIN_FELD_PUNKTE, 3, 0, 2), -3);
        }
        LeseSerienFrame(info, y.data(), MIN_FELD_PUNKTE, -1, 0, 2);
        std::remove(pfad.c_str());
    }
}

TEST(GlitchFilter, BridgesSpikesAndKeepsSteps)
{
    const int n = 200;
    std::vector<double> y(n);
    for (int i = 0; i < n; ++i) y[i] = (i < 120 ? 1.0 : 2.0) + 0.001 * i;
    std::vector<double> sauber = y;
    y[50] += 0.8;                // one-point glitch
    y[80] -= 0.7;
    y[81] -= 0.7;                // two-point glitch
    GlitchFilter(y.data(), n, 10.0, 2);
    EXPECT_NEAR(y[50], sauber[50], 0.002);
    EXPECT_NEAR(y[80], sauber[80], 0.002);
    EXPECT_NEAR(y[81], sauber[81], 0.004);
    // The edge at 120 does not come back within two points: kept.
    EXPECT_EQ(y[120], sauber[120]);
    EXPECT_EQ(y[121], sauber[121]);
    for (int i = 0; i < n; ++i)
        if (i != 50 && i != 80 && i != 81) {
            EXPECT_EQ(y[i], sauber[i]) << i;
        }
}

TEST(MultiColumnFile, FrameReaderRunsTheGlitchFilterWhenAsked)
{
    const int n = 300;
    std::vector<double> x(n), y(n);
    for (int i = 0; i < n; ++i) {
        x[i] = i;
        y[i] = 0.01 * i;
    }
    y[150] += 5.0;
    BinaerAuftrag a;
    a.x = x.data();
    a.y = y.data();
    a.Punkte = n;
    const std::string pfad = TempPfad("glitch.dxa");
    ASSERT_EQ(SchreibeBinaerSpektrum(pfad.c_str(), a), SPEKTRUM_OK);
    DateiInfo info;
    DateiInfoLeeren(&info);
    std::snprintf(info.DateiName, sizeof info.DateiName, "%s", pfad.c_str());
    info.Binaer = 1;
    std::vector<double> frame(MIN_FELD_PUNKTE);
    ASSERT_EQ(LeseSerienFrame(info, frame.data(), MIN_FELD_PUNKTE, 0, 0, 2), 0);
    ASSERT_EQ(LeseSerienFrame(info, frame.data(), MIN_FELD_PUNKTE, 2, 0.0, 2), n);
    EXPECT_NEAR(frame[150], 6.5, 1e-5);
    ASSERT_EQ(LeseSerienFrame(info, frame.data(), MIN_FELD_PUNKTE, 2, 10.0, 2), n);
    EXPECT_NEAR(frame[150], 1.5, 1e-5);
    LeseSerienFrame(info, frame.data(), MIN_FELD_PUNKTE, -1, 0, 2);
    std::remove(pfad.c_str());
}
