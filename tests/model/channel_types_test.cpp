#include <gtest/gtest.h>

#include "model/alarms.h"
#include "model/channel_types.h"
#include "model/master.h"
#include "model/roller.h"
#include "tests/model/table_names.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

struct TypeChange : ::testing::Test {
    Configuration cfg;
    EditState st;
    void SetUp() override { ClearConfiguration(cfg, st); }
};

} // namespace

TEST(ChannelNames, numbersBecomeGroupLetterAndDigit) {
    const std::pair<int, const char*> cases[] = {{0, "A1"},   {7, "A8"},    {8, "B1"},    {10, "B3"},
                                                 {127, "P8"}, {128, "---"}, {200, "---"}, {-1, "---"}};
    for (const auto& [n, name] : cases)
        EXPECT_EQ(Num_2_Channel(n), name) << n;
}

TEST(ChannelPictures, followTheTypeAndItsOptionBytes) {
    const std::tuple<int, int, int, int> cases[] = {
        // type, option byte, its value, picture
        {kTypeMono, kBasicOptions, 0, 0},
        {kTypeMono, kBasicOptions, 1, kPictureMonoInverted},
        {kTypeMono, kBasicOptions, 2, 0}, // only the value 1 means inverted
        {kTypeMaster, kMasterRealTime, 0, 7},
        {kTypeMaster, kMasterRealTime, 1, kPictureMasterByClock},
        {kTypeMaster, kMasterRealTime, 2, kPictureMasterByClock}, // any value but 0: switched by the clock
        {kTypeFlipFlop, kBasicOptions, 1, kTypeFlipFlop},
        {kTypeRealTime, kMasterRealTime, 1, kTypeRealTime},
        {kTypeRoller, 1, 0, kTypeRoller},
        {kTypeAnalogTemperature, 1, 0, kTypeAnalogTemperature},
    };
    for (const auto& [type, byte, value, picture] : cases) {
        Configuration cfg;
        cfg.ChanSetup[42][kRowType] = static_cast<Byte>(type);
        cfg.ChanSetup[42][byte] = static_cast<Byte>(value);
        EXPECT_EQ(ChannelPicture(cfg, 42), picture) << "type " << type << " byte " << byte;
    }
    Configuration cfg;
    EXPECT_EQ(ChannelPicture(cfg, -1), -1);
    EXPECT_EQ(ChannelPicture(cfg, kChannels), -1);
}

TEST(ChannelTypeTable, definedCodesAndTheTypesAMasterDrives) {
    for (int t = 0; t < kTypeCodeCount; ++t) {
        EXPECT_EQ(IsDefinedType(t), t <= 37 || (t >= 40 && t <= 43) || (t >= 48 && t <= 51)) << t;
        EXPECT_EQ(MasterCanDrive(t), t <= 6 || t == 25 || t >= 42) << t;
    }
    EXPECT_EQ(FindChannelType(kTypeRoller)->channelsUsed, 2);
    EXPECT_EQ(FindChannelType(kTypeRollerMasterSecond)->channelsUsed, 0);
}

// The rows of tests/data/model_type_defaults.txt.
TEST_F(TypeChange, eachTypeWritesItsDefaults) {
    for (const auto& c : dataTable("model_type_defaults.txt", 3)) {
        SetUp();
        cfg.ChanSetup[4].fill(77); // an old row that must not leak into the new type
        cfg.MasterMatrix[4].fill(77);
        const int newType = std::stoi(c[1]);
        SetChannelType(cfg, 4, newType);
        Row expected{static_cast<Byte>(newType)};
        for (auto [column, value] : columnValues(c[2]))
            expected[column] = static_cast<Byte>(value);
        EXPECT_EQ(cfg.ChanSetup[4], expected) << c[0];
        EXPECT_EQ(cfg.MasterMatrix[4], Row{}) << c[0];
        EXPECT_EQ(cfg.SavedChanType[4], newType);
    }
}

TEST_F(TypeChange, thePopupOffersPairsOnEvenChannelsAndOnlyOneCommonSiren) {
    for (int cur : {0, 1, 10, 11, 126, 127}) {
        const PopupState s = Manage_popup_ChtypeSel(cfg, cur);
        EXPECT_EQ(s.enabled[30], cur % 2 == 0) << cur;
        EXPECT_EQ(s.enabled[31], cur % 2 == 0) << cur;
        EXPECT_TRUE(s.enabled[1] && s.enabled[24]) << cur;
    }
    SetChannelType(cfg, 5, kTypeCommonSiren);
    for (int cur : {0, 4, 5, 6, 127})
        EXPECT_EQ(Manage_popup_ChtypeSel(cfg, cur).enabled[24], cur == 5) << cur;
    // A siren above the channels in use does not count.
    SetUp();
    SetChannelType(cfg, 100, kTypeCommonSiren);
    cfg.SysData[kSysChannelsInUse] = 63;
    EXPECT_TRUE(Manage_popup_ChtypeSel(cfg, 3).enabled[24]);
}

// The counter and the time output never claim the same channel: neither could give it back.
TEST(CounterAndTimeOutput, aChoiceThatTakesTheOthersChannelsIsRefused) {
    const std::tuple<int, int, bool> cases[] = {
        // time output, counter, whether they clash
        {1, 1, true},                 // C-D (16..31) and B1..C8
        {1, 4, true},  {2, 1, false}, // E-F (32..47) and B1..C8
        {2, 2, false},                // B1..D8
        {2, 3, true},                 // B1..E8
        {3, 4, false}, {0, 4, false}, {7, 4, false},
    };
    for (const auto& [timeOutput, counter, clash] : cases) {
        SCOPED_TRACE(::testing::Message() << "time output " << timeOutput << ", counter " << counter);
        Configuration cfg = blankConfiguration();
        SnapshotChannelTypes(cfg);
        ASSERT_TRUE(timeOutput == 0 || ChooseTimeOutput(cfg, timeOutput));
        EXPECT_EQ(CounterClashesWithTimeOutput(cfg, counter), clash);
        Configuration before = cfg;
        EXPECT_EQ(ChooseCounter(cfg, counter), !clash);
        if (clash) {
            EXPECT_EQ(cfg, before) << "a refused counter size changes nothing";
        }

        // The other way round: the counter first.
        cfg = blankConfiguration();
        SnapshotChannelTypes(cfg, kCounterFirst);
        ASSERT_TRUE(ChooseCounter(cfg, counter));
        SnapshotChannelTypes(cfg);
        EXPECT_EQ(TimeOutputClashesWithCounter(cfg, timeOutput), clash);
        before = cfg;
        EXPECT_EQ(ChooseTimeOutput(cfg, timeOutput), !clash && timeOutput != 0);
        if (clash) {
            EXPECT_EQ(cfg, before) << "a refused time output changes nothing";
        }
    }
    // The edges of the ranges, with one claimed channel (as a file may hold it): counter 2 takes B1..D8,
    // time output 2 takes E1..F8.
    for (const auto& [claim, c, clash] : {std::tuple{kTypeTimeOutputClaim, 31, true},
                                          {kTypeTimeOutputClaim, 32, false},
                                          {kTypeTimeOutputClaim, 8, true},
                                          {kTypeTimeOutputClaim, 7, false},
                                          {kTypeCounterClaim, 47, true},
                                          {kTypeCounterClaim, 48, false},
                                          {kTypeCounterClaim, 32, true},
                                          {kTypeCounterClaim, 31, false}}) {
        Configuration cfg = blankConfiguration();
        cfg.ChanSetup[c][kRowType] = static_cast<Byte>(claim);
        EXPECT_EQ(claim == kTypeTimeOutputClaim ? CounterClashesWithTimeOutput(cfg, 2)
                                                : TimeOutputClashesWithCounter(cfg, 2),
                  clash)
            << "a claimed channel at " << c;
    }
}

TEST(MasterClicks, masterCyclesOffOnNotAffectedAndFlashPatternToggles) {
    const std::tuple<int, int, int> cases[] = {
        // state, next in the master matrix, next in a flash pattern
        {kMasterOff, kMasterOn, kMasterNotAffected},
        {kMasterOn, kMasterNotAffected, kMasterNotAffected},
        {kMasterNotAffected, kMasterOff, kMasterOn},
        {kMasterNotDrivable, kMasterNotDrivable, kMasterNotDrivable},
    };
    for (auto [state, master, flash] : cases) {
        EXPECT_EQ(NextMasterState(state, false), master) << state;
        EXPECT_EQ(NextMasterState(state, true), flash) << state;
    }
}

// The rows of tests/data/model_edits.txt.
TEST_F(TypeChange, editsLeaveTheBytesTheirStepsName) {
    const std::map<std::string, GroupAction> groupActions{
        {"on", GroupAction::On}, {"off", GroupAction::Off}, {"x", GroupAction::X}};
    for (const auto& c : dataTable("model_edits.txt", 2)) {
        SetUp();
        for (const std::string& step : splitOn(c[1], ';')) {
            SCOPED_TRACE(c[0] + ": " + step);
            const std::size_t is = step.find(" is "), arrow = step.find(" -> ");
            if (is != std::string::npos) {
                expectPlaces(cfg, step.substr(0, is), step.substr(is + 4));
                continue;
            }
            if (step.find('=') != std::string::npos) {
                applySettings(cfg, step);
                continue;
            }
            std::istringstream words(step.substr(0, arrow));
            std::string edit, first, second, third;
            words >> edit >> first >> second >> third;
            const auto number = [](const std::string& word) { return std::stoi(word); };
            std::string answer; // what the edit gives back
            if (edit == "type") {
                for (int changed : SetChannelType(cfg, channelNamed(first), number(second)))
                    answer += (answer.empty() ? "" : " ") + Num_2_Channel(changed);
                answer = answer.empty() ? "none" : answer;
            } else if (edit == "multiplexer" || edit == "time-output" || edit == "counter") {
                const auto choose = edit == "multiplexer" ? ChooseMultiplexer
                                    : edit == "counter"   ? ChooseCounter
                                                          : ChooseTimeOutput;
                answer = choose(cfg, number(first)) ? "1" : "0";
            } else if (edit == "snapshot") {
                SnapshotChannelTypes(cfg, first == "counter-first" ? kCounterFirst : 0);
            } else if (edit == "function") {
                ChooseAlarmFunction(cfg, channelNamed(first), number(second));
            } else if (edit == "siren-flash") {
                NormaliseSirenFlash(cfg, channelNamed(first));
            } else if (edit == "isa-rule") {
                ApplyIsaModeRule(cfg);
            } else if (edit == "master") {
                PutMaster(cfg, channelNamed(first), channelNamed(second), number(third));
            } else if (edit == "master-state") {
                answer = std::to_string(GetMaster(cfg, channelNamed(second), channelNamed(first)));
            } else if (edit == "roller-cell") {
                PutRmSt(cfg, channelNamed(first), number(second), number(third));
            } else if (edit == "roller-cell-state") {
                answer = std::to_string(GetRmSt(cfg, channelNamed(first), number(second)));
            } else if (edit == "roller-cell-marked") {
                answer = RmCellMarked(cfg, channelNamed(first), number(second)) ? "1" : "0";
            } else if (edit == "exchange") {
                PutExchBit(cfg, channelNamed(first), number(second));
            } else if (edit == "exchange-bit") {
                answer = std::to_string(GetExchBit(cfg, channelNamed(first)));
            } else if (edit == "exchange-group") {
                ExchangeGroup(cfg, number(first), groupActions.at(second));
            } else {
                ADD_FAILURE() << "no edit " << edit;
            }
            if (arrow != std::string::npos) {
                EXPECT_EQ(answer, step.substr(arrow + 4));
            }
        }
    }
}
