#pragma once
// The times of timer and motion detector channels: a total of seconds in three bytes (least
// significant first), shown split into hours, minutes and seconds, and the three parts as typed.
//
// The total is what the unit runs on and what the fields show. A digit typed into one part changes
// that part of the shown time only; the total is made again from the shown parts and the typed bytes
// follow the total, so the fields never show one time while the row holds another.

#include "model/configuration.h"
#include "model/field_rules.h"

namespace korvane {

constexpr long kMaxDurationSeconds = 0xFFFFFF;

enum class TimePart { Hours = 0, Minutes = 1, Seconds = 2 };

// The total of seconds at column..column + 2 (least significant first).
long DurationAt(const Row& row, int column);
// The total split as SekToTimer shows it.
DurationParts SplitDuration(long seconds);
long JoinDuration(const DurationParts& parts);

// One part of the time at totalColumn (1 or 7) set to the value typed, the other two kept as shown.
// Stores the new total and the three parts at typedColumn (16 or 19; hours above 255 are held at
// 255 there). Refuses, changing nothing, a time the three bytes cannot hold.
bool EnterTimePart(Row& row, int totalColumn, int typedColumn, TimePart part, int value);

} // namespace korvane
