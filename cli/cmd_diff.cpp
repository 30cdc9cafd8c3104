// diff: what changed from one configuration file to another, in the words of the editor's pages or
// byte by byte. Exits as diff(1) does: 0 equal, 1 different, 2 when a file cannot be read.

#include <iostream>

#include "cli/command_support.h"
#include "io/config_diff.h"
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
    const TextLookup texts = ReadTexts(a);
    const auto diffs = CompareFacts(*first, *second, CompareScope::File);
    for (const Difference& d : diffs)
        std::cout << CompareLine(WordDifference(d, texts)) << "\n";
    return diffs.empty() ? kExitOk : kExitFailed;
}

} // namespace korvane::cli
