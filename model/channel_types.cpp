#include "model/channel_types.h"

#include <algorithm>

namespace korvane {

namespace {

using F = TypeFamily;

const std::vector<TypeInfo> kTypes = {
    {kTypeMono, F::Basic, 1},
    {kTypeBlank, F::Unused, 1},
    {kTypeFlipFlop, F::Basic, 1},
    {kTypeTimerDelay, F::Timer, 1},
    {kTypeTimerPulse, F::Timer, 1},
    {kTypeTimerDelayPulse, F::Timer, 1},
    {kTypeRealTime, F::RealTime, 1},
    {kTypeMaster, F::Master, 1},
    {kTypeIntruderPassive, F::Intruder, 1},
    {kTypeIntruderActive, F::Intruder, 1},
    {kTypeIntruderManualArm, F::Intruder, 1},
    {kTypeIntruderDoorArm, F::Intruder, 1},
    {kTypeIntruderSiren, F::Intruder, 1},
    {kTypeIntruderCallOut, F::Intruder, 1},
    {kTypeWaterPassive, F::Water, 1},
    {kTypeWaterActive, F::Water, 1},
    {kTypeWaterReset, F::Water, 1},
    {kTypeWaterSiren, F::Water, 1},
    {kTypeWaterCallOut, F::Water, 1},
    {kTypeSmokePassive, F::Smoke, 1},
    {kTypeSmokeActive, F::Smoke, 1},
    {kTypeSmokeReset, F::Smoke, 1},
    {kTypeSmokeSiren, F::Smoke, 1},
    {kTypeSmokeCallOut, F::Smoke, 1},
    {kTypeCommonSiren, F::CommonSiren, 1},
    {kTypeMotion, F::Motion, 1},
    {kTypeCounterClaim, F::Claimed, 1},
    {kTypeIntruderCodeLock, F::Intruder, 1},
    {kTypeThermostat, F::Climate, 1},
    {kTypeNightSetback, F::Climate, 1},
    {kTypeTimeOutputClaim, F::Claimed, 1},
    {kTypeMuxClaim, F::Claimed, 1},
    {kTypeIsaPassive, F::Isa, 1},
    {kTypeIsaActive, F::Isa, 1},
    {kTypeIsaAcknowledge, F::Isa, 1},
    {kTypeIsaReset, F::Isa, 1},
    {kTypeIsaLampTest, F::Isa, 1},
    {kTypeIsaSiren, F::Isa, 1},
    {kTypeRoller, F::Roller, 2},
    {kTypeRollerSecond, F::Roller, 0},
    {kTypeRollerMaster, F::Roller, 2},
    {kTypeRollerMasterSecond, F::Roller, 0},
    {kTypeAnalogGeneral, F::Analogue, 1},
    {kTypeAnalogLux, F::Analogue, 1},
    {kTypeAnalogWind, F::Analogue, 1},
    {kTypeAnalogTemperature, F::Analogue, 1},
};

const std::vector<PopupEntry> kPopup = {
    {0, 30, kTypeBlank, false},
    {1, 20, kTypeMono, false},
    {2, 21, kTypeFlipFlop, false},
    {3, 22, kTypeTimerDelay, false},
    {4, 23, kTypeRealTime, false},
    {5, 24, kTypeMaster, false},
    {9, -1, -1, false},
    {10, 148, kTypeAnalogGeneral, false},
    {11, 125, kTypeMotion, false},
    {12, 33, kTypeThermostat, true},
    {13, 34, kTypeNightSetback, true},
    {19, -1, -1, false},
    {20, 29, kTypeIsaPassive, false},
    {21, 26, kTypeSmokePassive, false},
    {22, 27, kTypeIntruderPassive, false},
    {23, 25, kTypeWaterPassive, false},
    {24, 28, kTypeCommonSiren, false},
    {29, -1, -1, false},
    {30, 39, kTypeRollerMaster, false},
    {31, 35, kTypeRoller, false},
};

// Puts the row of an unused channel into ChanSetup row c and clears its MasterMatrix row.
void blankChannel(Configuration& cfg, int c) {
    cfg.ChanSetup[c] = cfg.BlankRow;
    if (c < kChannels) {
        cfg.MasterMatrix[c] = cfg.BlankRow;
        cfg.MasterMatrix[c][0] = 0;
    }
}

bool setType(Configuration& cfg, int c, int t) {
    if (cfg.ChanSetup[c][kRowType] == t)
        return false;
    cfg.ChanSetup[c][kRowType] = static_cast<Byte>(t);
    return true;
}

} // namespace

const std::vector<TypeInfo>& ChannelTypes() {
    return kTypes;
}

std::optional<TypeInfo> FindChannelType(int code) {
    const auto it = std::find_if(kTypes.begin(), kTypes.end(), [code](const TypeInfo& i) { return i.code == code; });
    if (it == kTypes.end())
        return std::nullopt;
    return *it;
}

bool IsDefinedType(int code) {
    return FindChannelType(code).has_value();
}

bool MasterCanDrive(int type) {
    return type < kTypeMaster || type == kTypeMotion || type >= kTypeRollerMaster;
}

bool MonoInverted(const Row& row) {
    return row[kBasicOptions] == 1;
}

bool MasterSwitchedByClock(const Row& row) {
    return row[kMasterRealTime] != 0;
}

int ChannelPicture(const Configuration& cfg, int n) {
    if (n < 0 || n >= kChannels)
        return -1;
    const Row& row = cfg.ChanSetup[static_cast<std::size_t>(n)];
    const int t = row[kRowType] & kTypeMask;
    if (t == kTypeMono && MonoInverted(row))
        return kPictureMonoInverted;
    if (t == kTypeMaster && MasterSwitchedByClock(row))
        return kPictureMasterByClock;
    return t;
}

bool IsUnusedChannel(const Configuration& cfg, int channel) {
    const std::string& d = cfg.ChanText[static_cast<std::size_t>(channel)];
    return (cfg.channelType(channel) & kTypeMask) == kTypeBlank && d.find_first_not_of(" \t\r\n") == std::string::npos;
}

std::string Num_2_Channel(int n) {
    if (n < 0 || n >= kChannels)
        return "---";
    std::string s;
    s += static_cast<char>('A' + (n & 120) / 8);
    s += static_cast<char>('1' + (n & 7));
    return s;
}

std::vector<int> SetChannelType(Configuration& cfg, int n, int t) {
    if (n < 0 || n >= kChannels)
        return {};
    const bool pair = (t == kTypeRoller || t == kTypeRollerMaster);
    if (pair && n + 1 >= kChannels)
        return {};
    const int old = cfg.ChanSetup[n][kRowType];
    // The hidden second channel of a pair belongs to the channel before it: changing it alone would
    // leave a roller or roller master without its second channel.
    if (old == kTypeRollerSecond || old == kTypeRollerMasterSecond)
        return {};

    std::vector<int> redraw{n};
    if ((old == kTypeRoller || old == kTypeRollerMaster) && n + 1 < kChannels) {
        blankChannel(cfg, n + 1);
        cfg.SavedChanType[n + 1] = cfg.ChanSetup[n + 1][kRowType];
        redraw.push_back(n + 1);
    }

    blankChannel(cfg, n);
    Row& row = cfg.ChanSetup[n];
    switch (t) {
    case kTypeTimerDelay:
        row[kTimerStartChannel] = kNoChannel;
        break;
    case kTypeRealTime:
    case kTypeMaster:
        for (int k = 0; k < kRtDaySetCount; ++k) {
            row[kRtDaySets + kRtDaySetSize * k + 1] = 255; // on hour: not set
            row[kRtDaySets + kRtDaySetSize * k + 3] = 255; // off hour: not set
        }
        break;
    case kTypeIntruderPassive:
    case kTypeWaterPassive:
    case kTypeSmokePassive:
    case kTypeIsaPassive:
        row[kAlarmDisable] = kNoChannel;
        break;
    case kTypeRoller:
    case kTypeRollerMaster: {
        const int second = (t == kTypeRoller) ? kTypeRollerSecond : kTypeRollerMasterSecond;
        cfg.ChanFlags[n] = 0;
        blankChannel(cfg, n + 1);
        row[1] = 0;
        if (t == kTypeRoller) {
            row[kRollPriority] = kNoChannel;
        } else {
            row[kRmChannel1] = kNoChannel;
            row[kRmChannel2] = kNoChannel;
        }
        cfg.SavedChanType[n + 1] = static_cast<Byte>(second);
        cfg.ChanSetup[n + 1][kRowType] = static_cast<Byte>(second);
        cfg.ChanFlags[n + 1] = 0;
        if (std::find(redraw.begin(), redraw.end(), n + 1) == redraw.end())
            redraw.push_back(n + 1);
        break;
    }
    case kTypeAnalogGeneral:
        row[kAnaOptions] = 0;
        row[kAnaDisable] = kNoChannel;
        row[kAnaLimit2Disable] = kNoChannel;
        row[kAnaByte5] = 255;
        row[kAnaByte7] = 255;
        row[kAnaExternLimit] = kNoChannel;
        break;
    default:
        break;
    }
    row[kRowType] = static_cast<Byte>(t);
    cfg.SavedChanType[n] = static_cast<Byte>(t);
    return redraw;
}

const std::vector<PopupEntry>& ChannelTypePopup() {
    return kPopup;
}

PopupState Manage_popup_ChtypeSel(const Configuration& cfg, int cur) {
    PopupState s;
    for (const PopupEntry& e : kPopup)
        s.enabled[e.index] = true;
    const bool even = (cur % 2) == 0;
    s.enabled[30] = even;
    s.enabled[31] = even;

    int siren = -1;
    const int last = std::min<int>(cfg.SysData[kSysChannelsInUse], kChannels - 1);
    for (int c = 0; c <= last; ++c)
        if (cfg.ChanSetup[c][kRowType] == kTypeCommonSiren)
            siren = c;
    s.enabled[24] = (siren < 0 || siren == cur);
    return s;
}

void SnapshotChannelTypes(Configuration& cfg, int first) {
    for (int c = std::max(first, 0); c < kChannels; ++c)
        cfg.SavedChanType[c] = cfg.ChanSetup[c][kRowType];
}

namespace {

// Gives the channels from..to that hold the claim back their saved type; a saved claim type becomes
// unused. Channels the claim does not hold keep what they are, even when the snapshot is older than a
// change made since in the matrix.
bool giveBack(Configuration& cfg, int from, int to, int claimType) {
    bool changed = false;
    for (int c = from; c <= to && c < kChannels; ++c) {
        if (cfg.ChanSetup[c][kRowType] != claimType)
            continue;
        int t = cfg.SavedChanType[c];
        if (t == claimType)
            t = kTypeBlank;
        changed |= setType(cfg, c, t);
    }
    return changed;
}

bool claim(Configuration& cfg, int from, int to, int claimType) {
    bool changed = false;
    for (int c = from; c <= to && c < kChannels; ++c)
        changed |= setType(cfg, c, claimType);
    return changed;
}

bool holdsType(const Configuration& cfg, int from, int to, int type) {
    for (int c = std::max(from, 0); c <= to && c < kChannels; ++c)
        if (cfg.ChanSetup[c][kRowType] == type)
            return true;
    return false;
}

bool storeSys(Configuration& cfg, int byte, int k) {
    const bool changed = cfg.SysData[byte] != k;
    cfg.SysData[byte] = static_cast<Byte>(k);
    return changed;
}

} // namespace

bool ChooseMultiplexer(Configuration& cfg, int k) {
    if (k < 0 || k > 15)
        return false;
    bool changed = storeSys(cfg, kSysMuxCount, k);
    if (k == 0)
        changed |= giveBack(cfg, kMuxFirst, kMuxFirst + kMuxChannels - 1, kTypeMuxClaim);
    else
        changed |= claim(cfg, kMuxFirst, kMuxFirst + kMuxChannels - 1, kTypeMuxClaim);
    return changed;
}

bool CounterClashesWithTimeOutput(const Configuration& cfg, int k) {
    if (k <= 0 || k >= static_cast<int>(kCounterItemData.size()))
        return false;
    return holdsType(cfg, kCounterFirst, kCounterFirst + kCounterItemData[k], kTypeTimeOutputClaim);
}

bool TimeOutputClashesWithCounter(const Configuration& cfg, int k) {
    if (k <= 0 || k > 7)
        return false;
    return holdsType(cfg, 16 * k, 16 * k + 15, kTypeCounterClaim);
}

bool ChooseTimeOutput(Configuration& cfg, int k) {
    if (k < 0 || k > 7 || TimeOutputClashesWithCounter(cfg, k))
        return false;
    bool changed = storeSys(cfg, kSysTimeOutput, k);
    changed |= giveBack(cfg, 0, kChannels - 1, kTypeTimeOutputClaim);
    if (k > 0)
        changed |= claim(cfg, 16 * k, 16 * k + 15, kTypeTimeOutputClaim);
    return changed;
}

bool ChooseCounter(Configuration& cfg, int k) {
    if (k < 0 || k >= static_cast<int>(kCounterItemData.size()) || CounterClashesWithTimeOutput(cfg, k))
        return false;
    bool changed = storeSys(cfg, kSysCounter, k);
    if (k == 0) {
        changed |= giveBack(cfg, kCounterFirst, kChannels - 1, kTypeCounterClaim);
        return changed;
    }
    const int d = kCounterItemData[k];
    changed |= giveBack(cfg, kCounterFirst, kChannels - 1, kTypeCounterClaim);
    changed |= claim(cfg, kCounterFirst, d + kCounterFirst, kTypeCounterClaim);
    for (int c = d + 9; c <= 47; ++c)
        if (cfg.ChanSetup[c][kRowType] == kTypeCounterClaim)
            changed |= setType(cfg, c, kTypeBlank);
    return changed;
}

} // namespace korvane
