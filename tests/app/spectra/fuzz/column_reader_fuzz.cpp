// Fuzz target: the readers that take columns and frames from a file on
// disk - the column reader of text and binary files, the binary-column
// reader with its block words and the frame reader of a series - on
// arbitrary bytes. The choices of columns, block word, capacity and frames
// come from the end of the input, the file from the rest.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <unistd.h>

#include "spectra/ascii_file.h"
#include "spectra/spectrum_file.h"

namespace {

const char* const NAME = "f.dat";
char ordner[] = "/dev/shm/korlan-fuzz-XXXXXX";
char datei[sizeof ordner + 8] = "";

void Aufraeumen()
{
    std::remove(datei);
    rmdir(ordner);
}

// One file per fuzzing process, in a folder of its own that goes at the end.
const char* Datei()
{
    if (!datei[0]) {
        if (!mkdtemp(ordner)) std::abort();
        std::snprintf(datei, sizeof datei, "%s/%s", ordner, NAME);
        std::atexit(Aufraeumen);
    }
    return datei;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider wahl(data, size);
    const int32_t xSpalte = wahl.ConsumeIntegralInRange<int32_t>(-1, 8);
    const int32_t ySpalte = wahl.ConsumeIntegralInRange<int32_t>(-1, 8);
    const int32_t blockWort = wahl.ConsumeIntegralInRange<int32_t>(-2, 24);
    const int32_t kapazitaet = wahl.ConsumeIntegralInRange<int32_t>(0, 4096);
    const int32_t frames = wahl.ConsumeIntegralInRange<int32_t>(0, 6);
    const double glitch = wahl.ConsumeBool() ? 10.0 : 0.0;
    const std::vector<uint8_t> inhalt = wahl.ConsumeRemainingBytes<uint8_t>();

    const char* pfad = Datei();
    std::FILE* f = std::fopen(pfad, "wb");
    if (!f) std::abort();
    if (!inhalt.empty()) std::fwrite(inhalt.data(), 1, inhalt.size(), f);
    std::fclose(f);

    // The file as Open reads it, then its columns as the column commands do.
    DateiInfo info;
    DateiInfoLeeren(&info);
    std::snprintf(info.Ordner, sizeof info.Ordner, "%s/", ordner);
    std::snprintf(info.DateiName, sizeof info.DateiName, "%s", NAME);
    SpektrumDaten daten;
    int32_t fehler = 0;
    LeseSpektrum(&info, &daten, nullptr, nullptr, &fehler);
    SpektrumDaten spalten;
    LeseSpalten(info, xSpalte, ySpalte, &spalten, &fehler, glitch, 2);

    // Into caller arrays of a given capacity.
    std::vector<double> x(kapazitaet), y(kapazitaet), c3(kapazitaet), c4(kapazitaet);
    LeseDatenFile(&info, x.data(), y.data(), c3.data(), c4.data(), kapazitaet, &fehler);

    // The binary-column reader, with a block word of every column.
    std::vector<double> bx, by;
    LeseBinaerSpalten(pfad, xSpalte, ySpalte, blockWort, &bx, &by, &fehler);

    // The frame reader: open, some frames, an earlier one again, close.
    if (LeseSerienFrame(info, y.data(), kapazitaet, 0, 0.0, 2) == 0) {
        for (int32_t k = 1; k <= frames; ++k) LeseSerienFrame(info, y.data(), kapazitaet, k, glitch, 2);
        LeseSerienFrame(info, y.data(), kapazitaet, 1, glitch, 2);
    }
    LeseSerienFrame(info, y.data(), kapazitaet, -1, 0.0, 2);
    return 0;
}
