// Shared pieces of the XAS data tests: the program's McMaster table and the
// fixture folders (files and temporary folders: temp_ordner.h).
#ifndef KORLAN_TESTS_XAS_TEST_SUPPORT_H
#define KORLAN_TESTS_XAS_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/filecmd_core/temp_ordner.h"
#include "xas/mcmaster.h"

inline std::string MucalPfad() { return KORLAN_TEST_DIR "/../app/resources/program/mucal.dat"; }
inline std::string Feff85Ordner() { return KORLAN_TEST_DIR "/xas_native/data/cu_feff85_noSCF/"; }
inline std::string Feff6Ordner() { return KORLAN_TEST_DIR "/xas_native/data/cu_feff6_larch/"; }

// The program's McMaster table, read once.
inline const double* McMasterTabelle()
{
    static std::vector<double> tabelle = [] {
        std::vector<double> t(MCMASTER_WERTE, 0.0);
        if (LeseMucalDatei(MucalPfad(), t.data()) != 1) t.clear();
        return t;
    }();
    return tabelle.empty() ? nullptr : tabelle.data();
}

#endif
