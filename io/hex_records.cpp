#include "io/hex_records.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/analog.h"
#include "model/channel_types.h"
#include "model/field_rules.h"
#include "model/roller.h"
#include "model/rounding.h"

namespace korvane {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr Byte kFlagBits = kFlagCheck1 | kFlagCheck2;
constexpr Byte kHourNotSet = 128; // an hour byte above this is a time that is not set

void putHex(std::string& out, int value) {
    out += kHexDigits[(value >> 4) & 15];
    out += kHexDigits[value & 15];
}

Byte packed(int value) {
    return static_cast<Byte>(((value / 10) % 10) * 16 + value % 10);
}

std::string fitted(const std::string& text, std::size_t width) {
    std::string s = text.substr(0, std::min(width, text.size()));
    s.resize(width, ' ');
    return s;
}

std::string piece(const std::string& text, std::size_t from, std::size_t count) {
    return from < text.size() ? text.substr(from, count) : std::string();
}

} // namespace

int RecordByte(std::string_view record, int pair) {
    const auto digit = [](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    const std::size_t at = 1 + 2 * static_cast<std::size_t>(pair);
    if (pair < 0 || at + 1 >= record.size())
        return -1;
    const int hi = digit(record[at]);
    const int lo = digit(record[at + 1]);
    return hi < 0 || lo < 0 ? -1 : 16 * hi + lo;
}

Byte RecordChecksum(int address, std::span<const Byte> data) {
    unsigned sum = static_cast<unsigned>(data.size()) + ((address >> 8) & 255) + (address & 255);
    for (Byte b : data)
        sum += b;
    return static_cast<Byte>((256 - (sum % 256)) % 256);
}

std::string DataRecord(int address, std::span<const Byte> data) {
    std::string out;
    out.reserve(13 + 2 * data.size());
    out += ':';
    putHex(out, static_cast<int>(data.size()));
    putHex(out, (address >> 8) & 255);
    putHex(out, address & 255);
    out += "00";
    for (Byte b : data)
        putHex(out, b);
    putHex(out, RecordChecksum(address, data));
    out += "\r\n";
    return out;
}

int ChannelRecordLength(int type) {
    switch (type) {
    case kTypeMono:
    case kTypeFlipFlop:
    case kTypeIntruderPassive:
    case kTypeIntruderActive:
    case kTypeWaterPassive:
    case kTypeWaterActive:
    case kTypeSmokePassive:
    case kTypeSmokeActive:
    case kTypeSmokeSiren:
        return 1;
    case kTypeIntruderSiren:
    case kTypeIsaPassive:
    case kTypeIsaActive:
        return 2;
    case kTypeTimerDelay:
    case kTypeTimerPulse:
    case kTypeTimerDelayPulse:
        return 21;
    case kTypeRealTime:
    case kTypeMaster:
        return 31;
    case kTypeMotion:
        return 18;
    case kTypeRoller:
        return 7;
    case kTypeRollerMaster:
        return 10;
    case kTypeAnalogGeneral:
    case kTypeAnalogLux:
    case kTypeAnalogWind:
    case kTypeAnalogTemperature:
        return 26;
    default:
        return 0;
    }
}

Byte DaySetMode(const Row& row, int p) {
    const int base = kRtDaySets + kRtDaySetSize * p;
    const int onHour = row[base + 1];
    const int onMinute = row[base + 2];
    const int offHour = row[base + 3];
    const int offMinute = row[base + 4];
    if (onHour > kHourNotSet && offHour > kHourNotSet)
        return 0;
    if (onHour > kHourNotSet && offHour < kHourNotSet)
        return 2;
    if (onHour < kHourNotSet && offHour > kHourNotSet)
        return 4;
    if (onHour < kHourNotSet && offHour < kHourNotSet)
        return (256 * onHour + onMinute >= 256 * offHour + offMinute) ? 9 : 1;
    return 0; // an hour byte of exactly 128
}

void ComputeDerivedBytes(Configuration& cfg, int channel) {
    Row& row = cfg.ChanSetup[channel];
    switch (row[kRowType] & kTypeMask) {
    case kTypeRealTime:
    case kTypeMaster:
        for (int p = 0; p < kRtDaySetCount; ++p)
            row[kRtDerived + p] = DaySetMode(row, p);
        break;
    case kTypeRoller:
        // The unit takes a reverse time below 500 as 500.
        row[kRollReverseCycles] =
            RollerReverseCycles(std::max(kRollReverseMin, RollerReverseTime(row)), cfg.SysData[kSysChannelsInUse]);
        break;
    case kTypeAnalogGeneral:
    case kTypeAnalogWind:
    case kTypeAnalogTemperature:
    case kTypeAnalogLux:
        ComputeScaleBytes(row);
        break;
    default:
        break;
    }
}

Row DerivedRow(const Configuration& cfg, int channel) {
    Configuration one;
    one.SysData[kSysChannelsInUse] = cfg.SysData[kSysChannelsInUse];
    one.ChanSetup[static_cast<std::size_t>(channel)] = cfg.ChanSetup[static_cast<std::size_t>(channel)];
    ComputeDerivedBytes(one, channel);
    return one.ChanSetup[static_cast<std::size_t>(channel)];
}

namespace hex {

std::string SysDataRecord(const Configuration& cfg, int first, int address) {
    return DataRecord(address, std::span<const Byte>(cfg.SysData.data() + first, kRowBytes));
}

std::string LogicRecord(const Configuration& cfg, int block, int base) {
    return DataRecord(base + kLogicBytes * block, cfg.LogicBlocks[block]);
}

std::string ChannelRecord(const Configuration& cfg, int channel) {
    const Row row = DerivedRow(cfg, channel);
    const int type = row[kRowType] & kTypeMask;
    const Byte flags = cfg.SysData[kSysEventOff] == 1 ? Byte{0} : static_cast<Byte>(cfg.ChanFlags[channel] & kFlagBits);
    std::array<Byte, kRowBytes> data{};
    data[0] = static_cast<Byte>(type == kTypeTimerPulse ? type : type | flags);
    const int n = ChannelRecordLength(type);
    std::copy(row.begin() + 1, row.begin() + 1 + n, data.begin() + 1);
    return DataRecord(kAddrChannelSetup + kRowBytes * channel, std::span<const Byte>(data.data(), n + 1));
}

std::string MasterRecord(const Configuration& cfg, int channel, int base) {
    return DataRecord(base + kRowBytes * channel, cfg.MasterMatrix[channel]);
}

std::string TextRecord(int address, std::string_view text, int maxChars, int slot) {
    const std::size_t chars = std::min(
        {text.size(), static_cast<std::size_t>(std::max(maxChars, 0)), static_cast<std::size_t>(std::max(slot, 0))});
    std::vector<Byte> data(static_cast<std::size_t>(std::max(slot, 0)), 0);
    std::copy_n(reinterpret_cast<const Byte*>(text.data()), chars, data.begin());
    return DataRecord(address, data);
}

std::string DescriptionRecord(const Configuration& cfg, int index, int offset, int base) {
    const std::string part = piece(cfg.DescText[index], offset, kDescriptionPiece);
    return TextRecord(base + kDescriptionSpan * index + offset, part, kDescriptionPiece, kDescriptionPiece);
}

} // namespace hex

std::string UnitLabelText(const TextLookup& text) {
    return fitted(text(kTextLabel1), 7) + fitted(text(kTextLabel2), 7) + fitted(text(kTextLabel3), 7) +
           fitted(text(kTextLabel4), 5) + fitted(text(kTextLabel5), 5);
}

void FillSmsEntries(Configuration& cfg, const TextLookup& text) {
    const std::string label = text(kTextSmsLabel);
    for (int k = kSmsLabelFirst; k <= kSmsLabelLast; ++k)
        cfg.SmsText[k] = piece(label, kSmsEntryChars * (k - kSmsLabelFirst), kSmsEntryChars);
    cfg.SmsText[kSmsIdFirst] = piece(cfg.SmsIdText, 0, kSmsEntryChars);
    cfg.SmsText[kSmsIdSecond] = piece(cfg.SmsIdText, kSmsEntryChars, kSmsEntryChars);
}

void SetDeviceClock(Configuration& cfg, const DeviceClock& clock) {
    cfg.SysData[kSysClockHour] = packed(clock.hour);
    cfg.SysData[kSysClockMinute] = packed(clock.minute);
    cfg.SysData[kSysClockSecond] = packed(clock.second);
    cfg.SysData[kSysClockDay] = packed(clock.day);
    cfg.SysData[kSysClockWeekday] = static_cast<Byte>(clock.weekday);
    cfg.SysData[kSysClockMonth] = packed(clock.month);
    cfg.SysData[kSysClockCentury] = packed(clock.year / 100);
    cfg.SysData[kSysClockYear] = packed(clock.year % 100);
}

int HighestChannelSent(const Configuration& cfg) {
    return std::min<int>(cfg.channelsInUse(), kChannels - 1);
}

Configuration AsSent(const Configuration& cfg, const DeviceClock& clock, const TextLookup& text) {
    Configuration sent = cfg;
    SetDeviceClock(sent, clock);
    FillSmsEntries(sent, text);
    return sent;
}

std::vector<WriteStep> BuildWritePlan(const Configuration& original, const DeviceClock& clock, const TextLookup& text) {
    const Configuration cfg = AsSent(original, clock, text);
    const int last = HighestChannelSent(cfg);
    std::vector<WriteStep> plan;
    plan.reserve(9); // the steps below hold references into the plan while they fill it
    auto step = [&](char id, int status, int progressMax, bool checks, bool skipped) -> WriteStep& {
        plan.push_back(WriteStep{id, status, progressMax, checks, skipped, {}});
        return plan.back();
    };
    auto add = [](WriteStep& s, std::string record, int progress) {
        if (!record.empty())
            s.records.push_back({std::move(record), progress});
    };

    WriteStep& a = step('a', 183, last, true, false);
    for (int c = 0; c <= last; ++c)
        add(a, hex::ChannelRecord(cfg, c), c);

    WriteStep& b = step('b', 0, -1, true, true);
    for (int c = 0; c <= last; ++c)
        add(b, hex::MasterRecord(cfg, c, kAddrMasterMatrix), c);

    WriteStep& c = step('c', 184, -1, true, true);
    for (int ch = 0; ch <= last; ++ch)
        add(c, hex::TextRecord(kAddrChannelText + kRowBytes * ch, cfg.ChanText[ch]), ch);

    WriteStep& d = step('d', 186, 71, true, true);
    for (int i = 0; i < kDescTexts; ++i)
        for (int j = 0; j < kDescriptionPieces; ++j)
            add(d, hex::DescriptionRecord(cfg, i, kDescriptionPiece * j, kAddrDescription), 8 * i + j);

    WriteStep& e = step('e', 185, 63, true, true);
    for (int blk = 0; blk < kLogicBlocksUsed; ++blk)
        add(e, hex::LogicRecord(cfg, blk, kAddrLogic), blk);

    WriteStep& f = step('f', 0, -1, false, false);
    for (int k = 0; k < kSysDataParts; ++k)
        add(f, hex::SysDataRecord(cfg, kRowBytes * k, kAddrSysData + kRowBytes * k), -1);

    WriteStep& g = step('g', 0, -1, false, false);
    add(g, hex::TextRecord(kAddrUnitLabel, UnitLabelText(text), kUnitLabelLength, kUnitLabelLength), -1);

    WriteStep& h = step('h', 184, 15, true, true);
    // Cut to 16: each SMS entry has a 16-byte slot, and a longer record would run into the next entry.
    for (int k = 0; k < kSmsTextsStored; ++k)
        add(h, hex::TextRecord(kAddrSmsText + kSmsEntryChars * k, cfg.SmsText[k], kSmsEntryChars, kSmsEntryChars), k);

    WriteStep& i = step('i', 0, -1, false, false);
    i.records.push_back({std::string(kEndRecord), -1});
    return plan;
}

std::string WriteStream(const std::vector<WriteStep>& plan) {
    std::string out;
    for (const WriteStep& s : plan)
        for (const PlannedRecord& r : s.records)
            out += r.text;
    return out;
}

} // namespace korvane
