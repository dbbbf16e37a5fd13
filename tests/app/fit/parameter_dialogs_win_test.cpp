// The parameter table and the constraint dialog, driven as a user would:
// values, flag boxes, pages, schemes and Cancel.
#include "parameter_dialog_fixture.h"

TEST_F(ParameterTableWin, ValuesPagesAndEmptyEdits)
{
    Modell({1, 2, 12, 1, 7}, 1);  // 3 + 4 + 4 + 3 + 2 parameters, two pages
    std::string knopf;
    EXPECT_EQ(Tabelle({SetzeText(IDC_PT_VALUE + 1, "42.5"), SetzeText(IDC_PT_VALUE + 10, ""),
                       [&](HWND d) {
                           char t[16];
                           GetDlgItemTextA(d, IDOK, t, sizeof t);
                           knopf = t;
                       },
                       Sende(IDOK), SetzeText(IDC_PT_VALUE + 1, "-7"), Sende(IDOK)}),
              1);
    EXPECT_EQ(knopf, "Next");
    const double* p = GrafikFenster[0].Parameter;
    EXPECT_EQ(p[1], 42.5);
    EXPECT_EQ(p[3], 0.0);   // the empty edit
    EXPECT_EQ(p[15], -7.0);  // the polynomial on page 2
    EXPECT_EQ(p[14], 15.0);
    EXPECT_EQ(FitFunctionCount, 5);
}

TEST_F(ParameterTableWin, FlagBoxesKeepTheListAndRefuseConstrainingFixed)
{
    Modell({1, 2});
    flags[4] = PF_CONSTRAINED;
    EXPECT_EQ(Tabelle({Fokus(IDC_PT_VALUE + 10 + 1), Umschalten(IDC_PT_FIXED),  // fix parameter 4
                       Fokus(IDC_PT_VALUE + 2), Umschalten(IDC_PT_FIXED),       // fix parameter 2
                       Fokus(IDC_PT_VALUE + 2), Klick(IDC_PT_CONSTRAIN),   // refused
                       Fokus(IDC_PT_VALUE + 0), Klick(IDC_PT_CONSTRAIN),
                       SetzeText(IDC_SC_BOTTOM, "0.5"), SetzeText(IDC_SC_TOP, "9"), Sende(IDOK),
                       Fokus(IDC_PT_VALUE + 1), Klick(IDC_PT_CONSTRAIN),
                       SetzeText(IDC_SC_BOTTOM, "3"), SetzeText(IDC_SC_TOP, "3"), Sende(IDOK),
                       Sende(IDOK)}),
              1);
    EXPECT_EQ(flags[4], PF_FIXED);  // fixing cleared the constraint
    EXPECT_EQ(flags[2], PF_FIXED);
    EXPECT_EQ(flags[0], PF_CONSTRAINED);
    EXPECT_EQ(flags[1], 0);  // top not above bottom
    const double* p = GrafikFenster[0].Parameter;
    EXPECT_EQ(p[LowerBoundIndex(0)], 0.5);
    EXPECT_EQ(p[UpperBoundIndex(0)], 9.0);
    EXPECT_EQ(MaxFitParameter, 4);
    std::vector<int32_t> frei(freeList.begin(), freeList.begin() + 5);
    std::sort(frei.begin(), frei.end());
    EXPECT_EQ(frei, (std::vector<int32_t>{0, 1, 3, 5, 6}));
}

TEST_F(ParameterTableWin, CancelLeavesEveryTableAsItWas)
{
    Modell({1, 1, 2, 3, 1, 7}, 2);
    flags[6] = PF_CORRELATED;
    words[6] = CorrelationWord(0, CW_TIMES);
    constants[6] = 1.0;
    const TABELLEN_STAND vorher = TabellenMerken();
    std::string seite;
    EXPECT_EQ(Tabelle({SetzeText(IDC_PT_VALUE, "5"), Fokus(IDC_PT_VALUE + 1), Umschalten(IDC_PT_FIXED),
                       Fokus(IDC_PT_VALUE + 11), Umschalten(IDC_PT_FIXED), Sende(IDOK),
                       [&](HWND d) {
                           char t[64];
                           GetDlgItemTextA(d, IDC_PT_FUNCTION, t, sizeof t);
                           seite = t;
                           GetDlgItemTextA(d, IDOK, t, sizeof t);
                           seite += std::string("|") + t + "|" + std::to_string(FitFunctionCount);
                       },
                       SetzeText(IDC_PT_VALUE, "8"), Sende(IDCANCEL)}),
              0);
    EXPECT_EQ(seite, " Gaussian |OK|6");
    GleicherStand(vorher, TabellenMerken());
    EXPECT_EQ(FitFunctionCount, 6);
}

TEST_F(ParameterTableWin, SchemesSaveAndLoadThroughTheTable)
{
    TempOrdner ordner;
    char* altOrdner = HAUPTDATEN.ProgrammOrdner;
    std::string o = ordner.Ordner();
    HAUPTDATEN.ProgrammOrdner = o.data();
    Modell({1, 2});
    FixParameter(3);
    EXPECT_EQ(Tabelle({Sende(IDC_PT_SCHEME_SAVE), Sende(IDOK)}), 1);
    EXPECT_FALSE(LiesBytes(ordner.Datei("scheme_1.dat")).empty());
    FreeParameter(3);
    GrafikFenster[0].Parameter[0] = 50;
    std::string wert;
    EXPECT_EQ(Tabelle({Sende(IDC_PT_SCHEME_LOAD),
                       [&](HWND d) {
                           char t[40];
                           GetDlgItemTextA(d, IDC_PT_VALUE, t, sizeof t);
                           wert = t;
                       },
                       Sende(IDOK)}),
              1);
    EXPECT_EQ(wert, "1");
    EXPECT_EQ(flags[3], PF_FIXED);
    EXPECT_EQ(MaxFitParameter, 5);
    // A scheme of another model is refused with a message.
    Modell({1});
    std::string zustand;
    EXPECT_EQ(Tabelle({Sende(IDC_PT_SCHEME_LOAD),
                       [&](HWND d) {
                           char t[64];
                           GetDlgItemTextA(d, IDC_PT_SCHEME, t, sizeof t);
                           zustand = std::string(t) + "|" + std::to_string(FitFunctionCount) + "|" +
                                     std::to_string(boxen.size());
                       },
                       Sende(IDOK)}),
              1);
    EXPECT_EQ(zustand, "scheme_1|1|1");
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("another number of parameters"), std::string::npos);
    EXPECT_EQ(MaxFitParameter, 2);
    HAUPTDATEN.ProgrammOrdner = altOrdner;
}

TEST_F(ParameterTableWin, ColoursShowTheFlags)
{
    Modell({1, 2, 12, 3});
    FixParameter(1);
    flags[2] = PF_CONSTRAINED;
    flags[4] = PF_CORRELATED;
    words[4] = CW_MASTER;
    COLORREF farbe[3] = {};
    EXPECT_EQ(Tabelle({[&](HWND d) {
                           Bild(d, "set_all_parameter.png");
                           // The rich edit draws its background colour.
                           for (int i = 0; i < 3; ++i) {
                               HWND e = GetDlgItem(d, IDC_PT_VALUE + (i == 2 ? 11 : i + 1));
                               RECT r;
                               GetClientRect(e, &r);
                               HDC dc = GetDC(e);
                               farbe[i] = GetPixel(dc, r.right - 3, r.bottom - 3);
                               ReleaseDC(e, dc);
                           }
                       },
                       Sende(IDCANCEL)}),
              0);
    EXPECT_EQ(farbe[0], RGB(255, 0, 0));
    EXPECT_EQ(farbe[1], RGB(0, 255, 255));
    EXPECT_EQ(farbe[2], RGB(0, 255, 0));
}

TEST_F(ParameterTableWin, CorrelationBoxOpensTheCorrelationDialog)
{
    Modell({1, 1, 1, 1});
    auto waehle = [](int32_t nummer) {
        return [nummer](HWND d) {
            HWND l = GetDlgItem(d, IDC_KO_FREE);
            const LRESULT n = SendMessageA(l, LB_GETCOUNT, 0, 0);
            for (LRESULT i = 0; i < n; ++i)
                if (SendMessageA(l, LB_GETITEMDATA, i, 0) == nummer) SendMessageA(l, LB_SETSEL, TRUE, i);
        };
    };
    std::string frei;
    // Sum of three on the heights (parameters 0, 3, 6, 9), SP = 0.
    EXPECT_EQ(Tabelle({Fokus(IDC_PT_VALUE), Klick(IDC_PT_CORRELATION),
                       [&](HWND d) {
                           char t[80];
                           const LRESULT n = SendDlgItemMessageA(d, IDC_KO_FREE, LB_GETCOUNT, 0, 0);
                           SendDlgItemMessageA(d, IDC_KO_FREE, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(t));
                           frei = std::to_string(n) + "|" + t;
                       },
                       Umschalten(IDC_KO_SUM), SetzeText(IDC_KO_VALUE, "10"), waehle(3), waehle(6), waehle(9),
                       Sende(IDC_KO_ADD), Sende(IDOK), Sende(IDOK)}),
              1);
    EXPECT_EQ(frei, "3| 4. # 2,  Gaussian , Height: ");
    EXPECT_EQ(words[0], CW_MASTER);
    EXPECT_EQ(words[3], CW_SUM_EQUAL);
    EXPECT_EQ(constants[3], 10.0);
    EXPECT_EQ(words[6], CW_SUM_GROUP);
    EXPECT_EQ(words[9], CW_SUM_GROUP);
    EXPECT_EQ(MaxFitParameter, 10);
    // Cancel in the correlation dialog: nothing stored, the box off again.
    Modell({1, 1});
    EXPECT_EQ(Tabelle({Fokus(IDC_PT_VALUE + 1), Klick(IDC_PT_CORRELATION), Umschalten(IDC_KO_EQUAL), waehle(4),
                       Sende(IDC_KO_ADD), Sende(IDCANCEL), Sende(IDOK)}),
              1);
    EXPECT_EQ(flags[1], 0);
    EXPECT_EQ(words[1], 0);
    EXPECT_EQ(words[4], 0);
    EXPECT_EQ(MaxFitParameter, 5);
}
