#pragma once
// A byte-in/byte-out model of the master unit: it answers the read request with its memory as
// Intel-HEX records, stores the records written to it and answers a write with its verdict. A fault
// chosen per run makes it misbehave the way a real unit or line can, so every failure path of a
// transfer can be tried without hardware.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "io/hex_records.h"
#include "io/mem_map.h"

namespace korvane {

enum class UnitFault {
    None,
    Silence,         // answers nothing at all
    BadChecksum,     // one record of the read answer carries a wrong checksum
    DroppedRecord,   // one record of the read answer loses its second half on the line
    Stall,           // the read answer stops in the middle of the image
    Verdict1,        // the write is answered with error 1
    Verdict2,        // ... 2
    Verdict3,        // ... 3
    AnswerMidStream, // the unit answers "2" while the records are still coming
    GarbageVerdict,  // the write is answered with characters that hold no verdict digit
    Firmware0301,    // version bytes 0x03 0x01 (newer than the program)
    Firmware02FF,    // version bytes 0x02 0xFF (an older unit)
    IgnoredRecord,   // a written record (the first channel text) is not stored, and the write is still accepted
    LateVerdict,     // accepts a write but answers it only in the middle of the next transfer's records
    StrayMidStream,  // a stray character while the records are still coming, then no verdict (the unit restarted)
};

// The fault's name on the command line ("none", "silence", "bad-checksum", ...).
const char* UnitFaultName(UnitFault fault);
std::optional<UnitFault> UnitFaultFromName(std::string_view name);
const std::vector<UnitFault>& AllUnitFaults();

constexpr int kSimImageEnd = kReadImageEnd; // the read answer covers 0x0000..0x3BFF
constexpr int kSimRecordBytes = 32;
constexpr int kSimMidStreamRecord = 5; // the record after which AnswerMidStream answers

class UnitSimulator {
public:
    explicit UnitSimulator(UnitFault fault = UnitFault::None);

    // The memory a configuration leaves in a unit that was written with it (and version 0x0300), laid
    // by the io code rather than this unit's own store, so that the two can be held against each other.
    static MemMap ImageOf(const Configuration& cfg, const TextLookup& texts);
    void setMemory(const MemMap& memory);
    const MemMap& memory() const { return memory_; }
    UnitFault fault() const { return fault_; }
    void setFault(UnitFault fault) { fault_ = fault; }

    // Characters from the program. Complete records are acted on at once.
    void receive(std::string_view bytes);
    // Characters the unit has to send, oldest first; taking them empties the queue.
    std::string takeOutput();
    bool hasOutput() const { return !output_.empty(); }

    // Data records stored since the last read request or end record, and the completed writes.
    int recordsStored() const { return recordsStored_; }
    int writesCompleted() const { return writesCompleted_; }

private:
    void onRecord(const std::string& record);
    void answerRead();

    UnitFault fault_;
    MemMap memory_{};
    std::string pending_; // the record being received, from its ':'
    std::string output_;
    int recordsStored_ = 0;
    int writesCompleted_ = 0;
    bool answeredEarly_ = false;
    std::string late_;    // LateVerdict: the answer to the last write, not yet sent
    int lateRecords_ = 0; // records of the next transfer received since
};

} // namespace korvane
