// Entry points of the series subsystem and of dialogs that other
// subsystems own, answered until those exist: each says plainly that the
// command is not available (no box while a macro runs or the values are
// prepared) and reports that nothing was done.
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "spectra/data_commands_win.h"

namespace {
int32_t NichtDa(const char* bereich)
{
    BefehlNichtVerfuegbar(&HAUPTDATEN, bereich);
    return 0;
}
}  // namespace

int32_t AddToMultiColumnFile(int32_t) { return NichtDa("Series"); }
int32_t AverageOrCreateMcFile(int32_t) { return NichtDa("Series"); }
int32_t McFileToAscii(int32_t) { return NichtDa("Series"); }
int32_t ExtractMcFile(int32_t) { return NichtDa("Series"); }
int32_t ImportFio(int32_t) { return NichtDa("Import"); }
int32_t SektionsDialog(int32_t) { return NichtDa("Section"); }
int32_t PolynomGradDialog() { return NichtDa("Deglitching"); }
int32_t AendernDialogOeffnen() { return NichtDa("Parameter"); }
