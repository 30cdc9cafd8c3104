#include "model/value_facts.h"

#include <algorithm>
#include <cstdio>

#include "model/analog.h"
#include "model/calendar.h"
#include "model/channel_types.h"
#include "model/facts_alarm.h"
#include "model/facts_sms.h"
#include "model/field_rules.h"
#include "model/logic.h"
#include "model/master.h"
#include "model/timer.h"

namespace korvane {

namespace {

// Four bytes as one number, the first one highest.
int quad(Byte b0, Byte b1, Byte b2, Byte b3) {
    return static_cast<int>((static_cast<std::uint32_t>(b0) << 24) | (static_cast<std::uint32_t>(b1) << 16) |
                            (static_cast<std::uint32_t>(b2) << 8) | b3);
}

Byte quadByte(int value, int k) {
    return static_cast<Byte>((static_cast<std::uint32_t>(value) >> (24 - 8 * k)) & 255);
}

} // namespace

int ReadValue(const ValueFact& fact, const Configuration& cfg, int channel) {
    switch (fact.area) {
    case ValueArea::Sys:
        return cfg.SysData[static_cast<std::size_t>(fact.index)];
    case ValueArea::Channel: {
        const Byte b = cfg.ChanSetup[static_cast<std::size_t>(channel)][static_cast<std::size_t>(fact.index)];
        return fact.mask != 0 ? ((b & fact.mask) != 0 ? 1 : 0) : b;
    }
    case ValueArea::ChannelFlag:
        return (cfg.ChanFlags[static_cast<std::size_t>(channel)] & fact.index) != 0 ? 1 : 0;
    case ValueArea::Logic:
        return cfg.LogicBlocks[static_cast<std::size_t>(LogicPageFirstBlock(channel) + fact.index / kLogicBytes)]
                              [static_cast<std::size_t>(fact.index % kLogicBytes)];
    case ValueArea::SysBit:
        return (cfg.SysData[static_cast<std::size_t>(fact.index)] & fact.mask) != 0 ? 1 : 0;
    case ValueArea::ChannelWord: {
        const Row& row = cfg.ChanSetup[static_cast<std::size_t>(channel)];
        return 256 * row[static_cast<std::size_t>(fact.index)] + row[static_cast<std::size_t>(fact.index + 1)];
    }
    case ValueArea::ChannelTenths:
        return static_cast<int>(Byte3ToTenths(cfg.ChanSetup[static_cast<std::size_t>(channel)], fact.index));
    case ValueArea::ChannelDuration:
        return static_cast<int>(DurationAt(cfg.ChanSetup[static_cast<std::size_t>(channel)], fact.index));
    case ValueArea::SysQuad:
        return quad(cfg.SysData[static_cast<std::size_t>(fact.index)],
                    cfg.SysData[static_cast<std::size_t>(fact.index + 1)],
                    cfg.SysData[static_cast<std::size_t>(fact.index + 2)],
                    cfg.SysData[static_cast<std::size_t>(fact.index + 3)]);
    case ValueArea::LogicBlock: {
        const LogicRecord& r = cfg.LogicBlocks[static_cast<std::size_t>(fact.index)];
        return quad(r[0], r[1], r[2], r[3]);
    }
    case ValueArea::EventOutput:
        return cfg.SysData[kSysEventOff] == 1 ? facts::kEventOutputOff : cfg.SysData[kSysEventSms];
    }
    return 0;
}

void StoreValue(const ValueFact& fact, Configuration& cfg, int channel, int value) {
    const auto byte = static_cast<Byte>(value);
    switch (fact.area) {
    case ValueArea::Sys:
        cfg.SysData[static_cast<std::size_t>(fact.index)] = byte;
        break;
    case ValueArea::Channel: {
        Byte& b = cfg.ChanSetup[static_cast<std::size_t>(channel)][static_cast<std::size_t>(fact.index)];
        if (fact.mask != 0) {
            b = value != 0 ? static_cast<Byte>(b | fact.mask) : static_cast<Byte>(b & ~fact.mask);
            break;
        }
        b = byte;
        // A function chosen on the channel's page is also the type the claims give back.
        if (fact.index == kRowType)
            cfg.SavedChanType[static_cast<std::size_t>(channel)] = byte;
        break;
    }
    case ValueArea::Logic:
        cfg.LogicBlocks[static_cast<std::size_t>(LogicPageFirstBlock(channel) + fact.index / kLogicBytes)]
                       [static_cast<std::size_t>(fact.index % kLogicBytes)] = byte;
        break;
    case ValueArea::ChannelWord: {
        Row& row = cfg.ChanSetup[static_cast<std::size_t>(channel)];
        row[static_cast<std::size_t>(fact.index)] = static_cast<Byte>((value >> 8) & 255);
        row[static_cast<std::size_t>(fact.index + 1)] = static_cast<Byte>(value & 255);
        break;
    }
    case ValueArea::ChannelTenths:
        StoreTenths(cfg.ChanSetup[static_cast<std::size_t>(channel)], value, fact.index);
        break;
    case ValueArea::ChannelFlag: {
        Byte& flags = cfg.ChanFlags[static_cast<std::size_t>(channel)];
        flags = value != 0 ? static_cast<Byte>(flags | fact.index) : static_cast<Byte>(flags & ~fact.index);
        break;
    }
    case ValueArea::SysBit: {
        // Only the fact's own bit changes; the other bits of the byte are kept.
        Byte& bits = cfg.SysData[static_cast<std::size_t>(fact.index)];
        bits = value != 0 ? static_cast<Byte>(bits | fact.mask) : static_cast<Byte>(bits & ~fact.mask);
        break;
    }
    case ValueArea::ChannelDuration: {
        Row& row = cfg.ChanSetup[static_cast<std::size_t>(channel)];
        for (int k = 0; k < 3; ++k)
            row[static_cast<std::size_t>(fact.index + k)] = static_cast<Byte>((value >> (8 * k)) & 255);
        break;
    }
    case ValueArea::SysQuad:
        for (int k = 0; k < 4; ++k)
            cfg.SysData[static_cast<std::size_t>(fact.index + k)] = quadByte(value, k);
        break;
    case ValueArea::LogicBlock:
        for (int k = 0; k < kLogicBytes; ++k)
            cfg.LogicBlocks[static_cast<std::size_t>(fact.index)][static_cast<std::size_t>(k)] = quadByte(value, k);
        break;
    case ValueArea::EventOutput:
        // Both bytes count: switching the event output off drops the option bits from the next save.
        cfg.SysData[kSysEventSms] = value == facts::kEventOutputSms ? 1 : 0;
        cfg.SysData[kSysEventOff] = value == facts::kEventOutputOff ? 1 : 0;
        break;
    }
}

std::string FormatValue(const ValueFact& fact, int value) {
    switch (fact.format) {
    case ValueFormat::Digits2:
        return DecimalText(value, 2);
    case ValueFormat::Digits3:
        return DecimalText(value, 3);
    case ValueFormat::Packed:
        return PackedText(value);
    case ValueFormat::ChannelRef:
        return ChannelRefText(value);
    case ValueFormat::Flag:
        return value != 0 ? "1" : "0";
    case ValueFormat::LogicOperation:
        return LogicOperationText(value);
    case ValueFormat::SirenTime:
        return value == kContinuous ? "\xBB\xBB\xBB" : DecimalText(value, 2);
    case ValueFormat::Plain:
        break;
    case ValueFormat::Digits4:
        return DecimalText(value, 4);
    case ValueFormat::Tenths:
        return TenthsText(value);
    case ValueFormat::Duration: {
        const DurationParts d = SplitDuration(value);
        char buf[32];
        std::snprintf(buf, sizeof buf, "%02ld:%02d:%02d", d.hours, d.minutes, d.seconds);
        return buf;
    }
    case ValueFormat::TimeOfDay:
        return (value >> 8) == kTimeNotSet ? "--:--" : PackedText(value >> 8) + ":" + PackedText(value & 255);
    case ValueFormat::DayMask:
    case ValueFormat::TypeName:
    case ValueFormat::MasterState:
    case ValueFormat::Selection:
    case ValueFormat::HolidayPeriod:
    case ValueFormat::LogicEquation:
        break;
    }
    return std::to_string(value);
}

std::optional<std::string> ChoiceText(std::span<const Choice> choices, int value, const TextLookup& text) {
    for (const Choice& c : choices)
        if (c.value == value)
            return c.text ? text(c.text) : std::string(c.fixed ? c.fixed : "");
    return std::nullopt;
}

namespace {

std::string holidayText(int value, const TextLookup& text) {
    const int firstMonth = quadByte(value, kHolidayFirstMonth);
    if (firstMonth < 1 || firstMonth > kMonthMax)
        return text(kTxtNone);
    auto date = [&](int month, int day) {
        return PackedText(quadByte(value, day)) + "." + PackedText(quadByte(value, month)) + ".";
    };
    return date(kHolidayFirstMonth, kHolidayFirstDay) + "\x96" + date(kHolidayLastMonth, kHolidayLastDay);
}

// A signal of an equation: its mark ("--", "/", "\\") right before the channel or marker.
std::string signalText(int code, int byte3, int kind) {
    std::string s = LogicChannel(code, byte3, kind);
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    return s;
}

std::string equationText(int value, const TextLookup& text) {
    const LogicRecord r{quadByte(value, 0), quadByte(value, 1), quadByte(value, 2), quadByte(value, 3)};
    if (!LogicBlockInUse(r))
        return text(kTxtNone);
    // A block with input marks but no operation is in use: its operation reads "---", as printed.
    const int b3 = r[kLogicOperation];
    const std::string op = LogicBlockOperates(r) ? LogicOperationText(b3) : std::string("---");
    return signalText(r[kLogicOutput], b3, 0) + " = " + signalText(r[kLogicInput1], b3, 1) + " " + op + " " +
           signalText(r[kLogicInput2], b3, 2);
}

std::string dayMaskText(int value, const TextLookup& text) {
    std::string out;
    for (int j = 0; j < kDayBoxes; ++j)
        if (value & (128 >> j))
            out += (out.empty() ? "" : " ") + text(DayBoxText(j));
    return out.empty() ? text(kTxtNone) : out;
}

} // namespace

std::string DescribeValue(const ValueFact& fact, int value, const TextLookup& text) {
    switch (fact.format) {
    case ValueFormat::Flag:
        // A byte a file or a unit left at another value than 0 or 1 shows as it is.
        return value == 0 ? text(kTxtNo) : value == 1 ? text(kTxtYes) : std::to_string(value);
    case ValueFormat::DayMask:
        return dayMaskText(value, text);
    case ValueFormat::TypeName: {
        const std::string name = value >= 0 && value < kTypeCodeCount ? text(TypeNameText(value)) : std::string();
        return name.empty() ? std::to_string(value) : name;
    }
    case ValueFormat::MasterState: {
        constexpr int kStateTexts[] = {kTxtLegendNotDrivable, kTxtLegendOff, kTxtLegendOn, kTxtLegendNotAffected};
        return value >= 0 && value <= 3 ? text(kStateTexts[value]) : std::to_string(value);
    }
    case ValueFormat::Selection:
        return value < 0 ? text(kTxtLegendNotDrivable) : text(value != 0 ? kTxtSelected : kTxtNotSelected);
    case ValueFormat::HolidayPeriod:
        return holidayText(value, text);
    case ValueFormat::LogicEquation:
        return equationText(value, text);
    case ValueFormat::TimeOfDay:
        // Only an hour of 255 is no time; any other hour byte shows its digits, as the page shows them.
        if ((value >> 8) == kTimeNotSet)
            return text(kTxtNone);
        break;
    default:
        break;
    }
    if (!fact.choices.empty())
        if (const auto choice = ChoiceText(fact.choices, value, text))
            return *choice;
    std::string shown = FormatValue(fact, value);
    if (fact.unit)
        shown += " " + text(fact.unit);
    return shown;
}

int CaptionOf(const ValueFact& fact, const Configuration& cfg, int channel) {
    bool holds = false;
    switch (fact.rule) {
    case CaptionRule::None:
        break;
    case CaptionRule::SmsEvents:
        holds = cfg.SysData[kSysEventSms] != 0;
        break;
    case CaptionRule::InvertedLimits:
        holds = channel >= 0 && channel < kChannels &&
                (cfg.ChanSetup[static_cast<std::size_t>(channel)][kAnaOptions] & kAnaInvertedBit) != 0;
        break;
    case CaptionRule::MasterTrigger:
        holds = channel >= 0 && channel < kChannels &&
                (cfg.ChanSetup[static_cast<std::size_t>(channel)][kRowType] & kTypeMask) == kTypeMaster;
        break;
    case CaptionRule::PulseTimer:
        holds = channel >= 0 && channel < kChannels &&
                (cfg.ChanSetup[static_cast<std::size_t>(channel)][kRowType] & kTypeMask) == kTypeTimerPulse;
        break;
    }
    return holds ? fact.ruleCaption : fact.caption;
}

std::string RangeHint(const ValueFact& fact) {
    if (fact.hint)
        return fact.hint;
    switch (fact.entry) {
    case ValueEntry::ChannelXyzw:
        return "A1..PXYZW.8 (-)";
    case ValueEntry::Channel:
        return "A1..P8 (-)";
    case ValueEntry::Packed:
        return PackedText(fact.minimum) + ".." + PackedText(fact.maximum);
    case ValueEntry::SirenTime:
        return std::to_string(fact.minimum) + ".." + std::to_string(fact.maximum) + " (-)";
    default:
        break;
    }
    return std::to_string(fact.minimum) + ".." + std::to_string(fact.maximum);
}

std::optional<int> EnterKey(const ValueFact& fact, int stored, int keyCode, bool& firstKey) {
    switch (fact.entry) {
    case ValueEntry::None:
        return std::nullopt;
    case ValueEntry::Decimal: {
        const int digit = DigitOfKey(keyCode);
        if (digit < 0)
            return std::nullopt;
        return Object_NumInDec(stored, fact.maximum, digit, firstKey);
    }
    case ValueEntry::SirenTime: {
        if (keyCode == vk::kMinus || keyCode == vk::kPadSubtract || keyCode == vk::kDelete)
            return kContinuous;
        const int digit = DigitOfKey(keyCode);
        if (digit < 0)
            return std::nullopt;
        return Object_NumInDec(stored, fact.maximum, digit, firstKey);
    }
    case ValueEntry::Packed: {
        const int digit = DigitOfKey(keyCode);
        if (digit < 0)
            return std::nullopt;
        return Object_NumIn(stored, fact.minimum, fact.maximum, digit, firstKey);
    }
    case ValueEntry::Range:
        return Object_NummaxRangeIn(stored, keyCode, fact.maximum, firstKey);
    case ValueEntry::ChannelXyzw:
        if (keyCode == 0)
            return std::nullopt;
        return Object_DisableChannelInput(stored, keyCode);
    case ValueEntry::Channel:
        if (keyCode == 0)
            return std::nullopt;
        return Object_ChannelIn(stored, keyCode);
    case ValueEntry::LogicSignal:
        return LogicSignalKey(stored, keyCode);
    case ValueEntry::LogicOperation:
        return LogicOperationKey(stored, keyCode);
    case ValueEntry::Decimal4: {
        const int digit = DigitOfKey(keyCode);
        if (digit < 0)
            return std::nullopt;
        return FourDigitEntry(stored, fact.maximum, digit, firstKey);
    }
    case ValueEntry::Number:
        return std::nullopt;
    }
    return std::nullopt;
}

namespace {
// The text the fact names, in a configuration that may be read-only.
template <class Config> auto& textOf(const TextFact& fact, Config& cfg, int channel) {
    switch (fact.area) {
    case TextArea::ChannelText:
        return cfg.ChanText[static_cast<std::size_t>(channel)];
    case TextArea::Description:
        return cfg.DescText[static_cast<std::size_t>(fact.index)];
    case TextArea::Sms:
        return cfg.SmsText[static_cast<std::size_t>(fact.index)];
    case TextArea::LogicNote:
        // A page outside 0..7 never reaches the system description.
        return cfg.DescText[static_cast<std::size_t>(ClampLogicPage(channel))];
    case TextArea::SmsId:
        break;
    }
    return cfg.SmsIdText;
}
} // namespace

const std::string& ReadText(const TextFact& fact, const Configuration& cfg, int channel) {
    return textOf(fact, cfg, channel);
}

void StoreText(const TextFact& fact, Configuration& cfg, int channel, const std::string& text) {
    // The field limits what is typed; a longer text from a file or the unit is kept whole.
    textOf(fact, cfg, channel) = text;
}

int UnitKeeps(const TextFact& fact) {
    switch (fact.area) {
    case TextArea::ChannelText:
        return kChannelTextKept;
    case TextArea::Description:
    case TextArea::LogicNote:
        return kDescriptionKept;
    case TextArea::Sms:
        return kSmsEntryChars;
    case TextArea::SmsId:
        break;
    }
    return kSmsIdReachesUnit;
}

namespace {

// Plain settings that no editor field shows as its own value (the common siren's byte is shown bit by
// bit, by four facts).
constexpr ValueFact plain(const char* name, int byte) {
    return {name, ValueArea::Sys, byte, ValueEntry::None, 0, 255, ValueFormat::Plain};
}
constexpr ValueFact kFirmwareHigh = plain("firmware version, high byte", kSysFirmwareHigh);
constexpr ValueFact kFirmwareLow = plain("firmware version, low byte", kSysFirmwareLow);
constexpr ValueFact kClockHour = plain("clock hour", kSysClockHour);
constexpr ValueFact kClockMinute = plain("clock minute", kSysClockMinute);
constexpr ValueFact kClockDay = plain("clock day", kSysClockDay);
constexpr ValueFact kClockWeekday = plain("clock weekday", kSysClockWeekday);
constexpr ValueFact kClockMonth = plain("clock month", kSysClockMonth);
constexpr ValueFact kClockCentury = plain("clock century", kSysClockCentury);
constexpr ValueFact kClockYear = plain("clock year", kSysClockYear);
constexpr ValueFact kClockSecond = plain("clock second", kSysClockSecond);
constexpr ValueFact kCommonSiren = plain("common siren selection", kSysCommonSiren);

constexpr const ValueFact* kSystemFacts[] = {
    &kFirmwareHigh,
    &kFirmwareLow,
    &facts::kUsePcClock,
    &kClockHour,
    &kClockMinute,
    &kClockDay,
    &kClockWeekday,
    &kClockMonth,
    &kClockCentury,
    &kClockYear,
    &kClockSecond,
    &facts::kChannelsInUse,
    &facts::kAutoSummerTime,
    &facts::kEventSms,
    &facts::kDialOutMethod,
    &facts::kIntruderSirenTime,
    &facts::kIntruderCallOutDelay,
    &facts::kIntruderArmDelay,
    &facts::kIntruderDisarmTime,
    &facts::kWaterCallOutTime,
    &facts::kWaterSirenTime,
    &facts::kWaterResetTime,
    &facts::kSmokeSirenTime,
    &facts::kSmokeCallOutTime,
    &facts::kSmokeResetTime,
    &facts::kIsaSirenTime,
    &facts::kIsaMode,
    &kCommonSiren,
    &facts::kMuxCount,
    &facts::kMuxDelay,
    &facts::kTimeOutput,
    &facts::kDeviceNo,
    &facts::kCounter,
    &facts::kPasswordSafety,
    &facts::kDialInSafety,
    &facts::kSmsResponseTime,
    &facts::kEventOff,
};

} // namespace

const ValueFact* SystemFact(int byte) {
    for (const ValueFact* f : kSystemFacts)
        if (f->index == byte)
            return f;
    return nullptr;
}

EditMenuState EditMenuRules(const Configuration& cfg) {
    const auto& sys = cfg.SysData;
    EditMenuState s;
    s.sms = sys[kSysEventSms] != 0;
    s.exchangeMask = sys[kSysEventSms] == 0 && sys[kSysEventOff] != 1 && sys[kSysDeviceNo] == 0;
    return s;
}

} // namespace korvane
