#include "shell/macro_player.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "fit/fit_model.h"

namespace {

void TextSetzen(char* ziel, size_t kapazitaet, const std::string& text, const char* anhang)
{
    std::string t = text + anhang;
    if (t.size() >= kapazitaet) t.resize(kapazitaet - 1);
    std::memcpy(ziel, t.c_str(), t.size() + 1);
}

}  // namespace

bool MakroSatzAnwenden(const MakroSatz& s, const MakroZiele& z, MakroSpielZustand& zustand)
{
    // The reader has held every count to the table it fills (macro_file.h).
    for (size_t i = 0; i < s.Werte.size() && i < static_cast<size_t>(MAKRO_DIALOGWERTE); ++i)
        z.DialogWerte[i] = s.Werte[i];

    bool genommen = false;
    if (s.MitParametern &&
        MakroParameterUebernehmen(s, zustand.VorigerBefehl, zustand.VorigeFunktionsAnzahl,
                                  zustand.FitGespielt)) {
        for (size_t i = 0; i < s.Parameter.size(); ++i) z.FitParameter[i] = s.Parameter[i];
        genommen = true;
    }
    *z.MaxParameter = s.MaxParameter;
    *z.MaxFitParameter = s.MaxFitParameter;

    *z.FunktionsAnzahl = static_cast<int32_t>(s.FunktionsTypen.size());
    for (size_t i = 0; i < s.FunktionsTypen.size(); ++i) z.FunktionsTypen[i] = s.FunktionsTypen[i];
    *z.PolynomGrad = s.PolynomGrad;

    if (MakroHatTabellen(s.Befehl)) {
        zustand.FitGespielt = true;
        for (size_t i = 0; i < s.FreieParameter.size(); ++i) z.FreieParameter[i] = s.FreieParameter[i];
        for (size_t i = 0; i < s.Flags.size(); ++i) z.Flags[i] = s.Flags[i];
        for (size_t i = 0; i < s.Grenzen.size(); ++i) z.FitParameter[500 + i] = s.Grenzen[i];
        for (size_t i = 0; i < s.KorrelationsWorte.size(); ++i) z.KorrelationsWorte[i] = s.KorrelationsWorte[i];
        for (size_t i = 0; i < s.KorrelationsKonstanten.size(); ++i)
            z.KorrelationsKonstanten[i] = s.KorrelationsKonstanten[i];
    } else {
        for (int32_t i = 0; i < MAKRO_TABELLEN_RUECKSETZEN; ++i) {
            z.FreieParameter[i] = i;
            z.Flags[i] = 0;
            z.KorrelationsWorte[i] = 0;
            z.KorrelationsKonstanten[i] = 0.0;
        }
    }

    if (MakroHatSplineTeil(s))
        for (size_t i = 0; i < s.SplineLayout.size(); ++i) z.FitParameter[1000 + i] = s.SplineLayout[i];

    switch (s.Befehl) {
    case 905:
    case 815:
    case 808:
        // The consumers strip the line feed that the file line had.
        if (MakroHatText(s)) TextSetzen(z.Text2, MAKRO_TEXT_KAPAZITAET, s.Text, "\n");
        break;
    case 623:
    case 624:
    case 827:
    case 890:
        TextSetzen(z.Text, MAKRO_COMMANDTEXT_KAPAZITAET, s.Text, "");
        break;
    case 844:
        TextSetzen(z.Text, MAKRO_COMMANDTEXT_KAPAZITAET, s.Text, "");
        // The LC-XANES handler starts a new result table on "true".
        TextSetzen(z.Text2, MAKRO_TEXT_KAPAZITAET, zustand.VorigerBefehl == 844 ? "false" : "true", "");
        break;
    case 807:
        if (MakroHatFeffTeil(s))
            z.DialogWerte[2] = static_cast<double>(s.Feff.Quelltexte.size());
        else
            TextSetzen(z.Text2, MAKRO_TEXT_KAPAZITAET, s.Text, "");
        break;
    default:
        break;
    }
    return genommen;
}

void MakroSchrittGemerkt(const MakroSatz& s, int32_t funktionsAnzahl, MakroSpielZustand& zustand)
{
    zustand.VorigerBefehl = s.Befehl;
    zustand.VorigeFunktionsAnzahl = funktionsAnzahl;
}

int32_t MakroSatzAufnehmen(MakroSatz& s, int32_t befehl, int32_t n, int32_t letzter,
                           const MakroQuellen& q)
{
    s = MakroSatz();
    if (!q.DialogWerte) return MAKRO_UNGUELTIG;
    if (letzter >= 0 && !q.FitParameter) return MAKRO_UNGUELTIG;
    MakroBefehlSetzen(s, befehl, q.DialogWerte, n, q.FitParameter, letzter);
    MakroModellSetzen(s, q.MaxParameter, q.MaxFitParameter, q.FunktionsTypen ? q.FunktionsAnzahl : 0,
                      q.FunktionsTypen, q.PolynomGrad);
    if (MakroHatTabellen(befehl)) {
        if (!q.FitParameter || !q.FreieParameter || !q.Flags || !q.KorrelationsWorte ||
            !q.KorrelationsKonstanten)
            return MAKRO_UNGUELTIG;
        MakroTabellenSetzen(s, letzter, q.FreieParameter, reinterpret_cast<const uint32_t*>(q.Flags),
                            q.FitParameter, q.KorrelationsWorte, q.KorrelationsKonstanten);
    }
    if (MakroHatSplineTeil(s)) {
        if (!q.FitParameter) return MAKRO_UNGUELTIG;
        MakroSplineSetzen(s, q.FitParameter);
    }
    if (MakroHatText(s) && q.Text2) {
        // One line of the file: a line end that the text still carries from
        // its own replay ends it.
        std::string t(q.Text2);
        size_t ende = t.find_first_of("\r\n");
        if (ende != std::string::npos) t.resize(ende);
        s.Text = t;
    }
    return MAKRO_SATZ;
}

namespace {

// The values of the line [a, e) that starts with the column's number
// (leading integer - 1 == spalte): number and S coefficients, or false.
bool SpaltenZeile(const char* a, const char* e, int32_t spalte, int32_t saetze, std::vector<double>* c)
{
    const std::string zeile(a, e);
    const char* p = zeile.c_str();
    char* ende = nullptr;
    const long nummer = std::strtol(p, &ende, 10);
    if (ende == p || nummer - 1 != spalte) return false;
    // The number is read again as the first value of the line.
    c->clear();
    for (int32_t k = 0; k <= saetze; ++k) {
        const double v = std::strtod(p, &ende);
        if (ende == p) return false;
        if (k > 0) c->push_back(v);
        p = ende;
    }
    return true;
}

}  // namespace

int32_t MakroSpaltenKoeffizienten(const MakroSatz& s, const char* text, size_t laenge, int32_t spalte,
                                  const MakroZiele& z, std::vector<double>* koeffizienten)
{
    if (!MakroHatFeffTeil(s) || !text) return 0;
    const MakroFeffTeil& f = s.Feff;
    const int32_t saetze = f.SatzAnzahl;
    if (saetze < 2 || saetze > 5 || f.SatzFlags.empty() || !(f.SatzFlags[0] & 1)) return 0;
    std::vector<double> c;
    bool gefunden = false;
    const char* ende = text + laenge;
    // Line 1 names the series file (a name such as "0012.dxa" could pass
    // for a column's line); the columns follow it.
    const char* erste = static_cast<const char*>(std::memchr(text, '\n', laenge));
    for (const char* a = erste ? erste + 1 : ende; a < ende && !gefunden;) {
        const char* e = static_cast<const char*>(std::memchr(a, '\n', ende - a));
        if (!e) e = ende;
        gefunden = SpaltenZeile(a, e, spalte, saetze, &c);
        a = e < ende ? e + 1 : ende;
    }
    if (!gefunden) return 0;
    // The set weights are the model's last parameters.
    const int32_t erster = *z.MaxParameter - saetze + 1;
    if (erster < 0 || *z.MaxParameter >= MAKRO_PARAMETER_BLOCK) return 0;
    for (int32_t j = 0; j < saetze; ++j) z.FitParameter[erster + j] = c[j];
    if (koeffizienten) *koeffizienten = c;

    // Paths of a negligible set stay where they are.
    const int32_t anzahl = *z.FunktionsAnzahl;
    if (anzahl < 2) return saetze;
    // Functions counted from 0 (the type-25 function): the paths are 1 ..
    // anzahl - 1, each with as many parameters as path function 1.
    const int32_t proFunktion = FunctionParameterCount(z.FunktionsTypen[1], *z.PolynomGrad, 0);
    int32_t start = FunctionParameterCount(z.FunktionsTypen[0], *z.PolynomGrad, 0);
    for (size_t k = 0; k < f.SatzNummern.size() && static_cast<int32_t>(k) + 1 < anzahl; ++k) {
        const int32_t funktion = static_cast<int32_t>(k) + 1;
        const int32_t satz = f.SatzNummern[k];
        const int32_t eigene = FunctionParameterCount(z.FunktionsTypen[funktion], *z.PolynomGrad, 0);
        if (satz >= 1 && satz <= saetze && c[satz - 1] < 0.05) {
            for (int32_t i = 0; i < proFunktion; ++i) {
                const int32_t q = start + i;
                if (q < 0 || q >= MAKRO_MAX_PARAMETER || (z.Flags[q] & 1)) continue;
                z.Flags[q] |= 1;
                if ((z.Flags[q] & 4) && z.KorrelationsWorte[q] >= 0) continue;
                z.Flags[q] ^= 0x8000;
                for (int32_t pos = 0; pos <= *z.MaxFitParameter && pos < MAKRO_MAX_PARAMETER; ++pos)
                    if (z.FreieParameter[pos] == q) {
                        z.FreieParameter[pos] = z.FreieParameter[*z.MaxFitParameter];
                        --*z.MaxFitParameter;
                        break;
                    }
            }
        }
        start += eigene;
    }
    return saetze;
}

int32_t MakroSpaltenKoeffizientenDatei(const MakroSatz& s, const std::string& pfad, int32_t spalte,
                                       const MakroZiele& z, std::vector<double>* koeffizienten)
{
    if (!MakroHatFeffTeil(s)) return 0;
    std::ifstream datei(pfad, std::ios::binary);
    if (!datei) return 0;
    const std::string text((std::istreambuf_iterator<char>(datei)), std::istreambuf_iterator<char>());
    return MakroSpaltenKoeffizienten(s, text.data(), text.size(), spalte, z, koeffizienten);
}
