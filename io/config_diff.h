#pragma once
// The raw differences between two configurations, byte by byte, for whoever needs to see every byte
// of the file (korvane-cli diff --bytes). The differences in the user's words are CompareFacts
// (model/differences.h).

#include <string>
#include <vector>

#include "model/configuration.h"

namespace korvane {

struct ByteDifference {
    std::string where;  // "C4", "system", "logic block 12", "SMS text 3", ...
    std::string what;   // "type", "text", "setup byte 5", "device number (byte 51)", ...
    std::string before; // texts quoted, in UTF-8, with JSON escapes (\r, \n, \\)
    std::string after;

    std::string line() const { return where + ": " + what + ": " + before + " -> " + after; }
};

// Everything a configuration file carries, compared byte by byte in file order.
std::vector<ByteDifference> CompareBytes(const Configuration& a, const Configuration& b);

// The name of a SysData byte: "device number (byte 51)", "SysData byte 200".
std::string SysDataByteName(int index);

} // namespace korvane
