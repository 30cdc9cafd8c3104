#include "model/vocabulary.h"

#include <chrono>
#include <cstdio>
#include <vector>

#include "model/text_ids.h"

namespace korvane {

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

std::string GetTimeNow(const DeviceClock& clock, const TextLookup& text) {
    using namespace std::chrono;
    const year_month_day date{year{clock.year}, month{static_cast<unsigned>(clock.month)},
                              day{static_cast<unsigned>(clock.day)}};
    // The weekday of the date itself (1 = Sunday .. 7 = Saturday), whatever the locale's first day.
    const int w = date.ok() ? static_cast<int>(weekday{sys_days{date}}.c_encoding()) + 1 : 0;
    std::string out;
    if (w > 0)
        out = text(WeekdayText(w)) + "  ";
    out += LongDateText(clock.year, clock.month, clock.day, text(kTxtLongDate), text(kTxtMonthNames));
    char hm[16];
    std::snprintf(hm, sizeof hm, "  %02d:%02d", clock.hour, clock.minute);
    return out + hm;
}

} // namespace korvane
