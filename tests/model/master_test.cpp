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
    // Three clicks from "off" come back to "off".
    int s = kMasterOff;
    s = NextMasterState(s, false);
    EXPECT_EQ(s, kMasterOn);
    s = NextMasterState(s, false);
    EXPECT_EQ(s, kMasterNotAffected);
    s = NextMasterState(s, false);
    EXPECT_EQ(s, kMasterOff);
    EXPECT_EQ(NextMasterState(kMasterNotDrivable, false), kMasterNotDrivable);

    EXPECT_EQ(NextMasterState(kMasterOff, true), kMasterNotAffected);
    EXPECT_EQ(NextMasterState(kMasterOn, true), kMasterNotAffected);
    EXPECT_EQ(NextMasterState(kMasterNotAffected, true), kMasterOn);
    EXPECT_EQ(NextMasterState(kMasterNotDrivable, true), kMasterNotDrivable);
}

TEST_F(MasterMatrixTest, groupMenuWritesWholeBytes) {
    const struct {
        GroupAction a;
        int on, affected;
    } cases[] = {{GroupAction::On, 255, 255}, {GroupAction::Off, 0, 255}, {GroupAction::X, 0, 0}};
    for (const auto& c : cases) {
        MasterGroup(cfg, 5, 2, c.a);
        EXPECT_EQ(cfg.MasterMatrix[5][2], c.on);
        EXPECT_EQ(cfg.MasterMatrix[5][18], c.affected);
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
