#pragma once
// Logic blocks: the display text of a signal code and the marks of channels driven by logic.

#include <string>

#include "model/configuration.h"

namespace korvane {

// Byte 3 of a logic block.
constexpr int kLogicOperationMask = 12; // 4 And, 8 Or, 12 Xor
constexpr int kLogicOutput = 0;
constexpr int kLogicInput1 = 1;
constexpr int kLogicInput2 = 2;

// The text of a signal: kind 0 the output (no mark), 1 and 2 the inputs with their mark ("  ",
// "--", "/ ", "\ ") before the channel or marker name; "-----" for no signal.
std::string LogicChannel(int code, int byte3, int kind);
// "", "And", "Or" or "Xor" for byte 3.
std::string LogicOperationText(int byte3);
// Rebuilds LogicMarks: a channel is marked when an active block among 0..63 drives it.
void CheckLogic(Configuration& cfg);

} // namespace korvane
