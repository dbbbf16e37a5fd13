// The multi-column file commands through the dispatcher, as the macro
// player runs them (names in CommandText): text export, split and one
// more column, on files written by the series writer and opened as Open
// opens them.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/series/series_fixture.h"
#include "series/series.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/spectrum_file.h"

namespace {

using Spalten = std::vector<std::vector<double>>;

Spalten TestSpalten(int32_t n, int32_t spektren)
{
    Spalten s(1);
    for (int32_t i = 0; i < n; ++i) s[0].push_back(11700.0 + 2.75 * i);
    for (int32_t j = 0; j < spektren; ++j) {
        std::vector<double> y;
        // Each column with its own point count: frames are read as stored.
        for (int32_t i = 0; i < n; ++i) y.push_back(std::sin(0.013 * i + j) * (j + 1) * 1e-3 * (i + 1));
        s.push_back(y);
    }
    return s;
}

double AlsFloat(double v) { return static_cast<double>(static_cast<float>(v)); }

}  // namespace

class SerienBefehle : public SerienOrdnerFixture {
protected:
    // Writes the columns as a multi-column file and opens it in a window.
    int32_t OeffneMc(const Spalten& s)
    {
        const std::string pfad = tmp.Datei("serie.dxa");
        const double koeff[3] = {0, 0, 0};
        EXPECT_TRUE(SchreibeMcDatei(pfad.c_str(), s, koeff, "serie.dxa", nullptr));
        return OeffneOhneDialog(pfad.c_str());
    }
    void Befehl(int32_t id, const std::string& text)
    {
        std::snprintf(CommandText, 60000, "%s", text.c_str());
        boxen.clear();
        HAUPTDATEN.Befehl(id, 2);
    }
};

TEST_F(SerienBefehle, TextExportWritesTheHeaderAndEveryColumn)
{
    int32_t w = -1;
    for (int32_t spektren : {8, 119}) {
        const Spalten s = TestSpalten(267, spektren);
        if (w < 0) {
            w = OeffneMc(s);
            ASSERT_GE(w, 0);
        } else {
            // The window's own file replaced by a wider one.
            DateiInfo& info = GrafikFenster[w].DateiInfo;
            const std::string pfad = std::string(info.Ordner) + info.DateiName;
            const double koeff[3] = {0, 0, 0};
            ASSERT_TRUE(SchreibeMcDatei(pfad.c_str(), s, koeff, "", nullptr));
            info.Spalten = spektren + 1;
        }
        ASSERT_EQ(GrafikFenster[w].DateiInfo.Spalten, spektren + 1);
        const std::string ziel = tmp.Datei("table.txt");
        Befehl(625, ziel);
        EXPECT_TRUE(boxen.empty());
        const std::vector<std::string> zeilen = LiesZeilen(ziel);
        ASSERT_EQ(zeilen.size(), 2u + 267u);
        EXPECT_EQ(zeilen[0].rfind("# created: ", 0), 0u);
        EXPECT_EQ(zeilen[0].size(), 11u + 24u) << zeilen[0];
        EXPECT_EQ(zeilen[1], "#  from file: numsave0.mes");
        for (std::size_t i = 0; i < 267; ++i) {
            const std::string& z = zeilen[2 + i];
            ASSERT_EQ(z.size(), 14u * (spektren + 1)) << i;
            std::istringstream in(z);
            for (std::size_t k = 0; k < s.size(); ++k) {
                double v;
                ASSERT_TRUE(in >> v);
                const double soll = AlsFloat(s[k][i]);
                ASSERT_NEAR(v, soll, 5e-6 * std::fabs(soll) + 1e-300) << i << " " << k;
            }
        }
    }
}

TEST_F(SerienBefehle, TextExportRefusesAnOrdinaryCurve)
{
    Kurve(0, 10, [](double x) { return x; });
    GrafikFenster[0].DateiInfo.Binaer = 0;
    AktivesFenster = 0;
    const std::string ziel = tmp.Datei("none.txt");
    Befehl(625, ziel);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "No binary multiple column file!");
    EXPECT_FALSE(std::filesystem::exists(ziel));
}

TEST_F(SerienBefehle, SplitWritesOneFilePerColumnAndLeavesTheWindow)
{
    const Spalten s = TestSpalten(267, 8);
    const int32_t w = OeffneMc(s);
    ASSERT_GE(w, 0);
    grafik_fenster& g = GrafikFenster[w];
    const int32_t slot = g.AktuellerSlot(), n = g.Punkte();
    const std::vector<double> x(g.GetXFeld(-1), g.GetXFeld(-1) + n), y(g.GetYFeld(-1), g.GetYFeld(-1) + n);
    Befehl(626, "");
    EXPECT_TRUE(boxen.empty());
    for (int j = 1; j <= 8; ++j) {
        char name[40];
        std::snprintf(name, sizeof name, "numsave0_%03d.dat", j);
        DateiInfo info{};
        SpektrumDaten d;
        int32_t fehler = 0;
        ASSERT_EQ(LeseBinaerSpektrumDatei(tmp.Datei(name).c_str(), &info, &d, &fehler), 267) << name;
        EXPECT_EQ(info.Spalten, 2);
        for (int i = 0; i < 267; ++i) {
            ASSERT_EQ(d.x[i], AlsFloat(s[0][i]));
            ASSERT_EQ(d.y[i], AlsFloat(s[j][i])) << name << " " << i;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(tmp.Datei("numsave0_009.dat")));
    EXPECT_EQ(g.AktuellerSlot(), slot);
    EXPECT_EQ(g.Punkte(), n);
    EXPECT_EQ(std::vector<double>(g.GetXFeld(-1), g.GetXFeld(-1) + n), x);
    EXPECT_EQ(std::vector<double>(g.GetYFeld(-1), g.GetYFeld(-1) + n), y);

    Befehl(627, "");
    const std::vector<std::string> zeilen = LiesZeilen(tmp.Datei("numsave0_003.x_y"));
    ASSERT_EQ(zeilen.size(), 267u);
    char soll[80];
    std::snprintf(soll, sizeof soll, "%.10E  %.10E", AlsFloat(s[0][5]), AlsFloat(s[3][5]));
    EXPECT_EQ(zeilen[5], soll);
}

TEST_F(SerienBefehle, AppendAddsTheCurveAndRenamesTheWindow)
{
    const Spalten s = TestSpalten(267, 8);
    const int32_t w = OeffneMc(s);
    ASSERT_GE(w, 0);
    grafik_fenster& g = GrafikFenster[w];
    const std::string quelle = std::string(g.DateiInfo.Ordner) + g.DateiInfo.DateiName;
    // The curve shifted by +3 on the window's current slot.
    const int32_t n = g.Punkte();
    std::vector<double> x(g.GetXFeld(-1), g.GetXFeld(-1) + n), y(g.GetYFeld(-1), g.GetYFeld(-1) + n);
    for (int32_t i = 0; i < n; ++i) g.GetXFeld(-1)[i] = x[i] + 3.0;
    Befehl(612, quelle);
    EXPECT_TRUE(boxen.empty()) << (boxen.empty() ? "" : boxen[0].text);
    EXPECT_FALSE(std::filesystem::exists(quelle));
    EXPECT_STREQ(g.DateiInfo.DateiName, "numsave0.a9");
    EXPECT_EQ(g.DateiInfo.Spalten, 10);
    EXPECT_STREQ(HAUPTDATEN.DateiFilter, "*.a9");
    std::vector<double> sx, sy;
    int32_t fehler = 0;
    const std::string neu = std::string(g.DateiInfo.Ordner) + "numsave0.a9";
    ASSERT_EQ(LeseBinaerSpalten(neu.c_str(), 1, 10, -1, &sx, &sy, &fehler), 267);
    // The shifted curve's spline on the file's grid (checked against an
    // independent spline in the native tests), not its own values.
    std::vector<double> xs(x), ref(267);
    for (double& v : xs) v += 3.0;
    SplineAufGitter(xs.data(), y.data(), n, sx.data(), 267, ref.data());
    for (int i = 2; i < 267; ++i) ASSERT_EQ(sy[i], AlsFloat(ref[i])) << i;
    EXPECT_NE(sy[100], AlsFloat(y[100]));

    // A 16-bit file is refused and stays as it was.
    std::string b = LiesBytes(neu);
    b[4] = 1;
    SchreibeBytes(neu, b);
    Befehl(612, neu);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("16-bit"), std::string::npos);
    EXPECT_EQ(LiesBytes(neu), b);
}
