#pragma once
// The values of the calendar pages: the day sets of a real-time channel (and of a master function run
// by the clock) and the sixteen holiday periods.

#include <array>

#include "model/calendar.h"
#include "model/value_facts.h"

namespace korvane::facts {

// One time field of each day set: its packed byte at 1 + 5k + part.
constexpr std::array<ValueFact, kRtDaySetCount> DaySetTimes(const char* name, int part, int maximum, const char* hint) {
    std::array<ValueFact, kRtDaySetCount> times{};
    for (int k = 0; k < kRtDaySetCount; ++k)
        times[static_cast<std::size_t>(k)] = ValueFact{
            name, ValueArea::Channel, DaySetByte(k, part), ValueEntry::Packed, 0, maximum, ValueFormat::Packed, hint};
    return times;
}

inline constexpr auto kOnHours = DaySetTimes("on hour", kOnHourPart, kHourMax, "0..23");
inline constexpr auto kOnMinutes = DaySetTimes("on minute", kOnMinutePart, kMinuteMax, "0..59");
inline constexpr auto kOffHours = DaySetTimes("off hour", kOffHourPart, kHourMax, "0..23");
inline constexpr auto kOffMinutes = DaySetTimes("off minute", kOffMinutePart, kMinuteMax, "0..59");

// Each day set's on time, off time and days as wholes, as the comparisons and reports show them: hour
// and minute together, the day boxes together.
// A master function's two times are its trigger times.
constexpr std::array<ValueFact, kRtDaySetCount> DaySetWholes(const char* name, int part, ValueArea area,
                                                             ValueFormat format, int caption, int triggerCaption) {
    std::array<ValueFact, kRtDaySetCount> sets{};
    for (int k = 0; k < kRtDaySetCount; ++k) {
        sets[static_cast<std::size_t>(k)] =
            ValueFact{name, area, DaySetByte(k, part), ValueEntry::None, 0, 0xFFFF, format}.words(caption).within(
                kTxtDaySet, k + 1);
        if (triggerCaption)
            sets[static_cast<std::size_t>(k)] =
                sets[static_cast<std::size_t>(k)].captionWhile(CaptionRule::MasterTrigger, triggerCaption);
    }
    return sets;
}
inline constexpr auto kDaySetOn =
    DaySetWholes("on time", kOnHourPart, ValueArea::ChannelWord, ValueFormat::TimeOfDay, kTxtOnTime, kTxtTriggerTime1);
inline constexpr auto kDaySetOff = DaySetWholes("off time", kOffHourPart, ValueArea::ChannelWord,
                                                ValueFormat::TimeOfDay, kTxtOffTime, kTxtTriggerTime2);
inline constexpr auto kDaySetDays =
    DaySetWholes("days", kDayMaskPart, ValueArea::Channel, ValueFormat::DayMask, kTxtWeekdays, 0);

// The eight day boxes of each day set: bit 128 >> j of the set's day mask.
constexpr std::array<std::array<ValueFact, kDayBoxes>, kRtDaySetCount> DayBoxFacts() {
    std::array<std::array<ValueFact, kDayBoxes>, kRtDaySetCount> boxes{};
    for (int k = 0; k < kRtDaySetCount; ++k)
        for (int j = 0; j < kDayBoxes; ++j)
            boxes[static_cast<std::size_t>(k)][static_cast<std::size_t>(j)] = ValueFact{j < 7 ? "weekday" : "holiday",
                                                                                        ValueArea::Channel,
                                                                                        DaySetByte(k, kDayMaskPart),
                                                                                        ValueEntry::None,
                                                                                        0,
                                                                                        1,
                                                                                        ValueFormat::Flag,
                                                                                        nullptr,
                                                                                        DayBit(j)};
    return boxes;
}
inline constexpr auto kDayBoxFacts = DayBoxFacts();

// One field of each holiday period: its packed byte at 96 + 4i + part.
constexpr std::array<ValueFact, kSysHolidayCount> HolidayFacts(const char* name, int part, int maximum,
                                                               const char* hint) {
    std::array<ValueFact, kSysHolidayCount> periods{};
    for (int i = 0; i < kSysHolidayCount; ++i)
        periods[static_cast<std::size_t>(i)] = ValueFact{name, ValueArea::Sys, HolidayByte(i, part), ValueEntry::Packed,
                                                         1,    maximum,        ValueFormat::Packed,  hint};
    return periods;
}

inline constexpr auto kHolidayFirstMonths =
    HolidayFacts("holiday first month", kHolidayFirstMonth, kMonthMax, "1..12(-)");
inline constexpr auto kHolidayFirstDays = HolidayFacts("holiday first day", kHolidayFirstDay, kDayMax, "1..31(-)");
inline constexpr auto kHolidayLastMonths = HolidayFacts("holiday last month", kHolidayLastMonth, kMonthMax, "1..12(-)");
inline constexpr auto kHolidayLastDays = HolidayFacts("holiday last day", kHolidayLastDay, kDayMax, "1..31(-)");

// Each period as a whole: first month and day, last month and day.
constexpr std::array<ValueFact, kSysHolidayCount> HolidayPeriodFacts() {
    std::array<ValueFact, kSysHolidayCount> periods{};
    for (int i = 0; i < kSysHolidayCount; ++i)
        periods[static_cast<std::size_t>(i)] =
            ValueFact{"holiday period",          ValueArea::SysQuad, HolidayByte(i, 0), ValueEntry::None, 0, 0,
                      ValueFormat::HolidayPeriod};
    return periods;
}
inline constexpr auto kHolidayPeriods = HolidayPeriodFacts();

} // namespace korvane::facts
