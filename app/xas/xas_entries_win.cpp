// The entry points of xas_entries.h whose owners are not built yet: each
// answers "not available" for its command and returns 0.
#include "xas/xas_entries.h"

#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"

namespace {

int32_t Fehlt(int32_t befehl, const char* teil = nullptr)
{
    NichtVerfuegbar(befehl, teil);
    return 0;
}

}  // namespace

int32_t XasFourierTransform(int32_t befehl) { return Fehlt(befehl); }
int32_t PhasenAmplituden(int32_t befehl) { return Fehlt(befehl); }
int32_t RatioMethode(int32_t befehl) { return Fehlt(befehl); }
int32_t DifferenzSpektrum(LPARAM) { return Fehlt(831); }
int32_t QuickXas(int32_t befehl) { return Fehlt(befehl); }
int32_t XafsInOneDialog() { return Fehlt(852, "The XAFS-in-one dialog"); }
