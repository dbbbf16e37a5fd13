// Text logic of the results window and of the results log "results.dat":
// the date lines, the log's header, appending to the log, and the history
// text with its trimming. Plain functions on character blocks of a stated
// capacity; the window code owns the blocks and shows the texts.
#ifndef KORLAN_SHELL_RESULTSTEXT_H
#define KORLAN_SHELL_RESULTSTEXT_H

#include <cstddef>
#include <ctime>
#include <string>

// The window's three text blocks (results, fit text, history), bytes.
const size_t ERGEBNIS_TEXTBLOCK = 60000;
// The history is halved before an append would take it beyond this length.
const size_t HISTORIE_KUERZEN_AB = 31500;
// An append whose sum of lengths falls in this range warns that the next one
// may exceed the edit control's limit.
const size_t HISTORIE_WARNUNG_VON = 31801;
const size_t HISTORIE_WARNUNG_BIS = 31999;
// Text limit of the edit control.
const size_t ERGEBNIS_EDIT_GRENZE = 31000;

// The 24-character date text of the Windows runtime's asctime,
// "Thu Dec 03 09:05:07 2026", without its line end.
std::string ZeitText24(const std::tm& t);

// "\r\n  Current date and time :   <date> \r\n": the history's opening line
// and the line put in after each trimming.
std::string HistorieZeitZeile(const std::tm& t);

// Header of a fresh "results.dat" as written in text mode: "Korlan-Results: "
// and the date line, whose date keeps the runtime's own line end.
std::string ErgebnisDateiKopf(const std::tm& t);

// A window text ("\r\n" line ends) in the form for a file written in text
// mode, where the runtime itself puts back "\r\n" on Windows: "\r\n" -> "\n".
std::string FuerTextmodus(const char* text);

// Creates pfad anew with the header. false when it cannot be created.
bool ErgebnisDateiNeu(const std::string& pfad, const std::tm& t);
// Appends text (window form) to the log and closes it again. A log that
// cannot be opened is passed over: false, nothing else happens.
bool ErgebnisDateiAnhaengen(const std::string& pfad, const char* text);

// Copies at most maxZeichen characters of text, and never more than
// kapazitaet - 1, into ziel with its NUL. Returns the characters copied.
// kapazitaet 0 writes nothing.
size_t BegrenztKopieren(char* ziel, size_t kapazitaet, const char* text,
                        size_t maxZeichen = static_cast<size_t>(-1));
// Appends text to the NUL-terminated ziel without passing kapazitaet
// (NUL included). Returns true when all of text fitted; a cut keeps the
// beginning of text.
bool BegrenztAnhaengen(char* ziel, size_t kapazitaet, const char* text);

struct HistorieErgebnis {
    bool gekuerzt = false;       // the first half of the history was dropped
    bool abgeschnitten = false;  // the capacity forced a further cut (see below)
    bool warnen = false;         // show the "CAUTION !!" box after this append
};

// Appends "\r\n" and text to the history held in historie (NUL-terminated,
// kapazitaet bytes). When the history's length plus the text's length
// exceeds HISTORIE_KUERZEN_AB, the second half of the history is moved to
// its start and "\r\n" and HistorieZeitZeile(jetzt) follow before the text.
// The block is never overrun: if the result still would not fit, the oldest
// history characters are dropped, and a text longer than the whole block
// keeps only its beginning.
HistorieErgebnis HistorieAnhaengen(char* historie, size_t kapazitaet, const char* text,
                                   const std::tm& jetzt);

// "Length  :  <n>", the line that command 124 adds to the history.
std::string LaengenZeile(size_t laenge);

#endif
