#pragma once
// The words every layer shares: the language texts by number and the date and time the program
// writes into the unit and prints on its reports.

#include <functional>
#include <string>

namespace korvane {

// Language text n in the 8-bit character set; an unknown text is empty.
using TextLookup = std::function<std::string(int)>;

// The date and time written into the unit's clock bytes and printed in a report's header.
// Weekday 1 = Monday .. 7 = Sunday.
struct DeviceClock {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 6;
};

// The date in the long form of the language, without its weekday: the pattern text with D (day), DD,
// MM (month number), MMMM (month name), YYYY; the month names are one text, separated by commas.
// Without either text the date is written YYYY-MM-DD.
std::string LongDateText(int year, int month, int day, const std::string& pattern, const std::string& monthNames);

// The date line of a report's header and of the main setup page: weekday name (counted from the date
// itself, whatever day the system starts its weeks with), long date of the language, time of day.
std::string GetTimeNow(const DeviceClock& clock, const TextLookup& text);

} // namespace korvane
