#include <gtest/gtest.h>

#include "model/field_rules.h"

using namespace korvane;

namespace {

// Types digits into a decimal field that got the focus with `start` shown.
int typeDecimal(int start, int maximum, const std::vector<int>& digits) {
    bool firstKey = true;
    int v = start;
    for (int d : digits)
        v = Object_NumInDec(v, maximum, d, firstKey);
    return v;
}

int typePacked(int start, int minimum, int maximum, const std::vector<int>& digits) {
    bool firstKey = true;
    int v = start;
    for (int d : digits)
        v = Object_NumIn(v, minimum, maximum, d, firstKey);
    return v;
}

int channelKeys(int start, const std::vector<int>& keys, bool extraGroups = true) {
    int v = start;
    for (int k : keys)
        v = extraGroups ? Object_DisableChannelInput(v, k) : Object_ChannelIn(v, k);
    return v;
}

} // namespace

TEST(DecimalEntry, firstDigitReplacesLaterDigitsAppendTooBigRestarts) {
    const struct {
        int start, maximum;
        std::vector<int> digits;
        int expected;
    } cases[] = {
        {123, 255, {4}, 4},
        {123, 255, {4, 5}, 45},
        {123, 255, {4, 5, 6}, 6}, // 456 > 255: restart with the 6
        {0, 255, {2, 5, 5}, 255},
        {0, 255, {2, 5, 5, 1}, 1},   // 551 > 255
        {0, 999, {1, 2, 3, 4}, 234}, // the last three digits
        {0, 99, {9, 9}, 99},
        {0, 99, {9, 9, 7}, 7},
        {50, 60, {7}, 7},
        {0, 5, {7}, 7}, // a first digit above the maximum still stands: it is the digit
    };
    for (const auto& c : cases)
        EXPECT_EQ(typeDecimal(c.start, c.maximum, c.digits), c.expected);
}

TEST(DecimalEntry, firstKeyIsClearedByTheFirstDigitOnly) {
    bool firstKey = true;
    Object_NumInDec(0, 255, 3, firstKey);
    EXPECT_FALSE(firstKey);
    EXPECT_EQ(DecimalText(4, 3), "004");
    EXPECT_EQ(DecimalText(7, 2), "07");
    EXPECT_EQ(DecimalText(123, 2), "123");
}

TEST(RangeEntry, onlyDigitKeysEnter) {
    bool firstKey = true;
    EXPECT_FALSE(Object_NummaxRangeIn(17, 65, 255, firstKey).has_value());
    EXPECT_TRUE(firstKey);
    EXPECT_EQ(Object_NummaxRangeIn(17, 98, 255, firstKey), 2); // keypad 2
    EXPECT_EQ(Object_NummaxRangeIn(2, 53, 255, firstKey), 25);
    EXPECT_EQ(Object_NummaxRangeIn(25, 57, 200, firstKey), 9); // 259 > 200
}

TEST(PackedEntry, hoursDatesAndMonths) {
    const struct {
        int minimum, maximum;
        std::vector<int> digits;
        int expected;
        const char* text;
    } cases[] = {
        {0, 0x23, {2, 3}, 0x23, "23"}, {0, 0x23, {2, 3, 5}, 0x05, "05"},
        {0, 0x59, {5, 9}, 0x59, "59"}, {1, 0x12, {0}, 0x01, "01"},    // a month cannot be 0
        {1, 0x31, {3, 2}, 0x02, "02"}, {1, 0x31, {0, 7}, 0x17, "17"}, // 01 then 7 shifts to 17
    };
    for (const auto& c : cases) {
        const int v = typePacked(0, c.minimum, c.maximum, c.digits);
        EXPECT_EQ(v, c.expected);
        EXPECT_EQ(PackedText(v), c.text);
    }
}

TEST(ChannelEntry, lettersChooseTheGroupDigitsTheNumber) {
    const int C4 = 2 * 8 + 3;
    const struct {
        int start;
        std::vector<int> keys;
        const char* text;
        int value;
    } cases[] = {
        {C4, {'F'}, "F4", 5 * 8 + 3},
        {C4, {'F', '7'}, "F7", 5 * 8 + 6},
        {C4, {'F', '7', 46}, "-----", 248},
        {C4, {'F', '7', 46, '2'}, "-----", 249},
        {C4, {'F', '7', 46, '2', 'B'}, "B2", 9},
        {C4, {109}, "-----", 248},
        {C4, {189}, "-----", 248},
        {248, {'C'}, "C1", 16},
        {0, {'X', 101}, "X5", 132},
        {0, {'Y'}, "Y1", 136},
        {0, {'Z', '8'}, "Z8", 151},
        {0, {'W', '3'}, "W3", 154},
        {0, {'9'}, "A1", 0}, // 9 is no channel number
        {0, {'Q'}, "A1", 0}, // Q is no group
        {0, {104}, "A8", 7}, // keypad 8
        {127, {}, "P8", 127},
    };
    for (const auto& c : cases) {
        const int v = channelKeys(c.start, c.keys);
        EXPECT_EQ(v, c.value);
        EXPECT_EQ(ChannelRefText(v), c.text);
    }
}

TEST(ChannelEntry, plainChannelFieldsHaveNoExtraGroups) {
    EXPECT_EQ(channelKeys(0, {'X'}, false), 0);
    EXPECT_EQ(channelKeys(0, {'W', 'Y', 'Z'}, false), 0);
    EXPECT_EQ(channelKeys(0, {'P', '8'}, false), 127);
    EXPECT_EQ(channelKeys(5, {46}, false), 248);
}

TEST(ChannelEntry, textsOfEveryReferenceRange) {
    EXPECT_EQ(ChannelRefText(0), "A1");
    EXPECT_EQ(ChannelRefText(127), "P8");
    EXPECT_EQ(ChannelRefText(128), "X1");
    EXPECT_EQ(ChannelRefText(159), "W8");
    EXPECT_EQ(ChannelRefText(160), "-----");
    EXPECT_EQ(ChannelRefText(248), "-----");
    EXPECT_EQ(ChannelRefText(255), "-----");
}

TEST(Durations, secondsSplitIntoHoursMinutesSeconds) {
    Row r{};
    r[1] = 0x8B; // 3723 s at columns 1..3
    r[2] = 0x0E;
    DurationParts d = SekToTimer(r, 0);
    EXPECT_EQ(d.hours, 1);
    EXPECT_EQ(d.minutes, 2);
    EXPECT_EQ(d.seconds, 3);

    r[1] = r[2] = r[3] = 255; // 16777215 s
    d = SekToTimer(r, 0);
    EXPECT_EQ(d.hours, 4660);
    EXPECT_EQ(d.minutes, 20);
    EXPECT_EQ(d.seconds, 15);
    EXPECT_EQ(DecimalText(d.hours, 2), "4660");
}

TEST(SignedTenths, bytesTextsAndRoundTrips) {
    const struct {
        double tenths;
        Byte b0, b1, b2;
        const char* text;
    } cases[] = {
        {-123, 0x80, 0x00, 0x7B, "-12.3"},
        {0, 0, 0, 0, "0.0"},
        {10000, 0x00, 0x27, 0x10, "1000.0"},
        {-125, 0x80, 0x00, 0x7D, "-12.5"},
        {1000000, 0x0F, 0x42, 0x40, "100000.0"},
        {-1000000, 0x8F, 0x42, 0x40, "-100000.0"},
        {12.5, 0, 0, 12, "1.2"}, // halves to even
        {13.5, 0, 0, 14, "1.4"},
        {-0.4, 0, 0, 0, "0.0"},
    };
    for (const auto& c : cases) {
        Row r{};
        ValueToByte3(r, c.tenths, 8);
        EXPECT_EQ(r[8], c.b0) << c.tenths;
        EXPECT_EQ(r[9], c.b1) << c.tenths;
        EXPECT_EQ(r[10], c.b2) << c.tenths;
        EXPECT_EQ(Byte3toStr(r, 8), c.text);
    }
}

TEST(SignedTenths, changedOnlyWhenTheBytesDiffer) {
    Row r{};
    EXPECT_TRUE(ValueToByte3(r, -123, 14));
    EXPECT_FALSE(ValueToByte3(r, -123, 14));
    EXPECT_FALSE(ValueToByte3(r, -122.6, 14)) << "rounds to the same bytes";
    EXPECT_TRUE(ValueToByte3(r, 123, 14));
}

TEST(SignedTenths, magnitudesBeyondThreeBytesAreHeldNotWrapped) {
    Row r{};
    ValueToByte3(r, 1e9, 0);
    EXPECT_EQ(Byte3ToTenths(r, 0), kMaxTenths);
    ValueToByte3(r, -1e9, 0);
    EXPECT_EQ(Byte3ToTenths(r, 0), -kMaxTenths);
}

TEST(Quotes, doubleQuotesBecomeApostrophesInPlace) {
    std::string s = "Door \"main\" \"";
    EXPECT_EQ(StripQuotes(s), "Door 'main' '");
    EXPECT_EQ(s, "Door 'main' '");
    std::string plain = "no quotes";
    EXPECT_EQ(StripQuotes(plain), "no quotes");
}
