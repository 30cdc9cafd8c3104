#include <gtest/gtest.h>

#include <algorithm>

#include "io/text_file.h"
#include "model/text_ids.h"
#include "tests/support/io_test_support.h"

using namespace korvane;

// A small table (count 5) is enough to see every rule; the real counts are checked separately.
constexpr int kSmall = 5;

TEST(TextFileParser, recordsAreStoredByKeyAndABadRecordStopsTheReading) {
    const auto cases = korvane::testing::dataTable("text_file_records.txt", 4);
    EXPECT_EQ(cases.size(), 17u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        const TextTable t = ParseTextFile(c[1], kSmall);
        EXPECT_EQ(t.good, c[2] == "0");
        EXPECT_EQ(t.badLine, std::stoi(c[2]));
        EXPECT_EQ(t.badReason.empty(), t.good);
        EXPECT_EQ(t.texts, korvane::testing::splitOn(c[3], ';'));
    }
}

TEST(TextFileParser, key1000IsBeyondALanguageFileButNotBeyondAHelpFile) {
    const std::string file = "2,\"New\"\r\n1000,\"beyond\"\r\n3,\"Open\"\r\n";
    const TextTable language = ParseTextFile(file, kLanguageTextCount);
    EXPECT_EQ(language.texts.size(), 1000u);
    EXPECT_EQ(language.badLine, 2);
    const TextTable help = ParseTextFile(file, kHelpTextCount);
    EXPECT_TRUE(help.good);
    EXPECT_EQ(help.texts.size(), 2001u);
    EXPECT_EQ(help.texts[1000], "beyond");
    EXPECT_EQ(ParseTextFile("2001,\"x\"\r\n", kHelpTextCount).badLine, 1);
}

TEST(TextFileParser, aMissingFileGivesAnEmptyGoodTable) {
    const TextTable t = ReadTextFile("/nonexistent/korvane/English.dat", kLanguageTextCount);
    EXPECT_FALSE(t.opened);
    EXPECT_TRUE(t.good);
    ASSERT_EQ(t.texts.size(), 1000u);
    EXPECT_TRUE(std::all_of(t.texts.begin(), t.texts.end(), [](const std::string& s) { return s.empty(); }));
}

TEST(LanguageFileCheck, acceptsOnlyIdentifiedFilesWithAName) {
    const auto cases = korvane::testing::dataTable("text_language_checks.txt", 4);
    EXPECT_EQ(cases.size(), 13u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        const LanguageFileCheck check = CheckLanguageFile(c[1]);
        EXPECT_EQ(check.valid, c[2] == "yes");
        EXPECT_EQ(check.name, c[3]);
        EXPECT_EQ(check.reason.empty(), check.valid);
    }
    EXPECT_FALSE(CheckLanguageFileAt("/nonexistent/korvane/Norsk.dat").valid);
}

TEST(TextFileParser, aFileCutShortIsBadExactlyWhenItsLastRecordIsCut) {
    // A copy that broke off while being written: whole records survive, a half record is refused.
    const std::string bytes = korvane::testing::readBytes(KORVANE_SOURCE_DIR "/resources/Language/English.dat");
    ASSERT_GT(bytes.size(), 1000u);
    const TextTable whole = ParseTextFile(bytes, kLanguageTextCount);
    for (size_t cut = 0; cut < bytes.size(); cut += 7) {
        const std::string part = bytes.substr(0, cut);
        const TextTable t = ParseTextFile(part, kLanguageTextCount);
        const size_t lineStart = part.rfind('\n') == std::string::npos ? 0 : part.rfind('\n') + 1;
        std::string last = part.substr(lineStart);
        if (!last.empty() && last.back() == '\r')
            last.pop_back();
        const bool lastComplete = last.empty() || std::count(last.begin(), last.end(), '"') == 2;
        ASSERT_EQ(t.good, lastComplete) << "cut at " << cut << ": " << last;
        if (!t.good) {
            EXPECT_EQ(t.badLine, static_cast<int>(std::count(part.begin(), part.end(), '\n')) + 1) << cut;
        }
        // Whatever was read is what the whole file says.
        for (size_t k = 0; k < t.texts.size(); ++k) {
            if (!t.texts[k].empty()) {
                ASSERT_EQ(t.texts[k], whole.texts[k]) << "cut at " << cut << ", key " << k;
            }
        }
    }
}
