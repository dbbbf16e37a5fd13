#include "shell/macro_player.h"

#include <cstring>

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
