#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <sys/resource.h>
#include <vector>

#include "io/config_file.h"
#include "io_test_support.h"
#include "model/channel_types.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

std::vector<std::string> splitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream ss(line);
    std::string f;
    while (std::getline(ss, f, ','))
        out.push_back(f);
    return out;
}

Configuration loaded(const std::string& fixture) {
    Configuration cfg = blankConfiguration();
    const FileResult r = LoadFile(cfg, fixturePath(fixture));
    EXPECT_TRUE(r.ok()) << r.message();
    return cfg;
}

} // namespace

TEST(ConfigFile, fileToModelToFileIsByteIdentical) {
    Configuration cfg = loaded("Good.zeb");
    EXPECT_EQ(ConfigFileText(cfg), readBytes(fixturePath("Good.zeb")));
}

TEST(ConfigFile, modelToFileToModelIsEqual) {
    Configuration original = busyConfiguration();
    Configuration copy = original;
    const std::string text = ConfigFileText(copy);
    EXPECT_EQ(copy, original) << "saving a configuration that needs no preparation must not change it";

    Configuration target = original;
    EditState st;
    ClearConfiguration(target, st);
    ASSERT_TRUE(ReadConfigText(text, target, "mem").ok());
    EXPECT_EQ(target, original);
}

TEST(ConfigFile, readsTheSameConfigurationFromEveryAcceptedFormOfTheFile) {
    const Configuration good = loaded("Good.zeb");
    for (const char* other : {"GoodLf.zeb", "SignatureM52.x07", "SignatureKorvane.zeb"}) {
        SCOPED_TRACE(other);
        Configuration cfg = loaded(other);
        EXPECT_EQ(cfg, good);
        EXPECT_EQ(ConfigFileText(cfg), readBytes(fixturePath("Good.zeb"))) << "saving writes ZEB1 with CR LF";
    }
}

TEST(ConfigFile, typeBytesSplitIntoTypeAndFlags) {
    const Configuration cfg = loaded("Good.zeb");
    struct Case {
        int channel;
        int type;
        int flags;
    };
    for (const Case& c : {Case{19, 5, 0x80}, Case{20, 8, 0xC0}, Case{45, 1, 0}}) {
        EXPECT_EQ(cfg.ChanSetup[c.channel][kRowType], c.type) << c.channel;
        EXPECT_EQ(cfg.SavedChanType[c.channel], c.type) << c.channel;
        EXPECT_EQ(cfg.ChanFlags[c.channel], c.flags) << c.channel;
    }
    EXPECT_EQ(cfg.ChanText[21], "A text of forty characters, exactly 40!!");
    EXPECT_EQ(cfg.DescText[kGeneralDescription], "Villa Nordlys, Strandvejen 12 \xe6\xf8\xe5");
}

TEST(ConfigFile, smsIdTextIsSplitSixteenAndRestAndRebuilt) {
    Configuration cfg = blankConfiguration();
    cfg.SmsIdText = "ABCDEFGHIJKLMNOPQRST"; // 20 characters
    const auto lines = splitCrLf(ConfigFileText(cfg));
    ASSERT_EQ(lines.size(), 162u);
    EXPECT_EQ(lines[160], "\"ABCDEFGHIJKLMNOP\"");
    EXPECT_EQ(lines[161], "\"QRST\"");

    Configuration back = blankConfiguration();
    ASSERT_TRUE(ReadConfigText(ConfigFileText(cfg), back, "mem").ok());
    EXPECT_EQ(back.SmsIdText, "ABCDEFGHIJKLMNOPQRST");
}

TEST(ConfigFile, blankConfigurationWritesTheDocumentedLines) {
    Configuration cfg = blankConfiguration();
    const auto lines = splitCrLf(ConfigFileText(cfg));
    ASSERT_EQ(lines.size(), 162u);
    EXPECT_EQ(lines[0], "\"ZEB1\",\"Version 3.07\"");
    EXPECT_EQ(lines[1], "\"\"");
    std::string blankChannel = "1";
    for (int i = 0; i < 63; ++i)
        blankChannel += ",0";
    blankChannel += ",\"\"";
    for (int c = 0; c < kChannels; ++c)
        EXPECT_EQ(lines[2 + c], blankChannel) << "channel " << c;
    for (int g = 0; g < 8; ++g)
        EXPECT_EQ(fieldsOf(lines[130 + g]).size(), 33u);
    EXPECT_EQ(fieldsOf(lines[138]).at(11), "127");
    EXPECT_EQ(fieldsOf(lines[138]).at(26), "2");
}

TEST(ConfigFile, flagsMergeIntoTheTypeByteUnlessEventOutputIsOff) {
    struct Case {
        Byte eventOff;
        const char* firstNumber;
        Byte flagsAfter;
    };
    for (const Case& c : {Case{0, "133", 0x80}, Case{1, "5", 0}}) {
        Configuration cfg = blankConfiguration();
        cfg.ChanSetup[3][kRowType] = kTypeTimerDelayPulse;
        cfg.ChanFlags[3] = kFlagCheck1;
        cfg.SysData[kSysEventOff] = c.eventOff;
        const auto lines = splitCrLf(ConfigFileText(cfg));
        EXPECT_EQ(fieldsOf(lines[2 + 3]).at(0), c.firstNumber);
        EXPECT_EQ(cfg.ChanFlags[3], c.flagsAfter) << "the model follows the file";

        Configuration back = blankConfiguration();
        ASSERT_TRUE(ReadConfigText(ConfigFileText(cfg), back, "mem").ok());
        EXPECT_EQ(back.ChanSetup[3][kRowType], kTypeTimerDelayPulse);
        EXPECT_EQ(back.ChanFlags[3], c.flagsAfter);
    }
}

TEST(ConfigFile, systemLinesUseAStrideOfThirtyOne) {
    Configuration cfg = blankConfiguration();
    for (int i = 0; i < kSysDataSize; ++i)
        cfg.SysData[i] = static_cast<Byte>(i);
    cfg.SysData[kSysChannelsInUse] = 127;
    const auto lines = splitCrLf(ConfigFileText(cfg));
    for (int s = 0; s < 8; ++s) {
        const auto f = fieldsOf(lines[138 + s]);
        ASSERT_EQ(f.size(), 32u);
        EXPECT_EQ(f.front(), std::to_string(31 * s == 11 ? 127 : 31 * s));
        EXPECT_EQ(f.back(), std::to_string(31 * s + 31));
    }

    // A shared byte takes the value of the later line; bytes beyond 248 keep their value.
    std::string text = ConfigFileText(cfg);
    auto all = splitCrLf(text);
    auto line = fieldsOf(all[138]); // bytes 0..31; its last field is byte 31
    line[31] = "200";
    std::string joined;
    for (std::size_t i = 0; i < line.size(); ++i)
        joined += (i ? "," : "") + line[i];
    all[138] = joined;
    std::string edited;
    for (const auto& l : all)
        edited += l + "\r\n";
    Configuration back = blankConfiguration();
    back.SysData[249] = 77;
    back.SysData[256] = 78;
    ASSERT_TRUE(ReadConfigText(edited, back, "mem").ok());
    EXPECT_EQ(back.SysData[31], 31);
    EXPECT_EQ(back.SysData[62], 62);
    EXPECT_EQ(back.SysData[248], 248);
    EXPECT_EQ(back.SysData[249], 77);
    EXPECT_EQ(back.SysData[256], 78);
}

TEST(ConfigFile, channelsAboveTheHighestInUseAreBlankedOnSaveAndResetOnLoad) {
    Configuration cfg = busyConfiguration();
    cfg.SysData[kSysChannelsInUse] = 63;
    const std::string text = ConfigFileText(cfg);
    const auto lines = splitCrLf(text);
    for (int c = 64; c < kChannels; ++c) {
        EXPECT_EQ(cfg.ChanSetup[c], UnusedRow()) << c;
        EXPECT_EQ(cfg.ChanText[c], "");
        EXPECT_EQ(lines[2 + c].substr(lines[2 + c].size() - 3), ",\"\"");
    }
    EXPECT_NE(cfg.ChanSetup[63], UnusedRow()) << "channel 63 is in use";

    // A file whose unused channels still hold something: they load as unused, keeping the rest of
    // their bytes.
    Configuration busy = busyConfiguration();
    busy.SysData[kSysChannelsInUse] = 63;
    std::string hand = ConfigFileText(busy);
    busy = busyConfiguration();
    busy.SysData[kSysChannelsInUse] = 127;
    auto fullLines = splitCrLf(ConfigFileText(busy));
    auto handLines = splitCrLf(hand);
    for (int c = 64; c < kChannels; ++c)
        handLines[2 + c] = fullLines[2 + c];
    std::string edited;
    for (const auto& l : handLines)
        edited += l + "\r\n";
    Configuration back = blankConfiguration();
    ASSERT_TRUE(ReadConfigText(edited, back, "mem").ok());
    for (int c = 64; c < kChannels; ++c) {
        EXPECT_EQ(back.ChanSetup[c][kRowType], kTypeBlank) << c;
        EXPECT_EQ(back.SavedChanType[c], kTypeBlank);
        EXPECT_EQ(back.ChanText[c], "");
        EXPECT_EQ(back.ChanSetup[c][5], busyConfiguration().ChanSetup[c][5]);
    }
}

TEST(ConfigFile, whatTheFileDoesNotHoldKeepsItsValue) {
    Configuration cfg = blankConfiguration();
    cfg.LogicBlocks[64] = {1, 2, 3, 4};
    cfg.LogicBlocks[127] = {5, 6, 7, 8};
    cfg.SysData[250] = 99;
    cfg.SmsText[16] = "kept";
    cfg.ChanSetup[128].fill(42);
    ASSERT_TRUE(LoadFile(cfg, fixturePath("Good.zeb")).ok());
    EXPECT_EQ(cfg.LogicBlocks[64], (LogicRecord{1, 2, 3, 4}));
    EXPECT_EQ(cfg.LogicBlocks[127], (LogicRecord{5, 6, 7, 8}));
    EXPECT_EQ(cfg.SysData[250], 99);
    EXPECT_EQ(cfg.SmsText[16], "kept");
    EXPECT_EQ(cfg.ChanSetup[128][0], 42);
}

struct BrokenCase {
    const char* fixture;
    FileStatus status;
    int line;
    const char* reasonPart;
};

class BrokenFile : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenFile, isReportedWithItsLineAndLeavesTheModelUntouched) {
    const BrokenCase& c = GetParam();
    Configuration cfg = busyConfiguration();
    const Configuration before = cfg;
    const std::string path = fixturePath(c.fixture);
    const FileResult r = LoadFile(cfg, path);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.line, c.line);
    EXPECT_NE(r.reason.find(c.reasonPart), std::string::npos) << r.reason;
    EXPECT_EQ(r.file, path);
    EXPECT_EQ(r.message().rfind(path, 0), 0u) << "the message starts with the file name: " << r.message();
    EXPECT_EQ(cfg, before);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, BrokenFile,
    ::testing::Values(BrokenCase{"BrokenEmpty.zeb", FileStatus::Bad, 0, "empty"},
                      BrokenCase{"BrokenTruncated.zeb", FileStatus::Bad, 101, "ends early"},
                      BrokenCase{"BrokenTruncatedMidLine.zeb", FileStatus::Bad, 61,
                                 "64 numbers and a text expected, found 19 fields"},
                      BrokenCase{"BrokenNumberAbove255.zeb", FileStatus::Bad, 40,
                                 "field 7: the number 256 is above 255"},
                      BrokenCase{"BrokenTextForNumber.zeb", FileStatus::Bad, 141, "field 4: a text where a number"},
                      BrokenCase{"BrokenNegativeNumber.zeb", FileStatus::Bad, 135, "\"-3\" is not a number"},
                      BrokenCase{"BrokenMissingField.zeb", FileStatus::Bad, 11, "found 64 fields"},
                      BrokenCase{"BrokenUnclosedText.zeb", FileStatus::Bad, 151, "not closed"},
                      BrokenCase{"BrokenBinaryGarbage.zeb", FileStatus::Bad, 3, ""},
                      BrokenCase{"WrongSignature.zeb", FileStatus::WrongSignature, 1, "signature"},
                      BrokenCase{"WrongSignatureBinary.zeb", FileStatus::WrongSignature, 1, "signature"},
                      BrokenCase{"NoSuchFile.zeb", FileStatus::CannotOpen, 0, "cannot open"}),
    [](const auto& info) {
        std::string n = info.param.fixture;
        return n.substr(0, n.find('.'));
    });

TEST(ConfigFile, numbersAndTextsFollowTheWriteConvention) {
    struct Case {
        const char* field;
        bool ok;
    };
    // Channel 0's second number in different spellings.
    for (const Case& c : {Case{"0", true}, Case{" 7 ", true}, Case{"007", true}, Case{"255", true}, Case{"0255", true},
                          Case{"256", false}, Case{"1000", false}, Case{"", false}, Case{"1.5", false},
                          Case{"+1", false}, Case{"0x10", false}}) {
        Configuration cfg = blankConfiguration();
        auto lines = splitCrLf(ConfigFileText(cfg));
        auto f = fieldsOf(lines[2]);
        f[1] = c.field;
        std::string joined;
        for (std::size_t i = 0; i < f.size(); ++i)
            joined += (i ? "," : "") + f[i];
        lines[2] = joined;
        std::string text;
        for (const auto& l : lines)
            text += l + "\r\n";
        const FileResult r = ReadConfigText(text, cfg, "mem");
        EXPECT_EQ(r.ok(), c.ok) << "'" << c.field << "': " << r.message();
        if (c.ok) {
            EXPECT_EQ(cfg.ChanSetup[0][1], std::stoi(c.field));
        }
    }
}

TEST(ConfigFile, saveReplacesTheFileAndReportsAFailedSave) {
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

    // The disk fills up in the middle of the write: the old file survives whole, no temp file stays.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    const FileResult full = SaveFile(other, path);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(full.status, FileStatus::CannotWrite);
    EXPECT_EQ(readBytes(path), first);
    EXPECT_EQ(other, before);
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(path.substr(0, path.rfind('/'))))
        ++files;
    EXPECT_EQ(files, 1);

    // A successful save takes the changes of the save into the model.
    ASSERT_TRUE(SaveFile(other, path).ok());
    EXPECT_EQ(other.ChanSetup[100], UnusedRow());
    Configuration back = blankConfiguration();
    ASSERT_TRUE(LoadFile(back, path).ok());
    EXPECT_EQ(back.ChanSetup, other.ChanSetup);
}

TEST(ConfigFile, everyTruncationOfAGoodFileIsRefusedWithoutTouchingTheModel) {
    const std::string good = readBytes(fixturePath("Good.zeb"));
    const Configuration before = busyConfiguration();
    const std::size_t lastLineEnd = good.size() - 2;
    for (std::size_t n = 1; n < good.size(); n += (n < 30 ? 1 : 97)) {
        Configuration cfg = before;
        const FileResult r = ReadConfigText(std::string_view(good).substr(0, n), cfg, "cut");
        if (n >= lastLineEnd - 20) // the last line may lose its closing quote only
            continue;
        // Cut inside the signature itself the file is no configuration file; after it, a bad one.
        EXPECT_EQ(r.status, n <= 5 ? FileStatus::WrongSignature : FileStatus::Bad) << n;
        EXPECT_GT(r.line, 0) << n;
        EXPECT_EQ(cfg, before) << n;
    }
    // The last line without its line end still counts as a line.
    Configuration cfg = before;
    EXPECT_TRUE(ReadConfigText(std::string_view(good).substr(0, lastLineEnd), cfg, "no final CR LF").ok());
    // Every byte value in a text field survives a round trip except the quote and the line ends.
    Configuration texts = blankConfiguration();
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != '"' && b != '\r' && b != '\n')
            all += static_cast<char>(b);
    texts.ChanText[0] = all;
    Configuration back = blankConfiguration();
    ASSERT_TRUE(ReadConfigText(ConfigFileText(texts), back, "mem").ok());
    EXPECT_EQ(back.ChanText[0], all);
}
