// The dialogs of the Numeric menu's curve tools: they read and check their
// fields, fill DialogWerte and leave the computing to the tools' handlers.
#include "fit/numeric_tools_dialogs_win.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "fit/fit_model.h"
#include "fit/numeric_tools.h"

#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/data_dialogs.h"
#include "spectra/spectra_globals.h"

namespace {

const int FSMOOTH_HILFE = 501;
// The longest interval the smoothing accepts: the arrays grow by twice
// the interval, so it stays well inside a curve.
const int32_t FSMOOTH_MAX_INTERVALL = FUNKTION_MAX_PUNKTE / 4;

// A whole number typed into field id; shows an error and returns false
// for text that is none.
bool Ganzzahl(HWND dlg, int id, const char* fehler, int32_t* wert)
{
    char text[32] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    if (LiesGanzzahl(text, wert)) return true;
    DialogFeldFehler(dlg, id, fehler);
    return false;
}

// Help (when the dialog has a topic) and Cancel, the same in every dialog
// here; Cancel ends with 0.
bool HilfeOderAbbruch(HWND dlg, WORD befehl, int hilfe)
{
    if (befehl == IDC_DLG_HELP) {
        if (hilfe > 0) DialogHilfe(hilfe);
        return true;
    }
    if (befehl == IDCANCEL) {
        EndDialog(dlg, 0);
        return true;
    }
    return false;
}

// The new number of points of SPLINE and POLINT: anything below `minimum`
// or above the largest curve is refused with message 108 and ends with 0;
// text that is no whole number is shown as an error and the dialog stays.
INT_PTR PunkteDialog(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam, int32_t minimum, int hilfe)
{
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        const int32_t n = static_cast<int32_t>(lParam);
        SetDlgItemInt(dlg, IDC_NT_PUNKTE, static_cast<UINT>(n), TRUE);
        SetDlgItemInt(dlg, IDC_NT_NEUE_PUNKTE, static_cast<UINT>(n), TRUE);
        SendDlgItemMessageA(dlg, IDC_NT_NEUE_PUNKTE, EM_LIMITTEXT, 12, 0);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    if (HilfeOderAbbruch(dlg, LOWORD(wParam), hilfe)) return TRUE;
    if (LOWORD(wParam) == IDOK) {
        int32_t m = 0;
        if (!Ganzzahl(dlg, IDC_NT_NEUE_PUNKTE, "The new number of points must be a whole number.", &m))
            return TRUE;
        if (m < minimum || m > FUNKTION_MAX_PUNKTE) {
            FehlerCode = 108;
            EndDialog(dlg, 0);
            return TRUE;
        }
        HAUPTDATEN.DialogWerte[0] = m;
        EndDialog(dlg, m);
        return TRUE;
    }
    return FALSE;
}

int32_t bsplinePunkte = 0;

}  // namespace

INT_PTR CALLBACK GolaySmoothProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        CheckRadioButton(dlg, IDC_GOLAY_GRAD01, IDC_GOLAY_GRAD45, IDC_GOLAY_GRAD45);
        SetDlgItemTextA(dlg, IDC_GOLAY_INTERVALL, "5");
        SetDlgItemTextA(dlg, IDC_GOLAY_DURCHLAEUFE, "2");
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    if (HilfeOderAbbruch(dlg, LOWORD(wParam), 508)) return TRUE;
    if (LOWORD(wParam) == IDOK) {
        int32_t intervall = 0, durchlaeufe = 0;
        if (!Ganzzahl(dlg, IDC_GOLAY_INTERVALL, "The interval must be a whole number.", &intervall) ||
            !Ganzzahl(dlg, IDC_GOLAY_DURCHLAEUFE, "The number of iterations must be a whole number.",
                      &durchlaeufe))
            return TRUE;
        if (intervall < 0) intervall = -intervall;
        if (durchlaeufe < 0) durchlaeufe = -durchlaeufe;
        const int32_t klasse = IsDlgButtonChecked(dlg, IDC_GOLAY_GRAD01) == BST_CHECKED   ? 1
                               : IsDlgButtonChecked(dlg, IDC_GOLAY_GRAD23) == BST_CHECKED ? 2
                                                                                          : 3;
        HAUPTDATEN.DialogWerte[0] = durchlaeufe;
        HAUPTDATEN.DialogWerte[1] = klasse;
        HAUPTDATEN.DialogWerte[2] = intervall;
        EndDialog(dlg, durchlaeufe);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK BSplineProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        bsplinePunkte = static_cast<int32_t>(lParam);
        SetDlgItemTextA(dlg, IDC_BSPLINE_GRAD, "3");
    }
    if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
        int32_t m = 0, grad = 0;
        if (!Ganzzahl(dlg, IDC_NT_NEUE_PUNKTE, "The new number of points must be a whole number.", &m) ||
            !Ganzzahl(dlg, IDC_BSPLINE_GRAD, "The degree must be a whole number.", &grad))
            return TRUE;
        if (m < 2 || m > FUNKTION_MAX_PUNKTE || grad < 2 || grad > bsplinePunkte - 4) {
            FehlerCode = 108;
            EndDialog(dlg, 0);
            return TRUE;
        }
        HAUPTDATEN.DialogWerte[0] = m;
        HAUPTDATEN.DialogWerte[1] = grad;
        EndDialog(dlg, m);
        return TRUE;
    }
    return PunkteDialog(dlg, msg, wParam, lParam, 2, 0);
}

INT_PTR CALLBACK SplineProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Two points at least: one would make the step range / 0.
    return PunkteDialog(dlg, msg, wParam, lParam, 2, 503);
}

INT_PTR CALLBACK PolintProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return PunkteDialog(dlg, msg, wParam, lParam, 1, 0);
}

INT_PTR CALLBACK GetFSmoothProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        SetDlgItemTextA(dlg, IDC_FSMOOTH_INTERVAL, "10");
        SendDlgItemMessageA(dlg, IDC_FSMOOTH_INTERVAL, EM_LIMITTEXT, 12, 0);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    if (HilfeOderAbbruch(dlg, LOWORD(wParam), FSMOOTH_HILFE)) return TRUE;
    if (LOWORD(wParam) == IDOK) {
        char text[32] = "";
        GetDlgItemTextA(dlg, IDC_FSMOOTH_INTERVAL, text, sizeof text);
        int32_t intervall = 0;
        if (!LiesGanzzahl(text, &intervall) || intervall < 0 || intervall > FSMOOTH_MAX_INTERVALL) {
            DialogFeldFehler(dlg, IDC_FSMOOTH_INTERVAL,
                             "The interval must be a whole number from 0 to 250000.");
            return TRUE;
        }
        HAUPTDATEN.DialogWerte[0] = intervall;
        EndDialog(dlg, intervall);
        return TRUE;
    }
    return FALSE;
}

namespace {

// The curve the analysis dialogs were opened for.
NUMERIK_KURVE kurve;

double* DW() { return HAUPTDATEN.DialogWerte; }

// A number typed into field id; shows an error and returns false for text
// that is none.
bool Zahl(HWND dlg, int id, const char* fehler, double* wert)
{
    char text[64] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    if (LiesZahl(text, wert)) return true;
    DialogFeldFehler(dlg, id, fehler);
    return false;
}

void ZeigeZahl(HWND dlg, int id, double wert, const char* format = "%.8G")
{
    char text[64];
    std::snprintf(text, sizeof text, format, wert);
    SetDlgItemTextA(dlg, id, text);
}

bool Gecheckt(HWND dlg, int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }

void Zeigen(HWND dlg, int id, bool an) { ShowWindow(GetDlgItem(dlg, id), an ? SW_SHOW : SW_HIDE); }

// Function and data buttons, each enabled while the window shows it; the
// preferred one is checked when shown, else the other.
void QuelleWaehlen(HWND dlg, bool funktionZuerst)
{
    EnableWindow(GetDlgItem(dlg, IDC_NT_FUNKTION), kurve.ZeigtFunktion);
    EnableWindow(GetDlgItem(dlg, IDC_NT_DATEN), kurve.ZeigtDaten);
    bool funktion = funktionZuerst ? kurve.ZeigtFunktion : !kurve.ZeigtDaten;
    if (!kurve.ZeigtFunktion) funktion = false;
    CheckDlgButton(dlg, IDC_NT_FUNKTION, funktion ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dlg, IDC_NT_DATEN, funktion ? BST_UNCHECKED : BST_CHECKED);
}

// From and to: numbers, from below to.
bool Intervall(HWND dlg, double* von, double* bis)
{
    if (!Zahl(dlg, IDC_NT_VON, "\"from\" must be a number.", von) ||
        !Zahl(dlg, IDC_NT_BIS, "\"to\" must be a number.", bis))
        return false;
    if (*von < *bis) return true;
    DialogFeldFehler(dlg, IDC_NT_BIS, "\"to\" must be larger than \"from\".");
    return false;
}

const double SPLINE_GEWICHTE[4] = {1000.0, 1.0, 0.01, 0.0};

// The degrees of the level-off polynomials, one per line; false for a line
// that holds no whole number.
bool Grade(const std::string& text, std::vector<int32_t>* grade)
{
    grade->clear();
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t ende = text.find('\n', pos);
        if (ende == std::string::npos) ende = text.size();
        std::string zeile = text.substr(pos, ende - pos);
        while (!zeile.empty() && (zeile.back() == '\r' || zeile.back() == ' ' || zeile.back() == '\t'))
            zeile.pop_back();
        std::size_t a = zeile.find_first_not_of(" \t");
        if (a != std::string::npos) {
            int32_t g = 0;
            if (!LiesGanzzahl(zeile.substr(a).c_str(), &g)) return false;
            grade->push_back(g);
        }
        pos = ende + 1;
    }
    return true;
}

bool polynomKWert = false;  // the form opened with HilfeThema 1

void DifferenzierenZeigen(HWND dlg)
{
    const bool funktion = Gecheckt(dlg, IDC_NT_FUNKTION);
    Zeigen(dlg, IDC_DIFF_UNGLEICH, !funktion);
    Zeigen(dlg, IDC_DIFF_SPLINE, !funktion);
    Zeigen(dlg, IDC_DIFF_PUNKTE, funktion);
    Zeigen(dlg, IDC_DIFF_PUNKTE + 1000, funktion);
    if (funktion) {
        EnableWindow(GetDlgItem(dlg, IDC_DIFF_SCHRITT), TRUE);
        ZeigeZahl(dlg, IDC_DIFF_SCHRITT, 0.001);
    } else {
        const bool spline = Gecheckt(dlg, IDC_DIFF_SPLINE);
        EnableWindow(GetDlgItem(dlg, IDC_DIFF_SCHRITT), spline);
        if (!spline) ZeigeZahl(dlg, IDC_DIFF_SCHRITT, kurve.KleinsterAbstand);
        CheckDlgButton(dlg, IDC_DIFF_UNGLEICH, kurve.Punkte > 2 ? BST_CHECKED : BST_UNCHECKED);
        EnableWindow(GetDlgItem(dlg, IDC_DIFF_UNGLEICH), kurve.Punkte <= 2);
    }
    double h = 0.0;
    char text[64] = "";
    GetDlgItemTextA(dlg, IDC_DIFF_SCHRITT, text, sizeof text);
    if (LiesZahl(text, &h)) ZeigeZahl(dlg, IDC_DIFF_FEHLER, std::pow(h, 4.0), "%.3G");
}

void MinMaxZeigen(HWND dlg)
{
    const bool extremstes = Gecheckt(dlg, IDC_MINMAX_EXTREMSTES);
    EnableWindow(GetDlgItem(dlg, IDC_MINMAX_BEIDE), !extremstes);
    EnableWindow(GetDlgItem(dlg, IDC_MINMAX_ORDINATE), !extremstes);
    EnableWindow(GetDlgItem(dlg, IDC_MINMAX_INTERVALL), Gecheckt(dlg, IDC_MINMAX_GLAETTEN));
}

}  // namespace

INT_PTR CALLBACK AusgleichsSplineProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        SetDlgItemInt(dlg, IDC_NT_PUNKTE, static_cast<UINT>(kurve.Punkte), TRUE);
        SetDlgItemInt(dlg, IDC_NT_NEUE_PUNKTE, static_cast<UINT>(kurve.Punkte), TRUE);
        CheckRadioButton(dlg, IDC_ASPLINE_INTERPOLIEREN, IDC_ASPLINE_ANDERE, IDC_ASPLINE_LEICHT);
        ZeigeZahl(dlg, IDC_ASPLINE_GEWICHT, SPLINE_GEWICHTE[1], "%G");
        CheckRadioButton(dlg, IDC_ASPLINE_SPLINE, IDC_ASPLINE_SPLINE + 3, IDC_ASPLINE_SPLINE);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const int id = LOWORD(wParam);
    if (HilfeOderAbbruch(dlg, static_cast<WORD>(id), 510)) return TRUE;
    if (id >= IDC_ASPLINE_INTERPOLIEREN && id < IDC_ASPLINE_ANDERE) {
        ZeigeZahl(dlg, IDC_ASPLINE_GEWICHT, SPLINE_GEWICHTE[id - IDC_ASPLINE_INTERPOLIEREN], "%G");
        return TRUE;
    }
    if (id == IDC_ASPLINE_GEWICHT && HIWORD(wParam) == EN_SETFOCUS) {
        CheckRadioButton(dlg, IDC_ASPLINE_INTERPOLIEREN, IDC_ASPLINE_ANDERE, IDC_ASPLINE_ANDERE);
        return TRUE;
    }
    if (id != IDOK) return FALSE;
    int32_t m = 0;
    double gewicht = 0.0;
    if (!Ganzzahl(dlg, IDC_NT_NEUE_PUNKTE, "The new number of points must be a whole number.", &m) ||
        !Zahl(dlg, IDC_ASPLINE_GEWICHT, "The weight must be a number.", &gewicht))
        return TRUE;
    if (m < 6 || m > FUNKTION_MAX_PUNKTE || !(gewicht > 0.0)) {
        FehlerCode = 108;
        EndDialog(dlg, 0);
        return TRUE;
    }
    int32_t ergebnis = 0;
    for (int32_t k = 0; k < 4; ++k)
        if (Gecheckt(dlg, IDC_ASPLINE_SPLINE + k)) ergebnis = k;
    DW()[0] = m;
    DW()[1] = gewicht * 100.0;
    DW()[2] = ergebnis;
    EndDialog(dlg, m);
    return TRUE;
}

INT_PTR CALLBACK AusgleichsPolynomProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        polynomKWert = HilfeThema == 1;
        SetDlgItemInt(dlg, IDC_NT_PUNKTE, static_cast<UINT>(kurve.Punkte), TRUE);
        if (polynomKWert) {
            // Asked for by the XAFS background: k weight, the count, the
            // weight and the degrees as they were last used.
            SetDlgItemTextA(dlg, IDC_APOLY_TITEL, "k - Weight");
            SetDlgItemTextA(dlg, IDC_NT_NEUE_PUNKTE, "0");
            ZeigeZahl(dlg, IDC_APOLY_ANZAHL, DW()[3], "%.0f");
            ZeigeZahl(dlg, IDC_APOLY_GEWICHT, DW()[4] * 100.0, "%G");
            std::string grade;
            const int32_t anzahl = static_cast<int32_t>(DW()[3] + 0.2);
            for (int32_t i = 0; FitParameters && i < anzahl && i < MAX_MODEL_PARAMETERS; ++i) {
                char z[32];
                std::snprintf(z, sizeof z, "%.0f\r\n", FitParameters[i]);
                grade += z;
            }
            SetDlgItemTextA(dlg, IDC_APOLY_GRADE, grade.c_str());
        } else {
            SetDlgItemInt(dlg, IDC_NT_NEUE_PUNKTE, static_cast<UINT>(kurve.Punkte), TRUE);
            SetDlgItemTextA(dlg, IDC_APOLY_ANZAHL, "1");
            SetDlgItemTextA(dlg, IDC_APOLY_GEWICHT, "50");
            SetDlgItemTextA(dlg, IDC_APOLY_GRADE, "2");
        }
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    if (HilfeOderAbbruch(dlg, LOWORD(wParam), 513)) return TRUE;
    if (LOWORD(wParam) != IDOK) return FALSE;
    int32_t m = 0, teile = 0;
    double prozent = 0.0;
    if (!Ganzzahl(dlg, IDC_NT_NEUE_PUNKTE,
                  polynomKWert ? "The k weight must be a whole number."
                               : "The new number of points must be a whole number.",
                  &m) ||
        !Ganzzahl(dlg, IDC_APOLY_ANZAHL, "The number of polynomials must be a whole number.", &teile) ||
        !Zahl(dlg, IDC_APOLY_GEWICHT, "The weight must be a number.", &prozent))
        return TRUE;
    const int laenge = GetWindowTextLengthA(GetDlgItem(dlg, IDC_APOLY_GRADE));
    std::string text(static_cast<std::size_t>(laenge) + 1, '\0');
    GetDlgItemTextA(dlg, IDC_APOLY_GRADE, &text[0], laenge + 1);
    text.resize(static_cast<std::size_t>(laenge));
    std::vector<int32_t> grade;
    if (!Grade(text, &grade)) {
        DialogFeldFehler(dlg, IDC_APOLY_GRADE, "Each line must hold the degree of one polynomial.");
        return TRUE;
    }
    bool gut = teile >= 1 && teile <= kurve.Punkte - 4 && teile <= MAX_MODEL_PARAMETERS &&
               static_cast<int32_t>(grade.size()) >= teile && prozent >= 0.0 && prozent <= 100.0 &&
               FitParameters != nullptr;
    if (!polynomKWert) gut = gut && m >= 2 && m <= FUNKTION_MAX_PUNKTE;
    for (int32_t i = 0; gut && i < teile; ++i) gut = grade[static_cast<std::size_t>(i)] >= 0;
    if (!gut) {
        FehlerCode = 108;
        EndDialog(dlg, 0);
        return TRUE;
    }
    for (int32_t i = 0; i < teile; ++i) FitParameters[i] = grade[static_cast<std::size_t>(i)];
    DW()[1] = teile;
    DW()[2] = prozent / 100.0;
    if (polynomKWert) {
        DW()[5] = m;
        EndDialog(dlg, 1);
        return TRUE;
    }
    DW()[0] = m;
    EndDialog(dlg, m);
    return TRUE;
}

INT_PTR CALLBACK NullstellenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        ZeigeZahl(dlg, IDC_NT_VON, kurve.Unten);
        ZeigeZahl(dlg, IDC_NT_BIS, kurve.Oben);
        SetDlgItemTextA(dlg, IDC_NT_TOLERANZ, "1E-10");
        SetDlgItemTextA(dlg, IDC_NULL_SCHRITT, "0.01");
        QuelleWaehlen(dlg, false);
        CheckDlgButton(dlg, IDC_NULL_ALLE, BST_CHECKED);
    }
    if (msg == WM_INITDIALOG || msg == WM_COMMAND) {
        // The step width counts only when all roots of the function are sought.
        const bool schritt = Gecheckt(dlg, IDC_NT_FUNKTION) && Gecheckt(dlg, IDC_NULL_ALLE);
        EnableWindow(GetDlgItem(dlg, IDC_NULL_SCHRITT), schritt);
        EnableWindow(GetDlgItem(dlg, IDC_NULL_SPLINE), !Gecheckt(dlg, IDC_NT_FUNKTION));
    }
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg != WM_COMMAND) return FALSE;
    if (HilfeOderAbbruch(dlg, LOWORD(wParam), 502)) return TRUE;
    if (LOWORD(wParam) != IDOK) return FALSE;
    double von = 0, bis = 0, toleranz = 0, schritt = 0;
    if (!Intervall(dlg, &von, &bis) ||
        !Zahl(dlg, IDC_NT_TOLERANZ, "The tolerance must be a number.", &toleranz) ||
        !Zahl(dlg, IDC_NULL_SCHRITT, "The step width must be a number.", &schritt))
        return TRUE;
    if (!(toleranz > 0.0)) {
        DialogFeldFehler(dlg, IDC_NT_TOLERANZ, "The tolerance must be larger than 0.");
        return TRUE;
    }
    const bool funktion = Gecheckt(dlg, IDC_NT_FUNKTION);
    const bool alle = Gecheckt(dlg, IDC_NULL_ALLE);
    if (funktion && alle && !(schritt > 0.0 && schritt < bis - von)) {
        DialogFeldFehler(dlg, IDC_NULL_SCHRITT, "The step width must lie between 0 and the interval's width.");
        return TRUE;
    }
    DW()[1] = schritt;
    DW()[2] = toleranz;
    DW()[3] = von;
    DW()[4] = bis;
    DW()[5] = !funktion && Gecheckt(dlg, IDC_NULL_SPLINE) ? 1.0 : -1.0;
    const int32_t modus = (funktion ? 1 : 0) | (alle ? 8 : 4);
    DW()[0] = modus;
    EndDialog(dlg, modus);
    return TRUE;
}

INT_PTR CALLBACK GetIntegralProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        QuelleWaehlen(dlg, true);
        ZeigeZahl(dlg, IDC_NT_VON, kurve.Unten);
        ZeigeZahl(dlg, IDC_NT_BIS, kurve.Oben);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    if (HilfeOderAbbruch(dlg, LOWORD(wParam), 504)) return TRUE;
    if (LOWORD(wParam) != IDOK) return FALSE;
    double von = 0, bis = 0;
    if (!Intervall(dlg, &von, &bis)) return TRUE;
    const int32_t quelle = Gecheckt(dlg, IDC_NT_FUNKTION) ? 1 : 2;
    DW()[0] = quelle;
    DW()[1] = von;
    DW()[2] = bis;
    EndDialog(dlg, quelle);
    return TRUE;
}

INT_PTR CALLBACK DifferentiationProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        QuelleWaehlen(dlg, false);
        CheckRadioButton(dlg, IDC_DIFF_ERSTE, IDC_DIFF_ZWEITE, IDC_DIFF_ERSTE);
        SetDlgItemInt(dlg, IDC_DIFF_PUNKTE, static_cast<UINT>(kurve.Punkte), TRUE);
        DifferenzierenZeigen(dlg);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const int id = LOWORD(wParam);
    if (HilfeOderAbbruch(dlg, static_cast<WORD>(id), 505)) return TRUE;
    if (id == IDC_NT_FUNKTION || id == IDC_NT_DATEN || id == IDC_DIFF_SPLINE) {
        DifferenzierenZeigen(dlg);
        return TRUE;
    }
    if (id == IDC_DIFF_SCHRITT && HIWORD(wParam) == EN_CHANGE) {
        double h = 0.0;
        char text[64] = "";
        GetDlgItemTextA(dlg, IDC_DIFF_SCHRITT, text, sizeof text);
        if (LiesZahl(text, &h)) ZeigeZahl(dlg, IDC_DIFF_FEHLER, std::pow(h, 4.0), "%.3G");
        return TRUE;
    }
    if (id != IDOK) return FALSE;
    double schritt = 0.0;
    if (!Zahl(dlg, IDC_DIFF_SCHRITT, "The step must be a number.", &schritt)) return TRUE;
    if (!(schritt > 0.0)) {
        DialogFeldFehler(dlg, IDC_DIFF_SCHRITT, "The step must be larger than 0.");
        return TRUE;
    }
    const bool funktion = Gecheckt(dlg, IDC_NT_FUNKTION);
    int32_t punkte = 0;
    if (funktion) {
        if (!Ganzzahl(dlg, IDC_DIFF_PUNKTE, "The number of points must be a whole number.", &punkte))
            return TRUE;
        if (punkte < 3 || punkte > FUNKTION_MAX_PUNKTE) {
            DialogFeldFehler(dlg, IDC_DIFF_PUNKTE, "The number of points must lie between 3 and 1000000.");
            return TRUE;
        }
    }
    int32_t modus = 2 | (Gecheckt(dlg, IDC_DIFF_ERSTE) ? 4 : 0);
    if (funktion) modus |= 1;
    else if (Gecheckt(dlg, IDC_DIFF_SPLINE) && schritt != kurve.KleinsterAbstand) modus |= 8;
    // The data's own step exactly, not as the field rounds it.
    else schritt = kurve.KleinsterAbstand;
    DW()[0] = modus;
    DW()[1] = schritt;
    DW()[2] = punkte;
    EndDialog(dlg, modus);
    return TRUE;
}

INT_PTR CALLBACK MinMaxProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        SetDlgItemTextA(dlg, IDC_MINMAX_INTERVALL, "3");
        CheckDlgButton(dlg, IDC_MINMAX_ORDINATE, BST_CHECKED);
        MinMaxZeigen(dlg);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const int id = LOWORD(wParam);
    if (HilfeOderAbbruch(dlg, static_cast<WORD>(id), 517)) return TRUE;
    if (id == IDC_MINMAX_EXTREMSTES && Gecheckt(dlg, IDC_MINMAX_EXTREMSTES)) {
        CheckRadioButton(dlg, IDC_MINMAX_BEIDE, IDC_MINMAX_MAXIMA, IDC_MINMAX_MINIMA);
        CheckDlgButton(dlg, IDC_MINMAX_ORDINATE, BST_CHECKED);
    }
    if (id == IDC_MINMAX_EXTREMSTES || id == IDC_MINMAX_GLAETTEN) {
        MinMaxZeigen(dlg);
        return TRUE;
    }
    if (id != IDOK) return FALSE;
    const bool glaetten = Gecheckt(dlg, IDC_MINMAX_GLAETTEN);
    int32_t intervall = 0;
    if (!Ganzzahl(dlg, IDC_MINMAX_INTERVALL, "The interval must be a whole number.", &intervall)) return TRUE;
    if (glaetten && (intervall < 2 || intervall > kurve.Punkte / 2)) {
        EndDialog(dlg, 0);
        return TRUE;
    }
    // None chosen means maxima.
    DW()[0] = Gecheckt(dlg, IDC_MINMAX_BEIDE) ? -1.0 : (Gecheckt(dlg, IDC_MINMAX_MINIMA) ? 0.0 : 1.0);
    DW()[1] = Gecheckt(dlg, IDC_MINMAX_ORDINATE) ? 1.0 : -1.0;
    DW()[2] = glaetten ? 1.0 : -1.0;
    DW()[3] = intervall;
    DW()[4] = Gecheckt(dlg, IDC_MINMAX_EXTREMSTES) ? 1.0 : -1.0;
    EndDialog(dlg, 1);
    return TRUE;
}

INT_PTR AusgleichsPolynomDialog(HWND eigner, const NUMERIK_KURVE& k)
{
    kurve = k;
    return DialogBoxParamA(ProgrammModul(), "AUSGLEICHSPOLYNOM", eigner, AusgleichsPolynomProc, 0);
}

INT_PTR NumerikDialog(int32_t befehl, HWND eigner, const NUMERIK_KURVE& k)
{
    kurve = k;
    const LPARAM n = k.Punkte;
    const HINSTANCE modul = ProgrammModul();
    switch (befehl) {
    case 501: return DialogBoxParamA(modul, "GET_FSMOOTH", eigner, GetFSmoothProc, 0);
    case 502: return DialogBoxParamA(modul, "NULLSTELLEN", eigner, NullstellenProc, 0);
    case 503: return DialogBoxParamA(modul, "SPLINE", eigner, SplineProc, n);
    case 504: return DialogBoxParamA(modul, "GET_INTEGRAL", eigner, GetIntegralProc, 0);
    case 505: return DialogBoxParamA(modul, "DIFFERENTIATION", eigner, DifferentiationProc, 0);
    case 508: return DialogBoxParamA(modul, "GOLAYSMOOTH", eigner, GolaySmoothProc, 0);
    case 509: return DialogBoxParamA(modul, "POLINT", eigner, PolintProc, n);
    case 510: return DialogBoxParamA(modul, "AUSGLEICHSSPLINE", eigner, AusgleichsSplineProc, 0);
    case 511: return DialogBoxParamA(modul, "BSPLINE", eigner, BSplineProc, n);
    case 513: {
        // Opened from the Numeric menu, the dialog shows its own form.
        HilfeThema = 0;
        return DialogBoxParamA(modul, "AUSGLEICHSPOLYNOM", eigner, AusgleichsPolynomProc, 0);
    }
    case 517: {
        const INT_PTR ende = DialogBoxParamA(modul, "MINMAX", eigner, MinMaxProc, 0);
        HilfeThema = 0;
        return ende;
    }
    default: return -1;
    }
}
