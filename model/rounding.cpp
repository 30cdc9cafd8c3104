#include "model/rounding.h"

#include <cmath>
#include <limits>

namespace korvane {

std::int64_t RoundHalfEven(double v) {
    if (std::isnan(v))
        return 0;
    constexpr double kMax = 9.0e18;
    if (v >= kMax)
        return std::numeric_limits<std::int64_t>::max();
    if (v <= -kMax)
        return std::numeric_limits<std::int64_t>::min();
    const double fl = std::floor(v);
    const double diff = v - fl;
    double r;
    if (diff < 0.5)
        r = fl;
    else if (diff > 0.5)
        r = fl + 1.0;
    else
        r = (std::fmod(fl, 2.0) == 0.0) ? fl : fl + 1.0;
    return static_cast<std::int64_t>(r);
}

std::uint8_t ToByteClamped(double v) {
    const std::int64_t r = RoundHalfEven(v);
    if (r < 0)
        return 0;
    if (r > 255)
        return 255;
    return static_cast<std::uint8_t>(r);
}

} // namespace korvane
