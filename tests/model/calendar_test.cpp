#include <gtest/gtest.h>

#include <string>

#include "model/calendar.h"
#include "model/channel_types.h"
#include "model/facts_calendar.h"
#include "tests/model/table_names.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

Row newRealTimeRow() {
    Configuration cfg = blankConfiguration();
    SetChannelType(cfg, 0, kTypeRealTime);
    return cfg.ChanSetup[0];
}

// Types the keys (tests/model/table_names.h) into one field right after it got the focus. The row after
// the accepted keys; accepted is false once a key is refused.
Row type(Row r, int set, int part, const std::string& keys, bool* accepted = nullptr) {
    bool first = true;
    if (accepted)
        *accepted = true;
    for (int key : keyCodes(keys)) {
        const std::optional<Row> next = DaySetKey(r, set, part, key, first);
        if (accepted && !next)
            *accepted = false;
        r = next.value_or(r);
    }
    return r;
}

} // namespace

TEST(DaySets, entryAndClearingRules) {
    struct Step {
        int set, part;
        const char* keys;
        bool accepted;
    };
    const struct {
        const char* what;
        std::vector<Step> steps;
        std::vector<std::pair<int, int>> bytes; // ChanSetup column, value afterwards
    } cases[] = {
        {"hour 0 then 7", {{0, kOnHourPart, "0 7", true}}, {{2, 0x07}, {3, 0}, {4, 255}}},
        {"hours above 23 restart", {{0, kOnHourPart, "2 5", true}}, {{2, 0x05}}},
        {"keypad digits", {{1, kOffHourPart, "1 Pad7", true}}, {{9, 0x17}}},
        {"minutes to 59", {{0, kOnHourPart, "6", true}, {0, kOnMinutePart, "5 9", true}}, {{2, 0x06}, {3, 0x59}}},
        {"minutes above 59 restart", {{0, kOnHourPart, "6", true}, {0, kOnMinutePart, "6 1", true}}, {{3, 0x01}}},
        {"a minute of a time not set takes nothing", {{0, kOnMinutePart, "5", false}}, {{3, 0}}},
        {"minus in a minute beeps", {{0, kOnHourPart, "6", true}, {0, kOnMinutePart, "3 Minus", false}}, {{3, 0x03}}},
        {"a letter in an hour beeps", {{0, kOnHourPart, "Q", false}}, {{2, 255}}},
        {"both times of the second set",
         {{1, kOnHourPart, "0 6", true}, {1, kOnMinutePart, "3 0", true}, {1, kOffHourPart, "2 2", true}},
         {{7, 0x06}, {8, 0x30}, {9, 0x22}, {10, 0}, {6, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Row r = newRealTimeRow();
        for (const Step& s : c.steps) {
            bool accepted = false;
            r = type(r, s.set, s.part, s.keys, &accepted);
            EXPECT_EQ(accepted, s.accepted) << s.keys;
        }
        for (auto [column, value] : c.bytes)
            EXPECT_EQ(r[static_cast<std::size_t>(column)], value) << "byte " << column;
    }
}

TEST(DaySets, clearingTheLastTimeClearsTheDays) {
    Row r = newRealTimeRow();
    r = type(r, 1, kOnHourPart, "6");
    r = type(r, 1, kOnMinutePart, "3 0");
    r = type(r, 1, kOffHourPart, "2 2");
    r[6] = 0x81; // Monday and holidays
    r = type(r, 1, kOnHourPart, "Del");
    EXPECT_EQ(r[7], 255);
    EXPECT_EQ(r[8], 0);
    EXPECT_EQ(r[6], 0x81) << "the off time is still set";
    EXPECT_TRUE(DaySetInUse(r, 1));
    r = type(r, 1, kOffHourPart, "Minus");
    EXPECT_EQ(r[9], 255);
    EXPECT_EQ(r[6], 0);
    EXPECT_FALSE(DaySetInUse(r, 1));
    // keypad minus clears as well, and clearing a time not set keeps it not set
    bool first = true;
    EXPECT_EQ(DaySetKey(r, 1, kOffHourPart, vk::kPadSubtract, first), r);
}

TEST(DaySets, closingASetWithoutTimesClearsOnlyItsDays) {
    Row r = newRealTimeRow();
    r[16] = 0xFF; // loaded with days but no times
    r[11] = 0x81;
    r[12] = 0x07;
    const Row closed = CloseDaySet(CloseDaySet(r, 3), 2);
    EXPECT_EQ(closed[16], 0);
    EXPECT_EQ(closed[11], 0x81) << "set 3 has an on time";
}

TEST(DaySets, dayBoxFactsNameOneBitEach) {
    Configuration cfg;
    cfg.ChanSetup[3][11] = 0;
    StoreValue(facts::kDayBoxFacts[2][0], cfg, 3, 1);
    StoreValue(facts::kDayBoxFacts[2][7], cfg, 3, 1);
    EXPECT_EQ(cfg.ChanSetup[3][11], 0x81);
    StoreValue(facts::kDayBoxFacts[2][0], cfg, 3, 0);
    EXPECT_EQ(cfg.ChanSetup[3][11], 0x01);
    EXPECT_EQ(ReadValue(facts::kDayBoxFacts[2][7], cfg, 3), 1);
    EXPECT_EQ(ReadValue(facts::kDayBoxFacts[2][6], cfg, 3), 0);
    EXPECT_EQ(facts::kOffMinutes[3].index, 20);
}

namespace {

using Period = std::array<Byte, 4>; // first month, first day, last month, last day

Configuration withPeriod(int period, const Period& bytes) {
    Configuration cfg;
    for (int part = 0; part < 4; ++part)
        cfg.SysData[static_cast<std::size_t>(HolidayByte(period, part))] = bytes[static_cast<std::size_t>(part)];
    return cfg;
}

Period bytesOf(const Configuration& cfg, int period) {
    Period b{};
    for (int part = 0; part < 4; ++part)
        b[static_cast<std::size_t>(part)] = cfg.SysData[static_cast<std::size_t>(HolidayByte(period, part))];
    return b;
}

} // namespace

TEST(HolidayPeriods, completionClearingAndRepair) {
    const struct {
        const char* what;
        Period before;
        void (*rule)(Configuration&, int);
        Period after;
    } cases[] = {
        {"leaving the first month fills the rest", {0x07, 0, 0, 0}, CompleteHoliday, {0x07, 0x01, 0x07, 0x01}},
        {"typed parts are kept", {0x07, 0x15, 0, 0x02}, CompleteHoliday, {0x07, 0x15, 0x07, 0x02}},
        {"no first month: free", {0, 0x15, 0x08, 0}, CompleteHoliday, {0, 0, 0, 0}},
        {"no last month: free", {0x07, 0x15, 0, 0x02}, LeaveHolidayLastMonth, {0, 0, 0, 0}},
        {"a last month stays", {0x07, 0x15, 0x08, 0x02}, LeaveHolidayLastMonth, {0x07, 0x15, 0x08, 0x02}},
        {"clear", {0x07, 0x15, 0x08, 0x02}, ClearHoliday, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        Configuration cfg = withPeriod(2, c.before);
        c.rule(cfg, 2);
        EXPECT_EQ(bytesOf(cfg, 2), c.after) << c.what;
        EXPECT_EQ(cfg.SysData[104], c.after[0]) << "period 2 starts at byte 104";
    }
}

TEST(HolidayPeriods, onlyFirstMonthsOneToEighteenAreInUse) {
    Configuration cfg = withPeriod(5, {0x13, 0x01, 0x13, 0x02}); // 0x13 = 19
    cfg.SysData[124] = 0x0A; // period 7: 10 as a plain byte is in use, though no packed month
    cfg.SysData[static_cast<std::size_t>(HolidayByte(6, 0))] = 0x12;
    cfg.SysData[static_cast<std::size_t>(HolidayByte(9, 1))] = 0x05; // no first month
    EXPECT_FALSE(HolidayInUse(cfg, 5));
    EXPECT_TRUE(HolidayInUse(cfg, 6));
    EXPECT_TRUE(HolidayInUse(cfg, 7));
    RepairHolidays(cfg);
    EXPECT_EQ(bytesOf(cfg, 5), Period{});
    EXPECT_EQ(bytesOf(cfg, 9), Period{});
    EXPECT_EQ(cfg.SysData[124], 0x0A);
    EXPECT_EQ(cfg.SysData[static_cast<std::size_t>(HolidayByte(6, 0))], 0x12);
}

TEST(HolidayPeriods, oddPeriodsAreKeptAndWarnedAbout) {
    const std::pair<Period, unsigned> cases[] = {
        {{0x07, 0x01, 0x07, 0x31}, kHolidayFine},
        {{0x02, 0x29, 0x03, 0x01}, kHolidayFine}, // leap years have it
        {{0x02, 0x31, 0x03, 0x01}, kNoSuchFirstDay},
        {{0x04, 0x01, 0x04, 0x31}, kNoSuchLastDay},
        {{0x12, 0x20, 0x01, 0x06}, kEndsBeforeStart}, // over New Year
        {{0x05, 0x10, 0x05, 0x09}, kEndsBeforeStart},
        {{0x0A, 0x01, 0x0A, 0x01}, kNoSuchFirstDay | kNoSuchLastDay}, // not a packed month
        {{0x07, 0x00, 0x07, 0x00}, kNoSuchFirstDay | kNoSuchLastDay},
        {{0x00, 0x31, 0x02, 0x31}, kHolidayFine}, // free: nothing to warn about
    };
    for (const auto& [period, warnings] : cases)
        EXPECT_EQ(HolidayWarnings(withPeriod(3, period), 3), warnings)
            << std::hex << int(period[0]) << "." << int(period[1]);
}
