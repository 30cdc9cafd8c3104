#pragma once
// After a write: what the unit holds, held against the configuration that was written, in the
// installer's terms. And the one way of laying write records over a memory image.

#include <string>
#include <string_view>
#include <vector>

#include "io/config_diff.h"
#include "io/mem_map.h"
#include "model/configuration.h"

namespace korvane {

// Lays the sound data records of a write stream over the image, each at its address, as a unit
// stores them: a record with a wrong checksum, a non-hex character or an end outside the image is
// passed over, and so is everything between records. Returns the number of records laid.
int LayWriteRecords(std::string_view records, MemMap& image);

// The values the unit holds other than written. `written` is the configuration as the write left it
// (derived bytes, clock and SMS entries 9..15 filled in); `unit` is the unit's memory read back
// afterwards. Compared is what a write sends and a read returns: channels 0..SysData byte 11 (type and
// event options, the setup bytes of the type, the master row, the description), logic blocks 0..63,
// SysData 2..127 without the clock bytes, the nine descriptions, SMS entries 0..8 and the SMS
// identification. Each Difference carries the unit's value as `before` and the written one as `after`.
// The expected side comes from the configuration alone, never from the records that were sent.
std::vector<Difference> VerifyWrite(const Configuration& written, const MemMap& unit);

// "A1 description: unit 'Doorhen window north', written 'Door'".
std::string VerifyLine(const Difference& d);

// The file name of a backup of a unit: "<device number>-<YYYYMMDD>-<HHMMSS>.zeb", device number in
// two digits ("07-20261206-183307.zeb").
std::string BackupFileName(int deviceNumber, int year, int month, int day, int hour, int minute, int second);

} // namespace korvane
