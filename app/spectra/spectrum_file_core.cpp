// Binary spectrum file and multi-column file: reading, writing, frames.
#include "spectra/spectrum_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

const char* const TEXT_BINAER_ZU_GROSS =
    "More than 32767 points cannot be stored in a binary spectrum file !!\r\n"
    "    File was not written.";

namespace {

int16_t Wort(const uint8_t* p)
{
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

void SchreibeWort(std::vector<uint8_t>& out, int16_t w)
{
    uint16_t u = static_cast<uint16_t>(w);
    out.push_back(static_cast<uint8_t>(u & 0xFF));
    out.push_back(static_cast<uint8_t>(u >> 8));
}

void SchreibeFloat(std::vector<uint8_t>& out, double v)
{
    float f = static_cast<float>(v);
    uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    for (int b = 0; b < 4; ++b) out.push_back(static_cast<uint8_t>((u >> (8 * b)) & 0xFF));
}

double LiesFloat(const uint8_t* p)
{
    uint32_t u = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                 (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
    float f;
    std::memcpy(&f, &u, sizeof f);
    return static_cast<double>(f);
}

// Coefficient x 1000 toward zero; values beyond 32 bits are clamped so
// the conversion stays defined.
int32_t KoeffizientAlsWort(double k)
{
    double v = std::trunc(k * 1000.0);
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(v);
}

class DateiQuelle : public ByteQuelle {
public:
    explicit DateiQuelle(std::FILE* f) : f_(f)
    {
        if (f_ && std::fseek(f_, 0, SEEK_END) == 0) {
            long g = std::ftell(f_);
            groesse_ = g < 0 ? 0 : g;
            std::fseek(f_, 0, SEEK_SET);
        }
    }
    bool Lies(void* ziel, std::size_t bytes) override
    {
        return f_ && std::fread(ziel, 1, bytes, f_) == bytes;
    }
    bool Springe(int64_t position) override
    {
        if (!f_ || position < 0 || position > groesse_) return false;
        return std::fseek(f_, static_cast<long>(position), SEEK_SET) == 0;
    }
    int64_t Groesse() override { return groesse_; }
private:
    std::FILE* f_;
    int64_t groesse_ = 0;
};

int64_t SpaltenLaenge(const BinaerKopf& kopf)
{
    return BINAER_BLOCK_BYTES +
           static_cast<int64_t>(kopf.GespeichertePunkte) * (kopf.Ganzzahl ? 2 : 4);
}

std::size_t Laenge(const char* text, std::size_t max)
{
    const void* ende = std::memchr(text, '\0', max);
    return ende ? static_cast<std::size_t>(static_cast<const char*>(ende) - text) : max;
}

void Melde(int32_t* fehler, int32_t code)
{
    if (fehler) *fehler = code;
}

}  // namespace

bool SpeicherQuelle::Lies(void* ziel, std::size_t bytes)
{
    if (bytes > bytes_ - pos_) return false;
    if (bytes) std::memcpy(ziel, daten_ + pos_, bytes);
    pos_ += bytes;
    return true;
}

bool SpeicherQuelle::Springe(int64_t position)
{
    if (position < 0 || static_cast<uint64_t>(position) > bytes_) return false;
    pos_ = static_cast<std::size_t>(position);
    return true;
}

void DateiInfoLeeren(DateiInfo* info)
{
    std::memset(info, 0, sizeof *info);
    info->XSpalte = 1;
    info->YSpalte = 2;
    info->Kapazitaet = MIN_FELD_PUNKTE;
}

bool DateiPfad(const DateiInfo& info, char* out, std::size_t size)
{
    std::size_t lo = Laenge(info.Ordner, sizeof info.Ordner);
    std::size_t ln = Laenge(info.DateiName, sizeof info.DateiName);
    if (size == 0 || lo + ln + 1 > size) return false;
    std::memcpy(out, info.Ordner, lo);
    std::memcpy(out + lo, info.DateiName, ln);
    out[lo + ln] = '\0';
    return true;
}

int32_t ReduziertePunkte(int32_t n, bool eigeneDatei)
{
    if (!eigeneDatei && n > 10 && (n % 1000 == 0 || n % 1000 == 1)) return n - 3;
    return n;
}

int32_t LeseBinaerKopf(ByteQuelle& quelle, BinaerKopf* kopf)
{
    std::memset(kopf, 0, sizeof *kopf);
    uint8_t roh[2 * BINAER_KOPF_WORTE];
    if (!quelle.Springe(0) || !quelle.Lies(roh, 4)) return SPEKTRUM_KEIN_BINAER;
    if (Wort(roh) != BINAER_MAGIC_1 || Wort(roh + 2) != BINAER_MAGIC_2) return SPEKTRUM_KEIN_BINAER;
    if (!quelle.Lies(roh + 4, sizeof roh - 4)) return FEHLER_FORMAT;
    for (int i = 0; i < BINAER_KOPF_WORTE; ++i) kopf->Worte[i] = Wort(roh + 2 * i);

    kopf->Ganzzahl = kopf->Worte[2] == 1;
    kopf->GespeichertePunkte = kopf->Worte[10];
    kopf->Spalten = kopf->Worte[11];
    kopf->Imaginaer = kopf->Worte[12] == 1;
    if (kopf->GespeichertePunkte < 1) return FEHLER_FORMAT;
    if (kopf->Spalten < 2 || kopf->Spalten > MAX_SPALTEN) return FEHLER_FORMAT;
    if (kopf->Imaginaer && kopf->Spalten < 3) return FEHLER_FORMAT;
    kopf->Punkte = ReduziertePunkte(kopf->GespeichertePunkte,
                                    kopf->Worte[BINAER_MARKE_WORT] == BINAER_MARKE);

    for (int k = 0; k < 3; ++k) {
        uint32_t lo = static_cast<uint16_t>(kopf->Worte[20 + 2 * k]);
        uint32_t hi = static_cast<uint16_t>(kopf->Worte[21 + 2 * k]);
        int32_t v = static_cast<int32_t>(lo | (hi << 16));
        kopf->Koeffizienten[k] = static_cast<double>(static_cast<float>(v)) / 1000.0;
    }

    int64_t groesse = quelle.Groesse();
    if (groesse < BINAER_DATEN_START) return FEHLER_FORMAT;  // name block cut short
    int64_t spalten = (groesse - BINAER_DATEN_START) / SpaltenLaenge(*kopf);
    kopf->SpaltenImFile = static_cast<int32_t>(std::min<int64_t>(spalten, kopf->Spalten));
    if (kopf->SpaltenImFile < (kopf->Imaginaer ? 3 : 2)) return FEHLER_FORMAT;
    return SPEKTRUM_OK;
}

int32_t LeseBinaerSpalte(ByteQuelle& quelle, const BinaerKopf& kopf, int32_t spalte,
                         double* out)
{
    if (spalte < 1 || spalte > kopf.SpaltenImFile || !out) return FEHLER_FORMAT;
    int64_t start = BINAER_DATEN_START + (spalte - 1) * SpaltenLaenge(kopf) + BINAER_BLOCK_BYTES;
    if (!quelle.Springe(start)) return FEHLER_FORMAT;
    const int32_t breite = kopf.Ganzzahl ? 2 : 4;
    uint8_t puffer[1000 * 4];
    int32_t gelesen = 0;
    while (gelesen < kopf.Punkte) {
        int32_t stueck = std::min<int32_t>(1000, kopf.Punkte - gelesen);
        if (!quelle.Lies(puffer, static_cast<std::size_t>(stueck) * breite)) return FEHLER_FORMAT;
        for (int32_t i = 0; i < stueck; ++i)
            out[gelesen + i] = kopf.Ganzzahl ? static_cast<double>(Wort(puffer + 2 * i))
                                             : LiesFloat(puffer + 4 * i);
        gelesen += stueck;
    }
    return SPEKTRUM_OK;
}

int32_t LeseBinaerSpektrum(ByteQuelle& quelle, DateiInfo* info, SpektrumDaten* daten,
                           int32_t* fehler)
{
    BinaerKopf kopf;
    int32_t code = LeseBinaerKopf(quelle, &kopf);
    if (code != SPEKTRUM_OK) {
        Melde(fehler, code);
        return 0;
    }
    const int32_t n = kopf.Punkte;
    const std::size_t laenge = kopf.Imaginaer ? 2 * static_cast<std::size_t>(n) + 1 : n;
    daten->x.assign(laenge, 0.0);
    daten->y.assign(laenge, 0.0);
    if (LeseBinaerSpalte(quelle, kopf, 1, daten->x.data()) != SPEKTRUM_OK ||
        LeseBinaerSpalte(quelle, kopf, 2, daten->y.data()) != SPEKTRUM_OK ||
        (kopf.Imaginaer &&
         LeseBinaerSpalte(quelle, kopf, 3, daten->y.data() + n + 1) != SPEKTRUM_OK)) {
        daten->x.clear();
        daten->y.clear();
        Melde(fehler, FEHLER_FORMAT);
        return 0;
    }
    if (kopf.Imaginaer) {
        daten->y[n] = daten->y[n - 1];
        daten->x[n] = daten->x[n - 1];
        for (int32_t i = 0; i < n; ++i) daten->x[n + 1 + i] = daten->x[i];
    }
    daten->Punkte = n;
    daten->Komplex = kopf.Imaginaer;

    info->Kopfzeilen = 0;
    info->Punkte = n;
    info->Spalten = kopf.Spalten;
    info->XSpalten[0] = 1;
    info->XSpalten[1] = 1;
    info->AlleSpalten[0] = kopf.Spalten;
    for (int32_t c = 1; c <= kopf.Spalten; ++c) info->AlleSpalten[c] = c;
    for (int k = 0; k < 3; ++k) info->Koeffizienten[k] = kopf.Koeffizienten[k];
    if (kopf.Imaginaer) info->Koeffizienten[4] = 4.0;
    info->Binaer = 1;
    Melde(fehler, SPEKTRUM_OK);
    return n;
}

int32_t LeseBinaerSpektrumDatei(const char* pfad, DateiInfo* info, SpektrumDaten* daten,
                                int32_t* fehler)
{
    std::FILE* f = std::fopen(pfad, "rb");
    if (!f) {
        Melde(fehler, SPEKTRUM_NICHT_OFFEN);
        return 0;
    }
    DateiQuelle quelle(f);
    int32_t n = LeseBinaerSpektrum(quelle, info, daten, fehler);
    std::fclose(f);
    return n;
}

int32_t LeseBinaerSpalten(const char* pfad, int32_t xSpalte, int32_t ySpalte,
                          int32_t blockWort, std::vector<double>* x, std::vector<double>* y,
                          int32_t* fehler)
{
    std::FILE* f = std::fopen(pfad, "rb");
    if (!f) {
        Melde(fehler, SPEKTRUM_NICHT_OFFEN);
        return 0;
    }
    DateiQuelle quelle(f);
    BinaerKopf kopf;
    int32_t code = LeseBinaerKopf(quelle, &kopf);
    int32_t ergebnis = 0;
    if (code == SPEKTRUM_OK && blockWort >= 0) {
        if (blockWort >= BINAER_BLOCK_WORTE) {
            code = FEHLER_FORMAT;
        } else {
            x->clear();
            y->clear();
            for (int32_t c = 2; c <= kopf.SpaltenImFile && code == SPEKTRUM_OK; ++c) {
                uint8_t block[BINAER_BLOCK_BYTES];
                int64_t start = BINAER_DATEN_START + (c - 1) * SpaltenLaenge(kopf);
                if (!quelle.Springe(start) || !quelle.Lies(block, sizeof block)) {
                    code = FEHLER_FORMAT;
                    break;
                }
                x->push_back(static_cast<double>(c - 1));
                y->push_back(static_cast<double>(Wort(block + 2 * blockWort)));
            }
            ergebnis = static_cast<int32_t>(y->size());
        }
    } else if (code == SPEKTRUM_OK) {
        x->assign(kopf.Punkte, 0.0);
        y->assign(kopf.Punkte, 0.0);
        code = LeseBinaerSpalte(quelle, kopf, xSpalte, x->data());
        if (code == SPEKTRUM_OK) code = LeseBinaerSpalte(quelle, kopf, ySpalte, y->data());
        ergebnis = code == SPEKTRUM_OK ? kopf.Punkte : 0;
    }
    std::fclose(f);
    if (code != SPEKTRUM_OK) ergebnis = 0;
    Melde(fehler, code);
    return ergebnis;
}

void GlitchFilter(double* y, int32_t n, double prozent, int32_t punkte)
{
    if (!y || n < 3 || punkte < 1) return;
    std::vector<double> sortiert(y, y + n);
    std::sort(sortiert.begin(), sortiert.end());
    // Ten values at each end are left out so single spikes do not set the scale.
    double spanne = sortiert[n - 1] - sortiert[0];
    if (n > 22) spanne = sortiert[n - 11] - sortiert[10];
    const double schwelle = spanne / 100.0 * prozent;
    for (int32_t i = 1; i < n - punkte; ++i) {
        if (std::fabs(y[i] - y[i - 1]) <= schwelle) continue;
        for (int32_t k = 1; k <= punkte; ++k) {
            if (std::fabs(y[i + k] - y[i - 1]) <= schwelle) {
                y[i] = 0.5 * (y[i - 1] + y[i + k]);
                break;
            }
        }
    }
}

int32_t SchreibeBinaerSpektrum(const char* pfad, const BinaerAuftrag& a)
{
    const int32_t n = a.Punkte;
    if (n > BINAER_MAX_PUNKTE) return FEHLER_ZU_VIELE_PUNKTE;
    if (n < 1 || (a.Teil != 1 && !a.y) || (a.Teil == 0 && !a.x)) return FEHLER_FORMAT;

    const bool anhaengen = a.Anhaengen != 0;
    const bool drittes = a.Komplex && a.Spalten == 0;
    std::vector<uint8_t> out;
    if (!anhaengen) {
        int16_t w[BINAER_KOPF_WORTE] = {};
        w[0] = BINAER_MAGIC_1;
        w[1] = BINAER_MAGIC_2;
        w[10] = static_cast<int16_t>(n);
        w[11] = static_cast<int16_t>(a.Spalten != 0 ? a.Spalten : (drittes ? 3 : 2));
        w[12] = drittes ? 1 : 0;
        w[BINAER_MARKE_WORT] = BINAER_MARKE;
        for (int k = 0; k < 3; ++k) {
            uint32_t v = static_cast<uint32_t>(KoeffizientAlsWort(a.Koeffizienten[k]));
            w[20 + 2 * k] = static_cast<int16_t>(static_cast<uint16_t>(v & 0xFFFF));
            w[21 + 2 * k] = static_cast<int16_t>(static_cast<uint16_t>(v >> 16));
        }
        for (int16_t wort : w) SchreibeWort(out, wort);
        char name[BINAER_NAME_BYTES] = {};
        if (a.Name) std::strncpy(name, a.Name, sizeof name - 1);
        out.insert(out.end(), name, name + sizeof name);
    }
    if (a.Teil != 1) {
        if (a.Teil == 0) {
            out.insert(out.end(), BINAER_BLOCK_BYTES, 0);
            for (int32_t i = 0; i < n; ++i) SchreibeFloat(out, a.x[i]);
        }
        for (int i = 0; i < BINAER_BLOCK_WORTE; ++i) SchreibeWort(out, a.Block ? a.Block[i] : 0);
        for (int32_t i = 0; i < n; ++i) SchreibeFloat(out, a.y[i]);
        if (drittes && !anhaengen) {
            out.insert(out.end(), BINAER_BLOCK_BYTES, 0);
            for (int32_t i = 0; i < n; ++i) SchreibeFloat(out, a.y[n + 1 + i]);
        }
    }

    std::FILE* f = std::fopen(pfad, anhaengen ? "ab+" : "wb+");
    if (!f) return SPEKTRUM_NICHT_OFFEN;
    bool ok = out.empty() || std::fwrite(out.data(), 1, out.size(), f) == out.size();
    ok = (std::fclose(f) == 0) && ok;
    return ok ? SPEKTRUM_OK : SPEKTRUM_NICHT_OFFEN;
}

namespace {

// The open series of the frame reader.
struct OffeneSerie {
    std::FILE* datei = nullptr;
    int32_t naechsterFrame = 0;
    BinaerKopf kopf{};
};
OffeneSerie Serie;

void SchliesseSerie()
{
    if (Serie.datei) std::fclose(Serie.datei);
    Serie = OffeneSerie{};
}

}  // namespace

int32_t LeseSerienFrame(const DateiInfo& info, double* y, int32_t kapazitaet, int32_t frame,
                        double glitchProzent, int32_t glitchPunkte)
{
    if (frame == -1) {
        SchliesseSerie();
        return 0;
    }
    if (frame == 0) {
        SchliesseSerie();
        char pfad[sizeof info.Ordner + sizeof info.DateiName];
        if (!DateiPfad(info, pfad, sizeof pfad)) return -1;
        Serie.datei = std::fopen(pfad, "rb");
        if (!Serie.datei) return -1;
        DateiQuelle quelle(Serie.datei);
        if (LeseBinaerKopf(quelle, &Serie.kopf) != SPEKTRUM_OK) {
            SchliesseSerie();
            return -1;
        }
        Serie.naechsterFrame = 1;
        return 0;
    }
    if (frame < 0 || !Serie.datei || !y || info.Binaer != 1) return -2;
    if (frame > Serie.kopf.SpaltenImFile) return -3;
    if (kapazitaet < Serie.kopf.Punkte) return -4;
    // An earlier frame starts again from the first column.
    if (frame < Serie.naechsterFrame) Serie.naechsterFrame = 1;
    DateiQuelle quelle(Serie.datei);
    if (LeseBinaerSpalte(quelle, Serie.kopf, frame, y) != SPEKTRUM_OK) return -3;
    Serie.naechsterFrame = frame + 1;
    if (glitchProzent > 0.0) GlitchFilter(y, Serie.kopf.Punkte, glitchProzent, glitchPunkte);
    return Serie.kopf.Punkte;
}
