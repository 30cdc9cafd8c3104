#pragma once
// The unit's answer to a read request: the receiver state machine that assembles the Intel-HEX
// records into the memory image, byte by byte, and the unpacking of a complete image into the
// configuration.

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "model/configuration.h"

namespace korvane {

constexpr int kMemMapSize = 32768;
using MemMap = std::array<Byte, kMemMapSize>;

constexpr int kUnitVersion = 0x0300; // the firmware version this program is made for
// A read answer must cover the image from 0x0000 up to the end of the SMS texts; the unit's memory
// above it holds nothing the configuration keeps.
constexpr int kReadImageEnd = 0x3C00;

// ReadError codes of the receiver.
enum ReadErrorCode : int {
    kReadOk = 0,
    kReadRecordTooLong = 2,
    kReadAddressOutOfRange = 3,
    kReadUnknownType = 4,
    kReadChecksum = 5,
    kReadRecordCut = 6,  // a record was cut short: the next ':' arrived before its checksum
    kReadNotHex = 7,     // a record holds a character that is no hex digit: it is damaged
    kReadNotCovered = 8, // the end record came, but the records did not cover 0x0000..kReadImageEnd - 1
    kReadStray = 9,      // a character between two records that is no line end: the answer is damaged
    kReadComplete = 10,
};

struct ReceiveResult {
    bool complete = false; // the end record arrived, every record before it was sound and together they
                           // covered the whole image
    int error = kReadOk;   // the first fault seen (a ReadErrorCode), kReadOk when none
    int records = 0;       // data records taken into the image
    std::string reason;    // what went wrong, for the user; empty when complete
};

class MemMapReceiver {
public:
    MemMapReceiver();
    // A copy goes on from where the original stands, with its own image.
    MemMapReceiver(const MemMapReceiver& other);
    MemMapReceiver& operator=(const MemMapReceiver& other);
    MemMapReceiver(MemMapReceiver&&) = default;
    MemMapReceiver& operator=(MemMapReceiver&&) = default;

    // Clears the image and starts a new read.
    void reset();

    // One received character, through the state machine:
    //  state 0 start, 1..2 length, 3..6 address, 7..8 type, 9..10 data, 11..12 checksum.
    // ':' always restarts at state 0; '0'..'9' and 'A'..'F' give the nibble. Any other character
    // inside a record damages it (a lost or changed character must not shift the digits after it
    // into place). Before the first ':' anything is skipped (what the line held before the answer);
    // after it, only line ends (CR, LF) may stand between records: any other character there, a hex
    // digit too, is a character the line added or one a record lost, and damages the answer. A data
    // record of length 0 carries no data; an end record carries none either. A damaged record is not
    // stored. Characters after the end record are ignored: the read is over.
    void Put_to_MemMap(unsigned char ch);
    void feed(std::string_view bytes);

    // The end record has arrived (ReadState 1).
    bool endRecordSeen() const { return readState_ == 1; }
    // The end record has arrived whole: nothing more is taken, the read is over either way.
    bool finished() const { return over_; }
    // The last code the state machine set, as the unit's protocol numbers it.
    int readError() const { return readError_; }
    // The progress value: the address high byte of the last record stored, at most 64.
    int progress() const { return progress_; }
    // Whether the image may be taken: only a read whose end record arrived, in which no record was
    // too long, out of range, of an unknown type or damaged, and whose records covered the whole
    // image. A read that lost a record must not put a partly empty image into the configuration.
    ReceiveResult result() const;

    const MemMap& image() const { return *memMap_; }

private:
    void fail(int code);

    std::unique_ptr<MemMap> memMap_;
    std::unique_ptr<std::array<bool, kReadImageEnd>> covered_; // bytes of the image a stored record held
    int rxState_ = 0;
    int readState_ = 0;
    int readError_ = kReadOk;
    int firstError_ = kReadOk;
    bool over_ = false;
    bool inRecord_ = false;    // between a ':' and the checksum of its record
    bool answerBegun_ = false; // the first ':' has arrived
    int records_ = 0;
    int progress_ = 0;
    // working values of the state machine
    unsigned sum_ = 0;
    int length_ = 0;
    int addressHigh_ = 0;
    int addressLow_ = 0;
    int type_ = 0;
    int data_ = 0;
    int dataIndex_ = 0;
    int checksum_ = 0;
    int nibble_ = 0;
    std::array<Byte, 257> buffer_{};
};

// The unit's firmware version in an image, most significant byte first.
int UnitFirmwareVersion(const MemMap& image);

// Copies a complete image into the configuration: setup rows with the flags split off, master
// matrix, logic blocks 0..63, SysData 0..127 (byte 11 of 0 becomes 127), and the texts, keeping only
// the characters each kind of text may hold (descriptions every code above 7, so their line breaks
// too; channel texts above 30; SMS texts 32..252), a double quote turned into an apostrophe.
void UnpackImage(const MemMap& image, Configuration& cfg);

// What a read takes from a complete image: UnpackImage, and for a unit older than kUnitVersion the
// settings it does not have (SysData 13, 14, 52..55) set to 0.
void TakeReadImage(const MemMap& image, Configuration& cfg);

// The unit's answer to a write: the last of the digits '0'..'3' it sent, and how many bells.
constexpr int kEarlyAnswerChars = 2; // characters waiting during the record stream: the unit has answered
constexpr int kVerdictWaitChars = 4; // the wait for the verdict ends early at this many characters
constexpr int kVerdictMinChars = 3;  // fewer characters than this are no answer
enum class Verdict : char {
    Accepted = '0',
    Error1 = '1',
    Error2 = '2',
    Error3 = '3',
    NoAnswer = '4',  // too few characters
    NoVerdict = '5', // characters, but not one verdict digit among them
};
struct UnitAnswer {
    Verdict verdict = Verdict::NoAnswer;
    int bells = 0; // each BEL (7) sounds a beep
};
UnitAnswer ParseVerdict(std::string_view answer);

} // namespace korvane
