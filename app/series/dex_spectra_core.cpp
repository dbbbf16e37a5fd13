// Absorption spectra from detector series: paths, series, mu and outputs.
#include "series/dex_spectra.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "spectra/spectrum_file.h"

namespace {

const char* const X_LEER = "x";

std::size_t NamensAnfang(const std::string& pfad)
{
    const std::size_t t = pfad.find_last_of("\\/");
    return t == std::string::npos ? 0 : t + 1;
}

// One file's x and columns read from a binary spectrum file.
struct DexDatei {
    std::vector<double> x, y;
    int32_t Punkte = 0;
    int32_t Spalten = 0;
};

bool LiesErstes(const std::string& pfad, DexDatei* d)
{
    DateiInfo info;
    DateiInfoLeeren(&info);
    SpektrumDaten daten;
    int32_t fehler = 0;
    const int32_t n = LeseBinaerSpektrumDatei(pfad.c_str(), &info, &daten, &fehler);
    if (n < 1) return false;
    d->x.assign(daten.x.begin(), daten.x.begin() + n);
    d->y.assign(daten.y.begin(), daten.y.begin() + n);
    d->Punkte = n;
    d->Spalten = info.Spalten;
    return true;
}

// The values of a file on n points: zeros where it has none.
std::vector<double> AufPunkte(const DexDatei& d, int32_t n)
{
    std::vector<double> y(static_cast<std::size_t>(n), 0.0);
    std::copy(d.y.begin(), d.y.begin() + std::min<std::size_t>(d.y.size(), y.size()), y.begin());
    return y;
}

// Word 11 (the column count) of a binary file, little-endian.
bool SetzeSpaltenWort(const std::string& pfad, int32_t spalten)
{
    std::FILE* f = std::fopen(pfad.c_str(), "r+b");
    if (!f) return false;
    const uint16_t w = static_cast<uint16_t>(spalten);
    const unsigned char b[2] = {static_cast<unsigned char>(w & 0xFF), static_cast<unsigned char>(w >> 8)};
    bool ok = std::fseek(f, 22, SEEK_SET) == 0 && std::fwrite(b, 1, 2, f) == 2;
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

// A series of files taken forwards only.
struct Serie {
    std::vector<std::string> Dateien;  // full paths, ascending numbers
    std::size_t Naechste = 0;
};

enum PAAR { PAAR_DATEI, PAAR_VERWERFEN, PAAR_ENDE };

std::string Frage(const char* art, int64_t i0, int64_t andere)
{
    char text[200];
    if (std::strcmp(art, "I1") == 0)
        std::snprintf(text, sizeof text,
                      "Number of I0(%lld) and I1(%lld) not identical !\r\n        Try next I1 or continue.",
                      static_cast<long long>(i0), static_cast<long long>(andere));
    else
        std::snprintf(text, sizeof text,
                      "Number of I0(%lld) and Idark(%lld) not identical !\r\n      Try next Idark or continue.",
                      static_cast<long long>(i0), static_cast<long long>(andere));
    return text;
}

// The next file of a series for the I0 file numbered nr (vergleichen: the
// I0 path is a series and the numbers must agree).
PAAR Naechste(Serie& s, bool vergleichen, int64_t nr, const char* art, DexUmgebung& u, std::string* pfad)
{
    for (;;) {
        if (s.Naechste >= s.Dateien.size()) return PAAR_ENDE;
        *pfad = s.Dateien[s.Naechste++];
        if (!vergleichen) return PAAR_DATEI;
        const int64_t andere = DexDateiNummer(*pfad);
        if (andere == nr) return PAAR_DATEI;
        const DEX_ANTWORT a = u.Frage ? u.Frage(Frage(art, nr, andere)) : DEX_ABBRECHEN;
        if (a == DEX_IGNORIEREN) return PAAR_DATEI;
        if (a == DEX_ABBRECHEN) return PAAR_VERWERFEN;
    }
}

Serie SucheSerie(const std::string& ordner, const std::string& muster, DexUmgebung& u)
{
    Serie s;
    std::vector<std::string> namen = u.Suche ? u.Suche(ordner, DexDateiTeil(muster)) : std::vector<std::string>{};
    DexSerieOrdnen(&namen);
    for (const std::string& n : namen) s.Dateien.push_back(ordner + n);
    return s;
}

void Meldung(DexUmgebung& u, const std::string& pfad, const std::string& text)
{
    if (u.Meldung) u.Meldung(pfad, text);
}

int32_t Schreibe(const std::string& pfad, int32_t anhaengen, int32_t teil, int32_t spalten, const double* x,
                 const double* y, int32_t n)
{
    BinaerAuftrag a;
    a.Anhaengen = anhaengen;
    a.Teil = teil;
    a.Spalten = spalten;
    a.x = x;
    a.y = y;
    a.Punkte = n;
    const std::string name = DexDateiTeil(pfad);
    a.Name = name.c_str();
    return SchreibeBinaerSpektrum(pfad.c_str(), a);
}

}  // namespace

std::string DexPfadeVerbinden(const DexPfade& p, bool dex)
{
    std::string text;
    for (int k = 0; k < DEX_PFADE; ++k) {
        const bool pflicht = k == DEX_I0_1 || k == DEX_I1;
        if (!dex && k != DEX_I0_1 && k != DEX_I1 && k != DEX_DUNKEL_1) continue;
        if (!text.empty()) text += "##";
        text += (p.Pfad[k].empty() && !pflicht) ? X_LEER : p.Pfad[k];
    }
    return text;
}

bool DexPfadeTeilen(const std::string& text, DexPfade* p)
{
    std::vector<std::string> teile;
    std::size_t von = 0;
    for (;;) {
        const std::size_t bis = text.find("##", von);
        teile.push_back(text.substr(von, bis == std::string::npos ? std::string::npos : bis - von));
        if (bis == std::string::npos) break;
        von = bis + 2;
    }
    for (std::string& t : teile)
        if (t == X_LEER) t.clear();
    *p = DexPfade{};
    if (teile.size() == 3) {
        p->Pfad[DEX_I0_1] = teile[0];
        p->Pfad[DEX_I1] = teile[1];
        p->Pfad[DEX_DUNKEL_1] = teile[2];
    } else if (teile.size() == DEX_PFADE) {
        for (int k = 0; k < DEX_PFADE; ++k) p->Pfad[k] = teile[static_cast<std::size_t>(k)];
    } else {
        return false;
    }
    return !p->Pfad[DEX_I0_1].empty() && !p->Pfad[DEX_I1].empty();
}

std::string DexPfadeZuLang(const DexPfade& p, bool dex)
{
    for (const std::string& s : p.Pfad)
        if (s.size() > DEX_PFAD_MAX) {
            char text[300];
            std::snprintf(text, sizeof text, "A path may hold at most %d characters:\r\n%.120s...",
                          static_cast<int>(DEX_PFAD_MAX), s.c_str());
            return text;
        }
    if (DexPfadeVerbinden(p, dex).size() > DEX_TEXT_MAX) {
        char text[200];
        std::snprintf(text, sizeof text, "The paths together may hold at most %d characters.",
                      static_cast<int>(DEX_TEXT_MAX));
        return text;
    }
    return "";
}

std::string DexDateiTeil(const std::string& pfad) { return pfad.substr(NamensAnfang(pfad)); }

std::string DexOrdner(const std::string& pfad) { return pfad.substr(0, NamensAnfang(pfad)); }

int64_t DexDateiNummer(const std::string& pfad)
{
    const std::string name = DexDateiTeil(pfad);
    std::size_t ende = name.find('.');
    if (ende == std::string::npos) ende = name.size();
    std::size_t anfang = ende;
    while (anfang > 0 && std::isdigit(static_cast<unsigned char>(name[anfang - 1]))) --anfang;
    // Leading zeros aside, at most 18 digits are taken so the number fits.
    while (anfang < ende && name[anfang] == '0') ++anfang;
    if (ende - anfang > 18) anfang = ende - 18;
    int64_t n = 0;
    for (std::size_t i = anfang; i < ende; ++i) n = 10 * n + (name[i] - '0');
    return n;
}

std::string DexSchnitt(const std::string& pfad, char zeichen)
{
    const std::size_t a = NamensAnfang(pfad);
    const std::size_t p = pfad.find(zeichen, a);
    return p == std::string::npos ? pfad : pfad.substr(0, p);
}

bool DexMusterPasst(const std::string& name, const std::string& muster)
{
    // Iterative match with one backtrack point for the last "*".
    std::size_t n = 0, m = 0, stern = std::string::npos, merke = 0;
    auto gleich = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    while (n < name.size()) {
        if (m < muster.size() && (muster[m] == '?' || (muster[m] != '*' && gleich(muster[m], name[n])))) {
            ++n;
            ++m;
        } else if (m < muster.size() && muster[m] == '*') {
            stern = m++;
            merke = n;
        } else if (stern != std::string::npos) {
            m = stern + 1;
            n = ++merke;
        } else {
            return false;
        }
    }
    while (m < muster.size() && muster[m] == '*') ++m;
    return m == muster.size();
}

void DexSerieOrdnen(std::vector<std::string>* dateien)
{
    std::stable_sort(dateien->begin(), dateien->end(), [](const std::string& a, const std::string& b) {
        const int64_t na = DexDateiNummer(a), nb = DexDateiNummer(b);
        return na != nb ? na < nb : a < b;
    });
}

void DexAbsorption(const double* i0, const double* i1, const double* dunkel, int32_t n, double* mu)
{
    for (int32_t i = 0; i < n; ++i) {
        const double d = dunkel ? dunkel[i] : 0.0;
        const double q = i0[i] != d ? (i0[i] - d) / (i1[i] - d) : -1.0;
        mu[i] = (std::isfinite(q) && q > 0.0) ? std::log(q) : 0.0;
        if (!std::isfinite(mu[i])) mu[i] = 0.0;
    }
}

std::vector<int32_t> DexSpaltenFolge(int32_t n)
{
    std::vector<int32_t> f = {-1, DEX_I0_1, DEX_DUNKEL_1, DEX_FOLIE_1};
    for (int32_t k = 1; k <= n; ++k) f.push_back(DEX_PFADE + k);
    f.insert(f.end(), {DEX_DUNKEL_2, DEX_I0_2, DEX_FOLIE_2});
    return f;
}

int32_t BerechneDexDateien(const DexPfade& p, bool dex, bool mehrspaltig, DexUmgebung& u, DexErgebnis* aus)
{
    *aus = DexErgebnis{};
    const std::string& pfadI0 = p.Pfad[DEX_I0_1];
    const std::string& pfadI1 = p.Pfad[DEX_I1];
    const std::string& pfadB = p.Pfad[DEX_DUNKEL_1];
    const bool i0Serie = !dex && pfadI0.find('*') != std::string::npos;
    const bool i1Serie = !dex && pfadI1.find('*') != std::string::npos;
    const bool bSerie = !dex && pfadB.find('*') != std::string::npos;
    if (!i0Serie && !i1Serie) mehrspaltig = false;
    if (dex) mehrspaltig = false;
    const std::string ordner = DexOrdner(pfadI0);

    std::string ausgabe;
    int32_t kopfSpalten = 0;
    if (mehrspaltig || dex) {
        const std::string& basis = i0Serie ? pfadI0 : pfadI1;
        ausgabe = DexSchnitt(basis, dex ? '.' : '*') + ".xas";
        if (mehrspaltig)
            kopfSpalten = static_cast<int32_t>(u.Suche ? u.Suche(ordner, DexDateiTeil(basis)).size() : 0) + 1;
    }

    Serie s0, s1, sb;
    if (i0Serie) s0 = SucheSerie(ordner, pfadI0, u);
    if (i1Serie) s1 = SucheSerie(ordner, pfadI1, u);
    if (bSerie) sb = SucheSerie(ordner, pfadB, u);
    const std::size_t paesse = i0Serie ? s0.Dateien.size() : i1Serie ? s1.Dateien.size() : 1;

    int32_t mcPunkte = 0;       // points of the multi-column file, 0 before its header
    int32_t mcGeschrieben = 0;  // its columns written
    const char* const NICHT_OFFEN = "File could not be opened!";

    for (std::size_t pass = 0; pass < paesse; ++pass) {
        const std::string i0Pfad = i0Serie ? s0.Dateien[pass] : pfadI0;
        const int64_t nr = DexDateiNummer(i0Pfad);
        DexDatei i0, i0b, dunkel, dunkelB, folie, folieB, i1;
        if (!LiesErstes(i0Pfad, &i0)) {
            Meldung(u, i0Pfad, NICHT_OFFEN);
            continue;
        }
        bool verwerfen = false, ende = false;
        auto lies = [&](const std::string& pfad, DexDatei* d) {
            if (pfad.empty() || verwerfen) return;
            if (!LiesErstes(pfad, d)) {
                Meldung(u, pfad, NICHT_OFFEN);
                verwerfen = true;
            }
        };
        if (dex) lies(p.Pfad[DEX_I0_2], &i0b);
        if (!pfadB.empty() && !verwerfen) {
            std::string pfad = pfadB;
            if (bSerie) {
                const PAAR r = Naechste(sb, i0Serie, nr, "Idark", u, &pfad);
                if (r == PAAR_ENDE) break;
                if (r == PAAR_VERWERFEN) continue;
            }
            lies(pfad, &dunkel);
        }
        if (dex) {
            lies(p.Pfad[DEX_DUNKEL_2], &dunkelB);
            lies(p.Pfad[DEX_FOLIE_1], &folie);
            lies(p.Pfad[DEX_FOLIE_2], &folieB);
        }
        if (verwerfen) continue;
        std::string i1Pfad = pfadI1;
        if (i1Serie) {
            const PAAR r = Naechste(s1, i0Serie, nr, "I1", u, &i1Pfad);
            if (r == PAAR_ENDE) ende = true;
            if (r != PAAR_DATEI) {
                if (ende) break;
                continue;
            }
        }
        lies(i1Pfad, &i1);
        if (verwerfen) continue;

        const int32_t n = i1.Punkte;
        const std::vector<double> yI0 = AufPunkte(i0, n), yB = AufPunkte(dunkel, n), yI1 = AufPunkte(i1, n);
        std::vector<double> mu(static_cast<std::size_t>(n));
        DexAbsorption(yI0.data(), yI1.data(), pfadB.empty() ? nullptr : yB.data(), n, mu.data());
        aus->x = i1.x;
        aus->y = mu;
        aus->Punkte = n;

        if (dex) {
            const int32_t spektren = std::max(0, i1.Spalten - 1);
            bool ok = Schreibe(ausgabe, 0, 1, spektren + 7, nullptr, nullptr, n) == SPEKTRUM_OK;
            const std::vector<double>* zeilen[DEX_PFADE] = {};
            const std::vector<double> yI0b = AufPunkte(i0b, n), yBb = AufPunkte(dunkelB, n),
                                      yF = AufPunkte(folie, n), yFb = AufPunkte(folieB, n);
            zeilen[DEX_I0_1] = &yI0;
            zeilen[DEX_I0_2] = &yI0b;
            zeilen[DEX_DUNKEL_1] = &yB;
            zeilen[DEX_DUNKEL_2] = &yBb;
            zeilen[DEX_FOLIE_1] = &yF;
            zeilen[DEX_FOLIE_2] = &yFb;
            const std::vector<int32_t> folge = DexSpaltenFolge(spektren);
            for (std::size_t c = 1; ok && c < folge.size(); ++c) {
                const int32_t q = folge[c];
                if (q < DEX_PFADE) {
                    ok = Schreibe(ausgabe, 100, c == 1 ? 0 : 2, 0, i1.x.data(), zeilen[q]->data(), n) == SPEKTRUM_OK;
                    continue;
                }
                std::vector<double> fx, fy;
                int32_t fehler = 0;
                const int32_t m = LeseBinaerSpalten(i1Pfad.c_str(), 1, q - DEX_PFADE + 1, -1, &fx, &fy, &fehler);
                if (m < 1) {
                    Meldung(u, i1Pfad, NICHT_OFFEN);
                    ok = false;
                    break;
                }
                fy.resize(static_cast<std::size_t>(n), 0.0);
                ok = Schreibe(ausgabe, 100, 2, 0, nullptr, fy.data(), n) == SPEKTRUM_OK;
            }
            if (!ok) {
                Meldung(u, ausgabe, "The file could not be written: " + ausgabe);
                std::remove(ausgabe.c_str());
                continue;
            }
            aus->Geschrieben.push_back(ausgabe);
            aus->Spalten = spektren + 7;
        } else if (mehrspaltig) {
            if (mcPunkte == 0) {
                if (Schreibe(ausgabe, 0, 1, std::max(kopfSpalten, 2), nullptr, nullptr, n) != SPEKTRUM_OK ||
                    Schreibe(ausgabe, 100, 0, 0, i1.x.data(), mu.data(), n) != SPEKTRUM_OK) {
                    Meldung(u, ausgabe, "The file could not be written: " + ausgabe);
                    break;
                }
                mcPunkte = n;
                mcGeschrieben = 2;
                aus->Geschrieben.push_back(ausgabe);
            } else if (n != mcPunkte) {
                char text[400];
                std::snprintf(text, sizeof text, "%s has %d points, the multi column file %d: not added.",
                              i1Pfad.c_str(), static_cast<int>(n), static_cast<int>(mcPunkte));
                Meldung(u, i1Pfad, text);
                continue;
            } else if (Schreibe(ausgabe, 100, 2, 0, nullptr, mu.data(), n) == SPEKTRUM_OK) {
                ++mcGeschrieben;
            } else {
                Meldung(u, ausgabe, "The file could not be written: " + ausgabe);
                break;
            }
        } else {
            const std::string ziel = DexSchnitt(i1Pfad) + ".xas";
            if (Schreibe(ziel, 0, 0, 0, i1.x.data(), mu.data(), n) == SPEKTRUM_OK)
                aus->Geschrieben.push_back(ziel);
            else
                Meldung(u, ziel, "The file could not be written: " + ziel);
        }
    }
    if (mcPunkte > 0) {
        // The header counted the files found; it gets the columns written.
        SetzeSpaltenWort(ausgabe, mcGeschrieben);
        aus->Spalten = mcGeschrieben;
    }
    return aus->Punkte;
}
