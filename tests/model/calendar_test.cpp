#include <gtest/gtest.h>

#include <map>
#include <sstream>
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

// The rows of tests/data/model_day_sets.txt.
TEST(DaySets, entryClearingAndLeavingRules) {
    const std::map<std::string, int> parts{
        {"on hour", kOnHourPart}, {"on minute", kOnMinutePart}, {"off hour", kOffHourPart}};
    for (const auto& c : dataTable("model_day_sets.txt", 6)) {
        SCOPED_TRACE(c[0]);
        Row r = newRealTimeRow();
        for (auto [column, value] : columnValues(c[1]))
            r[column] = static_cast<Byte>(value);
        std::istringstream accepted(c[3]);
        for (const std::string& step : splitOn(c[2], ';')) {
            bool ok = true;
            const std::size_t colon = step.find(':');
            if (step.rfind("close ", 0) == 0)
                r = CloseDaySet(r, std::stoi(step.substr(6)) - 1);
            else
                r = type(r, std::stoi(step) - 1, parts.at(step.substr(2, colon - 2)), step.substr(colon + 1), &ok);
            int expected = -1;
            accepted >> expected;
            EXPECT_EQ(ok, expected == 1) << step;
        }
        for (auto [column, value] : columnValues(c[4]))
            EXPECT_EQ(r[column], value) << "byte " << column;
        for (int set = 0; set < 4 && !c[5].empty(); ++set)
            EXPECT_EQ(DaySetInUse(r, set), c[5].find(std::to_string(set + 1)) != std::string::npos)
                << "set " << set + 1;
    }
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
