#pragma once
// The calendar rules: the four day sets of a real-time channel (and of a master function run by the
// clock) and the sixteen holiday periods of the unit.

#include <optional>

#include "model/configuration.h"

namespace korvane {

// ---- Day sets: ChanSetup bytes 1 + 5k .. 5 + 5k of a type 6 or 7 channel ----
constexpr int kDayMaskPart = 0; // one bit per day box, box j = bit 128 >> j (Monday .. Sunday, holiday)
constexpr int kOnHourPart = 1;  // packed hours 00..23, 255 = not set
constexpr int kOnMinutePart = 2;
constexpr int kOffHourPart = 3;
constexpr int kOffMinutePart = 4;
constexpr Byte kTimeNotSet = 255;
constexpr int kDayBoxes = 8;
constexpr int kHourMax = 0x23;
constexpr int kMinuteMax = 0x59;

constexpr int DaySetByte(int set, int part) {
    return kRtDaySets + kRtDaySetSize * set + part;
}
constexpr Byte DayBit(int box) {
    return static_cast<Byte>(128 >> box);
}

// Whether one of the set's two times is set (its day boxes can then be ticked).
bool DaySetInUse(const Row& row, int set);
// The row after a key in a time field (part kOnHourPart .. kOffMinutePart) of day set `set`, or
// nothing when the key has no meaning there (the field beeps). Digits enter packed values; minus or
// Delete in an hour field clear that time, its minute becoming 0, and when the other time is not
// set either the day mask is cleared. A minute of a time that is not set takes no digits.
std::optional<Row> DaySetKey(const Row& row, int set, int part, int keyCode, bool& firstKey);
// Enter in the off hour while neither time is set: the set is out of use, its day mask cleared.
Row CloseDaySet(const Row& row, int set);

// ---- Holiday periods: SysData bytes 96 + 4i .. 99 + 4i ----
constexpr int kHolidayFirstMonth = 0;
constexpr int kHolidayFirstDay = 1;
constexpr int kHolidayLastMonth = 2;
constexpr int kHolidayLastDay = 3;
constexpr int kHolidayBytes = 4;
constexpr int kMonthMax = 0x12;
constexpr int kDayMax = 0x31;
// Periods 0..7 lie in SysData 96..127, which a read from the unit takes back; 8..15 are written only.
constexpr int kHolidaysReadBack = 8;

constexpr int HolidayByte(int period, int part) {
    return kSysHolidays + kHolidayBytes * period + part;
}

// A period is in use when its first month is 1..18 as a plain byte (0x01..0x12).
bool HolidayInUse(const Configuration& cfg, int period);
// Digit entry of a holiday field. typed holds the digits typed since the field got the focus (two
// packed digits, kept as typed even below the minimum); the stored value is typed held to the
// minimum. A value above the maximum starts again with the digit: "0", "2" give 02, "1", "3" give 03.
int HolidayDigit(int& typed, int minimum, int maximum, int digit, bool& firstKey);
// The period is free again: four zero bytes.
void ClearHoliday(Configuration& cfg, int period);
// Leaving the first month: a period without a first month is cleared; otherwise its missing parts
// are filled in (first day 1, last month = first month, last day 1).
void CompleteHoliday(Configuration& cfg, int period);
// Leaving the last month: a period without a last month is cleared.
void LeaveHolidayLastMonth(Configuration& cfg, int period);
// Shown as free: a period whose first month is not 1..18 as a plain byte holds four zero bytes.
void RepairHolidays(Configuration& cfg);

// What is odd about a period in use; it is stored as typed (files and units may hold it), the page
// only warns.
enum HolidayWarning : unsigned {
    kHolidayFine = 0,
    kNoSuchFirstDay = 1,  // the first day is not a day of the first month (31 February, say)
    kNoSuchLastDay = 2,   // the same for the last day
    kEndsBeforeStart = 4, // the last day comes before the first in the year: the period runs over New Year
};
unsigned HolidayWarnings(const Configuration& cfg, int period);
// The number of days of a month given as a packed value (29 for February), 0 for no month.
int DaysInPackedMonth(int packedMonth);

} // namespace korvane
