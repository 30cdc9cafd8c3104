// The commands that move a channel or swap two in a configuration file: move, swap. Every reference to
// the channels follows them, as Edit > Move channel to... and Edit > Swap with... do.

#include <cctype>
#include <iostream>

#include "cli/command_support.h"
#include "model/channel_ops.h"
#include "model/channel_types.h"

namespace korvane::cli {

namespace {

// "A3" or "a3" as a channel number; a UsageError naming the argument otherwise.
int ChannelArgument(const std::string& what, const std::string& text) {
    if (text.size() == 2) {
        const int group = std::toupper(static_cast<unsigned char>(text[0])) - 'A';
        const int digit = text[1] - '1';
        if (group >= 0 && group < 16 && digit >= 0 && digit < 8)
            return group * 8 + digit;
    }
    throw UsageError{Say(kTxtCliWants, {what, "A1..P8", text})};
}

int RunChannelOp(const Arguments& a, ChannelOp op) {
    a.needPositional(3);
    if (!a.has("-o"))
        throw UsageError{Say(kTxtCliNeeds, {op == ChannelOp::Move ? "move" : "swap", "-o OUT"})};
    const bool move = op == ChannelOp::Move;
    const int first = ChannelArgument(move ? "FROM" : "A", a.positional[1]);
    const int second = ChannelArgument(move ? "TO" : "B", a.positional[2]);
    const TextLookup& texts = Words();
    std::string error;
    auto cfg = LoadForUse(a.positional[0], error);
    if (!cfg)
        return Fail(error);
    const ChannelOpOutcome outcome =
        op == ChannelOp::Move ? MoveChannel(*cfg, first, second) : SwapChannels(*cfg, first, second);
    const std::string name = OperationName(op, Num_2_Channel(first), second, texts);
    if (!outcome.done()) {
        std::string reasons;
        for (const RefusedCell& cell : outcome.refused)
            reasons += (reasons.empty() ? "" : "; ") + RefusalWords(cell, texts);
        return Fail(name + ": " + reasons);
    }
    const FileResult saved = SaveFile(*cfg, OutputPath(a));
    if (!saved.ok())
        return Fail(saved.message());
    std::cout << name << ": " << OutcomeSummary(op, outcome, texts) << "\n";
    return kExitOk;
}

} // namespace

int RunMove(const Arguments& a) {
    return RunChannelOp(a, ChannelOp::Move);
}

int RunSwap(const Arguments& a) {
    return RunChannelOp(a, ChannelOp::Swap);
}

} // namespace korvane::cli
