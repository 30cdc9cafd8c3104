#pragma once
// The configuration of one master unit: every array that is saved, sent to the unit and printed,
// plus the working variables the windows share. Plain data; the rules that change it live beside it.

#include <array>
#include <cstdint>
#include <string>

namespace korvane {

using Byte = std::uint8_t;

constexpr int kChannels = 128;      // bus channels A1..P8
constexpr int kChanSetupRows = 129; // row 128 is a spare row no editor uses
constexpr int kRowBytes = 32;
constexpr int kLogicRecords = 128;
constexpr int kLogicBlocksUsed = 64; // only blocks 0..63 are stored and sent
constexpr int kLogicBytes = 4;
constexpr int kSysDataSize = 257;
constexpr int kDescTexts = 9;
constexpr int kGeneralDescription = 8; // DescText entry of the general system description
constexpr int kSmsTexts = 17;
constexpr int kSmsIdTextMax = 31; // characters of SmsIdText the SMS page accepts
// What the unit keeps of a text: a channel's description in its 32-byte slot (the last byte ends it),
// a description (the system's, a logic page's notes) in 256 bytes.
constexpr int kChannelTextKept = 31;
constexpr int kDescriptionKept = 256;

using Row = std::array<Byte, kRowBytes>;
using LogicRecord = std::array<Byte, kLogicBytes>;

// Channel reference byte: 0..127 bus channels, 128..159 the extra groups X, Y, Z, W.
constexpr Byte kNoChannel = 248;

// ---- SysData bytes ----
constexpr int kSysFirmwareHigh = 0; // the unit's firmware version, most significant byte first
constexpr int kSysFirmwareLow = 1;
constexpr int kSysUsePcClock = 2;
constexpr int kSysClockHour = 3;
constexpr int kSysClockMinute = 4;
constexpr int kSysClockDay = 5;
constexpr int kSysClockWeekday = 6;
constexpr int kSysClockMonth = 7;
constexpr int kSysClockCentury = 8;
constexpr int kSysClockYear = 9;
constexpr int kSysClockSecond = 10;
constexpr int kSysChannelsInUse = 11; // highest channel number in use: 15, 23, ..., 127
constexpr int kSysAutoSummerTime = 12;
constexpr int kSysEventSms = 13;
constexpr int kSysDialOutMethod = 14;
constexpr int kSysIntruderSirenTime = 16;
constexpr int kSysIntruderContinueTime = 17;
constexpr int kSysIntruderArmTime = 18;
constexpr int kSysIntruderDisarmTime = 19;
constexpr int kSysWaterContinueTime = 24;
constexpr int kSysWaterSirenTime = 25;
constexpr int kSysWaterResetTime = 26;
constexpr int kSysSmokeSirenTime = 32;
constexpr int kSysSmokeContinueTime = 33;
constexpr int kSysSmokeResetTime = 34;
constexpr int kSysIsaSirenTime = 40;
constexpr int kSysIsaMode = 41;
constexpr int kSysCommonSiren = 42;
constexpr int kSysMuxCount = 48;
constexpr int kSysMuxDelay = 49;
constexpr int kSysTimeOutput = 50;
constexpr int kSysDeviceNo = 51;
constexpr int kSysCounter = 52;
constexpr int kSysDialInPassword = 53;
constexpr int kSysDialInSafety = 54;
constexpr int kSysSmsResponseTime = 55;
constexpr int kSysEventOff = 58;     // while 1, ChanFlags are neither saved nor sent
constexpr int kSysExchangeMask = 64; // 16 bytes, one bit per channel
constexpr int kSysHolidays = 96;     // 16 periods of 4 bytes
constexpr int kSysHolidayCount = 16;
// New clears bytes 0..159: the settings and all sixteen holiday periods (periods 9..16 are not read back from a
// unit, so one kept from the previous configuration would travel unseen into the next unit).
constexpr int kSysClearedBytes = kSysHolidays + 4 * kSysHolidayCount;
constexpr int kSysImageBytes = 128; // a read from the unit takes bytes 0..127
constexpr int kSysSentBytes = 224;  // a write sends bytes 0..223 in seven parts of 32

// ---- SMS entries ----
constexpr int kSmsLabelFirst = 9; // entries 9..13 carry language text 318 on the unit
constexpr int kSmsLabelLast = 13;
constexpr int kSmsIdFirst = 14;     // SmsIdText characters 1..16
constexpr int kSmsIdSecond = 15;    // SmsIdText characters 17..
constexpr int kSmsEntryChars = 16;  // an SMS entry holds at most 16 characters
constexpr int kSmsTextsStored = 16; // entries 0..15 are saved and sent; entry 16 is neither

// ---- ChanSetup row layout ----
constexpr int kRowType = 0; // channel type, always below 64; the flags live in ChanFlags
// timers (types 3, 4, 5)
constexpr int kTimerTime1 = 1; // 3 bytes of seconds, least significant first
constexpr int kTimerTime2 = 7;
constexpr int kTimerStartChannel = 15;
constexpr int kTimerTyped = 16; // 16..21: the two times as typed (h, m, s)
// real-time and master function (types 6, 7)
constexpr int kRtDaySets = 1; // four day sets of 5 bytes at 1 + 5k
constexpr int kRtDaySetSize = 5;
constexpr int kRtDaySetCount = 4;
constexpr int kMasterRealTime = 21; // Chk_masterRt
constexpr int kRtDerived = 28;      // 28..31 derived when the image is built
// basic types (0, 2)
constexpr int kBasicOptions = 1;
// alarms
constexpr int kAlarmDisable = 1; // intruder detectors, water, smoke, ISA
constexpr int kSirenMasterFlash = 1;
constexpr int kSirenFlashInterval = 2;
constexpr int kIsaOnDelay = 2;
// motion detector (type 25)
constexpr int kMotionTime = 1;
constexpr int kMotionInAlarm = 7;
constexpr int kMotionPulses = 8;
// roller blind (type 40)
constexpr int kRollRunTime = 1;
constexpr int kRollReverseCycles = 2;
constexpr int kRollReverseHigh = 3;
constexpr int kRollReverseLow = 4;
constexpr int kRollPriority = 5;
constexpr int kRollPriorityDirection = 6;
constexpr int kRollSlats = 7;
// roller master (type 42)
constexpr int kRmMode = 1;
constexpr int kRmChannel1 = 2;
constexpr int kRmChannel2 = 3;
constexpr int kRmRunTime = 4;
constexpr int kRmReverseTime = 5;
// analogue sensors (types 48..51)
constexpr int kAnaOptions = 1;
constexpr int kAnaDisable = 2;
constexpr int kAnaLimit2Disable = 3;
constexpr int kAnaByte5 = 5;
constexpr int kAnaByte7 = 7;
constexpr int kAnaRangeMin = 8;
constexpr int kAnaRangeMax = 11;
constexpr int kAnaLimit1Low = 14;
constexpr int kAnaLimit1High = 17;
constexpr int kAnaLimit2Low = 20;
constexpr int kAnaLimit2High = 23;
constexpr int kAnaExternLimit = 26;

// ---- ChanFlags bits ----
constexpr Byte kFlagCheck1 = 128;
constexpr Byte kFlagCheck2 = 64;
constexpr Byte kTypeMask = 63; // type bits of a merged type byte

struct Configuration {
    std::array<Row, kChanSetupRows> ChanSetup{};
    std::array<Row, kChannels> MasterMatrix{};
    std::array<LogicRecord, kLogicRecords> LogicBlocks{};
    std::array<Byte, kSysDataSize> SysData{};
    std::array<std::string, kChannels> ChanText{};
    std::array<std::string, kDescTexts> DescText{};
    std::array<std::string, kSmsTexts> SmsText{};
    std::string SmsIdText;

    std::array<Byte, kChannels> ChanFlags{};
    std::array<Byte, kChannels> SavedChanType{};

    Row BlankRow{};
    LogicRecord BlankLogic{};

    int channelType(int c) const { return ChanSetup[c][kRowType]; }
    // Highest channel number shown; a byte above 127 (from a damaged file or unit) shows all channels.
    int channelsInUse() const {
        return SysData[kSysChannelsInUse] < kChannels ? SysData[kSysChannelsInUse] : kChannels - 1;
    }

    bool operator==(const Configuration&) const = default;
};

// Working variables shared by the windows; not saved.
struct EditState {
    int CurChannel = 0;
    int CurGroup = 0;
    int MatrixCursor = 0;
    int CurLogicBlock = 0;
    bool DataChanged = false;
};

// The blank configuration of New: every channel unused, system defaults set, SysData cleared up to
// and with the sixteen holiday periods. Keeps SysData from byte 160 on, SmsText 9..16 and ChanSetup
// row 128.
void ClearConfiguration(Configuration& cfg, EditState& state);

// The row of an unused channel (type 1, rest 0), as ClearConfiguration leaves BlankRow.
Row UnusedRow();

} // namespace korvane
