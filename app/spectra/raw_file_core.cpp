// Diffractometer "RAW_" files: headers, ranges and samples, every count and
// block number checked against the file before it is used.
#include "spectra/raw_file.h"

#include <cstdio>
#include <cstring>

namespace {

uint16_t Wort16(const uint8_t* b, int32_t pos)
{
    return static_cast<uint16_t>(b[pos] | (b[pos + 1] << 8));
}

uint32_t Wort32(const uint8_t* b, int32_t pos)
{
    return static_cast<uint32_t>(b[pos]) | (static_cast<uint32_t>(b[pos + 1]) << 8) |
           (static_cast<uint32_t>(b[pos + 2]) << 16) | (static_cast<uint32_t>(b[pos + 3]) << 24);
}

float Gleitzahl(const uint8_t* b, int32_t pos)
{
    const uint32_t w = Wort32(b, pos);
    float f;
    std::memcpy(&f, &w, sizeof f);
    return f;
}

// Text of a fixed field up to its first zero byte.
std::string Feld(const uint8_t* b, int32_t pos, int32_t laenge)
{
    const char* a = reinterpret_cast<const char*>(b + pos);
    std::size_t n = 0;
    while (n < static_cast<std::size_t>(laenge) && a[n]) ++n;
    return std::string(a, n);
}

// Old versions write their dates with one character too many at position
// 10: it is dropped and the text ends at 15.
void RepariereDatum(uint8_t* b, int32_t pos)
{
    std::memmove(b + pos + 10, b + pos + 11, 5);
    b[pos + 15] = 0;
}

// Ends a text field at its last position and strips trailing blanks.
void BeendeText(uint8_t* b, int32_t pos, int32_t laenge)
{
    b[pos + laenge - 1] = 0;
    for (int32_t i = laenge - 2; i >= 0 && (b[pos + i] == ' ' || b[pos + i] == 0); --i) b[pos + i] = 0;
}

}  // namespace

bool IstRawDatei(const uint8_t* daten, std::size_t bytes)
{
    return bytes >= 4 && std::memcmp(daten, "RAW_", 4) == 0;
}

int32_t ReadRawBlocks(const uint8_t* daten, std::size_t bytes, int32_t bereich,
                      RawDateiKopf* kopf, RawBereichKopf* bk, std::vector<float>* werte)
{
    if (!IstRawDatei(daten, bytes)) return RAW_KEIN_RAW;
    if (bytes < static_cast<std::size_t>(RAW_BLOCK)) return RAW_DEFEKT;
    uint8_t* k = kopf->Bytes;
    std::memcpy(k, daten, RAW_BLOCK);
    kopf->Version = static_cast<char>(k[7]);
    kopf->Alt = k[7] < '5';
    if (kopf->Alt) {
        k[15] = 0;
        RepariereDatum(k, 16);
        RepariereDatum(k, 440);
        BeendeText(k, 32, 80);
        BeendeText(k, 112, 192);
        if (Wort16(k, 308) == 4) {
            k[308] = 102;
            k[309] = 0;
        }
    }
    kopf->Kennung = Feld(k, 0, 16);
    kopf->Datum1 = Feld(k, 16, 16);
    kopf->Datum2 = Feld(k, 440, 16);
    kopf->Text80 = Feld(k, 32, 80);
    kopf->Text192 = Feld(k, 112, 192);
    kopf->Wort308 = Wort16(k, 308);
    kopf->Bereiche = Wort16(k, 378) + (Wort16(k, 380) != 0 ? 1 : 0);
    if (Wort32(k, 466) == 0) return RAW_KEINE_BEREICHE;
    if (bereich < 1 || bereich > kopf->Bereiche) return RAW_KEIN_BEREICH;
    // The table of range headers ends with the file header.
    if (bereich > RAW_MAX_BEREICHE) return RAW_DEFEKT;
    const int32_t block = Wort16(k, RAW_BEREICH_TABELLE + 2 * bereich);
    const uint64_t start = static_cast<uint64_t>(block) * RAW_BLOCK;  // behind the range header
    if (block < 1 || start > bytes) return RAW_DEFEKT;

    uint8_t* r = bk->Bytes;
    std::memcpy(r, daten + start - RAW_BLOCK, RAW_BLOCK);
    if (kopf->Alt) {
        RepariereDatum(r, 0);
        RepariereDatum(r, 16);
    }
    bk->Datum1 = Feld(r, 0, 16);
    bk->Datum2 = Feld(r, 16, 16);
    bk->Punkte = Wort16(r, 34);
    bk->Ganzzahl16 = Wort16(r, 38) == 1;
    bk->ErstesX = Gleitzahl(r, 44);
    bk->Schritt = Gleitzahl(r, 60);
    if (bk->Punkte == 0) return RAW_KEIN_BEREICH;
    if (bk->Punkte > RAW_MAX_PUNKTE) return RAW_DEFEKT;
    const uint64_t breite = bk->Ganzzahl16 ? 2 : 4;
    if (start + breite * static_cast<uint64_t>(bk->Punkte) > bytes) return RAW_DEFEKT;

    werte->resize(bk->Punkte);
    const uint8_t* d = daten + start;
    for (int32_t i = 0; i < bk->Punkte; ++i) {
        if (bk->Ganzzahl16)
            (*werte)[i] = static_cast<float>(static_cast<int16_t>(Wort16(d, 2 * i)));
        else
            (*werte)[i] = static_cast<float>(static_cast<int32_t>(Wort32(d, 4 * i)));
    }
    return RAW_OK;
}

namespace {

// Whole file into memory; false when it cannot be read. A file larger than
// the farthest range a 16-bit block number can reach with 35,000 32-bit
// samples is not a diffractometer file the loader can use.
bool LiesRawDatei(const char* pfad, std::vector<uint8_t>* inhalt, bool* zuGross)
{
    *zuGross = false;
    std::FILE* f = std::fopen(pfad, "rb");
    if (!f) return false;
    constexpr std::size_t grenze = 65536u * RAW_BLOCK + 4u * RAW_MAX_PUNKTE;
    inhalt->clear();
    uint8_t puffer[65536];
    std::size_t n;
    while ((n = std::fread(puffer, 1, sizeof puffer, f)) > 0) {
        if (inhalt->size() + n > grenze) {
            *zuGross = true;
            break;
        }
        inhalt->insert(inhalt->end(), puffer, puffer + n);
    }
    std::fclose(f);
    return true;
}

}  // namespace

int32_t ReadRawBlocks(const char* pfad, int32_t bereich, RawDateiKopf* kopf,
                      RawBereichKopf* bereichKopf, std::vector<float>* werte)
{
    std::vector<uint8_t> inhalt;
    bool zuGross = false;
    if (!LiesRawDatei(pfad, &inhalt, &zuGross)) return RAW_NICHT_OFFEN;
    if (!IstRawDatei(inhalt.data(), inhalt.size())) return RAW_KEIN_RAW;
    if (zuGross) return RAW_DEFEKT;
    return ReadRawBlocks(inhalt.data(), inhalt.size(), bereich, kopf, bereichKopf, werte);
}

int32_t RawReduziertePunkte(int32_t n)
{
    if (n > 3 && (n % 1000 == 0 || n % 1000 == 1)) return n - 3;
    return n;
}

int32_t LoadRawFile(int32_t bereich, const uint8_t* daten, std::size_t bytes, DateiInfo* info,
                    SpektrumDaten* kurve, int32_t* fehler)
{
    RawDateiKopf kopf;
    RawBereichKopf bk;
    std::vector<float> werte;
    const int32_t code = ReadRawBlocks(daten, bytes, bereich, &kopf, &bk, &werte);
    if (code != RAW_OK) {
        // A file without a usable range is of no kind the readers know; one
        // whose counts or blocks do not fit is damaged.
        if (fehler) *fehler = code == RAW_DEFEKT ? FEHLER_ZU_VIELE_PUNKTE : FEHLER_FORMAT;
        return -1;
    }
    const int32_t n = RawReduziertePunkte(bk.Punkte);
    kurve->x.resize(n);
    kurve->y.resize(n);
    kurve->Komplex = false;
    kurve->UebersprungeneZeilen = 0;
    for (int32_t i = 0; i < n; ++i) {
        kurve->y[i] = werte[i];
        kurve->x[i] = static_cast<float>(static_cast<float>(i) * bk.Schritt + bk.ErstesX);
    }
    kurve->Punkte = n;
    info->Punkte = n;
    info->Spalten = 2;
    info->Binaer = 0;
    info->Kopfzeilen = 0;
    info->XSpalte = 1;
    info->YSpalte = 2;
    info->XSpalten[0] = 1;
    info->XSpalten[1] = 1;
    info->AlleSpalten[0] = 2;
    info->AlleSpalten[1] = 1;
    info->AlleSpalten[2] = 2;
    info->ErstesX = kurve->x[0];
    info->LetztesX = kurve->x[n - 1];
    info->XSchritt = bk.Schritt;
    info->Aequidistant = 1;
    if (fehler) *fehler = SPEKTRUM_OK;
    return n;
}

int32_t LoadRawFile(int32_t bereich, const char* pfad, DateiInfo* info, SpektrumDaten* kurve,
                    int32_t* fehler)
{
    std::vector<uint8_t> inhalt;
    bool zuGross = false;
    if (!LiesRawDatei(pfad, &inhalt, &zuGross)) {
        if (fehler) *fehler = SPEKTRUM_NICHT_OFFEN;
        return -1;
    }
    if (zuGross && IstRawDatei(inhalt.data(), inhalt.size())) {
        if (fehler) *fehler = FEHLER_ZU_VIELE_PUNKTE;
        return -1;
    }
    return LoadRawFile(bereich, inhalt.data(), inhalt.size(), info, kurve, fehler);
}
