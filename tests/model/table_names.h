#pragma once
// Keys and channels as the model tables in tests/data name them. A key: a single character is its own
// key code ('F', '7'), "Pad0".."Pad9" the keypad digits, and a few named keys; keys of a sequence split
// by spaces. A channel: "A1".."P8". Bytes: "column=value", or in hex. Places of a configuration: see
// placesNamed.

#include <cctype>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "model/calendar.h"
#include "model/channel_types.h"
#include "model/field_rules.h"
#include "model/references.h"
#include "model/text_ids.h"
#include "tests/support/io_test_support.h"

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

// The bytes the tables set and read by name: of the system data ("deviceNo"), or of the row of the
// channel a table works on ("flashInterval"). One list for the model tables, the page tables and the
// program's steps.
struct NamedByte {
    const char* name;
    bool system;
    int at;
};
inline constexpr NamedByte kNamedBytes[] = {
    {"deviceNo", true, kSysDeviceNo},
    {"inUse", true, kSysChannelsInUse},
    {"eventSms", true, kSysEventSms},
    {"eventOff", true, kSysEventOff},
    {"dialOut", true, kSysDialOutMethod},
    {"dialInSafety", true, kSysDialInSafety},
    {"dialInPassword", true, kSysDialInPassword},
    {"smsResponseTime", true, kSysSmsResponseTime},
    {"armTime", true, kSysIntruderArmTime},
    {"intruderSirenTime", true, kSysIntruderSirenTime},
    {"isaSirenTime", true, kSysIsaSirenTime},
    {"isaMode", true, kSysIsaMode},
    {"commonSiren", true, kSysCommonSiren},
    {"smokeResetTime", true, kSysSmokeResetTime},
    {"waterResetTime", true, kSysWaterResetTime},
    {"muxCount", true, kSysMuxCount},
    {"muxDelay", true, kSysMuxDelay},
    {"timeOutput", true, kSysTimeOutput},
    {"counter", true, kSysCounter},
    {"summerTime", true, kSysAutoSummerTime},
    {"type", false, kRowType},
    {"disable", false, kAlarmDisable},
    {"flash", false, kSirenMasterFlash},
    {"flashInterval", false, kSirenFlashInterval},
    {"onDelay", false, kIsaOnDelay},
    {"motionInAlarm", false, kMotionInAlarm},
    {"motionPulses", false, kMotionPulses},
    {"direction", false, kRollPriorityDirection},
    {"rmMode", false, kRmMode},
    {"days0", false, DaySetByte(0, kDayMaskPart)},
    {"onHour0", false, DaySetByte(0, kOnHourPart)},
    {"onMinute0", false, DaySetByte(0, kOnMinutePart)},
};

// The byte of that name, or none.
inline const NamedByte* byteNamed(const std::string& name) {
    for (const NamedByte& b : kNamedBytes)
        if (name == b.name)
            return &b;
    return nullptr;
}

// A language text by its name in model/text_ids.h ("kTxtMoveStep"); an unknown name fails the test.
inline int textNamed(const std::string& name) {
    static const std::map<std::string, int> names = [] {
        std::map<std::string, int> m;
#define KORVANE_TEXT_NAME(id, number) m.emplace(#id, number);
        KORVANE_LANGUAGE_TEXTS(KORVANE_TEXT_NAME)
#undef KORVANE_TEXT_NAME
        return m;
    }();
    EXPECT_EQ(names.count(name), 1u) << "no language text named " << name;
    return names.count(name) ? names.at(name) : -1;
}

// `text` with each "{kTxtName}" replaced by what textOf gives for that text's number, so that a table
// names a text rather than its number.
template <class TextOf> std::string withTextNames(std::string text, TextOf textOf) {
    for (std::size_t open = text.find("{kTxt"); open != std::string::npos; open = text.find("{kTxt", open)) {
        const std::size_t close = text.find('}', open);
        if (close == std::string::npos)
            break;
        const std::string shown = textOf(textNamed(text.substr(open + 1, close - open - 1)));
        text.replace(open, close - open + 1, shown);
        open += shown.size();
    }
    return text;
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

// The bytes or texts a place names: "B3.1" byte 1 of channel B3's row (Q1 the spare row beyond P8),
// "master B3.1", "logic 4.3" (block 4), "sys 11", "flags B3", "saved B3" (the type the claims give back),
// "text B3", "sms 1", "desc 8" (a description), "smsid 0" (the SMS identification). "A1..A4.0" names byte 0 of each of
// the channels A1 to A4.
struct Places {
    std::vector<Byte*> bytes;
    std::vector<std::string*> texts;
};

inline Places placesNamed(Configuration& cfg, const std::string& name) {
    const std::size_t space = name.find(' ');
    const std::string area = space == std::string::npos ? "row" : name.substr(0, space);
    std::string where = name.substr(space == std::string::npos ? 0 : space + 1);
    const std::size_t dot = where.rfind('.');
    int column = 0;
    if (dot != std::string::npos && where[dot - 1] != '.') {
        column = std::stoi(where.substr(dot + 1));
        where.resize(dot);
    }
    const std::size_t dots = where.find("..");
    const auto index = [](const std::string& s) { return std::isalpha(s[0]) ? channelNamed(s) : std::stoi(s); };
    const int last = index(dots == std::string::npos ? where : where.substr(dots + 2));
    Places out;
    for (int i = index(where.substr(0, dots)); i <= last; ++i) {
        Byte* byte = area == "row"      ? &cfg.ChanSetup[i][column]
                     : area == "master" ? &cfg.MasterMatrix[i][column]
                     : area == "logic"  ? &cfg.LogicBlocks[i][column]
                     : area == "sys"    ? &cfg.SysData[i]
                     : area == "flags"  ? &cfg.ChanFlags[i]
                     : area == "saved"  ? &cfg.SavedChanType[i]
                                        : nullptr;
        std::string* text = area == "text"    ? &cfg.ChanText[i]
                            : area == "sms"   ? &cfg.SmsText[i]
                            : area == "desc"  ? &cfg.DescText[i]
                            : area == "smsid" ? &cfg.SmsIdText
                                              : nullptr;
        EXPECT_TRUE(byte || text) << "no area " << area;
        if (byte)
            out.bytes.push_back(byte);
        if (text)
            out.texts.push_back(text);
    }
    EXPECT_FALSE(out.bytes.empty() && out.texts.empty()) << "nothing named " << name;
    return out;
}

// Applies settings split by ";": "A3.6=255; sys 11=0x3F; text B2=Flur".
inline void applySettings(Configuration& cfg, const std::string& settings) {
    for (const std::string& setting : splitOn(settings, ';')) {
        const std::size_t equals = setting.find('=');
        const std::string value = setting.substr(equals + 1);
        const Places places = placesNamed(cfg, setting.substr(0, equals));
        for (Byte* byte : places.bytes)
            *byte = static_cast<Byte>(std::stoi(value, nullptr, 0));
        for (std::string* text : places.texts)
            *text = value;
    }
}

// Checks that each place named holds the value ("B3.1", "0x20"; "text B2", "Flur").
inline void expectPlaces(Configuration& cfg, const std::string& name, const std::string& value) {
    const Places places = placesNamed(cfg, name);
    for (const Byte* byte : places.bytes)
        EXPECT_EQ(*byte, std::stoi(value, nullptr, 0)) << name;
    for (const std::string* text : places.texts)
        EXPECT_EQ(*text, value) << name;
}

// A reference in the words of the tables: who refers, what, the action, "@" its place, "idle".
inline std::string placeText(const ReferencePlace& p) {
    const std::string area = p.area == StoreArea::ChanSetup      ? ""
                             : p.area == StoreArea::MasterMatrix ? "master "
                             : p.area == StoreArea::LogicBlocks  ? "logic "
                                                                 : "sys ";
    std::string row = p.area == StoreArea::SysData       ? ""
                      : p.area == StoreArea::LogicBlocks ? std::to_string(p.row) + "."
                                                         : Num_2_Channel(p.row) + ".";
    std::string text = area + row + std::to_string(p.byte);
    if (p.mask != 0) {
        char mask[8];
        std::snprintf(mask, sizeof mask, "/0x%02X", p.mask);
        text += mask;
    }
    return text;
}

inline std::string referenceText(const ChannelReference& r) {
    static const char* const kinds[] = {"",       "master",   "flash", "roller", "output", "input1",
                                        "input2", "exchange", "mux",   "time",   "counter"};
    static const char* const actions[] = {"", " on", " off", " inverted", " rising", " falling"};
    const std::string from = r.from < 0                               ? "setup"
                             : r.place.area == StoreArea::LogicBlocks ? "block " + std::to_string(r.from)
                                                                      : Num_2_Channel(r.from);
    const std::string what = r.kind == ReferenceKind::ChannelField ? r.fact->name : kinds[static_cast<int>(r.kind)];
    return from + " " + what + actions[static_cast<int>(r.action)] + " @ " + placeText(r.place) +
           (r.inEffect ? "" : " idle");
}

} // namespace korvane::testing
