#pragma once
// Which facts a channel type's page shows, and the facts of the system pages grouped as the user
// finds them: one list that the pages' tables, the reports and the comparisons share.

#include <span>

#include "model/value_facts.h"

namespace korvane {

// The values of a channel type, in page order; the channel part every channel page shares (the event
// options and the description) is not among them. A timer's and a motion detector's times stand as
// whole durations, a day set's times as times of day.
std::span<const ValueFact* const> FactsOfType(int type);

// Whether a channel of the type shows its event options: never on a roller blind, a roller master or
// a pulse timer (they send no events), and on none while the event output is off.
bool EventOptionsShown(const Configuration& cfg, int type);

// Whether a channel's event options count: what the unit gets with the channel's type byte, and so what
// the comparisons, verify and the reports name. They count unless the event output is off, the channel is
// the hidden second channel of a pair, or the channel is a pulse timer (its type byte goes without them).
// A roller blind's and a roller master's count although their pages hide the boxes: a file or a unit can
// hold them and the unit gets them.
bool EventOptionsCount(const Configuration& cfg, int channel);

// Whether the page shows the fact's stored value on this channel: not a light meter's range, which is
// fixed (its fields show 0.1 and 100000.0 whatever the bytes hold).
bool FactShown(const ValueFact& fact, const Configuration& cfg, int channel);

// The event options of the channel part, in page order.
std::span<const ValueFact* const> EventOptionFacts();

// A system page's values under the heading the user finds them by.
struct SystemArea {
    int heading; // language text
    std::span<const ValueFact* const> values;
    std::span<const TextFact* const> texts;
};
// The main setup, the alarm times of each alarm and the common siren, in the order of the pages. The
// data exchange mask, the holiday periods and the logic blocks are indexed and have facts of their own
// (facts::kExchangeChannel, kHolidayPeriods, kLogicBlockFacts).
std::span<const SystemArea> SystemAreas();
// The SMS and dial-in settings: the telephone numbers, the password, the identification and the values.
const SystemArea& SmsArea();

} // namespace korvane
