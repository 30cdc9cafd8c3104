#pragma once
// The values of the logic page: the four bytes of the eight blocks of the page shown, and the page's
// notes.

#include <array>

#include "model/logic.h"
#include "model/value_facts.h"

namespace korvane::facts {

// One column of the logic page: the same byte of each of the page's eight blocks.
constexpr std::array<ValueFact, kLogicRowsPerPage> LogicColumn(const char* name, int byte, ValueEntry entry,
                                                               ValueFormat format, const char* hint) {
    std::array<ValueFact, kLogicRowsPerPage> column{};
    for (int r = 0; r < kLogicRowsPerPage; ++r)
        column[static_cast<std::size_t>(r)] =
            ValueFact{name, ValueArea::Logic, kLogicBytes * r + byte, entry, 0, 255, format, hint};
    return column;
}

// Each of the 64 blocks as a whole, as an equation.
constexpr std::array<ValueFact, kLogicBlocksUsed> LogicBlockFacts() {
    std::array<ValueFact, kLogicBlocksUsed> blocks{};
    for (int b = 0; b < kLogicBlocksUsed; ++b)
        blocks[static_cast<std::size_t>(b)] =
            ValueFact{"logic block", ValueArea::LogicBlock, b, ValueEntry::None, 0, 0, ValueFormat::LogicEquation};
    return blocks;
}
inline constexpr auto kLogicBlockFacts = LogicBlockFacts();

inline constexpr auto kLogicOutputs =
    LogicColumn("logic output", kLogicOutput, ValueEntry::LogicSignal, ValueFormat::ChannelRef, "A1..P8, X1..W8");
inline constexpr auto kLogicInputs1 = LogicColumn("logic input 1", kLogicInput1, ValueEntry::LogicSignal,
                                                  ValueFormat::ChannelRef, "A1..P8, X1..W8 (- + / *)");
inline constexpr auto kLogicOperations = LogicColumn("logic operation", kLogicOperation, ValueEntry::LogicOperation,
                                                     ValueFormat::LogicOperation, "A, O, X (Space)");
inline constexpr auto kLogicInputs2 = LogicColumn("logic input 2", kLogicInput2, ValueEntry::LogicSignal,
                                                  ValueFormat::ChannelRef, "A1..P8, X1..W8 (- + / *)");

// DescText of the logic page shown: several lines, at most 255 characters typed.
inline constexpr TextFact kLogicNotes{"logic page notes", TextArea::LogicNote, 0, 255, true, kTxtNotes};

} // namespace korvane::facts
