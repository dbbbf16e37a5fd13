// The running program with a fresh data folder of its own for the series
// commands, which write their files there.
#ifndef KORLAN_TESTS_SERIES_FIXTURE_H
#define KORLAN_TESTS_SERIES_FIXTURE_H

#include <windows.h>
#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/spectra/data_commands_fixture.h"
#include "app/temp_folder.h"
#include "shell/haupt_fenster.h"

// The answer of the file dialogs in the series tests: the bytes of
// DialogAntwort() (a path, or a multiple selection with its zero bytes).
inline std::string& DialogAntwort()
{
    static std::string antwort;
    return antwort;
}
inline BOOL WINAPI DialogAntworten(LPOPENFILENAMEA ofn)
{
    const std::string& a = DialogAntwort();
    if (a.size() + 1 > ofn->nMaxFile) return FALSE;
    std::memcpy(ofn->lpstrFile, a.data(), a.size());
    ofn->lpstrFile[a.size()] = '\0';
    return TRUE;
}

class SerienOrdnerFixture : public EditFixture {
protected:
    TempOrdner tmp;
    std::string alterDatenOrdner;

    void SetUp() override
    {
        EditFixture::SetUp();
        alterDatenOrdner = HAUPTDATEN.DatenOrdner ? HAUPTDATEN.DatenOrdner : "";
        if (HAUPTDATEN.DatenOrdner)
            std::snprintf(HAUPTDATEN.DatenOrdner, ORDNER_BYTES, "%s", tmp.Ordner().c_str());
    }
    void TearDown() override
    {
        if (HAUPTDATEN.DatenOrdner)
            std::snprintf(HAUPTDATEN.DatenOrdner, ORDNER_BYTES, "%s", alterDatenOrdner.c_str());
        EditFixture::TearDown();
    }
};

#endif
