#include <gtest/gtest.h>

#include "model/field_rules.h"

using namespace korvane;

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
    for (const auto& c : cases) {
        bool firstKey = true;
        int v = c.start;
        for (int d : c.digits)
            v = Object_NumInDec(v, c.maximum, d, firstKey);
        EXPECT_EQ(v, c.expected) << c.start << " max " << c.maximum << ", " << c.digits.size() << " digits";
    }
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
        bool firstKey = true;
        int v = 0;
        for (int d : c.digits)
            v = Object_NumIn(v, c.minimum, c.maximum, d, firstKey);
        EXPECT_EQ(v, c.expected) << c.text;
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
        bool extraGroups = true; // false: a plain channel field, groups A..P only
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
        {0, {'X'}, "A1", 0, false},
        {0, {'W', 'Y', 'Z'}, "A1", 0, false},
        {0, {'P', '8'}, "P8", 127, false},
        {5, {46}, "-----", 248, false},
    };
    for (const auto& c : cases) {
        int v = c.start;
        for (int k : c.keys)
            v = c.extraGroups ? Object_DisableChannelInput(v, k) : Object_ChannelIn(v, k);
        EXPECT_EQ(v, c.value) << c.text;
        EXPECT_EQ(ChannelRefText(v), c.text);
    }
    // the edges of the reference ranges
    for (const auto& [value, text] : {std::pair{128, "X1"}, {159, "W8"}, {160, "-----"}, {255, "-----"}})
        EXPECT_EQ(ChannelRefText(value), text) << value;
}

TEST(Durations, secondsSplitIntoHoursMinutesSeconds) {
    const struct {
        Byte b1, b2, b3;
        long hours;
        int minutes, seconds;
    } cases[] = {{0x8B, 0x0E, 0, 1, 2, 3}, {255, 255, 255, 4660, 20, 15}}; // 3723 s and 16777215 s
    for (const auto& c : cases) {
        const Row r{0, c.b1, c.b2, c.b3};
        const DurationParts d = SekToTimer(r, 0);
        EXPECT_EQ(d.hours, c.hours);
        EXPECT_EQ(d.minutes, c.minutes) << c.hours;
        EXPECT_EQ(d.seconds, c.seconds) << c.hours;
    }
    // at least the given digits, more where the value needs them
    EXPECT_EQ(DecimalText(4, 3), "004");
    EXPECT_EQ(DecimalText(7, 2), "07");
    EXPECT_EQ(DecimalText(4660, 2), "4660");
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
        {1e9, 0x7F, 0xFF, 0xFF, "838860.7"}, // beyond the three bytes: held, not wrapped
        {-1e9, 0xFF, 0xFF, 0xFF, "-838860.7"},
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

TEST(Quotes, doubleQuotesBecomeApostrophesInPlace) {
    std::string s = "Door \"main\" \"";
    EXPECT_EQ(StripQuotes(s), "Door 'main' '");
    EXPECT_EQ(s, "Door 'main' '");
}
