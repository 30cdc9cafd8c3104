#include <gtest/gtest.h>

#include "model/channel_types.h"
#include "model/master.h"

using namespace korvane;

namespace {

struct MasterMatrixTest : ::testing::Test {
    Configuration cfg;
    EditState st;
    void SetUp() override {
        ClearConfiguration(cfg, st);
        SetChannelType(cfg, 5, kTypeMaster);
    }
};

} // namespace

TEST_F(MasterMatrixTest, targetBitsSitInTheGroupByteAndItsAffectedByte) {
    SetChannelType(cfg, 10, kTypeMono); // B3
    PutMaster(cfg, 5, 10, kMasterOn);
    EXPECT_EQ(cfg.MasterMatrix[5][1], 32);
    EXPECT_EQ(cfg.MasterMatrix[5][17], 32);
    EXPECT_EQ(GetMaster(cfg, 10, 5), kMasterOn);

    PutMaster(cfg, 5, 0, kMasterOff); // A1: bit 128 of bytes 0 and 16
    EXPECT_EQ(cfg.MasterMatrix[5][0], 0);
    EXPECT_EQ(cfg.MasterMatrix[5][16], 128);
    PutMaster(cfg, 5, 127, kMasterOn); // P8: bit 1 of bytes 15 and 31
    EXPECT_EQ(cfg.MasterMatrix[5][15], 1);
    EXPECT_EQ(cfg.MasterMatrix[5][31], 1);
}

TEST_F(MasterMatrixTest, targetsThatCannotBeDrivenReadAsZeroWhateverTheBits) {
    PutMaster(cfg, 5, 10, kMasterOn);
    SetChannelType(cfg, 10, kTypeIntruderPassive);
    EXPECT_EQ(GetMaster(cfg, 10, 5), kMasterNotDrivable);
    EXPECT_EQ(cfg.MasterMatrix[5][1], 32) << "the bits stay";
}

TEST_F(MasterMatrixTest, statesRoundTripAndUnknownStatesChangeNothing) {
    for (int s : {kMasterOff, kMasterOn, kMasterNotAffected, kMasterOff}) {
        PutMaster(cfg, 5, 20, s);
        EXPECT_EQ(GetMaster(cfg, 20, 5), s);
    }
    const Row before = cfg.MasterMatrix[5];
    PutMaster(cfg, 5, 20, 0);
    PutMaster(cfg, 5, 20, 4);
    EXPECT_EQ(cfg.MasterMatrix[5], before);
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

TEST(ExchangeMask, bitsFollowTheChannelOrder) {
    Configuration cfg;
    EditState st;
    ClearConfiguration(cfg, st);
    PutExchBit(cfg, 0, 1);
    EXPECT_EQ(cfg.SysData[64], 128);
    PutExchBit(cfg, 0, 0);
    EXPECT_EQ(cfg.SysData[64], 0);
    PutExchBit(cfg, 0, 0);
    EXPECT_EQ(cfg.SysData[64], 0) << "clearing a clear bit keeps it clear";
    PutExchBit(cfg, 127, 1);
    EXPECT_EQ(cfg.SysData[79], 1);

    ExchangeGroup(cfg, 2, GroupAction::On);
    EXPECT_EQ(cfg.SysData[66], 255);
    for (int c = 0; c < kChannels; ++c)
        EXPECT_EQ(GetExchBit(cfg, c), (c >= 16 && c < 24) || c == 127) << c;
    ExchangeGroup(cfg, 2, GroupAction::Off);
    EXPECT_EQ(cfg.SysData[66], 255) << "Off is not an exchange action";
    ExchangeGroup(cfg, 2, GroupAction::X);
    EXPECT_EQ(cfg.SysData[66], 0);
}
