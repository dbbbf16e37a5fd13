// The multi-column and series commands that the data commands and the
// dispatcher hand over to: answered through NichtVerfuegbar until the
// series subsystem is built here. Each reports that nothing was done.
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "spectra/data_commands_win.h"

namespace {
int32_t NichtDa()
{
    NichtVerfuegbar(HAUPTDATEN.Meldungsblock.Befehl);
    return 0;
}
}  // namespace

int32_t AddToMultiColumnFile(int32_t) { return NichtDa(); }
int32_t AverageOrCreateMcFile(int32_t) { return NichtDa(); }
int32_t McFileToAscii(int32_t) { return NichtDa(); }
int32_t ExtractMcFile(int32_t) { return NichtDa(); }
void KonvertiereBl8(int32_t) { NichtDa(); }
