#pragma once
// The language texts the command line needs (the unit label and the SMS entries of a write).

#include <string>

#include "io/hex_records.h"

namespace korvane::cli {

// Reads a language file and returns a lookup of its texts; an unknown key gives an empty text. False
// with the reason, naming the file, when it cannot be read or is not a language file as the language
// page takes one (records 330 and 331).
bool ReadLanguageTexts(const std::string& path, TextLookup& lookup, std::string& reason);

} // namespace korvane::cli
