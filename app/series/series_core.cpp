// Series of spectra: grid, average, multi-column file helpers, column
// average, header values and foil names (see series.h).
#include "series/series.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "spectra/spectrum_file.h"
#include "zelva.h"

std::vector<std::string> MehrfachAuswahl(const char* puffer, std::size_t bytes)
{
    std::vector<std::string> teile;
    std::size_t pos = 0;
    while (puffer && pos < bytes && puffer[pos] != '\0') {
        std::size_t ende = pos;
        while (ende < bytes && puffer[ende] != '\0') ++ende;
        teile.emplace_back(puffer + pos, ende - pos);
        pos = ende + 1;
    }
    if (teile.size() <= 1) return teile;
    std::string ordner = teile[0];
    if (!ordner.empty() && ordner.back() != '\\' && ordner.back() != '/') ordner += '\\';
    std::vector<std::string> pfade;
    for (std::size_t i = 1; i < teile.size(); ++i) pfade.push_back(ordner + teile[i]);
    return pfade;
}

namespace {

std::size_t DateiNamenStart(const std::string& pfad)
{
    std::size_t s = pfad.find_last_of("\\/:");
    return s == std::string::npos ? 0 : s + 1;
}

}  // namespace

bool McAusgabeName(const std::string& ein, std::string* aus)
{
    if (ein.size() >= MC_NAME_GRENZE) return false;
    if (ein.size() < 2) {
        *aus = "test.dxa";
        return true;
    }
    std::string name = ein;
    if (name.find('.', DateiNamenStart(name)) == std::string::npos) name += ".dxa";
    if (name.size() >= MC_NAME_GRENZE) return false;
    *aus = name;
    return true;
}

bool GlaettungsGradGueltig(int32_t grad, int32_t punkte)
{
    return grad >= 0 && grad <= punkte / 4;
}

void SplineAufGitter(const double* x, const double* y, int32_t n, const double* gitter,
                     int32_t nG, double* aus)
{
    std::vector<double> xs(x, x + n), ys(y, y + n), y2(static_cast<std::size_t>(n) + 1, 0.0);
    def_zelva z;
    z.xField = xs.data();
    z.yField = ys.data();
    z.anzahl = n;
    z.spline(y2.data());
    for (int32_t i = 0; i < nG; ++i) aus[i] = z.helpsplint(gitter[i], y2.data());
}

void WertGrenzen(const double* y, int32_t n, double* unten, double* oben)
{
    double m = n > 0 ? y[0] : 0.0, M = m;
    for (int32_t i = 1; i < n; ++i) {
        m = std::min(m, y[i]);
        M = std::max(M, y[i]);
    }
    *oben = M > 0.0 ? M * 1.2 : M * 0.8;
    *unten = m > 0.0 ? m * 0.8 : m * 1.2;
}

bool SchneideGitter(const double* gitter, int32_t n, const double* von, const double* bis,
                    int32_t dateien, int32_t* erster, int32_t* letzter, int32_t begrenzer[2])
{
    begrenzer[0] = begrenzer[1] = -1;
    if (n < 1 || dateien < 1) return false;
    // The tightest start and end decide; their files are named.
    int32_t du = 0, dob = 0;
    for (int32_t d = 1; d < dateien; ++d) {
        if (von[d] > von[du]) du = d;
        if (bis[d] < bis[dob]) dob = d;
    }
    const double unten = von[du] - 1e-9 * std::fabs(von[du]);
    const double oben = bis[dob] + 1e-9 * std::fabs(bis[dob]);
    int32_t a = 0, b = n - 1;
    while (a <= b && gitter[a] < unten) ++a;
    while (b >= a && gitter[b] > oben) --b;
    if (a > 0) begrenzer[0] = du;
    if (b < n - 1) begrenzer[1] = dob;
    *erster = a;
    *letzter = b;
    return a <= b;
}

int32_t BaueSerie(const std::vector<SerienKurve>& kurven, SerienGitter* aus)
{
    *aus = SerienGitter{};
    if (kurven.empty()) return 0;
    std::vector<double> von, bis;
    for (const SerienKurve& k : kurven) {
        if (k.x.size() < 2 || k.y.size() < k.x.size()) return 0;
        von.push_back(k.x.front());
        bis.push_back(k.x.back());
    }
    const SerienKurve& erste = kurven[0];
    int32_t a = 0, b = 0, begrenzer[2];
    if (!SchneideGitter(erste.x.data(), static_cast<int32_t>(erste.x.size()), von.data(),
                        bis.data(), static_cast<int32_t>(kurven.size()), &a, &b, begrenzer))
        return 0;
    const int32_t nG = b - a + 1;
    aus->x.assign(erste.x.begin() + a, erste.x.begin() + b + 1);
    if (begrenzer[0] >= 0 || begrenzer[1] >= 0) {
        char zeile[700];
        std::snprintf(zeile, sizeof zeile, "   - grid cut to %.8G to %.8G by %s%s%s\r\n",
                      aus->x.front(), aus->x.back(),
                      kurven[begrenzer[0] >= 0 ? begrenzer[0] : begrenzer[1]].Name.c_str(),
                      begrenzer[0] >= 0 && begrenzer[1] >= 0 && begrenzer[0] != begrenzer[1]
                          ? " and "
                          : "",
                      begrenzer[0] >= 0 && begrenzer[1] >= 0 && begrenzer[0] != begrenzer[1]
                          ? kurven[begrenzer[1]].Name.c_str()
                          : "");
        aus->Bericht = zeile;
    }
    aus->Mittel.assign(erste.y.begin() + a, erste.y.begin() + b + 1);
    aus->Spalten.push_back(aus->Mittel);
    std::vector<double> werte(static_cast<std::size_t>(nG));
    for (std::size_t d = 1; d < kurven.size(); ++d) {
        const SerienKurve& k = kurven[d];
        const int32_t n = static_cast<int32_t>(k.x.size());
        SplineAufGitter(k.x.data(), k.y.data(), n, aus->x.data(), nG, werte.data());
        double unten, oben;
        WertGrenzen(k.y.data(), n, &unten, &oben);
        std::vector<double> spalte(werte);
        for (int32_t i = 0; i < nG; ++i) {
            aus->Mittel[i] += werte[i];
            if (spalte[i] < unten || spalte[i] > oben) spalte[i] = 0.0;
        }
        aus->Spalten.push_back(std::move(spalte));
    }
    for (double& m : aus->Mittel) m /= static_cast<double>(kurven.size());
    return nG;
}

int32_t KantenLage(const double* x, const double* y, int32_t n, int32_t grad, bool wendepunkt,
                   bool bereich, double von, double bis, double* e0)
{
    if (n < 6) return 0;
    std::vector<double> xs(x, x + n), ys(y, y + n);
    std::vector<double> d1(static_cast<std::size_t>(n) + 5), d2(static_cast<std::size_t>(n) + 5);
    def_zelva z;
    z.xField = xs.data();
    z.yField = ys.data();
    z.anzahl = n;
    if (grad > 0) z.Smoothing(grad);
    const double h = xs[2] - xs[1];
    if (!(h > 0.0) || !z.FeldErsteAbleitung(d1.data(), h) || !z.FeldZweiteAbleitung(d2.data(), h))
        return 0;
    const std::vector<double>& kandidatFeld = wendepunkt ? d1 : d2;
    if (!bereich) {
        int32_t beste = 0;
        for (int32_t i = 1; i <= n - 4; ++i) {
            if (wendepunkt ? kandidatFeld[i] > kandidatFeld[beste]
                           : kandidatFeld[i] < kandidatFeld[beste])
                beste = i;
        }
        // A reference without a rise (or without a white line) has no edge.
        if (wendepunkt ? !(kandidatFeld[beste] > 0.0) : !(kandidatFeld[beste] < 0.0)) return 0;
        von = xs[beste] - 0.003;
        bis = xs[beste] + 0.003;
    }
    std::vector<double> null = wendepunkt ? d2 : d1;
    z.yField = null.data();
    double wurzel = 0.0;
    if (!z.BrentNullstelle(von, bis, 1e-10, wurzel, 0, 1)) return 0;
    *e0 = wurzel;
    return 1;
}

int32_t SerieAusKurven(std::vector<SerienKurve>* kurven, const std::vector<SerienKurve>& referenzen,
                       const SerienKalibrierung& k, const std::string& ausgabe, SerienGitter* aus,
                       std::string* bericht, int32_t* datei)
{
    *datei = -1;
    std::string text = " Average Files / Create MC File from following files:\r\n\r\n   MC File Name:   " +
                       ausgabe + "\r\n";
    char zeile[800];
    for (std::size_t i = 0; i < kurven->size(); ++i) {
        SerienKurve& kurve = (*kurven)[i];
        double e0 = 0.0, delta = 0.0;
        if (k.An) {
            const SerienKurve* r = i < referenzen.size() ? &referenzen[i] : nullptr;
            const int32_t n = r ? static_cast<int32_t>(std::min(r->x.size(), r->y.size())) : 0;
            *datei = static_cast<int32_t>(i);
            if (!GlaettungsGradGueltig(k.Grad, n)) return SERIE_GRAD;
            if (!KantenLage(r->x.data(), r->y.data(), n, k.Grad, k.Wendepunkt, k.Bereich, k.Von, k.Bis, &e0))
                return SERIE_KEINE_KANTE;
            *datei = -1;
            delta = k.Kante - e0;
            for (double& x : kurve.x) x += delta;
        } else {
            text += "\r\n";
        }
        const std::size_t n = kurve.x.size();
        std::snprintf(zeile, sizeof zeile, " %d. file:  %12s\r\n   -  #%4d, %.5E to %.5E\r\n",
                      static_cast<int>(i + 1), kurve.Name.c_str(), static_cast<int>(n),
                      n ? kurve.x.front() : 0.0, n ? kurve.x.back() : 0.0);
        text += zeile;
        if (k.An) {
            std::snprintf(zeile, sizeof zeile, "   - Calib: E(0)= %.8G, delta[eV]= %.5G\r\n\r\n", e0,
                          delta * 1000.0);
            text += zeile;
        }
    }
    if (BaueSerie(*kurven, aus) < 1) return SERIE_KEIN_GITTER;
    text += aus->Bericht;
    *bericht = text;
    return SERIE_OK;
}

std::string SerienAuftragText(const std::string& ausgabe, const std::vector<std::string>& pfade)
{
    std::string t = ausgabe + "|";
    for (const std::string& p : pfade) t += p + "|";
    return t;
}

bool SerienAuftragLesen(const std::string& text, std::string* ausgabe, std::vector<std::string>* pfade)
{
    std::vector<std::string> teile;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t ende = text.find('|', pos);
        if (ende == std::string::npos) {
            // A last field without its "|" (a line end cut off) still counts.
            teile.push_back(text.substr(pos));
            break;
        }
        teile.push_back(text.substr(pos, ende - pos));
        pos = ende + 1;
    }
    if (teile.size() < 2) return false;
    *ausgabe = teile[0];
    pfade->clear();
    for (std::size_t i = 1; i < teile.size(); ++i)
        if (!teile[i].empty()) pfade->push_back(teile[i]);
    return !pfade->empty();
}

std::string McTextKopf(const char* zeit, const char* datei)
{
    return std::string("# created: ") + zeit + "\n#  from file: " + datei + "\n";
}

std::string McTextZeile(const double* werte, int32_t k)
{
    std::string zeile;
    zeile.reserve(static_cast<std::size_t>(k) * 14 + 1);
    for (int32_t i = 0; i < k; ++i) {
        char feld[64];
        std::snprintf(feld, sizeof feld, "%-14.6G", werte[i]);
        feld[13] = '\0';
        zeile += feld;
        zeile += ' ';
    }
    zeile += '\n';
    return zeile;
}

std::string BasisName(const std::string& name)
{
    std::size_t punkt = name.rfind('.');
    if (punkt == std::string::npos || punkt < DateiNamenStart(name)) return name;
    return name.substr(0, punkt);
}

std::string TeilDateiPfad(const std::string& ordner, const std::string& basis, int32_t j,
                          bool binaer)
{
    char nummer[32];
    std::snprintf(nummer, sizeof nummer, "_%03d%s", static_cast<int>(j), binaer ? ".dat" : ".x_y");
    std::string pfad = ordner;
    if (!pfad.empty() && pfad.back() != '\\' && pfad.back() != '/') pfad += '\\';
    return pfad + basis + nummer;
}

std::string AnhangName(const std::string& pfad, int32_t s)
{
    std::size_t punkt = pfad.rfind('.');
    std::string basis = (punkt == std::string::npos || punkt < DateiNamenStart(pfad))
                            ? pfad + "."
                            : pfad.substr(0, punkt + 1);
    return basis + "a" + std::to_string(s);
}

namespace {

int16_t Wort(const std::vector<uint8_t>& b, std::size_t at)
{
    return static_cast<int16_t>(static_cast<uint16_t>(b[at] | (b[at + 1] << 8)));
}

void SetzeWort(std::vector<uint8_t>& b, std::size_t at, int16_t w)
{
    b[at] = static_cast<uint8_t>(static_cast<uint16_t>(w) & 0xFF);
    b[at + 1] = static_cast<uint8_t>(static_cast<uint16_t>(w) >> 8);
}

void HaengeFloatAn(std::vector<uint8_t>& b, double v)
{
    float f = static_cast<float>(v);
    uint32_t u;
    std::memcpy(&u, &f, 4);
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(u >> (8 * i)));
}

double FloatAus(const std::vector<uint8_t>& b, std::size_t at)
{
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(b[at + i]) << (8 * i);
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}

bool LiesGanzeDatei(const char* pfad, std::vector<uint8_t>* daten)
{
    std::FILE* f = std::fopen(pfad, "rb");
    if (!f) return false;
    uint8_t puffer[65536];
    std::size_t gelesen;
    while ((gelesen = std::fread(puffer, 1, sizeof puffer, f)) > 0)
        daten->insert(daten->end(), puffer, puffer + gelesen);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool SchreibeGanzeDatei(const char* pfad, const std::vector<uint8_t>& daten)
{
    std::FILE* f = std::fopen(pfad, "wb");
    if (!f) return false;
    bool ok = daten.empty() || std::fwrite(daten.data(), 1, daten.size(), f) == daten.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) std::remove(pfad);
    return ok;
}

bool GleicherPfad(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b) {
        char ca = static_cast<char>(std::tolower(static_cast<unsigned char>(*a)));
        char cb = static_cast<char>(std::tolower(static_cast<unsigned char>(*b)));
        if ((ca == '/' ? '\\' : ca) != (cb == '/' ? '\\' : cb)) return false;
    }
    return *a == *b;
}

// Moves the finished temporary file onto ziel (a file of that name is
// replaced only now).
bool Ersetze(const std::string& temp, const char* ziel)
{
    std::remove(ziel);
    if (std::rename(temp.c_str(), ziel) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace

int32_t SpalteAnhaengen(const char* quelle, const char* ziel, const double* x, const double* y,
                        int32_t m, int32_t* spalten)
{
    std::vector<uint8_t> d;
    if (!LiesGanzeDatei(quelle, &d)) return ANHANG_FEHLER;
    if (d.size() < static_cast<std::size_t>(BINAER_DATEN_START) || Wort(d, 0) != BINAER_MAGIC_1 ||
        Wort(d, 2) != BINAER_MAGIC_2)
        return ANHANG_KEIN_BINAER;
    if (Wort(d, 4) != 0) return ANHANG_GANZZAHL;
    const int32_t n = Wort(d, 20);
    int32_t k = Wort(d, 22);
    const bool imaginaer = Wort(d, 24) != 0;
    if (imaginaer) --k;
    if (n < 1 || k < 1 || m < 2) return ANHANG_FEHLER;
    if (k + 1 > MAX_SPALTEN) return ANHANG_VOLL;
    const std::size_t spalteBytes = BINAER_BLOCK_BYTES + 4 * static_cast<std::size_t>(n);
    const std::size_t ende = BINAER_DATEN_START + spalteBytes * static_cast<std::size_t>(k);
    if (d.size() < ende) return ANHANG_FEHLER;

    std::vector<uint8_t> neu(d.begin(), d.begin() + static_cast<std::ptrdiff_t>(ende));
    SetzeWort(neu, 22, static_cast<int16_t>(k + 1));
    SetzeWort(neu, 24, 0);
    std::vector<double> gitter(static_cast<std::size_t>(n)), werte(static_cast<std::size_t>(n));
    for (int32_t i = 0; i < n; ++i)
        gitter[i] = FloatAus(d, BINAER_DATEN_START + BINAER_BLOCK_BYTES + 4 * static_cast<std::size_t>(i));
    bool gleich = m == n;
    for (int32_t i = 0; gleich && i < n; ++i)
        gleich = std::fabs(x[i] - gitter[i]) <= 1e-9 * std::max(std::fabs(gitter[i]), 1.0) ||
                 static_cast<float>(x[i]) == static_cast<float>(gitter[i]);
    if (gleich)
        std::copy(y, y + n, werte.begin());
    else
        SplineAufGitter(x, y, m, gitter.data(), n, werte.data());
    neu.insert(neu.end(), BINAER_BLOCK_BYTES, 0);
    for (double v : werte) HaengeFloatAn(neu, v);

    const std::string temp = std::string(ziel) + ".tmp~";
    if (!SchreibeGanzeDatei(temp.c_str(), neu)) return ANHANG_FEHLER;
    if (!Ersetze(temp, ziel)) return ANHANG_FEHLER;
    if (!GleicherPfad(quelle, ziel)) std::remove(quelle);
    if (spalten) *spalten = k + 1;
    return ANHANG_OK;
}

bool SchreibeMcDatei(const char* pfad, const std::vector<std::vector<double>>& spalten,
                     const double koeffizienten[3], const char* name,
                     const std::vector<std::vector<int16_t>>* bloecke)
{
    if (spalten.size() < 2) return false;
    const std::size_t n = spalten[0].size();
    for (const auto& s : spalten)
        if (s.size() != n) return false;
    const std::string temp = std::string(pfad) + ".tmp~";
    BinaerAuftrag a;
    a.Spalten = static_cast<int32_t>(spalten.size());
    a.Punkte = static_cast<int32_t>(n);
    a.Name = name ? name : "";
    for (int i = 0; i < 3; ++i) a.Koeffizienten[i] = koeffizienten ? koeffizienten[i] : 0.0;
    a.Teil = 1;
    a.y = spalten[1].data();
    bool ok = SchreibeBinaerSpektrum(temp.c_str(), a) == SPEKTRUM_OK;
    for (std::size_t s = 1; ok && s < spalten.size(); ++s) {
        a.Anhaengen = 100;
        a.Teil = s == 1 ? 0 : 10;
        a.x = spalten[0].data();
        a.y = spalten[s].data();
        a.Block = bloecke && bloecke->size() > s - 1 && (*bloecke)[s - 1].size() >= BINAER_BLOCK_WORTE
                      ? (*bloecke)[s - 1].data()
                      : nullptr;
        ok = SchreibeBinaerSpektrum(temp.c_str(), a) == SPEKTRUM_OK;
    }
    if (!ok) {
        std::remove(temp.c_str());
        return false;
    }
    return Ersetze(temp, pfad);
}

double I0Interpoliert(double i01, double i02, double dunkel, int32_t j, int32_t c1, int32_t c2)
{
    const double anteil = c2 != c1 ? static_cast<double>(j - c1) / static_cast<double>(c2 - c1) : 0.0;
    return (i01 - dunkel) + (i02 - i01) * anteil;
}

int32_t MittleSpaltenWerte(const std::vector<const double*>& spalten,
                           const std::vector<int32_t>& nummern, int32_t n, bool dxas,
                           const double* i01, const double* dunkel, const double* i02,
                           int32_t c1, int32_t c2, double* aus)
{
    const std::size_t c = std::min(spalten.size(), nummern.size());
    if (c == 0 || n < 1 || (dxas && (!i01 || !dunkel || !i02))) return 0;
    std::vector<double> summe(static_cast<std::size_t>(n), 0.0);
    for (std::size_t s = 0; s < c; ++s) {
        const double* r = spalten[s];
        for (int32_t i = 0; i < n; ++i) {
            double v = r[i];
            if (dxas) {
                const double d = r[i] - dunkel[i];
                const double verhaeltnis =
                    d != 0.0 ? I0Interpoliert(i01[i], i02[i], dunkel[i], nummern[s], c1, c2) / d : -1.0;
                v = verhaeltnis > 0.0 ? std::log(verhaeltnis) : 0.0;
            }
            summe[i] += v;
        }
    }
    for (int32_t i = 0; i < n; ++i) aus[i] = summe[i] / static_cast<double>(c);
    return static_cast<int32_t>(c);
}

int32_t KopfWertNummer(const char* text)
{
    if (!text) return -1;
    char puffer[41] = {};
    std::strncpy(puffer, text, 40);
    char* ende = nullptr;
    long v = std::strtol(puffer, &ende, 10);
    if (ende == puffer) return -1;
    while (*ende == ' ') ++ende;
    if (*ende != '\0') return -1;
    return v >= 1 && v <= 20 ? static_cast<int32_t>(v - 1) : -1;
}

const char* KopfWertText(int32_t k)
{
    if (k == 1) return "time [s]";
    if (k == 2) return "temperature [~oC]";
    return "intensity [a.u.]";
}

int32_t FolienName(const char* text, std::string* name)
{
    if (!text || !*text) return 0;
    std::string s(text);
    if (s.find(',') != std::string::npos) return -1;
    *name = s.substr(0, FOLIEN_NAME_MAX);
    return 1;
}
