// FEFF path records: files.dat rows, path files, paths.dat and the loader.
#include "xas/feff_path.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <string_view>

#include "xas/data_lines.h"
#include "xas/mcmaster.h"
#include "zelva.h"

FeffPfad FeffPfade[FEFF_PFADE];
double* FeffKGitter = nullptr;
int32_t FeffKPunkte = 0;

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double AVOGADRO = 6.02204531e23;

std::vector<double> kGitter;          // storage of FeffKGitter
std::vector<std::string> gemeldet;    // folders whose missing paths.dat was reported

const char* const PATHS_DAT_TEXT =
    "   File 'paths.dat' not found under current directory.\r\n"
    " Please copy 'paths.dat' in same directory as 'files.dat'\r\n"
    "      No multiple scattering information available!";

// A header line of a path file without its leading blanks and "#".
std::string_view Kopfzeile(std::string_view z)
{
    std::size_t i = 0;
    while (i < z.size() && (z[i] == ' ' || z[i] == '\t' || z[i] == '#')) ++i;
    return z.substr(i);
}

bool Ganzzahl(double v, double min, double max, int32_t* aus)
{
    if (v != std::floor(v) || v < min || v > max) return false;
    *aus = static_cast<int32_t>(v);
    return true;
}

// Copies text into a fixed field, cut to fit, always terminated.
void Kopiere(char* ziel, std::size_t groesse, const std::string& text)
{
    const std::size_t n = std::min(text.size(), groesse - 1);
    std::memcpy(ziel, text.data(), n);
    std::memset(ziel + n, 0, groesse - n);
}

std::string Feld(const char* feld, std::size_t groesse)
{
    return std::string(feld, strnlen(feld, groesse));
}

// Folder of a file name, with its separator ("" when it has none).
std::string Ordner(const std::string& pfad)
{
    const std::size_t i = pfad.find_last_of("\\/");
    return i == std::string::npos ? std::string() : pfad.substr(0, i + 1);
}

double Betrag(double x, double y, double z) { return std::sqrt(x * x + y * y + z * z); }

// Angle in degrees between two vectors; 0 when one has no length.
double Winkel(const double* a, const double* b)
{
    const double la = Betrag(a[0], a[1], a[2]), lb = Betrag(b[0], b[1], b[2]);
    if (la == 0.0 || lb == 0.0) return 0.0;
    double c = (a[0] * b[0] + a[1] * b[1] + a[2] * b[2]) / (la * lb);
    c = std::max(-1.0, std::min(1.0, c));
    return std::acos(c) * 180.0 / PI;
}

}  // namespace

void FeffPfadFreigeben(FeffPfad* satz)
{
    for (double*& t : satz->Pfadtabellen) {
        delete[] t;
        t = nullptr;
    }
    std::memset(static_cast<void*>(satz), 0, sizeof *satz);
}

double ClusterAbstand(const FeffPfad& s, const double c[3])
{
    const int32_t n = s.Beine;
    if (n < 2 || n > FEFF_MAX_BEINE) return s.Reff;
    // Legs absorber - A1 - ... - A(n-1) - absorber; the absorber sits at
    // slot n - 1, scatterer k at slot k - 1.
    double gestreckt = 0.0, ungestreckt = 0.0;
    for (int32_t j = 1; j <= n; ++j) {
        const int32_t a = j - 1 == 0 ? n - 1 : j - 2;
        const int32_t b = j == n ? n - 1 : j - 1;
        const double d[3] = {s.AtomX[b] - s.AtomX[a], s.AtomY[b] - s.AtomY[a], s.AtomZ[b] - s.AtomZ[a]};
        double g = 0.0, u = 0.0;
        for (int32_t t = 0; t < 3; ++t) {
            const double e = d[t] * (1.0 + c[t]);
            g += e * e;
            u += d[t] * d[t];
        }
        gestreckt += std::sqrt(g);
        ungestreckt += std::sqrt(u);
    }
    // A record without positions keeps its effective length.
    if (!(ungestreckt > 0.0)) return s.Reff;
    return s.Reff * (gestreckt / ungestreckt);
}

void FeffPfadeLeeren()
{
    for (FeffPfad& s : FeffPfade) FeffPfadFreigeben(&s);
    kGitter.clear();
    kGitter.shrink_to_fit();
    FeffKGitter = nullptr;
    FeffKPunkte = 0;
    gemeldet.clear();
}

void FeffMeldungenZuruecksetzen() { gemeldet.clear(); }

bool FeffDateiname(int32_t pfadnummer, char* name, std::size_t groesse)
{
    if (pfadnummer < 1 || pfadnummer > 9999) return false;
    const int n = std::snprintf(name, groesse, "feff%04d.dat", static_cast<int>(pfadnummer));
    return n > 0 && static_cast<std::size_t>(n) < groesse;
}

int32_t FeffPfadnummer(const std::string& name)
{
    if (name.size() < 9 || name.compare(0, 4, "feff") != 0 ||
        name.compare(name.size() - 4, 4, ".dat") != 0)
        return -1;
    const std::string ziffern = name.substr(4, name.size() - 8);
    if (ziffern.size() > 6) return -1;
    int32_t n = 0;
    for (char c : ziffern) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n >= 1 && n <= 9999 ? n : -1;
}

bool LeseFilesDatZeile(const std::string& zeile, FilesDatZeile* aus)
{
    WortLeser w(zeile);
    std::string_view name;
    if (!w.Wort(&name)) return false;
    FilesDatZeile z;
    z.Name = std::string(name);
    z.Pfadnummer = FeffPfadnummer(z.Name);
    double beine = 0.0;
    if (z.Pfadnummer < 1 || !w.Zahl(&z.Sigma2) || !w.Zahl(&z.Verhaeltnis) || !w.Zahl(&z.Entartung) ||
        !w.Zahl(&beine) || !w.Zahl(&z.Reff) || !Ganzzahl(beine, 1.0, 1000.0, &z.Beine))
        return false;
    z.Text = zeile;
    *aus = std::move(z);
    return true;
}

int32_t FilterFilesDat(const char* text, std::size_t laenge, int32_t modus, double minVerhaeltnis,
                       int32_t maxBeine, const std::vector<int32_t>& gewaehlt, FilesDatListe* aus)
{
    *aus = FilesDatListe();
    ZeilenLeser zeilen(text, laenge);
    std::string_view z;
    if (!zeilen.Naechste(&z)) return -1;
    aus->Titel = std::string(z.substr(0, 90));
    FilesDatZeile zeile;
    bool gefunden = false;
    while (zeilen.Naechste(&z))
        if ((gefunden = LeseFilesDatZeile(std::string(z), &zeile))) break;
    if (!gefunden) return -1;
    do {
        const bool gewaehltJa = modus > 0 && std::find(gewaehlt.begin(), gewaehlt.end(),
                                                       zeile.Pfadnummer) != gewaehlt.end();
        const bool filter = zeile.Verhaeltnis >= minVerhaeltnis && zeile.Beine <= maxBeine;
        if (filter || (modus == 1 && zeile.Beine == 2) || gewaehltJa) {
            aus->Zeilen.push_back(zeile);
            aus->Gewaehlt.push_back(gewaehltJa);
        }
    } while (static_cast<int32_t>(aus->Zeilen.size()) < FILES_DAT_MAX_ZEILEN && zeilen.Naechste(&z) &&
             LeseFilesDatZeile(std::string(z), &zeile));
    return 1;
}

int32_t LesePfadDatei(const char* text, std::size_t laenge, FeffPfadDatei* aus)
{
    *aus = FeffPfadDatei();
    ZeilenLeser zeilen(text, laenge);
    std::string_view z;
    zeilen.Naechste(&z);  // title
    auto bisZeile = [&](const char* a, const char* b) {
        while (zeilen.Naechste(&z))
            if (Enthaelt(z, a) && Enthaelt(z, b)) return true;
        return false;
    };
    if (!bisZeile("Vint", "Rs_int") || !bisZeile("reff", "rnrmav")) return FEFF_PFADDATEI_FALSCH;
    {
        WortLeser w(Kopfzeile(z));
        double nleg = 0.0, deg = 0.0, reff = 0.0;
        if (!w.Zahl(&nleg) || !w.Zahl(&deg) || !w.Zahl(&reff) || !w.Zahl(&aus->Rnrmav) ||
            !Ganzzahl(nleg, 2.0, 1e6, &aus->Beine))
            return FEFF_PFADDATEI_FALSCH;
        if (aus->Beine > FEFF_MAX_BEINE) return FEFF_ZU_VIELE_BEINE;
    }
    if (!bisZeile("pot", "at#")) return FEFF_PFADDATEI_FALSCH;
    bool tabelle = false;
    while (zeilen.Naechste(&z)) {
        if (Enthaelt(z, "real[2*phc]") && Enthaelt(z, "mag[feff]")) {
            tabelle = true;
            break;
        }
        const std::string_view k = Kopfzeile(z);
        if (k.empty()) continue;
        WortLeser w(k);
        FeffPfadDatei::Atom a;
        double pot = 0.0, z0 = 0.0;
        std::string_view symbol;
        if (!w.Zahl(&a.x) || !w.Zahl(&a.y) || !w.Zahl(&a.z) || !w.Zahl(&pot) || !w.Zahl(&z0) ||
            !w.Wort(&symbol) || !Ganzzahl(pot, 0.0, 32767.0, &a.Potential) ||
            !Ganzzahl(z0, 0.0, 32767.0, &a.Ordnungszahl))
            return FEFF_PFADDATEI_FALSCH;
        a.Symbol = std::string(symbol.substr(0, 3));
        aus->Atome.push_back(a);
        if (static_cast<int32_t>(aus->Atome.size()) > aus->Beine) return FEFF_PFADDATEI_FALSCH;
    }
    if (!tabelle || static_cast<int32_t>(aus->Atome.size()) != aus->Beine) return FEFF_PFADDATEI_FALSCH;
    while (zeilen.Naechste(&z)) {
        WortLeser w(z);
        double v[7];
        int32_t n = 0;
        while (n < 7 && w.Zahl(&v[n])) ++n;
        if (n < 7 || !w.Rest().empty()) break;
        if (!aus->Spalten[0].empty() && !(v[0] > aus->Spalten[0].back())) return FEFF_PFADDATEI_FALSCH;
        for (int32_t i = 0; i < 7; ++i) aus->Spalten[i].push_back(v[i]);
    }
    if (aus->Spalten[0].size() < 2) return FEFF_PFADDATEI_FALSCH;
    return 0;
}

bool LesePathsDat(const char* text, std::size_t laenge, int32_t pfadnummer, int32_t beine,
                  FeffGeometrie* aus)
{
    *aus = FeffGeometrie();
    ZeilenLeser zeilen(text, laenge);
    std::string_view z;
    bool gefunden = false;
    while (!gefunden && zeilen.Naechste(&z)) {
        if (!Enthaelt(z, "nleg") || !Enthaelt(z, "degeneracy")) continue;
        WortLeser w(z);
        double nummer = 0.0;
        gefunden = w.Zahl(&nummer) && nummer == pfadnummer;
    }
    if (!gefunden || !zeilen.Naechste(&z)) return false;  // column titles
    for (int32_t j = 0; j < beine; ++j) {
        if (!zeilen.Naechste(&z)) return false;
        WortLeser w(z);
        double x, y, zz, ipot, rleg, beta;
        if (!w.Zahl(&x) || !w.Zahl(&y) || !w.Zahl(&zz) || !w.Zahl(&ipot)) return false;
        // The label, quoted with blanks inside ('Cu    ') or a single word.
        std::string_view rest = w.Rest();
        std::size_t ende;
        if (!rest.empty() && rest[0] == '\'') {
            ende = rest.find('\'', 1);
            if (ende == std::string_view::npos) return false;
            ++ende;
        } else {
            ende = rest.find_first_of(" \t");
            if (ende == std::string_view::npos) return false;
        }
        WortLeser w2(rest.substr(ende));
        if (!w2.Zahl(&rleg) || !w2.Zahl(&beta)) return false;
        aus->x.push_back(x);
        aus->y.push_back(y);
        aus->z.push_back(zz);
        aus->Beta.push_back(beta);
    }
    return true;
}

void FeffAmplitudePhase(const FeffPfadDatei& datei, std::vector<double>* amplitude,
                        std::vector<double>* phase)
{
    const std::vector<double>* s = datei.Spalten;
    const std::size_t n = s[0].size();
    amplitude->resize(n);
    phase->resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        (*phase)[i] = s[3][i] + s[1][i];
        (*amplitude)[i] = s[2][i] * s[4][i];
    }
    for (std::size_t i = 1; i < n; ++i) {
        const double p = (*phase)[i - 1];
        const double d = (*phase)[i] - p;
        const double m = std::floor((std::fabs(d) + PI) / (2.0 * PI));
        const double c0 = d, c1 = d - 2.0 * PI * m, c2 = d + 2.0 * PI * m;
        const double mn = std::min(std::fabs(c0), std::min(std::fabs(c1), std::fabs(c2)));
        const double schritt = std::fabs(c2) - mn <= 0.01 ? c2 : std::fabs(c1) - mn <= 0.01 ? c1 : c0;
        (*phase)[i] = p + schritt;
    }
    for (std::size_t i = 0; i + 2 < n; ++i)
        if (s[0][i] > -0.01 && s[0][i] < 0.01) {
            (*amplitude)[i] = 2.0 * (*amplitude)[i + 1] - (*amplitude)[i + 2];
            break;
        }
}

namespace {

// Atomic weight of atomic number z from the McMaster table; 0 unknown.
double Atomgewicht(const double* mcmaster, int32_t z)
{
    if (!mcmaster || z < 1 || z > MCMASTER_ELEMENTE) return 0.0;
    double kanten[9], werte[11], ausbeuten[4];
    char symbol[] = "C";
    if (McMasterCalc(mcmaster, symbol, 0.0, kanten, werte, ausbeuten, 'C', z - 1) >= 0) return 0.0;
    return werte[6];
}

// Interpolates y over x (n points) onto the grid with the numerics
// object's natural spline; the object's curve is restored afterwards.
void Interpoliere(def_zelva& numerik, std::vector<double>& x, std::vector<double> y,
                  std::vector<double>& gitter, double* ziel)
{
    double* altX = numerik.GetXField();
    double* altY = numerik.GetYField();
    const int32_t altN = numerik.GetAnzahl();
    numerik.SetField(x.data(), y.data());
    numerik.SetAnzahl(static_cast<int32_t>(x.size()), -1, -1);
    numerik.Splint(static_cast<int32_t>(gitter.size()), gitter.data(), ziel);
    numerik.SetField(altX, altY);
    numerik.SetAnzahl(altN, -1, -1);
}

// Fills the geometry slots from positions in path order (scatterers, then
// the absorber): positions, distances, scattering angles, triangle angle.
void SetzeGeometrie(FeffPfad* s, int32_t n, const FeffGeometrie& g, bool mitBeta)
{
    for (int32_t j = 0; j < n; ++j) {
        s->AtomX[j] = g.x[j];
        s->AtomY[j] = g.y[j];
        s->AtomZ[j] = g.z[j];
    }
    s->AtomX[n] = s->AtomX[n - 1];
    s->AtomY[n] = s->AtomY[n - 1];
    s->AtomZ[n] = s->AtomZ[n - 1];
    for (int32_t j = 0; j < n && j <= 4; ++j) {
        s->AtomAbstaende[j] = Betrag(s->AtomX[j], s->AtomY[j], s->AtomZ[j]);
        if (mitBeta) {
            s->StreuWinkel[j] = g.Beta[j];
        } else {
            const int32_t vor = (j + n - 1) % n, nach = (j + 1) % n;
            const double ein[3] = {s->AtomX[j] - s->AtomX[vor], s->AtomY[j] - s->AtomY[vor],
                                   s->AtomZ[j] - s->AtomZ[vor]};
            const double aus[3] = {s->AtomX[nach] - s->AtomX[j], s->AtomY[nach] - s->AtomY[j],
                                   s->AtomZ[nach] - s->AtomZ[j]};
            s->StreuWinkel[j] = Winkel(ein, aus);
        }
    }
    s->AbsorberWinkel = n == 3 ? std::fabs(s->StreuWinkel[1] + s->StreuWinkel[0] - 180.0) : 0.0;
}

}  // namespace

int32_t LadeFeffPfad(int32_t modus, FeffPfad* satz, int32_t punkte, const double* gitter,
                     const FeffUmgebung& umgebung)
{
    char name[32];
    if (!FeffDateiname(satz->Pfadnummer, name, sizeof name)) return FEFF_OHNE_PFAD;
    const std::string filesDat = Feld(satz->FilesDatPfad, sizeof satz->FilesDatPfad);
    const std::string ordner = Ordner(filesDat);

    // files.dat: the header, then the row of this path.
    std::string text;
    if (!LeseTextDatei(filesDat, &text)) return FEFF_OHNE_FILES_DAT;
    ZeilenLeser zeilen(text.data(), text.size());
    std::string_view z;
    bool kopf = false;
    while (!kopf && zeilen.Naechste(&z)) kopf = Enthaelt(z, "file") && Enthaelt(z, "sig2");
    if (!kopf) return FEFF_FILES_DAT_FALSCH;
    FilesDatZeile zeile;
    bool gelistet = false;
    while (!gelistet && zeilen.Naechste(&z))
        gelistet = LeseFilesDatZeile(std::string(z), &zeile) && zeile.Name == name;
    if (!gelistet) return FEFF_OHNE_PFAD;
    if (zeile.Beine > FEFF_MAX_BEINE) return FEFF_ZU_VIELE_BEINE;

    if (!LeseTextDatei(ordner + name, &text)) return FEFF_OHNE_PFAD;
    auto zeileSpeichern = [&]() {
        satz->Entartung = zeile.Entartung;
        satz->Reff = zeile.Reff;
        satz->Sigma2 = zeile.Sigma2;
        satz->AmplitudenVerhaeltnis = zeile.Verhaeltnis;
        Kopiere(satz->Dateiname, sizeof satz->Dateiname, name);
    };
    if (modus < 0) {
        zeileSpeichern();
        return 0;
    }
    FeffPfadDatei datei;
    const int32_t code = LesePfadDatei(text.data(), text.size(), &datei);
    if (code != 0) return code;
    const int32_t n = datei.Beine;
    const int32_t zeilenAnzahl = static_cast<int32_t>(datei.Spalten[0].size());

    // Tables on the file's k points, then onto the grid.
    std::vector<double> amplitude, phase;
    FeffAmplitudePhase(datei, &amplitude, &phase);
    std::vector<double> k = datei.Spalten[0];
    const bool mitGitter = gitter && punkte >= 1 && umgebung.Numerik;
    std::vector<double> g;
    if (mitGitter) g.assign(gitter, gitter + punkte);
    const int32_t laenge = std::max(zeilenAnzahl, mitGitter ? punkte : 0);
    double* neu[FEFF_TABELLEN] = {};
    for (int32_t t = 0; t < FEFF_TABELLEN; ++t) {
        if (satz->Pfadtabellen[t] && satz->TabellenSpeicher[t] >= laenge) continue;
        neu[t] = new (std::nothrow) double[laenge]();
        if (!neu[t]) {
            for (double* p : neu) delete[] p;
            return FEFF_OHNE_SPEICHER;
        }
    }
    auto tabelle = [&](int32_t t) { return neu[t] ? neu[t] : satz->Pfadtabellen[t]; };
    const std::vector<double>* quelle[FEFF_TABELLEN] = {&amplitude, &phase, &datei.Spalten[5],
                                                        &datei.Spalten[4], &datei.Spalten[1],
                                                        &datei.Spalten[6]};
    for (int32_t t = 0; t < FEFF_TABELLEN; ++t) {
        double* ziel = tabelle(t);
        std::fill(ziel, ziel + laenge, 0.0);
        if (mitGitter && t != FEFF_REDUKTION && t != FEFF_ZENTRALPHASE)
            Interpoliere(*umgebung.Numerik, k, *quelle[t], g, ziel);
        else
            std::copy(quelle[t]->begin(), quelle[t]->end(), ziel);
    }

    // Geometry: from the path file, then from paths.dat when it has the path.
    FeffGeometrie geo;
    for (int32_t j = 1; j <= n; ++j) {
        const FeffPfadDatei::Atom& a = datei.Atome[j % n];
        geo.x.push_back(a.x);
        geo.y.push_back(a.y);
        geo.z.push_back(a.z);
    }
    FeffGeometrie ausPaths;
    bool pathsDa = LeseTextDatei(ordner + "paths.dat", &text) || LeseTextDatei(ordner + "path00.dat", &text);
    const bool geometrie = pathsDa && LesePathsDat(text.data(), text.size(), satz->Pfadnummer, n, &ausPaths);
    if (!pathsDa && umgebung.Meldung &&
        std::find(gemeldet.begin(), gemeldet.end(), ordner) == gemeldet.end()) {
        gemeldet.push_back(ordner);
        umgebung.Meldung(PATHS_DAT_TEXT, "Error!");
    }

    // Commit.
    zeileSpeichern();
    satz->Beine = n;
    satz->Rnrmav = datei.Rnrmav;
    double summe = 0.0;
    for (int32_t j = 0; j < FEFF_ATOME; ++j) {
        satz->Potentiale[j] = 0;
        satz->Ordnungszahlen[j] = 0;
        satz->AtomGewichte[j] = 0.0;
        std::memset(satz->AtomSymbole[j], 0, sizeof satz->AtomSymbole[j]);
        satz->AtomX[j] = satz->AtomY[j] = satz->AtomZ[j] = 0.0;
        satz->AtomAbstaende[j] = 0.0;
        if (j < 9) satz->StreuWinkel[j] = 0.0;
    }
    for (int32_t j = 0; j < n; ++j) {
        const FeffPfadDatei::Atom& a = datei.Atome[j];
        satz->Potentiale[j] = static_cast<int16_t>(a.Potential);
        satz->Ordnungszahlen[j] = static_cast<int16_t>(a.Ordnungszahl);
        Kopiere(satz->AtomSymbole[j], sizeof satz->AtomSymbole[j], a.Symbol);
        satz->AtomGewichte[j] = Atomgewicht(umgebung.McMaster, a.Ordnungszahl);
        if (satz->AtomGewichte[j] > 0.0) summe += AVOGADRO / satz->AtomGewichte[j];
    }
    satz->AtomGewichte[n] = satz->AtomGewichte[0];
    satz->ReduzierteMasse = summe > 0.0 ? 0.001 / summe : 0.0;
    SetzeGeometrie(satz, n, geometrie ? ausPaths : geo, geometrie);
    for (int32_t t = 0; t < FEFF_TABELLEN; ++t) {
        if (!neu[t]) continue;
        delete[] satz->Pfadtabellen[t];
        satz->Pfadtabellen[t] = neu[t];
        satz->TabellenSpeicher[t] = laenge;
    }
    if (mitGitter) {
        kGitter = g;
        FeffKGitter = kGitter.data();
        FeffKPunkte = punkte;
    }
    return zeilenAnzahl;
}
