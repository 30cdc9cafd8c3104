// The day-set modes a write derives and the steps of a write. The records themselves, with the unit
// label, the SMS entries and the clock a write fills in, are in the golden write streams (written_texts_test).

#include <gtest/gtest.h>

#include "io/hex_records.h"
#include "model/channel_types.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

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
    EXPECT_EQ(plan[4].records[63].progress, 63);
    EXPECT_EQ(UnitLabelText([](int) { return std::string(); }), std::string(31, ' '))
        << "without texts a label of spaces";
    const std::string stream = WriteStream(plan);
    EXPECT_EQ(stream.substr(stream.size() - 13), "\r\n:00000001FF") << "the end record goes last, without CR LF";
}
