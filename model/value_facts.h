#pragma once
// What a stored value is: where it lives, how a locked field enters it, its range, how it is shown
// and the range hint its field carries, and its words: caption, unit and choices as language texts.
// The editor pages, the reports, the differences between two configurations and the command line all
// show values through these facts, so a value reads the same everywhere and its words are written
// once.

#include <optional>
#include <span>
#include <string>

#include "model/configuration.h"
#include "model/text_ids.h"
#include "model/vocabulary.h"

namespace korvane {

// Where a value lives.
enum class ValueArea : std::uint8_t {
    Sys,             // SysData byte `index`
    Channel,         // ChanSetup row of the channel, column `index`
    ChannelFlag,     // bit mask `index` of the channel's ChanFlags
    SysBit,          // bit mask `mask` of SysData byte `index`
    ChannelWord,     // ChanSetup columns `index` (high byte) and `index` + 1 (low byte) of the channel
    ChannelTenths,   // signed tenths in ChanSetup columns `index`..`index` + 2 of the channel
    Logic,           // byte `index` % 4 of block `index` / 4 of the logic page (blocks 8 x page ..)
    ChannelDuration, // seconds in ChanSetup columns `index`..`index` + 2 of the channel, least significant first
    SysQuad,         // SysData bytes `index`..`index` + 3 as one number, the first byte highest
    LogicBlock,      // the four bytes of logic block `index` as one number, byte 0 highest
    EventOutput,     // the event output list: 2 (off) while SysData 58 is 1, else SysData 13 (0 line, 1 SMS)
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
    Duration,       // a count of seconds as hours:minutes:seconds: "00:10:00"
    TimeOfDay,      // packed hour (high byte) and minute (low byte): "07:30"; an hour of 255 is not set
    DayMask,        // the day boxes of a day set, bit 128 Monday .. bit 1 holiday: "Mo Tu We"
    TypeName,       // a channel function: its name
    MasterState,    // a master or flash pattern cell: not switchable, off, on, not affected
    Selection,      // a roller master or data exchange cell: not switchable (-1), not selected (0), selected
    HolidayPeriod,  // first month, first day, last month, last day (packed): "24.12.-26.12."
    LogicEquation,  // output, input 1, input 2, operation: "D4 = B2 And X3"
};

// When a caption changes with the configuration, as the page changes it.
enum class CaptionRule : std::uint8_t {
    None,
    SmsEvents,      // the event options while the events go out by SMS
    InvertedLimits, // an analogue sensor's limits while they are inverted
    PulseTimer,     // the two times of a pulse timer (type 4): pulse and pause
    MasterTrigger,  // the day-set times of a master function: its trigger times
};

// A value a list or an option array offers and its text: a language text, or a fixed text where `text`
// is 0. `name` is an option button's objectName where it is not the array's name and the value.
struct Choice {
    int value;
    int text = 0;
    const char* fixed = nullptr;
    const char* name = nullptr;
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
    // Its words, as language texts: the caption, the unit after the value, the choices of a list; a
    // context and number before the caption where the caption alone is ambiguous ("Limit 1, Off
    // below"), or a number after it; and the caption that replaces it while a rule holds.
    int caption = 0;
    int unit = 0;
    std::span<const Choice> choices = {};
    int context = 0;
    int number = 0;
    CaptionRule rule = CaptionRule::None;
    int ruleCaption = 0;

    constexpr ValueFact words(int captionText, int unitText = 0) const {
        ValueFact f = *this;
        f.caption = captionText;
        f.unit = unitText;
        return f;
    }
    constexpr ValueFact choosing(std::span<const Choice> list) const {
        ValueFact f = *this;
        f.choices = list;
        return f;
    }
    constexpr ValueFact within(int contextText, int n) const {
        ValueFact f = *this;
        f.context = contextText;
        f.number = n;
        return f;
    }
    constexpr ValueFact captionWhile(CaptionRule r, int captionText) const {
        ValueFact f = *this;
        f.rule = r;
        f.ruleCaption = captionText;
        return f;
    }
};

// The stored value of the fact for the given channel, or for the logic page of a logic value (0 or 1
// for a flag).
int ReadValue(const ValueFact& fact, const Configuration& cfg, int channel);
// Stores the value of the fact for the given channel or logic page (a flag is set for any value but 0).
void StoreValue(const ValueFact& fact, Configuration& cfg, int channel, int value);
// The value as its field shows it (Windows-1252 text).
std::string FormatValue(const ValueFact& fact, int value);
// The value in the user's words, with its unit (Windows-1252): "1000 ms", "Up", "yes", "07:30", "A3".
std::string DescribeValue(const ValueFact& fact, int value, const TextLookup& text);
// The caption of the fact as its page shows it for the channel (or logic page) in this configuration.
int CaptionOf(const ValueFact& fact, const Configuration& cfg, int channel);
// The text of a choice, or nothing when no choice stands for the value.
std::optional<std::string> ChoiceText(std::span<const Choice> choices, int value, const TextLookup& text);
// The accepted range as the field's tooltip shows it ("0..255", "A1..PXYZW.8 (-)").
std::string RangeHint(const ValueFact& fact);
// The value after a key typed into the fact's locked field, or nothing when the key means nothing
// there. firstKey is the field's FirstKey: the first digit after entering replaces the value.
std::optional<int> EnterKey(const ValueFact& fact, int stored, int keyCode, bool& firstKey);

// The values the pages edit.
namespace facts {
// ---- choices of the main setup page ----
inline constexpr Choice kChannelsInUseChoices[] = {
    {127, 0, "128"}, {119, 0, "120"}, {111, 0, "112"}, {103, 0, "104"}, {95, 0, "96"},
    {87, 0, "88"},   {79, 0, "80"},   {71, 0, "72"},   {63, 0, "64"},   {55, 0, "56"},
    {47, 0, "48"},   {39, 0, "40"},   {31, 0, "32"},   {23, 0, "24"},   {15, 0, "16"},
};
inline constexpr Choice kMuxCountChoices[] = {
    {0, 0, "---"}, {1, 0, "2"},   {2, 0, "3"},   {3, 0, "4"},   {4, 0, "5"},   {5, 0, "6"},
    {6, 0, "7"},   {7, 0, "8"},   {8, 0, "9"},   {9, 0, "10"},  {10, 0, "11"}, {11, 0, "12"},
    {12, 0, "13"}, {13, 0, "14"}, {14, 0, "15"}, {15, 0, "16"},
};
inline constexpr Choice kMuxDelayChoices[] = {
    {0, 0, "1"}, {1, 0, "2"}, {2, 0, "4"}, {3, 0, "8"}, {4, 0, "16"}, {5, 0, "32"}, {6, 0, "64"}, {7, 0, "128"},
};
inline constexpr Choice kCounterChoices[] = {
    {0, 0, "---"}, {1, 0, "0..99"}, {2, 0, "0..9999"}, {3, 0, "0..999999"}, {4, 0, "0..99999999"},
};
// The event output: serial line, SMS, or off ("----"). It stands for two bytes (13 and 58).
inline constexpr int kEventOutputSerial = 0;
inline constexpr int kEventOutputSms = 1;
inline constexpr int kEventOutputOff = 2;
inline constexpr Choice kEventOutputChoices[] = {
    {kEventOutputSerial, kTxtEventOutputSerial}, {kEventOutputSms, kTxtEventOutputSms}, {kEventOutputOff, 0, "----"}};
inline constexpr Choice kTimeOutputChoices[] = {
    {0, 0, "---"}, {1, 0, "C-D"}, {2, 0, "E-F"}, {3, 0, "G-H"},
    {4, 0, "I-J"}, {5, 0, "K-L"}, {6, 0, "M-N"}, {7, 0, "O-P"},
};

// system settings (main setup page)
inline constexpr ValueFact kUsePcClock =
    ValueFact{"use the PC clock", ValueArea::Sys, kSysUsePcClock, ValueEntry::None, 0, 1, ValueFormat::Flag}.words(
        kTxtUsePcClock);
inline constexpr ValueFact kAutoSummerTime =
    ValueFact{
        "automatic summer/winter time", ValueArea::Sys, kSysAutoSummerTime, ValueEntry::None, 0, 1, ValueFormat::Flag}
        .words(kTxtAutoSummerTime);
inline constexpr ValueFact kChannelsInUse =
    ValueFact{"highest channel in use", ValueArea::Sys, kSysChannelsInUse, ValueEntry::None, 15, 127,
              ValueFormat::Plain}
        .words(kTxtNumberOfChannels)
        .choosing(kChannelsInUseChoices);
inline constexpr ValueFact kMuxCount =
    ValueFact{"multiplexer count", ValueArea::Sys, kSysMuxCount, ValueEntry::None, 0, 15, ValueFormat::Plain}
        .words(kTxtMuxCount)
        .choosing(kMuxCountChoices);
inline constexpr ValueFact kMuxDelay =
    ValueFact{"multiplexer delay", ValueArea::Sys, kSysMuxDelay, ValueEntry::None, 0, 7, ValueFormat::Plain}
        .words(kTxtMuxDelay)
        .choosing(kMuxDelayChoices);
inline constexpr ValueFact kCounter =
    ValueFact{"counter", ValueArea::Sys, kSysCounter, ValueEntry::None, 0, 4, ValueFormat::Plain}
        .words(kTxtCounter)
        .choosing(kCounterChoices);
inline constexpr ValueFact kEventOutput =
    ValueFact{"event output", ValueArea::EventOutput, kSysEventSms, ValueEntry::None, 0, 2, ValueFormat::Plain}
        .words(kTxtEventOutput)
        .choosing(kEventOutputChoices);
inline constexpr ValueFact kEventSms{"event output is SMS", ValueArea::Sys, kSysEventSms, ValueEntry::None, 0, 1,
                                     ValueFormat::Flag};
inline constexpr ValueFact kEventOff{"event output off", ValueArea::Sys, kSysEventOff, ValueEntry::None, 0, 1,
                                     ValueFormat::Flag};
inline constexpr ValueFact kTimeOutput =
    ValueFact{"time output", ValueArea::Sys, kSysTimeOutput, ValueEntry::None, 0, 7, ValueFormat::Plain}
        .words(kTxtTimeOutput)
        .choosing(kTimeOutputChoices);
inline constexpr ValueFact kDeviceNo =
    ValueFact{"device number", ValueArea::Sys, kSysDeviceNo, ValueEntry::Decimal, 0, 99, ValueFormat::Digits2}.words(
        kTxtDeviceNumber);
// every channel: its function and its event options
inline constexpr ValueFact kChannelFunction =
    ValueFact{"function", ValueArea::Channel, kRowType, ValueEntry::None, 0, 63, ValueFormat::TypeName}.words(
        kTxtChannelFunction);
inline constexpr ValueFact kEventOn =
    ValueFact{"event when on", ValueArea::ChannelFlag, kFlagCheck1, ValueEntry::None, 0, 1, ValueFormat::Flag}
        .words(kTxtEventOnReport)
        .captionWhile(CaptionRule::SmsEvents, kTxtEventOnSms);
inline constexpr ValueFact kEventOffFlag =
    ValueFact{"event when off", ValueArea::ChannelFlag, kFlagCheck2, ValueEntry::None, 0, 1, ValueFormat::Flag}
        .words(kTxtEventOffReport)
        .captionWhile(CaptionRule::SmsEvents, kTxtEventOffSms);
// mono and flip-flop channels
inline constexpr ValueFact kInvertMono =
    ValueFact{"inverted", ValueArea::Channel, kBasicOptions, ValueEntry::None, 0, 1, ValueFormat::Flag}.words(
        kTxtInvertMono);
inline constexpr ValueFact kFlipFlopIntruder =
    ValueFact{
        "part of the intruder alarm", ValueArea::Channel, kBasicOptions, ValueEntry::None, 0, 1, ValueFormat::Flag}
        .words(kTxtPartOfIntruderAlarm);
// master functions
inline constexpr ValueFact kMasterRunByClock =
    ValueFact{"run by the clock", ValueArea::Channel, kMasterRealTime, ValueEntry::None, 0, 1, ValueFormat::Flag}.words(
        kTxtMasterRealTime);
// The cells of the grids, one fact for every cell (the cell is the channel, pair or target named with
// the difference): a master function's targets, an intruder siren's flash pattern, a roller master's
// blind pairs and the data exchange mask.
inline constexpr ValueFact kMasterTarget{"master target",         ValueArea::Channel, 0, ValueEntry::None, 0, 3,
                                         ValueFormat::MasterState};
inline constexpr ValueFact kFlashTarget =
    ValueFact{"flash pattern", ValueArea::Channel, 0, ValueEntry::None, 0, 3, ValueFormat::MasterState}.words(
        kTxtFlashPattern);
inline constexpr ValueFact kRollerPair{"blind pair",          ValueArea::Channel, 0, ValueEntry::None, -1, 3,
                                       ValueFormat::Selection};
inline constexpr ValueFact kExchangeChannel{
    "exchange channel", ValueArea::Sys, kSysExchangeMask, ValueEntry::None, 0, 1, ValueFormat::Selection};
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
    int caption = 0;        // language text of the caption
    int number = 0;         // a number after the caption ("SMS telephone numbers 2"), 0: none
};

// The text of the channel, or of the logic page for a logic page note.
const std::string& ReadText(const TextFact& fact, const Configuration& cfg, int channel);
void StoreText(const TextFact& fact, Configuration& cfg, int channel, const std::string& text);
// The characters of the text the unit keeps; the rest of a longer text never reaches it.
int UnitKeeps(const TextFact& fact);

namespace facts {
inline constexpr TextFact kChannelDescription{"description", TextArea::ChannelText, 0, 0, false, kTxtDescription};
inline constexpr TextFact kSystemDescription{"system description", TextArea::Description, kGeneralDescription, 0, true,
                                             kTxtSystemDescription};
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
