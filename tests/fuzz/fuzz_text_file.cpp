// Fuzz harness: language and help files. The table always has its size; a file the language page
// takes also reads as a good language file; a good table written back record by record reads back
// to the same texts; the help file of a language file, whatever its path, lies in the same folder
// and is named after the first three characters of the language file's name.

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
    // The bytes as the path of a language file (a folder with '\' or '/' separators, a name).
    const std::string help = HelpFileName(bytes);
    const std::size_t cut = bytes.find_last_of("\\/");
    const std::string_view folder = cut == std::string_view::npos ? std::string_view() : bytes.substr(0, cut + 1);
    const std::string_view name = bytes.substr(folder.size());
    const std::string_view suffix = "_hlp.dat";
    FUZZ_CHECK(help.size() >= suffix.size() && help.compare(help.size() - suffix.size(), suffix.size(), suffix) == 0,
               "a help file name ends in _hlp.dat");
    FUZZ_CHECK(help.compare(0, folder.size(), folder) == 0, "the help file lies in the language file's folder");
    const std::string_view helpName =
        std::string_view(help).substr(folder.size(), help.size() - folder.size() - suffix.size());
    FUZZ_CHECK(helpName == (folder.empty() ? name : name.substr(0, 3)),
               "the help file is named after the first three characters of the language file (all of a bare name)");

    const LanguageFileCheck check = CheckLanguageFile(bytes);
    FUZZ_CHECK(check.valid == check.reason.empty(), "a refused language file says why");
    if (check.valid) {
        FUZZ_CHECK(!check.name.empty(), "a language file has a name");
        FUZZ_CHECK(ParseTextFile(bytes, kLanguageTextCount).good, "a file the language page takes reads as good");
    }
    return 0;
}
