// Letters of the "^" escape: the characters of a label are written in the
// encoding of the classic symbol fonts ("c" is chi, "m" is mu) and drawn as
// the Unicode characters they stand for, so that any Unicode font shows them.
#ifndef VANTOR_GREEK_LETTERS_H
#define VANTOR_GREEK_LETTERS_H

#include <string>

namespace vantor_greek {

// Unicode of one character in the symbol-font encoding; characters without
// a counterpart (control codes, bracket pieces) keep their Latin-1 value.
char16_t ToUnicode(unsigned char c);

// A whole run converted.
std::u16string ToUnicode(const char* text, int len);

}  // namespace vantor_greek

#endif
