// The principal component analysis dialog PCANALYSIS (command 851).
#ifndef KORLAN_XAS_PCA_DIALOG_WIN_H
#define KORLAN_XAS_PCA_DIALOG_WIN_H

#include <windows.h>

#include <cstdint>

#include "xas/pca_analysis_win.h"

// The choice of the test (target) file, FileDialog kind 100. Tests set it
// to answer without the common dialog; same contract as FileDialog.
extern PCA_DATEIWAHL PcaTestWahl;

// Opens PCANALYSIS over owner; 1 for OK, 0 for Cancel (also when the
// choice of inputs was cancelled).
int32_t PcaDialog(HWND owner);

#endif
