#include <gtest/gtest.h>

#include "model/field_rules.h"
#include "model/roller.h"
#include "tests/model/table_names.h"

using namespace korvane;
using namespace korvane::testing;

TEST(RollerBlind, reverseTimeCyclesHeldToAByte) {
    const std::tuple<int, int, int, int> cases[] = {
        // system byte 11 (highest channel in use), the cycle divisor, a reverse time, its cycles
        {127, 131, 1000, 7},    {127, 131, 1500, 11}, {127, 131, 2000, 15},
        {15, 21, 2000, 95},     {0, 7, 1000, 142},    {0, 7, 2000, 255}, // 285 whole cycles do not fit the byte
        {255, 256, 2000, 7},                                             // a channel count no list offers, from a file
        {127, 131, 65535, 255},
    };
    for (const auto& [inUse, divisor, reverse, cycles] : cases) {
        EXPECT_EQ(RollerCycleDivisor(inUse), divisor) << inUse;
        EXPECT_EQ(RollerReverseCycles(reverse, inUse), cycles) << reverse << " at " << inUse;
    }
}

TEST(RollerBlind, reverseTimeIsReadAsAllSixteenBitsAndSettledOnLeaving) {
    const struct {
        Byte high, low;
        int read;
        Byte settledHigh, settledLow, cycles;
    } cases[] = {
        {0, 0, 0, 3, 232, 7},         // unset: 1000
        {0x01, 0xF3, 499, 3, 232, 7}, // below 500: 1000
        {0x01, 0xF4, 500, 0x01, 0xF4, 3},
        {5, 220, 1500, 5, 220, 11},
        {0x87, 0xD0, 34768, 0x87, 0xD0, 255}, // the high bit counts: not 2000
    };
    for (const auto& c : cases) {
        Row row{};
        row[kRollReverseHigh] = c.high;
        row[kRollReverseLow] = c.low;
        EXPECT_EQ(RollerReverseTime(row), c.read);
        SettleRollerReverse(row, 127);
        EXPECT_EQ(row[kRollReverseHigh], c.settledHigh) << c.read;
        EXPECT_EQ(row[kRollReverseLow], c.settledLow) << c.read;
        EXPECT_EQ(row[kRollReverseCycles], c.cycles) << c.read;
    }
}

// The rows of tests/data/model_roller_cursor.txt.
TEST(RollerMaster, cursorKeysStayOnTheShownCells) {
    for (const auto& c : dataTable("model_roller_cursor.txt", 4)) {
        Configuration cfg;
        cfg.SysData[kSysChannelsInUse] = static_cast<Byte>(std::stoi(c[0]));
        const std::optional<int> next = c[3] == "-" ? std::nullopt : std::optional<int>(std::stoi(c[3]));
        EXPECT_EQ(RmCursorMove(cfg, std::stoi(c[1]), keyCode(c[2])), next) << c[2] << " on " << c[1] << " of " << c[0];
    }
}
