#include "cli/language_texts.h"

#include <map>
#include <memory>

#include "io/atomic_file.h"

namespace korvane::cli {

// replaced by the shared text-file parser once it lands
bool ReadLanguageTexts(const std::string& path, TextLookup& lookup, std::string& reason) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, reason)) {
        reason = path + ": " + reason;
        return false;
    }
    auto texts = std::make_shared<std::map<int, std::string>>();
    std::size_t start = 0;
    while (start < bytes.size()) {
        auto end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto comma = line.find(',');
        if (comma == std::string::npos || comma == 0 || comma > 5)
            continue;
        const std::string key = line.substr(0, comma);
        if (key.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::string text = line.substr(comma + 1);
        const auto open = text.find('"');
        if (open != std::string::npos) {
            const auto close = text.find('"', open + 1);
            text = text.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
        }
        (*texts)[std::stoi(key)] = text; // a later record with the same key wins
    }
    lookup = [texts](int n) {
        const auto it = texts->find(n);
        return it == texts->end() ? std::string() : it->second;
    };
    return true;
}

} // namespace korvane::cli
