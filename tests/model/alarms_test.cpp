#include <gtest/gtest.h>

#include <vector>

#include "model/alarms.h"
#include "model/facts_alarm.h"
#include "model/field_rules.h"

using namespace korvane;

namespace {

struct Alarms : ::testing::Test {
    Configuration cfg;
    EditState st;
    void SetUp() override { ClearConfiguration(cfg, st); }
    Row& row(int c) { return cfg.ChanSetup[static_cast<std::size_t>(c)]; }
};

constexpr int kA1 = 0, kA3 = 2, kA6 = 5, kB1 = 8, kC2 = 17, kD5 = 28, kM5 = 100, kP8 = 127;

} // namespace

// Which functions a channel is offered: single-use functions only where no other counted channel
// carries one of their group; a channel's own function always.
TEST_F(Alarms, singleUseFunctionsAreOfferedOncePerInstallationWithinTheFamilysScanRange) {
    struct Case {
        const char* what;
        const AlarmFamily* family;
        std::vector<std::pair<int, int>> types; // channel, function
        int inUse;                              // SysData byte 11
        int cur;
        int code;
        bool offered;
    };
    const Case cases[] = {
        {"siren elsewhere", &kIntruderAlarm, {{kA3, 12}}, 127, kB1, 12, false},
        {"own siren", &kIntruderAlarm, {{kA3, 12}}, 127, kA3, 12, true},
        {"door switch blocks code lock", &kIntruderAlarm, {{kA6, 11}}, 127, kB1, 27, false},
        {"door switch blocks door switch", &kIntruderAlarm, {{kA6, 11}}, 127, kB1, 11, false},
        {"door switch may become code lock", &kIntruderAlarm, {{kA6, 11}}, 127, kA6, 27, true},
        {"siren above the channels in use", &kIntruderAlarm, {{kM5, 12}}, 15, kB1, 12, true},
        {"in use from a file: 255 counts P8", &kIntruderAlarm, {{kP8, 12}}, 255, kB1, 12, false},
        {"detectors are never refused", &kIntruderAlarm, {{kA3, 8}, {kA6, 9}}, 127, kB1, 8, true},
        {"two sirens from a file: the lower keeps its own",
         &kIntruderAlarm,
         {{kA3, 12}, {kA6, 12}},
         127,
         kA3,
         12,
         true},
        {"two sirens from a file: the higher keeps its own",
         &kIntruderAlarm,
         {{kA3, 12}, {kA6, 12}},
         127,
         kA6,
         12,
         true},
        {"two sirens from a file: nobody else", &kIntruderAlarm, {{kA3, 12}, {kA6, 12}}, 127, kB1, 12, false},
        {"smoke siren on C2", &kSmokeAlarm, {{kC2, 22}}, 127, kA1, 22, false},
        {"smoke siren on C2 itself", &kSmokeAlarm, {{kC2, 22}}, 127, kC2, 22, true},
        {"smoke counts every channel", &kSmokeAlarm, {{kM5, 22}}, 15, kA1, 22, false},
        {"smoke siren on A1", &kSmokeAlarm, {{kA1, 22}}, 127, kB1, 22, false},
        {"smoke reset leaves the siren free", &kSmokeAlarm, {{kC2, 21}}, 127, kA1, 22, true},
        {"water counts the channels in use", &kWaterAlarm, {{kM5, 17}}, 15, kA1, 17, true},
        {"water siren in use", &kWaterAlarm, {{kC2, 17}}, 127, kA1, 17, false},
        {"a smoke siren is no water siren", &kWaterAlarm, {{kC2, 22}}, 127, kA1, 17, true},
        {"ISA siren on D5", &kIsaAlarm, {{kD5, 37}}, 127, kA1, 37, false},
        {"ISA siren on D5 itself", &kIsaAlarm, {{kD5, 37}}, 127, kD5, 37, true},
        {"ISA counts every channel", &kIsaAlarm, {{kM5, 35}}, 15, kA1, 35, false},
        {"ISA detectors", &kIsaAlarm, {{kD5, 33}}, 127, kA1, 33, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        cfg.SysData[kSysChannelsInUse] = static_cast<Byte>(c.inUse);
        for (auto [channel, type] : c.types)
            row(channel)[kRowType] = static_cast<Byte>(type);
        // The spare row beyond P8 is never counted.
        cfg.ChanSetup[kChanSetupRows - 1][kRowType] = static_cast<Byte>(c.code);
        EXPECT_EQ(FunctionOffered(cfg, *c.family, c.cur, c.code), c.offered);
    }
}

// Byte 1 of an intruder channel is a detector's disable channel or the siren's flash option: a
// change of function gives it the meaning of the new one. Byte 2 and the master row stay.
TEST_F(Alarms, functionChangeGivesByteOneTheNewFunctionsMeaning) {
    struct Case {
        int from, byte1, to, expected;
    };
    const Case cases[] = {
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
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.from << " -> " << k.to);
        SetUp();
        row(c)[kRowType] = static_cast<Byte>(k.from);
        row(c)[1] = static_cast<Byte>(k.byte1);
        row(c)[2] = 44;
        cfg.MasterMatrix[c][3] = 0x81;
        ChooseAlarmFunction(cfg, c, k.to);
        EXPECT_EQ(row(c)[kRowType], k.to);
        EXPECT_EQ(cfg.SavedChanType[c], k.to);
        EXPECT_EQ(row(c)[1], k.expected);
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
    struct Case {
        int resetChannel; // -1: none
        int mode, expected;
    };
    const Case cases[] = {{kA1, 1, 0}, {kP8, 1, 0}, {-1, 1, 1}, {-1, 7, 7}, {kD5, 0, 0}};
    for (const Case& k : cases) {
        SetUp();
        if (k.resetChannel >= 0)
            row(k.resetChannel)[kRowType] = kTypeIsaReset;
        cfg.SysData[kSysIsaMode] = static_cast<Byte>(k.mode);
        ApplyIsaModeRule(cfg);
        EXPECT_EQ(cfg.SysData[kSysIsaMode], k.expected) << k.resetChannel << " " << k.mode;
    }
    // Choosing the reset input applies the rule at once.
    cfg.SysData[kSysIsaMode] = 1;
    row(kD5)[kRowType] = kTypeIsaPassive;
    ChooseAlarmFunction(cfg, kD5, kTypeIsaReset);
    EXPECT_EQ(cfg.SysData[kSysIsaMode], 0);
}

// The four common siren boxes are bits of one byte whose upper four bits belong to no box.
TEST_F(Alarms, commonSirenBoxesChangeOnlyTheirOwnBit) {
    struct Case {
        const ValueFact* box;
        int tick;
        Byte before, after;
    };
    const Case cases[] = {
        {&facts::kCommonSirenIntruder, 1, 0x00, 0x02}, {&facts::kCommonSirenSmoke, 1, 0x08, 0x0C},
        {&facts::kCommonSirenWater, 1, 0xF0, 0xF1},    {&facts::kCommonSirenIsa, 0, 0xFF, 0xF7},
        {&facts::kCommonSirenSmoke, 0, 0xA4, 0xA0},    {&facts::kCommonSirenWater, 0, 0xA4, 0xA4},
    };
    for (const Case& c : cases) {
        cfg.SysData[kSysCommonSiren] = c.before;
        EXPECT_EQ(ReadValue(*c.box, cfg, 0), (c.before & c.box->mask) != 0 ? 1 : 0) << c.box->name;
        StoreValue(*c.box, cfg, 0, c.tick);
        EXPECT_EQ(cfg.SysData[kSysCommonSiren], c.after) << c.box->name;
    }
}

// The ISA siren time: decimal entry up to 60, minus or Delete for a siren that sounds until the
// alarm is acknowledged, a digit after it starts a new time.
TEST(ContinuousSirenTime, minusOrDeleteStoreContinuousAndADigitStartsAgain) {
    struct Case {
        int stored;
        int key;
        bool firstKey;
        std::optional<int> result;
    };
    const Case cases[] = {
        {12, vk::kMinus, false, kContinuous},
        {12, vk::kPadSubtract, true, kContinuous},
        {12, vk::kDelete, false, kContinuous},
        {kContinuous, vk::k1 + 3, false, 4},
        {kContinuous, vk::kPad0 + 6, true, 6},
        {6, vk::k0, false, 60},
        {60, vk::k1, false, 1},
        {12, vk::kA, false, std::nullopt},
    };
    for (const Case& c : cases) {
        bool first = c.firstKey;
        EXPECT_EQ(EnterKey(facts::kIsaSirenTime, c.stored, c.key, first), c.result) << c.stored << " " << c.key;
    }
    EXPECT_EQ(FormatValue(facts::kIsaSirenTime, kContinuous), "\xBB\xBB\xBB");
    EXPECT_EQ(FormatValue(facts::kIsaSirenTime, 5), "05");
    EXPECT_EQ(RangeHint(facts::kIsaSirenTime), "0..60 (-)");
    // The differences name the byte and show it as the page does.
    EXPECT_EQ(SystemFact(kSysIsaSirenTime), &facts::kIsaSirenTime);
    EXPECT_EQ(SystemFact(kSysSmokeResetTime), &facts::kSmokeResetTime);
    // The other siren times know no continuous siren.
    bool first = false;
    EXPECT_EQ(EnterKey(facts::kSmokeSirenTime, 12, vk::kMinus, first), std::nullopt);
}
