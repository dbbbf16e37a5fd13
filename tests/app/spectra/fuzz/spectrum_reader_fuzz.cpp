// Fuzz target: every reader of spectrum files on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "spectra/ascii_file.h"
#include "spectra/spectrum_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SpeicherQuelle quelle(data, size);
    DateiInfo info;
    DateiInfoLeeren(&info);
    SpektrumDaten daten;
    int32_t fehler = 0;
    LeseBinaerSpektrum(quelle, &info, &daten, &fehler);

    BinaerKopf kopf;
    if (LeseBinaerKopf(quelle, &kopf) == SPEKTRUM_OK) {
        std::vector<double> spalte(kopf.Punkte);
        for (int32_t c = 0; c <= kopf.Spalten + 1; ++c) LeseBinaerSpalte(quelle, kopf, c, spalte.data());
        GlitchFilter(spalte.data(), kopf.Punkte, 10.0, 2);
    }

    TextTabelle tabelle;
    if (ParseTextTabelle(reinterpret_cast<const char*>(data), size, &tabelle) == SPEKTRUM_OK) {
        TextTabelle kopie = tabelle;
        std::vector<double> s3, s4;
        TabelleAlsSpektrum(tabelle, &info, &daten, &s3, &s4);
        TabelleAlsSpektrum(kopie, &info, nullptr, nullptr, nullptr);
    }
    return 0;
}
