// The scenarios of the assistant from "assist.txt" of the program folder:
// the titles, the introduction, each scenario's text and its steps. No
// window is involved.
#ifndef KORLAN_ASSISTANT_H
#define KORLAN_ASSISTANT_H

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Longest line of "assist.txt" that is read in one piece.
const int ASSIST_ZEILE = 299;

// The lines of an open file, each without its line end.
std::vector<std::string> AssistZeilen(std::FILE* datei);

// The titles (lines up to the first line that holds "######") and the
// introduction (the lines after it up to the next such line, each followed
// by "\r\n").
void AssistAnfang(const std::vector<std::string>& zeilen, std::vector<std::string>* titel,
                  std::string* einleitung);

// Scenario n: the lines after the first line that holds "Scenario n" up to
// a line that holds "*****". Empty when the scenario is not there.
std::string AssistSzenario(const std::vector<std::string>& zeilen, int32_t n);

// Step k of scenario n: the first line after the scenario's line that holds
// "Step k" and the lines after it up to a line that holds "*****". ende is
// set when one of them holds "END of this scenario".
std::string AssistSchritt(const std::vector<std::string>& zeilen, int32_t n, int32_t k, bool* ende);

#endif
