#include <gtest/gtest.h>

#include "model/channel_types.h"
#include "model/field_rules.h"
#include "model/matrix_navigation.h"
#include "tests/model/table_names.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

Configuration blank(int channelsInUse) {
    Configuration cfg = blankConfiguration();
    cfg.SysData[kSysChannelsInUse] = static_cast<Byte>(channelsInUse);
    return cfg;
}

} // namespace

// The rows of tests/data/model_matrix_moves.txt.
TEST(MatrixCursor, movesSkipSecondChannelsAndBeepAtTheEdges) {
    const std::map<std::string, MatrixKey> keys{{"Up", MatrixKey::Up},     {"Down", MatrixKey::Down},
                                                {"Left", MatrixKey::Left}, {"Right", MatrixKey::Right},
                                                {"Home", MatrixKey::Home}, {"End", MatrixKey::End}};
    for (const auto& c : dataTable("model_matrix_moves.txt", 7)) {
        SCOPED_TRACE(c[0]);
        Configuration cfg = blank(std::stoi(c[1]));
        if (c[2] != "-") {
            ASSERT_FALSE(SetChannelType(cfg, channelNamed(c[2]), kTypeRoller).empty());
        }
        if (c[4] == "changed") {
            EXPECT_EQ(NearestVisibleChannel(cfg, channelNamed(c[3])), channelNamed(c[5]));
            continue;
        }
        const CursorMove m = MoveCursor(cfg, channelNamed(c[3]), keys.at(c[4]));
        EXPECT_EQ(m.channel, channelNamed(c[5]));
        EXPECT_EQ(m.beep, c[6] == "1");
    }
}

TEST(MatrixCursor, typeKeysAreFixedLettersAndBothZeroKeys) {
    const std::pair<int, std::optional<int>> cases[] = {
        {vk::k0, kTypeMono},      {vk::kPad0, kTypeMono},     {'B', kTypeBlank},      {'F', kTypeFlipFlop},
        {'T', kTypeTimerDelay},   {'R', kTypeRealTime},       {'M', kTypeMaster},     {'I', kTypeIntruderPassive},
        {'W', kTypeWaterPassive}, {'S', kTypeSmokePassive},   {'A', kTypeIsaPassive}, {'X', std::nullopt},
        {vk::k1, std::nullopt},   {vk::kEnter, std::nullopt},
    };
    for (const auto& [key, type] : cases)
        EXPECT_EQ(TypeOfMatrixKey(key), type) << key;
}

TEST(MatrixCursor, onlyTimeOutputAndMultiplexerClaimsLockAChannel) {
    Configuration cfg = blank(127);
    for (int t = 0; t < kTypeCodeCount; ++t) {
        cfg.ChanSetup[9][kRowType] = static_cast<Byte>(t);
        EXPECT_EQ(IsLockedChannel(cfg, 9), t == kTypeTimeOutputClaim || t == kTypeMuxClaim) << t;
    }
}
