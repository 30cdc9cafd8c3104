#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "model/alarms.h"
#include "model/facts_alarm.h"
#include "model/field_rules.h"
#include "tests/model/table_names.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

struct Alarms : ::testing::Test {
    Configuration cfg;
    EditState st;
    void SetUp() override { ClearConfiguration(cfg, st); }
    Row& row(int c) { return cfg.ChanSetup[static_cast<std::size_t>(c)]; }
};

constexpr int kA1 = 0, kA3 = 2, kA6 = 5, kD5 = 28, kP8 = 127;

} // namespace

// The rows of tests/data/model_alarm_offers.txt; the spare row beyond P8 is never counted.
TEST_F(Alarms, singleUseFunctionsAreOfferedOncePerInstallationWithinTheFamilysScanRange) {
    const std::map<std::string, const AlarmFamily*> families{
        {"intruder", &kIntruderAlarm}, {"smoke", &kSmokeAlarm}, {"water", &kWaterAlarm}, {"ISA", &kIsaAlarm}};
    for (const auto& c : dataTable("model_alarm_offers.txt", 7)) {
        SCOPED_TRACE(c[0]);
        SetUp();
        cfg.SysData[kSysChannelsInUse] = static_cast<Byte>(std::stoi(c[3]));
        std::istringstream types(c[2]);
        for (std::string typed; types >> typed;)
            row(channelNamed(typed.substr(0, 2)))[kRowType] = static_cast<Byte>(std::stoi(typed.substr(3)));
        const int code = std::stoi(c[5]);
        cfg.ChanSetup[kChanSetupRows - 1][kRowType] = static_cast<Byte>(code);
        EXPECT_EQ(FunctionOffered(cfg, *families.at(c[1]), channelNamed(c[4]), code), c[6] == "1");
    }
}

// Byte 1 of an intruder channel is a detector's disable channel or the siren's flash option: a
// change of function gives it the meaning of the new one. Byte 2 and the master row stay.
TEST_F(Alarms, functionChangeGivesByteOneTheNewFunctionsMeaning) {
    const std::tuple<int, int, int, int> cases[] = {
        // function before, byte 1, function chosen, byte 1 afterwards
        {kTypeIntruderSiren, 1, kTypeIntruderPassive, kNoChannel}, // flash on is not "disabled by A2"
        {kTypeIntruderSiren, 0, kTypeIntruderActive, kNoChannel},  // nor flash off "disabled by A1"
        {kTypeIntruderCallOut, 3, kTypeIntruderPassive, kNoChannel},
        {kTypeIntruderPassive, 1, kTypeIntruderSiren, 0}, // disabled by A2 is no flash flag
        {kTypeIntruderActive, kNoChannel, kTypeIntruderSiren, 0},
        {kTypeIntruderPassive, 20, kTypeIntruderActive, 20},                  // the same meaning
        {kTypeIntruderSiren, 1, kTypeIntruderCallOut, 1},                     // unused there: kept
        {kTypeIntruderManualArm, kNoChannel, kTypeIntruderSiren, kNoChannel}, // the page repairs it
        {kTypeSmokePassive, 20, kTypeSmokeSiren, 20},
        {kTypeSmokeSiren, 20, kTypeSmokeActive, 20},
        {kTypeIsaSiren, 9, kTypeIsaPassive, 9},
    };
    constexpr int c = kA6;
    for (const auto& [from, byte1, to, expected] : cases) {
        SCOPED_TRACE(::testing::Message() << from << " -> " << to);
        SetUp();
        row(c)[kRowType] = static_cast<Byte>(from);
        row(c)[1] = static_cast<Byte>(byte1);
        row(c)[2] = 44;
        cfg.MasterMatrix[c][3] = 0x81;
        ChooseAlarmFunction(cfg, c, to);
        EXPECT_EQ(row(c)[kRowType], to);
        EXPECT_EQ(cfg.SavedChanType[c], to);
        EXPECT_EQ(row(c)[1], expected);
        EXPECT_EQ(row(c)[2], 44);
        EXPECT_EQ(cfg.MasterMatrix[c][3], 0x81);
    }
}

TEST_F(Alarms, openingASirenKeepsOnlyAFlashOptionOfZeroOrOne) {
    const std::tuple<int, int, int> cases[] = {
        {kTypeIntruderSiren, 0, 0},   {kTypeIntruderSiren, 1, 1},   {kTypeIntruderSiren, 5, 0},
        {kTypeIntruderSiren, 248, 0}, {kTypeIntruderPassive, 5, 5}, {kTypeSmokeSiren, 5, 5},
    };
    for (auto [type, byte1, expected] : cases) {
        row(kA3)[kRowType] = static_cast<Byte>(type);
        row(kA3)[1] = static_cast<Byte>(byte1);
        NormaliseSirenFlash(cfg, kA3);
        EXPECT_EQ(row(kA3)[1], expected) << type << " " << byte1;
    }
}

TEST_F(Alarms, anIsaResetInputAnywhereMakesTheAlarmResetByHand) {
    // the channel of the reset input (-1: none), the ISA mode before and afterwards
    const std::tuple<int, int, int> cases[] = {{kA1, 1, 0}, {kP8, 1, 0}, {-1, 1, 1}, {-1, 7, 7}, {kD5, 0, 0}};
    for (const auto& [reset, mode, expected] : cases) {
        SetUp();
        if (reset >= 0)
            row(reset)[kRowType] = kTypeIsaReset;
        cfg.SysData[kSysIsaMode] = static_cast<Byte>(mode);
        ApplyIsaModeRule(cfg);
        EXPECT_EQ(cfg.SysData[kSysIsaMode], expected) << reset << " " << mode;
    }
    // Choosing the reset input applies the rule at once.
    cfg.SysData[kSysIsaMode] = 1;
    row(kD5)[kRowType] = kTypeIsaPassive;
    ChooseAlarmFunction(cfg, kD5, kTypeIsaReset);
    EXPECT_EQ(cfg.SysData[kSysIsaMode], 0);
}

// The four common siren boxes are bits of one byte whose upper four bits belong to no box.
TEST_F(Alarms, commonSirenBoxesChangeOnlyTheirOwnBit) {
    // the box, ticked or not, the byte before and afterwards
    const std::tuple<const ValueFact*, int, Byte, Byte> cases[] = {
        {&facts::kCommonSirenIntruder, 1, 0x00, 0x02}, {&facts::kCommonSirenSmoke, 1, 0x08, 0x0C},
        {&facts::kCommonSirenWater, 1, 0xF0, 0xF1},    {&facts::kCommonSirenIsa, 0, 0xFF, 0xF7},
        {&facts::kCommonSirenSmoke, 0, 0xA4, 0xA0},    {&facts::kCommonSirenWater, 0, 0xA4, 0xA4},
    };
    for (const auto& [box, tick, before, after] : cases) {
        cfg.SysData[kSysCommonSiren] = before;
        EXPECT_EQ(ReadValue(*box, cfg, 0), (before & box->mask) != 0 ? 1 : 0) << box->name;
        StoreValue(*box, cfg, 0, tick);
        EXPECT_EQ(cfg.SysData[kSysCommonSiren], after) << box->name;
    }
}
