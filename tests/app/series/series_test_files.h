// What the series tests read back: the bytes of a file and a multi-column
// file's header and columns, through the program's own binary reader.
#ifndef KORLAN_TESTS_SERIES_TEST_FILES_H
#define KORLAN_TESTS_SERIES_TEST_FILES_H

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "spectra/spectrum_file.h"

inline std::vector<uint8_t> Bytes(const std::string& pfad)
{
    std::ifstream in(pfad, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

struct McInhalt {
    BinaerKopf kopf{};
    std::vector<std::vector<double>> spalten;
};

inline McInhalt LiesMc(const std::string& pfad)
{
    McInhalt r;
    std::vector<uint8_t> b = Bytes(pfad);
    SpeicherQuelle q(b.data(), b.size());
    EXPECT_EQ(LeseBinaerKopf(q, &r.kopf), SPEKTRUM_OK) << pfad;
    for (int32_t s = 1; s <= r.kopf.SpaltenImFile; ++s) {
        std::vector<double> v(static_cast<std::size_t>(r.kopf.GespeichertePunkte) + 5);
        EXPECT_EQ(LeseBinaerSpalte(q, r.kopf, s, v.data()), SPEKTRUM_OK);
        v.resize(static_cast<std::size_t>(r.kopf.GespeichertePunkte));
        r.spalten.push_back(v);
    }
    return r;
}

#endif
