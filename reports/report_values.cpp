#include "reports/report_values.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "model/channel_types.h"
#include "model/field_rules.h"
#include "model/roller.h"
#include "model/value_facts.h"

namespace korvane {

std::string Str(long value) {
    return (value < 0 ? "-" : " ") + std::to_string(value < 0 ? -value : value);
}

std::string ChannelRangeText(int first, int last) {
    return Num_2_Channel(first) + " - " + Num_2_Channel(last);
}

std::string TimeOfDayText(Byte hour, Byte minute) {
    return PackedText(hour) + ":" + PackedText(minute);
}

std::string HolidayDayText(const Configuration& cfg, int period, bool last) {
    if (!HolidayInUse(cfg, period))
        return "--.--";
    const int at = kSysHolidays + 4 * period + (last ? 2 : 0);
    return PackedText(cfg.SysData[at]) + ":" + PackedText(cfg.SysData[at + 1]);
}

std::string PrintedChoice(const ValueFact& fact, int value, int width, const TextLookup& text) {
    std::string shown = ChoiceText(fact.choices, value, text).value_or(std::to_string(value));
    if (static_cast<int>(shown.size()) < width)
        shown.insert(0, static_cast<std::size_t>(width) - shown.size(), ' ');
    return shown;
}

int RollerReversePrinted(const Row& row) {
    return std::max(kRollReverseMin, RollerReverseTime(row));
}

} // namespace korvane
