#pragma once
// Keys and channels as the model tables in tests/data name them. A key: a single character is its own
// key code ('F', '7'), "Pad0".."Pad9" the keypad digits, and a few named keys; keys of a sequence split
// by spaces. A channel: "A1".."P8". Bytes: "column=value", or in hex.

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "model/field_rules.h"

namespace korvane::testing {

inline int keyCode(const std::string& name) {
    static const std::map<std::string, int> named{{"Del", vk::kDelete},
                                                  {"Minus", vk::kMinus},
                                                  {"PadMinus", vk::kPadSubtract},
                                                  {"Plus", vk::kPlus},
                                                  {"PadPlus", vk::kPadAdd},
                                                  {"PadDiv", vk::kPadDivide},
                                                  {"PadMul", vk::kPadMultiply},
                                                  {"Space", vk::kSpace},
                                                  {"LeftOfZ", vk::kOem102},
                                                  {"Enter", vk::kEnter},
                                                  {"Left", vk::kLeft},
                                                  {"Right", vk::kRight},
                                                  {"Up", vk::kUp},
                                                  {"Down", vk::kDown},
                                                  {"Nothing", 0}};
    if (name.size() == 1)
        return name[0];
    if (name.size() == 4 && name.rfind("Pad", 0) == 0)
        return vk::kPad0 + name[3] - '0';
    EXPECT_EQ(named.count(name), 1u) << "no key named " << name;
    return named.count(name) ? named.at(name) : -1;
}

inline std::vector<int> keyCodes(const std::string& names) {
    std::vector<int> keys;
    std::istringstream in(names);
    for (std::string name; in >> name;)
        keys.push_back(keyCode(name));
    return keys;
}

// "2=0x07 3=0" as columns and their values.
inline std::vector<std::pair<int, int>> columnValues(const std::string& text) {
    std::vector<std::pair<int, int>> out;
    std::istringstream in(text);
    for (std::string setting; in >> setting;)
        out.emplace_back(std::stoi(setting), std::stoi(setting.substr(setting.find('=') + 1), nullptr, 0));
    return out;
}

// "7F 00 84 A4" as bytes.
inline std::vector<Byte> hexBytes(const std::string& text) {
    std::vector<Byte> out;
    std::istringstream in(text);
    for (int value = 0; in >> std::hex >> value;)
        out.push_back(static_cast<Byte>(value));
    return out;
}

// The channel number of "A1".."P8".
inline int channelNamed(const std::string& name) {
    EXPECT_EQ(name.size(), 2u) << name;
    return name.size() == 2 ? (name[0] - 'A') * 8 + (name[1] - '1') : -1;
}

} // namespace korvane::testing
