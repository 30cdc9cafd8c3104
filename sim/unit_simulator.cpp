#include "sim/unit_simulator.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

#include "io/hex_records.h"
#include "io/verify.h"

namespace korvane {

namespace {

struct FaultName {
    UnitFault fault;
    const char* name;
};
constexpr std::array kFaultNames{
    FaultName{UnitFault::None, "none"},
    FaultName{UnitFault::Silence, "silence"},
    FaultName{UnitFault::BadChecksum, "bad-checksum"},
    FaultName{UnitFault::DroppedRecord, "dropped-record"},
    FaultName{UnitFault::Stall, "stall"},
    FaultName{UnitFault::Verdict1, "verdict-1"},
    FaultName{UnitFault::Verdict2, "verdict-2"},
    FaultName{UnitFault::Verdict3, "verdict-3"},
    FaultName{UnitFault::AnswerMidStream, "answer-mid-stream"},
    FaultName{UnitFault::GarbageVerdict, "garbage-verdict"},
    FaultName{UnitFault::Firmware0301, "firmware-0301"},
    FaultName{UnitFault::Firmware02FF, "firmware-02ff"},
    FaultName{UnitFault::IgnoredRecord, "ignored-record"},
    FaultName{UnitFault::LateVerdict, "late-verdict"},
    FaultName{UnitFault::StrayMidStream, "stray-mid-stream"},
};

// The record damaged or cut by the faults: the first master matrix record.
constexpr int kFaultyRecordAddress = kAddrMasterMatrix;
// The written record IgnoredRecord does not store: the text of the first channel.
constexpr int kIgnoredRecordAddress = kAddrChannelText;

} // namespace

const char* UnitFaultName(UnitFault fault) {
    for (const FaultName& f : kFaultNames)
        if (f.fault == fault)
            return f.name;
    return "none";
}

std::optional<UnitFault> UnitFaultFromName(std::string_view name) {
    for (const FaultName& f : kFaultNames)
        if (name == f.name)
            return f.fault;
    return std::nullopt;
}

const std::vector<UnitFault>& AllUnitFaults() {
    static const std::vector<UnitFault> all = [] {
        std::vector<UnitFault> v;
        for (const FaultName& f : kFaultNames)
            v.push_back(f.fault);
        return v;
    }();
    return all;
}

UnitSimulator::UnitSimulator(UnitFault fault) : fault_(fault) {
    memory_[kAddrSysData + kSysFirmwareHigh] = kUnitVersion >> 8;
    memory_[kAddrSysData + kSysFirmwareLow] = kUnitVersion & 0xFF;
}

MemMap UnitSimulator::ImageOf(const Configuration& cfg, const TextLookup& texts) {
    UnitSimulator unit;
    MemMap image = unit.memory();
    LayWriteRecords(WriteStream(BuildWritePlan(cfg, DeviceClock{}, texts)), image);
    image[kAddrSysData + kSysFirmwareHigh] = kUnitVersion >> 8;
    image[kAddrSysData + kSysFirmwareLow] = kUnitVersion & 0xFF;
    return image;
}

void UnitSimulator::setMemory(const MemMap& memory) {
    memory_ = memory;
}

void UnitSimulator::receive(std::string_view bytes) {
    for (char c : bytes) {
        if (c == ':') {
            pending_.assign(1, c); // a new record starts; an unfinished one is lost, as on a real line
            continue;
        }
        if (pending_.empty() || std::isxdigit(static_cast<unsigned char>(c)) == 0)
            continue; // line ends and noise between records
        pending_ += c;
        if (pending_.size() < 3)
            continue;
        const int length = RecordByte(pending_, 0);
        if (pending_.size() == static_cast<std::size_t>(11 + 2 * length)) {
            const std::string record = pending_;
            pending_.clear();
            onRecord(record);
        }
    }
}

std::string UnitSimulator::takeOutput() {
    std::string out;
    out.swap(output_);
    return out;
}

void UnitSimulator::onRecord(const std::string& record) {
    const int length = RecordByte(record, 0);
    const int address = 256 * RecordByte(record, 1) + RecordByte(record, 2);
    const int type = RecordByte(record, 3);
    unsigned sum = 0;
    std::string data;
    for (int i = 0; i < 4 + length + 1; ++i) {
        const int b = RecordByte(record, i);
        if (b < 0)
            return;
        sum += static_cast<unsigned>(b);
        if (i >= 4 && i < 4 + length)
            data += static_cast<char>(b);
    }
    if ((sum & 0xFF) != 0)
        return; // a damaged record is not stored
    if (!late_.empty() && ++lateRecords_ == kSimMidStreamRecord) {
        output_ += late_;
        late_.clear();
    }
    if (record == kReadRequest) {
        recordsStored_ = 0;
        answeredEarly_ = false;
        answerRead();
        return;
    }
    if (type == 0 && address == kIgnoredRecordAddress && fault_ == UnitFault::IgnoredRecord) {
        ++recordsStored_;
        return;
    }
    if (type == 0 && address + length <= kMemMapSize) {
        // The firmware version is the unit's own: the system data record a write sends carries the
        // configuration's bytes 0 and 1 there, and the unit keeps its version all the same.
        const Byte versionHigh = memory_[kAddrSysData + kSysFirmwareHigh];
        const Byte versionLow = memory_[kAddrSysData + kSysFirmwareLow];
        std::copy(data.begin(), data.end(), memory_.begin() + address);
        memory_[kAddrSysData + kSysFirmwareHigh] = versionHigh;
        memory_[kAddrSysData + kSysFirmwareLow] = versionLow;
        ++recordsStored_;
        if (fault_ == UnitFault::AnswerMidStream && recordsStored_ == kSimMidStreamRecord && !answeredEarly_) {
            answeredEarly_ = true;
            output_ += "2\r\n\a";
        }
        if (fault_ == UnitFault::StrayMidStream && recordsStored_ == kSimMidStreamRecord)
            output_ += '\xFE';
        return;
    }
    if (type == 1) {
        ++writesCompleted_;
        const bool early = answeredEarly_;
        recordsStored_ = 0;
        answeredEarly_ = false;
        switch (fault_) {
        case UnitFault::Silence:
        case UnitFault::AnswerMidStream:
        case UnitFault::StrayMidStream:
            break;
        case UnitFault::Verdict1:
        case UnitFault::Verdict2:
        case UnitFault::Verdict3:
            output_ += static_cast<char>('1' + (static_cast<int>(fault_) - static_cast<int>(UnitFault::Verdict1)));
            output_ += "\r\n\a";
            break;
        case UnitFault::GarbageVerdict:
            output_ += "?\xFF\r\n\a";
            break;
        case UnitFault::LateVerdict:
            late_ = "0\r\n\a";
            lateRecords_ = 0;
            break;
        default:
            if (!early)
                output_ += "0\r\n\a";
            break;
        }
    }
}

void UnitSimulator::answerRead() {
    if (fault_ == UnitFault::Silence)
        return;
    MemMap image = memory_;
    if (fault_ == UnitFault::Firmware0301 || fault_ == UnitFault::Firmware02FF) {
        image[kAddrSysData + kSysFirmwareHigh] = fault_ == UnitFault::Firmware0301 ? 0x03 : 0x02;
        image[kAddrSysData + kSysFirmwareLow] = fault_ == UnitFault::Firmware0301 ? 0x01 : 0xFF;
    }
    const int stopAt = fault_ == UnitFault::Stall ? kSimImageEnd / 2 : kSimImageEnd;
    for (int address = 0; address < stopAt; address += kSimRecordBytes) {
        std::string record = DataRecord(address, std::span<const Byte>(image.data() + address, kSimRecordBytes));
        if (address == kFaultyRecordAddress && fault_ == UnitFault::BadChecksum) {
            const std::size_t at = record.size() - 4; // the checksum's first digit, before CR LF
            record[at] = record[at] == '0' ? '1' : '0';
        } else if (address == kFaultyRecordAddress && fault_ == UnitFault::DroppedRecord) {
            record.resize(record.size() / 2);
        }
        output_ += record;
    }
    if (fault_ != UnitFault::Stall)
        output_ += kEndRecord;
}

} // namespace korvane
