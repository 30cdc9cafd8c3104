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

} // namespace korvane
