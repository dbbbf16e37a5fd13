// The path list of command 849 on texts and path records.
#include "xas/feff_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "xas/debye_waller.h"
#include "xas/feff_path.h"
#include "shell/text_format.h"

const char* const FILES_DAT_KOPF_ERSATZ =
    "-----------------------------------------------------------------------\n"
    "    file        sig2   amp ratio    deg    nlegs  r effective\n";
const char* const FILES_DAT_PATHS_TRENNER = "\n\n-----------------------  PATHS  --------------------------------\n\n";

namespace {

// The lines of a text without their line ends ("\r\n" or "\n").
std::vector<std::string> Zeilen(const std::string& text)
{
    std::vector<std::string> z;
    std::size_t a = 0;
    while (a < text.size()) {
        std::size_t e = text.find('\n', a);
        if (e == std::string::npos) e = text.size();
        std::size_t l = e;
        if (l > a && text[l - 1] == '\r') --l;
        z.push_back(text.substr(a, l - a));
        a = e + 1;
    }
    return z;
}

bool Hat(const std::string& z, const char* a, const char* b)
{
    return z.find(a) != std::string::npos && z.find(b) != std::string::npos;
}

bool PfadKopf(const std::string& z) { return Hat(z, "index", "degeneracy"); }

std::string Feld(const char* feld, std::size_t groesse) { return std::string(feld, strnlen(feld, groesse)); }

}  // namespace

int32_t FeffModellParameter(int32_t typ)
{
    switch (typ % 100) {
    case 25: return 1;
    case 21: return 4;
    case 22:
    case 23: return 5;
    case 24: return 6;
    default: return 0;
    }
}

std::string FilesDatKopf(const std::string& filesDat)
{
    std::string kopf;
    for (const std::string& z : Zeilen(filesDat)) {
        kopf += z + "\n";
        if (Hat(z, "file", "sig2")) return kopf;
    }
    return FILES_DAT_KOPF_ERSATZ;
}

std::string FeffListenZeilenText(const FeffListenZeile& z, bool original)
{
    if (original)
        return " " + z.Dateiname + "  .00000" +
               Format("    %#5.4G    %#5.4G     %d     %#7.5G\n", z.Verhaeltnis, z.Entartung, z.Beine, z.Reff);
    return " " + z.Dateiname +
           Format("    %#5.4G    %#5.4G    %#5.4G     %d     %#7.5G\n", z.Sigma2, z.Verhaeltnis, z.N, z.Beine, z.R);
}

std::vector<FeffListenZeile> FeffListeZeilen(const int32_t* typen, int32_t anzahl, const double* parameter,
                                             const FeffPfad* pfade, const double* gewichte, double filter,
                                             double messTemperatur)
{
    std::vector<FeffListenZeile> aus;
    if (!typen || !parameter || !pfade || !gewichte || anzahl < 1 || typen[0] % 100 != 25) return aus;
    if (anzahl > FEFF_PFADE) anzahl = FEFF_PFADE;
    int32_t letzte = anzahl;
    for (int32_t j = 1; j < anzahl; ++j) {
        const int32_t t = typen[j] % 100;
        if (t < 21 || t > 24) {
            letzte = j;
            break;
        }
    }
    double groesstes = 0.0;
    for (int32_t j = 1; j < letzte; ++j)
        if (gewichte[j] > groesstes) groesstes = gewichte[j];
    int32_t p = FeffModellParameter(typen[0]);
    for (int32_t j = 1; j < letzte; ++j) {
        const FeffPfad& s = pfade[j];
        const double* q = parameter + p;
        p += FeffModellParameter(typen[j]);
        FeffListenZeile z;
        z.Dateiname = Feld(s.Dateiname, sizeof s.Dateiname);
        if (z.Dateiname.empty()) {
            char name[20];
            if (FeffDateiname(s.Pfadnummer, name, sizeof name)) z.Dateiname = name;
        }
        z.Pfadnummer = s.Pfadnummer;
        z.Beine = s.Beine;
        z.Verhaeltnis = groesstes > 0.0 ? gewichte[j] / groesstes * 100.0 : 0.0;
        z.Entartung = s.Entartung;
        z.Reff = s.Reff;
        z.N = q[0];
        z.R = q[1] < 1.0 ? q[1] + s.Reff : q[1];
        z.Sigma2 = q[2] > 1.0 ? CorrDebyeSigma2(s, messTemperatur, q[2]) : q[2];
        if (z.Verhaeltnis >= filter || z.Beine == 2) aus.push_back(z);
    }
    return aus;
}

std::string PathsDatBloecke(const std::string& pathsDat, const std::vector<int32_t>& pfadnummern)
{
    const std::vector<std::string> z = Zeilen(pathsDat);
    std::string aus;
    std::size_t i = 0;
    for (; i < z.size() && !PfadKopf(z[i]); ++i) aus += z[i] + "\n";
    for (int32_t nummer : pfadnummern)
        for (std::size_t k = i; k < z.size(); ++k) {
            if (!PfadKopf(z[k]) || std::atoi(z[k].c_str()) != nummer) continue;
            aus += z[k] + "\n";
            for (std::size_t m = k + 1; m < z.size() && !PfadKopf(z[m]); ++m) aus += z[m] + "\n";
            break;
        }
    return aus;
}

std::string FeffListenDatei(const std::string& filesDat, const std::string& pathsDat,
                            const std::vector<FeffListenZeile>& zeilen, bool original)
{
    std::string aus = FilesDatKopf(filesDat);
    std::vector<int32_t> nummern;
    for (const FeffListenZeile& z : zeilen) {
        aus += FeffListenZeilenText(z, original);
        nummern.push_back(z.Pfadnummer);
    }
    aus += FILES_DAT_PATHS_TRENNER;
    // Without paths the list ends at the separator.
    if (!pathsDat.empty() && !nummern.empty()) aus += PathsDatBloecke(pathsDat, nummern);
    return aus;
}
