#include "io/text_file.h"

#include <charconv>
#include <functional>

#include "io/atomic_file.h"

namespace korvane {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// One record as it stands on its line.
struct Record {
    int line = 0;
    std::string_view key;  // trimmed key field
    std::string_view text; // text without its quotes
    bool hasText = false;  // false: the line has no comma or no complete quoted text
};

// Splits the file into records, one per non-blank line, and hands them to visit in file order until
// visit returns false or maxRecords records were visited.
void ForEachRecord(std::string_view bytes, int maxRecords, const std::function<bool(const Record&)>& visit) {
    int line = 0;
    int records = 0;
    while (!bytes.empty() && records < maxRecords) {
        ++line;
        const size_t end = bytes.find('\n');
        std::string_view text = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view{} : bytes.substr(end + 1);
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        if (Trim(text).empty() || Trim(text) == "\x1a") // blank line, or an old end-of-file mark
            continue;

        Record r;
        r.line = line;
        const size_t comma = text.find(',');
        r.key = Trim(text.substr(0, comma));
        if (comma != std::string_view::npos) {
            const std::string_view field = Trim(text.substr(comma + 1));
            if (!field.empty() && field.front() == '"') {
                const size_t close = field.find('"', 1);
                if (close != std::string_view::npos) {
                    r.text = field.substr(1, close - 1);
                    r.hasText = true;
                }
            }
        }
        ++records;
        if (!visit(r))
            return;
    }
}

enum class KeyKind { Empty, Number, NotANumber };

KeyKind ReadKey(std::string_view key, long& value) {
    if (key.empty())
        return KeyKind::Empty;
    const char* first = key.data();
    const char* last = key.data() + key.size();
    if (*first == '+')
        ++first;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ptr != last || first == last)
        return KeyKind::NotANumber;
    if (ec == std::errc::result_out_of_range) {
        value = (*first == '-') ? -1 : 1'000'000; // far outside any table either way
        return KeyKind::Number;
    }
    return ec == std::errc{} ? KeyKind::Number : KeyKind::NotANumber;
}

} // namespace

TextTable ParseTextFile(std::string_view bytes, int count) {
    TextTable table;
    table.texts.assign(static_cast<size_t>(count) + 1, std::string{});
    ForEachRecord(bytes, count + 1, [&](const Record& r) {
        long key = 0;
        switch (ReadKey(r.key, key)) {
        case KeyKind::Empty:
            return true;
        case KeyKind::NotANumber:
            table.badReason = "key is not a number";
            break;
        case KeyKind::Number:
            if (key > count) {
                table.badReason = "key " + std::string(r.key) + " is above " + std::to_string(count);
                break;
            }
            if (!r.hasText) {
                table.badReason = "record has no quoted text";
                break;
            }
            if (key >= 0)
                table.texts[static_cast<size_t>(key)] = std::string(r.text);
            return true;
        }
        table.good = false;
        table.badLine = r.line;
        return false;
    });
    return table;
}

TextTable ReadTextFile(const std::string& path, int count) {
    std::string bytes;
    const ReadOutcome read = ReadBoundedFile(path, kTextFileLimit, bytes);
    TextTable table = ParseTextFile(bytes, count);
    table.opened = read.ok || read.tooLarge;
    if (read.tooLarge) {
        table.good = false;
        table.badLine = 1;
        table.badReason = read.reason;
    } else if (!read.ok) {
        table.openReason = read.reason;
    }
    return table;
}

LanguageFileCheck CheckLanguageFile(std::string_view bytes) {
    LanguageFileCheck check;
    bool identified = false;
    bool bad = false;
    ForEachRecord(bytes, kLanguageTextCount + 1, [&](const Record& r) {
        long key = 0;
        const KeyKind kind = ReadKey(r.key, key);
        if (kind == KeyKind::Empty)
            return true;
        if (kind == KeyKind::NotANumber || key < 0 || key > kLanguageTextCount || !r.hasText) {
            check.reason = "bad record at line " + std::to_string(r.line);
            bad = true;
            return false;
        }
        if (key == kTxtFileIdentifier && r.text == kLanguageFileIdentifier)
            identified = true;
        if (key == kTxtLanguageName && !r.text.empty())
            check.name = std::string(r.text);
        return true;
    });
    if (bad) {
        check.name.clear();
        return check;
    }
    if (!identified) {
        check.reason = "record 330 does not identify a language file";
        check.name.clear();
        return check;
    }
    if (check.name.empty()) {
        check.reason = "record 331 with the language's name is missing";
        return check;
    }
    check.valid = true;
    return check;
}

LanguageFileCheck CheckLanguageFileAt(const std::string& path) {
    std::string bytes;
    const ReadOutcome read = ReadBoundedFile(path, kTextFileLimit, bytes);
    if (!read.ok) {
        LanguageFileCheck check;
        check.reason = read.tooLarge ? read.reason : "file cannot be opened (" + read.reason + ")";
        return check;
    }
    return CheckLanguageFile(bytes);
}

std::string HelpFileName(std::string_view languagePath) {
    const size_t sep = languagePath.find_last_of("\\/");
    if (sep == std::string_view::npos)
        return std::string(languagePath) + "_hlp.dat";
    const std::string_view folder = languagePath.substr(0, sep + 1);
    const std::string_view name = languagePath.substr(sep + 1, 3);
    return std::string(folder) + std::string(name) + "_hlp.dat";
}

} // namespace korvane
