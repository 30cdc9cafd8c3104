#include "model/alarms.h"

#include <algorithm>

namespace korvane {

namespace {

bool isIntruderDetector(int code) {
    return code == kTypeIntruderPassive || code == kTypeIntruderActive;
}

} // namespace

const AlarmFamily* AlarmFamilyOf(int code) {
    for (const AlarmFamily* family : {&kIntruderAlarm, &kSmokeAlarm, &kWaterAlarm, &kIsaAlarm})
        if (std::ranges::find(family->codes, code) != family->codes.end())
            return family;
    return nullptr;
}

int SingleUseLastChannel(const Configuration& cfg, const AlarmFamily& family) {
    return family.inUseOnly ? cfg.channelsInUse() : kChannels - 1;
}

bool FunctionOffered(const Configuration& cfg, const AlarmFamily& family, int cur, int code) {
    const auto group = std::ranges::find_if(family.singleUse, [code](const SingleUseGroup& g) { return g.has(code); });
    if (group == family.singleUse.end())
        return true;
    if (cur >= 0 && cur < kChannels && group->has(cfg.channelType(cur)))
        return true;
    const int last = SingleUseLastChannel(cfg, family);
    for (int c = 0; c <= last; ++c)
        if (c != cur && group->has(cfg.channelType(c)))
            return false;
    return true;
}

void ChooseAlarmFunction(Configuration& cfg, int c, int k) {
    Row& row = cfg.ChanSetup[static_cast<std::size_t>(c)];
    const int old = row[kRowType];
    if (isIntruderDetector(k) && !isIntruderDetector(old))
        row[kAlarmDisable] = kNoChannel;
    else if (k == kTypeIntruderSiren && isIntruderDetector(old))
        row[kSirenMasterFlash] = 0;
    row[kRowType] = static_cast<Byte>(k);
    cfg.SavedChanType[static_cast<std::size_t>(c)] = static_cast<Byte>(k);
    if (k == kTypeIsaReset)
        ApplyIsaModeRule(cfg);
}

void NormaliseSirenFlash(Configuration& cfg, int c) {
    Row& row = cfg.ChanSetup[static_cast<std::size_t>(c)];
    if (row[kRowType] == kTypeIntruderSiren && row[kSirenMasterFlash] != 1)
        row[kSirenMasterFlash] = 0;
}

bool IsaResetInputExists(const Configuration& cfg) {
    for (int c = 0; c < kChannels; ++c)
        if (cfg.channelType(c) == kTypeIsaReset)
            return true;
    return false;
}

void ApplyIsaModeRule(Configuration& cfg) {
    if (IsaResetInputExists(cfg))
        cfg.SysData[kSysIsaMode] = 0;
}

} // namespace korvane
