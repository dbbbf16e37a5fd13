// Fuzz target: the "RAW_" diffractometer reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "spectra/raw_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (int32_t bereich = 0; bereich <= RAW_MAX_BEREICHE + 1; ++bereich) {
        RawDateiKopf kopf;
        RawBereichKopf bk;
        std::vector<float> werte;
        if (ReadRawBlocks(data, size, bereich, &kopf, &bk, &werte) == RAW_OK &&
            werte.size() != static_cast<size_t>(bk.Punkte))
            __builtin_trap();
    }
    DateiInfo info;
    DateiInfoLeeren(&info);
    SpektrumDaten kurve;
    int32_t fehler = 0;
    const int32_t n = LoadRawFile(1, data, size, &info, &kurve, &fehler);
    if (n > 0 && (kurve.x.size() != static_cast<size_t>(n) || info.Punkte != n)) __builtin_trap();
    return 0;
}
