// Fuzz target: the readers of the XAS data files on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "xas/feff_path.h"
#include "xas/mcmaster.h"
#include "xas/xas_reduction.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);

    std::vector<double> tabelle(MCMASTER_WERTE, 0.0);
    if (LeseMucalText(text, size, tabelle.data()) == 1) {
        double kanten[9], werte[11], ausbeuten[4];
        char symbol[] = "Cu";
        McMasterCalc(tabelle.data(), symbol, 10.0, kanten, werte, ausbeuten, 'C', -1);
    }

    FilesDatListe liste;
    FilterFilesDat(text, size, 10, 10.0, 4, {1, 2}, &liste);
    FilterFilesDat(text, size, 1, 50.0, 2, {}, &liste);

    FeffPfadDatei datei;
    if (LesePfadDatei(text, size, &datei) == 0) {
        std::vector<double> amplitude, phase;
        FeffAmplitudePhase(datei, &amplitude, &phase);
    }

    FeffGeometrie geometrie;
    for (int32_t pfad = 1; pfad <= 3; ++pfad) LesePathsDat(text, size, pfad, 3, &geometrie);

    // Column layouts of "favorite.ini" and ".F15" files.
    SpaltenLayout layout = LeseSpaltenLayout(text, size);
    SchreibeSpaltenLayout(layout);
    KonvertiereF15Text(std::string(text, size));
    return 0;
}
