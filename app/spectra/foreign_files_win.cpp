// The ".fio" import and the multi-scan splitter: dialogs and messages.
#include "spectra/foreign_files_win.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/fio_file.h"
#include "spectra/file_commands.h"
#include "spectra/scan_split.h"

FREMD_DATEIDIALOG FremdDateiDialog = GetOpenFileNameA;

namespace {

bool Frage(HWND besitzer, std::vector<char>* name, const char* filter, const char* vorschlag,
           const char* ordner, std::string* pfad)
{
    std::snprintf(name->data(), name->size(), "%s", vorschlag);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = besitzer;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name->data();
    ofn.nMaxFile = static_cast<DWORD>(name->size());
    ofn.lpstrInitialDir = ordner && *ordner ? ordner : nullptr;
    ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!FremdDateiDialog || !FremdDateiDialog(&ofn) || !(*name)[0]) return false;
    *pfad = name->data();
    return true;
}

void Melde(HWND besitzer, const std::string& text)
{
    if (!MakroRunning) MeldungsBox(besitzer, text.c_str(), "Error !!", MB_OK | MB_ICONEXCLAMATION);
}

void Kopiere(char* ziel, std::size_t groesse, const std::string& text)
{
    if (!ziel || groesse == 0) return;
    std::snprintf(ziel, groesse, "%s", text.c_str());
}

}  // namespace

int32_t ImportFio(int32_t)
{
    haupt_fenster& app = HAUPTDATEN;
    std::vector<char> name(10000, '\0');
    static const char filter[] = "XAS-Messdatei (*.fio)\0*.fio\0";
    std::string pfad;
    if (!Frage(app.Hauptfenster, &name, filter, "*.fio", app.DatenOrdner, &pfad)) return 0;
    Kopiere(CommandText, COMMAND_TEXT_BYTES, pfad);
    Kopiere(app.DateiFilter, sizeof app.DateiFilter, "*.fio");
    if (app.DatenOrdner) Kopiere(app.DatenOrdner, ORDNER_BYTES, OrdnerOhneSchraegstrich(pfad));

    // The numerics object keeps the arrays it is given: the window's curve
    // is registered again once the signals are interpolated.
    FioSpline spline = [](double* x, double* y, int32_t n, double* xs, double* ys, int32_t m) {
        double* altX = Numerik.xField;
        double* altY = Numerik.yField;
        const int32_t altN = Numerik.GetAnzahl();
        Numerik.SetField(x, y);
        Numerik.SetAnzahl(n, -1, -1);
        Numerik.Splint(m, xs, ys);
        Numerik.SetField(altX, altY);
        Numerik.SetAnzahl(altN, -1, -1);
    };
    FioErgebnis e;
    const int32_t code = ImportiereFio(pfad, spline, &e);
    switch (code) {
    case FIO_OK: return 1;
    case FIO_NICHT_OFFEN: Melde(app.Hauptfenster, "File could not be opened!"); break;
    case FIO_GLEICHER_NAME:
        Melde(app.Hauptfenster, "The converted file would replace\r\n" + pfad +
                                "\r\nNothing has been written.");
        break;
    case FIO_ZU_WENIG:
        Melde(app.Hauptfenster, "Less than two rising x values in\r\n" + pfad +
                                "\r\nNothing has been written.");
        break;
    default: Melde(app.Hauptfenster, "File could not be written:\r\n" + e.Ausgabe); break;
    }
    return 0;
}

int32_t SplitAnkaFile(HWND besitzer)
{
    std::vector<char> name(2000, '\0');
    static const char filter[] = "ANKA file (*.dat)\0*.dat\0";
    std::string pfad;
    if (!Frage(besitzer, &name, filter, "*.dat", nullptr, &pfad)) return 0;
    std::vector<std::string> dateien;
    const int32_t n = TeileScans(pfad, &dateien);
    if (n == -1) {
        Melde(besitzer, "File could not be opened!");
        return 0;
    }
    if (n == -2) Melde(besitzer, "File could not be written:\r\n" + dateien.back());
    else if (n == 0) Melde(besitzer, "No scan (\"#S\") found in\r\n" + pfad);
    return 1;
}
