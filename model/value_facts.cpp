#include "model/value_facts.h"

#include "model/analog.h"
#include "model/facts_alarm.h"
#include "model/facts_sms.h"
#include "model/field_rules.h"
#include "model/logic.h"

namespace korvane {

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
    }
    return std::to_string(value);
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
