#include <gtest/gtest.h>

#include "model/channel_types.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

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
}

TEST(CounterAndTimeOutput, bothClaimsFromAFileAreKeptAndEachGivesBackOnlyItsOwn) {
    Configuration cfg = blankConfiguration();
    // As a file may hold them: the counter on B1..D8 and the time output on C-D.
    for (int c = 8; c < 32; ++c)
        cfg.ChanSetup[c][kRowType] = c < 16 ? kTypeCounterClaim : kTypeTimeOutputClaim;
    cfg.SysData[kSysCounter] = 2;
    cfg.SysData[kSysTimeOutput] = 1;
    SnapshotChannelTypes(cfg, kCounterFirst);
    EXPECT_TRUE(ChooseCounter(cfg, 0));
    for (int c = 8; c < 32; ++c)
        EXPECT_EQ(cfg.ChanSetup[c][kRowType], c < 16 ? kTypeBlank : kTypeTimeOutputClaim) << c;
}
