#include "io/verify.h"

#include <algorithm>
#include <cstdio>

#include "io/hex_records.h"
#include "model/channel_types.h"
#include "model/text_codec.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

// The bytes of one record text from its ':' on: length, address, type, data, checksum. False when the
// record is cut short, holds a non-hex character or its checksum is wrong.
bool recordBytes(std::string_view text, std::vector<int>& bytes) {
    bytes.clear();
    const auto byteAt = [&](int pair) { return RecordByte(text, pair); };
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

Configuration AsUnitHoldsIt(const Configuration& cfg) {
    Configuration out = cfg;
    const Configuration texts = writtenTexts(cfg);
    out.ChanText = texts.ChanText;
    out.DescText = texts.DescText;
    for (int k = 0; k < kSmsIdFirst; ++k)
        out.SmsText[static_cast<std::size_t>(k)] = texts.SmsText[static_cast<std::size_t>(k)];
    out.SmsIdText = texts.SmsIdText;
    return out;
}

namespace {

// What a read of the unit takes: an older unit has no place for some settings, and a read from it
// clears them, so they show as differences.
Configuration heldBy(const MemMap& unit) {
    Configuration held;
    TakeReadImage(unit, held);
    return held;
}

} // namespace

std::vector<Difference> VerifyWrite(const Configuration& written, const MemMap& unit) {
    return CompareFacts(heldBy(unit), AsUnitHoldsIt(written), CompareScope::Unit);
}

VerifyVerdict VerdictOfWrite(const Configuration& written, const MemMap& unit) {
    VerifyVerdict v;
    v.differences = VerifyWrite(written, unit);
    v.keptInPart = TextsKeptInPart(written);
    v.count = static_cast<int>(v.keptInPart.size());
    v.sentence = !v.differences.empty()  ? kTxtVerifyDiffers
                 : !v.keptInPart.empty() ? kTxtVerifyKeptInPart
                                         : kTxtVerifyOk;
    return v;
}

std::string VerdictSentence(const VerifyVerdict& v, const TextLookup& text) {
    std::string s = text(v.sentence);
    if (const auto i = s.find("%1"); i != std::string::npos)
        s.replace(i, 2, std::to_string(v.count));
    return s;
}

std::vector<std::string> VerdictLines(const VerifyVerdict& v, const TextLookup& text) {
    std::vector<std::string> lines;
    for (const Difference& d : v.differences)
        lines.push_back(VerifyLine(WordDifference(d, text), text));
    if (!v.differences.empty() && !v.keptInPart.empty())
        lines.push_back(Cp1252ToUtf8(text(kTxtKeptInPart)));
    for (const Problem& p : v.keptInPart)
        lines.push_back(ProblemLine(WordProblem(p, text)));
    return lines;
}

std::vector<Difference> CompareWithUnit(const Configuration& memory, const MemMap& unit) {
    return CompareFacts(AsUnitHoldsIt(memory), heldBy(unit), CompareScope::Unit);
}

std::string BackupFileName(int deviceNumber, int year, int month, int day, int hour, int minute, int second) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02d-%04d%02d%02d-%02d%02d%02d.zeb", std::clamp(deviceNumber, 0, 255), year, month,
                  day, hour, minute, second);
    return buf;
}

} // namespace korvane
