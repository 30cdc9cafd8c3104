#pragma once
// After a write: what the unit holds, held against the configuration that was written, in the
// installer's terms. And the one way of laying write records over a memory image.

#include <string>
#include <string_view>
#include <vector>

#include "io/mem_map.h"
#include "model/configuration.h"
#include "model/differences.h"
#include "model/problems.h"

namespace korvane {

// Lays the sound data records of a write stream over the image, each at its address, as a unit
// stores them: a record with a wrong checksum, a non-hex character or an end outside the image is
// passed over, and so is everything between records. Returns the number of records laid.
int LayWriteRecords(std::string_view records, MemMap& image);

// The configuration as a unit that holds it returns it to a read: each text in its slot, cut to the
// slot and without the characters the unit does not give back.
Configuration AsUnitHoldsIt(const Configuration& cfg);

// The values the unit holds other than written, in the user's words (CompareFacts over what a unit
// keeps and a read returns): `written` is the configuration that was written, `unit` the unit's memory
// read back afterwards. Each Difference carries the unit's value as `before` and the written one as
// `after`. The expected side comes from the configuration alone, never from the records that were
// sent; what the write derives, the clock and the firmware version are no values of the user's.
std::vector<Difference> VerifyWrite(const Configuration& written, const MemMap& unit);

// What verify says after a write, for the transfer window and `korvane-cli write --verify` alike: the
// sentence (a language text; %1 is the number of texts kept in part), the values the unit holds other
// than written, and the texts it keeps only in part (never called exact while one is cut).
struct VerifyVerdict {
    int sentence = 0;
    int count = 0;
    std::vector<Difference> differences;
    std::vector<Problem> keptInPart;
    bool exact() const { return differences.empty() && keptInPart.empty(); }
};
VerifyVerdict VerdictOfWrite(const Configuration& written, const MemMap& unit);
// The sentence with its number filled in (Windows-1252).
std::string VerdictSentence(const VerifyVerdict& v, const TextLookup& text);
// The lines under the sentence (UTF-8): each difference as VerifyLine gives it, then, under their own
// heading where differences come first, the texts kept in part.
std::vector<std::string> VerdictLines(const VerifyVerdict& v, const TextLookup& text);

// File > Compare with unit: the configuration in memory (`before`) against what the unit holds
// (`after`), as far as a unit keeps it.
std::vector<Difference> CompareWithUnit(const Configuration& memory, const MemMap& unit);

// The file name of a backup of a unit: "<device number>-<YYYYMMDD>-<HHMMSS>.zeb", device number in
// two digits ("07-20261206-183307.zeb").
std::string BackupFileName(int deviceNumber, int year, int month, int day, int hour, int minute, int second);

} // namespace korvane
