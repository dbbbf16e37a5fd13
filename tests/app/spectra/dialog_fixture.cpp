#include "dialog_fixture.h"

#include <cstring>

#include "app/dialog_watcher.h"
#include "spectra/data_dialogs_win.h"
#include "spectra/spectra_globals.h"

namespace {

std::vector<Schritt> offeneSchritte;
size_t naechster = 0;
int leerlauf = 0;

void CALLBACK Takt(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dlg = dialog_waechter::ObersterDialog();
    if (!dlg) return;
    if (naechster < offeneSchritte.size()) {
        Schritt s = offeneSchritte[naechster++];
        s(dlg);
        return;
    }
    // The steps are done but a dialog is still open: end it so that the
    // test fails instead of hanging.
    if (++leerlauf > 50) EndDialog(dlg, HAENGT);
}

}  // namespace

INT_PTR MitDialogen(const char* name, const std::function<INT_PTR()>& oeffnen, std::vector<Schritt> schritte)
{
    offeneSchritte = std::move(schritte);
    naechster = 0;
    leerlauf = 0;
    dialog_waechter::Beginne();
    const UINT_PTR uhr = SetTimer(nullptr, 0, 15, Takt);
    const INT_PTR r = oeffnen();
    KillTimer(nullptr, uhr);
    dialog_waechter::Beende();
    EXPECT_EQ(naechster, offeneSchritte.size()) << name << ": not every step ran";
    return r;
}

INT_PTR OeffneDialog(const char* name, DLGPROC proc, std::vector<Schritt> schritte)
{
    return MitDialogen(name, [&] { return DialogBoxParamA(GetModuleHandleA(nullptr), name, nullptr, proc, 0); },
                       std::move(schritte));
}

Schritt Text(int id, const char* text)
{
    std::string t = text;
    return [id, t](HWND dlg) { SetDlgItemTextA(dlg, id, t.c_str()); };
}

Schritt Klick(int id)
{
    return [id](HWND dlg) {
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
    };
}

Schritt Kreuze(int id, bool an)
{
    return [id, an](HWND dlg) {
        HWND knopf = GetDlgItem(dlg, id);
        // An automatic radio button clears the others of its group.
        const LONG stil = GetWindowLongA(knopf, GWL_STYLE) & 0x0F;
        if (an && stil == BS_AUTORADIOBUTTON) {
            HWND k = GetNextDlgGroupItem(dlg, knopf, FALSE);
            while (k && k != knopf) {
                SendMessageA(k, BM_SETCHECK, BST_UNCHECKED, 0);
                k = GetNextDlgGroupItem(dlg, k, FALSE);
            }
        }
        SendMessageA(knopf, BM_SETCHECK, an ? BST_CHECKED : BST_UNCHECKED, 0);
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(knopf));
    };
}

Schritt Waehle(int id, int eintrag)
{
    return [id, eintrag](HWND dlg) { SendDlgItemMessageA(dlg, id, CB_SETCURSEL, eintrag, 0); };
}

Schritt WaehleListe(int id, int eintrag)
{
    return [id, eintrag](HWND dlg) {
        SendDlgItemMessageA(dlg, id, LB_SETCURSEL, eintrag, 0);
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
    };
}

Schritt Pruefe(std::function<void(HWND)> f)
{
    return f;
}

std::string TextVon(HWND dlg, int id)
{
    char text[4096] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return text;
}

bool Sichtbar(HWND dlg, int id)
{
    return (GetWindowLongA(GetDlgItem(dlg, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool Aktiv(HWND dlg, int id)
{
    return IsWindowEnabled(GetDlgItem(dlg, id)) != FALSE;
}

bool Gecheckt(HWND dlg, int id)
{
    return IsDlgButtonChecked(dlg, id) == BST_CHECKED;
}

std::vector<GezeigteMeldung> DialogFixture::meldungen;

int WINAPI DialogFixture::Antworte(HWND, LPCSTR text, LPCSTR titel, UINT)
{
    meldungen.push_back({text ? text : "", titel ? titel : "", HilfeThema});
    return IDOK;
}

void DialogFixture::SetUp()
{
    meldungen.clear();
    MeldungsBox = Antworte;
    alteFenster.reset(new grafik_fenster[4]);
    for (int w = 0; w < 4; ++w) {
        alteFenster[w] = GrafikFenster[w];
        GrafikFenster[w].Reset();
        alteHandles[w] = HAUPTDATEN.GrafikHandles[w];
        HAUPTDATEN.GrafikHandles[w] = nullptr;
    }
    std::memcpy(alteWerte, HAUPTDATEN.DialogWerte, sizeof alteWerte);
    std::memcpy(altePalette, HAUPTDATEN.Farbpalette, sizeof altePalette);
    altesAktives = AktivesFenster;
    altesThema = HilfeThema;
    alteGroesse = HAUPTDATEN.KopierGroesse;
    altesMetafile = HAUPTDATEN.AlsMetafile;
    alteAnzahl = FitFunctionCount;
    alteTypen = FitFunctionTypes;
    alteParameter = FitParameters;
    alterGrad = FitPolyDegree;
    alteArt = FitModellArt;
    alterText = CommandText;
    textPuffer.assign(COMMAND_TEXT_BYTES, 0);
    CommandText = textPuffer.data();
    DatenAnwenden = nullptr;
    HilfeThema = 0;
    AktivesFenster = -1;
    MarkiereWerte();
}

void DialogFixture::TearDown()
{
    for (int w = 0; w < 4; ++w) {
        if (fenster[w]) DestroyWindow(fenster[w]);
        GrafikFenster[w] = alteFenster[w];
        HAUPTDATEN.GrafikHandles[w] = alteHandles[w];
    }
    std::memcpy(HAUPTDATEN.DialogWerte, alteWerte, sizeof alteWerte);
    std::memcpy(HAUPTDATEN.Farbpalette, altePalette, sizeof altePalette);
    AktivesFenster = altesAktives;
    HilfeThema = altesThema;
    HAUPTDATEN.KopierGroesse = alteGroesse;
    HAUPTDATEN.AlsMetafile = altesMetafile;
    FitFunctionCount = alteAnzahl;
    FitFunctionTypes = alteTypen;
    FitParameters = alteParameter;
    FitPolyDegree = alterGrad;
    FitModellArt = alteArt;
    CommandText = alterText;
    DatenAnwenden = nullptr;
    MeldungsBox = MessageBoxA;
}

void DialogFixture::OeffneFenster(int w, const char* datei, int32_t neuester, int32_t aktuell)
{
    fenster[w] = CreateWindowA("STATIC", datei, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(fenster[w], nullptr);
    HAUPTDATEN.GrafikHandles[w] = fenster[w];
    grafik_fenster& rec = GrafikFenster[w];
    std::strncpy(rec.DateiInfo.DateiName, datei, sizeof rec.DateiInfo.DateiName - 1);
    rec.NeuesterZaehler = neuester;
    rec.KurvenZaehler = aktuell;
}

void DialogFixture::MarkiereWerte()
{
    for (int i = 0; i < 14; ++i) HAUPTDATEN.DialogWerte[i] = 100.0 + i;
}

bool DialogFixture::WerteUnveraendert(int ausser) const
{
    for (int i = 0; i < 14; ++i)
        if (i != ausser && HAUPTDATEN.DialogWerte[i] != 100.0 + i) return false;
    return true;
}
