#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "model/timer.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

Row rowWith(long time1, long time2) {
    Row row{};
    for (int k = 0; k < 3; ++k) {
        row[kTimerTime1 + k] = static_cast<Byte>((time1 >> (8 * k)) & 255);
        row[kTimerTime2 + k] = static_cast<Byte>((time2 >> (8 * k)) & 255);
    }
    return row;
}

} // namespace

// The rows of tests/data/model_timer_parts.txt.
TEST(TimerTimes, aDigitChangesOnlyItsOwnPartOfTheShownTime) {
    const std::map<std::string, TimePart> parts{
        {"hours", TimePart::Hours}, {"minutes", TimePart::Minutes}, {"seconds", TimePart::Seconds}};
    for (const auto& c : dataTable("model_timer_parts.txt", 6)) {
        SCOPED_TRACE(c[0]);
        Row row = rowWith(std::stol(c[1]), 777);
        const Row before = row;
        ASSERT_TRUE(EnterTimePart(row, kTimerTime1, kTimerTyped, parts.at(c[2]), std::stoi(c[3])));
        EXPECT_EQ(DurationAt(row, kTimerTime1), std::stol(c[4]));
        std::ostringstream typed;
        typed << int{row[kTimerTyped]} << ' ' << int{row[kTimerTyped + 1]} << ' ' << int{row[kTimerTyped + 2]};
        EXPECT_EQ(typed.str(), c[5]);
        for (int col :
             {kTimerTime2, kTimerTime2 + 1, kTimerTime2 + 2, kTimerTyped + 3, kTimerTyped + 4, kTimerTyped + 5})
            EXPECT_EQ(row[col], before[col]) << "time 2 untouched, column " << col;
    }
}

TEST(TimerTimes, editingTime2LeavesTime1AloneAndTheBytesHoldTheirLimit) {
    Row row = rowWith(400000, 0);
    row[kTimerTyped] = 9; // typed bytes of time 1 that do not match its total
    const Row before = row;
    ASSERT_TRUE(EnterTimePart(row, kTimerTime2, kTimerTyped + 3, TimePart::Minutes, 30));
    EXPECT_EQ(DurationAt(row, kTimerTime2), 1800);
    for (int col = kTimerTime1; col < kTimerTime1 + 3; ++col)
        EXPECT_EQ(row[col], before[col]);
    EXPECT_EQ(row[kTimerTyped], 9);

    Row full = rowWith(0xFFFFFF, 0); // 4660:20:15, the most the bytes hold
    const Row kept = full;
    EXPECT_FALSE(EnterTimePart(full, kTimerTime1, kTimerTyped, TimePart::Minutes, 59)) << "it would not fit";
    EXPECT_EQ(full, kept);
}
