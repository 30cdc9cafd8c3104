#include "io/mem_map.h"

#include <algorithm>
#include <cstdio>

#include "io/config_file.h"
#include "io/hex_records.h"

namespace korvane {

namespace {

constexpr int kMaxRecordLength = 32;
constexpr int kMaxAddressHigh = 0x50;
constexpr int kMaxProgress = 64;
constexpr Byte kFlagBits = kFlagCheck1 | kFlagCheck2;

std::string reasonOf(int code) {
    switch (code) {
    case kReadRecordTooLong:
        return "a record is longer than 32 bytes";
    case kReadAddressOutOfRange:
        return "a record lies outside the unit's memory (address above 0x50FF)";
    case kReadUnknownType:
        return "a record has an unknown record type";
    case kReadChecksum:
        return "a record arrived damaged (checksum error)";
    case kReadRecordCut:
        return "a record arrived cut short (characters lost on the line)";
    case kReadNotHex:
        return "a record arrived damaged (a character that is no hex digit)";
    case kReadStray:
        return "the answer arrived damaged (a stray character between two records)";
    default:
        return {};
    }
}

// The characters of a text that `keep` admits, as they are (line ends of a description included),
// except that a double quote becomes an apostrophe: texts never hold one.
template <typename Keep> std::string filtered(const MemMap& image, int address, int count, Keep keep) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        const Byte b = image[address + i];
        if (keep(b))
            out += static_cast<char>(b);
    }
    return FileSafeText(std::move(out));
}

} // namespace

MemMapReceiver::MemMapReceiver()
    : memMap_(std::make_unique<MemMap>()), covered_(std::make_unique<std::array<bool, kReadImageEnd>>()) {
    reset();
}

MemMapReceiver::MemMapReceiver(const MemMapReceiver& other)
    : memMap_(std::make_unique<MemMap>(*other.memMap_)),
      covered_(std::make_unique<std::array<bool, kReadImageEnd>>(*other.covered_)), rxState_(other.rxState_),
      readState_(other.readState_), readError_(other.readError_), firstError_(other.firstError_), over_(other.over_),
      inRecord_(other.inRecord_), answerBegun_(other.answerBegun_), records_(other.records_),
      progress_(other.progress_), sum_(other.sum_), length_(other.length_), addressHigh_(other.addressHigh_),
      addressLow_(other.addressLow_), type_(other.type_), data_(other.data_), dataIndex_(other.dataIndex_),
      checksum_(other.checksum_), nibble_(other.nibble_), buffer_(other.buffer_) {}

MemMapReceiver& MemMapReceiver::operator=(const MemMapReceiver& other) {
    if (this != &other)
        *this = MemMapReceiver(other);
    return *this;
}

void MemMapReceiver::reset() {
    memMap_->fill(0);
    covered_->fill(false);
    rxState_ = 0;
    readState_ = 0;
    readError_ = kReadOk;
    firstError_ = kReadOk;
    over_ = false;
    inRecord_ = false;
    answerBegun_ = false;
    records_ = 0;
    progress_ = 0;
    sum_ = 0;
    length_ = addressHigh_ = addressLow_ = type_ = data_ = dataIndex_ = checksum_ = nibble_ = 0;
}

void MemMapReceiver::fail(int code) {
    readError_ = code;
    if (firstError_ == kReadOk)
        firstError_ = code;
}

void MemMapReceiver::Put_to_MemMap(unsigned char ch) {
    if (over_)
        return;
    if (ch == ':') {
        // A ':' inside a record means the rest of it was lost: the record is gone, the image has a hole.
        if (inRecord_)
            fail(kReadRecordCut);
        inRecord_ = true;
        answerBegun_ = true;
        rxState_ = 0;
    } else if (!inRecord_) {
        // Between records only line ends belong. A digit there is one a record lost its place for
        // (or one the line added): taking the record before it as whole would take a shifted record.
        if (answerBegun_ && ch != '\r' && ch != '\n')
            fail(kReadStray);
        return;
    } else if (ch >= '0' && ch <= '9') {
        nibble_ = ch - '0';
    } else if (ch >= 'A' && ch <= 'F') {
        nibble_ = ch - 'A' + 10;
    } else {
        // Keeping the last nibble would let a lost character realign the rest of the record.
        fail(kReadNotHex);
        inRecord_ = false;
        rxState_ = 0;
        return;
    }

    switch (rxState_) {
    case 0:
        sum_ = 0;
        length_ = 0;
        type_ = 0;
        rxState_ = 1;
        break;
    case 1:
        length_ = 16 * nibble_;
        rxState_ = 2;
        break;
    case 2:
        length_ += nibble_;
        dataIndex_ = 0;
        sum_ = static_cast<unsigned>(length_);
        if (length_ > kMaxRecordLength)
            fail(kReadRecordTooLong);
        rxState_ = 3;
        break;
    case 3:
        addressHigh_ = 16 * nibble_;
        rxState_ = 4;
        break;
    case 4:
        addressHigh_ += nibble_;
        sum_ += static_cast<unsigned>(addressHigh_);
        if (addressHigh_ > kMaxAddressHigh)
            fail(kReadAddressOutOfRange);
        rxState_ = 5;
        break;
    case 5:
        addressLow_ = 16 * nibble_;
        rxState_ = 6;
        break;
    case 6:
        addressLow_ += nibble_;
        sum_ += static_cast<unsigned>(addressLow_);
        rxState_ = 7;
        break;
    case 7:
        type_ = 16 * nibble_;
        rxState_ = 8;
        break;
    case 8:
        type_ += nibble_;
        sum_ += static_cast<unsigned>(type_);
        if (type_ == 0) {
            rxState_ = length_ == 0 ? 11 : 9;
        } else if (type_ == 1 && length_ == 0) {
            readState_ = 1;
            rxState_ = 11;
        } else {
            // An end record that carries data is none the unit sends: its digits would be read as
            // its checksum.
            fail(kReadUnknownType);
            inRecord_ = false;
            rxState_ = 0;
        }
        break;
    case 9:
        data_ = 16 * nibble_;
        rxState_ = 10;
        break;
    case 10:
        data_ += nibble_;
        buffer_[dataIndex_] = static_cast<Byte>(data_);
        sum_ += static_cast<unsigned>(data_);
        ++dataIndex_;
        // A record too long for the image (already failed) stops filling the buffer at its end.
        rxState_ = (dataIndex_ >= length_ || dataIndex_ >= static_cast<int>(buffer_.size())) ? 11 : 9;
        break;
    case 11:
        checksum_ = 16 * nibble_;
        rxState_ = 12;
        break;
    case 12:
        checksum_ += nibble_;
        sum_ = (sum_ + static_cast<unsigned>(checksum_)) & 255;
        if (sum_ == 0 && length_ > 0 && addressHigh_ <= kMaxAddressHigh) {
            const int address = 256 * addressHigh_ + addressLow_;
            std::copy(buffer_.begin(), buffer_.begin() + length_, memMap_->begin() + address);
            for (int a = address; a < std::min(address + length_, kReadImageEnd); ++a)
                (*covered_)[a] = true;
            progress_ = std::min(addressHigh_, kMaxProgress);
            ++records_;
        }
        if (sum_ != 0)
            fail(kReadChecksum);
        inRecord_ = false;
        if (readState_ == 1) {
            if (firstError_ == kReadOk)
                readError_ = kReadComplete;
            over_ = true;
        }
        rxState_ = 0;
        break;
    default:
        rxState_ = 0;
        break;
    }
}

void MemMapReceiver::feed(std::string_view bytes) {
    for (char c : bytes)
        Put_to_MemMap(static_cast<unsigned char>(c));
}

ReceiveResult MemMapReceiver::result() const {
    ReceiveResult r;
    r.records = records_;
    r.error = firstError_;
    if (firstError_ != kReadOk) {
        r.reason = reasonOf(firstError_);
        return r;
    }
    if (!over_) {
        r.reason = readState_ == 1 ? "the end record arrived incomplete" : "the answer ended before the end record";
        return r;
    }
    const auto gap = std::find(covered_->begin(), covered_->end(), false);
    if (gap != covered_->end()) {
        const auto held = std::count(covered_->begin(), covered_->end(), true);
        char at[8];
        std::snprintf(at, sizeof at, "%04X", static_cast<unsigned>(gap - covered_->begin()));
        r.error = kReadNotCovered;
        r.reason = "the answer holds " + std::to_string(held) + " of the image's " + std::to_string(kReadImageEnd) +
                   " bytes (the first one missing at 0x" + at + ")";
        return r;
    }
    r.complete = true;
    return r;
}

int UnitFirmwareVersion(const MemMap& image) {
    return 256 * image[kAddrSysData + kSysFirmwareHigh] + image[kAddrSysData + kSysFirmwareLow];
}

void UnpackImage(const MemMap& image, Configuration& cfg) {
    for (int c = 0; c < kChannels; ++c) {
        std::copy_n(image.begin() + kAddrChannelSetup + kRowBytes * c, kRowBytes, cfg.ChanSetup[c].begin());
        std::copy_n(image.begin() + kAddrMasterMatrix + kRowBytes * c, kRowBytes, cfg.MasterMatrix[c].begin());
        const Byte typeByte = cfg.ChanSetup[c][kRowType];
        cfg.SavedChanType[c] = typeByte & kTypeMask;
        cfg.ChanFlags[c] = typeByte & kFlagBits;
        cfg.ChanSetup[c][kRowType] = typeByte & kTypeMask;
    }
    for (int b = 0; b < kLogicBlocksUsed; ++b)
        std::copy_n(image.begin() + kAddrLogic + kLogicBytes * b, kLogicBytes, cfg.LogicBlocks[b].begin());
    std::copy_n(image.begin() + kAddrSysData, kSysImageBytes, cfg.SysData.begin());
    if (cfg.SysData[kSysChannelsInUse] == 0)
        cfg.SysData[kSysChannelsInUse] = 127;
    for (int c = 0; c < kChannels; ++c)
        cfg.ChanText[c] = filtered(image, kAddrChannelText + kRowBytes * c, kRowBytes, [](Byte b) { return b > 30; });
    for (int i = 0; i < kDescTexts; ++i)
        cfg.DescText[i] =
            filtered(image, kAddrDescription + kDescriptionSpan * i, kDescriptionSpan, [](Byte b) { return b > 7; });
    for (int k = 0; k < kSmsTextsStored; ++k)
        cfg.SmsText[k] = filtered(image, kAddrSmsText + kSmsEntryChars * k, kSmsEntryChars,
                                  [](Byte b) { return b > 31 && b < 253; });
    cfg.SmsIdText = cfg.SmsText[kSmsIdFirst] + cfg.SmsText[kSmsIdSecond];
}

void TakeReadImage(const MemMap& image, Configuration& cfg) {
    UnpackImage(image, cfg);
    if (UnitFirmwareVersion(image) < kUnitVersion)
        for (int k :
             {kSysEventSms, kSysDialOutMethod, kSysCounter, kSysDialInPassword, kSysDialInSafety, kSysSmsResponseTime})
            cfg.SysData[k] = 0;
}

UnitAnswer ParseVerdict(std::string_view answer) {
    UnitAnswer out;
    if (static_cast<int>(answer.size()) < kVerdictMinChars)
        return out;
    out.verdict = Verdict::NoVerdict;
    for (char c : answer) {
        if (c == 7)
            ++out.bells;
        else if (c >= '0' && c <= '3')
            out.verdict = static_cast<Verdict>(c);
    }
    return out;
}

} // namespace korvane
