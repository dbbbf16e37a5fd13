// Small text helpers of the fit run's status text, the fit report and the
// result blocks: printf into a string, the rules, catalogue names.
#ifndef KORLAN_FIT_REPORT_TEXT_H
#define KORLAN_FIT_REPORT_TEXT_H

#include <cstdint>
#include <string>

#include "shell/text_format.h"

// The first zeichen characters of a rule string followed by "\r\n".
std::string RegelZeile(const char* regel, int32_t zeichen);

// Catalogue name of a type code ("" outside the catalogue; a code above 100
// counts as the code less 100) and the caption of its parameter j.
const char* KatalogName(int32_t code);
const char* KatalogTitel(int32_t code, int32_t j);

// The path part of a FEFF path's line: ", X  - Y " with the two atom
// symbols for a path of at most two legs, else ", MS(legs) [< angle]" with
// the absorber angle of a three-leg path or, for more legs, |sum of the
// first legs - 1 scattering angles - 180|. "" for a record outside 1-100.
std::string PfadZusatz(int32_t record);
// The file name of a FEFF path record ("" outside 1-100).
std::string PfadName(int32_t record);

// One line of a text from position pos: up to and including its "\n" (the
// rest when there is none); pos moves behind it. Reads at most limit
// characters of the text in all; "" at the end.
std::string NaechsteZeile(const std::string& text, std::size_t& pos, std::size_t limit);

#endif
