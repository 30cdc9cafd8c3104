#pragma once
// The differences between two configurations in the installer's terms: the channel by its name
// ("C4"), the setting by its name, the old and the new value.

#include <string>
#include <vector>

#include "model/configuration.h"

namespace korvane {

struct Difference {
    std::string where;  // "C4", "system", "logic block 12", "SMS text 3", ...
    std::string what;   // "type", "text", "setup byte 5", "device number (byte 51)", ...
    std::string before; // texts quoted, in UTF-8, with JSON escapes (\r, \n, \\)
    std::string after;

    std::string line() const { return where + ": " + what + ": " + before + " -> " + after; }
};

// Everything a configuration file carries, compared in file order.
std::vector<Difference> CompareConfigurations(const Configuration& a, const Configuration& b);

// The name of a SysData byte for the user: "device number (byte 51)", "SysData byte 200".
std::string SysDataByteName(int index);

} // namespace korvane
