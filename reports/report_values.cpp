#include "reports/report_values.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "model/channel_types.h"
#include "model/field_rules.h"
#include "model/roller.h"

namespace korvane {

std::string Str(long value) {
    return (value < 0 ? "-" : " ") + std::to_string(value < 0 ? -value : value);
}

std::string ChannelRangeText(int first, int last) {
    return Num_2_Channel(first) + " - " + Num_2_Channel(last);
}

std::string GetTimerChTid(const Row& row, int c) {
    const DurationParts d = SekToTimer(row, c);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02ld:%02d:%02d", d.hours, d.minutes, d.seconds);
    return buf;
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

std::string MuxCountText(int stored) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%2d", stored >= 0 && stored <= 15 ? stored + 1 : stored);
    return buf;
}

std::string MuxDelayText(int stored) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%3d", stored >= 0 && stored <= 7 ? 1 << stored : stored);
    return buf;
}

int RollerReversePrinted(const Row& row) {
    return std::max(kRollReverseMin, RollerReverseTime(row));
}

} // namespace korvane
