// A small stand-in for the FEFF program, for the tests of the Run FEFF
// dialog and the triangle-angle change. It takes no arguments, reads
// "feff.inp" in its working directory and writes "paths.dat", one
// "feff%04d.dat" per path row, "files.dat" and last "chi.dat" (under a
// temporary name, then renamed) from smooth, deterministic path tables:
//   |F| = 0.8 k exp(-k^2/60), phase = -1 - 0.5 k, reduction 0.95,
//   lambda = 6 + 0.12 k^2, Re p = sqrt(k^2 + 3.4).
// The rows are the single-scattering paths and the triangles
// absorber-A-B-absorber within RMAX (or RPATH), grouped by reff ("%.4f")
// and leg count, each triangle row followed by a four-leg row (A, B, A,
// absorber) at 1.02 times its reff.
//
// "feff_standin.ini" beside the program selects its modes, one per line:
//   delay=MS      wait MS milliseconds before "chi.dat"
//   nochi=1       write no "chi.dat"
//   hang=1        never end
//   exit=N        end with exit code N (after the files)
//   triangle=drop leave out the triangle rows
//   fourleg=drop  leave out the four-leg rows
//   fourleg=move  put the four-leg rows at 1.06 times the triangle's reff
// It appends its working directory and the "feff.inp" it read to
// "feff_standin.log" beside the program.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Atom {
    double x, y, z;
    int ipot;
};

struct Reihe {
    int beine;
    double reff;
    int deg;
    std::vector<Atom> geometrie;  // scatterers, absorber last
};

std::string ProgrammOrdner()
{
    char pfad[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, pfad, MAX_PATH);
    std::string s(pfad);
    const std::size_t i = s.find_last_of("\\/");
    return i == std::string::npos ? std::string() : s.substr(0, i + 1);
}

std::string Gross(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool LeseDatei(const std::string& name, std::string* text)
{
    std::ifstream f(name, std::ios::binary);
    if (!f) return false;
    std::ostringstream s;
    s << f.rdbuf();
    *text = s.str();
    return true;
}

double Abstand(const Atom& a, const Atom& b)
{
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

double Gerundet(double r)
{
    char b[32];
    std::snprintf(b, sizeof b, "%.4f", r);
    return std::atof(b);
}

const char* SymbolZu(int z)
{
    static const char* s[] = {"H", "He", "Li", "Be", "B", "C", "N", "O", "F", "Ne", "Na", "Mg", "Al", "Si", "P",
                              "S", "Cl", "Ar", "K", "Ca", "Sc", "Ti", "V", "Cr", "Mn", "Fe", "Co", "Ni", "Cu",
                              "Zn", "Ga", "Ge", "As", "Se", "Br", "Kr"};
    return z >= 1 && z <= 36 ? s[z - 1] : "X";
}

void Tabelle(double k, double* betrag, double* phase, double* reduktion, double* lambda, double* p)
{
    *betrag = 0.8 * k * std::exp(-k * k / 60.0);
    *phase = -1.0 - 0.5 * k;
    *reduktion = 0.95;
    *lambda = 6.0 + 0.12 * k * k;
    *p = std::sqrt(k * k + 3.4);
}

const char* KOPF[] = {
    " Stand-in example                                                 Feff 8.50L\n",
    " POT  Non-SCF, core-hole\n",
    " Abs   Z=29 Rmt= 1.449 Rnm= 1.502 K  shell\n",
    " Gam_ch=1.729E+00 H-L exch\n",
    " Mu=-3.820E+00 kf=1.823E+00 Vint=-1.648E+01 Rs_int= 1.989\n",
};

}  // namespace

int main()
{
    const std::string ordner = ProgrammOrdner();
    std::map<std::string, std::string> modus;
    {
        std::ifstream ini(ordner + "feff_standin.ini");
        std::string z;
        while (std::getline(ini, z)) {
            if (!z.empty() && z.back() == '\r') z.pop_back();
            const std::size_t g = z.find('=');
            if (g != std::string::npos) modus[z.substr(0, g)] = z.substr(g + 1);
        }
    }
    std::string eingabe;
    const bool da = LeseDatei("feff.inp", &eingabe);
    {
        char cwd[MAX_PATH] = {0};
        GetCurrentDirectoryA(MAX_PATH, cwd);
        std::ofstream log(ordner + "feff_standin.log", std::ios::app | std::ios::binary);
        log << "cwd=" << cwd << "\n" << "--- feff.inp ---\n" << (da ? eingabe : std::string("(missing)\n"))
            << "--- end ---\n";
    }
    if (modus["hang"] == "1")
        for (;;) Sleep(1000);
    if (!da) return 2;

    // The input: cards, potentials and atoms.
    double rmax = 0.0;
    std::map<int, int> potZ;
    std::vector<Atom> atome;
    {
        std::istringstream s(eingabe);
        std::string z;
        enum { KARTEN, POTENTIALE, ATOME } teil = KARTEN;
        while (std::getline(s, z)) {
            if (!z.empty() && z.back() == '\r') z.pop_back();
            std::istringstream w(z);
            std::string erstes;
            if (!(w >> erstes) || erstes[0] == '*') continue;
            const std::string karte = Gross(erstes);
            if (karte == "END") break;
            if (karte == "RMAX" || karte == "RPATH") {
                w >> rmax;
                teil = KARTEN;
                continue;
            }
            if (karte == "POTENTIALS") {
                teil = POTENTIALE;
                continue;
            }
            if (karte == "ATOMS") {
                teil = ATOME;
                continue;
            }
            if (std::isalpha(static_cast<unsigned char>(karte[0]))) {
                if (teil != ATOME) teil = KARTEN;
                continue;
            }
            std::istringstream zahlen(z);
            if (teil == POTENTIALE) {
                int ipot, zahl;
                if (zahlen >> ipot >> zahl) potZ[ipot] = zahl;
            } else if (teil == ATOME) {
                Atom a;
                if (zahlen >> a.x >> a.y >> a.z >> a.ipot) atome.push_back(a);
            }
        }
    }
    Atom absorber{0.0, 0.0, 0.0, 0};
    for (const Atom& a : atome)
        if (a.ipot == 0) absorber = a;

    // The rows: single scattering and triangles, grouped.
    std::vector<Reihe> reihen;
    auto zaehle = [&](int beine, double reff, const std::vector<Atom>& g) {
        for (Reihe& r : reihen)
            if (r.beine == beine && r.reff == reff) {
                ++r.deg;
                return;
            }
        reihen.push_back(Reihe{beine, reff, 1, g});
    };
    for (std::size_t i = 0; i < atome.size(); ++i) {
        const Atom& a = atome[i];
        if (a.ipot == 0) continue;
        const double r = Gerundet(Abstand(absorber, a));
        if (r > 0.0 && r <= rmax) zaehle(2, r, {a, absorber});
    }
    if (modus["triangle"] != "drop")
        for (std::size_t i = 0; i < atome.size(); ++i)
            for (std::size_t j = 0; j < atome.size(); ++j) {
                const Atom &a = atome[i], &b = atome[j];
                if (i == j || a.ipot == 0 || b.ipot == 0) continue;
                const double da = Abstand(absorber, a), ab = Abstand(a, b), bd = Abstand(b, absorber);
                if (da <= 0.0 || ab <= 0.0 || bd <= 0.0) continue;
                const double r = Gerundet((da + ab + bd) / 2.0);
                if (r <= rmax) zaehle(3, r, {a, b, absorber});
            }
    std::stable_sort(reihen.begin(), reihen.end(), [](const Reihe& a, const Reihe& b) {
        return a.reff < b.reff || (a.reff == b.reff && a.beine < b.beine);
    });
    if (modus["fourleg"] != "drop") {
        const double faktor = modus["fourleg"] == "move" ? 1.06 : 1.02;
        std::vector<Reihe> mit;
        for (const Reihe& r : reihen) {
            mit.push_back(r);
            if (r.beine == 3)
                mit.push_back(Reihe{4, Gerundet(r.reff * faktor), r.deg,
                                    {r.geometrie[0], r.geometrie[1], r.geometrie[0], r.geometrie[2]}});
        }
        reihen = mit;
    }

    // The k grid of the path tables.
    std::vector<double> ks;
    for (int i = 0; i <= 200; ++i) ks.push_back(i * 0.1);
    auto symbol = [&](int ipot) { return SymbolZu(potZ.count(ipot) ? potZ[ipot] : 29); };
    auto zahlZ = [&](int ipot) { return potZ.count(ipot) ? potZ[ipot] : 29; };

    FILE* paths = std::fopen("paths.dat", "wb");
    FILE* files = std::fopen("files.dat", "wb");
    if (!paths || !files) return 4;
    char pfadZeile[96];
    std::snprintf(pfadZeile, sizeof pfadZeile, " PATH  Rmax= %.3f,  Keep_limit= 0.00, Heap_limit 0.00  Pwcrit= 2.50%%\n",
                  rmax);
    std::fputs(pfadZeile, paths);
    std::fputs(" -----------------------------------------------------------------------\n", paths);
    for (const char* k : KOPF) std::fputs(k, files);
    std::fputs(pfadZeile, files);
    std::fputs(" -----------------------------------------------------------------------\n", files);
    std::fputs("    file        sig2   amp ratio    deg    nlegs  r effective\n", files);
    for (std::size_t n = 0; n < reihen.size(); ++n) {
        const Reihe& r = reihen[n];
        const int nummer = static_cast<int>(n) + 1;
        std::fprintf(paths, " %5d %4d %7.3f  index, nleg, degeneracy, r= %.4f\n", nummer, r.beine,
                     static_cast<double>(r.deg), r.reff);
        std::fputs("      x           y           z     ipot  label      rleg      beta        eta\n", paths);
        for (std::size_t j = 0; j < r.geometrie.size(); ++j) {
            const Atom& a = r.geometrie[j];
            const Atom& vor = r.geometrie[j == 0 ? r.geometrie.size() - 1 : j - 1];
            std::fprintf(paths, "  %10.6f  %10.6f  %10.6f  %2d '%-6s'  %9.4f  %9.4f  %9.4f\n", a.x, a.y, a.z,
                         a.ipot, symbol(a.ipot), Abstand(a, vor), 180.0, 0.0);
        }
        char name[32];
        std::snprintf(name, sizeof name, "feff%04d.dat", nummer);
        std::fprintf(files, " %s 0.00000   %7.3f   %7.3f  %4d   %.4f\n", name, 100.0, static_cast<double>(r.deg),
                     r.beine, r.reff);
        FILE* f = std::fopen(name, "wb");
        if (!f) return 4;
        for (const char* k : KOPF) std::fputs(k, f);
        std::fputs(pfadZeile, f);
        std::fprintf(f, " Path %4d      icalc       2\n", nummer);
        std::fputs(" -----------------------------------------------------------------------\n", f);
        std::fprintf(f, " %3d %7.3f %8.4f    2.6317   -3.82035 nleg, deg, reff, rnrmav(bohr), edge\n", r.beine,
                     static_cast<double>(r.deg), r.reff);
        std::fputs("        x         y         z   pot at#\n", f);
        std::fprintf(f, " %10.4f %9.4f %9.4f %2d %3d %-4s  absorbing atom\n", absorber.x, absorber.y, absorber.z, 0,
                     zahlZ(0), symbol(0));
        for (std::size_t j = 0; j + 1 < r.geometrie.size(); ++j) {
            const Atom& a = r.geometrie[j];
            std::fprintf(f, " %10.4f %9.4f %9.4f %2d %3d %-4s\n", a.x, a.y, a.z, a.ipot, zahlZ(a.ipot),
                         symbol(a.ipot));
        }
        std::fputs("    k   real[2*phc]   mag[feff]  phase[feff] red factor   lambda     real[p]@#\n", f);
        for (double k : ks) {
            double b, ph, red, la, p;
            Tabelle(k, &b, &ph, &red, &la, &p);
            // Full precision, so that a sum over the read tables matches chi.dat.
            std::fprintf(f, " %6.3f %17.10E %17.10E %17.10E %16.9E %17.10E %17.10E\n", k, 0.0, b, ph, red, la, p);
        }
        std::fclose(f);
    }
    std::fclose(paths);
    std::fclose(files);

    const int pause = std::atoi(modus["delay"].c_str());
    if (pause > 0) Sleep(static_cast<DWORD>(pause));
    if (modus["nochi"] != "1") {
        // chi = sum over rows of deg |F| red exp(-2 reff / lambda) / (k reff^2) sin(2 k reff + phase)
        FILE* c = std::fopen("chi.tmp", "wb");
        if (!c) return 4;
        for (const char* k : KOPF) std::fprintf(c, "#%s", k + 1);
        std::fputs("#       k          chi          mag           phase @#\n", c);
        for (int i = 0; i <= 400; ++i) {
            const double k = i * 0.05;
            double summe = 0.0;
            if (k > 0.0)
                for (const Reihe& r : reihen) {
                    double b, ph, red, la, p;
                    Tabelle(k, &b, &ph, &red, &la, &p);
                    summe += r.deg * b * red * std::exp(-2.0 * r.reff / la) / (k * r.reff * r.reff) *
                             std::sin(2.0 * k * r.reff + ph);
                }
            std::fprintf(c, " %10.4f %13.6E %13.6E %13.6E\n", k, summe, std::fabs(summe), 0.0);
        }
        std::fclose(c);
        std::remove("chi.dat");
        if (std::rename("chi.tmp", "chi.dat") != 0) return 4;
    }
    return std::atoi(modus["exit"].c_str());
}
