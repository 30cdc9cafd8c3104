#pragma once
// The rules of the alarm functions (intruder, smoke, water, ISA): which functions a channel may
// still take, since some may exist on one channel of the installation only; what a change of
// function does to the byte whose meaning changes with it; and the repairs the alarm pages make.

#include <span>

#include "model/channel_types.h"

namespace korvane {

// Functions of which at most one channel may carry one: a single function, or two that share the
// one channel (door-switch and code-lock arming).
struct SingleUseGroup {
    int first;
    int second = -1;
    bool has(int code) const { return code == first || code == second; }
};

struct AlarmFamily {
    std::span<const int> codes; // the functions, in the order the page offers them
    std::span<const SingleUseGroup> singleUse;
    bool inUseOnly; // only channels up to SysData byte 11 count for single use; otherwise all 128
};

inline constexpr int kIntruderCodes[] = {kTypeIntruderPassive, kTypeIntruderActive, kTypeIntruderManualArm,
                                         kTypeIntruderDoorArm, kTypeIntruderSiren,  kTypeIntruderCallOut,
                                         kTypeIntruderCodeLock};
inline constexpr SingleUseGroup kIntruderSingleUse[] = {{kTypeIntruderManualArm},
                                                        {kTypeIntruderSiren},
                                                        {kTypeIntruderCallOut},
                                                        {kTypeIntruderDoorArm, kTypeIntruderCodeLock}};
inline constexpr int kSmokeCodes[] = {kTypeSmokePassive, kTypeSmokeActive, kTypeSmokeReset, kTypeSmokeSiren,
                                      kTypeSmokeCallOut};
inline constexpr SingleUseGroup kSmokeSingleUse[] = {{kTypeSmokeReset}, {kTypeSmokeSiren}, {kTypeSmokeCallOut}};
inline constexpr int kWaterCodes[] = {kTypeWaterPassive, kTypeWaterActive, kTypeWaterReset, kTypeWaterSiren,
                                      kTypeWaterCallOut};
inline constexpr SingleUseGroup kWaterSingleUse[] = {{kTypeWaterReset}, {kTypeWaterSiren}, {kTypeWaterCallOut}};
inline constexpr int kIsaCodes[] = {kTypeIsaPassive, kTypeIsaActive,   kTypeIsaAcknowledge,
                                    kTypeIsaReset,   kTypeIsaLampTest, kTypeIsaSiren};
inline constexpr SingleUseGroup kIsaSingleUse[] = {
    {kTypeIsaAcknowledge}, {kTypeIsaReset}, {kTypeIsaLampTest}, {kTypeIsaSiren}};

inline constexpr AlarmFamily kIntruderAlarm{kIntruderCodes, kIntruderSingleUse, true};
inline constexpr AlarmFamily kSmokeAlarm{kSmokeCodes, kSmokeSingleUse, false};
inline constexpr AlarmFamily kWaterAlarm{kWaterCodes, kWaterSingleUse, true};
inline constexpr AlarmFamily kIsaAlarm{kIsaCodes, kIsaSingleUse, false};

// The alarm a function code belongs to, or nullptr.
const AlarmFamily* AlarmFamilyOf(int code);
// The highest channel whose function counts for single use: SysData byte 11 (never beyond P8) for
// the intruder and water alarms, P8 for the others.
int SingleUseLastChannel(const Configuration& cfg, const AlarmFamily& family);
// Whether channel cur may take the function: any function that is not single use; a single-use
// function when cur carries a function of its group already (its own function is always offered)
// or no other counted channel carries one.
bool FunctionOffered(const Configuration& cfg, const AlarmFamily& family, int cur, int code);

// Gives channel c the alarm function k of its alarm: byte 0 and SavedChanType. The bytes of the
// old function stay, except an intruder channel's byte 1, whose meaning changes with the function:
// a detector reads it as the disable channel, the siren as its flash option. Into a detector from
// another function it becomes "no channel"; into the siren from a detector, flash off. A new ISA
// reset input sets the ISA mode to reset by hand.
void ChooseAlarmFunction(Configuration& cfg, int c, int k);

// An intruder siren's flash option is 0 or 1: any other byte 1 becomes 0 when its page opens.
void NormaliseSirenFlash(Configuration& cfg, int c);
// Whether any of the 128 channels is the ISA reset input.
bool IsaResetInputExists(const Configuration& cfg);
// While an ISA reset input exists the ISA alarm is reset by hand: SysData byte 41 = 0.
void ApplyIsaModeRule(Configuration& cfg);

// The smoke and water reset times are at least 2 minutes once their field is left (0 and 1 may be
// typed on the way to 10).
inline constexpr int kResetTimeMinimum = 2;
constexpr int ResetTimeOnLeaving(int stored) {
    return stored < kResetTimeMinimum ? kResetTimeMinimum : stored;
}

} // namespace korvane
