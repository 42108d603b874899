#pragma once
// The Western code page the settings and saved-game files are written in:
// one byte a character. The program holds its texts in UTF-8; the files
// keep their bytes.

#include <string>
#include <string_view>

namespace velmo {

// Bytes of the code page to UTF-8. The five bytes the code page leaves
// undefined come back as the control characters of the same number, so a
// text read and written again keeps every byte.
std::string daWindows1252(std::string_view byte);

// UTF-8 to the code page's bytes; a character it cannot hold, or a broken
// UTF-8 sequence, becomes "?".
std::string aWindows1252(std::string_view utf8);

// Upper and lower case of one character of the code page, accented letters
// included ("à" <-> "À", "œ" <-> "Œ"); other characters are left as they are.
char maiuscola1252(char c);
char minuscola1252(char c);

}  // namespace velmo
