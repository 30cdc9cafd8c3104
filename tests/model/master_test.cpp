#include <gtest/gtest.h>

#include "model/channel_types.h"
#include "model/master.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

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

// A target's bit sits in its group's byte (0..15) and in the affected byte 16 further on.
TEST_F(MasterMatrixTest, targetBitsSitInTheGroupByteAndItsAffectedByteAndUnknownStatesChangeNothing) {
    const std::tuple<int, int, int, Byte, Byte> cases[] = {
        // target, state, group byte, its value, affected byte's value
        {10, kMasterOn, 1, 32, 32},          // B3
        {0, kMasterOff, 0, 0, 128},          // A1
        {127, kMasterOn, 15, 1, 1},          // P8
        {127, kMasterNotAffected, 15, 0, 0}, // P8 again
        {127, kMasterOff, 15, 0, 1},
    };
    for (const auto& [target, state, byte, group, affected] : cases) {
        PutMaster(cfg, 5, target, state);
        EXPECT_EQ(cfg.MasterMatrix[5][byte], group) << target;
        EXPECT_EQ(cfg.MasterMatrix[5][byte + 16], affected) << target;
        EXPECT_EQ(GetMaster(cfg, target, 5), state) << target;
    }
    // A target that cannot be driven reads as not drivable whatever its bits.
    SetChannelType(cfg, 10, kTypeIntruderPassive);
    EXPECT_EQ(GetMaster(cfg, 10, 5), kMasterNotDrivable);
    EXPECT_EQ(cfg.MasterMatrix[5][1], 32) << "the bits stay";
    // Unknown states change nothing.
    const Row before = cfg.MasterMatrix[5];
    PutMaster(cfg, 5, 10, 0);
    PutMaster(cfg, 5, 10, 4);
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
    Configuration cfg = blankConfiguration();
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
