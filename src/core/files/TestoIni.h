#pragma once
// The INI-style text of the settings and saved-game files, as pure functions
// from text to text over the file's bytes. A line "[name]" opens a section;
// a line "key=value" inside a section holds a value. Section and key names
// match without regard to case; names and values are read without the blanks
// (spaces, tabs) around them. Lines end with LF, CR LF or CR; every line the
// program does not write to is kept as it was.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

// The longest value a read returns; a longer one comes back cut.
inline constexpr std::size_t lunghezzaMassimaValoreIni = 254;

// The value of `chiave` in `sezione`, trimmed and cut to the longest length;
// empty when the section or the key is absent. Only the first section of a
// name counts, and in it the first line of the key. A value ends at a NUL
// byte; a key line before any section belongs to none.
std::string valoreIni(std::string_view testo, std::string_view sezione, std::string_view chiave);

// The values of several keys of one section, in the order of `chiavi`, as
// valoreIni gives them one by one, from one pass over the text: a reader of
// many keys stays quick on a large file.
std::vector<std::string> valoriIni(std::string_view testo, std::string_view sezione,
                                   const std::vector<std::string>& chiavi);

// The whole text with `chiave` set to `valore`: the key's line replaced, or
// the key added after the last non-blank line of its section, or the section
// added at the end of the text. Lines end with CR LF, the last one too. Line
// breaks and NUL bytes inside the value become blanks: a value is one line.
std::string conValoreIni(std::string_view testo, std::string_view sezione, std::string_view chiave,
                         std::string_view valore);

}  // namespace velmo
