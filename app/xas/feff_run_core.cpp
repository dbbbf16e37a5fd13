// feff.inp as the Run FEFF dialog changes and shows it (feff_run.h).
#include "xas/feff_run.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "xas/mcmaster.h"

namespace {

struct Zeile {
    std::string inhalt, ende;  // the text and its own line end ("", "\n" or "\r\n")
};

std::vector<Zeile> Zeilen(const std::string& text)
{
    std::vector<Zeile> z;
    std::size_t a = 0;
    while (a < text.size()) {
        std::size_t n = text.find('\n', a);
        Zeile l;
        if (n == std::string::npos) {
            l.inhalt = text.substr(a);
            a = text.size();
        } else {
            std::size_t e = n;
            if (e > a && text[e - 1] == '\r') --e;
            l.inhalt = text.substr(a, e - a);
            l.ende = text.substr(e, n + 1 - e);
            a = n + 1;
        }
        z.push_back(l);
    }
    return z;
}

bool Hat(const std::string& zeile, const char* wort) { return zeile.find(wort) != std::string::npos; }

bool Zahl(std::istringstream& in, double* wert)
{
    std::string w;
    if (!(in >> w)) return false;
    char* ende = nullptr;
    *wert = std::strtod(w.c_str(), &ende);
    return ende != w.c_str() && *ende == '\0';
}

// Index of the line after the one holding "ATOMS"; lines.size() when none.
std::size_t NachAtoms(const std::vector<Zeile>& z)
{
    for (std::size_t i = 0; i < z.size(); ++i)
        if (Hat(z[i].inhalt, "ATOMS")) return i + 1;
    return z.size();
}

int32_t Potential(double ipot) { return static_cast<int32_t>(ipot + 0.2); }

bool Leer(const std::string& s) { return s.find_first_not_of(" \t\r") == std::string::npos; }

}  // namespace

bool LeseFeffAtom(const std::string& zeile, FeffAtom* atom)
{
    std::istringstream in(zeile);
    FeffAtom a;
    if (!Zahl(in, &a.X) || !Zahl(in, &a.Y) || !Zahl(in, &a.Z) || !Zahl(in, &a.Ipot)) return false;
    if (in >> a.Tag) {
        a.MitTag = true;
        a.MitAbstand = Zahl(in, &a.Abstand);
    }
    *atom = a;
    return true;
}

std::string SchiebeFeffCluster(const std::string& text, double sx, double sy, double sz)
{
    const std::vector<Zeile> z = Zeilen(text);
    std::string aus;
    const std::size_t start = NachAtoms(z);
    bool atome = false;
    for (std::size_t i = 0; i < z.size(); ++i) {
        if (i == start) atome = true;
        if (atome && Hat(z[i].inhalt, "END")) atome = false;
        FeffAtom a;
        if (!atome || !LeseFeffAtom(z[i].inhalt, &a)) {
            aus += z[i].inhalt + z[i].ende;
            continue;
        }
        char t[200];
        int n = std::snprintf(t, sizeof t, "  % -14.6G % -14.6G % -14.6G  %d", a.X - sx, a.Y - sy, a.Z - sz,
                              Potential(a.Ipot));
        std::string zeile(t, static_cast<std::size_t>(n));
        if (a.MitTag) {
            char tag[64];
            std::snprintf(tag, sizeof tag, "    %-5s", a.Tag.c_str());
            zeile += tag;
            if (a.MitAbstand) {
                n = std::snprintf(t, sizeof t, "  % -14.6G", a.Abstand);
                zeile += std::string(t, static_cast<std::size_t>(n));
            }
        }
        aus += zeile + (z[i].ende.empty() ? "\n" : z[i].ende);
    }
    return aus;
}

namespace {

bool LiesDatei(const std::string& pfad, std::string* text)
{
    std::ifstream in(pfad, std::ios::binary);
    if (!in) return false;
    text->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool SchreibeDatei(const std::string& pfad, const std::string& text)
{
    std::ofstream aus(pfad, std::ios::binary | std::ios::trunc);
    if (!aus) return false;
    aus.write(text.data(), static_cast<std::streamsize>(text.size()));
    aus.close();
    return !aus.fail();
}

}  // namespace

int32_t SchiebeFeffDatei(const std::string& inp, const std::string& bak, double sx, double sy, double sz)
{
    std::string text;
    if (!LiesDatei(inp, &text)) return 0;
    const std::string neu = inp + ".tmp";
    if (!SchreibeDatei(bak, text) || !SchreibeDatei(neu, SchiebeFeffCluster(text, sx, sy, sz))) {
        std::remove(neu.c_str());
        return -1;
    }
    // rename does not replace an existing file on every system; the
    // original is safe in the backup by now.
    std::remove(inp.c_str());
    if (std::rename(neu.c_str(), inp.c_str()) != 0) {
        SchreibeDatei(inp, text);
        std::remove(neu.c_str());
        return -1;
    }
    return 1;
}

bool FeffDateiLesen(const std::string& pfad, std::string* text) { return LiesDatei(pfad, text); }

bool FeffAbsorberVersatz(const std::string& text, double* x, double* y, double* z)
{
    const std::vector<Zeile> l = Zeilen(text);
    bool gefunden = false;
    for (std::size_t i = NachAtoms(l); i < l.size() && !Hat(l[i].inhalt, "END"); ++i) {
        FeffAtom a;
        if (!LeseFeffAtom(l[i].inhalt, &a) || Potential(a.Ipot) != 0) continue;
        if (a.X == 0.0 && a.Y == 0.0 && a.Z == 0.0) continue;
        *x = a.X, *y = a.Y, *z = a.Z;
        gefunden = true;
    }
    return gefunden;
}

std::string FeffXyz(const std::string& text, double rmax, bool quadrant, int32_t* anzahl)
{
    const std::vector<Zeile> l = Zeilen(text);
    std::string titel;
    std::size_t i = 0;
    for (; i < l.size() && !Hat(l[i].inhalt, "POTENTIALS"); ++i)
        if (titel.empty() && Hat(l[i].inhalt, "TITLE")) titel = l[i].inhalt;
    // Potentials: ipot and Z, at most 10.
    int32_t ipot[10], zahl[10];
    int32_t potentiale = 0;
    if (i < l.size()) ++i;
    while (i < l.size() && (Hat(l[i].inhalt, "*") || Leer(l[i].inhalt))) ++i;
    for (; i < l.size(); ++i) {
        const std::string& s = l[i].inhalt;
        if (Hat(s, "*") || Leer(s) || Hat(s, "ATOMS")) break;
        std::istringstream in(s);
        double p = 0.0, zz = 0.0;
        if (potentiale < 10 && Zahl(in, &p) && Zahl(in, &zz))
            ipot[potentiale] = Potential(p), zahl[potentiale] = static_cast<int32_t>(zz + 0.2), ++potentiale;
    }
    std::string atome;
    int32_t n = 0;
    i = NachAtoms(l);
    while (i < l.size() && (Hat(l[i].inhalt, "*") || Leer(l[i].inhalt))) ++i;
    for (; i < l.size(); ++i) {
        const std::string& s = l[i].inhalt;
        if (Hat(s, "END") || Hat(s, "*") || Leer(s)) break;
        FeffAtom a;
        if (!LeseFeffAtom(s, &a)) continue;
        if (std::sqrt(a.X * a.X + a.Y * a.Y + a.Z * a.Z) > rmax) continue;
        if (quadrant && (a.Y < 0.0 || a.Z < 0.0)) continue;
        const char* symbol = "";
        for (int32_t k = 0; k < potentiale; ++k)
            if (ipot[k] == Potential(a.Ipot)) {
                if (zahl[k] >= 1 && zahl[k] <= MCMASTER_ELEMENTE) symbol = McMasterElemente[zahl[k] - 1];
                break;
            }
        char t[200];
        std::snprintf(t, sizeof t, "%2s  %f   %f   %f\n", symbol, a.X, a.Y, a.Z);
        atome += t;
        ++n;
    }
    *anzahl = n;
    return std::to_string(n) + "\n" + titel + "\n" + atome;
}

bool FeffOrdnerAusPfad(const std::string& pfad, std::size_t maxLaenge, std::string* ordner)
{
    const std::size_t s = pfad.rfind('\\');
    if (s == std::string::npos || s == 0 || s > maxLaenge) return false;
    *ordner = pfad.substr(0, s);
    return true;
}

namespace {

const double PI = 3.14159265358979323846;

// The angle of (a, b) from the +a axis towards +b in 0..2 pi.
double Winkel(double a, double b)
{
    const double w = std::asin(std::fabs(b) / std::sqrt(a * a + b * b));
    if (b >= 0.0 && a < 0.0) return PI - w;
    if (b < 0.0 && a <= 0.0) return PI + w;
    if (b < 0.0 && a > 0.0) return 2.0 * PI - w;
    return w;
}

}  // namespace

bool FeffDrehungZu(double x, double y, double z, FeffDrehung* drehung)
{
    if (y == 0.0 && z == 0.0) return false;
    FeffDrehung d;
    d.A1 = Winkel(y, z);
    const double y1 = y * std::cos(d.A1) + z * std::sin(d.A1);
    d.A2 = Winkel(x, y1);
    *drehung = d;
    return true;
}

void FeffDrehe(const FeffDrehung& d, double x, double y, double z, double* x2, double* y2, double* z2)
{
    const double y1 = y * std::cos(d.A1) + z * std::sin(d.A1);
    const double z1 = z * std::cos(d.A1) - y * std::sin(d.A1);
    *x2 = x * std::cos(d.A2) + y1 * std::sin(d.A2);
    *y2 = y1 * std::cos(d.A2) - x * std::sin(d.A2);
    *z2 = z1;
}

bool FeffViertelAtom(double* x, double* y, double* z)
{
    for (double* v : {x, y, z})
        if (std::fabs(*v) < 0.001) *v = 0.0;
    return std::trunc(1000.0 * *x) >= 0.0 && std::trunc(1000.0 * *y) >= 0.0;
}

double FeffDiederWinkel(double absorberWinkel) { return 2.0 * (90.0 - absorberWinkel); }

double FeffWinkelUmlauf(double winkel) { return std::fabs(winkel) >= 360.0 ? std::fabs(winkel) - 360.0 : winkel; }

int32_t FeffDreieckZeile(const std::string& filesDat, double laenge, double toleranz, FilesDatZeile* zeile)
{
    int32_t nummer = -1;
    double naechste = toleranz;
    for (const Zeile& z : Zeilen(filesDat)) {
        FilesDatZeile r;
        if (!LeseFilesDatZeile(z.inhalt, &r) || r.Beine != 3) continue;
        const double abstand = std::fabs(r.Reff - laenge);
        if (abstand <= naechste && (nummer < 0 || abstand < naechste)) {
            naechste = abstand;
            nummer = r.Pfadnummer;
            if (zeile) *zeile = r;
        }
    }
    return nummer;
}

namespace {

double Betrag(double x, double y, double z) { return std::sqrt(x * x + y * y + z * z); }

bool Nah(const FeffAtom& a, const double* p)
{
    return Betrag(a.X - p[0], a.Y - p[1], a.Z - p[2]) < 1e-3;
}

// One coordinate as the line holds it, and the value written.
double Geschrieben(double v, std::string* text)
{
    char t[40];
    std::snprintf(t, sizeof t, "%.5f", v);
    const double w = std::atof(t);
    char z[60];
    std::snprintf(z, sizeof z, "   % -10.5f", w);
    *text += z;
    return w;
}

void AtomZeile(std::string* aus, double x, double y, double z, double ipot, double* geschrieben)
{
    double w[3];
    w[0] = Geschrieben(x, aus);
    w[1] = Geschrieben(y, aus);
    w[2] = Geschrieben(z, aus);
    char t[20];
    std::snprintf(t, sizeof t, "   %d\n", static_cast<int>(Potential(ipot)));
    *aus += t;
    if (geschrieben) std::copy(w, w + 3, geschrieben);
}

}  // namespace

int32_t FeffWinkelEingabe(const std::string& eingabe, const FeffWinkelAuftrag& a, FeffWinkelErgebnis& e)
{
    e = FeffWinkelErgebnis();
    const std::vector<Zeile> l = Zeilen(eingabe);
    std::string aus;
    std::size_t i = 0;
    for (; i < l.size(); ++i) {
        std::string s = l[i].inhalt;
        const bool atoms = Hat(s, "ATOMS");
        if (i > 0 && !atoms) {
            char t[80];
            if (Hat(s, "CONTROL")) s = a.ErsterLauf ? " CONTROL   1     1     1     1" : " CONTROL   0     1     1     1";
            if (Hat(s, "RMAX")) {
                std::snprintf(t, sizeof t, " RMAX   %.5G", 1.05 * a.Reff);
                s = t;
            }
            if (Hat(s, "CRITERIA")) s = " CRITERIA   2.0   2.0";
            if (Hat(s, "NLEG")) s = " NLEG   4";
        }
        aus += s + "\n";
        if (atoms) {
            ++i;
            break;
        }
    }
    const double h = std::fabs(a.Winkel) * 0.5 * PI / 180.0;
    e.Verschiebung = (a.Winkel == 0.0 || std::fabs(a.Winkel) == 180.0) ? 0.0 : a.D / std::tan(h);
    FeffDrehung d;
    e.Gedreht = FeffDrehungZu(a.F[0], a.F[1], a.F[2], &d);
    bool ersterDa = false, zweiterDa = false;
    for (; i < l.size(); ++i) {
        FeffAtom atom;
        if (!LeseFeffAtom(l[i].inhalt, &atom)) continue;
        if (Betrag(atom.X, atom.Y, atom.Z) > 1.1 * a.Reff) break;
        const bool erster = !ersterDa && Nah(atom, a.F);
        const bool zweiter = !erster && !zweiterDa && Nah(atom, a.S);
        if (e.Gedreht) {
            double x, y, z;
            FeffDrehe(d, atom.X, atom.Y, atom.Z, &x, &y, &z);
            // The two scatterers stay whatever their quarter.
            if (!FeffViertelAtom(&x, &y, &z) && !erster && !zweiter) continue;
            if (zweiter) y += e.Verschiebung;
            AtomZeile(&aus, x, y, z, atom.Ipot, erster ? e.F : zweiter ? e.S : nullptr);
        } else if (zweiter) {
            AtomZeile(&aus, atom.X, atom.Y + e.Verschiebung, atom.Z, atom.Ipot, e.S);
        } else {
            aus += l[i].inhalt + "\n";
            if (erster) e.F[0] = atom.X, e.F[1] = atom.Y, e.F[2] = atom.Z;
        }
        ersterDa = ersterDa || erster;
        zweiterDa = zweiterDa || zweiter;
    }
    if (!ersterDa) return FEFF_WINKEL_OHNE_ERSTEN;
    if (!zweiterDa) return FEFF_WINKEL_OHNE_ZWEITEN;
    aus += " END\n";
    e.Text = aus;
    e.Laenge = (Betrag(e.F[0], e.F[1], e.F[2]) + Betrag(e.S[0] - e.F[0], e.S[1] - e.F[1], e.S[2] - e.F[2]) +
                Betrag(a.A[0] - e.S[0], a.A[1] - e.S[1], a.A[2] - e.S[2])) /
               2.0;
    return FEFF_WINKEL_OK;
}
