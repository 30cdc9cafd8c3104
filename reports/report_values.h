#pragma once
// Stored values as the reports show them, in the installer's terms. Kept together so that the pages,
// the reports and the command line can share them.

#include <string>

#include "model/calendar.h"
#include "model/configuration.h"
#include "model/value_facts.h"
#include "model/vocabulary.h"

namespace korvane {

// Decimal digits preceded by one blank ("-" for a negative number): " 5", " 128".
std::string Str(long value);
// "A1 - A2".
std::string ChannelRangeText(int first, int last);
// A time of day from its packed hour and minute bytes: "07:30".
std::string TimeOfDayText(Byte hour, Byte minute);
constexpr Byte kNoTime = 255; // an hour byte that is not set

// The first or the last day of a period as month ":" day, "--.--" for a period not in use.
std::string HolidayDayText(const Configuration& cfg, int period, bool last);

// The choice a list fact shows for the value (its number where no choice stands for it), right-aligned
// in `width` characters: the multiplexer's inputs and delay as the channel list prints them.
std::string PrintedChoice(const ValueFact& fact, int value, int width, const TextLookup& text);

// The reverse time of a roller blind in milliseconds as the channel list prints it: all 16 bits, as
// everywhere else, and 500 at least.
int RollerReversePrinted(const Row& row);

} // namespace korvane
