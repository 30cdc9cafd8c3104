#pragma once
// Who refers to a channel: master functions and the siren's flash pattern that switch it, roller
// masters that command its blind, logic blocks that read or drive it, the channel fields that name it
// (disable, start, priority and limit channels), the data exchange mask and the claims of the main
// setup lists. One list, read from the facts that are channel references, that the "used by" lists,
// the problems, moving and swapping channels and the reports share.

#include <vector>

#include "model/value_facts.h"

namespace korvane {

enum class ReferenceKind : std::uint8_t {
    ChannelField,     // a channel reference byte of the referring channel's row: `fact` says which
    MasterTarget,     // a master function switches the channel on or off
    FlashPattern,     // an intruder siren flashes the channel
    RollerMaster,     // a roller master commands the blind whose first channel this is
    LogicOutput,      // a logic block drives the channel
    LogicInput1,      // a logic block reads the channel as its first input
    LogicInput2,      // ... as its second input
    ExchangeMask,     // the channel takes part in data exchange
    MultiplexerClaim, // the main setup's multiplexer holds the channel
    TimeOutputClaim,  // ... the time output
    CounterClaim,     // ... the counter
};

enum class ReferenceAction : std::uint8_t {
    None,
    On,          // a master target switched on, a flash pattern channel flashed
    Off,         // a master target switched off
    Inverted,    // a logic input read inverted ("--")
    RisingEdge,  // a logic input read on its rising edge ("/ ")
    FallingEdge, // a logic input read on its falling edge ("\ ")
};

// Where a reference is stored, so that it can be rewritten when the channel moves.
enum class StoreArea : std::uint8_t { ChanSetup, MasterMatrix, LogicBlocks, SysData };
struct ReferencePlace {
    StoreArea area;
    int row;  // channel row, master row or logic block; 0 for SysData
    int byte; // the byte within the row (the SysData byte)
    // 0: the byte holds the channel's number (a channel field, a logic signal) or the setting that
    // claims it. Otherwise the bits of the channel within the byte: a master target's on bit (its
    // affected bit has the same mask in byte + kMasterAffectedOffset), a roller master's two bits of
    // the pair, the data exchange bit.
    Byte mask = 0;
    bool operator==(const ReferencePlace&) const = default;
};

struct ChannelReference {
    int channel; // the channel referred to, 0..127
    ReferenceKind kind;
    // Who refers: the referring channel (0..127) for channel fields and the grids, the logic block
    // (0..63) for logic, -1 for a system setting (exchange mask, claims).
    int from;
    const ValueFact* fact; // the fact whose value holds the reference: its caption names it
    ReferenceAction action;
    ReferencePlace place;
    // Whether the unit acts on it now: false for a master target whose channel cannot be switched, a
    // flash pattern of a siren that does not flash, a roller master cell over a channel that is no
    // blind, a limit channel whose limit is switched off, a logic block without an operation, the
    // exchange mask while it is not offered, a claim over a channel that no longer carries its type.
    bool inEffect;
};

// Every reference to a bus channel in the configuration: the claims, then the channels in order with
// their fields in page order and their grid, then the logic blocks, then the exchange mask. References
// to the marker groups X, Y, Z, W and to no channel are not listed; nor are bytes the referring
// channel's function does not read as a channel.
std::vector<ChannelReference> AllReferences(const Configuration& cfg);
// The references to one channel, in the same order; none for a channel nothing refers to.
std::vector<ChannelReference> ReferencesTo(const Configuration& cfg, int channel);

} // namespace korvane
