#include "model/value_facts.h"

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
        Byte& stored = cfg.ChanSetup[static_cast<std::size_t>(channel)][static_cast<std::size_t>(fact.index)];
        if (fact.mask != 0) {
            stored = value != 0 ? static_cast<Byte>(stored | fact.mask) : static_cast<Byte>(stored & ~fact.mask);
            break;
        }
        stored = byte;
        // A function chosen on the channel's page is also the type the claims give back.
        if (fact.index == kRowType)
            cfg.SavedChanType[static_cast<std::size_t>(channel)] = byte;
        break;
    }
    case ValueArea::Logic:
        cfg.LogicBlocks[static_cast<std::size_t>(LogicPageFirstBlock(channel) + fact.index / kLogicBytes)]
                       [static_cast<std::size_t>(fact.index % kLogicBytes)] = byte;
        break;
    case ValueArea::ChannelFlag: {
        Byte& flags = cfg.ChanFlags[static_cast<std::size_t>(channel)];
        flags = value != 0 ? static_cast<Byte>(flags | fact.index) : static_cast<Byte>(flags & ~fact.index);
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
    case ValueFormat::Plain:
        break;
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

EditMenuState EditMenuRules(const Configuration& cfg) {
    const auto& sys = cfg.SysData;
    EditMenuState s;
    s.sms = sys[kSysEventSms] != 0;
    s.exchangeMask = sys[kSysEventSms] == 0 && sys[kSysEventOff] != 1 && sys[kSysDeviceNo] == 0;
    return s;
}

} // namespace korvane
