#include "model/calendar.h"

#include <algorithm>

#include "model/field_rules.h"

namespace korvane {

namespace {

bool isClearKey(int keyCode) {
    return keyCode == vk::kPadSubtract || keyCode == vk::kMinus || keyCode == vk::kDelete;
}

// The decimal value of a packed byte, or -1 when one of its digits is not a decimal digit.
int unpack(int packed) {
    const int tens = packed >> 4;
    const int units = packed & 15;
    return tens > 9 || units > 9 ? -1 : 10 * tens + units;
}

Byte& sys(Configuration& cfg, int period, int part) {
    return cfg.SysData[static_cast<std::size_t>(HolidayByte(period, part))];
}

int sys(const Configuration& cfg, int period, int part) {
    return cfg.SysData[static_cast<std::size_t>(HolidayByte(period, part))];
}

} // namespace

bool DaySetInUse(const Row& row, int set) {
    return row[static_cast<std::size_t>(DaySetByte(set, kOnHourPart))] != kTimeNotSet ||
           row[static_cast<std::size_t>(DaySetByte(set, kOffHourPart))] != kTimeNotSet;
}

std::optional<Row> DaySetKey(const Row& row, int set, int part, int keyCode, bool& firstKey) {
    if (set < 0 || set >= kRtDaySetCount || part < kOnHourPart || part > kOffMinutePart)
        return std::nullopt;
    Row r = row;
    auto at = [&r, set](int p) -> Byte& { return r[static_cast<std::size_t>(DaySetByte(set, p))]; };
    const bool hour = part == kOnHourPart || part == kOffHourPart;
    const int digit = DigitOfKey(keyCode);
    if (hour) {
        const int partner = part == kOnHourPart ? kOffHourPart : kOnHourPart;
        if (digit >= 0) {
            at(part) = static_cast<Byte>(Object_NumIn(at(part), 0, kHourMax, digit, firstKey));
            return r;
        }
        if (!isClearKey(keyCode))
            return std::nullopt;
        at(part) = kTimeNotSet;
        at(part + 1) = 0;
        if (at(partner) == kTimeNotSet)
            at(kDayMaskPart) = 0;
        return r;
    }
    // A minute belongs to its hour: while the hour is not set the minute is not shown and takes nothing.
    if (digit < 0 || at(part - 1) == kTimeNotSet)
        return std::nullopt;
    at(part) = static_cast<Byte>(Object_NumIn(at(part), 0, kMinuteMax, digit, firstKey));
    return r;
}

Row CloseDaySet(const Row& row, int set) {
    Row r = row;
    if (!DaySetInUse(r, set))
        r[static_cast<std::size_t>(DaySetByte(set, kDayMaskPart))] = 0;
    return r;
}

bool HolidayInUse(const Configuration& cfg, int period) {
    const int m = sys(cfg, period, kHolidayFirstMonth);
    return m >= 1 && m <= 18;
}

int HolidayDigit(int& typed, int minimum, int maximum, int digit, bool& firstKey) {
    if (firstKey) {
        typed = digit;
        firstKey = false;
    } else {
        typed = (typed * 16 + digit) % 256;
    }
    if (typed > maximum)
        typed = digit;
    return std::max(typed, minimum);
}

void ClearHoliday(Configuration& cfg, int period) {
    for (int part = 0; part < kHolidayBytes; ++part)
        sys(cfg, period, part) = 0;
}

void CompleteHoliday(Configuration& cfg, int period) {
    if (sys(cfg, period, kHolidayFirstMonth) == 0) {
        ClearHoliday(cfg, period);
        return;
    }
    if (sys(cfg, period, kHolidayFirstDay) == 0)
        sys(cfg, period, kHolidayFirstDay) = 1;
    if (sys(cfg, period, kHolidayLastMonth) == 0)
        sys(cfg, period, kHolidayLastMonth) = sys(cfg, period, kHolidayFirstMonth);
    if (sys(cfg, period, kHolidayLastDay) == 0)
        sys(cfg, period, kHolidayLastDay) = 1;
}

void LeaveHolidayLastMonth(Configuration& cfg, int period) {
    if (sys(cfg, period, kHolidayLastMonth) == 0)
        ClearHoliday(cfg, period);
}

void RepairHolidays(Configuration& cfg) {
    for (int i = 0; i < kSysHolidayCount; ++i)
        if (!HolidayInUse(cfg, i))
            ClearHoliday(cfg, i);
}

int DaysInPackedMonth(int packedMonth) {
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int m = unpack(packedMonth);
    return m >= 1 && m <= 12 ? kDays[m - 1] : 0;
}

unsigned HolidayWarnings(const Configuration& cfg, int period) {
    if (!HolidayInUse(cfg, period))
        return kHolidayFine;
    auto dayOk = [&](int monthPart, int dayPart) {
        const int d = unpack(sys(cfg, period, dayPart));
        return d >= 1 && d <= DaysInPackedMonth(sys(cfg, period, monthPart));
    };
    unsigned w = kHolidayFine;
    const bool first = dayOk(kHolidayFirstMonth, kHolidayFirstDay);
    const bool last = dayOk(kHolidayLastMonth, kHolidayLastDay);
    if (!first)
        w |= kNoSuchFirstDay;
    if (!last)
        w |= kNoSuchLastDay;
    if (first && last) {
        const int start =
            100 * unpack(sys(cfg, period, kHolidayFirstMonth)) + unpack(sys(cfg, period, kHolidayFirstDay));
        const int end = 100 * unpack(sys(cfg, period, kHolidayLastMonth)) + unpack(sys(cfg, period, kHolidayLastDay));
        if (end < start)
            w |= kEndsBeforeStart;
    }
    return w;
}

} // namespace korvane
