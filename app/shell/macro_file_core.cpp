#include "shell/macro_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <sstream>

#include "fit/fit_model.h"

namespace {

// A text tail goes into CommandText2 with its line feed and a NUL.
const size_t TEXT_MAX = MAKRO_TEXT_KAPAZITAET - 2;
const size_t TEXT3_MAX = MAKRO_TEXT3_KAPAZITAET - 1;
const size_t FEFF_TEXT_MAX = MAKRO_FEFF_TEXT_KAPAZITAET - 1;

// Runtimes differ in the exponent's width ("1E-005" against "1E-05"); the
// file always gets the C standard's two digits, the reader takes either.
std::string ExponentKuerzen(const char* roh)
{
    std::string s(roh);
    size_t e = s.find_first_of("Ee");
    if (e == std::string::npos || e + 1 >= s.size()) return s;
    size_t z = e + 1;
    if (s[z] == '+' || s[z] == '-') ++z;
    while (s.size() - z > 2 && s[z] == '0') s.erase(z, 1);
    return s;
}

std::string Ganz(int32_t v) { return std::to_string(v); }

bool HatZeilenende(const std::string& t) { return t.find_first_of("\r\n") != std::string::npos; }

std::string Beschnitten(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return std::string();
    size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

// Splits at commas and trims blanks. One empty field after a final comma is
// dropped (the 837 line ends with ", "); an empty line has no fields.
std::vector<std::string> Felder(const std::string& zeile)
{
    std::vector<std::string> f;
    if (Beschnitten(zeile).empty()) return f;
    size_t a = 0;
    for (;;) {
        size_t k = zeile.find(',', a);
        f.push_back(Beschnitten(zeile.substr(a, k == std::string::npos ? std::string::npos : k - a)));
        if (k == std::string::npos) break;
        a = k + 1;
    }
    if (f.size() > 1 && f.back().empty()) f.pop_back();
    return f;
}

bool GanzeZahl(const std::string& f, int32_t& v)
{
    if (f.empty()) return false;
    size_t i = (f[0] == '-' || f[0] == '+') ? 1 : 0;
    if (i >= f.size()) return false;
    for (size_t k = i; k < f.size(); ++k)
        if (f[k] < '0' || f[k] > '9') return false;
    errno = 0;
    char* ende = nullptr;
    long long w = std::strtoll(f.c_str(), &ende, 10);
    if (errno == ERANGE || w < INT32_MIN || w > INT32_MAX) return false;
    v = static_cast<int32_t>(w);
    return true;
}

bool Gleitzahl(const std::string& f, double& v)
{
    if (f.empty()) return false;
    char* ende = nullptr;
    double w = std::strtod(f.c_str(), &ende);
    if (ende == f.c_str() || *ende != '\0') return false;
    v = w;  // overflow gives +-HUGE_VAL, as the runtime's own reading did
    return true;
}

int32_t GanzeListe(const std::string& zeile, size_t max, std::vector<int32_t>& aus)
{
    std::vector<std::string> f = Felder(zeile);
    if (f.size() > max) return MAKRO_ZU_GROSS;
    aus.resize(f.size());
    for (size_t i = 0; i < f.size(); ++i)
        if (!GanzeZahl(f[i], aus[i])) return MAKRO_UNGUELTIG;
    return MAKRO_SATZ;
}

int32_t ZahlenListe(const std::string& zeile, size_t max, std::vector<double>& aus)
{
    std::vector<std::string> f = Felder(zeile);
    if (f.size() > max) return MAKRO_ZU_GROSS;
    aus.resize(f.size());
    for (size_t i = 0; i < f.size(); ++i)
        if (!Gleitzahl(f[i], aus[i])) return MAKRO_UNGUELTIG;
    return MAKRO_SATZ;
}

int32_t EinzelZahl(const std::string& zeile, int32_t& v)
{
    return GanzeZahl(Beschnitten(zeile), v) ? MAKRO_SATZ : MAKRO_UNGUELTIG;
}

template <typename T>
std::string Liste(const std::vector<T>& v, std::string (*fmt)(T), const char* trenner)
{
    std::string z;
    for (size_t i = 0; i < v.size(); ++i) {
        if (i) z += trenner;
        z += fmt(v[i]);
    }
    return z;
}

bool ImBereich(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }

}  // namespace

std::string MakroZahl8G(double v)
{
    char b[64];
    std::snprintf(b, sizeof b, "%.8G", v);
    return ExponentKuerzen(b);
}

std::string MakroZahlG(double v)
{
    char b[64];
    std::snprintf(b, sizeof b, "%G", v);
    return ExponentKuerzen(b);
}

bool MakroFeffTeil::operator==(const MakroFeffTeil& o) const
{
    return Quelltexte == o.Quelltexte && Ordnerliste == o.Ordnerliste &&
           SatzAnzahl == o.SatzAnzahl && SatzModus == o.SatzModus &&
           Messtemperatur == o.Messtemperatur && PfadOption == o.PfadOption &&
           SatzKoeffizienten == o.SatzKoeffizienten && SatzFlags == o.SatzFlags &&
           ListenPositionen == o.ListenPositionen && PfadNummern == o.PfadNummern &&
           SatzNummern == o.SatzNummern;
}

bool MakroSatz::operator==(const MakroSatz& o) const
{
    return Befehl == o.Befehl && Werte == o.Werte && MitParametern == o.MitParametern &&
           Parameter == o.Parameter && MaxParameter == o.MaxParameter &&
           MaxFitParameter == o.MaxFitParameter && FunktionsTypen == o.FunktionsTypen &&
           PolynomGrad == o.PolynomGrad && FreieParameter == o.FreieParameter &&
           Flags == o.Flags && Grenzen == o.Grenzen &&
           KorrelationsWorte == o.KorrelationsWorte &&
           KorrelationsKonstanten == o.KorrelationsKonstanten &&
           SplineLayout == o.SplineLayout && Text == o.Text && Feff == o.Feff;
}

bool MakroHatTabellen(int32_t befehl) { return befehl == 507 || befehl == 807 || befehl == 844; }

bool MakroHatSplineTeil(const MakroSatz& s) { return s.Befehl == 837; }

bool MakroHatFeffTeil(const MakroSatz& s)
{
    return s.Befehl == 807 && !s.FunktionsTypen.empty() && s.FunktionsTypen[0] == MAKRO_TYP_FEFF_S0;
}

bool MakroHatText(const MakroSatz& s)
{
    switch (s.Befehl) {
    case 905:
    case 844:
        return true;
    case 623:
    case 624:
    case 827:
    case 890:
        // The series commands: their files, columns or foil name.
        return true;
    case 815:
        return s.Werte.size() > 10 && s.Werte[10] > 0.0;
    case 808:
        // The energy calibration against a separate reference file.
        return s.Werte.size() > 6 && s.Werte[6] > 0.0;
    case 807:
        return !MakroHatFeffTeil(s);
    default:
        return false;
    }
}

namespace {

// The record's model against the size check of every fit model; the knot
// count of the spline models 53 and 54 follows from the record's last
// parameter index.
bool ModellPasst(const MakroSatz& s)
{
    const int32_t n = static_cast<int32_t>(s.FunktionsTypen.size());
    int32_t andere = 0, splines = 0;
    for (int32_t c : s.FunktionsTypen) {
        const int32_t g = c > 100 ? c - 100 : c;
        if (g == 53 || g == 54) ++splines;
        else andere += FunctionParameterCount(g, s.PolynomGrad, 0);
    }
    const int32_t knoten = splines ? (s.MaxParameter + 1 - andere) / splines : 0;
    return CheckModelSize(n, s.FunktionsTypen.data(), s.PolynomGrad, knoten < 0 ? 0 : knoten) >= 0;
}

}  // namespace

int32_t MakroSatzPruefen(const MakroSatz& s)
{
    const size_t P = MAKRO_MAX_PARAMETER;
    if (!ImBereich(s.Befehl, 0, 65535)) return MAKRO_UNGUELTIG;
    if (s.Werte.size() > static_cast<size_t>(MAKRO_DIALOGWERTE) || s.Parameter.size() > P)
        return MAKRO_ZU_GROSS;
    if (!s.MitParametern && !s.Parameter.empty()) return MAKRO_UNGUELTIG;
    if (!ImBereich(s.MaxParameter, -1, MAKRO_MAX_PARAMETER - 1) ||
        !ImBereich(s.MaxFitParameter, -1, MAKRO_MAX_PARAMETER - 1))
        return MAKRO_ZU_GROSS;
    if (s.FunktionsTypen.size() > static_cast<size_t>(MAKRO_MAX_FUNKTIONEN)) return MAKRO_ZU_GROSS;
    if (!ModellPasst(s)) return MAKRO_ZU_GROSS;
    if (s.FreieParameter.size() > P || s.Flags.size() > P || s.KorrelationsWorte.size() > P ||
        s.KorrelationsKonstanten.size() > P || s.Grenzen.size() > 2 * P)
        return MAKRO_ZU_GROSS;
    if (s.Grenzen.size() % 2) return MAKRO_UNGUELTIG;
    if (s.SplineLayout.size() > static_cast<size_t>(MAKRO_SPLINE_WERTE)) return MAKRO_ZU_GROSS;
    if (s.Text.size() > TEXT_MAX) return MAKRO_ZU_GROSS;
    if (HatZeilenende(s.Text)) return MAKRO_UNGUELTIG;
    const MakroFeffTeil& f = s.Feff;
    if (f.Quelltexte.size() > static_cast<size_t>(MAKRO_FEFF_PFADE) ||
        f.Ordnerliste.size() > TEXT3_MAX ||
        f.SatzKoeffizienten.size() > static_cast<size_t>(MAKRO_FEFF_SAETZE) ||
        f.SatzFlags.size() > static_cast<size_t>(MAKRO_FEFF_SAETZE) ||
        f.ListenPositionen.size() > static_cast<size_t>(MAKRO_FEFF_PFADE) ||
        f.PfadNummern.size() > static_cast<size_t>(MAKRO_FEFF_PFADE) ||
        f.SatzNummern.size() > static_cast<size_t>(MAKRO_FEFF_PFADE))
        return MAKRO_ZU_GROSS;
    if (HatZeilenende(f.Ordnerliste)) return MAKRO_UNGUELTIG;
    for (const std::string& q : f.Quelltexte) {
        if (q.size() > FEFF_TEXT_MAX) return MAKRO_ZU_GROSS;
        if (HatZeilenende(q)) return MAKRO_UNGUELTIG;
    }
    return MAKRO_SATZ;
}

void MakroBefehlSetzen(MakroSatz& s, int32_t befehl, const double* dialogWerte, int32_t n,
                       const double* fitParameter, int32_t letzter)
{
    s.Befehl = befehl;
    if (n < 0) n = 0;
    if (n > MAKRO_DIALOGWERTE) n = MAKRO_DIALOGWERTE;
    s.Werte.assign(dialogWerte, dialogWerte + n);
    s.MitParametern = letzter >= 1;
    s.Parameter.clear();
    if (letzter == 0 && n < MAKRO_DIALOGWERTE) {
        s.Werte.push_back(fitParameter[0]);
    } else if (letzter >= 1) {
        int32_t anzahl = letzter + 1;
        if (anzahl > MAKRO_MAX_PARAMETER) anzahl = MAKRO_MAX_PARAMETER;
        s.Parameter.assign(fitParameter, fitParameter + anzahl);
    }
}

void MakroModellSetzen(MakroSatz& s, int32_t maxParameter, int32_t maxFitParameter,
                       int32_t funktionsAnzahl, const int32_t* typen, int32_t polyGrad)
{
    s.MaxParameter = maxParameter;
    s.MaxFitParameter = maxFitParameter;
    if (funktionsAnzahl < 0) funktionsAnzahl = 0;
    if (funktionsAnzahl > MAKRO_MAX_FUNKTIONEN) funktionsAnzahl = MAKRO_MAX_FUNKTIONEN;
    s.FunktionsTypen.assign(typen, typen + funktionsAnzahl);
    s.PolynomGrad = polyGrad;
}

void MakroTabellenSetzen(MakroSatz& s, int32_t letzter, const int32_t* freie,
                         const uint32_t* flags, const double* fitParameter,
                         const int32_t* worte, const double* konstanten)
{
    int32_t anzahl = letzter < 0 ? 1 : letzter + 1;
    if (anzahl > MAKRO_MAX_PARAMETER) anzahl = MAKRO_MAX_PARAMETER;
    s.FreieParameter.assign(freie, freie + anzahl);
    s.Flags.resize(anzahl);
    s.Grenzen.resize(2 * static_cast<size_t>(anzahl));
    for (int32_t i = 0; i < anzahl; ++i) {
        s.Flags[i] = static_cast<int32_t>(flags[i]);
        s.Grenzen[2 * i] = fitParameter[500 + 2 * i];
        s.Grenzen[2 * i + 1] = fitParameter[501 + 2 * i];
    }
    s.KorrelationsWorte.assign(worte, worte + anzahl);
    s.KorrelationsKonstanten.assign(konstanten, konstanten + anzahl);
}

void MakroSplineSetzen(MakroSatz& s, const double* fitParameter)
{
    s.SplineLayout.assign(fitParameter + 1000, fitParameter + 1000 + MAKRO_SPLINE_WERTE);
}

bool MakroParameterUebernehmen(const MakroSatz& s, int32_t vorigerBefehl,
                               int32_t vorigeFunktionsAnzahl, bool fitGespielt)
{
    if (MakroHatTabellen(s.Befehl) && s.Befehl == vorigerBefehl &&
        static_cast<int32_t>(s.FunktionsTypen.size()) == vorigeFunktionsAnzahl)
        return false;
    if (s.Befehl == 607 && fitGespielt) return false;
    return true;
}

int32_t MakroSatzText(const MakroSatz& s, std::string& text)
{
    text.clear();
    int32_t r = MakroSatzPruefen(s);
    if (r != MAKRO_SATZ) return r;

    std::string z = Ganz(s.Befehl) + ",";
    for (double w : s.Werte) z += MakroZahl8G(w) + ",";
    if (s.MitParametern) {
        z += "!,";
        for (double p : s.Parameter) z += MakroZahl8G(p) + ",";
    }
    z.pop_back();  // the final comma
    std::string t = z + "\n";
    t += Ganz(s.MaxParameter) + "\n";
    t += Ganz(s.MaxFitParameter) + "\n";
    t += Ganz(static_cast<int32_t>(s.FunktionsTypen.size()));
    for (int32_t typ : s.FunktionsTypen) t += "," + Ganz(typ);
    t += "," + Ganz(s.PolynomGrad) + "\n";

    if (MakroHatTabellen(s.Befehl)) {
        t += Liste(s.FreieParameter, Ganz, ",") + "\n";
        t += Liste(s.Flags, Ganz, ",") + "\n";
        t += Liste(s.Grenzen, MakroZahl8G, ", ") + "\n";
        t += Liste(s.KorrelationsWorte, Ganz, ",") + "\n";
        t += Liste(s.KorrelationsKonstanten, MakroZahl8G, ",") + "\n";
    }
    if (MakroHatSplineTeil(s)) {
        for (double w : s.SplineLayout) t += MakroZahl8G(w) + ", ";
        t += "\n";
    }
    if (MakroHatText(s)) t += s.Text + "\n";
    if (MakroHatFeffTeil(s)) {
        const MakroFeffTeil& f = s.Feff;
        t += Ganz(static_cast<int32_t>(f.Quelltexte.size())) + "\n";
        for (const std::string& q : f.Quelltexte) t += q + "\n";
        t += f.Ordnerliste + "\n";
        t += Ganz(f.SatzAnzahl) + "\n";
        t += Ganz(f.SatzModus) + "\n";
        t += MakroZahlG(f.Messtemperatur) + "\n";
        t += Ganz(f.PfadOption) + "\n";
        t += Liste(f.SatzKoeffizienten, MakroZahlG, ",") + "\n";
        t += Liste(f.SatzFlags, Ganz, ",") + "\n";
        t += Liste(f.ListenPositionen, Ganz, ",") + "\n";
        t += Liste(f.PfadNummern, Ganz, ",") + "\n";
        t += Liste(f.SatzNummern, Ganz, ",") + "\n";
    }
    text = t;
    return MAKRO_SATZ;
}

int32_t MakroDateiText(const std::vector<MakroSatz>& saetze, std::string& text)
{
    std::string t = "Makro\n";
    for (const MakroSatz& s : saetze) {
        std::string satz;
        int32_t r = MakroSatzText(s, satz);
        if (r != MAKRO_SATZ) {
            text.clear();
            return r;
        }
        t += satz;
    }
    text = t;
    return MAKRO_SATZ;
}

bool MakroLeser::Lies(std::string& z)
{
    if (!std::getline(ein_, z)) return false;
    ++zeile_;
    // A file carried over from a binary copy may keep its carriage returns.
    if (!z.empty() && z.back() == '\r') z.pop_back();
    return true;
}

int32_t MakroLeser::Kopf()
{
    std::string z;
    if (!Lies(z) || z != "Makro") return MAKRO_KEINE_MAKRODATEI;
    return MAKRO_SATZ;
}

int32_t MakroLeser::Naechster(MakroSatz& aus)
{
    std::string z;
    for (;;) {
        if (!Lies(z)) return MAKRO_ENDE;
        if (!z.empty() && z[0] >= '0' && z[0] <= '9') break;
    }

    MakroSatz s;
    std::vector<std::string> f = Felder(z);
    if (!GanzeZahl(f[0], s.Befehl) || !ImBereich(s.Befehl, 0, 65535)) return MAKRO_UNGUELTIG;
    size_t i = 1;
    for (; i < f.size() && f[i].compare(0, 1, "!") != 0; ++i) {
        if (s.Werte.size() >= static_cast<size_t>(MAKRO_DIALOGWERTE)) return MAKRO_ZU_GROSS;
        double w;
        if (!Gleitzahl(f[i], w)) return MAKRO_UNGUELTIG;
        s.Werte.push_back(w);
    }
    if (i < f.size()) {
        s.MitParametern = true;
        if (f.size() - i - 1 > static_cast<size_t>(MAKRO_MAX_PARAMETER)) return MAKRO_ZU_GROSS;
        for (++i; i < f.size(); ++i) {
            double w;
            if (!Gleitzahl(f[i], w)) return MAKRO_UNGUELTIG;
            s.Parameter.push_back(w);
        }
    }

    int32_t r;
    for (int32_t* w : {&s.MaxParameter, &s.MaxFitParameter}) {
        if (!Lies(z)) return MAKRO_ABGESCHNITTEN;
        if ((r = EinzelZahl(z, *w)) != MAKRO_SATZ) return r;
        // Both index the fit tables later.
        if (!ImBereich(*w, -1, MAKRO_MAX_PARAMETER - 1)) return MAKRO_ZU_GROSS;
    }

    if (!Lies(z)) return MAKRO_ABGESCHNITTEN;
    std::vector<int32_t> modell;
    if ((r = GanzeListe(z, MAKRO_MAX_FUNKTIONEN + 2, modell)) != MAKRO_SATZ) return r;
    if (modell.size() < 2) return MAKRO_UNGUELTIG;
    if (!ImBereich(modell[0], 0, MAKRO_MAX_FUNKTIONEN)) return MAKRO_ZU_GROSS;
    if (modell.size() != static_cast<size_t>(modell[0]) + 2) return MAKRO_UNGUELTIG;
    s.FunktionsTypen.assign(modell.begin() + 1, modell.end() - 1);
    s.PolynomGrad = modell.back();
    if (!ModellPasst(s)) return MAKRO_ZU_GROSS;

    if (MakroHatTabellen(s.Befehl)) {
        const size_t P = MAKRO_MAX_PARAMETER;
        if (!Lies(z)) return MAKRO_ABGESCHNITTEN;
        if ((r = GanzeListe(z, P, s.FreieParameter)) != MAKRO_SATZ) return r;
        if (!Lies(z)) return MAKRO_ABGESCHNITTEN;
        if ((r = GanzeListe(z, P, s.Flags)) != MAKRO_SATZ) return r;
        if (!Lies(z)) return MAKRO_ABGESCHNITTEN;
        if ((r = ZahlenListe(z, 2 * P, s.Grenzen)) != MAKRO_SATZ) return r;
        if (s.Grenzen.size() % 2) return MAKRO_UNGUELTIG;
        if (!Lies(z)) return MAKRO_ABGESCHNITTEN;
        if ((r = GanzeListe(z, P, s.KorrelationsWorte)) != MAKRO_SATZ) return r;
        if (!Lies(z)) return MAKRO_ABGESCHNITTEN;
        if ((r = ZahlenListe(z, P, s.KorrelationsKonstanten)) != MAKRO_SATZ) return r;
    }
    if (MakroHatSplineTeil(s)) {
        if (!Lies(z)) return MAKRO_ABGESCHNITTEN;
        if ((r = ZahlenListe(z, MAKRO_SPLINE_WERTE, s.SplineLayout)) != MAKRO_SATZ) return r;
    }
    if (MakroHatText(s)) {
        if (!Lies(z)) return MAKRO_ABGESCHNITTEN;
        if (z.size() > TEXT_MAX) return MAKRO_ZU_GROSS;
        s.Text = z;
    }
    if (MakroHatFeffTeil(s)) {
        MakroFeffTeil& ft = s.Feff;
        int32_t anzahl;
        if (!Lies(z)) return MAKRO_ABGESCHNITTEN;
        if ((r = EinzelZahl(z, anzahl)) != MAKRO_SATZ) return r;
        if (!ImBereich(anzahl, 0, MAKRO_FEFF_PFADE)) return MAKRO_ZU_GROSS;
        for (int32_t k = 0; k < anzahl; ++k) {
            if (!Lies(z)) return MAKRO_ABGESCHNITTEN;
            if (z.size() > FEFF_TEXT_MAX) return MAKRO_ZU_GROSS;
            ft.Quelltexte.push_back(z);
        }
        if (!Lies(z)) return MAKRO_ABGESCHNITTEN;
        if (z.size() > TEXT3_MAX) return MAKRO_ZU_GROSS;
        ft.Ordnerliste = z;
        int32_t* worte[] = {&ft.SatzAnzahl, &ft.SatzModus};
        for (int32_t* w : worte) {
            if (!Lies(z)) return MAKRO_ABGESCHNITTEN;
            if ((r = EinzelZahl(z, *w)) != MAKRO_SATZ) return r;
        }
        if (!Lies(z)) return MAKRO_ABGESCHNITTEN;
        if (!Gleitzahl(Beschnitten(z), ft.Messtemperatur)) return MAKRO_UNGUELTIG;
        if (!Lies(z)) return MAKRO_ABGESCHNITTEN;
        if ((r = EinzelZahl(z, ft.PfadOption)) != MAKRO_SATZ) return r;
        if (!Lies(z)) return MAKRO_ABGESCHNITTEN;
        if ((r = ZahlenListe(z, MAKRO_FEFF_SAETZE, ft.SatzKoeffizienten)) != MAKRO_SATZ) return r;
        if (!Lies(z)) return MAKRO_ABGESCHNITTEN;
        if ((r = GanzeListe(z, MAKRO_FEFF_SAETZE, ft.SatzFlags)) != MAKRO_SATZ) return r;
        std::vector<int32_t>* listen[] = {&ft.ListenPositionen, &ft.PfadNummern, &ft.SatzNummern};
        for (std::vector<int32_t>* l : listen) {
            if (!Lies(z)) return MAKRO_ABGESCHNITTEN;
            if ((r = GanzeListe(z, MAKRO_FEFF_PFADE, *l)) != MAKRO_SATZ) return r;
        }
    }
    // What the writer would refuse (a text with a carriage return inside)
    // is no record of a macro file either.
    if ((r = MakroSatzPruefen(s)) != MAKRO_SATZ) return r;
    aus = std::move(s);
    return MAKRO_SATZ;
}

int32_t MakroTextLesen(const std::string& text, std::vector<MakroSatz>& saetze,
                       int32_t* fehlerZeile)
{
    std::istringstream ein(text);
    MakroLeser leser(ein);
    std::vector<MakroSatz> alle;
    int32_t r = leser.Kopf();
    while (r == MAKRO_SATZ) {
        MakroSatz s;
        r = leser.Naechster(s);
        if (r == MAKRO_SATZ) alle.push_back(std::move(s));
    }
    if (r != MAKRO_ENDE) {
        if (fehlerZeile) *fehlerZeile = leser.Zeile();
        return r;
    }
    saetze = std::move(alle);
    return MAKRO_SATZ;
}

int32_t MakroDateiLesen(const std::string& pfad, std::vector<MakroSatz>& saetze,
                        int32_t* fehlerZeile)
{
    std::ifstream ein(pfad);  // text mode: the runtime turns "\r\n" into "\n"
    if (!ein) return MAKRO_DATEIFEHLER;
    std::ostringstream inhalt;
    inhalt << ein.rdbuf();
    if (ein.bad()) return MAKRO_DATEIFEHLER;
    return MakroTextLesen(inhalt.str(), saetze, fehlerZeile);
}

int32_t MakroDateiAnlegen(const std::string& pfad)
{
    std::FILE* d = std::fopen(pfad.c_str(), "w");
    if (!d) return MAKRO_DATEIFEHLER;
    bool ok = std::fputs("Makro\n", d) >= 0;
    ok = (std::fclose(d) == 0) && ok;
    return ok ? MAKRO_SATZ : MAKRO_DATEIFEHLER;
}

int32_t MakroSatzAnhaengen(const std::string& pfad, const MakroSatz& s)
{
    std::string text;
    int32_t r = MakroSatzText(s, text);
    if (r != MAKRO_SATZ) return r;
    std::FILE* d = std::fopen(pfad.c_str(), "a");
    if (!d) return MAKRO_DATEIFEHLER;
    bool ok = std::fwrite(text.data(), 1, text.size(), d) == text.size();
    ok = (std::fclose(d) == 0) && ok;
    return ok ? MAKRO_SATZ : MAKRO_DATEIFEHLER;
}
