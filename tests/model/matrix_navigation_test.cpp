#include <gtest/gtest.h>

#include "model/channel_types.h"
#include "model/field_rules.h"
#include "model/matrix_navigation.h"

using namespace korvane;

namespace {

Configuration blank(int channelsInUse) {
    Configuration cfg;
    EditState st;
    ClearConfiguration(cfg, st);
    cfg.SysData[kSysChannelsInUse] = static_cast<Byte>(channelsInUse);
    return cfg;
}

struct MoveCase {
    const char* what;
    int channelsInUse;
    int rollerAt; // first channel of a roller pair, -1 for none
    int from;
    MatrixKey key;
    int to;
    bool beep;
};

} // namespace

TEST(MatrixCursor, movesSkipSecondChannelsAndBeepAtTheEdges) {
    const MoveCase cases[] = {
        {"down from H1 with 64 channels beeps", 63, -1, 56, MatrixKey::Down, 56, true},
        {"down from G8 reaches H8", 63, -1, 55, MatrixKey::Down, 63, false},
        {"up in the top row beeps", 127, -1, 7, MatrixKey::Up, 7, true},
        {"left from A1 beeps", 127, -1, 0, MatrixKey::Left, 0, true},
        {"right from the last channel beeps", 63, -1, 63, MatrixKey::Right, 63, true},
        {"right skips the second channel", 127, 2, 2, MatrixKey::Right, 4, false},
        {"left skips the second channel", 127, 2, 4, MatrixKey::Left, 2, false},
        {"up onto a second channel lands on its first", 127, 2, 11, MatrixKey::Up, 2, false},
        {"down onto a second channel lands on its first", 127, 10, 3, MatrixKey::Down, 10, false},
        {"right onto a last pair stops before it", 127, 126, 126, MatrixKey::Right, 126, true},
        {"home", 127, -1, 77, MatrixKey::Home, 0, false},
        {"end goes to the last channel in use", 63, -1, 5, MatrixKey::End, 63, false},
        {"end never lands on a hidden second channel", 127, 126, 5, MatrixKey::End, 126, false},
        {"a byte above 127 counts as P8: end", 200, -1, 5, MatrixKey::End, 127, false},
        {"a byte above 127 counts as P8: right from P8 beeps", 200, -1, 127, MatrixKey::Right, 127, true},
    };
    for (const MoveCase& c : cases) {
        Configuration cfg = blank(c.channelsInUse);
        if (c.rollerAt >= 0) {
            ASSERT_FALSE(SetChannelType(cfg, c.rollerAt, kTypeRoller).empty()) << c.what;
        }
        const CursorMove m = MoveCursor(cfg, c.from, c.key);
        EXPECT_EQ(m.channel, c.to) << c.what;
        EXPECT_EQ(m.beep, c.beep) << c.what;
    }
}

TEST(MatrixCursor, theBorderMovesOffHiddenCellsAfterTheConfigurationChanged) {
    const std::tuple<int, int, int, int> cases[] = {
        // channels in use, roller at, current, expected
        {127, 2, 3, 2}, {63, -1, 100, 63}, {63, 62, 100, 62}, {200, -1, 127, 127}, {127, 2, 2, 2},
    };
    for (const auto& [inUse, rollerAt, cur, expected] : cases) {
        Configuration cfg = blank(inUse);
        if (rollerAt >= 0)
            SetChannelType(cfg, rollerAt, kTypeRoller);
        EXPECT_EQ(NearestVisibleChannel(cfg, cur), expected) << inUse << " " << cur;
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
