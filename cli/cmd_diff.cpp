// diff: what changed from one configuration file to another, in the words of the editor's pages (also
// as a unit would hold the two) or byte by byte. Exits as diff(1) does: 0 equal, 1 different, 2 when a file cannot be
// read.

#include <iostream>

#include "cli/command_support.h"
#include "io/config_diff.h"
#include "io/verify.h"
#include "model/differences.h"

namespace korvane::cli {

int RunDiff(const Arguments& a) {
    a.needPositional(2);
    std::string error;
    const auto first = LoadForUse(a.positional[0], error);
    if (!first) {
        Fail(error);
        return kExitUsage;
    }
    const auto second = LoadForUse(a.positional[1], error);
    if (!second) {
        Fail(error);
        return kExitUsage;
    }
    if (a.has("--bytes")) {
        const auto diffs = CompareBytes(*first, *second);
        for (const ByteDifference& d : diffs)
            std::cout << d.line() << "\n";
        return diffs.empty() ? kExitOk : kExitFailed;
    }
    // As a unit would hold them: texts cut to their slots, only what a read of the unit returns.
    const auto diffs = a.has("--as-unit")
                           ? CompareFacts(AsUnitHoldsIt(*first), AsUnitHoldsIt(*second), CompareScope::Unit)
                           : CompareFacts(*first, *second, CompareScope::File);
    for (const Difference& d : diffs)
        std::cout << CompareLine(WordDifference(d, Words())) << "\n";
    return diffs.empty() ? kExitOk : kExitFailed;
}

} // namespace korvane::cli
