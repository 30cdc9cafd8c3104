#pragma once
// What a stored value is: where it lives, how a locked field enters it, its range, how it is shown
// and the range hint its field carries. The editor pages, the reports, the differences between two
// configurations and the command line all show values through these facts, so a value reads the
// same everywhere.

#include <optional>
#include <string>

#include "model/configuration.h"

namespace korvane {

// Where a value lives.
enum class ValueArea : std::uint8_t {
    Sys,           // SysData byte `index`
    Channel,       // ChanSetup row of the channel, column `index`
    ChannelFlag,   // bit mask `index` of the channel's ChanFlags
    SysBit,        // bit mask `mask` of SysData byte `index`
    ChannelWord,   // ChanSetup columns `index` (high byte) and `index` + 1 (low byte) of the channel
    ChannelTenths, // signed tenths in ChanSetup columns `index`..`index` + 2 of the channel
    Logic,         // byte `index` % 4 of block `index` / 4 of the logic page (blocks 8 x page ..)
};

// How a locked field turns keys into the value (the field input rules).
enum class ValueEntry : std::uint8_t {
    None,           // chosen with a control, not typed
    Decimal,        // Object_NumInDec: the last digits typed, restart above the maximum
    Packed,         // Object_NumIn: two packed decimal digits between a minimum and a maximum
    Range,          // Object_NummaxRangeIn: decimal digits straight into the byte
    ChannelXyzw,    // Object_DisableChannelInput: groups A..P and X, Y, Z, W; minus or Delete clear
    Channel,        // Object_ChannelIn: groups A..P only
    SirenTime,      // Object_NumInDec; minus or Delete store kContinuous (until the alarm is acknowledged)
    Decimal4,       // the last four digits typed, restart above the maximum (a roller blind's reverse time)
    Number,         // typed as text (sign, digits, one decimal) and taken on Enter, not key by key
    LogicSignal,    // a logic signal: A..P and X, Y, Z, W choose the group, 1..8 the digit
    LogicOperation, // a logic operation: A And, O Or, X Xor, Space or Delete off
};

// How the value is shown.
enum class ValueFormat : std::uint8_t {
    Digits2,        // "05"
    Digits3,        // "005"
    Packed,         // the two decimal digits of a packed byte
    ChannelRef,     // "A1", "X3", "-----"
    Flag,           // 0 or 1 (a check box)
    Plain,          // the number as it is (list choices)
    SirenTime,      // "05", and "»»»" for kContinuous
    Digits4,        // "0500"
    Tenths,         // signed tenths with one decimal: "-12.3", "0.0"
    LogicOperation, // "", "And", "Or", "Xor"
};

// A siren time that means "until the alarm is acknowledged".
inline constexpr int kContinuous = 255;

struct ValueFact {
    const char* name; // what the value is, in a report or a list of differences
    ValueArea area;
    int index;
    ValueEntry entry;
    int minimum;
    int maximum;
    ValueFormat format;
    const char* hint = nullptr; // the range hint, where it is not "minimum..maximum"
    int mask = 0;               // the bit within the byte: SysBit, and Channel where it is not 0 (a value of 0 or 1)
};

// The stored value of the fact for the given channel, or for the logic page of a logic value (0 or 1
// for a flag).
int ReadValue(const ValueFact& fact, const Configuration& cfg, int channel);
// Stores the value of the fact for the given channel or logic page (a flag is set for any value but 0).
void StoreValue(const ValueFact& fact, Configuration& cfg, int channel, int value);
// The value as its field shows it (Windows-1252 text).
std::string FormatValue(const ValueFact& fact, int value);
// The accepted range as the field's tooltip shows it ("0..255", "A1..PXYZW.8 (-)").
std::string RangeHint(const ValueFact& fact);
// The value after a key typed into the fact's locked field, or nothing when the key means nothing
// there. firstKey is the field's FirstKey: the first digit after entering replaces the value.
std::optional<int> EnterKey(const ValueFact& fact, int stored, int keyCode, bool& firstKey);

// The values the pages edit.
namespace facts {
// system settings (main setup page)
inline constexpr ValueFact kUsePcClock{"use the PC clock", ValueArea::Sys, kSysUsePcClock, ValueEntry::None, 0, 1,
                                       ValueFormat::Flag};
inline constexpr ValueFact kAutoSummerTime{
    "automatic summer/winter time", ValueArea::Sys, kSysAutoSummerTime, ValueEntry::None, 0, 1, ValueFormat::Flag};
inline constexpr ValueFact kChannelsInUse{
    "highest channel in use", ValueArea::Sys, kSysChannelsInUse, ValueEntry::None, 15, 127, ValueFormat::Plain};
inline constexpr ValueFact kMuxCount{"multiplexer count", ValueArea::Sys, kSysMuxCount, ValueEntry::None, 0, 15,
                                     ValueFormat::Plain};
inline constexpr ValueFact kMuxDelay{"multiplexer delay", ValueArea::Sys, kSysMuxDelay, ValueEntry::None, 0, 7,
                                     ValueFormat::Plain};
inline constexpr ValueFact kCounter{"counter", ValueArea::Sys, kSysCounter, ValueEntry::None, 0, 4, ValueFormat::Plain};
inline constexpr ValueFact kEventSms{"event output is SMS", ValueArea::Sys, kSysEventSms, ValueEntry::None, 0, 1,
                                     ValueFormat::Flag};
inline constexpr ValueFact kEventOff{"event output off", ValueArea::Sys, kSysEventOff, ValueEntry::None, 0, 1,
                                     ValueFormat::Flag};
inline constexpr ValueFact kTimeOutput{"time output",     ValueArea::Sys, kSysTimeOutput, ValueEntry::None, 0, 7,
                                       ValueFormat::Plain};
inline constexpr ValueFact kDeviceNo{"device number",     ValueArea::Sys, kSysDeviceNo, ValueEntry::Decimal, 0, 99,
                                     ValueFormat::Digits2};
// every channel
inline constexpr ValueFact kEventOn{"event when on",  ValueArea::ChannelFlag, kFlagCheck1, ValueEntry::None, 0, 1,
                                    ValueFormat::Flag};
inline constexpr ValueFact kEventOffFlag{"event when off", ValueArea::ChannelFlag, kFlagCheck2, ValueEntry::None, 0, 1,
                                         ValueFormat::Flag};
// mono and flip-flop channels
inline constexpr ValueFact kInvertMono{"inverted", ValueArea::Channel, kBasicOptions, ValueEntry::None, 0,
                                       1,          ValueFormat::Flag};
inline constexpr ValueFact kFlipFlopIntruder{
    "part of the intruder alarm", ValueArea::Channel, kBasicOptions, ValueEntry::None, 0, 1, ValueFormat::Flag};
// master functions
inline constexpr ValueFact kMasterRunByClock{
    "run by the clock", ValueArea::Channel, kMasterRealTime, ValueEntry::None, 0, 1, ValueFormat::Flag};
} // namespace facts

// A free text of the configuration.
enum class TextArea : std::uint8_t {
    ChannelText, // ChanText of the channel
    Description, // DescText `index` (8: the general system description, 0..7: the logic pages)
    Sms,         // SmsText `index`
    SmsId,       // SmsIdText
    LogicNote,   // DescText of the logic page (0..7)
};

struct TextFact {
    const char* name;
    TextArea area;
    int index;
    int maxChars;           // the most a user may type (0: no limit); stored texts are never cut to it
    bool multiLine = false; // line breaks are kept as CR LF
};

// The text of the channel, or of the logic page for a logic page note.
const std::string& ReadText(const TextFact& fact, const Configuration& cfg, int channel);
void StoreText(const TextFact& fact, Configuration& cfg, int channel, const std::string& text);

namespace facts {
inline constexpr TextFact kChannelDescription{"description", TextArea::ChannelText, 0, 0};
inline constexpr TextFact kSystemDescription{"system description", TextArea::Description, kGeneralDescription, 0, true};
} // namespace facts

// The fact of a SysData byte, for showing it by name wherever it appears (differences, verify,
// reports); nullptr for a byte no setting stands for.
const ValueFact* SystemFact(int byte);

// Which Edit menu entries the configuration allows: SMS and dial-in while events go out by SMS; the
// data exchange mask while events go out on the serial line of a unit with device number 0.
struct EditMenuState {
    bool sms = false;
    bool exchangeMask = false;
};
EditMenuState EditMenuRules(const Configuration& cfg);

} // namespace korvane
