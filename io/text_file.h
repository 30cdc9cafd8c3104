#pragma once
// Language and help files: the tables every caption, message and F1 help of the program comes from.
//
// A file is a list of records, one per line, each a decimal key, a comma and the text between double
// quotes ("write" convention, no escaping; a text never contains a double quote). Texts are 8-bit
// Windows-1252 characters and are kept as such; lines end in CR LF, a bare LF is accepted too.
//
//   330,"xx07300-0000"
//   331,"English"
//   2,"New"
//
// A language file has keys 0..999 (kLanguageTextCount) and must carry record 330 with the identifier
// and record 331 with the language's name; its help file has keys 0..2000 (kHelpTextCount) and lives
// beside it (HelpFileName).

#include <string>
#include <string_view>
#include <vector>

#include "model/text_ids.h"

namespace korvane {

// Keys 0..400 are the texts every ZEB1 language file has; 401..999 hold the texts Korvane added since
// (the problems list, the one window, the command line's sentences). A file with keys up to 400 only
// is still a good language file: a text it lacks falls back to English.
constexpr int kLanguageTextCount = 999;                              // highest key of a language file
constexpr int kHelpTextCount = 2000;                                 // highest key (help number) of a help file
constexpr std::string_view kLanguageFileIdentifier = "xx07300-0000"; // the text of record kTxtFileIdentifier

struct TextTable {
    std::vector<std::string> texts; // count + 1 entries, index = key; "" where the file has no text
    bool opened = true;             // false: the file could not be opened (all texts empty)
    std::string openReason;         // why it could not be opened; "" when opened
    bool good = true;               // false: reading stopped at a bad record
    int badLine = 0;                // 1-based line of the bad record, 0 when good
    std::string badReason;          // English, for logs and the command line; "" when good
};

// Reads the records of a language (count 999) or help (count 2000) file:
// - at most count + 1 records are read; blank lines are not records;
// - a key 0..count stores the text in that entry, a later record with the same key wins;
// - a negative key is ignored, an empty key skips the record;
// - a key that is not a number or is above count, or a record without its quoted text, makes the
//   file bad: reading stops there and the entries read before stay.
TextTable ParseTextFile(std::string_view bytes, int count);

// The same for a file on disk. A file that cannot be opened gives an all-empty table that is still
// good (opened = false): the caller decides whether that is worth a word to the user. A file larger
// than any language or help file (kTextFileLimit) is bad at its first line and none of it is taken.
TextTable ReadTextFile(const std::string& path, int count);

struct LanguageFileCheck {
    bool valid = false;
    std::string name;   // text of the last record 331 (8-bit), when valid
    std::string reason; // English, why the file was refused; "" when valid
};

// Whether a file is a language file a slot may take: among its first 1000 records every key is a
// number 0..999 (an empty key is skipped), some record 330 reads "xx07300-0000" and some record 331
// has a non-empty text, which names the language.
LanguageFileCheck CheckLanguageFile(std::string_view bytes);
LanguageFileCheck CheckLanguageFileAt(const std::string& path);

// The help file that belongs to a language file: the folder (up to and including the last '\' or
// '/'), the first three characters of the file name and "_hlp.dat". "Language\English.dat" gives
// "Language\Eng_hlp.dat"; a path without a separator gives the whole path followed by "_hlp.dat".
std::string HelpFileName(std::string_view languagePath);

} // namespace korvane
