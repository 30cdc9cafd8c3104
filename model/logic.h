#pragma once
// Logic blocks: the display text of a signal code, the key rules of the logic page's fields and the
// marks of channels driven by logic.

#include <optional>
#include <string>

#include "model/configuration.h"

namespace korvane {

// Byte 3 of a logic block.
constexpr int kLogicOperationMask = 12; // 4 And, 8 Or, 12 Xor
constexpr int kLogicOutput = 0;
constexpr int kLogicInput1 = 1;
constexpr int kLogicInput2 = 2;
constexpr int kLogicOperation = 3; // byte 3: operation and input marks; 0 = block not in use
constexpr int kLogicPages = 8;     // eight pages of eight blocks
constexpr int kLogicRowsPerPage = 8;
// Input marks in byte 3: the "--" bit and the edge bit of each input.
constexpr Byte kLogicLevel1 = 0x20;
constexpr Byte kLogicEdge1 = 0x80;
constexpr Byte kLogicLevel2 = 0x10;
constexpr Byte kLogicEdge2 = 0x40;
constexpr int kLogicNoSignal = 160; // codes from 160 up name no signal

// The text of a signal: kind 0 the output (no mark), 1 and 2 the inputs with their mark ("  ",
// "--", "/ ", "\ ") before the channel or marker name; "-----" for no signal.
std::string LogicChannel(int code, int byte3, int kind);
// Whether a block works: its byte 3 names an operation.
bool LogicBlockOperates(const LogicRecord& block);
// Whether a block is in use: its byte 3 holds an operation or an input mark. The unit gets such a
// block, the page shows its signals, the report prints it and the comparisons name its changes; a
// block whose byte 3 is 0 is off, whatever signals it still holds.
bool LogicBlockInUse(const LogicRecord& block);
// "", "And", "Or" or "Xor" for byte 3.
std::string LogicOperationText(int byte3);
// The channels an active block among 0..63 drives: their cells carry the logic mark "!!".
using LogicMarkSet = std::array<bool, kChannels>;
LogicMarkSet LogicMarks(const Configuration& cfg);

// The signal code after a letter, digit or marker key: A..P choose the group of a bus channel, 1..8
// (main keyboard or keypad) the digit, X, Y, Z and W a marker group; the digit is kept. Nothing for
// any other key.
std::optional<int> LogicSignalKey(int code, int keyCode);
// Byte 3 after an operation key: A And, O Or, X Xor (the input marks kept), Space or Delete switch
// the block off (0). Nothing for any other key.
std::optional<int> LogicOperationKey(int byte3, int keyCode);
// The block after a key in one of its fields (kLogicOutput, kLogicInput1, kLogicOperation,
// kLogicInput2), or nothing when the key means nothing there. The inputs take the mark keys too:
// minus or Delete toggle "--", plus removes the marks, the key left of Z sets "\ " and keypad / or *
// switch between "/ " and "\ " (the edge marks on bus channels only); a marker input loses its own
// edge mark and both marks of the other input.
std::optional<LogicRecord> LogicKey(const LogicRecord& block, int field, int keyCode);

// The first block of a logic page (0..7; a page outside that range is held to it).
int LogicPageFirstBlock(int page);
int ClampLogicPage(int page);

} // namespace korvane
