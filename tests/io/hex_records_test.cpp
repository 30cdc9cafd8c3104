#include <gtest/gtest.h>

#include <map>

#include "io/hex_records.h"
#include "model/channel_types.h"
#include "model/field_rules.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

std::string zeros(int n) {
    return std::string(static_cast<std::size_t>(n), '0');
}

// Language texts of a test language.
std::string testText(int n) {
    static const std::map<int, std::string> texts{
        {kTextLabel1, "Korvane"},
        {kTextLabel2, "Master unit"},
        {kTextLabel4, "V3.07xx"},
        {kTextLabel5, "AB"},
        {kTextSmsLabel, "0123456789abcdefGHIJKLMNOPQRSTUVwxyz0123456789ABCDEFGHIJKLMNOPQRSTUV"}};
    const auto it = texts.find(n);
    return it == texts.end() ? std::string() : it->second;
}

// The data bytes of a record text, as two-digit pairs after the type.
std::string dataOf(const std::string& record) {
    return record.substr(9, record.size() - 9 - 4);
}

Row analogueRow(double lo, double hi, double s1, double s2, double s3, double s4) {
    Row row{};
    ValueToByte3(row, lo * 10, kAnaRangeMin);
    ValueToByte3(row, hi * 10, kAnaRangeMax);
    ValueToByte3(row, s1 * 10, kAnaLimit1Low);
    ValueToByte3(row, s2 * 10, kAnaLimit1High);
    ValueToByte3(row, s3 * 10, kAnaLimit2Low);
    ValueToByte3(row, s4 * 10, kAnaLimit2High);
    return row;
}

} // namespace

TEST(HexRecords, recordTextAndChecksum) {
    struct Case {
        const char* what;
        std::string record;
        std::string expected;
    };
    Configuration blank = blankConfiguration();
    blank.SysData.fill(0);
    Configuration cfg = blankConfiguration();
    const std::vector<Byte> twoBytes{0x01, 0x0F};
    const std::vector<Byte> ff{0xFF};
    const std::vector<Case> cases{
        {"32 zero bytes of SysData", hex::SysDataRecord(blank, 0, 0x3A00), ":203A0000" + zeros(64) + "A6\r\n"},
        {"unused channel 0", hex::ChannelRecord(cfg, 0), ":0100000001FE\r\n"},
        {"zero-padded digits", DataRecord(0x1234, twoBytes), ":02123400010FA8\r\n"},
        {"sum of 256 gives checksum 00", DataRecord(0x0000, ff), ":01000000FF00\r\n"},
        {"logic block at base + 4 * block", hex::LogicRecord(cfg, 2, 0x3900), ":0439080000000000BB\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.record, c.expected) << c.what;
}

TEST(HexRecords, textRecordsCoverTheirWholeSlot) {
    struct Case {
        const char* what;
        std::string record;
        std::string head; // LL, address, type
        std::string data;
    };
    const std::string forty = "A text of forty characters, exactly 40!!";
    const auto hexOf = [](const std::string& text) {
        std::string out;
        for (unsigned char ch : text) {
            const char digits[] = "0123456789ABCDEF";
            out += digits[ch >> 4];
            out += digits[ch & 15];
        }
        return out;
    };
    Configuration cfg = blankConfiguration();
    cfg.DescText[0] = std::string(32, 'x') + "12345678";
    cfg.DescText[8] = "General";
    Configuration multiLine = cfg;
    multiLine.DescText[8] = "Hall\r\nKitchen";
    const std::vector<Case> cases{
        {"a 4-character channel text: 28 NULs", hex::TextRecord(0x2000 + 32 * 3, "Door"), ":20206000",
         "446F6F72" + zeros(56)},
        {"an empty channel text still sends its slot", hex::TextRecord(0x2000, ""), ":20200000", zeros(64)},
        {"40 characters: 31 of them and one NUL", hex::TextRecord(0x2000, forty), ":20200000",
         hexOf(forty.substr(0, 31)) + "00"},
        {"8-bit characters as single bytes", hex::TextRecord(0x2000, "\xe6\xf8"), ":20200000", "E6F8" + zeros(60)},
        {"an SMS entry is cut to its 16-byte slot", hex::TextRecord(0x3B30, "12345678901234567890", 16, 16),
         ":103B3000", hexOf("1234567890123456")},
        {"a short SMS entry is NUL-padded", hex::TextRecord(0x3B30, "+45", 16, 16), ":103B3000",
         hexOf("+45") + zeros(26)},
        {"a full description piece", hex::DescriptionRecord(cfg, 0, 0, 0x3000), ":20300000",
         hexOf(std::string(32, 'x'))},
        {"the rest of a description", hex::DescriptionRecord(cfg, 0, 32, 0x3000), ":20302000",
         hexOf("12345678") + zeros(48)},
        {"an empty piece past the end", hex::DescriptionRecord(cfg, 0, 64, 0x3000), ":20304000", zeros(64)},
        {"the general description", hex::DescriptionRecord(cfg, 8, 0, 0x3000), ":20380000",
         hexOf("General") + zeros(50)},
        {"a line break is sent as it is", hex::DescriptionRecord(multiLine, 8, 0, 0x3000), ":20380000",
         "48616C6C0D0A4B69746368656E" + zeros(38)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.record.substr(0, 9), c.head) << c.what;
        EXPECT_EQ(dataOf(c.record), c.data) << c.what;
    }
}

TEST(HexRecords, channelRecordTypeByteAndLength) {
    struct Case {
        int type;
        Byte flags;
        Byte eventOff;
        const char* head; // LL, address, type, type byte
    };
    for (const Case& c :
         {Case{kTypeTimerDelayPulse, kFlagCheck1, 0, ":1600600085"},
          Case{kTypeTimerPulse, kFlagCheck1, 0, ":1600600004"},
          Case{kTypeIntruderPassive, kFlagCheck1 | kFlagCheck2, 0, ":02006000C8"},
          Case{kTypeIntruderPassive, kFlagCheck1 | kFlagCheck2, 1, ":0200600008"}, Case{kTypeMono, 0, 0, ":0200600000"},
          Case{kTypeIntruderSiren, 0, 0, ":030060000C"}, Case{kTypeMotion, 0, 0, ":1300600019"},
          Case{kTypeRealTime, 0, 0, ":2000600006"}, Case{kTypeRoller, 0, 0, ":0800600028"},
          Case{kTypeRollerMaster, 0, 0, ":0B0060002A"}, Case{kTypeAnalogTemperature, 0, 0, ":1B00600033"},
          Case{kTypeIsaAcknowledge, 0, 0, ":0100600022"}, Case{kTypeCommonSiren, 0, 0, ":0100600018"}}) {
        Configuration cfg = blankConfiguration();
        cfg.ChanSetup[3][kRowType] = static_cast<Byte>(c.type);
        cfg.ChanFlags[3] = c.flags;
        cfg.SysData[kSysEventOff] = c.eventOff;
        const std::string rec = hex::ChannelRecord(cfg, 3);
        EXPECT_EQ(rec.substr(0, 11), c.head) << "type " << c.type;
        EXPECT_EQ(rec.size(), 11u + 2u * ChannelRecordLength(c.type) + 4u) << "type " << c.type;
        EXPECT_EQ(cfg.ChanFlags[3], c.flags) << "the record builder only reads the configuration";
    }
}

TEST(HexRecords, linearAndLogarithmicScales) {
    struct Case {
        const char* what;
        int type;
        Row row;
        std::array<Byte, 4> expected;
    };
    const std::vector<Case> cases{
        {"127.5 rounds half to even", kTypeAnalogGeneral, analogueRow(0, 100, 50, 100, 0, 25), {128, 255, 0, 64}},
        {"outside the range is held", kTypeAnalogWind, analogueRow(10, 20, 5, 30, 15, 12.5), {0, 255, 128, 64}},
        {"negative range", kTypeAnalogTemperature, analogueRow(-20, 30, 0, -20, 30, 5), {102, 0, 255, 128}},
        {"an empty range", kTypeAnalogGeneral, analogueRow(7, 7, 1, 2, 3, 4), {0, 255, 0, 255}},
        {"log 1 and 0.1", kTypeAnalogLux, analogueRow(0, 0, 1, 0.1, 1000, 100000), {43, 0, 171, 255}},
        {"log limits not set", kTypeAnalogLux, analogueRow(0, 0, 0, 0, -5, 0), {0, 255, 0, 255}},
    };
    for (const Case& c : cases) {
        Configuration cfg = blankConfiguration();
        cfg.ChanSetup[0] = c.row;
        cfg.ChanSetup[0][kRowType] = static_cast<Byte>(c.type);
        ComputeDerivedBytes(cfg, 0);
        const std::array<Byte, 4> got{cfg.ChanSetup[0][4], cfg.ChanSetup[0][5], cfg.ChanSetup[0][6],
                                      cfg.ChanSetup[0][7]};
        EXPECT_EQ(got, c.expected) << c.what;
    }
}

TEST(HexRecords, daySetModes) {
    struct Case {
        int onHour, onMinute, offHour, offMinute;
        Byte mode;
    };
    const std::vector<Case> cases{
        {0x22, 0, 0x06, 0, 9},       {0x06, 0, 0x22, 0, 1},   {0x06, 0, 255, 255, 4},
        {255, 255, 0x06, 0x30, 2},   {255, 255, 255, 255, 0}, {0x08, 0x30, 0x08, 0x30, 9},
        {0x08, 0x29, 0x08, 0x30, 1}, {128, 0, 0x06, 0, 0},    {0x06, 0, 128, 0, 0},
    };
    // Each case goes into day set i % 4, so every day set position is tried.
    for (int type : {kTypeRealTime, kTypeMaster})
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const Case& c = cases[i];
            const int p = static_cast<int>(i % 4);
            Configuration cfg = blankConfiguration();
            Row& row = cfg.ChanSetup[5];
            row[kRowType] = static_cast<Byte>(type);
            row[2 + 5 * p] = static_cast<Byte>(c.onHour);
            row[3 + 5 * p] = static_cast<Byte>(c.onMinute);
            row[4 + 5 * p] = static_cast<Byte>(c.offHour);
            row[5 + 5 * p] = static_cast<Byte>(c.offMinute);
            const std::string rec = hex::ChannelRecord(cfg, 5);
            EXPECT_EQ(DerivedRow(cfg, 5)[kRtDerived + p], c.mode) << "type " << type << " case " << i;
            EXPECT_EQ(row[kRtDerived + p], 0) << "the configuration keeps its own bytes";
            EXPECT_EQ(std::stoi(rec.substr(9 + 2 * (kRtDerived + p), 2), nullptr, 16), c.mode)
                << "the record carries the mode, case " << i;
        }
}

TEST(HexRecords, rollerBlindCycleCount) {
    struct Case {
        Byte channelsInUse;
        int reverse;
        Byte cycles;
    };
    // divisor (byte 11 + 7) * 0.976 rounded: 127 -> 131, 15 -> 21, 0 -> 7
    for (const Case& c : {Case{127, 500, 3}, Case{127, 2000, 15}, Case{127, 100, 3}, Case{15, 2000, 95},
                          Case{0, 2000, 255}, Case{0, 65535, 255}}) {
        Configuration cfg = blankConfiguration();
        cfg.SysData[kSysChannelsInUse] = c.channelsInUse;
        cfg.ChanSetup[0][kRowType] = kTypeRoller;
        cfg.ChanSetup[0][kRollReverseHigh] = static_cast<Byte>(c.reverse >> 8);
        cfg.ChanSetup[0][kRollReverseLow] = static_cast<Byte>(c.reverse & 255);
        ComputeDerivedBytes(cfg, 0);
        EXPECT_EQ(cfg.ChanSetup[0][kRollReverseCycles], c.cycles) << c.reverse << " at " << int(c.channelsInUse);
    }
}

TEST(HexRecords, unitLabelSmsEntriesAndClock) {
    EXPECT_EQ(UnitLabelText(testText), "KorvaneMaster        V3.07AB   ");
    EXPECT_EQ(UnitLabelText([](int) { return std::string(); }), std::string(31, ' '));

    Configuration cfg = blankConfiguration();
    cfg.SmsIdText = "ABCDEFGHIJKLMNOPQRST";
    FillSmsEntries(cfg, testText);
    EXPECT_EQ(cfg.SmsText[9], "0123456789abcdef");
    EXPECT_EQ(cfg.SmsText[12], "CDEFGHIJKLMNOPQR");
    EXPECT_EQ(cfg.SmsText[13], "STUV");
    EXPECT_EQ(cfg.SmsText[14], "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(cfg.SmsText[15], "QRST");

    SetDeviceClock(cfg, DeviceClock{2026, 12, 6, 18, 33, 7, 7});
    const std::vector<int> bytes(cfg.SysData.begin() + 3, cfg.SysData.begin() + 11);
    // hour, minute, day, weekday, month, century, year, second
    EXPECT_EQ(bytes, (std::vector<int>{0x18, 0x33, 0x06, 7, 0x12, 0x20, 0x26, 0x07}));
}

TEST(WritePlan, stepsInOrderWithTheirRecords) {
    Configuration cfg = blankConfiguration();
    cfg.SysData[kSysChannelsInUse] = 15;
    const auto plan = BuildWritePlan(cfg, DeviceClock{}, [](int) { return std::string(); });
    struct Expect {
        char step;
        int status;
        int progressMax;
        bool skipped;
        std::size_t records;
    };
    // Every text slot goes out even when all texts are empty.
    const std::vector<Expect> expected{{'a', 183, 15, false, 16}, {'b', 0, -1, true, 16},   {'c', 184, -1, true, 16},
                                       {'d', 186, 71, true, 72},  {'e', 185, 63, true, 64}, {'f', 0, -1, false, 7},
                                       {'g', 0, -1, false, 1},    {'h', 184, 15, true, 16}, {'i', 0, -1, false, 1}};
    ASSERT_EQ(plan.size(), expected.size());
    for (std::size_t i = 0; i < plan.size(); ++i) {
        EXPECT_EQ(plan[i].step, expected[i].step);
        EXPECT_EQ(plan[i].statusText, expected[i].status) << plan[i].step;
        EXPECT_EQ(plan[i].progressMax, expected[i].progressMax) << plan[i].step;
        EXPECT_EQ(plan[i].skippedOnAnswer, expected[i].skipped) << plan[i].step;
        EXPECT_EQ(plan[i].records.size(), expected[i].records) << plan[i].step;
    }
    EXPECT_EQ(plan[1].records[15].text.substr(0, 9), ":2011E000");
    EXPECT_EQ(plan[4].records[63].progress, 63);
    EXPECT_EQ(plan[5].records[6].text.substr(0, 9), ":203AC000");
    EXPECT_EQ(plan[6].records[0].text.substr(0, 9), ":1F3AE000");
    const std::string stream = WriteStream(plan);
    EXPECT_EQ(stream.substr(stream.size() - 13), "\r\n:00000001FF") << "the end record goes last, without CR LF";
}

TEST(WritePlan, everythingIsSentAndTheConfigurationStaysAsItWas) {
    Configuration cfg = busyConfiguration();
    cfg.SysData[kSysChannelsInUse] = 200; // a damaged byte still sends only the 128 channels
    cfg.DescText.fill("");
    cfg.DescText[2] = std::string(40, 'd');
    cfg.SmsText.fill("");
    cfg.SmsText[0] = "+4512345678";
    const Configuration before = cfg;
    const auto plan = BuildWritePlan(cfg, DeviceClock{2026, 1, 2, 3, 4, 5, 5}, testText);
    EXPECT_EQ(cfg, before) << "the write takes what it derives and fills in into its records only";
    EXPECT_EQ(plan[0].records.size(), 128u);
    EXPECT_EQ(plan[2].records.size(), 128u);
    ASSERT_EQ(plan[3].records.size(), 72u);
    EXPECT_EQ(plan[3].records[17].progress, 17);
    EXPECT_EQ(plan[3].records[17].text.substr(0, 9), ":20322000");
    EXPECT_EQ(plan[3].records[18].text, ":20324000" + zeros(64) + "6E\r\n") << "the piece after the text";
    // SMS entries: 0, 9..13 from text 318, 14 and 15 from SmsIdText; the empty ones still go out.
    ASSERT_EQ(plan[7].records.size(), 16u);
    EXPECT_EQ(plan[7].records[0].text.substr(0, 9), ":103B0000");
    EXPECT_EQ(plan[7].records[1].text, ":103B1000" + zeros(32) + "A5\r\n");
    EXPECT_EQ(plan[7].records[9].text.substr(0, 9), ":103B9000");
    EXPECT_EQ(plan[7].records[14].text.substr(9, 32), "536F6D6D657268757320536B6167656E") << "Sommerhus Skagen";
    EXPECT_EQ(plan[5].records[0].text.substr(9 + 6, 2), "03") << "the system record carries the clock";
    EXPECT_EQ(plan[5].records[0].text.substr(9 + 2 * kSysClockYear, 2), "26");
}
