#include <gtest/gtest.h>

#include "model/timer.h"

using namespace korvane;

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

TEST(TimerTimes, aDigitChangesOnlyItsOwnPartOfTheShownTime) {
    const struct {
        const char* what;
        long before;
        TimePart part;
        int value;
        long after;
        Byte hours, minutes, seconds; // the typed bytes afterwards
    } cases[] = {
        {"seconds of 111:06:40", 400000, TimePart::Seconds, 5, 111 * 3600 + 6 * 60 + 5, 111, 6, 5},
        {"minutes of 111:06:40", 400000, TimePart::Minutes, 0, 111 * 3600 + 40, 111, 0, 40},
        {"hours of 111:06:40", 400000, TimePart::Hours, 2, 2 * 3600 + 6 * 60 + 40, 2, 6, 40},
        {"1 h 2 min 3 s", 1 * 3600 + 2 * 60, TimePart::Seconds, 3, 3723, 1, 2, 3},
        {"hours beyond a byte are held there", 0xFFFFFF, TimePart::Seconds, 0, 0xFFFFFF - 15, 255, 20, 0},
    };
    for (const auto& c : cases) {
        Row row = rowWith(c.before, 777);
        const Row before = row;
        ASSERT_TRUE(EnterTimePart(row, kTimerTime1, kTimerTyped, c.part, c.value)) << c.what;
        EXPECT_EQ(DurationAt(row, kTimerTime1), c.after) << c.what;
        EXPECT_EQ(row[kTimerTyped], c.hours) << c.what;
        EXPECT_EQ(row[kTimerTyped + 1], c.minutes) << c.what;
        EXPECT_EQ(row[kTimerTyped + 2], c.seconds) << c.what;
        for (int col :
             {kTimerTime2, kTimerTime2 + 1, kTimerTime2 + 2, kTimerTyped + 3, kTimerTyped + 4, kTimerTyped + 5})
            EXPECT_EQ(row[col], before[col]) << c.what << ": time 2 untouched, column " << col;
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
