// Text spectrum files: identification, column parser, text table writer.
#include "spectra/ascii_file.h"

#include "spectra/raw_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Melde(int32_t* fehler, int32_t code)
{
    if (fehler) *fehler = code;
}

bool IstZahlZeichen(char c)
{
    return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E';
}

bool IstBuchstabe(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    return ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u >= 0x80) && c != 'e' && c != 'E';
}

bool IstKommentar(char c)
{
    return c == '#' || c == '!' || c == ';' || c == '%' || c == '*';
}

// A whole token as a decimal number, or false.
bool AlsZahl(const std::string& token, double* wert)
{
    if (token.empty()) return false;
    const char c = token[0];
    if (!((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.')) return false;
    char* ende = nullptr;
    double v = std::strtod(token.c_str(), &ende);
    if (ende != token.c_str() + token.size() || !std::isfinite(v)) return false;
    *wert = v;
    return true;
}

enum class ZeilenArt { Leer, Text, Daten };

// Classes one line; for a data line the values are appended to werte and
// the separator run after the first number goes to trenn (when asked).
ZeilenArt Zerlege(const char* a, const char* e, std::vector<double>* werte, std::string* trenn,
                  bool zuViele[1])
{
    werte->clear();
    const char* p = a;
    while (p < e && (*p == ' ' || *p == '\t' || *p == '\r')) ++p;
    if (p == e) return ZeilenArt::Leer;
    if (IstKommentar(*p)) return ZeilenArt::Text;
    std::string token;
    bool trennGelernt = trenn == nullptr;
    for (const char* q = p; q <= e; ++q) {
        const char c = q < e ? *q : '\n';
        if (q < e && IstBuchstabe(c)) return ZeilenArt::Text;
        if (q < e && IstZahlZeichen(c)) {
            token.push_back(c);
            continue;
        }
        if (!token.empty()) {
            double v;
            if (!AlsZahl(token, &v)) return ZeilenArt::Text;
            if (werte->size() >= static_cast<std::size_t>(MAX_SPALTEN)) {
                zuViele[0] = true;
                return ZeilenArt::Text;
            }
            werte->push_back(v);
            token.clear();
            if (!trennGelernt && q < e) {
                const char* r = q;
                while (r < e && !IstZahlZeichen(*r) && !IstBuchstabe(*r) && r - q < 15) ++r;
                if (r < e) trenn->assign(q, r);
                trennGelernt = true;
            }
        }
    }
    // Separators alone (a rule of slashes, an end-of-file mark) read as blank.
    return werte->empty() ? ZeilenArt::Leer : ZeilenArt::Daten;
}

// Comma-separated fields of the first line.
std::vector<std::string> KommaFelder(const char* a, const char* e)
{
    std::vector<std::string> felder(1);
    for (const char* p = a; p < e; ++p) {
        if (*p == ',') felder.emplace_back();
        else if (*p != '\r') felder.back().push_back(*p);
    }
    return felder;
}

double FeldWert(const std::vector<std::string>& felder, std::size_t i)
{
    if (i >= felder.size()) return 0.0;
    std::string t = felder[i];
    t.erase(0, t.find_first_not_of(" \t"));
    t.erase(t.find_last_not_of(" \t") + 1);
    double v = 0.0;
    return AlsZahl(t, &v) ? v : 0.0;
}

// The count line of this program's own text files, "# No: n  [E0: a,b,c,d]"
// or, for a complex curve, "# No: n  [4,E0: a,b,c,d]": the flag and the
// coefficients as a first line "flag,a,b,c" would give them.
bool EigeneZaehlZeile(const char* a, const char* e, int32_t* flag, double werte[4])
{
    const std::string z(a, e);
    if (z.compare(0, 5, "# No:") != 0) return false;
    const std::size_t klammer = z.find('[');
    const std::size_t e0 = z.find("E0:");
    if (klammer == std::string::npos || e0 == std::string::npos || e0 < klammer) return false;
    double k[4] = {};
    const char* p = z.c_str() + e0 + 3;
    for (int i = 0; i < 4; ++i) {
        char* ende = nullptr;
        k[i] = std::strtod(p, &ende);
        if (ende == p) break;
        p = ende;
        if (*p != ',') break;
        ++p;
    }
    const long f = e0 > klammer + 1 ? std::strtol(z.c_str() + klammer + 1, nullptr, 10) : 0;
    *flag = static_cast<int32_t>(f);
    if (f & 4) {
        werte[0] = static_cast<double>(f);
        for (int i = 0; i < 3; ++i) werte[i + 1] = k[i];
    } else {
        for (int i = 0; i < 4; ++i) werte[i] = k[i];
    }
    return true;
}

void Neustart(TextTabelle* t, int32_t zeilenBisher)
{
    t->Kopfzeilen = zeilenBisher;
    t->Zeilen = 0;
    t->Spalten = 0;
    t->Werte.clear();
    t->Monoton.clear();
    t->BruchZeile = 0;
    t->Trennzeichen[0] = '\0';
}

}  // namespace

int32_t ParseTextTabelle(const char* text, std::size_t laenge, TextTabelle* t)
{
    *t = TextTabelle{};
    std::vector<double> werte;
    std::vector<int8_t> richtung;   // per column: +1 rising, -1 falling, 0 unknown
    int32_t zeile = 0;              // lines read so far
    int32_t leer = 0;               // blank lines since the last row
    bool zuViele = false;
    // The last block of two or more rows that a later line ended, and the
    // non-blank lines read after it: a footer or a row cut short at the end
    // of the file does not cost the table before it.
    TextTabelle gerettet;
    int32_t nachGerettet = 0;
    auto Rette = [&](int32_t kopf) {
        if (t->Zeilen >= 2) {
            gerettet = *t;
            nachGerettet = 0;
        }
        Neustart(t, kopf);
    };
    const char* ende = text + laenge;
    // A byte-order mark of UTF-8 is no part of the first line.
    if (laenge >= 3 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0) text += 3;
    for (const char* a = text; a < ende; ++zeile) {
        const char* e = static_cast<const char*>(std::memchr(a, '\n', ende - a));
        if (!e) e = ende;
        std::string trenn;
        ZeilenArt art = Zerlege(a, e, &werte, &trenn, &zuViele);
        if (zuViele) return FEHLER_ZU_VIELE_PUNKTE;

        if (zeile == 0) {
            // Fields that are not plain numbers give 0, so a title line
            // with commas yields no coefficients.
            std::vector<std::string> felder = KommaFelder(a, e);
            for (int k = 0; k < 4; ++k) t->ErsteZeileWerte[k] = FeldWert(felder, 1 + k);
            const char c = a < e ? *a : ' ';
            const double flag = FeldWert(felder, 1);
            if (c >= '0' && c <= '9' && std::fabs(flag) < 2147483647.0)
                t->ErsteZeileFlag = static_cast<int32_t>(flag);
        }
        // Our own writer's header names the complex mark and E0 on its
        // count line; it counts as the first line's flag and coefficients.
        if (t->Zeilen == 0 && art == ZeilenArt::Text)
            EigeneZaehlZeile(a, e, &t->ErsteZeileFlag, t->ErsteZeileWerte);

        if (art == ZeilenArt::Leer) {
            ++leer;
        } else if (art == ZeilenArt::Text) {
            // Rows above a text line were a table inside the header.
            if (t->Zeilen > 0) Rette(zeile + 1);
            else t->Kopfzeilen = zeile + 1;
            leer = 0;
        } else {
            const int32_t n = static_cast<int32_t>(werte.size());
            // Blank lines inside a table (between scan regions) do not part
            // it while x goes on in its direction; a new scan starts anew.
            bool weiter = false;
            if (t->Zeilen > 0 && n == t->Spalten && leer > 0 && t->Monoton[0]) {
                const double letzt = t->Werte[0][t->Zeilen - 1];
                weiter = richtung[0] > 0 ? werte[0] > letzt
                       : richtung[0] < 0 ? werte[0] < letzt : werte[0] != letzt;
            }
            if (t->Zeilen > 0 && (n != t->Spalten || (leer > 0 && !weiter))) Rette(zeile);
            if (t->Zeilen == 0) {
                t->Kopfzeilen = zeile;
                t->Spalten = n;
                t->Werte.assign(n, {});
                t->Monoton.assign(n, true);
                richtung.assign(n, 0);
                std::snprintf(t->Trennzeichen, sizeof t->Trennzeichen, "%s", trenn.c_str());
            }
            leer = 0;
            const int32_t r = t->Zeilen;
            for (int32_t c = 0; c < n; ++c) {
                std::vector<double>& spalte = t->Werte[c];
                if (r > 0 && t->Monoton[c]) {
                    const double alt = spalte[r - 1], neu = werte[c];
                    int8_t d = neu > alt ? 1 : (neu < alt ? -1 : 0);
                    if (d == 0 || (richtung[c] != 0 && d != richtung[c])) {
                        t->Monoton[c] = false;
                        if (c == 0 && n > 1 && t->BruchZeile == 0) t->BruchZeile = r + 1;
                    } else {
                        richtung[c] = d;
                    }
                }
                spalte.push_back(werte[c]);
            }
            ++t->Zeilen;
        }
        if (art != ZeilenArt::Leer) ++nachGerettet;
        a = e < ende ? e + 1 : ende;
    }
    if (t->Zeilen <= 1 && gerettet.Zeilen >= 2) {
        const int32_t flag = t->ErsteZeileFlag;
        double werte0[4];
        std::memcpy(werte0, t->ErsteZeileWerte, sizeof werte0);
        *t = std::move(gerettet);
        t->ErsteZeileFlag = flag;
        std::memcpy(t->ErsteZeileWerte, werte0, sizeof werte0);
        t->UebersprungeneZeilen = nachGerettet;
    }
    // The first line is a header line when the table starts below it.
    t->ErsteZeileIstKopf = t->Kopfzeilen > 0;
    return SPEKTRUM_OK;
}

int32_t TabelleAlsSpektrum(TextTabelle& t, DateiInfo* info, SpektrumDaten* daten,
                           std::vector<double>* spalte3, std::vector<double>* spalte4)
{
    info->Binaer = 0;
    info->Kopfzeilen = t.Kopfzeilen;
    info->Spalten = t.Spalten;
    std::snprintf(info->Trennzeichen, sizeof info->Trennzeichen, "%s", t.Trennzeichen);
    if (t.Zeilen < 1) {
        info->Punkte = 0;
        return 0;
    }
    int32_t anzahl = 0;
    for (int32_t c = 0; c < t.Spalten; ++c)
        if (t.Monoton[c]) info->XSpalten[++anzahl] = c + 1;
    info->XSpalten[0] = anzahl;
    info->AlleSpalten[0] = t.Spalten;
    for (int32_t c = 1; c <= t.Spalten; ++c) info->AlleSpalten[c] = c;

    const bool drittes = t.Spalten > 2 && t.ErsteZeileIstKopf && (t.ErsteZeileFlag & 4);
    if (drittes) info->Koeffizienten[4] = 4.0;
    // Calibration coefficients come from a header line only, never from data.
    for (int k = 0; k < 3; ++k)
        info->Koeffizienten[k] = t.ErsteZeileIstKopf ? t.ErsteZeileWerte[k + (drittes ? 1 : 0)] : 0.0;

    std::vector<std::vector<double>>& w = t.Werte;
    int32_t n = t.Zeilen;
    if (t.Spalten > 1 && w[0][n - 1] < w[0][0])
        for (std::vector<double>& s : w) std::reverse(s.begin(), s.end());

    if (t.Spalten > 1 && anzahl == 0 && t.BruchZeile > 0) {
        if (!daten) return -t.BruchZeile;
        // Column 1 taken as x anyway: points that do not advance are dropped.
        info->XSpalten[0] = 1;
        info->XSpalten[1] = 1;
        int32_t k = 1;
        for (int32_t i = 1; i < n; ++i) {
            if (w[0][i] <= w[0][k - 1]) continue;
            for (std::vector<double>& s : w) s[k] = s[i];
            ++k;
        }
        // Refused when most rows would be dropped: the file has no x column.
        if (2 * k < n) return -t.BruchZeile;
        n = k;
    }
    // Every row of a text file is a point (no reduction of counts near a
    // thousand, which binary files of other writers need).
    info->Punkte = n;

    if (daten) {
        const std::size_t laenge = drittes ? 2 * static_cast<std::size_t>(n) + 1 : n;
        daten->x.assign(laenge, 0.0);
        daten->y.assign(laenge, 0.0);
        for (int32_t i = 0; i < n; ++i) {
            daten->x[i] = t.Spalten > 1 ? w[0][i] : i;
            daten->y[i] = t.Spalten > 1 ? w[1][i] : w[0][i];
        }
        if (drittes) {
            daten->y[n] = daten->y[n - 1];
            daten->x[n] = daten->x[n - 1];
            for (int32_t i = 0; i < n; ++i) {
                daten->x[n + 1 + i] = daten->x[i];
                daten->y[n + 1 + i] = w[2][i];
            }
        }
        daten->Punkte = n;
        daten->Komplex = drittes;
        info->ErstesX = daten->x[0];
        info->LetztesX = daten->x[n - 1];
        double kleinster = 0.0;
        bool gleich = true;
        for (int32_t i = 1; i < n; ++i) {
            double d = std::fabs(daten->x[i] - daten->x[i - 1]);
            if (i == 1 || d < kleinster) kleinster = d;
            if (std::fabs(d - std::fabs(daten->x[1] - daten->x[0])) >
                0.01 * std::fabs(daten->x[1] - daten->x[0]))
                gleich = false;
        }
        info->XSchritt = kleinster;
        info->Aequidistant = gleich ? 1 : 0;
    }
    if (spalte3) {
        spalte3->clear();
        if (t.Spalten > 2) spalte3->assign(w[2].begin(), w[2].begin() + n);
    }
    if (spalte4) {
        spalte4->clear();
        if (t.Spalten > 3) spalte4->assign(w[3].begin(), w[3].begin() + n);
    }
    return n;
}

namespace {

// Reads the whole file; 0 ok, else an error code.
int32_t LeseDatei(const char* pfad, std::vector<char>* inhalt)
{
    std::FILE* f = std::fopen(pfad, "rb");
    if (!f) return SPEKTRUM_NICHT_OFFEN;
    inhalt->clear();
    char puffer[65536];
    std::size_t n;
    int32_t code = SPEKTRUM_OK;
    while ((n = std::fread(puffer, 1, sizeof puffer, f)) > 0) {
        if (static_cast<int64_t>(inhalt->size() + n) > MAX_TEXT_BYTES) {
            code = FEHLER_ZU_VIELE_PUNKTE;
            break;
        }
        inhalt->insert(inhalt->end(), puffer, puffer + n);
    }
    std::fclose(f);
    return code;
}

bool IstBinaer(const std::vector<char>& b)
{
    return b.size() >= 4 && static_cast<uint8_t>(b[0]) == (6666 & 0xFF) &&
           static_cast<uint8_t>(b[1]) == (6666 >> 8) && static_cast<uint8_t>(b[2]) == (9999 & 0xFF) &&
           static_cast<uint8_t>(b[3]) == (9999 >> 8);
}

}  // namespace

int32_t LeseSpektrum(DateiInfo* info, SpektrumDaten* daten, std::vector<double>* spalte3,
                     std::vector<double>* spalte4, int32_t* fehler)
{
    char pfad[sizeof info->Ordner + sizeof info->DateiName];
    std::vector<char> inhalt;
    int32_t code = DateiPfad(*info, pfad, sizeof pfad) ? LeseDatei(pfad, &inhalt)
                                                       : SPEKTRUM_NICHT_OFFEN;
    if (code != SPEKTRUM_OK) {
        Melde(fehler, code);
        return 0;
    }
    info->DateiGroesse = static_cast<int32_t>(std::min<std::size_t>(inhalt.size(), INT32_MAX));
    if (IstBinaer(inhalt)) {
        SpeicherQuelle quelle(reinterpret_cast<const uint8_t*>(inhalt.data()), inhalt.size());
        SpektrumDaten ohne;
        int32_t n = LeseBinaerSpektrum(quelle, info, daten ? daten : &ohne, fehler);
        if (spalte3) spalte3->clear();
        if (spalte4) spalte4->clear();
        return n;
    }
    // Diffractometer files: their first range.
    if (IstRawDatei(reinterpret_cast<const uint8_t*>(inhalt.data()), inhalt.size())) {
        SpektrumDaten ohne;
        const int32_t n = LoadRawFile(1, reinterpret_cast<const uint8_t*>(inhalt.data()),
                                      inhalt.size(), info, daten ? daten : &ohne, fehler);
        if (spalte3) spalte3->clear();
        if (spalte4) spalte4->clear();
        return n > 0 ? n : 0;
    }
    TextTabelle t;
    code = ParseTextTabelle(inhalt.data(), inhalt.size(), &t);
    if (code != SPEKTRUM_OK) {
        Melde(fehler, code);
        return 0;
    }
    int32_t n = TabelleAlsSpektrum(t, info, daten, spalte3, spalte4);
    if (daten) daten->UebersprungeneZeilen = t.UebersprungeneZeilen;
    Melde(fehler, n > 0 ? SPEKTRUM_OK : FEHLER_FORMAT);
    return n;
}

int32_t LeseDatenFile(DateiInfo* info, double* x, double* y, double* col3, double* col4,
                      int32_t kapazitaet, int32_t* fehler)
{
    SpektrumDaten d;
    std::vector<double> s3, s4;
    int32_t n = LeseSpektrum(info, (x || y) ? &d : nullptr, &s3, &s4, fehler);
    if (n <= 0) return n;
    if (!x && !y) return n;
    const std::size_t laenge = d.y.size();
    if (kapazitaet < 0 || laenge > static_cast<std::size_t>(kapazitaet)) {
        Melde(fehler, FEHLER_ZU_VIELE_PUNKTE);
        return 0;
    }
    if (x) std::copy(d.x.begin(), d.x.end(), x);
    if (y) std::copy(d.y.begin(), d.y.end(), y);
    if (col3) std::copy(s3.begin(), s3.end(), col3);
    if (col4) std::copy(s4.begin(), s4.end(), col4);
    return n;
}

int32_t LeseSpalten(const DateiInfo& info, int32_t xSpalte, int32_t ySpalte,
                    SpektrumDaten* daten, int32_t* fehler, double glitchProzent,
                    int32_t glitchPunkte)
{
    char pfad[sizeof info.Ordner + sizeof info.DateiName];
    if (!DateiPfad(info, pfad, sizeof pfad)) {
        Melde(fehler, SPEKTRUM_NICHT_OFFEN);
        return 0;
    }
    int32_t n = 0;
    daten->Komplex = false;
    if (info.Binaer == 1) {
        n = LeseBinaerSpalten(pfad, xSpalte, ySpalte, -1, &daten->x, &daten->y, fehler);
    } else {
        std::vector<char> inhalt;
        int32_t code = LeseDatei(pfad, &inhalt);
        // A diffractometer file gives its first range whatever the columns.
        if (code == SPEKTRUM_OK &&
            IstRawDatei(reinterpret_cast<const uint8_t*>(inhalt.data()), inhalt.size())) {
            DateiInfo raw = info;
            n = LoadRawFile(1, reinterpret_cast<const uint8_t*>(inhalt.data()), inhalt.size(),
                            &raw, daten, fehler);
            if (n <= 0) return 0;
            daten->Punkte = n;
            if (glitchProzent > 0.0) GlitchFilter(daten->y.data(), n, glitchProzent, glitchPunkte);
            return n;
        }
        TextTabelle t;
        if (code == SPEKTRUM_OK) code = ParseTextTabelle(inhalt.data(), inhalt.size(), &t);
        if (code == SPEKTRUM_OK &&
            (t.Zeilen < 1 || xSpalte < 1 || ySpalte < 1 ||
             (t.Spalten > 1 && (xSpalte > t.Spalten || ySpalte > t.Spalten))))
            code = FEHLER_FORMAT;
        Melde(fehler, code);
        if (code != SPEKTRUM_OK) return 0;
        n = t.Zeilen;
        daten->x.resize(n);
        daten->y.resize(n);
        for (int32_t i = 0; i < n; ++i) {
            // A single column is the curve, over its row numbers.
            daten->x[i] = t.Spalten > 1 ? t.Werte[xSpalte - 1][i] : i;
            daten->y[i] = t.Spalten > 1 ? t.Werte[ySpalte - 1][i] : t.Werte[0][i];
        }
        if (n > 1 && daten->x[n - 1] < daten->x[0]) {
            std::reverse(daten->x.begin(), daten->x.end());
            std::reverse(daten->y.begin(), daten->y.end());
        }
        int32_t k = 1;
        for (int32_t i = 1; i < n; ++i) {
            if (daten->x[i] <= daten->x[k - 1]) continue;
            daten->x[k] = daten->x[i];
            daten->y[k] = daten->y[i];
            ++k;
        }
        n = k;
        daten->x.resize(n);
        daten->y.resize(n);
    }
    daten->Punkte = n;
    if (n > 0 && glitchProzent > 0.0) GlitchFilter(daten->y.data(), n, glitchProzent, glitchPunkte);
    return n;
}

int32_t SchreibeTextSpektrum(const char* pfad, const TextAuftrag& a)
{
    const int32_t n = a.Punkte;
    if (n < 1 || !a.x || !a.y) return FEHLER_FORMAT;
    std::vector<double> modell, einzeln;
    const int32_t funktionen = a.Modell && a.EinzelFunktionen > 1 ? a.EinzelFunktionen : 0;
    if (a.Modell) {
        modell.assign(n, 0.0);
        a.Modell(-1, a.x, modell.data(), n);
        einzeln.assign(static_cast<std::size_t>(funktionen) * n, 0.0);
        for (int32_t k = 0; k < funktionen; ++k)
            a.Modell(k, a.x, einzeln.data() + static_cast<std::size_t>(k) * n, n);
    }

    std::FILE* f = std::fopen(pfad, "wt+");
    if (!f) return SPEKTRUM_NICHT_OFFEN;
    std::time_t zeit = a.Zeit ? a.Zeit : std::time(nullptr);
    const char* jetzt = std::ctime(&zeit);
    std::fprintf(f, "# created: %s", jetzt ? jetzt : "\n");
    std::fprintf(f, "# from file: %s\n", a.Name ? a.Name : "");
    const double* k = a.Koeffizienten;
    if (a.Komplex)
        std::fprintf(f, "# No: %d  [%d,E0: %G,%G,%G,%G]\n", n, 4, k[0], k[1], k[2], k[3]);
    else
        std::fprintf(f, "# No: %d  [E0: %G,%G,%G,%G]\n", n, k[0], k[1], k[2], k[3]);
    std::fprintf(f, "#---------------------------------------------------------------------\n");
    std::fprintf(f, "#       X                  Y\n");
    for (int32_t i = 0; i < n; ++i) {
        if (a.Komplex)
            std::fprintf(f, "%.10E  %.10E  %.10E", a.x[i], a.y[i], a.y[n + 1 + i]);
        else
            std::fprintf(f, "%.10E  %.10E", a.x[i], a.y[i]);
        if (a.Modell) {
            std::fprintf(f, "  %.10E", modell[i]);
            for (int32_t j = 0; j < funktionen; ++j)
                std::fprintf(f, "  %.10E", einzeln[static_cast<std::size_t>(j) * n + i]);
        }
        std::fprintf(f, "\n");
    }
    const bool ok = !std::ferror(f);
    return (std::fclose(f) == 0 && ok) ? SPEKTRUM_OK : SPEKTRUM_NICHT_OFFEN;
}
