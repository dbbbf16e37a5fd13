// The analysis steps of the principal component analysis as the dialog
// calls them: the choice and reading of the inputs (several spectrum files,
// or the spectrum columns of the active window's series file), the full
// analysis, the reconstruction with flagged components and the target
// transformation of one file. The numbers come from pca_core.cpp.
#ifndef KORLAN_XAS_PCA_ANALYSIS_WIN_H
#define KORLAN_XAS_PCA_ANALYSIS_WIN_H

#include <windows.h>

#include <cstdint>
#include <vector>

#include "xas/pca.h"

class grafik_fenster;

// Length of the residual and indicator lists the dialog hands over.
constexpr int32_t PCA_LISTE = 110;

// The inputs of the last full analysis and the state between the steps.
extern std::vector<PcaEingabe> PcaEingaben;
extern PcaZustand PcaStand;

// The file choice of a full analysis (FileDialog kind 200). Tests set it to
// answer without the common dialog; same contract as FileDialog.
typedef int32_t (*PCA_DATEIWAHL)(HWND owner, char* pfad, char* titel, int32_t art, int32_t oeffnen);
extern PCA_DATEIWAHL PcaDateiWahl;

// modus 1: full analysis of inputs the user chooses (fenster: the active
// graphic window, may be null); 10: reconstruction with the flags of
// "new_weights.dat"; -1: target transformation of the file whose path
// stands in CommandText. residuen and indikator hold PCA_LISTE doubles
// (either may be null). Returns the number of inputs, 0 when nothing was
// chosen or read (nothing is written then), -1 after the too-many-inputs
// message, another negative code of pca.h after a failure.
int32_t DoPcAnalysis(int32_t modus, double* residuen, double* indikator, grafik_fenster* fenster,
                     HWND owner);

#endif
