#include <gtest/gtest.h>

#include "model/analog.h"
#include "model/channel_types.h"
#include "model/field_rules.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

Row sensorRow(int type, long lo, long hi) {
    Row row{};
    row[kRowType] = static_cast<Byte>(type);
    StoreTenths(row, lo, kAnaRangeMin);
    StoreTenths(row, hi, kAnaRangeMax);
    return row;
}

} // namespace

// The rows of tests/data/model_tenths.txt.
TEST(AnalogueNumbers, strictTextToExactTenths) {
    for (const auto& c : dataTable("model_tenths.txt", 3)) {
        const std::optional<long> tenths = c[2] == "-" ? std::nullopt : std::optional<long>(std::stol(c[2]));
        EXPECT_EQ(ParseTenths(c[0], c[1][0]), tenths) << '"' << c[0] << "\" with " << c[1];
    }
    // Far too many digits stay a number far out of range, never a wrapped one.
    const auto huge = ParseTenths("-99999999999999999999999999.9");
    ASSERT_TRUE(huge.has_value());
    EXPECT_LT(*huge, -kAnalogLimitTenths);
}

// The bytes of the tenths are tabled with the field rules; here what a field shows types back to the same value.
TEST(AnalogueNumbers, whatIsShownTypesBackToTheStoredValue) {
    for (long tenths : {-123L, 0L, 10000L, 1000000L, -1000000L, kMaxTenths}) {
        Row row{};
        StoreTenths(row, tenths, kAnaLimit1Low);
        EXPECT_EQ(ParseTenths(Byte3toStr(row, kAnaLimit1Low)), tenths) << tenths;
    }
    Row row{};
    StoreTenths(row, *ParseTenths("-0.04"), kAnaRangeMin);
    EXPECT_EQ(row[kAnaRangeMin], 0) << "no sign bit for a value that rounds to zero";
}

TEST(AnalogueRange, acceptedWithinLimitsAndTheMaximumAboveTheMinimum) {
    const struct {
        const char* what;
        long value, storedMin;
        bool minAccepted, maxAccepted;
    } cases[] = {
        {"900000 does not fit the fields", 9000000, 0, false, false},
        {"the largest value", 1000000, 0, true, true},
        {"just above it", 1000001, 0, false, false},
        {"the smallest value", -1000000, -1000001, true, true},
        {"a maximum equal to the minimum", 300, 300, true, false},
        {"-20 above a minimum of -30", -200, -300, true, true},
        {"a maximum below the minimum, however large its size", -600, 500, true, false},
        {"a maximum of 20 above a minimum of -30", 200, -300, true, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RangeMinAccepted(c.value), c.minAccepted) << c.what;
        EXPECT_EQ(RangeMaxAccepted(c.value, c.storedMin), c.maxAccepted) << c.what;
    }
}

TEST(AnalogueLimits, checkedAgainstTheOrderedRangeOrTheLightMetersScale) {
    const struct {
        const char* what;
        int type;
        long lo, hi;
        int column;
        long typed, stored;
        bool inRange;
    } cases[] = {
        {"within the range", kTypeAnalogGeneral, 0, 1000, kAnaLimit1Low, 500, 500, true},
        {"on the bounds", kTypeAnalogGeneral, 0, 1000, kAnaLimit1High, 1000, 1000, true},
        {"below: a low limit takes the low bound", kTypeAnalogGeneral, 0, 1000, kAnaLimit2Low, -5, 0, false},
        {"above: a high limit takes the high bound", kTypeAnalogWind, 0, 1000, kAnaLimit2High, 1001, 1000, false},
        {"below: a high limit takes the high bound", kTypeAnalogWind, 0, 1000, kAnaLimit1High, -1, 1000, false},
        {"an inverted range from a file still bounds", kTypeAnalogTemperature, 1000, -300, kAnaLimit1Low, 200, 200,
         true},
        {"an inverted range, above", kTypeAnalogTemperature, 1000, -300, kAnaLimit1High, 1200, 1000, false},
        {"light meter: 0.05 becomes 0.1", kTypeAnalogLux, 0, 0, kAnaLimit1Low, 0, 1, false},
        {"light meter: 200000 becomes 100000.0", kTypeAnalogLux, 0, 0, kAnaLimit1High, 2000000, 1000000, false},
        {"light meter: its own range, not the stored one", kTypeAnalogLux, 0, 10, kAnaLimit2High, 5000, 5000, true},
    };
    for (const auto& c : cases) {
        const Row row = sensorRow(c.type, c.lo, c.hi);
        const LimitEntry e = EnterLimit(row, c.column, c.typed);
        EXPECT_EQ(e.stored, c.stored) << c.what;
        EXPECT_EQ(e.inRange, c.inRange) << c.what;
    }
}

TEST(AnalogueScale, linearOnExactTenthsWithHalvesToEven) {
    const struct {
        long s, lo, hi;
        Byte expected;
    } cases[] = {
        {500, 0, 1000, 128}, // 127.5
        {3, 0, 10, 76},      // 76.5
        {1, 0, 10, 26},      // 25.5
        {0, 0, 1000, 0},
        {1000, 0, 1000, 255},
        {-5, 0, 1000, 0},     // below the range
        {1200, 0, 1000, 255}, // above it
        {-150, -300, 0, 128}, // negative range, 127.5
        {1000, 1000, 0, 0},
        {0, 1000, 0, 255},                          // inverted range
        {kMaxTenths, -kMaxTenths, kMaxTenths, 255}, // the widest bytes: no overflow
        {-kMaxTenths, -kMaxTenths, kMaxTenths, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinearScaleByte(c.s, c.lo, c.hi), c.expected) << c.s << " in " << c.lo << ".." << c.hi;
}

TEST(AnalogueScale, logarithmicForTheLightMeterWithUnsetLimits) {
    const struct {
        long tenths;
        bool high;
        Byte expected;
    } cases[] = {
        {10, false, 43},  {1, false, 0},    {1000000, true, 255}, // 256.02 is held at 255
        {0, false, 0},    {0, true, 255},                         // a limit of 0 is not set
        {-50, false, 0},  {-50, true, 255},                       // nor is one below 0 (kept from another sensor kind)
        {100, false, 85},                                         // 85.34
    };
    for (const auto& c : cases)
        EXPECT_EQ(LogScaleByte(c.tenths, c.high), c.expected) << c.tenths << (c.high ? " high" : " low");
}

TEST(AnalogueScale, scaleBytesOfARow) {
    Row row = sensorRow(kTypeAnalogGeneral, 0, 1000);
    StoreTenths(row, 500, kAnaLimit1Low);
    StoreTenths(row, 1000, kAnaLimit1High);
    StoreTenths(row, -100, kAnaLimit2Low);
    StoreTenths(row, 250, kAnaLimit2High);
    ComputeScaleBytes(row);
    EXPECT_EQ((std::array<int, 4>{row[4], row[5], row[6], row[7]}), (std::array<int, 4>{128, 255, 0, 64}));

    Row flat = sensorRow(kTypeAnalogWind, 200, 200);
    ComputeScaleBytes(flat);
    EXPECT_EQ((std::array<int, 4>{flat[4], flat[5], flat[6], flat[7]}), (std::array<int, 4>{0, 255, 0, 255}));

    row[kRowType] = kTypeAnalogLux; // switched to a light meter, the negative limit kept
    ComputeScaleBytes(row);
    EXPECT_EQ((std::array<int, 4>{row[4], row[5], row[6], row[7]}), (std::array<int, 4>{115, 128, 0, 102}));
}
