#pragma once
// Stored values as the reports show them, in the installer's terms. Kept together so that the pages,
// the reports and the command line can share them.

#include <string>

#include "model/calendar.h"
#include "model/configuration.h"

namespace korvane {

// Decimal digits preceded by one blank ("-" for a negative number): " 5", " 128".
std::string Str(long value);
// "A1 - A2".
std::string ChannelRangeText(int first, int last);
// The duration at row bytes c + 1..c + 3 as hours:minutes:seconds, each at least two digits.
std::string GetTimerChTid(const Row& row, int c);
// A time of day from its packed hour and minute bytes: "07:30".
std::string TimeOfDayText(Byte hour, Byte minute);
constexpr Byte kNoTime = 255; // an hour byte that is not set

// The first or the last day of a period as month ":" day, "--.--" for a period not in use.
std::string HolidayDayText(const Configuration& cfg, int period, bool last);

// The multiplexer's number of inputs and its delay as the main setup lists show them (1..16 and
// 1..128); a byte outside the lists shows its own number.
std::string MuxCountText(int stored);
std::string MuxDelayText(int stored);

// The reverse time of a roller blind in milliseconds as the channel list prints it: all 16 bits, as
// everywhere else, and 500 at least.
int RollerReversePrinted(const Row& row);

} // namespace korvane
