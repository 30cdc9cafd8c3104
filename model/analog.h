#pragma once
// Analogue sensors: the signed tenths the range and limit fields take, the checks a typed value
// passes, and the scale bytes 4..7 the unit compares its readings with.
//
// Every value is an exact whole number of tenths: typed text is rounded to tenths on its own digits
// (halves to even), and the scale is computed on those integers, so a value reads back exactly as it
// was typed and a computed half always rounds the same way.

#include <optional>
#include <string_view>
#include <utility>

#include "model/configuration.h"

namespace korvane {

constexpr long kAnalogLimitTenths = 1000000; // range and limits: at most 100000.0 either way
constexpr long kLuxLowTenths = 1;            // a light meter measures 0.1 .. 100000.0 lux
constexpr long kLuxHighTenths = 1000000;

// The option bits of byte 1.
constexpr Byte kAnaOutputBit = 1;
constexpr Byte kAnaInvertedBit = 2;
constexpr Byte kAnaSecondLimitBit = 4;
constexpr Byte kAnaExternLimitBit = 8;

// A typed number in tenths: optional spaces, an optional sign, digits with at most one decimal
// separator ('.' or the given one of the user's locale), optional spaces. Digits beyond the tenths
// round half to even; the sign is decided after rounding, so "-0.04" is 0. Nothing for any other
// text. Numbers far beyond the fields' limits come back as a large value of the right sign.
std::optional<long> ParseTenths(std::string_view text, char localeSeparator = '.');

// Stores tenths in the three sign-magnitude bytes at column..column + 2 (magnitude held to 23 bits).
void StoreTenths(Row& row, long tenths, int column);

// Whether a typed range minimum is taken: within +-100000.0.
bool RangeMinAccepted(long tenths);
// Whether a typed range maximum is taken: within +-100000.0 and above the stored minimum.
bool RangeMaxAccepted(long tenths, long storedMinimum);

// The bounds a limit is checked against: 0.1 .. 100000.0 on a light meter, otherwise the stored range
// in order (a range loaded inverted still bounds its limits).
std::pair<long, long> LimitBounds(const Row& row);
// Whether the limit at the column is an upper value (limit 1 and 2 high).
bool IsHighLimit(int column);
// What a typed limit stores: the value within the bounds, else the bound of the field's own side.
struct LimitEntry {
    long stored = 0;
    bool inRange = false;
};
LimitEntry EnterLimit(const Row& row, int column, long tenths);

// Scale byte of one limit: 255 * (s - lo) / (hi - lo) rounded half to even on the exact quotient,
// held within 0..255. lo and hi must differ.
Byte LinearScaleByte(long s, long lo, long hi);
// Scale byte of one limit of a light meter: 42.67 * log10(10 * value), at most 255. A limit of 0 or
// below is not set: 0 for a lower value, 255 for an upper one.
Byte LogScaleByte(long tenths, bool high);
// Bytes 4..7 of a sensor row from its range and limits (linear or logarithmic by the row's type).
void ComputeScaleBytes(Row& row);

} // namespace korvane
