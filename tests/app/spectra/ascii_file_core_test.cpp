// Text spectrum files: real beamline files, parser edge cases, the text
// table writer.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "spectra/ascii_file.h"

namespace {

DateiInfo Info(const char* ordner, const char* name)
{
    DateiInfo info;
    DateiInfoLeeren(&info);
    std::snprintf(info.Ordner, sizeof info.Ordner, "%s", ordner);
    std::snprintf(info.DateiName, sizeof info.DateiName, "%s", name);
    return info;
}

DateiInfo Fixture(const char* name)
{
    return Info(KORLAN_TEST_DIR "/app/spectra/data/", name);
}

struct Gelesen {
    TextTabelle t;
    DateiInfo info;
    SpektrumDaten d;
    int32_t n = 0;
    int32_t code = 0;
};

Gelesen Parse(const std::string& text, bool mitDaten = true)
{
    Gelesen g;
    DateiInfoLeeren(&g.info);
    g.code = ParseTextTabelle(text.data(), text.size(), &g.t);
    if (g.code == SPEKTRUM_OK)
        g.n = TabelleAlsSpektrum(g.t, &g.info, mitDaten ? &g.d : nullptr, nullptr, nullptr);
    return g;
}

bool Enthaelt(const int32_t* liste, int32_t spalte)
{
    for (int32_t i = 1; i <= liste[0]; ++i)
        if (liste[i] == spalte) return true;
    return false;
}

std::string DateiText(const char* pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

}  // namespace

TEST(TextSpectrumFile, RealBeamlineFilesOpenWithTheRightColumns)
{
    struct Fall {
        const char* name;
        int32_t kopf, punkte, spalten;
        double x0, y0, xn, yn;
        const char* trenn;
    };
    // Row counts as published with the files (SOURCES.md), values as they
    // stand in the first and last rows; header = every line above the first
    // row (fe.060: 17 header lines and its column caption; its data have a
    // blank line between scan regions).
    const Fall faelle[] = {
        {"cu.012", 12, 612, 4, 8786.204, 393970, 11362.470, 143729, "  "},
        {"fe.060", 18, 511, 3, 6911.98862, 41410.4, 8962.94414, 15103.4, "    "},
        {"EMG003.txt", 9, 1128, 2, 7077.9, -0.065347, 7253.4, 0.81192, "\t"},
        {"cu_metal_rt.xdi", 26, 408, 4, 8779.0, 149013.7, 10145.86, 93726.7, "  "},
        {"Copper.chik", 55, 501, 6, 0.0, 0.574088, 25.0, 0.000110, "    "},
        {"cu_10k.xmu", 28, 612, 2, 8786.204, 1.013661, 11362.47, 1.344309, "    "},
        {"fe2o3_rt1.xmu", 15, 412, 3, 6911.8277, 0.80926541, 8084.2337, 0.85006084, "       "},
        {"series_t20.dat", 3, 251, 2, 11719.901107, -0.42292115, 12460.843408, -0.50020762, " "},
    };
    for (const Fall& f : faelle) {
        DateiInfo info = Fixture(f.name);
        SpektrumDaten d;
        int32_t fehler = -99;
        ASSERT_EQ(LeseSpektrum(&info, &d, nullptr, nullptr, &fehler), f.punkte) << f.name;
        EXPECT_EQ(fehler, SPEKTRUM_OK) << f.name;
        EXPECT_EQ(info.Binaer, 0) << f.name;
        EXPECT_EQ(info.Kopfzeilen, f.kopf) << f.name;
        EXPECT_EQ(info.Punkte, f.punkte) << f.name;
        EXPECT_EQ(info.Spalten, f.spalten) << f.name;
        EXPECT_EQ(info.AlleSpalten[0], f.spalten) << f.name;
        EXPECT_EQ(info.AlleSpalten[f.spalten], f.spalten) << f.name;
        ASSERT_GE(info.XSpalten[0], 1) << f.name;
        EXPECT_EQ(info.XSpalten[1], 1) << f.name;  // energy or k comes first
        EXPECT_STREQ(info.Trennzeichen, f.trenn) << f.name;
        EXPECT_DOUBLE_EQ(d.x[0], f.x0) << f.name;
        EXPECT_DOUBLE_EQ(d.y[0], f.y0) << f.name;
        EXPECT_DOUBLE_EQ(d.x[f.punkte - 1], f.xn) << f.name;
        EXPECT_DOUBLE_EQ(d.y[f.punkte - 1], f.yn) << f.name;
        for (int32_t i = 1; i < f.punkte; ++i) ASSERT_GT(d.x[i], d.x[i - 1]) << f.name << " " << i;
        for (int k = 0; k < 5; ++k) EXPECT_EQ(info.Koeffizienten[k], 0.0) << f.name;
        EXPECT_FALSE(d.Komplex) << f.name;
        EXPECT_EQ(info.ErstesX, f.x0) << f.name;
        EXPECT_EQ(info.LetztesX, f.xn) << f.name;
    }
}

TEST(TextSpectrumFile, ColumnsBesidesTheFirstTwoAreReachable)
{
    // cu_metal_rt.xdi: energy i0 itrans mutrans, mutrans negative below the edge.
    DateiInfo info = Fixture("cu_metal_rt.xdi");
    SpektrumDaten d;
    std::vector<double> s3, s4;
    ASSERT_EQ(LeseSpektrum(&info, &d, &s3, &s4, nullptr), 408);
    ASSERT_EQ(s4.size(), 408u);
    EXPECT_DOUBLE_EQ(s3[0], 550643.089065);
    EXPECT_DOUBLE_EQ(s4[0], -1.3070486);
    EXPECT_DOUBLE_EQ(s4[407], 0.24890911);
    EXPECT_FALSE(Enthaelt(info.XSpalten, 4));  // mutrans is no abscissa

    SpektrumDaten mu;
    int32_t fehler = -99;
    ASSERT_EQ(LeseSpalten(info, 1, 4, &mu, &fehler), 408);
    EXPECT_EQ(fehler, SPEKTRUM_OK);
    EXPECT_DOUBLE_EQ(mu.x[0], 8779.0);
    EXPECT_DOUBLE_EQ(mu.y[0], -1.3070486);
    EXPECT_DOUBLE_EQ(mu.y[407], 0.24890911);
    // mu = ln(i0/itrans) of the same row (the file's own definition, with an offset).
    EXPECT_NEAR(std::log(d.y[100] / s3[100]) - s4[100], std::log(d.y[0] / s3[0]) - s4[0], 1e-3);

    // fe.060: the transmission over I0 is the absorption, rows stay together.
    DateiInfo fe = Fixture("fe.060");
    SpektrumDaten it;
    ASSERT_EQ(LeseSpalten(fe, 1, 3, &it, nullptr), 511);
    EXPECT_DOUBLE_EQ(it.y[0], 39622.2);
    EXPECT_DOUBLE_EQ(it.y[510], 6716.2);
}

TEST(TextSpectrumFile, ParserEdgeCases)
{
    struct Fall {
        const char* name;
        std::string text;
        int32_t punkte, kopf, spalten;
        double x0, y0;
    };
    std::string tausend, fallend = "# falling x\n";
    for (int i = 0; i < 1000; ++i) tausend += std::to_string(i) + " " + std::to_string(2 * i) + "\n";
    for (int i = 9; i >= 0; --i) fallend += std::to_string(i) + "," + std::to_string(i * i) + "\n";
    const Fall faelle[] = {
        {"comments, blank line, table", "# a\n# b\n\n1 2\n2 4\n3 6\n", 3, 3, 2, 1, 2},
        {"header without comment char", "Energy I0 It\nscan 12\n 1.5  7  8\n 2.5 9 10\n", 2, 2, 3, 1.5, 7},
        {"comma blank separated", "x, y\n1, 10\n2, 20\n3, 30\n", 3, 1, 2, 1, 10},
        {"table inside the header", "1 2\n3 4\ntext\n5 6\n7 8\n", 2, 3, 2, 5, 6},
        {"blank line starts a new block", "1 2 3\n2 3 4\n\n10 20\n11 21\n12 22\n", 3, 3, 2, 10, 20},
        {"blank line inside a rising table", "1 2\n2 3\n\n3 4\n4 5\n", 4, 0, 2, 1, 2},
        {"blank line, then x starts over", "1 2\n2 3\n\n1 5\n2 6\n3 7\n", 3, 3, 2, 1, 5},
        {"new value count starts a new block", "1 2 3\n2 3 4\n10 20\n11 21\n", 2, 2, 2, 10, 20},
        {"dashes and slashes are no data", "#----\n-----\n///\n1 2\n2 3\n", 2, 3, 2, 1, 2},
        {"crlf lines, no final line break", "# c\r\n1\t2\r\n2\t3\r\n3\t5", 3, 1, 2, 1, 2},
        {"1,000 rows keep every row", tausend, 1000, 0, 2, 0, 0},
        {"footer line after the table", "1 2\n2 3\n3 4\n# end of scan\nEND\n", 3, 0, 2, 1, 2},
        {"last row cut short", "1 2 3\n2 3 4\n3 4 5\n4 5", 3, 0, 3, 1, 2},
        {"falling x is reversed", fallend, 10, 1, 2, 0, 0},
        {"one column: x is the row", "5\n6\n7\n", 3, 0, 1, 0, 5},
        {"byte-order mark", "\xEF\xBB\xBF" "1 2\n2 3\n", 2, 0, 2, 1, 2},
        {"exponents and signs", ".8786204E+04 -.1e-2\n+8.8e3 +1\n", 2, 0, 2, 8786.204, -0.001},
    };
    for (const Fall& f : faelle) {
        Gelesen g = Parse(f.text);
        ASSERT_EQ(g.code, SPEKTRUM_OK) << f.name;
        ASSERT_EQ(g.n, f.punkte) << f.name;
        EXPECT_EQ(g.info.Kopfzeilen, f.kopf) << f.name;
        EXPECT_EQ(g.info.Spalten, f.spalten) << f.name;
        EXPECT_DOUBLE_EQ(g.d.x[0], f.x0) << f.name;
        EXPECT_DOUBLE_EQ(g.d.y[0], f.y0) << f.name;
        for (int32_t i = 1; i < g.n; ++i) ASSERT_GT(g.d.x[i], g.d.x[i - 1]) << f.name;
    }
    EXPECT_STREQ(Parse("x, y\n1, 10\n2, 20\n").info.Trennzeichen, ", ");
    EXPECT_EQ(Parse("1 2\n2 3\n3 4\n# end of scan\nEND\n").t.UebersprungeneZeilen, 2);
    EXPECT_EQ(Parse("1 2 3\n2 3 4\n3 4 5\n4 5").t.UebersprungeneZeilen, 1);
    EXPECT_EQ(Parse(tausend).t.UebersprungeneZeilen, 0);
    EXPECT_EQ(Parse(tausend).d.y[999], 1998.0);
    Gelesen r = Parse(fallend);
    EXPECT_EQ(r.d.y[9], 81.0);  // y travelled with x
}

TEST(TextSpectrumFile, ColumnsOfEqualOrTurningValuesAreNoAbscissa)
{
    Gelesen g = Parse("1 5 3 9\n2 5 2 8\n3 5 4 7\n4 5 5 6\n");
    EXPECT_EQ(g.info.XSpalten[0], 2);
    EXPECT_EQ(g.info.XSpalten[1], 1);
    EXPECT_EQ(g.info.XSpalten[2], 4);  // falling throughout still qualifies

    // No column can serve as x: the break row comes back negative when
    // nothing is to be stored, else column 1 is used and repeats dropped.
    const std::string kaputt = "1 7\n2 7\n3 7\n2 7\n5 7\n";
    Gelesen ohne = Parse(kaputt, false);
    EXPECT_EQ(ohne.n, -4);
    Gelesen mit = Parse(kaputt);
    ASSERT_EQ(mit.n, 4);
    EXPECT_EQ(mit.d.x, (std::vector<double>{1, 2, 3, 5}));
    EXPECT_EQ(mit.info.XSpalten[0], 1);

    // Rows of counts (no column rises): most rows would be dropped, so the
    // file is refused with the row where x stopped rising.
    std::string zaehler;
    for (int i = 0; i < 60; ++i)
        for (int k = 0; k < 10; ++k) zaehler += std::to_string((i * 37 + k * 11) % 50) + (k < 9 ? " " : "\n");
    Gelesen zaehl = Parse(zaehler);
    EXPECT_LT(zaehl.n, 0);
    EXPECT_EQ(zaehl.n, -zaehl.t.BruchZeile);
}

TEST(TextSpectrumFile, CoefficientsComeOnlyFromAHeaderLine)
{
    // A comma-separated table whose first line is data.
    Gelesen daten = Parse("8979.0,1.5,2.5,3.5\n8980.0,1.6,2.6,3.6\n8981.0,1.7,2.7,3.7\n");
    EXPECT_EQ(daten.n, 3);
    EXPECT_EQ(daten.info.Kopfzeilen, 0);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(daten.info.Koeffizienten[k], 0.0);

    Gelesen titel = Parse("Cu foil, 10K, rolled\n1 2\n2 3\n");
    for (int k = 0; k < 3; ++k) EXPECT_EQ(titel.info.Koeffizienten[k], 0.0);

    Gelesen kopf = Parse("612,8.979,0.5,-1.25\n# c\n1 2\n2 3\n");
    EXPECT_DOUBLE_EQ(kopf.info.Koeffizienten[0], 8.979);
    EXPECT_DOUBLE_EQ(kopf.info.Koeffizienten[1], 0.5);
    EXPECT_DOUBLE_EQ(kopf.info.Koeffizienten[2], -1.25);
    EXPECT_FALSE(kopf.d.Komplex);

    // Flag 4 in the second field: a third column (imaginary part), and the
    // coefficients move one field on.
    Gelesen komplex = Parse("3,4,8.979,1,2\n1 10 -1\n2 20 -2\n3 30 -3\n");
    ASSERT_EQ(komplex.n, 3);
    EXPECT_TRUE(komplex.d.Komplex);
    EXPECT_EQ(komplex.info.Koeffizienten[4], 4.0);
    EXPECT_DOUBLE_EQ(komplex.info.Koeffizienten[0], 8.979);
    EXPECT_DOUBLE_EQ(komplex.info.Koeffizienten[2], 2.0);
    ASSERT_EQ(komplex.d.y.size(), 7u);
    EXPECT_EQ(komplex.d.y[3], 30.0);
    EXPECT_EQ(komplex.d.y[4], -1.0);
    EXPECT_EQ(komplex.d.y[6], -3.0);
    EXPECT_EQ(komplex.d.x[6], 3.0);
}

TEST(TextSpectrumFile, LongLinesManyRowsAndWideRowsNeverOverrun)
{
    std::string text = "# " + std::string(10000, 'x') + "\n";
    std::string breit;
    for (int c = 0; c < 700; ++c) breit += std::to_string(c) + ".125 ";
    text += breit + "\n";
    for (int r = 1; r < 3; ++r) {
        for (int c = 0; c < 700; ++c) text += std::to_string(c + r) + ".125 ";
        text += "\n";
    }
    Gelesen weit = Parse(text);
    ASSERT_EQ(weit.code, SPEKTRUM_OK);
    EXPECT_EQ(weit.info.Spalten, 700);
    EXPECT_EQ(weit.n, 3);
    EXPECT_EQ(weit.info.Kopfzeilen, 1);
    EXPECT_EQ(weit.info.XSpalten[0], 700);

    std::string zuBreit;
    for (int c = 0; c < 800; ++c) zuBreit += "1 ";
    EXPECT_EQ(Parse("1 2\n" + zuBreit + "\n").code, FEHLER_ZU_VIELE_PUNKTE);

    // More rows than the work arrays hold: read whole, refused by a reader
    // into fixed arrays.
    std::ostringstream viele;
    for (int i = 0; i < 40003; ++i) viele << i << ' ' << (i % 7) << '\n';
    const char* pfad = "spectra_native_40003.txt";
    {
        std::ofstream f(pfad);
        f << viele.str();
    }
    DateiInfo info = Info("", pfad);
    SpektrumDaten d;
    ASSERT_EQ(LeseSpektrum(&info, &d, nullptr, nullptr, nullptr), 40003);
    EXPECT_EQ(d.y[40002], 40002 % 7);
    std::vector<double> x(MIN_FELD_PUNKTE), y(MIN_FELD_PUNKTE);
    int32_t fehler = 0;
    EXPECT_EQ(LeseDatenFile(&info, x.data(), y.data(), nullptr, nullptr, MIN_FELD_PUNKTE, &fehler), 0);
    EXPECT_EQ(fehler, FEHLER_ZU_VIELE_PUNKTE);
    std::remove(pfad);
}

TEST(TextSpectrumFile, FilesWithoutRowsAndOtherKindsAreIdentified)
{
    int32_t fehler = 0;
    DateiInfo fehlt = Info("", "spectra_native_no_such_file.txt");
    EXPECT_EQ(LeseSpektrum(&fehlt, nullptr, nullptr, nullptr, &fehler), 0);
    EXPECT_EQ(fehler, SPEKTRUM_NICHT_OFFEN);

    struct Fall { const char* name; std::string inhalt; int32_t code; };
    const Fall faelle[] = {
        {"spectra_native_words.txt", "only words here\nand more\n", FEHLER_FORMAT},
        {"spectra_native_empty.txt", "", FEHLER_FORMAT},
        {"spectra_native_raw.raw", std::string("RAW_1.01") + std::string(600, '\0'), FEHLER_FORMAT},
    };
    for (const Fall& f : faelle) {
        {
            std::ofstream o(f.name, std::ios::binary);
            o << f.inhalt;
        }
        DateiInfo info = Info("", f.name);
        SpektrumDaten d;
        fehler = 0;
        EXPECT_EQ(LeseSpektrum(&info, &d, nullptr, nullptr, &fehler), 0) << f.name;
        EXPECT_EQ(fehler, f.code) << f.name;
        std::remove(f.name);
    }

    // A binary spectrum goes through the binary reader.
    std::vector<double> x = {1, 2, 3}, y = {4, 5, 6};
    BinaerAuftrag a;
    a.x = x.data();
    a.y = y.data();
    a.Punkte = 3;
    ASSERT_EQ(SchreibeBinaerSpektrum("spectra_native_id.mes", a), SPEKTRUM_OK);
    DateiInfo info = Info("", "spectra_native_id.mes");
    std::vector<double> px(10), py(10);
    EXPECT_EQ(LeseDatenFile(&info, px.data(), py.data(), nullptr, nullptr, 10, &fehler), 3);
    EXPECT_EQ(info.Binaer, 1);
    EXPECT_EQ(py[2], 6.0);
    std::remove("spectra_native_id.mes");
}

TEST(TextSpectrumFile, WriterLayoutAndRoundTrip)
{
    std::vector<double> x = {8.95, 8.96125, 9.0}, y = {0.5, -1.25e-3, 2.0};
    TextAuftrag a;
    a.Name = "cu.012";
    a.x = x.data();
    a.y = y.data();
    a.Punkte = 3;
    a.Koeffizienten[0] = 8.979;
    a.Koeffizienten[3] = -1.0;
    a.Zeit = 1000000000;
    const char* pfad = "spectra_native_export.xan";
    ASSERT_EQ(SchreibeTextSpektrum(pfad, a), SPEKTRUM_OK);
    std::time_t t = 1000000000;
    std::string erwartet = std::string("# created: ") + std::ctime(&t) +
                           "# from file: cu.012\n"
                           "# No: 3  [E0: 8.979,0,0,-1]\n"
                           "#---------------------------------------------------------------------\n"
                           "#       X                  Y\n"
                           "8.9500000000E+00  5.0000000000E-01\n"
                           "8.9612500000E+00  -1.2500000000E-03\n"
                           "9.0000000000E+00  2.0000000000E+00\n";
    EXPECT_EQ(DateiText(pfad), erwartet);

    DateiInfo info = Info("", pfad);
    SpektrumDaten d;
    ASSERT_EQ(LeseSpektrum(&info, &d, nullptr, nullptr, nullptr), 3);
    EXPECT_EQ(info.Kopfzeilen, 5);
    EXPECT_EQ(d.x, x);
    EXPECT_EQ(d.y, y);
    EXPECT_DOUBLE_EQ(info.Koeffizienten[0], 8.979);  // E0 from the count line
    EXPECT_FALSE(d.Komplex);

    // Third column and model columns: whole model, then each function.
    std::vector<double> xk = {1, 2}, yk = {10, 20, 20, -1, -2};
    a.x = xk.data();
    a.y = yk.data();
    a.Punkte = 2;
    a.Komplex = true;
    a.Modell = [](int32_t f, const double* xs, double* ys, int32_t n) {
        for (int32_t i = 0; i < n; ++i) ys[i] = f < 0 ? 2 * xs[i] : xs[i] + 100 * (f + 1);
    };
    a.EinzelFunktionen = 2;
    ASSERT_EQ(SchreibeTextSpektrum(pfad, a), SPEKTRUM_OK);
    std::string text = DateiText(pfad);
    EXPECT_NE(text.find("# No: 2  [4,E0: 8.979,0,0,-1]\n"), std::string::npos);
    EXPECT_NE(text.find("\n1.0000000000E+00  1.0000000000E+01  -1.0000000000E+00  2.0000000000E+00"
                        "  1.0100000000E+02  2.0100000000E+02\n"),
              std::string::npos);
    std::vector<double> s3, s4;
    ASSERT_EQ(LeseSpektrum(&info, &d, &s3, &s4, nullptr), 2);
    EXPECT_EQ(info.Spalten, 6);
    EXPECT_EQ(s3, (std::vector<double>{-1, -2}));
    EXPECT_EQ(s4, (std::vector<double>{2, 4}));
    std::remove(pfad);
}

TEST(TextSpectrumFile, ComplexCurveKeepsItsMarkAndE0ThroughATextSave)
{
    // Real part, the joint point, imaginary part (2n + 1 values).
    std::vector<double> x = {1.5, 2.5, 3.5, 3.5, 1.5, 2.5, 3.5};
    std::vector<double> y = {10, 20, 30, 30, -1, -2, -3};
    TextAuftrag a;
    a.Name = "chi.k";
    a.x = x.data();
    a.y = y.data();
    a.Punkte = 3;
    a.Komplex = true;
    a.Koeffizienten[0] = 8979.5;
    a.Koeffizienten[1] = 0.25;
    const char* pfad = "spectra_native_complex.xan";
    ASSERT_EQ(SchreibeTextSpektrum(pfad, a), SPEKTRUM_OK);
    DateiInfo info = Info("", pfad);
    SpektrumDaten d;
    ASSERT_EQ(LeseSpektrum(&info, &d, nullptr, nullptr, nullptr), 3);
    EXPECT_TRUE(d.Komplex);
    EXPECT_EQ(info.Koeffizienten[4], 4.0);
    EXPECT_DOUBLE_EQ(info.Koeffizienten[0], 8979.5);
    EXPECT_DOUBLE_EQ(info.Koeffizienten[1], 0.25);
    EXPECT_EQ(d.y, y);
    EXPECT_EQ(d.x, x);
    std::remove(pfad);
}
