#pragma once
// Channel names, the channel type codes and the type change of a channel.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/configuration.h"

namespace korvane {

// ---- Type codes (the name shown for code t is language text 100 + t) ----
constexpr int kTypeMono = 0;
constexpr int kTypeBlank = 1;
constexpr int kTypeFlipFlop = 2;
constexpr int kTypeTimerDelay = 3;
constexpr int kTypeTimerPulse = 4;
constexpr int kTypeTimerDelayPulse = 5;
constexpr int kTypeRealTime = 6;
constexpr int kTypeMaster = 7;
constexpr int kTypeIntruderPassive = 8;
constexpr int kTypeIntruderActive = 9;
constexpr int kTypeIntruderManualArm = 10;
constexpr int kTypeIntruderDoorArm = 11;
constexpr int kTypeIntruderSiren = 12;
constexpr int kTypeIntruderCallOut = 13;
constexpr int kTypeWaterPassive = 14;
constexpr int kTypeWaterActive = 15;
constexpr int kTypeWaterReset = 16;
constexpr int kTypeWaterSiren = 17;
constexpr int kTypeWaterCallOut = 18;
constexpr int kTypeSmokePassive = 19;
constexpr int kTypeSmokeActive = 20;
constexpr int kTypeSmokeReset = 21;
constexpr int kTypeSmokeSiren = 22;
constexpr int kTypeSmokeCallOut = 23;
constexpr int kTypeCommonSiren = 24;
constexpr int kTypeMotion = 25;
constexpr int kTypeCounterClaim = 26;
constexpr int kTypeIntruderCodeLock = 27;
constexpr int kTypeThermostat = 28;
constexpr int kTypeNightSetback = 29;
constexpr int kTypeTimeOutputClaim = 30;
constexpr int kTypeMuxClaim = 31;
constexpr int kTypeIsaPassive = 32;
constexpr int kTypeIsaActive = 33;
constexpr int kTypeIsaAcknowledge = 34;
constexpr int kTypeIsaReset = 35;
constexpr int kTypeIsaLampTest = 36;
constexpr int kTypeIsaSiren = 37;
constexpr int kTypeRoller = 40;
constexpr int kTypeRollerSecond = 41;
constexpr int kTypeRollerMaster = 42;
constexpr int kTypeRollerMasterSecond = 43;
constexpr int kTypeAnalogGeneral = 48;
constexpr int kTypeAnalogLux = 49;
constexpr int kTypeAnalogWind = 50;
constexpr int kTypeAnalogTemperature = 51;
constexpr int kTypeCodeCount = 64; // codes are below 64; the high bits are the flags

constexpr int kTypeNameText = 100; // language text of type t's name: 100 + t
constexpr int kTypeHelpBase = 200; // help number of F1 on a cell of type t: 200 + t

enum class TypeFamily {
    Basic,
    Timer,
    RealTime,
    Master,
    Intruder,
    Water,
    Smoke,
    Isa,
    CommonSiren,
    Motion,
    Claimed,
    Climate,
    Roller,
    Analogue,
    Unused
};

struct TypeInfo {
    int code;
    TypeFamily family;
    int channelsUsed; // 2 for the first channel of a pair, 0 for the second
};

// Every defined type code, in code order.
const std::vector<TypeInfo>& ChannelTypes();
std::optional<TypeInfo> FindChannelType(int code);
bool IsDefinedType(int code);

// Types a master function can switch: below 7, the motion detector, and 42 and above.
bool MasterCanDrive(int type);

// ---- The picture of a channel, one reading for the matrix, the pages and the reports ----
constexpr int kPictureMonoInverted = 100;  // a mono channel whose byte 1 is 1 (the basic page's box)
constexpr int kPictureMasterByClock = 107; // a master function switched by the clock
// Whether a mono channel is inverted: byte 1 is 1, as the basic page's box reads it.
bool MonoInverted(const Row& row);
// Whether a master function is switched by the clock: byte 21 is not 0, as the master page reads it
// (its clock times are offered then).
bool MasterSwitchedByClock(const Row& row);
// The picture of channel n (0..127): its type's own, or the inverted mono or clock-switched master
// picture; -1 outside the channels.
int ChannelPicture(const Configuration& cfg, int n);

// "A1".."P8" for 0..127, "---" for 128 and above.
std::string Num_2_Channel(int n);

// A channel nobody uses: not used (type 1) and without a description (blanks are none). The in-use
// listings (reports, the words of a configuration) leave it out.
bool IsUnusedChannel(const Configuration& cfg, int channel);

// Changes the type of channel n and writes the type's defaults. Returns the channels whose cells
// must be redrawn (n, and n + 1 when a pair was claimed or released). A two-channel type that would
// run past P8, and any change of the second channel of a pair, is refused and returns nothing.
std::vector<int> SetChannelType(Configuration& cfg, int n, int t);

// ---- The channel-type pop-up menu ----
constexpr int kPopupEntries = 32;
struct PopupEntry {
    int index;
    int captionText; // language text; -1 for a separator
    int type;        // -1 for a separator
    bool hidden;
};
const std::vector<PopupEntry>& ChannelTypePopup();

struct PopupState {
    std::array<bool, kPopupEntries> enabled{};
};
// Which entries the pop-up offers for channel cur: the roller pairs only on even channels, the
// common siren only where there is none yet or on the one that is.
PopupState Manage_popup_ChtypeSel(const Configuration& cfg, int cur);

// ---- Channels claimed by the main setup lists ----
constexpr int kMuxFirst = 0; // A1..A4
constexpr int kMuxChannels = 4;
constexpr int kCounterFirst = 8; // B1
constexpr std::array<int, 5> kCounterItemData = {0, 15, 23, 31, 39};

// The snapshot taken when a claiming list gets the focus: SavedChanType = the current types of
// channels first..127.
void SnapshotChannelTypes(Configuration& cfg, int first = 0);

// The choices of the lists. Each stores its SysData byte, claims or gives back channels and returns
// whether anything in the model changed.
bool ChooseMultiplexer(Configuration& cfg, int k);
bool ChooseTimeOutput(Configuration& cfg, int k);
bool ChooseCounter(Configuration& cfg, int k);

// Whether counter size k would take a channel the time output holds, or time output k a channel the
// counter holds. Neither claim could give such a channel back, so the choice is refused (the Choose
// functions change nothing for it). A configuration that holds both already is kept as it is.
bool CounterClashesWithTimeOutput(const Configuration& cfg, int k);
bool TimeOutputClashesWithCounter(const Configuration& cfg, int k);

} // namespace korvane
