// Fuzz harness: language and help files. The table always has its size; a file the language page
// takes also reads as a good language file; a good table written back record by record reads back
// to the same texts.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "io/text_file.h"
#include "tests/fuzz/fuzz_support.h"

using namespace korvane;

namespace {

std::string writeBack(const TextTable& table) {
    std::string out;
    for (std::size_t k = 0; k < table.texts.size(); ++k)
        if (!table.texts[k].empty())
            out += std::to_string(k) + ",\"" + table.texts[k] + "\"\r\n";
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const int count : {kLanguageTextCount, kHelpTextCount}) {
        const TextTable table = ParseTextFile(bytes, count);
        FUZZ_CHECK(table.texts.size() == static_cast<std::size_t>(count) + 1, "a table has one entry per key");
        FUZZ_CHECK(table.good == table.badReason.empty() && table.good == (table.badLine == 0),
                   "a bad table names its line and reason, a good one none");
        if (!table.good)
            continue;
        for (const std::string& text : table.texts)
            FUZZ_CHECK(text.find('"') == std::string::npos && text.find('\n') == std::string::npos,
                       "a text holds no double quote and no line end");
        const TextTable back = ParseTextFile(writeBack(table), count);
        FUZZ_CHECK(back.good && back.texts == table.texts, "a good table written back reads the same texts");
    }
    const LanguageFileCheck check = CheckLanguageFile(bytes);
    FUZZ_CHECK(check.valid == check.reason.empty(), "a refused language file says why");
    if (check.valid) {
        FUZZ_CHECK(!check.name.empty(), "a language file has a name");
        FUZZ_CHECK(ParseTextFile(bytes, kLanguageTextCount).good, "a file the language page takes reads as good");
    }
    return 0;
}
