// Fuzz target: the macro reader on arbitrary text. What it accepts is
// written again and must read back to the same text, and every record goes
// through the player's copying into tables of exactly the sizes it states.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "shell/macro_file.h"
#include "shell/macro_player.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<MakroSatz> saetze;
    int32_t zeile = 0;
    if (MakroTextLesen(text, saetze, &zeile) != MAKRO_SATZ) return 0;

    // Written and read again, the records give the same text.
    std::string einmal;
    if (MakroDateiText(saetze, einmal) != MAKRO_SATZ) std::abort();
    std::vector<MakroSatz> wieder;
    if (MakroTextLesen(einmal, wieder) != MAKRO_SATZ) std::abort();
    std::string zweimal;
    if (MakroDateiText(wieder, zweimal) != MAKRO_SATZ || zweimal != einmal) std::abort();

    // The player's targets, each as large as the player says it must be
    // (made once: the heap's guard zones lie right behind each of them).
    static std::vector<double> dialog(MAKRO_DIALOGWERTE), parameter(MAKRO_PARAMETER_BLOCK),
        konstanten(MAKRO_MAX_PARAMETER);
    static std::vector<int32_t> typen(MAKRO_MAX_FUNKTIONEN), freie(MAKRO_MAX_PARAMETER),
        flags(MAKRO_MAX_PARAMETER), worte(MAKRO_MAX_PARAMETER);
    static std::vector<char> text1(MAKRO_COMMANDTEXT_KAPAZITAET), text2(MAKRO_TEXT_KAPAZITAET);
    int32_t anzahl = 0, grad = 0, maxPar = 0, maxFit = 0;
    MakroZiele z{dialog.data(), parameter.data(), typen.data(), &anzahl, &grad, &maxPar, &maxFit,
                 freie.data(), flags.data(), worte.data(), konstanten.data(), text1.data(), text2.data()};
    MakroSpielZustand zustand;
    for (const MakroSatz& s : saetze) {
        MakroSatzAnwenden(s, z, zustand);
        MakroSchrittGemerkt(s, anzahl, zustand);
    }
    return 0;
}
