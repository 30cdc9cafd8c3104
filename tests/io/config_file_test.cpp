// Loading and saving configuration files: the forms a file may take, faults and where they are, what a save
// changes. The texts a save writes are in the golden files (written_texts_test).

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "io/config_file.h"
#include "model/channel_types.h"
#include "tests/platform/test_platform.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

std::vector<std::string> splitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; start < text.size(); start = end + 2) {
        end = std::min(text.find("\r\n", start), text.size());
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

std::string savedText(const Configuration& cfg) {
    return ConfigFileText(cfg);
}

std::string joinCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

// Sets field `field` (0-based; -1 the last, which runs from the record's last comma) of the record.
void setField(std::string& record, int field, const std::string& value) {
    std::size_t from = field < 0 ? record.rfind(',') + 1 : 0;
    for (int f = 0; f < field; ++f)
        from = record.find(',', from) + 1;
    record.replace(from, field < 0 ? std::string::npos : record.find(',', from) - from, value);
}

// The file text with field `field` of line `line` (both 0-based) set to `value`.
std::string withField(const std::string& text, std::size_t line, int field, const std::string& value) {
    auto lines = splitCrLf(text);
    setField(lines[line], field, value);
    return joinCrLf(lines);
}

} // namespace

TEST(ConfigFile, modelToFileToModelIsEqual) {
    Configuration original = busyConfiguration();
    // Every byte value survives in a text, line ends included, except the double quote, which is
    // written as an apostrophe.
    original.ChanText[0].clear();
    for (int b = 1; b < 256; ++b)
        original.ChanText[0] += static_cast<char>(b);
    Configuration copy = original;
    PrepareForSave(copy);
    EXPECT_EQ(copy, original) << "a configuration that needs no preparation is saved as it is";
    const std::string text = ConfigFileText(original);
    std::replace(original.ChanText[0].begin(), original.ChanText[0].end(), '"', '\'');

    Configuration target = original;
    EditState st;
    ClearConfiguration(target, st);
    ASSERT_TRUE(ReadConfigText(text, target, "mem").ok());
    EXPECT_EQ(target, original);
}

TEST(ConfigFile, withEventOutputOffASaveClearsTheFlagsInTheModelAsInTheFile) {
    // The flags in the type byte are in the golden texts and texts-event-off files.
    Configuration cfg = blankConfiguration();
    cfg.ChanFlags[3] = kFlagCheck1;
    cfg.SysData[kSysEventOff] = 1;
    PrepareForSave(cfg);
    EXPECT_EQ(cfg.ChanFlags[3], 0);
}

TEST(ConfigFile, aSharedSystemByteTakesTheLaterLineAndWhatTheFileDoesNotHoldKeepsItsValue) {
    // The saved file of system bytes that each hold their own number (127 channels in use). Byte 31 is
    // also field 31 of line 138, which says 200: the later line gives it its value.
    const std::string text = withField(readBytes(fixturePath("golden/system-bytes.zeb")), 138, 31, "200");
    Configuration back = blankConfiguration();
    back.LogicBlocks[64] = {1, 2, 3, 4};
    back.LogicBlocks[127] = {5, 6, 7, 8};
    back.SysData[249] = 77;
    back.SysData[256] = 78;
    back.SmsText[16] = "kept";
    back.ChanSetup[128].fill(42);
    ASSERT_TRUE(ReadConfigText(text, back, "mem").ok());
    const std::vector<int> held{back.SysData[31],        back.SysData[62],         back.SysData[248],
                                back.SysData[249],       back.SysData[256],        back.LogicBlocks[64][0],
                                back.LogicBlocks[64][3], back.LogicBlocks[127][3], back.ChanSetup[128][0]};
    EXPECT_EQ(held, (std::vector<int>{31, 62, 248, 77, 78, 1, 4, 8, 42}));
    EXPECT_EQ(back.SmsText[16], "kept");
}

TEST(ConfigFile, channelsAboveTheHighestInUseLoadAsUnused) {
    // A file whose unused channels still hold something: they load as unused, keeping the rest of
    // their bytes. (A save blanks them: see the golden busy-63-channels.zeb.)
    const Configuration full = busyConfiguration();
    const std::string edited = withField(savedText(full), 138, kSysChannelsInUse, "63");
    Configuration back = blankConfiguration();
    ASSERT_TRUE(ReadConfigText(edited, back, "mem").ok());
    for (int c = 64; c < kChannels; ++c) {
        EXPECT_EQ(back.ChanSetup[c][kRowType], kTypeBlank) << c;
        EXPECT_EQ(back.SavedChanType[c], kTypeBlank);
        EXPECT_EQ(back.ChanText[c], "");
        EXPECT_EQ(back.ChanSetup[c][5], full.ChanSetup[c][5]);
    }
    EXPECT_EQ(back.ChanText[63], full.ChanText[63]);
}

TEST(ConfigFile, anAcceptedFormSavesByteIdenticalAndABrokenFileIsReportedWithItsLineAndTakesNothing) {
    const std::map<std::string, FileStatus> statuses{{"Ok", FileStatus::Ok},
                                                     {"Bad", FileStatus::Bad},
                                                     {"WrongSignature", FileStatus::WrongSignature},
                                                     {"CannotOpen", FileStatus::CannotOpen}};
    const Configuration good = loadedConfiguration("Good.zeb");
    const auto cases = dataTable("config_files.txt", 5);
    EXPECT_EQ(cases.size(), 17u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        const bool loads = c[1] == "Ok";
        Configuration cfg = loads ? blankConfiguration() : busyConfiguration();
        const Configuration before = cfg;
        const std::string path = fixturePath(c[0]);
        const FileResult r = LoadFile(cfg, path);
        EXPECT_EQ(r.status, statuses.at(c[1]));
        EXPECT_EQ(r.line, std::stoi(c[2]));
        if (loads) {
            Configuration descriptionsOfGood = cfg;
            descriptionsOfGood.DescText = good.DescText;
            EXPECT_EQ(descriptionsOfGood, good);
            EXPECT_TRUE(ConfigFileText(cfg) == readBytes(fixturePath(c[4])));
            continue;
        }
        EXPECT_NE(r.reason.find(c[3]), std::string::npos) << r.reason;
        EXPECT_EQ(r.message().rfind(path, 0), 0u) << "the message starts with the file name: " << r.message();
        EXPECT_EQ(cfg, before);
    }
}

TEST(ConfigFile, aTextRunsToItsClosingQuoteAcrossLineEnds) {
    // Each case of the data file puts its own last field in some records of a blank file, may cut the
    // file after a record, and tells what reading it gives.
    const auto blank = splitCrLf(savedText(blankConfiguration()));
    const auto cases = dataTable("quoted_texts.txt", 7);
    EXPECT_EQ(cases.size(), 10u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        auto records = blank;
        for (const std::string& edit : splitOn(c[1], ';')) {
            const auto record = std::stoul(edit);
            setField(records[record], -1, edit.substr(edit.find('=') + 1));
        }
        records.resize(std::stoul(c[2]));
        const std::string file = joinCrLf(records);
        const int faultLine = std::stoi(c[5]);

        Configuration cfg = busyConfiguration();
        const Configuration before = cfg;
        const FileResult r = ReadConfigText(file, cfg, "mem");
        if (!c[6].empty()) {
            EXPECT_EQ(r.status, FileStatus::Bad);
            EXPECT_EQ(r.line, faultLine);
            EXPECT_NE(r.reason.find(c[6]), std::string::npos) << r.reason;
            EXPECT_EQ(cfg, before);
            continue;
        }
        ASSERT_TRUE(r.ok()) << r.message();
        EXPECT_EQ(cfg.DescText[kGeneralDescription], c[3]);
        EXPECT_EQ(cfg.DescText[0], c[4]);
        EXPECT_EQ(ConfigFileText(cfg), file) << "saved as read, byte for byte";

        // Line ends inside texts count: a fault further on is named by its physical line.
        setField(records[139], 1, "300");
        const FileResult bad = ReadConfigText(joinCrLf(records), cfg, "mem");
        EXPECT_EQ(bad.line, faultLine) << bad.message();
        EXPECT_NE(bad.reason.find("field 2: the number 300"), std::string::npos) << bad.reason;
    }
}

TEST(ConfigFile, numbersFollowTheWriteConvention) {
    // Channel 0's second number in different spellings, and the value read (-1: the file is refused).
    const std::string blank = savedText(blankConfiguration());
    const std::pair<const char*, int> spellings[]{{"0", 0},      {" 7 ", 7},  {"007", 7},   {"255", 255},
                                                  {"0255", 255}, {"256", -1}, {"1000", -1}, {"", -1},
                                                  {"1.5", -1},   {"+1", -1},  {"0x10", -1}};
    for (const auto& [field, value] : spellings) {
        Configuration cfg = blankConfiguration();
        const FileResult r = ReadConfigText(withField(blank, 2, 1, field), cfg, "mem");
        EXPECT_EQ(r.ok() ? cfg.ChanSetup[0][1] : -1, value) << "'" << field << "': " << r.message();
    }
}

TEST(ConfigFile, aFailedSaveKeepsTheOldFileAndTheModelAndALinkStaysALink) {
    TempDir dir;
    const std::string path = dir.file("house.zeb");
    Configuration cfg = busyConfiguration();
    ASSERT_TRUE(SaveFile(cfg, path).ok());
    const std::string first = readBytes(path);

    // A folder that does not exist: nothing written, the model unchanged.
    Configuration other = busyConfiguration();
    other.SysData[kSysChannelsInUse] = 15;
    const Configuration before = other;
    const FileResult missing = SaveFile(other, dir.file("no/such/folder/x.zeb"));
    EXPECT_EQ(missing.status, FileStatus::CannotWrite);
    EXPECT_FALSE(missing.reason.empty());
    EXPECT_EQ(other, before) << "a failed save does not blank channels";

    // A successful save writes the configuration as PrepareForSave leaves it, and leaves the model to
    // the caller (the workspace applies those changes through its write path).
    ASSERT_TRUE(SaveFile(other, path).ok());
    EXPECT_EQ(other, before);
    PrepareForSave(other);
    EXPECT_EQ(other.ChanSetup[100], UnusedRow());
    Configuration back = blankConfiguration();
    ASSERT_TRUE(LoadFile(back, path).ok());
    EXPECT_EQ(back.ChanSetup, other.ChanSetup);
    const std::string second = readBytes(path);

    if (const std::string why = WithoutPosixFiles(); !why.empty())
        GTEST_SKIP() << why;
    // The disk fills up in the middle of the write: the old file survives whole, no temp file stays.
    Configuration again = before;
    FileResult full;
    WithFileSizeLimit(1000, [&] { full = SaveFile(again, path); });
    EXPECT_EQ(full.status, FileStatus::CannotWrite);
    EXPECT_EQ(readBytes(path), second);
    EXPECT_EQ(again, before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()), {}), 1);

    // Saved through a symbolic link, the link stays and the file it points to takes the content.
    const std::string link = dir.file("link.zeb");
    std::filesystem::create_symlink(path, link);
    ASSERT_TRUE(SaveFile(cfg, link).ok());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_TRUE(readBytes(path) == first);
}

TEST(ConfigFile, everyTruncationOfAGoodFileIsRefusedWithoutTouchingTheModel) {
    const std::string good = readBytes(fixturePath("Good.zeb"));
    const Configuration before = busyConfiguration();
    const std::size_t lastLineEnd = good.size() - 2;
    // The last line may lose its closing quote only, so the cuts stop short of it.
    for (std::size_t n = 1; n < lastLineEnd - 20; n += (n < 30 ? 1 : 97)) {
        Configuration cfg = before;
        const FileResult r = ReadConfigText(std::string_view(good).substr(0, n), cfg, "cut");
        // Cut inside the signature itself the file is no configuration file; after it, a bad one.
        EXPECT_EQ(r.status, n <= 5 ? FileStatus::WrongSignature : FileStatus::Bad) << n;
        EXPECT_GT(r.line, 0) << n;
        EXPECT_EQ(cfg, before) << n;
    }
    // The last line without its line end still counts as a line.
    Configuration cfg = before;
    EXPECT_TRUE(ReadConfigText(std::string_view(good).substr(0, lastLineEnd), cfg, "no final CR LF").ok());
}
