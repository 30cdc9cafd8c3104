#pragma once
// Number conversions of the unit's bytes: a computed number becomes a whole number by rounding to
// the nearest, halves to even; an integer division first rounds both operands that way.

#include <cstdint>

namespace korvane {

// Nearest whole number, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
std::int64_t RoundHalfEven(double v);

// Integer division of two computed numbers: both rounded half to even, then the quotient truncated
// toward zero. A divisor that rounds to 0 gives 0 rather than a fault.
std::int64_t IntDivRounded(double a, double b);

// A computed number as a byte: rounded half to even, then held within 0..255.
std::uint8_t ToByteClamped(double v);

} // namespace korvane
