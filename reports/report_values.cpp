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

namespace {

std::vector<std::string> splitNames(const std::string& names) {
    std::vector<std::string> out(1);
    for (char ch : names) {
        if (ch == ',')
            out.emplace_back();
        else
            out.back() += ch;
    }
    for (std::string& n : out) {
        while (!n.empty() && n.front() == ' ')
            n.erase(n.begin());
        while (!n.empty() && n.back() == ' ')
            n.pop_back();
    }
    return out;
}

} // namespace

std::string LongDateText(int year, int month, int day, const std::string& pattern, const std::string& monthNames) {
    const std::vector<std::string> names = splitNames(monthNames);
    char buf[32];
    if (pattern.empty() || names.size() != 12 || month < 1 || month > 12) {
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", year, month, day);
        return buf;
    }
    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        auto starts = [&](const char* token) {
            return pattern.compare(i, std::char_traits<char>::length(token), token) == 0;
        };
        if (starts("YYYY")) {
            out += std::to_string(year);
            i += 4;
        } else if (starts("MMMM")) {
            out += names[static_cast<std::size_t>(month - 1)];
            i += 4;
        } else if (starts("MM")) {
            std::snprintf(buf, sizeof buf, "%02d", month);
            out += buf;
            i += 2;
        } else if (starts("DD")) {
            std::snprintf(buf, sizeof buf, "%02d", day);
            out += buf;
            i += 2;
        } else if (starts("D")) {
            out += std::to_string(day);
            i += 1;
        } else {
            out += pattern[i++];
        }
    }
    return out;
}

} // namespace korvane
