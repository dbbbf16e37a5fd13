// Diffractometer "RAW_" files written here from the format's layout: the
// headers of old and new versions, one and several ranges, 16- and 32-bit
// samples, and files whose counts or block numbers do not fit the file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/temp_folder.h"
#include "spectra/ascii_file.h"
#include "spectra/raw_file.h"

namespace {

struct Bereich {
    int32_t Punkte = 0;         // written into the range header
    bool Ganzzahl16 = true;
    float ErstesX = 0.0f, Schritt = 0.0f;
    std::vector<int32_t> Werte; // samples actually written
};

void Setze16(std::vector<uint8_t>& b, size_t pos, uint16_t w)
{
    b[pos] = static_cast<uint8_t>(w & 0xFF);
    b[pos + 1] = static_cast<uint8_t>(w >> 8);
}

void Setze32(std::vector<uint8_t>& b, size_t pos, uint32_t w)
{
    for (int i = 0; i < 4; ++i) b[pos + i] = static_cast<uint8_t>(w >> (8 * i));
}

void SetzeFloat(std::vector<uint8_t>& b, size_t pos, float f)
{
    uint32_t w;
    std::memcpy(&w, &f, 4);
    Setze32(b, pos, w);
}

void SetzeText(std::vector<uint8_t>& b, size_t pos, const std::string& t)
{
    std::memcpy(b.data() + pos, t.data(), t.size());
}

// A file of the given version: header block, then per range its header
// block followed by the data blocks (whole blocks, zero-padded).
std::vector<uint8_t> RawDatei(char version, const std::vector<Bereich>& bereiche,
                              bool zusatzBereich = false)
{
    std::vector<uint8_t> b(RAW_BLOCK, 0);
    SetzeText(b, 0, std::string("RAW_100") + version + "        ");
    SetzeText(b, 16, "2003-01-02Z12:34");
    SetzeText(b, 440, "2004-05-06Y07:08");
    SetzeText(b, 32, "Sample text" + std::string(69, ' '));
    SetzeText(b, 112, "Comment" + std::string(185, ' '));
    Setze16(b, 308, 4);
    const size_t gezaehlt = bereiche.size() - (zusatzBereich ? 1 : 0);
    Setze16(b, 378, static_cast<uint16_t>(gezaehlt));
    Setze16(b, 380, zusatzBereich ? 1 : 0);
    Setze32(b, 466, bereiche.empty() ? 0 : 1);
    for (size_t r = 0; r < bereiche.size(); ++r) {
        const Bereich& br = bereiche[r];
        Setze16(b, RAW_BEREICH_TABELLE + 2 * (r + 1), static_cast<uint16_t>(b.size() / RAW_BLOCK + 1));
        std::vector<uint8_t> h(RAW_BLOCK, 0);
        SetzeText(h, 0, "2005-07-08X09:10");
        SetzeText(h, 16, "2005-07-08W11:12");
        Setze16(h, 34, static_cast<uint16_t>(br.Punkte));
        Setze16(h, 38, br.Ganzzahl16 ? 1 : 0);
        SetzeFloat(h, 44, br.ErstesX);
        SetzeFloat(h, 60, br.Schritt);
        b.insert(b.end(), h.begin(), h.end());
        const size_t breite = br.Ganzzahl16 ? 2 : 4;
        std::vector<uint8_t> d((br.Werte.size() * breite + RAW_BLOCK - 1) / RAW_BLOCK * RAW_BLOCK, 0);
        for (size_t i = 0; i < br.Werte.size(); ++i) {
            if (br.Ganzzahl16) Setze16(d, 2 * i, static_cast<uint16_t>(br.Werte[i]));
            else Setze32(d, 4 * i, static_cast<uint32_t>(br.Werte[i]));
        }
        b.insert(b.end(), d.begin(), d.end());
    }
    return b;
}

Bereich MacheBereich(int32_t n, bool klein, float x0, float dx, int32_t basis)
{
    Bereich br;
    br.Punkte = n;
    br.Ganzzahl16 = klein;
    br.ErstesX = x0;
    br.Schritt = dx;
    for (int32_t i = 0; i < n; ++i) br.Werte.push_back(basis + (i % 7 == 3 ? -3 * i : i));
    return br;
}

}  // namespace

TEST(RawFile, OldVersionRepairsDatesTextsAndWord308AndReadsInt16Range)
{
    const Bereich br = MacheBereich(1001, true, 10.0f, 0.02f, -500);
    const std::vector<uint8_t> f = RawDatei('3', {br});
    RawDateiKopf k;
    RawBereichKopf bk;
    std::vector<float> w;
    ASSERT_EQ(ReadRawBlocks(f.data(), f.size(), 1, &k, &bk, &w), RAW_OK);
    EXPECT_TRUE(k.Alt);
    EXPECT_EQ(k.Kennung, "RAW_1003       ");
    EXPECT_EQ(k.Datum1, "2003-01-0212:34");
    EXPECT_EQ(k.Datum2, "2004-05-0607:08");
    EXPECT_EQ(bk.Datum1, "2005-07-0809:10");
    EXPECT_EQ(bk.Datum2, "2005-07-0811:12");
    EXPECT_EQ(k.Text80, "Sample text");
    EXPECT_EQ(k.Text192, "Comment");
    EXPECT_EQ(k.Wort308, 102);
    EXPECT_EQ(k.Bereiche, 1);
    ASSERT_EQ(w.size(), 1001u);
    for (int i = 0; i < 1001; ++i) ASSERT_EQ(w[i], static_cast<float>(br.Werte[i])) << i;

    // The loader keeps 998 of 1001 points, x in single precision.
    DateiInfo info;
    DateiInfoLeeren(&info);
    SpektrumDaten d;
    int32_t fehler = -99;
    ASSERT_EQ(LoadRawFile(1, f.data(), f.size(), &info, &d, &fehler), 998);
    EXPECT_EQ(fehler, SPEKTRUM_OK);
    EXPECT_EQ(info.Punkte, 998);
    EXPECT_EQ(info.Spalten, 2);
    EXPECT_EQ(info.XSpalten[0], 1);
    EXPECT_EQ(info.XSpalten[1], 1);
    EXPECT_EQ(info.AlleSpalten[0], 2);
    EXPECT_EQ(info.AlleSpalten[1], 1);
    EXPECT_EQ(info.AlleSpalten[2], 2);
    for (int i = 0; i < 998; ++i) {
        ASSERT_EQ(d.x[i], static_cast<double>(static_cast<float>(i) * 0.02f + 10.0f)) << i;
        ASSERT_EQ(d.y[i], br.Werte[i]) << i;
    }
}

TEST(RawFile, NewVersionKeepsHeaderAndReadsSeveralInt32Ranges)
{
    Bereich a = MacheBereich(2000, false, 5.0f, 0.01f, 100000);
    Bereich b = MacheBereich(300, false, 20.0f, 0.5f, -2000000);
    const std::vector<uint8_t> f = RawDatei('5', {a, b}, true);
    RawDateiKopf k;
    RawBereichKopf bk;
    std::vector<float> w;
    ASSERT_EQ(ReadRawBlocks(f.data(), f.size(), 2, &k, &bk, &w), RAW_OK);
    EXPECT_FALSE(k.Alt);
    EXPECT_EQ(k.Bereiche, 2);  // one counted, one more by the word at 380
    EXPECT_EQ(k.Datum1, "2003-01-02Z12:34");
    EXPECT_EQ(k.Wort308, 4);
    EXPECT_EQ(bk.Punkte, 300);
    EXPECT_FALSE(bk.Ganzzahl16);
    EXPECT_EQ(bk.ErstesX, 20.0f);
    for (int i = 0; i < 300; ++i) ASSERT_EQ(w[i], static_cast<float>(b.Werte[i])) << i;

    DateiInfo info;
    DateiInfoLeeren(&info);
    SpektrumDaten d;
    ASSERT_EQ(LoadRawFile(1, f.data(), f.size(), &info, &d, nullptr), 1997);
    EXPECT_EQ(d.y[1996], a.Werte[1996]);
    EXPECT_EQ(d.x[1996], static_cast<double>(1996.0f * 0.01f + 5.0f));
}

TEST(RawFile, ReductionNearAThousand)
{
    const int32_t faelle[][2] = {{1, 1}, {3, 3}, {4, 4}, {999, 999}, {1000, 997}, {1001, 998},
                                 {1002, 1002}, {2000, 1997}, {35000, 34997}};
    for (const auto& f : faelle) EXPECT_EQ(RawReduziertePunkte(f[0]), f[1]) << f[0];
}

TEST(RawFile, DamagedFilesAreRefusedWith107AndEmptyOnesWith105)
{
    const Bereich gut = MacheBereich(600, true, 1.0f, 1.0f, 0);
    struct Fall {
        const char* was;
        std::vector<uint8_t> datei;
        int32_t bereich;
        int32_t code;
    };
    std::vector<Fall> faelle;
    std::vector<uint8_t> f = RawDatei('4', {gut});
    faelle.push_back({"range 2 of 1", f, 2, RAW_KEIN_BEREICH});
    faelle.push_back({"range 0", f, 0, RAW_KEIN_BEREICH});
    std::vector<uint8_t> kurz(f.begin(), f.begin() + 300);
    faelle.push_back({"shorter than the header", kurz, 1, RAW_DEFEKT});
    std::vector<uint8_t> abgeschnitten(f.begin(), f.end() - RAW_BLOCK);
    faelle.push_back({"data cut short", abgeschnitten, 1, RAW_DEFEKT});
    std::vector<uint8_t> nurKopf(f.begin(), f.begin() + RAW_BLOCK);
    faelle.push_back({"range header missing", nurKopf, 1, RAW_DEFEKT});
    std::vector<uint8_t> keine = f;
    Setze32(keine, 466, 0);
    faelle.push_back({"no ranges", keine, 1, RAW_KEINE_BEREICHE});
    std::vector<uint8_t> null = f;
    Setze16(null, RAW_BLOCK + 34, 0);
    faelle.push_back({"zero points", null, 1, RAW_KEIN_BEREICH});
    std::vector<uint8_t> gross = f;
    Setze16(gross, RAW_BLOCK + 34, 65535);
    faelle.push_back({"65,535 points", gross, 1, RAW_DEFEKT});
    std::vector<uint8_t> weit = f;
    Setze16(weit, RAW_BEREICH_TABELLE + 2, 40);
    faelle.push_back({"block number beyond the file", weit, 1, RAW_DEFEKT});
    std::vector<uint8_t> nullBlock = f;
    Setze16(nullBlock, RAW_BEREICH_TABELLE + 2, 0);
    faelle.push_back({"block number 0", nullBlock, 1, RAW_DEFEKT});
    std::vector<uint8_t> viele = f;
    Setze16(viele, 378, 40);
    faelle.push_back({"range entry beyond the header", viele, 17, RAW_DEFEKT});

    for (const Fall& fall : faelle) {
        RawDateiKopf k;
        RawBereichKopf bk;
        std::vector<float> w;
        EXPECT_EQ(ReadRawBlocks(fall.datei.data(), fall.datei.size(), fall.bereich, &k, &bk, &w),
                  fall.code)
            << fall.was;
        if (fall.bereich != 1) continue;
        DateiInfo info;
        DateiInfoLeeren(&info);
        SpektrumDaten d;
        int32_t fehler = 0;
        EXPECT_EQ(LoadRawFile(1, fall.datei.data(), fall.datei.size(), &info, &d, &fehler), -1) << fall.was;
        EXPECT_EQ(fehler, fall.code == RAW_DEFEKT ? FEHLER_ZU_VIELE_PUNKTE : FEHLER_FORMAT) << fall.was;
    }
    const std::string text = "1 2\n3 4\n";
    RawDateiKopf k;
    RawBereichKopf bk;
    std::vector<float> w;
    EXPECT_EQ(ReadRawBlocks(reinterpret_cast<const uint8_t*>(text.data()), text.size(), 1, &k, &bk, &w),
              RAW_KEIN_RAW);
}

TEST(RawFile, SpectrumAndColumnReadersLoadTheFirstRange)
{
    TempOrdner ordner;
    const Bereich a = MacheBereich(1000, true, 2.0f, 0.125f, 7);
    const Bereich b = MacheBereich(50, true, 9.0f, 1.0f, 1);
    const std::vector<uint8_t> f = RawDatei('3', {a, b});
    SchreibeBytes(ordner.Datei("probe.raw"), std::string(f.begin(), f.end()));
    DateiInfo info;
    DateiInfoLeeren(&info);
    std::snprintf(info.Ordner, sizeof info.Ordner, "%s/", ordner.Ordner().c_str());
    std::snprintf(info.DateiName, sizeof info.DateiName, "probe.raw");

    std::vector<double> x(MIN_FELD_PUNKTE), y(MIN_FELD_PUNKTE);
    int32_t fehler = -99;
    ASSERT_EQ(LeseDatenFile(&info, x.data(), y.data(), nullptr, nullptr, MIN_FELD_PUNKTE, &fehler), 997);
    EXPECT_EQ(fehler, SPEKTRUM_OK);
    EXPECT_EQ(x[0], 2.0);
    EXPECT_EQ(x[996], 996 * 0.125 + 2.0);
    EXPECT_EQ(y[996], a.Werte[996]);

    SpektrumDaten d;
    ASSERT_EQ(LeseSpalten(info, 3, 5, &d, &fehler), 997);
    EXPECT_EQ(d.y[10], a.Werte[10]);
    EXPECT_EQ(d.x[10], 10 * 0.125 + 2.0);

    // A damaged file is refused by both with 107, not read as text.
    std::vector<uint8_t> kaputt(f.begin(), f.begin() + RAW_BLOCK + 100);
    SchreibeBytes(ordner.Datei("probe.raw"), std::string(kaputt.begin(), kaputt.end()));
    EXPECT_EQ(LeseDatenFile(&info, x.data(), y.data(), nullptr, nullptr, MIN_FELD_PUNKTE, &fehler), 0);
    EXPECT_EQ(fehler, FEHLER_ZU_VIELE_PUNKTE);
    EXPECT_EQ(LeseSpalten(info, 1, 2, &d, &fehler), 0);
    EXPECT_EQ(fehler, FEHLER_ZU_VIELE_PUNKTE);
}
