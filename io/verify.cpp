#include "io/verify.h"

#include <algorithm>
#include <cstdio>

#include "io/hex_records.h"
#include "model/channel_types.h"
#include "model/text_codec.h"

namespace korvane {

namespace {

constexpr Byte kFlagBits = kFlagCheck1 | kFlagCheck2;

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The bytes of one record text from its ':' on: length, address, type, data, checksum. False when the
// record is cut short, holds a non-hex character or its checksum is wrong.
bool recordBytes(std::string_view text, std::vector<int>& bytes) {
    bytes.clear();
    auto byteAt = [&](int pair) -> int {
        const std::size_t at = 1 + 2 * static_cast<std::size_t>(pair);
        if (at + 1 >= text.size())
            return -1;
        const int hi = hexDigit(text[at]);
        const int lo = hexDigit(text[at + 1]);
        return hi < 0 || lo < 0 ? -1 : 16 * hi + lo;
    };
    const int length = byteAt(0);
    if (length < 0)
        return false;
    unsigned sum = 0;
    for (int i = 0; i < 5 + length; ++i) {
        const int b = byteAt(i);
        if (b < 0)
            return false;
        sum += static_cast<unsigned>(b);
        bytes.push_back(b);
    }
    return (sum & 0xFF) == 0;
}

std::string quotedText(const std::string& text) {
    return "'" + Cp1252ToUtf8(text) + "'";
}

std::string flagsText(Byte flags) {
    std::string s;
    if (flags & kFlagCheck1)
        s = "report on";
    if (flags & kFlagCheck2)
        s += s.empty() ? "report off" : " + report off";
    return s.empty() ? "none" : s;
}

void copyText(MemMap& image, int address, const std::string& text, std::size_t maxChars) {
    const std::size_t n = std::min(text.size(), maxChars);
    std::copy_n(reinterpret_cast<const Byte*>(text.data()), n, image.begin() + address);
}

// The texts of the written configuration as a unit holding them returns them: each in its slot,
// through the same unpacking as a read.
Configuration writtenTexts(const Configuration& written) {
    MemMap image{};
    for (int c = 0; c < kChannels; ++c)
        copyText(image, kAddrChannelText + kRowBytes * c, written.ChanText[c], kRecordTextMax);
    for (int i = 0; i < kDescTexts; ++i)
        copyText(image, kAddrDescription + kDescriptionSpan * i, written.DescText[i], kDescriptionSpan);
    for (int k = 0; k < kSmsIdFirst; ++k)
        copyText(image, kAddrSmsText + kSmsEntryChars * k, written.SmsText[k], kSmsEntryChars);
    copyText(image, kAddrSmsText + kSmsEntryChars * kSmsIdFirst, written.SmsIdText, 2 * kSmsEntryChars);
    Configuration out;
    UnpackImage(image, out);
    return out;
}

void byteDiff(std::vector<Difference>& out, std::string where, std::string what, int unit, int written, DiffItem item,
              int channel, int block, int index) {
    if (unit != written)
        out.push_back({std::move(where), std::move(what), std::to_string(unit), std::to_string(written), item, channel,
                       block, index, unit, written});
}

void textDiff(std::vector<Difference>& out, std::string where, std::string what, const std::string& unit,
              const std::string& written, DiffItem item, int channel, int block, int index) {
    if (unit != written)
        out.push_back(
            {std::move(where), std::move(what), quotedText(unit), quotedText(written), item, channel, block, index});
}

} // namespace

int LayWriteRecords(std::string_view records, MemMap& image) {
    int laid = 0;
    std::vector<int> bytes;
    for (std::size_t start = records.find(':'); start != std::string_view::npos;) {
        const std::size_t end = records.find(':', start + 1);
        const std::string_view record = records.substr(start, end == std::string_view::npos ? end : end - start);
        start = end;
        if (!recordBytes(record, bytes) || bytes[3] != 0)
            continue;
        const int length = bytes[0];
        const int address = 256 * bytes[1] + bytes[2];
        if (length == 0 || address + length > kMemMapSize)
            continue;
        for (int i = 0; i < length; ++i)
            image[static_cast<std::size_t>(address + i)] = static_cast<Byte>(bytes[static_cast<std::size_t>(4 + i)]);
        ++laid;
    }
    return laid;
}

std::vector<Difference> VerifyWrite(const Configuration& written, const MemMap& unit) {
    std::vector<Difference> out;
    // The unit's side as a read takes it: an older unit has no place for some settings, and a read
    // from it clears them, so they show as differences here too.
    Configuration held;
    TakeReadImage(unit, held);
    const Configuration want = writtenTexts(written);
    const bool flagsOff = written.SysData[kSysEventOff] == 1;

    const int last = HighestChannelSent(written);
    for (int c = 0; c <= last; ++c) {
        const std::string name = Num_2_Channel(c);
        const int type = written.ChanSetup[c][kRowType] & kTypeMask;
        const int flags = (flagsOff || type == kTypeTimerPulse) ? 0 : written.ChanFlags[c] & kFlagBits;
        const Byte unitTypeByte = unit[static_cast<std::size_t>(kAddrChannelSetup + kRowBytes * c)];
        const int unitType = unitTypeByte & kTypeMask;
        byteDiff(out, name, "function", unitType, type, DiffItem::Function, c, -1, 0);
        if ((unitTypeByte & kFlagBits) != flags) {
            out.push_back({name, "event options", flagsText(unitTypeByte & kFlagBits),
                           flagsText(static_cast<Byte>(flags)), DiffItem::Options, c, -1, 0, unitTypeByte & kFlagBits,
                           flags});
        }
        if (unitType == type)
            for (int k = 1; k <= ChannelRecordLength(type); ++k)
                byteDiff(out, name, "setup byte " + std::to_string(k),
                         unit[static_cast<std::size_t>(kAddrChannelSetup + kRowBytes * c + k)], written.ChanSetup[c][k],
                         DiffItem::SetupByte, c, -1, k);
        for (int k = 0; k < kRowBytes; ++k)
            byteDiff(out, name, "master matrix byte " + std::to_string(k),
                     unit[static_cast<std::size_t>(kAddrMasterMatrix + kRowBytes * c + k)], written.MasterMatrix[c][k],
                     DiffItem::MasterByte, c, -1, k);
        textDiff(out, name, "description", held.ChanText[c], want.ChanText[c], DiffItem::ChannelText, c, -1, -1);
    }

    for (int b = 0; b < kLogicBlocksUsed; ++b)
        for (int k = 0; k < kLogicBytes; ++k)
            byteDiff(out, "logic block " + std::to_string(b), "byte " + std::to_string(k),
                     unit[static_cast<std::size_t>(kAddrLogic + kLogicBytes * b + k)], written.LogicBlocks[b][k],
                     DiffItem::LogicByte, -1, b, k);

    for (int i = kSysUsePcClock; i < kSysImageBytes; ++i) {
        if (i >= kSysClockHour && i <= kSysClockSecond)
            continue; // the clock goes on ticking in the unit
        // Byte 11 as the unit holds it (a read turns 0 into 127), the others as a read takes them.
        const int unitValue =
            i == kSysChannelsInUse ? unit[static_cast<std::size_t>(kAddrSysData + i)] : held.SysData[i];
        byteDiff(out, "system", SysDataByteName(i), unitValue, written.SysData[i], DiffItem::SystemByte, -1, -1, i);
    }

    for (int g = 0; g < kGeneralDescription; ++g)
        textDiff(out, "logic description " + std::to_string(g), "text", held.DescText[g], want.DescText[g],
                 DiffItem::LogicDescription, -1, g, -1);
    textDiff(out, "general description", "text", held.DescText[kGeneralDescription], want.DescText[kGeneralDescription],
             DiffItem::GeneralDescription, -1, kGeneralDescription, -1);
    for (int k = 0; k < kSmsLabelFirst; ++k)
        textDiff(out, "SMS text " + std::to_string(k), "text", held.SmsText[k], want.SmsText[k], DiffItem::SmsText, -1,
                 -1, k);
    textDiff(out, "SMS identification", "text", held.SmsIdText, want.SmsIdText, DiffItem::SmsIdentification, -1, -1,
             -1);
    return out;
}

std::string VerifyLine(const Difference& d) {
    return d.where + " " + d.what + ": unit " + d.before + ", written " + d.after;
}

std::string BackupFileName(int deviceNumber, int year, int month, int day, int hour, int minute, int second) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02d-%04d%02d%02d-%02d%02d%02d.zeb", std::clamp(deviceNumber, 0, 255), year, month,
                  day, hour, minute, second);
    return buf;
}

} // namespace korvane
