#include "model/analog.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "model/channel_types.h"
#include "model/field_rules.h"
#include "model/rounding.h"

namespace korvane {

namespace {

constexpr std::array<int, 4> kLimitColumns{kAnaLimit1Low, kAnaLimit1High, kAnaLimit2Low, kAnaLimit2High};
// Whole digits beyond this many are only counted: the value is far outside every field anyway. Ten
// times the cap still fits a 32-bit long (Windows' long).
constexpr long kParseCap = 100000000L;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isSpace(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::optional<long> ParseTenths(std::string_view text, char localeSeparator) {
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long whole = 0;
    int digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++digits)
        whole = std::min(kParseCap, whole * 10 + (text[i] - '0'));
    int tenth = 0;
    int below = 0; // 0: nothing below the tenths, 1: less than a half, 2: exactly a half, 3: more
    if (i < text.size() && (text[i] == '.' || text[i] == localeSeparator)) {
        ++i;
        int place = 0;
        for (; i < text.size() && isDigit(text[i]); ++i, ++digits, ++place) {
            const int d = text[i] - '0';
            if (place == 0)
                tenth = d;
            else if (place == 1)
                below = d == 0 ? 0 : d < 5 ? 1 : d == 5 ? 2 : 3;
            else if (d != 0 && below == 0)
                below = 1;
            else if (d != 0 && below == 2)
                below = 3;
        }
    }
    if (digits == 0 || i != text.size())
        return std::nullopt;
    long tenths = whole * 10 + tenth;
    if (below == 3 || (below == 2 && tenths % 2 != 0))
        ++tenths;
    return negative ? -tenths : tenths; // -0 is 0: no sign without a value
}

void StoreTenths(Row& row, long tenths, int column) {
    const Byte sign = tenths < 0 ? 128 : 0;
    const long magnitude = std::min(tenths < 0 ? -tenths : tenths, kMaxTenths);
    row[column] = static_cast<Byte>(sign | ((magnitude >> 16) & 127));
    row[column + 1] = static_cast<Byte>((magnitude >> 8) & 255);
    row[column + 2] = static_cast<Byte>(magnitude & 255);
}

bool RangeMinAccepted(long tenths) {
    return tenths >= -kAnalogLimitTenths && tenths <= kAnalogLimitTenths;
}

bool RangeMaxAccepted(long tenths, long storedMinimum) {
    return RangeMinAccepted(tenths) && tenths > storedMinimum;
}

std::pair<long, long> LimitBounds(const Row& row) {
    if (row[kRowType] == kTypeAnalogLux)
        return {kLuxLowTenths, kLuxHighTenths};
    const long a = Byte3ToTenths(row, kAnaRangeMin);
    const long b = Byte3ToTenths(row, kAnaRangeMax);
    return {std::min(a, b), std::max(a, b)};
}

bool IsHighLimit(int column) {
    return column == kAnaLimit1High || column == kAnaLimit2High;
}

LimitEntry EnterLimit(const Row& row, int column, long tenths) {
    const auto [lo, hi] = LimitBounds(row);
    if (tenths >= lo && tenths <= hi)
        return {tenths, true};
    return {IsHighLimit(column) ? hi : lo, false};
}

Byte LinearScaleByte(long s, long lo, long hi) {
    std::int64_t num = 255 * (static_cast<std::int64_t>(s) - lo);
    std::int64_t den = static_cast<std::int64_t>(hi) - lo;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    // Floor division, then the remainder decides: above a half up, a half to the even neighbour.
    std::int64_t q = num / den;
    std::int64_t r = num % den;
    if (r < 0) {
        --q;
        r += den;
    }
    if (2 * r > den || (2 * r == den && q % 2 != 0))
        ++q;
    return static_cast<Byte>(std::clamp<std::int64_t>(q, 0, 255));
}

Byte LogScaleByte(long tenths, bool high) {
    if (tenths <= 0)
        return high ? 255 : 0;
    // 42.67 * log10(10 * value): the value in tenths is 10 * value already.
    return ToByteClamped(std::min(255.0, 42.67 * std::log10(static_cast<double>(tenths))));
}

void ComputeScaleBytes(Row& row) {
    const bool lux = row[kRowType] == kTypeAnalogLux;
    const long lo = Byte3ToTenths(row, kAnaRangeMin);
    const long hi = Byte3ToTenths(row, kAnaRangeMax);
    for (int k = 0; k < 4; ++k) {
        const bool high = k % 2 != 0;
        const long s = Byte3ToTenths(row, kLimitColumns[static_cast<std::size_t>(k)]);
        Byte& out = row[static_cast<std::size_t>(4 + k)];
        if (lux)
            out = LogScaleByte(s, high);
        else if (hi == lo)
            out = high ? 255 : 0;
        else
            out = LinearScaleByte(s, lo, hi);
    }
}

} // namespace korvane
