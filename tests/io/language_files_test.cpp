// The language and help files the program ships, held against the numbers the code uses.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "io/text_file.h"
#include "model/channel_types.h"
#include "model/text_ids.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using korvane::testing::readBytes;

namespace {

const std::string kLanguageDir = KORVANE_SOURCE_DIR "/resources/Language/";

struct Shipped {
    const char* file;
    const char* name;       // record 331
    std::string characters; // of the language, as Windows-1252 bytes: in the language and the help file
};
const Shipped kShipped[] = {{"English.dat", "English", ""},
                            {"Deutsch.dat", "Deutsch", "\xe4\xf6\xfc\xdf"}, // ä ö ü ß
                            {"Dansk.dat", "Dansk", "\xe6\xf8\xe5"}};        // æ ø å

// The keys the file actually carries (a text may be empty only if the file says so).
std::set<int> KeysOf(const std::string& bytes) {
    std::set<int> keys;
    for (const std::string& line : korvane::testing::splitOn(bytes, '\n'))
        if (line.find(',') != std::string::npos)
            keys.insert(std::stoi(line));
    return keys;
}

std::string Trimmed(const std::string& s) {
    const size_t a = s.find_first_not_of(' ');
    return a == std::string::npos ? "" : s.substr(a, s.find_last_not_of(' ') - a + 1);
}

// A text file as the program ships it: Windows-1252 with CR LF line ends, with the characters of its language.
void ExpectWindows1252WithCrLf(const std::string& file, const std::string& bytes, const std::string& characters) {
    for (char c : characters)
        EXPECT_NE(bytes.find(c), std::string::npos) << file << " lacks character " << int(c & 0xff);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = bytes[i];
        const unsigned char next = i + 1 < bytes.size() ? bytes[i + 1] : 0;
        if (c == '\n')
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << file << ": bare LF at byte " << i;
        else if (c == '\r')
            ASSERT_EQ(next, '\n') << file << ": bare CR at byte " << i;
        else // no control characters, none of the five codes without a character in Windows-1252
            ASSERT_TRUE(c >= 0x20 && c != 0x7f && c != 0x81 && c != 0x8d && c != 0x8f && c != 0x90 && c != 0x9d)
                << file << ": byte " << int(c) << " at " << i;
        // UTF-8 would show up as Ã or Â followed by a continuation byte.
        ASSERT_FALSE((c == 0xc3 || c == 0xc2) && (next & 0xc0) == 0x80) << file << ": UTF-8 at byte " << i;
    }
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '"') % 2, 0) << file;
}

} // namespace

TEST(TextNumbers, namedNumbersAreUniqueAndWithinTheTables) {
    std::vector<int> language = {
#define KORVANE_LIST(name, number) number,
        KORVANE_LANGUAGE_TEXTS(KORVANE_LIST)};
    std::vector<int> help = {KORVANE_HELP_TEXTS(KORVANE_LIST)};
#undef KORVANE_LIST
    for (const std::vector<int>* v : {&language, &help})
        EXPECT_EQ(std::set<int>(v->begin(), v->end()).size(), v->size()) << "a number has two names";
    const std::set<int> used(UsedLanguageTexts().begin(), UsedLanguageTexts().end());
    for (const TypeInfo& t : ChannelTypes()) {
        // The formula ranges must not land on a text that already means something else.
        EXPECT_EQ(std::count(language.begin(), language.end(), TypeNameText(t.code)), 0) << t.code;
        EXPECT_EQ(std::count(help.begin(), help.end(), TypeHelp(t.code)), 0) << t.code;
    }
    for (int w = 1; w <= 7; ++w)
        EXPECT_EQ(std::count(language.begin(), language.end(), WeekdayText(w)), 0) << w;
    for (int k = 0; k < kShortcutCount; ++k)
        EXPECT_EQ(std::count(language.begin(), language.end(), ShortcutText(k)), 0) << k;
    EXPECT_EQ(UsedLanguageTexts().front(), 0);
    EXPECT_LE(UsedLanguageTexts().back(), kLanguageTextCount);
    EXPECT_GT(UsedHelpTexts().front(), 0); // help number 0 always shows the fallback text
    EXPECT_LE(UsedHelpTexts().back(), kHelpTextCount);
    EXPECT_TRUE(used.count(kTxtFileIdentifier) && used.count(kTxtLanguageName));
    EXPECT_TRUE(used.count(TypeNameText(kTypeAnalogTemperature)) && used.count(WeekdayText(7)));
    EXPECT_FALSE(used.count(TypeNameText(38))); // no type 38, no name
}

// Good, in Windows-1252 with CR LF line ends, and with exactly the texts the program uses.
TEST(ShippedLanguageFiles, languageAndHelpFilesAreGoodAndCarryExactlyTheTextsTheProgramUses) {
    const std::set<int> usedLanguage(UsedLanguageTexts().begin(), UsedLanguageTexts().end());
    const std::set<int> usedHelp(UsedHelpTexts().begin(), UsedHelpTexts().end());
    for (const Shipped& s : kShipped) {
        const std::string path = kLanguageDir + s.file;
        const LanguageFileCheck check = CheckLanguageFileAt(path);
        EXPECT_TRUE(check.valid) << s.file << ": " << check.reason;
        EXPECT_EQ(check.name, s.name);

        const std::string helpPath = HelpFileName(path);
        for (const auto& [file, count, used] :
             {std::tuple{path, kLanguageTextCount, &usedLanguage}, {helpPath, kHelpTextCount, &usedHelp}}) {
            const TextTable t = ReadTextFile(file, count);
            ASSERT_TRUE(t.opened) << file;
            EXPECT_TRUE(t.good) << file << " line " << t.badLine << ": " << t.badReason;
            for (int n : *used)
                EXPECT_FALSE(Trimmed(t.texts[n]).empty()) << file << ": text " << n << " is missing";
            // No stale texts either: a number the program no longer uses leaves the files with it.
            const std::string bytes = readBytes(file);
            EXPECT_EQ(KeysOf(bytes), *used) << file;
            ExpectWindows1252WithCrLf(file, bytes, s.characters);
        }
        // A help file is no language file: the browse button must refuse it.
        EXPECT_FALSE(CheckLanguageFileAt(helpPath).valid) << helpPath;
    }
}

TEST(ShippedLanguageFiles, textsWithAFixedShapeKeepIt) {
    for (const Shipped& s : kShipped) {
        const TextTable t = ReadTextFile(kLanguageDir + s.file, kLanguageTextCount);
        SCOPED_TRACE(s.file);

        // Shortcut letters: a letter key each, and no two Ctrl shortcuts on one key; Ctrl+Z and Ctrl+Y
        // are Undo and Redo, Ctrl+P opens the Print menu in every language.
        std::set<char> ctrl = {'Z', 'Y', 'P'};
        for (int k = 0; k < kShortcutCount; ++k) {
            const std::string& text = t.texts[ShortcutText(k)];
            ASSERT_EQ(text.size(), 1u) << k;
            EXPECT_TRUE(text[0] >= 'A' && text[0] <= 'Z') << k;
            if (k < 11) {
                EXPECT_TRUE(ctrl.insert(text[0]).second) << "Ctrl+" << text << " twice";
            }
        }

        // The unit shows these in fields of 7, 7, 7, 5 and 5 characters: a longer word would be cut.
        const std::pair<int, size_t> unitLabels[] = {
            {kTxtChannel, 7}, {kTxtDay, 7}, {kTxtUnitLabelTime, 7}, {kTxtUnitLabelOn, 5}, {kTxtUnitLabelOff, 5}};
        for (const auto& [n, width] : unitLabels)
            EXPECT_LE(t.texts[n].size(), width) << "text " << n;

        // The SMS words go to the unit as five pieces of 16 characters; none may be blank.
        const std::string& sms = t.texts[kTxtSmsMessageWords];
        EXPECT_EQ(sms.size(), 80u);
        for (size_t piece = 0; piece < 5; ++piece)
            EXPECT_FALSE(Trimmed(sms.substr(piece * 16, 16)).empty()) << "SMS piece " << piece;

        // Day boxes and weekday names stand in narrow columns.
        for (int box = 0; box < 8; ++box)
            EXPECT_LE(t.texts[DayBoxText(box)].size(), 2u) << "day box " << box;
    }
}
