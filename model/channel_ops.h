#pragma once
// Copying, pasting, moving and swapping channels, and the descriptions a spreadsheet holds.
//
// Copy takes a rectangle of the matrix (groups A..P are its rows, digits 1..8 its columns) with each
// channel's function, settings, master row, event options and description. Paste lays it onto the
// matrix again, cell by cell, refusing the cells a channel cannot go to. Move and swap take a
// channel's function, settings, description and master row to another place, and every reference to
// it (the list of who refers to a channel) follows, so that the configuration does what it did before.

#include <string>
#include <vector>

#include "model/configuration.h"
#include "model/vocabulary.h"

namespace korvane {

// A rectangle of the matrix: the channel at its top left, the number of groups (rows) and digits
// (columns) it covers.
struct ChannelRange {
    int first = 0;
    int groups = 1;
    int digits = 1;
    bool operator==(const ChannelRange&) const = default;
};
// The rectangle spanned by two channels, in whichever order they were picked.
ChannelRange RangeBetween(int a, int b);
// Its channels in matrix order (row by row); the part outside the matrix is left out.
std::vector<int> RangeChannels(const ChannelRange& range);
// "B5" for one channel, "A1..B3" for a rectangle.
std::string RangeName(const ChannelRange& range);

// One copied channel: where it lies in the rectangle and all it holds.
struct CopiedChannel {
    int group = 0; // rows and columns from the rectangle's top left
    int digit = 0;
    Row setup{};
    Row master{};
    Byte flags = 0;
    std::string text;
    // For the first channel of a pair: its second channel's row and flags.
    Row secondSetup{};
    Byte secondFlags = 0;
};
struct ChannelClip {
    int groups = 0;
    int digits = 0;
    std::vector<CopiedChannel> channels; // the second channel of a pair travels with its first
    bool empty() const { return channels.empty(); }
};
ChannelClip CopyChannels(const Configuration& cfg, const ChannelRange& range);

// Why a channel cannot be pasted, moved or swapped where it was asked to go.
enum class Refusal : std::uint8_t {
    Claimed,        // the channel is claimed by the multiplexer, the time output or the counter
    SecondOfPair,   // the channel is the second channel of the pair of `other`
    PairOnOdd,      // a channel pair must start on digit 1, 3, 5 or 7
    PairPastEnd,    // a channel pair would run past P8
    InUse,          // the channel carries a function (`other`: its type)
    ReferredTo,     // settings refer to the channel (`other`: how many)
    NotInUse,       // the channel lies above the number of channels in use
    NotOffered,     // the function is not offered on a channel (`other`: the type)
    CommonSiren,    // the common siren is already on `other`
    OddRollerMark,  // a roller master's choice of the channel cannot name an odd channel
    OutsideMatrix,  // the cell lies beyond P8 or digit 8
    SameChannel,    // a channel cannot go to itself
    SizeMismatch,   // the target range is not the size of the copied one (`other` x `other2`: digits x groups)
    NothingToPaste, // the clipboard holds no channels and no text
};
struct RefusedCell {
    int channel; // the channel refused (-1 where the whole operation is refused)
    Refusal why;
    int other = -1;
    int other2 = -1;
    bool operator==(const RefusedCell&) const = default;
};

// What an operation did: the channels it changed, the references it rewrote and the cells it refused.
struct ChannelOpOutcome {
    std::vector<int> changed; // every channel whose row, text or flags changed, for redrawing
    int items = 0;            // channels pasted, descriptions filled, channels moved
    int referencesChanged = 0;
    std::vector<RefusedCell> refused;
    bool done() const { return !changed.empty(); }
};

// Lays the copied channels onto the matrix: at `target` (the top left of a range of the clip's size,
// or one cell). A range of another size is refused as a whole. Each cell is refused on its own: a
// claimed channel, the second channel of a pair that is not pasted over too, a pair on an odd channel
// or past P8, a function that is not offered there, a second common siren, a channel above the
// channels in use. Nothing changes when nothing fits. The pasted channels keep their references.
ChannelOpOutcome PasteChannels(Configuration& cfg, const ChannelClip& clip, const ChannelRange& target);

// Moves channel `from` (with its second channel, for a pair) to the free channel `to`, and every
// reference follows it. Refused, changing nothing, when a channel is claimed, `to` is in use or
// referred to, a pair would land on an odd channel, or a channel lies above the channels in use.
ChannelOpOutcome MoveChannel(Configuration& cfg, int from, int to);
// Exchanges channels `a` and `b` (a pair with the two channels at the other place) and their references.
ChannelOpOutcome SwapChannels(Configuration& cfg, int a, int b);

// The channels as spreadsheet text: one line per channel in the rectangle, in matrix order, "channel,
// function in words, description" split by tabs, lines ending in CR LF. Second channels of pairs and
// channels above the channels in use are left out. Text in the 8-bit character set.
std::string ChannelsAsText(const Configuration& cfg, const ChannelRange& range, const TextLookup& text);
// Fills descriptions from spreadsheet text, one line each, from channel `first` onwards in channel
// order (second channels of pairs skipped). A line is a description, or the first column of several;
// a line in the form ChannelsAsText writes gives its description. Double quotes become apostrophes.
// Lines past the last channel in use are refused.
ChannelOpOutcome PasteDescriptions(Configuration& cfg, int first, const std::string& spreadsheet);

// ---- In words (UTF-8) ----
// The name of the undo step: "Move A3 → B5", "Swap A3 ↔ B5", "Paste A1..A2 → B5", "Descriptions → B5".
enum class ChannelOp : std::uint8_t { Paste, Move, Swap, Descriptions };
std::string OperationName(ChannelOp op, const std::string& from, int to, const TextLookup& text);
// The summary shown after it: "3 references changed", "2 channels pasted", with the refused cells and
// their reasons on the following lines.
std::string OutcomeSummary(ChannelOp op, const ChannelOpOutcome& outcome, const TextLookup& text);
// One refused cell in words: "B3 is claimed on the main setup page".
std::string RefusalWords(const RefusedCell& cell, const TextLookup& text);

} // namespace korvane
