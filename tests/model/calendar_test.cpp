#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "model/calendar.h"
#include "model/channel_types.h"
#include "model/facts_calendar.h"
#include "tests/model/table_names.h"

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

// The four bytes of a holiday period: first month, first day, last month, last day.
std::vector<Byte> bytesOf(const Configuration& cfg, int period) {
    const auto first = cfg.SysData.begin() + HolidayByte(period, 0);
    return {first, first + 4};
}

void setPeriod(Configuration& cfg, int period, const std::vector<Byte>& bytes) {
    std::copy(bytes.begin(), bytes.end(), cfg.SysData.begin() + HolidayByte(period, 0));
}

} // namespace

// The rows of tests/data/model_holidays.txt.
TEST(HolidayPeriods, completionClearingAndWarnings) {
    static_assert(HolidayByte(2, kHolidayFirstMonth) == 104);
    const std::map<std::string, void (*)(Configuration&, int)> actions{{"leave the first month", CompleteHoliday},
                                                                       {"leave the last month", LeaveHolidayLastMonth},
                                                                       {"clear", ClearHoliday},
                                                                       {"nothing", [](Configuration&, int) {}}};
    for (const auto& c : dataTable("model_holidays.txt", 5)) {
        Configuration cfg;
        setPeriod(cfg, 2, hexBytes(c[1]));
        actions.at(c[2])(cfg, 2);
        EXPECT_EQ(bytesOf(cfg, 2), hexBytes(c[3])) << c[0];
        const unsigned warnings = HolidayWarnings(cfg, 2);
        const std::string named = std::string(warnings & kNoSuchFirstDay ? "no first day, " : "") +
                                  (warnings & kNoSuchLastDay ? "no last day, " : "") +
                                  (warnings & kEndsBeforeStart ? "ends before start, " : "");
        EXPECT_EQ(named, c[4].empty() ? "" : c[4] + ", ") << c[0];
    }
}

TEST(HolidayPeriods, onlyFirstMonthsOneToEighteenAreInUse) {
    Configuration cfg;
    setPeriod(cfg, 5, {0x13, 0x01, 0x13, 0x02}); // 0x13 = 19
    cfg.SysData[124] = 0x0A;                     // period 7: 10 as a plain byte is in use, though no packed month
    cfg.SysData[static_cast<std::size_t>(HolidayByte(6, 0))] = 0x12;
    cfg.SysData[static_cast<std::size_t>(HolidayByte(9, 1))] = 0x05; // no first month
    EXPECT_FALSE(HolidayInUse(cfg, 5));
    EXPECT_TRUE(HolidayInUse(cfg, 6));
    EXPECT_TRUE(HolidayInUse(cfg, 7));
    RepairHolidays(cfg);
    EXPECT_EQ(bytesOf(cfg, 5), std::vector<Byte>(4));
    EXPECT_EQ(bytesOf(cfg, 9), std::vector<Byte>(4));
    EXPECT_EQ(cfg.SysData[124], 0x0A);
    EXPECT_EQ(cfg.SysData[static_cast<std::size_t>(HolidayByte(6, 0))], 0x12);
}
