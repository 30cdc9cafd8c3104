#include "model/matrix_navigation.h"

#include <algorithm>

#include "model/channel_types.h"
#include "model/field_rules.h"

namespace korvane {

bool IsSecondChannel(int type) {
    return type == kTypeRollerSecond || type == kTypeRollerMasterSecond;
}

bool IsLockedChannel(const Configuration& cfg, int channel) {
    const int t = cfg.channelType(channel);
    return t == kTypeTimeOutputClaim || t == kTypeMuxClaim;
}

int NearestVisibleChannel(const Configuration& cfg, int channel) {
    int c = std::clamp(channel, 0, cfg.channelsInUse());
    if (c > 0 && IsSecondChannel(cfg.channelType(c)))
        --c;
    return c;
}

CursorMove MoveCursor(const Configuration& cfg, int cur, MatrixKey key) {
    const int last = cfg.channelsInUse();
    auto second = [&](int n) { return n >= 0 && n < kChannels && IsSecondChannel(cfg.channelType(n)); };
    switch (key) {
    case MatrixKey::Up:
        if (cur < 8)
            return {cur, true};
        cur -= 8;
        if (second(cur))
            --cur;
        return {cur, false};
    case MatrixKey::Down:
        if (cur >= last - 7)
            return {cur, true};
        cur += 8;
        if (second(cur))
            --cur;
        return {cur, false};
    case MatrixKey::Left:
        if (cur == 0)
            return {cur, true};
        --cur;
        if (second(cur))
            --cur;
        return {cur, false};
    case MatrixKey::Right:
        if (cur >= last)
            return {cur, true};
        ++cur;
        if (second(cur)) {
            ++cur;
            if (cur >= last)
                return {last - 1, true};
        }
        return {cur, false};
    case MatrixKey::Home:
        return {0, false};
    case MatrixKey::End:
        // The last channel in use may be the hidden second half of a pair: the border goes to its first.
        return {second(last) ? last - 1 : last, false};
    }
    return {cur, false};
}

std::optional<int> TypeOfMatrixKey(int keyCode) {
    switch (keyCode) {
    case vk::k0:
    case vk::kPad0:
        return kTypeMono;
    case 'B':
        return kTypeBlank;
    case 'F':
        return kTypeFlipFlop;
    case 'T':
        return kTypeTimerDelay;
    case 'R':
        return kTypeRealTime;
    case 'M':
        return kTypeMaster;
    case 'I':
        return kTypeIntruderPassive;
    case 'W':
        return kTypeWaterPassive;
    case 'S':
        return kTypeSmokePassive;
    case 'A':
        return kTypeIsaPassive;
    default:
        return std::nullopt;
    }
}

} // namespace korvane
