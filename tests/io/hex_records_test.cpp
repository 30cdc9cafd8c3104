// The day-set modes a write derives and the steps of a write. The records themselves, with the unit
// label, the SMS entries and the clock a write fills in, are in the golden write streams (written_texts_test).

#include <gtest/gtest.h>

#include "io/hex_records.h"
#include "model/channel_types.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

TEST(HexRecords, daySetModes) {
    const auto cases = dataTable("io_day_set_modes.txt", 5);
    EXPECT_EQ(cases.size(), 9u);
    // Each case goes into day set i % 4, so every day set position is tried.
    for (int type : {kTypeRealTime, kTypeMaster})
        for (std::size_t i = 0; i < cases.size(); ++i) {
            SCOPED_TRACE("type " + std::to_string(type) + " case " + std::to_string(i));
            const int p = static_cast<int>(i % 4);
            Configuration cfg = blankConfiguration();
            Row& row = cfg.ChanSetup[5];
            row[kRowType] = static_cast<Byte>(type);
            for (int k = 0; k < 4; ++k)
                row[2 + 5 * p + k] = static_cast<Byte>(std::stoi(cases[i][k], nullptr, 16));
            const int mode = std::stoi(cases[i][4]);
            EXPECT_EQ(DerivedRow(cfg, 5)[kRtDerived + p], mode);
            EXPECT_EQ(row[kRtDerived + p], 0) << "the configuration keeps its own bytes";
            const std::string rec = hex::ChannelRecord(cfg, 5);
            EXPECT_EQ(std::stoi(rec.substr(9 + 2 * (kRtDerived + p), 2), nullptr, 16), mode)
                << "the record carries the mode";
        }
}

TEST(WritePlan, stepsInOrderWithTheirRecords) {
    Configuration cfg = blankConfiguration();
    cfg.SysData[kSysChannelsInUse] = 15;
    const auto plan = BuildWritePlan(cfg, DeviceClock{}, noText);
    const auto expected = dataTable("io_write_plan.txt", 6);
    ASSERT_EQ(plan.size(), expected.size());
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const WriteStep& s = plan[i];
        const std::vector<std::string> shown{std::string(1, s.step),           std::to_string(s.statusText),
                                             std::to_string(s.progressMax),    s.checksAnswer ? "yes" : "no",
                                             s.skippedOnAnswer ? "yes" : "no", std::to_string(s.records.size())};
        EXPECT_EQ(shown, expected[i]);
    }
    EXPECT_EQ(plan[4].records[63].progress, 63);
    EXPECT_EQ(UnitLabelText(noText), std::string(31, ' ')) << "without texts a label of spaces";
    const std::string stream = WriteStream(plan);
    EXPECT_EQ(stream.substr(stream.size() - 13), "\r\n:00000001FF") << "the end record goes last, without CR LF";
}
