#include "macro_fixture.h"

#include <algorithm>
#include <cstring>

std::vector<Schritt> MakroFixture::schritte;
void (*MakroFixture::beimSchritt)(int32_t, LPARAM) = nullptr;
std::vector<int32_t> MakroFixture::gespielt;
std::string MakroFixture::dialogPfad;
std::string MakroFixture::dialogTitel;
DWORD MakroFixture::dialogFlags = 0;

Schritt MakroFixture::Jetzt(int32_t befehl, LPARAM lParam)
{
    Schritt s;
    s.befehl = befehl;
    s.lParam = lParam;
    s.dialog.assign(HAUPTDATEN.DialogWerte, HAUPTDATEN.DialogWerte + 14);
    const grafik_fenster& g = GrafikFenster[0];
    s.anzahl = g.AnzahlFunktionen;
    s.grad = g.PolyGrad;
    s.maxPar = MaxParameter;
    s.maxFit = MaxFitParameter;
    s.typen.assign(g.FunktionsTypen, g.FunktionsTypen + 4);
    s.parameter.assign(g.Parameter, g.Parameter + 6);
    s.parameter.insert(s.parameter.end(), g.Parameter + 500, g.Parameter + 512);
    s.freie.assign(FreeParameterList, FreeParameterList + 6);
    s.flags.assign(ParameterFlags, ParameterFlags + 6);
    s.worte.assign(CorrelationWords, CorrelationWords + 6);
    s.konst.assign(CorrelationConstants, CorrelationConstants + 6);
    s.text2 = CommandText2;
    return s;
}

void MakroFixture::Beobachter(int32_t befehl, LPARAM lParam)
{
    schritte.push_back(Jetzt(befehl, lParam));
    if (beimSchritt) beimSchritt(befehl, lParam);
    if (std::find(gespielt.begin(), gespielt.end(), befehl) == gespielt.end())
        MakroSchrittDispatcher(befehl, lParam);
}

BOOL WINAPI MakroFixture::Dialog(LPOPENFILENAMEA ofn)
{
    dialogTitel = ofn->lpstrTitle ? ofn->lpstrTitle : "";
    dialogFlags = ofn->Flags;
    if (dialogPfad.empty() || dialogPfad.size() >= ofn->nMaxFile) return FALSE;
    std::strcpy(ofn->lpstrFile, dialogPfad.c_str());
    return TRUE;
}

void MakroFixture::SetUp()
{
    LaufendesProgramm::SetUp();
    schritte.clear();
    beimSchritt = nullptr;
    gespielt.clear();
    dialogPfad.clear();
    MakroSchritt = Beobachter;
    MakroOeffnenDialog = Dialog;
    MakroSpeichernDialog = Dialog;

    grafik = CreateWindowA("static", "", WS_CHILD | WS_VISIBLE, 0, 80, 100, 100, hwnd, nullptr, nullptr, nullptr);
    ASSERT_NE(grafik, nullptr);
    BringWindowToTop(grafik);
    HAUPTDATEN.GrafikHandles[0] = grafik;
    AnzahlFenster = 1;
    AktivesFenster = 0;
    typen.assign(2000, 0);
    parameter.assign(35000, 0.0);
    grafik_fenster& g = GrafikFenster[0];
    alteTypen = g.FunktionsTypen;
    alteParameter = g.Parameter;
    g.FunktionsTypen = typen.data();
    g.Parameter = parameter.data();
    g.AnzahlFunktionen = 0;
    g.PolyGrad = 0;
    MaxParameter = MaxFitParameter = 0;
}

void MakroFixture::TearDown()
{
    MakroSchritt = MakroSchrittDispatcher;
    MakroOeffnenDialog = GetOpenFileNameA;
    MakroSpeichernDialog = GetSaveFileNameA;
    beimSchritt = nullptr;
    ButtonBar.MakroClose();
    HAUPTDATEN.MakroAufnahme = 0;
    MakroRunning = 0;
    HAUPTDATEN.MakroSchrittAktiv = 0;
    HAUPTDATEN.FitZustand = 0;
    Beende();
    grafik_fenster& g = GrafikFenster[0];
    g.FunktionsTypen = alteTypen;
    g.Parameter = alteParameter;
    FitFunctionTypes = nullptr;
    FitParameters = nullptr;
    ShellFixture::TearDown();
}

void MakroFixture::FitZustandSetzen()
{
    grafik_fenster& g = GrafikFenster[0];
    g.AnzahlFunktionen = 2;
    g.FunktionsTypen[0] = 1;
    g.FunktionsTypen[1] = 3;
    g.PolyGrad = 1;
    const double werte[6] = {1.5, 6.54, 3.2e-5, -0.25, 100.0, 2.0};
    const double grenzen[12] = {0, 10, 6, 7, 0, 1e-3, -1, 1, 50, 150, 0, 5};
    for (int i = 0; i < 6; ++i) g.Parameter[i] = werte[i];
    for (int i = 0; i < 12; ++i) g.Parameter[500 + i] = grenzen[i];
    MaxParameter = 5;
    MaxFitParameter = 3;
    const int32_t freie[6] = {0, 1, 3, 5, 2, 4}, flags[6] = {0, 0, 2, 0, 2, 0},
                  worte[6] = {-1, -1, -1, -1, 0x402, -1};
    const double konst[6] = {0, 0, 0, 0, 1.5, 0};
    for (int i = 0; i < 6; ++i) {
        FreeParameterList[i] = freie[i];
        ParameterFlags[i] = flags[i];
        CorrelationWords[i] = worte[i];
        CorrelationConstants[i] = konst[i];
    }
}
