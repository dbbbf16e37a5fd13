// The FEFF path loader on the program's objects, and the files.dat list of
// the path dialogs.
#include "xas/feff_path_win.h"

#include <cstring>
#include <string>
#include <vector>

#include "shell/haupt_fenster.h"
#include "xas/data_lines.h"

int32_t FeffListenPfade[FILES_DAT_MAX_ZEILEN + 1] = {};

namespace {

void PfadMeldung(const char* text, const char* titel)
{
    MeldungsBox(HAUPTDATEN.Hauptfenster, text, titel, MB_OK | MB_ICONEXCLAMATION);
}

bool ModellMitFeffPfaden()
{
    return FitFunctionTypes && FitFunctionCount > 0 && FitFunctionTypes[0] % 100 == 25;
}

}  // namespace

int32_t LoadFeffPath(int32_t modus, FeffPfad* satz, int32_t punkte, double* gitter)
{
    FeffUmgebung umgebung;
    umgebung.McMaster = McMasterTable;
    umgebung.Numerik = &Numerik;
    umgebung.Meldung = PfadMeldung;
    return LadeFeffPfad(modus, satz, punkte, gitter, umgebung);
}

int32_t ReadFilesDat(HWND dialog, int32_t modus, double minVerhaeltnis, int32_t maxBeine)
{
    if (!CommandText) return -1;
    const std::string datei(CommandText, strnlen(CommandText, 299));
    std::string text;
    if (!LeseTextDatei(datei, &text)) return -1;

    // Paths of the model that come from this file.
    std::vector<int32_t> gewaehlt;
    const bool modell = ModellMitFeffPfaden();
    if (modus > 0 && modell)
        for (int32_t k = 1; k < FitFunctionCount && k < FEFF_PFADE; ++k) {
            const FeffPfad& s = FeffPfade[k];
            if (FitFunctionTypes[k] % 100 != 54 &&
                datei == std::string(s.FilesDatPfad, strnlen(s.FilesDatPfad, sizeof s.FilesDatPfad)))
                gewaehlt.push_back(s.Pfadnummer);
        }

    FilesDatListe liste;
    const int32_t ergebnis = FilterFilesDat(text.data(), text.size(), modus, minVerhaeltnis, maxBeine,
                                            gewaehlt, &liste);
    SetDlgItemTextA(dialog, IDC_FEFF_TITEL, liste.Titel.c_str());
    if (ergebnis < 0) return -1;

    HWND zeilen = GetDlgItem(dialog, IDC_FEFF_ZEILEN);
    SendMessageA(zeilen, LB_RESETCONTENT, 0, 0);
    FeffListenPfade[0] = 0;
    for (std::size_t i = 0; i < liste.Zeilen.size(); ++i) {
        SendMessageA(zeilen, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(liste.Zeilen[i].Text.c_str()));
        if (liste.Gewaehlt[i]) SendMessageA(zeilen, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
        FeffListenPfade[++FeffListenPfade[0]] = liste.Zeilen[i].Pfadnummer;
    }
    if (modus == 10 && modell) {
        HWND modellListe = GetDlgItem(dialog, IDC_FEFF_GEWAEHLT);
        SendMessageA(modellListe, LB_RESETCONTENT, 0, 0);
        for (int32_t k = 1; k < FitFunctionCount && k < FEFF_PFADE; ++k) {
            const FeffPfad& s = FeffPfade[k];
            const std::string z(s.ListenZeile, strnlen(s.ListenZeile, sizeof s.ListenZeile));
            SendMessageA(modellListe, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(z.c_str()));
        }
    }
    return 1;
}
