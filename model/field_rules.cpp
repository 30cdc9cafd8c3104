#include "model/field_rules.h"

#include <cstdio>
#include <cstdlib>

#include "model/rounding.h"

namespace korvane {

int DigitOfKey(int keyCode) {
    if (keyCode >= vk::k0 && keyCode <= vk::k9)
        return keyCode - vk::k0;
    if (keyCode >= vk::kPad0 && keyCode <= vk::kPad9)
        return keyCode - vk::kPad0;
    return -1;
}

int Object_NumIn(int old, int minimum, int maximum, int digit, bool& firstKey) {
    int value;
    if (firstKey) {
        value = digit;
        firstKey = false;
    } else {
        value = (old * 16 + digit) % 256;
    }
    if (value < minimum)
        value = minimum;
    if (value > maximum)
        value = digit;
    return value;
}

int Object_NumInDec(int old, int maximum, int digit, bool& firstKey) {
    int value;
    if (firstKey) {
        value = digit;
        firstKey = false;
    } else {
        value = (old * 10 + digit) % 1000;
    }
    if (value > maximum)
        value = digit;
    return value;
}

int FourDigitEntry(int old, int maximum, int digit, bool& firstKey) {
    int value;
    if (firstKey) {
        value = digit;
        firstKey = false;
    } else {
        value = (old % 1000) * 10 + digit;
    }
    if (value > maximum)
        value = digit;
    return value;
}

std::optional<int> Object_NummaxRangeIn(int stored, int keyCode, int maximum, bool& firstKey) {
    const int digit = DigitOfKey(keyCode);
    if (digit < 0)
        return std::nullopt;
    return Object_NumInDec(stored, maximum, digit, firstKey);
}

namespace {

int channelKey(int b, int keyCode, bool extraGroups) {
    const int n = b & 7;
    const int g = b & 248;
    if (keyCode == vk::kPadSubtract || keyCode == vk::kMinus || keyCode == vk::kDelete)
        return kNoChannel;
    if (keyCode >= vk::kA && keyCode <= vk::kP)
        return (keyCode - vk::kA) * 8 + n;
    if (extraGroups) {
        switch (keyCode) {
        case vk::kX:
            return 128 + n;
        case vk::kY:
            return 136 + n;
        case vk::kZ:
            return 144 + n;
        case vk::kW:
            return 152 + n;
        default:
            break;
        }
    }
    if (keyCode >= vk::k1 && keyCode <= vk::k8)
        return g + (keyCode - vk::k1);
    if (keyCode >= vk::kPad1 && keyCode <= vk::kPad8)
        return g + (keyCode - vk::kPad1);
    return b;
}

} // namespace

int Object_DisableChannelInput(int stored, int keyCode) {
    return channelKey(stored, keyCode, true);
}

int Object_ChannelIn(int stored, int keyCode) {
    return channelKey(stored, keyCode, false);
}

std::string ChannelRefText(int value) {
    if (value < 0 || value >= 160)
        return "-----";
    std::string s;
    if (value < 128)
        s += static_cast<char>('A' + value / 8);
    else
        s += "XYZW"[(value - 128) / 8];
    s += static_cast<char>('1' + (value & 7));
    return s;
}

std::string DecimalText(long value, int digits) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*ld", digits, value);
    return buf;
}

std::string PackedText(int value) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X", value & 0xFF);
    return buf;
}

DurationParts SekToTimer(const Row& row, int c) {
    const long s = row[c + 1] + 256L * row[c + 2] + 65536L * row[c + 3];
    DurationParts d;
    d.hours = s / 3600;
    const long rest = s - 3600 * d.hours;
    d.minutes = static_cast<int>(rest / 60);
    d.seconds = static_cast<int>(rest - 60L * d.minutes);
    return d;
}

long Byte3ToTenths(const Row& row, int column) {
    const long magnitude = (row[column] & 127L) * 65536L + row[column + 1] * 256L + row[column + 2];
    return (row[column] & 128) ? -magnitude : magnitude;
}

std::string Byte3toStr(const Row& row, int column) {
    return TenthsText(Byte3ToTenths(row, column));
}

std::string TenthsText(long tenths) {
    const long magnitude = std::labs(tenths);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%ld.%ld", tenths < 0 ? "-" : "", magnitude / 10, magnitude % 10);
    return buf;
}

bool ValueToByte3(Row& row, double tenths, int column) {
    std::int64_t v = RoundHalfEven(tenths);
    Byte sign = 0;
    if (v < 0) {
        sign = 128;
        v = -v;
    }
    if (v > kMaxTenths)
        v = kMaxTenths;
    const auto low = static_cast<Byte>(v & 255);
    const auto mid = static_cast<Byte>((v >> 8) & 255);
    const auto high = static_cast<Byte>(sign | ((v >> 16) & 127));
    const bool changed = row[column] != high || row[column + 1] != mid || row[column + 2] != low;
    row[column] = high;
    row[column + 1] = mid;
    row[column + 2] = low;
    return changed;
}

std::string StripQuotes(std::string& text) {
    for (char& ch : text)
        if (ch == '"')
            ch = '\'';
    return text;
}

} // namespace korvane
