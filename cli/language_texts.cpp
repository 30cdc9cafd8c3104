#include "cli/language_texts.h"

#include <memory>

#include "io/text_file.h"

namespace korvane::cli {

bool ReadLanguageTexts(const std::string& path, TextLookup& lookup, std::string& reason) {
    auto table = std::make_shared<TextTable>(ReadTextFile(path, kLanguageTextCount));
    if (!table->opened) {
        reason = path + ": the language file cannot be opened";
        return false;
    }
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
