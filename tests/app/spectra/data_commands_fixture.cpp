#include "data_commands_fixture.h"

#include <cstring>

#include "app/dialog_watcher.h"
#include "plotting/plot_test_support.h"
#include "resource_ids.h"
#include "shell/results_window.h"

namespace {

std::vector<DialogSchritt> offen;
size_t naechster = 0;
int leerlauf = 0;
bool haengt = false;

void CALLBACK Takt(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dlg = dialog_waechter::ObersterDialog();
    if (!dlg) return;
    if (naechster < offen.size()) {
        DialogSchritt s = offen[naechster++];
        s(dlg);
        return;
    }
    if (++leerlauf > 50) {
        haengt = true;
        EndDialog(dlg, 0);
    }
}

double Modell(double x, double, double* xs, double* ys, int32_t n)
{
    if (xs && ys) {
        for (int32_t i = 0; i < n; ++i) ys[i] = 2.0 * xs[i] + 1.0;
        return 0.0;
    }
    return 2.0 * x + 1.0;
}

}  // namespace

bool MitDialogen(std::vector<DialogSchritt> schritte, const std::function<void()>& aktion)
{
    offen = std::move(schritte);
    naechster = 0;
    leerlauf = 0;
    haengt = false;
    dialog_waechter::Beginne();
    const UINT_PTR uhr = SetTimer(nullptr, 0, 15, Takt);
    aktion();
    KillTimer(nullptr, uhr);
    dialog_waechter::Beende();
    return !haengt && naechster == offen.size();
}

std::vector<std::string> ListenZeilen(HWND dlg, int id)
{
    std::vector<std::string> z;
    const LRESULT n = SendDlgItemMessageA(dlg, id, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        char t[200] = {};
        SendDlgItemMessageA(dlg, id, LB_GETTEXT, i, reinterpret_cast<LPARAM>(t));
        z.push_back(t);
    }
    return z;
}

DialogSchritt SetzeText(int id, const char* text)
{
    std::string t = text;
    return [id, t](HWND dlg) { SetDlgItemTextA(dlg, id, t.c_str()); };
}

DialogSchritt Druecke(int id)
{
    return [id](HWND dlg) {
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
    };
}

DialogSchritt Waehle(int id)
{
    return [id](HWND dlg) {
        HWND knopf = GetDlgItem(dlg, id);
        if ((GetWindowLongA(knopf, GWL_STYLE) & 0x0F) == BS_AUTORADIOBUTTON) {
            HWND k = GetNextDlgGroupItem(dlg, knopf, FALSE);
            while (k && k != knopf) {
                SendMessageA(k, BM_SETCHECK, BST_UNCHECKED, 0);
                k = GetNextDlgGroupItem(dlg, k, FALSE);
            }
        }
        SendMessageA(knopf, BM_SETCHECK, BST_CHECKED, 0);
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(knopf));
    };
}

void EditFixture::SetUp()
{
    LaufendesProgramm::SetUp();
    altesModell = HAUPTDATEN.ModellCallback;
    HAUPTDATEN.ModellCallback = Modell;
    for (int w = 0; w < 2; ++w) {
        grafik[w] = CreateWindowA("static", "", WS_CHILD | WS_VISIBLE, 10 * w, 80, 300, 200, hwnd,
                                  nullptr, nullptr, nullptr);
        ASSERT_NE(grafik[w], nullptr);
        HAUPTDATEN.GrafikHandles[w] = grafik[w];
        grafik_fenster& g = GrafikFenster[w];
        g.Reset();
        ASSERT_EQ(g.AllocFelder(), 1);
        typen[w].assign(2000, 0);
        parameter[w].assign(35000, 0.0);
        g.FunktionsTypen = typen[w].data();
        g.Parameter = parameter[w].data();
        g.FensterNummer = w;
        std::strcpy(g.DateiInfo.DateiName, "kurve.dat");
    }
    AnzahlFenster = 2;
    BringWindowToTop(grafik[0]);
    AktivesFenster = 0;
    FehlerCode = 0;
    RedrawPerMessage = 1;
    MakroRunning = 0;
}

void EditFixture::TearDown()
{
    HAUPTDATEN.ModellCallback = altesModell;
    HAUPTDATEN.MakroAufnahme = 0;
    MakroRunning = 0;
    FehlerCode = 0;
    // Windows that a command opened go with the main window; their
    // records are freed here in case their closing did not run.
    for (int w = 2; w < 4; ++w)
        if (HAUPTDATEN.GrafikHandles[w]) DestroyWindow(HAUPTDATEN.GrafikHandles[w]);
    for (int w = 0; w < 2; ++w) {
        grafik_fenster& g = GrafikFenster[w];
        g.FreeFelder();
        g.Reset();
        g.FunktionsTypen = nullptr;
        g.Parameter = nullptr;
        g.DateiInfo.PunkteProKurve[0] = 0;
    }
    FitFunctionTypes = nullptr;
    FitParameters = nullptr;
    Beende();
    ShellFixture::TearDown();
}

void EditFixture::Kurve(int w, int n, double (*f)(double))
{
    grafik_fenster& g = GrafikFenster[w];
    for (int i = 0; i < n; ++i) {
        g.GetXFeld(0)[i] = i;
        g.GetYFeld(0)[i] = f(i);
    }
    g.ZeigeDaten = 1;
    NurSlotNull(w, n);
}

void EditFixture::NurSlotNull(int w, int n)
{
    grafik_fenster& g = GrafikFenster[w];
    for (int s = 0; s < 4; ++s) {
        g.DateiInfo.PunkteProKurve[s] = s == 0 ? n : 0;
        g.KurvenFlags[s] = 0;
    }
    g.KurvenZaehler = 0;
    g.NeuesterZaehler = 0;
    g.SetFullBorder();
}

std::vector<double> EditFixture::X(int w, int s) const
{
    grafik_fenster& g = GrafikFenster[w];
    return std::vector<double>(g.GetXFeld(s), g.GetXFeld(s) + g.DateiInfo.PunkteProKurve[s]);
}

std::vector<double> EditFixture::Y(int w, int s) const
{
    grafik_fenster& g = GrafikFenster[w];
    return std::vector<double>(g.GetYFeld(s), g.GetYFeld(s) + g.DateiInfo.PunkteProKurve[s]);
}

void EditFixture::Prepared(int32_t id, std::vector<double> dw)
{
    for (int i = 0; i < 14; ++i) HAUPTDATEN.DialogWerte[i] = i < static_cast<int>(dw.size()) ? dw[i] : 0.0;
    HAUPTDATEN.Befehl(id, LP_PREPARED);
}

std::string EditFixture::Historie() const
{
    return ResultsWindow.HistorieText;
}

bool FensterFoto(HWND fenster, const char* datei)
{
    RECT r;
    GetWindowRect(fenster, &r);
    plot_test::Canvas cv(r.right - r.left, r.bottom - r.top);
    HDC quelle = GetWindowDC(fenster);
    BitBlt(cv.dc, 0, 0, cv.w, cv.h, quelle, 0, 0, SRCCOPY);
    ReleaseDC(fenster, quelle);
    char pfad[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, pfad, MAX_PATH);
    std::string ziel = pfad;
    ziel = ziel.substr(0, ziel.find_last_of("\\/") + 1) + datei;
    return cv.WritePng(ziel.c_str());
}

