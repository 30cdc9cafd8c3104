#include "model/master.h"

#include "model/channel_types.h"

namespace korvane {

int GetMaster(const Configuration& cfg, int t, int m) {
    if (t < 0 || t >= kChannels || m < 0 || m >= kChannels)
        return kMasterNotDrivable;
    if (!MasterCanDrive(cfg.ChanSetup[t][kRowType]))
        return kMasterNotDrivable;
    const Row& row = cfg.MasterMatrix[m];
    const Byte mask = MasterMask(t);
    const bool on = (row[MasterByte(t)] & mask) == mask;
    const bool affected = (row[MasterByte(t) + kMasterAffectedOffset] & mask) == mask;
    if (!affected)
        return kMasterNotAffected;
    return on ? kMasterOn : kMasterOff;
}

void PutMaster(Configuration& cfg, int m, int t, int s) {
    if (t < 0 || t >= kChannels || m < 0 || m >= kChannels)
        return;
    Row& row = cfg.MasterMatrix[m];
    const Byte mask = MasterMask(t);
    Byte& on = row[MasterByte(t)];
    Byte& affected = row[MasterByte(t) + kMasterAffectedOffset];
    switch (s) {
    case kMasterOff:
        affected |= mask;
        on &= static_cast<Byte>(~mask);
        break;
    case kMasterOn:
        affected |= mask;
        on |= mask;
        break;
    case kMasterNotAffected:
        affected &= static_cast<Byte>(~mask);
        on &= static_cast<Byte>(~mask);
        break;
    default:
        break;
    }
}

int NextMasterState(int state, bool flashPattern) {
    if (flashPattern) {
        switch (state) {
        case kMasterOff:
        case kMasterOn:
            return kMasterNotAffected;
        case kMasterNotAffected:
            return kMasterOn;
        default:
            return state;
        }
    }
    switch (state) {
    case kMasterOff:
        return kMasterOn;
    case kMasterOn:
        return kMasterNotAffected;
    case kMasterNotAffected:
        return kMasterOff;
    default:
        return state;
    }
}

void MasterGroup(Configuration& cfg, int m, int g, GroupAction a) {
    if (m < 0 || m >= kChannels || g < 0 || g >= 16)
        return;
    Row& row = cfg.MasterMatrix[m];
    switch (a) {
    case GroupAction::On:
        row[g] = 255;
        row[g + kMasterAffectedOffset] = 255;
        break;
    case GroupAction::Off:
        row[g] = 0;
        row[g + kMasterAffectedOffset] = 255;
        break;
    case GroupAction::X:
        row[g] = 0;
        row[g + kMasterAffectedOffset] = 0;
        break;
    }
}

int GetExchBit(const Configuration& cfg, int c) {
    if (c < 0 || c >= kChannels)
        return 0;
    return (cfg.SysData[kSysExchangeMask + c / 8] & MasterMask(c)) ? 1 : 0;
}

void PutExchBit(Configuration& cfg, int c, int v) {
    if (c < 0 || c >= kChannels)
        return;
    Byte& b = cfg.SysData[kSysExchangeMask + c / 8];
    if (v == 1)
        b |= MasterMask(c);
    else if (v == 0)
        b &= static_cast<Byte>(~MasterMask(c));
}

void ExchangeGroup(Configuration& cfg, int g, GroupAction a) {
    if (g < 0 || g >= 16)
        return;
    if (a == GroupAction::On)
        cfg.SysData[kSysExchangeMask + g] = 255;
    else if (a == GroupAction::X)
        cfg.SysData[kSysExchangeMask + g] = 0;
}

} // namespace korvane
