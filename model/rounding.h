#pragma once
// Number conversions of the unit's bytes: a computed number becomes a whole number by rounding to
// the nearest, halves to even.

#include <cstdint>

namespace korvane {

// Nearest whole number, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
std::int64_t RoundHalfEven(double v);

// A computed number as a byte: rounded half to even, then held within 0..255.
std::uint8_t ToByteClamped(double v);

} // namespace korvane
