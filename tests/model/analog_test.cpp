#include <gtest/gtest.h>

#include <map>

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
TEST(AnalogueNumbers, strictTextToExactTenthsAndWhatIsShownTypesBack) {
    for (const auto& c : dataTable("model_tenths.txt", 3)) {
        const std::optional<long> tenths = c[2] == "-" ? std::nullopt : std::optional<long>(std::stol(c[2]));
        EXPECT_EQ(ParseTenths(c[0], c[1][0]), tenths) << '"' << c[0] << "\" with " << c[1];
    }
    // Far too many digits stay a number far out of range, never a wrapped one.
    const auto huge = ParseTenths("-99999999999999999999999999.9");
    ASSERT_TRUE(huge.has_value());
    EXPECT_LT(*huge, -kAnalogLimitTenths);
    // What a field shows types back to the same value (the bytes of the tenths are tabled with the field rules).
    for (long tenths : {-123L, 0L, 10000L, 1000000L, -1000000L, kMaxTenths}) {
        Row row{};
        StoreTenths(row, tenths, kAnaLimit1Low);
        EXPECT_EQ(ParseTenths(Byte3toStr(row, kAnaLimit1Low)), tenths) << tenths;
    }
    Row zero{};
    StoreTenths(zero, *ParseTenths("-0.04"), kAnaRangeMin);
    EXPECT_EQ(zero[kAnaRangeMin], 0) << "no sign bit for a value that rounds to zero";
}

// The rows of tests/data/model_analog_range.txt.
TEST(AnalogueRange, acceptedWithinLimitsAndTheMaximumAboveTheMinimum) {
    for (const auto& c : dataTable("model_analog_range.txt", 5)) {
        EXPECT_EQ(RangeMinAccepted(std::stol(c[1])), c[3] == "1") << c[0];
        EXPECT_EQ(RangeMaxAccepted(std::stol(c[1]), std::stol(c[2])), c[4] == "1") << c[0];
    }
}

// The rows of tests/data/model_analog_limits.txt.
TEST(AnalogueLimits, checkedAgainstTheOrderedRangeOrTheLightMetersScale) {
    const std::map<std::string, int> sensors{{"general", kTypeAnalogGeneral},
                                             {"wind", kTypeAnalogWind},
                                             {"temperature", kTypeAnalogTemperature},
                                             {"light meter", kTypeAnalogLux}};
    const std::map<std::string, int> limits{
        {"1 low", kAnaLimit1Low}, {"1 high", kAnaLimit1High}, {"2 low", kAnaLimit2Low}, {"2 high", kAnaLimit2High}};
    for (const auto& c : dataTable("model_analog_limits.txt", 8)) {
        const Row row = sensorRow(sensors.at(c[1]), std::stol(c[2]), std::stol(c[3]));
        const LimitEntry e = EnterLimit(row, limits.at(c[4]), std::stol(c[5]));
        EXPECT_EQ(e.stored, std::stol(c[6])) << c[0];
        EXPECT_EQ(e.inRange, c[7] == "1") << c[0];
    }
}

// The rows of tests/data/model_analog_scale.txt.
TEST(AnalogueScale, linearOnExactTenthsOrLogarithmicForTheLightMeter) {
    for (const auto& c : dataTable("model_analog_scale.txt", 5)) {
        const long tenths = std::stol(c[1]);
        const Byte scaled = c[0] == "linear" ? LinearScaleByte(tenths, std::stol(c[2]), std::stol(c[3]))
                                             : LogScaleByte(tenths, c[0] == "light meter high");
        EXPECT_EQ(scaled, std::stoi(c[4])) << c[0] << " " << tenths << " in " << c[2] << ".." << c[3];
    }
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
