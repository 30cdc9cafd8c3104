#include "cli/language_texts.h"

#include <memory>

#include "io/atomic_file.h"
#include "io/text_file.h"

namespace korvane::cli {

bool ReadLanguageTexts(const std::string& path, TextLookup& lookup, std::string& reason) {
    std::string bytes;
    const ReadOutcome read = ReadBoundedFile(path, kTextFileLimit, bytes);
    if (!read.ok) {
        reason = path + ": " + read.reason;
        return false;
    }
    // The texts go to the unit as its label and SMS words: only a file the language page would take.
    const LanguageFileCheck check = CheckLanguageFile(bytes);
    if (!check.valid) {
        reason = path + ": not a language file: " + check.reason;
        return false;
    }
    auto table = std::make_shared<TextTable>(ParseTextFile(bytes, kLanguageTextCount));
    if (!table->good) {
        reason = path + ":" + std::to_string(table->badLine) + ": " + table->badReason;
        return false;
    }
    lookup = [table](int n) {
        return n >= 0 && static_cast<std::size_t>(n) < table->texts.size() ? table->texts[static_cast<std::size_t>(n)]
                                                                           : std::string();
    };
    return true;
}

} // namespace korvane::cli
