// Entry points of the XAFS menu's commands that other parts of the XAS,
// DXAS and series subsystems own. XafsBefehl (xas_commands_win.cpp) calls
// them with the command number; the comment beside each names the
// commands it serves.
#ifndef KORLAN_XAS_ENTRIES_H
#define KORLAN_XAS_ENTRIES_H

#include <windows.h>

#include <cstdint>

int32_t XanesFit(int32_t befehl);                 // 802, 812
int32_t VorkantenBefehl(int32_t befehl);          // 803, 804, 809, 841
int32_t MueNullFit(int32_t befehl);               // 806, 828, 837
int32_t ExafsFitVorbereiten(int32_t a, int32_t b);  // 807, 817 (exafs_fit_win.cpp)
int32_t ExafsFitDialog(int32_t befehl);           // 807's and 817's dialog EXAFSFIT: type + 1 or 0
int32_t FeffPfadAuswahl(HWND owner);              // FEFF_FIT: number of chosen paths, 0 on Cancel
int32_t ExafsOptionenDialog();                    // 813 (shell/option_dialogs_win.cpp)
int32_t XasFourierTransform(int32_t befehl);      // 815
int32_t PhasenAmplituden(int32_t befehl);         // 816 (phases_amplitudes_win.cpp)
int32_t DexSkalaDialog();                         // 819's foil dialog
int32_t DexKonvertierDialog();                    // 821's dialog
int32_t AutoMakroAnalyse(int32_t befehl);         // 824
int32_t SerienBefehl(int32_t befehl);             // 825, 826, 827, 833, 890
int32_t RatioMethode(int32_t befehl);             // 829 (difference_ratio_win.cpp)
int32_t DifferenzSpektrum(LPARAM lParam);         // 831 (difference_ratio_win.cpp)
int32_t FeffBefehl(int32_t befehl);               // 834, 849, 850
int32_t QuickXas(int32_t befehl);                 // 835, 838, 839, 840
int32_t McMasterDialog();                         // 842
int32_t LcXanesVorbereiten(int32_t befehl);       // 844
int32_t PcaBefehl(int32_t befehl);                // 851
int32_t XafsInOneDialog();                        // 852's dialog (xafs_in_one_win.cpp)

#endif
