#pragma once
// The differences between two configurations in the installer's terms: the channel by its name
// ("C4"), the setting by its name, the old and the new value.

#include <string>
#include <vector>

#include "model/configuration.h"

namespace korvane {

// What a difference is about, so that a window can name it in its own language.
enum class DiffItem {
    GeneralDescription,
    Function,         // the channel type; values are type codes
    Options,          // the channel's event flags; values are ChanFlags bits
    SetupByte,        // ChanSetup byte `index`
    MasterByte,       // MasterMatrix byte `index`
    ChannelText,      // the channel's description
    LogicByte,        // byte `index` of logic block `block`
    LogicDescription, // DescText `block`
    SystemByte,       // SysData byte `index`
    SmsText,          // SmsText `index`
    SmsIdentification,
};

struct Difference {
    std::string where;  // "C4", "system", "logic block 12", "SMS text 3", ...
    std::string what;   // "type", "text", "setup byte 5", "device number (byte 51)", ...
    std::string before; // texts quoted, in UTF-8, with JSON escapes (\r, \n, \\)
    std::string after;
    DiffItem item = DiffItem::SystemByte;
    int channel = -1;     // the channel it belongs to, -1: none
    int block = -1;       // the logic block or description
    int index = -1;       // the byte or entry
    int beforeValue = -1; // the numbers behind before and after (-1 for texts)
    int afterValue = -1;

    std::string line() const { return where + ": " + what + ": " + before + " -> " + after; }
};

// Everything a configuration file carries, compared in file order.
std::vector<Difference> CompareConfigurations(const Configuration& a, const Configuration& b);

// The name of a SysData byte for the user: "device number (byte 51)", "SysData byte 200".
std::string SysDataByteName(int index);

} // namespace korvane
