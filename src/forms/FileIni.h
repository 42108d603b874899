#pragma once
// Access to INI-style files: the settings file and the saved games. Each
// call opens, reads or rewrites, and closes the file; a rewrite replaces the
// file whole and atomically, so a crash leaves the old content or the new.
// Texts are UTF-8 in the program and Windows-1252 in the files.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velmo {

// 1: the file exists and holds at least one byte; 0: it exists and is
// empty; -1: it cannot be found or its size cannot be read.
std::int16_t pfuncVerificaFile(const std::string& percorso);

// The value of a key, or "" when the section or the key is absent. A
// missing or empty file shows the missing-file message and ends the program.
std::string pfuncLeggiIni(const std::string& file, const std::string& sezione, const std::string& chiave);

// Stores a value, creating the file, the section or the key as needed. The
// settings file must exist (else the missing-file message and the end); its
// read-only flag, and that of any file written, is cleared first. A write
// the system refuses is reported with a message and the program goes on,
// the file left as it was.
void pfuncScriviIni(const std::string& file, const std::string& sezione, const std::string& chiave,
                    const std::string& valore);

// Stores several values of one section with one read and one atomic
// rewrite of the file, giving the text that storing them one by one would
// give; the settings file is checked as by pfuncScriviIni. False when the
// system refused the write: the file is as it was, and the caller tells the
// user.
bool pfuncScriviValoriIni(const std::string& file, const std::string& sezione,
                          const std::vector<std::pair<std::string, std::string>>& valori);

// The values of several keys of one section, in the order of `chiavi`, from
// one read of the file, as pfuncLeggiIni gives them one by one. A file the
// user picked may be anything: nullopt when it is missing, empty or cannot
// be read, and the caller tells the user instead of ending the program.
std::optional<std::vector<std::string>> pfuncLeggiValoriIni(const std::string& file, const std::string& sezione,
                                                            const std::vector<std::string>& chiavi);

// The messages, under " Brenvo Info Service...". The form inside the two
// routines, and the one of the start-up check, with a "." after the path.
std::string pfuncTestoFileMancante(const std::string& percorso);
std::string pfuncTestoFileMancanteAvvio(const std::string& percorso);
std::string pfuncTestoScritturaRifiutata(const std::string& percorso);

}  // namespace velmo
