// The running program with a fresh data folder of its own for the series
// commands, which write their files there.
#ifndef KORLAN_TESTS_SERIES_FIXTURE_H
#define KORLAN_TESTS_SERIES_FIXTURE_H

#include <cstdio>
#include <string>

#include "app/spectra/data_commands_fixture.h"
#include "app/temp_folder.h"
#include "shell/haupt_fenster.h"

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
