#pragma once
// The Intel-HEX records the master unit is written with, the bytes derived while a channel record
// is built, and the whole write as an ordered plan of records. The plan is data: the transfer only
// moves it over the line and watches for an early answer.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/configuration.h"
#include "model/text_ids.h"
#include "model/vocabulary.h"

namespace korvane {

// ---- device addresses ----
constexpr int kAddrChannelSetup = 0x0000; // + 32 * channel
constexpr int kAddrMasterMatrix = 0x1000; // + 32 * channel
constexpr int kAddrChannelText = 0x2000;  // + 32 * channel
constexpr int kAddrDescription = 0x3000;  // + 256 * description + 32 * piece
constexpr int kAddrLogic = 0x3900;        // + 4 * block
constexpr int kAddrSysData = 0x3A00;      // + 32 * part
constexpr int kAddrUnitLabel = 0x3AE0;
constexpr int kAddrSmsText = 0x3B00; // + 16 * entry
constexpr int kDescriptionSpan = kDescriptionKept;
constexpr int kDescriptionPiece = 32;
constexpr int kDescriptionPieces = 8;
constexpr int kSysDataParts = 7;
constexpr int kRecordTextMax = kChannelTextKept; // characters of a channel text or the unit label in one record
constexpr int kUnitLabelLength = 31;

constexpr std::string_view kEndRecord = ":00000001FF";       // sent without CR LF
constexpr std::string_view kReadRequest = ":020B1002A12A16"; // sent without CR LF

// Language texts that go to the unit.
constexpr int kTextLabel1 = kTxtChannel; // unit label: 7 + 7 + 7 + 5 + 5 characters
constexpr int kTextLabel2 = kTxtDay;
constexpr int kTextLabel3 = kTxtUnitLabelTime;
constexpr int kTextLabel4 = kTxtUnitLabelOn;
constexpr int kTextLabel5 = kTxtUnitLabelOff;
constexpr int kTextSmsLabel = kTxtSmsMessageWords; // SMS entries 9..13, 16 characters each

// Two's complement of the sum of length, address bytes and data, modulo 256.
Byte RecordChecksum(int address, std::span<const Byte> data);
// A data record (type 00) with CR LF.
std::string DataRecord(int address, std::span<const Byte> data);

// Setup bytes that follow the type byte in a channel record of the type (0..63).
int ChannelRecordLength(int type);
// Real-time day-set mode of day set p (0..3) of a type 6 or 7 row: 0, 1, 2, 4 or 9.
Byte DaySetMode(const Row& row, int p);
// Computes the derived bytes of a channel (types 6, 7, 40, 48..51) into its row.
void ComputeDerivedBytes(Configuration& cfg, int channel);
// The channel's row as a write sends it: with its derived bytes computed.
Row DerivedRow(const Configuration& cfg, int channel);

// The byte at hex pair `pair` of a record text from its ':' (0 = the length), upper or lower case;
// -1 when the text ends before it or it is no hex.
int RecordByte(std::string_view record, int pair);

// The record builders. Each returns the record text with CR LF.
// They live in their own namespace because LogicRecord is also the name of a logic block's bytes.
namespace hex {
std::string SysDataRecord(const Configuration& cfg, int first, int address);
std::string LogicRecord(const Configuration& cfg, int block, int base);
// The row with its derived bytes; no event options while SysData byte 58 is 1, none on a pulse timer.
std::string ChannelRecord(const Configuration& cfg, int channel);
std::string MasterRecord(const Configuration& cfg, int channel, int base);
// A text in its whole slot of `slot` bytes: its characters, cut to maxChars, then NUL bytes to the end
// of the slot. An empty text still sends its slot, so the unit keeps nothing a longer or deleted text
// left there.
std::string TextRecord(int address, std::string_view text, int maxChars = kRecordTextMax, int slot = kRowBytes);
// One 32-byte piece of a description, NUL-padded, also when the piece is empty.
std::string DescriptionRecord(const Configuration& cfg, int index, int offset, int base);
} // namespace hex

// The 31 characters of the unit label.
std::string UnitLabelText(const TextLookup& text);
// Fills SmsText 9..13 from language text 318 and 14, 15 from SmsIdText.
void FillSmsEntries(Configuration& cfg, const TextLookup& text);
// Writes the clock into SysData bytes 3..10 (packed two-digit decimal, weekday plain).
void SetDeviceClock(Configuration& cfg, const DeviceClock& clock);
// The highest channel a write sends: SysData byte 11, held within the 128 channels.
int HighestChannelSent(const Configuration& cfg);

// One record of the plan and the progress value shown while it goes out (-1: unchanged).
struct PlannedRecord {
    std::string text;
    int progress = -1;
};

// One step a..i of a write.
struct WriteStep {
    char step = 'a';
    int statusText = 0;           // language text shown when the step starts, 0: unchanged
    int progressMax = -1;         // progress maximum for the step, -1: unchanged
    bool checksAnswer = false;    // after each record: two or more characters waiting end the checked steps
    bool skippedOnAnswer = false; // not sent once the unit has answered early
    std::vector<PlannedRecord> records;
};

// The configuration as a write sends it: the clock in SysData bytes 3..10 and SmsText 9..15 filled in
// (the derived bytes are computed as each channel record is built).
Configuration AsSent(const Configuration& cfg, const DeviceClock& clock, const TextLookup& text);
// The whole write, in send order. The configuration stays as it is: what the write derives, the clock
// and the SMS entries it fills in go into the records only.
std::vector<WriteStep> BuildWritePlan(const Configuration& cfg, const DeviceClock& clock, const TextLookup& text);
// The bytes of a plan sent without an early answer: every record, the end record last.
std::string WriteStream(const std::vector<WriteStep>& plan);

} // namespace korvane
