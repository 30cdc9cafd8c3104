// The language korvane-cli speaks: --language as a language's code (en, de, da), its name as its file
// names it (Deutsch), or the path of a language file; without it the language of the environment
// (LC_ALL, LC_MESSAGES, LANG), and English where none of the program's languages matches.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "cli/command_support.h"
#include "io/atomic_file.h"
#include "io/text_file.h"
#include "model/text_codec.h"

namespace korvane::cli {

namespace {

// A language of the program folder: its file, the file's name without ".dat", and the code of text 99.
struct Shipped {
    std::string file;
    std::string name;
    std::string code;
};

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::shared_ptr<TextTable> readTable(const std::string& path, std::string& reason) {
    std::string bytes;
    if (const ReadOutcome read = ReadBoundedFile(path, kTextFileLimit, bytes); !read.ok) {
        reason = path + ": " + read.reason;
        return nullptr;
    }
    if (const LanguageFileCheck check = CheckLanguageFile(bytes); !check.valid) {
        reason = path + ": not a language file: " + check.reason;
        return nullptr;
    }
    auto table = std::make_shared<TextTable>(ParseTextFile(bytes, kLanguageTextCount));
    if (!table->good) {
        reason = path + ":" + std::to_string(table->badLine) + ": " + table->badReason;
        return nullptr;
    }
    return table;
}

std::string textOf(const std::shared_ptr<TextTable>& table, int n) {
    if (!table || n < 0 || static_cast<std::size_t>(n) >= table->texts.size())
        return {};
    return table->texts[static_cast<std::size_t>(n)];
}

bool blank(const std::string& s) {
    return s.find_first_not_of(" \t\r\n") == std::string::npos;
}

// The languages of the program folder, those of the View menu first, then any other in name order.
std::vector<Shipped> shippedLanguages() {
    namespace fs = std::filesystem;
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(ProgramDir() + "/Language", ec)) {
        const std::string name = entry.path().filename().string();
        const std::string low = lower(name);
        if (low.size() > 4 && low.ends_with(".dat") && !low.ends_with("_hlp.dat") && entry.is_regular_file(ec))
            files.push_back(name);
    }
    const std::vector<std::string> menu{"english.dat", "deutsch.dat", "dansk.dat"};
    auto rank = [&](const std::string& f) { return std::find(menu.begin(), menu.end(), lower(f)) - menu.begin(); };
    std::sort(files.begin(), files.end(), [&](const std::string& a, const std::string& b) {
        return std::pair(rank(a), a) < std::pair(rank(b), b);
    });
    std::vector<Shipped> out;
    for (const std::string& f : files) {
        std::string reason;
        const std::string path = ProgramDir() + "/Language/" + f;
        if (const auto table = readTable(path, reason))
            out.push_back({path, f.substr(0, f.size() - 4), lower(textOf(table, kTxtQtLanguage))});
    }
    return out;
}

// The first language code of the environment ("de" of "de_DE.UTF-8"); empty for none, C or POSIX.
std::string environmentCode() {
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(var);
        if (!value || !*value)
            continue;
        const std::string code = lower(std::string(value).substr(0, std::string(value).find_first_of("_.@")));
        return code == "c" || code == "posix" ? std::string() : code;
    }
    return {};
}

std::string gLanguageFile;
std::string gLanguageError;
std::shared_ptr<TextTable> gOwn;
std::shared_ptr<TextTable> gEnglish;

} // namespace

std::string LanguageFileFor(const std::optional<std::string>& given) {
    const std::vector<Shipped> shipped = shippedLanguages();
    const std::string english = ProgramDir() + "/Language/English.dat";
    if (!given) {
        const std::string code = environmentCode();
        for (const Shipped& s : shipped)
            if (!code.empty() && s.code == code)
                return s.file;
        return english;
    }
    const std::string wanted = lower(*given);
    for (const Shipped& s : shipped)
        if (wanted == s.code || wanted == lower(s.name))
            return s.file;
    std::error_code ec;
    if (std::filesystem::exists(*given, ec) || given->find('/') != std::string::npos || wanted.ends_with(".dat"))
        return *given;
    std::string choices;
    for (const Shipped& s : shipped)
        choices += s.code + ", ";
    for (const Shipped& s : shipped)
        choices += s.name + ", ";
    throw UsageError{Say(kTxtCliUnknownLanguage, {*given, choices.substr(0, choices.size() - 2)})};
}

void UseLanguage(const std::string& file) {
    gLanguageFile = file;
    gLanguageError.clear();
    std::string ignored;
    gEnglish = readTable(ProgramDir() + "/Language/English.dat", ignored);
    gOwn = readTable(file, gLanguageError);
}

const std::string& LanguageError() {
    return gLanguageError;
}

TextLookup ReadTexts(const Arguments&) {
    if (!gOwn)
        throw std::runtime_error(Say(kTxtCliLanguageFile, {gLanguageError}));
    return [table = gOwn](int n) { return textOf(table, n); };
}

const TextLookup& Words() {
    static const TextLookup words = [](int n) {
        if (std::string own = textOf(gOwn, n); !blank(own))
            return own;
        if (std::string english = textOf(gEnglish, n); !blank(english))
            return english;
        return "[" + std::to_string(n) + "]";
    };
    return words;
}

std::string Say(int text, const std::vector<std::string>& args) {
    std::string out = Cp1252ToUtf8(Words()(text));
    for (std::size_t i = args.size(); i-- > 0;) {
        const std::string mark = "%" + std::to_string(i + 1);
        for (std::size_t at = out.find(mark); at != std::string::npos; at = out.find(mark, at + args[i].size()))
            out.replace(at, mark.size(), args[i]);
    }
    return out;
}

} // namespace korvane::cli
