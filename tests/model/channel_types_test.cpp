#include <gtest/gtest.h>

#include "model/channel_types.h"
#include "tests/model/table_names.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

struct TypeChange : ::testing::Test {
    Configuration cfg;
    EditState st;
    void SetUp() override { ClearConfiguration(cfg, st); }
    int type(int c) const { return cfg.ChanSetup[c][kRowType]; }
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

TEST_F(TypeChange, aPairClaimsTheNextChannelDiscardingWhatItHeldAndReleasesItAgain) {
    SetChannelType(cfg, 11, kTypeTimerDelay);
    cfg.ChanSetup[11][1] = 30;
    cfg.ChanFlags[10] = 128;
    cfg.ChanFlags[11] = 64;
    EXPECT_EQ(SetChannelType(cfg, 10, kTypeRoller), (std::vector<int>{10, 11}));
    EXPECT_EQ(type(11), kTypeRollerSecond);
    EXPECT_EQ(cfg.ChanSetup[11], (Row{kTypeRollerSecond}));
    EXPECT_EQ(cfg.SavedChanType[11], kTypeRollerSecond);
    EXPECT_TRUE(SetChannelType(cfg, 11, kTypeIntruderPassive).empty()) << "the second channel never changes alone";
    EXPECT_EQ(type(11), kTypeRollerSecond);
    EXPECT_EQ(cfg.ChanFlags[10], 0);
    EXPECT_EQ(cfg.ChanFlags[11], 0);
    // Leaving a pair type releases the second channel.
    for (int pairType : {kTypeRoller, kTypeRollerMaster}) {
        SetUp();
        SetChannelType(cfg, 10, pairType);
        cfg.MasterMatrix[11].fill(5);
        EXPECT_EQ(SetChannelType(cfg, 10, kTypeMono), (std::vector<int>{10, 11}));
        EXPECT_EQ(type(10), kTypeMono);
        EXPECT_EQ(cfg.ChanSetup[11], UnusedRow());
        EXPECT_EQ(cfg.MasterMatrix[11], Row{});
        EXPECT_EQ(cfg.SavedChanType[11], kTypeBlank);
    }
    // A pair cannot run past the last channel.
    EXPECT_TRUE(SetChannelType(cfg, 127, kTypeRoller).empty());
    EXPECT_EQ(type(127), kTypeBlank);
    EXPECT_EQ(cfg.ChanSetup[128], Row{}); // the spare row is never touched
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

TEST_F(TypeChange, multiplexerClaimsA1ToA4AndGivesThemBack) {
    SetChannelType(cfg, 0, kTypeMono);
    SetChannelType(cfg, 2, kTypeFlipFlop);
    cfg.ChanSetup[2][1] = 1;
    SnapshotChannelTypes(cfg);
    EXPECT_TRUE(ChooseMultiplexer(cfg, 2)); // "3"
    EXPECT_EQ(cfg.SysData[kSysMuxCount], 2);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(type(c), kTypeMuxClaim) << c;
    EXPECT_EQ(cfg.ChanSetup[2][1], 1); // the rest of the row is kept
    EXPECT_EQ(type(4), kTypeBlank);

    EXPECT_TRUE(ChooseMultiplexer(cfg, 0)); // "none" gives back the snapshot taken on focus
    EXPECT_EQ(type(0), kTypeMono);
    EXPECT_EQ(type(2), kTypeFlipFlop);
    EXPECT_FALSE(ChooseMultiplexer(cfg, 0)) << "choosing the same again changes nothing";

    ChooseMultiplexer(cfg, 2);
    SnapshotChannelTypes(cfg); // focus again: the claimed types are the snapshot now
    EXPECT_TRUE(ChooseMultiplexer(cfg, 0));
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(type(c), kTypeBlank) << "a saved claim becomes unused";
}

TEST_F(TypeChange, timeOutputMovesItsClaimBetweenGroupPairs) {
    SnapshotChannelTypes(cfg);
    ChooseTimeOutput(cfg, 1); // "C-D"
    for (int c = 16; c < 32; ++c)
        EXPECT_EQ(type(c), kTypeTimeOutputClaim) << c;
    SnapshotChannelTypes(cfg);
    SetChannelType(cfg, 5, kTypeIntruderPassive); // typed in the matrix after the snapshot
    ChooseTimeOutput(cfg, 2);                     // "E-F"
    for (int c = 0; c < kChannels; ++c) {
        const int expected = c == 5 ? kTypeIntruderPassive : (c >= 32 && c < 48) ? kTypeTimeOutputClaim : kTypeBlank;
        EXPECT_EQ(type(c), expected) << c;
    }
    EXPECT_EQ(cfg.SysData[kSysTimeOutput], 2);
}

TEST_F(TypeChange, listChoicesOutsideTheirItemsAreIgnored) {
    EXPECT_FALSE(ChooseMultiplexer(cfg, 16));
    EXPECT_FALSE(ChooseTimeOutput(cfg, 8));
    EXPECT_FALSE(ChooseCounter(cfg, 5));
    EXPECT_EQ(cfg.SysData[kSysMuxCount], 0);
}
