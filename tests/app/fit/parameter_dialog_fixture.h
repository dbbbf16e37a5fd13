// The parameter dialogs driven as a user would: the steps that press,
// focus and toggle, a picture of a dialog, and window 0 with fresh tables.
#ifndef KORLAN_TESTS_FIT_PARAMETER_DIALOG_FIXTURE_H
#define KORLAN_TESTS_FIT_PARAMETER_DIALOG_FIXTURE_H

#include <gtest/gtest.h>

#include <richedit.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "app/spectra/data_commands_fixture.h"
#include "app/temp_folder.h"
#include "fit/fit_model.h"
#include "fit/parameter_dialogs.h"
#include "fit/parameter_dialogs_win.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"

namespace parameter_test {

inline DialogSchritt Fokus(int id)
{
    return [id](HWND d) { SetFocus(GetDlgItem(d, id)); };
}

// A button press handled before the step returns.
inline DialogSchritt Sende(int id)
{
    return [id](HWND d) {
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
    };
}

// A check box toggled as a click would, handled at once (no dialog opens).
inline DialogSchritt Umschalten(int id)
{
    return [id](HWND d) {
        HWND k = GetDlgItem(d, id);
        SendMessageA(k, BM_SETCHECK, IsDlgButtonChecked(d, id) ? BST_UNCHECKED : BST_CHECKED, 0);
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(k));
    };
}

inline DialogSchritt Klick(int id)
{
    return [id](HWND d) {
        HWND k = GetDlgItem(d, id);
        SendMessageA(k, BM_SETCHECK, IsDlgButtonChecked(d, id) ? BST_UNCHECKED : BST_CHECKED, 0);
        PostMessageA(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(k));
    };
}

inline void Bild(HWND fenster, const char* datei) { EXPECT_TRUE(FensterFoto(fenster, datei)); }

// Every table and counter of b as in a.
inline void GleicherStand(const TABELLEN_STAND& a, const TABELLEN_STAND& b)
{
    EXPECT_EQ(b.Block, a.Block);
    EXPECT_EQ(b.Flags, a.Flags);
    EXPECT_EQ(b.Worte, a.Worte);
    EXPECT_EQ(b.Konstanten, a.Konstanten);
    EXPECT_EQ(b.Liste, a.Liste);
    EXPECT_EQ(b.MaxFit, a.MaxFit);
    EXPECT_EQ(b.MaxPar, a.MaxPar);
}

}  // namespace parameter_test

using namespace parameter_test;

// Window 0 as the target, with parameter tables of the test's own in
// place of the program's for the length of one test.
class EigeneTabellenWin : public EditFixture {
protected:
    // Window 0 is the target: dialogs that close may leave another window
    // on top.
    void Fenster0()
    {
        BringWindowToTop(grafik[0]);
        BefehlsFenster(&HAUPTDATEN, false);
        ASSERT_EQ(AktivesFenster, 0);
    }
    std::vector<int32_t> flags = std::vector<int32_t>(PARAMETER_TABLE_ENTRIES, 0);
    std::vector<int32_t> words = std::vector<int32_t>(PARAMETER_TABLE_ENTRIES, 0);
    std::vector<double> constants = std::vector<double>(PARAMETER_TABLE_ENTRIES, 0.0);
    std::vector<int32_t> freeList = std::vector<int32_t>(FREE_LIST_ENTRIES, 0);
    int32_t* alt[3] = {};
    double* altK = nullptr;

    void SetUp() override
    {
        EditFixture::SetUp();
        alt[0] = ParameterFlags;
        alt[1] = CorrelationWords;
        alt[2] = FreeParameterList;
        altK = CorrelationConstants;
        ParameterFlags = flags.data();
        CorrelationWords = words.data();
        FreeParameterList = freeList.data();
        CorrelationConstants = constants.data();
    }
    void TearDown() override
    {
        ParameterFlags = alt[0];
        CorrelationWords = alt[1];
        FreeParameterList = alt[2];
        CorrelationConstants = altK;
        HilfeThema = 0;
        EditFixture::TearDown();
    }
};

class ParameterTableWin : public EigeneTabellenWin {
protected:
    void SetUp() override
    {
        EigeneTabellenWin::SetUp();
        Kurve(0, 50, [](double x) { return 0.1 * x; });
    }
    // Window 0's model with values 1, 2, 3, ... and fresh tables.
    void Modell(std::initializer_list<int32_t> codes, int32_t grad = 0)
    {
        grafik_fenster& g = GrafikFenster[0];
        g.AnzahlFunktionen = 0;
        for (int32_t c : codes) g.FunktionsTypen[g.AnzahlFunktionen++] = c;
        g.PolyGrad = grad;
        Fenster0();
        const int32_t n = ResetModelTables();
        ASSERT_GT(n, 0);
        for (int32_t j = 0; j < n; ++j) g.Parameter[j] = j + 1;
    }
    int32_t Tabelle(std::vector<DialogSchritt> schritte)
    {
        int32_t r = -1;
        EXPECT_TRUE(MitDialogen(std::move(schritte), [&] {
            Fenster0();
            r = ParameterTabelle(&HAUPTDATEN);
        }));
        return r;
    }
};


#endif
