// Reading of the text files of the XAS data (McMaster table, FEFF output):
// the whole file into memory, then line by line and word by word.
//
// Plain code: no window system, so it builds natively too.
#ifndef KORLAN_XAS_DATA_LINES_H
#define KORLAN_XAS_DATA_LINES_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A data file larger than this is refused.
constexpr std::size_t MAX_DATEN_BYTES = 64u * 1024u * 1024u;

// Reads the file (read-only) into text. False when it cannot be opened,
// cannot be read or is larger than MAX_DATEN_BYTES.
bool LeseTextDatei(const std::string& pfad, std::string* text);

// Lines of a text buffer: "\n", "\r\n" and "\r" end a line; the line end is
// not part of the line.
class ZeilenLeser {
public:
    ZeilenLeser(const char* text, std::size_t laenge) : text_(text), laenge_(laenge) {}
    // Next line into zeile; false at the end of the text.
    bool Naechste(std::string_view* zeile);
    bool AmEnde() const { return pos_ >= laenge_; }

private:
    const char* text_;
    std::size_t laenge_;
    std::size_t pos_ = 0;
};

// Words of a line, separated by blanks and tabs.
class WortLeser {
public:
    explicit WortLeser(std::string_view zeile) : zeile_(zeile) {}
    // Next word; false when none is left.
    bool Wort(std::string_view* wort);
    // Next word as a finite number; false (nothing consumed) when the next
    // word is missing or is not a number as a whole.
    bool Zahl(double* wert);
    // What is left after the blanks ahead of the next word.
    std::string_view Rest();

private:
    std::string_view zeile_;
    std::size_t pos_ = 0;
};

// A word that is a finite number as a whole ("1.5E+00", "-.000"); false
// for anything else, "nan" and "inf" included.
bool WortAlsZahl(std::string_view wort, double* wert);

// True when zeile holds teil.
inline bool Enthaelt(std::string_view zeile, std::string_view teil)
{
    return zeile.find(teil) != std::string_view::npos;
}

#endif
