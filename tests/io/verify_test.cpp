#include <gtest/gtest.h>

#include <functional>

#include "io/hex_records.h"
#include "io/verify.h"
#include "model/channel_types.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

std::string noText(int) {
    return {};
}

// The configuration as a write leaves it, and the memory of a unit that held `before` and then
// stored every record of that write.
struct Written {
    Configuration cfg;
    MemMap unit{};
};

Written writeOver(Configuration cfg, const MemMap& before) {
    Written w{std::move(cfg), before};
    LayWriteRecords(WriteStream(BuildWritePlan(w.cfg, DeviceClock{2026, 12, 6, 18, 33, 7, 7}, noText)), w.unit);
    return w;
}

// A unit that held a busy configuration with long texts in every slot.
MemMap staleUnit() {
    Configuration old = busyConfiguration();
    for (auto& t : old.ChanText)
        t = "Kitchen window north, left wing";
    old.DescText.fill(std::string(256, 'D'));
    old.SmsText.fill(std::string(16, '9'));
    old.SmsIdText = std::string(32, 'I');
    return writeOver(old, MemMap{}).unit;
}

} // namespace

TEST(LayWriteRecords, laysSoundRecordsAndPassesOverDamagedOnes) {
    const auto cases = dataTable("write_records.txt", 5);
    EXPECT_EQ(cases.size(), 7u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        MemMap image{};
        EXPECT_EQ(LayWriteRecords(c[1], image), std::stoi(c[2]));
        EXPECT_EQ(image[std::stoul(c[3], nullptr, 16)], std::stoi(c[4]));
    }
}

TEST(VerifyWrite, aSoundWriteOverAnyEarlierContentHasNoDifferences) {
    for (const MemMap& before : {MemMap{}, staleUnit()}) {
        Configuration cfg = busyConfiguration();
        cfg.ChanText[0] = "Door";
        cfg.ChanText[1] = "";
        cfg.DescText[3] = "";
        cfg.SmsText[0] = "";
        cfg.SmsIdText = "Id";
        const Written w = writeOver(cfg, before);
        EXPECT_TRUE(VerifyWrite(w.cfg, w.unit).empty());
    }
}

TEST(VerifyWrite, namesWhatTheUnitHoldsOtherThanWrittenInTheUsersWordsAndOnlyThat) {
    struct Case {
        const char* what;
        std::function<void(MemMap&)> change;
        std::vector<std::string> lines;
    };
    auto put = [](int address, const std::string& text) {
        return [=](MemMap& m) { std::copy(text.begin(), text.end(), m.begin() + address); };
    };
    const std::vector<Case> cases{
        {"a stale tail behind a shorter text",
         put(kAddrChannelText, "Doorhen window north"),
         {"A1 Mono: Description unit 'Doorhen window north', written 'Door'"}},
        {"an emptied text the unit kept",
         put(kAddrChannelText + 32, "Hall"),
         {"A2 Not used: Description unit 'Hall', written ''"}},
        {"a value of the function",
         [](MemMap& m) { m[kAddrChannelSetup + 32 * 10 + kSirenMasterFlash] = 0; },
         {"B3 Intruder: siren: Flash channels on alarm unit no, written yes"}},
        {"another function",
         [](MemMap& m) { m[kAddrChannelSetup + 32 * 2] = kTypeBlank; },
         {"A3: Function of this channel unit Not used, written Flip-flop"}},
        {"an event option",
         [](MemMap& m) { m[kAddrChannelSetup + 32 * 2] = kTypeFlipFlop | kFlagCheck2; },
         {"A3 Flip-flop: SMS on switching off unit yes, written no"}},
        {"a master function's target",
         [](MemMap& m) { m[kAddrMasterMatrix + 32 * 7 + 16] |= 128; },
         {"A8 Master function: A1 unit Off, written Not affected"}},
        {"a logic block",
         [](MemMap& m) { m[kAddrLogic + 4 * 63 + 3] = 0; },
         {"Logic block 64: unit none, written H4 = --H5 Xor --H6"}},
        {"a system setting an older unit does not keep",
         [](MemMap& m) { m[kAddrSysData + kSysEventSms] = 0; },
         {"Basic setup: Event messages unit To the serial port, written By SMS"}},
        {"a description piece",
         put(kAddrDescription + 256 * 8 + 64, "old"),
         {"Basic setup: System description unit 'Beskrivelse 8old', written 'Beskrivelse 8'"}},
        {"an SMS number",
         put(kAddrSmsText + 16 * 2 + 3, "77"),
         {"SMS setup: SMS telephone numbers 3 unit '+4577', written '+45'"}},
        // Not compared: what the write does not send or a read does not return, what the unit changes
        // itself, what the program derives and bytes no value of the function stands for.
        {"the clock", [](MemMap& m) { m[kAddrSysData + kSysClockMinute] = 0x59; }, {}},
        {"the firmware version", [](MemMap& m) { m[kAddrSysData + kSysFirmwareLow] = 7; }, {}},
        {"a derived byte", [](MemMap& m) { m[kAddrChannelSetup + 32 * 6 + kRtDerived] = 99; }, {}},
        {"a byte the function does not use", [](MemMap& m) { m[kAddrChannelSetup + 32 * 10 + 5] = 99; }, {}},
        {"a master row of a channel that is no master", [](MemMap& m) { m[kAddrMasterMatrix + 32 * 9] = 1; }, {}},
        {"system bytes from 128 on", [](MemMap& m) { m[kAddrSysData + 130] = 99; }, {}},
        {"the unit label", put(kAddrUnitLabel, "Other"), {}},
        {"the SMS words from the language file", put(kAddrSmsText + 16 * 9, "Alarm"), {}},
    };
    Configuration cfg = busyConfiguration();
    cfg.ChanText[0] = "Door";
    cfg.ChanText[1] = "";
    cfg.ChanSetup[10][kRowType] = kTypeIntruderSiren; // B3: flash on
    cfg.ChanSetup[10][kSirenMasterFlash] = 1;
    cfg.ChanSetup[2][kRowType] = kTypeFlipFlop;
    cfg.ChanFlags[2] = 0;
    cfg.SysData[kSysEventSms] = 1;
    cfg.SmsText[2] = "+45";
    const TextLookup english = shippedTexts("English.dat");
    const Written base = writeOver(cfg, staleUnit());
    for (const Case& c : cases) {
        MemMap unit = base.unit;
        c.change(unit);
        std::vector<std::string> lines;
        for (const Difference& d : VerifyWrite(cfg, unit))
            lines.push_back(VerifyLine(WordDifference(d, english), english));
        EXPECT_EQ(lines, c.lines) << c.what;
    }
}

TEST(VerifyWrite, channelsAfterTheLastOneSentAreNotCompared) {
    Configuration cfg = busyConfiguration();
    cfg.SysData[kSysChannelsInUse] = 15;
    Written w = writeOver(cfg, staleUnit());
    w.unit[kAddrChannelText + 32 * 16] = 'X';
    w.unit[kAddrMasterMatrix + 32 * 16] = 1;
    EXPECT_TRUE(VerifyWrite(w.cfg, w.unit).empty());
    w.unit[kAddrChannelText + 32 * 15] = 'X';
    ASSERT_EQ(VerifyWrite(w.cfg, w.unit).size(), 1u);
    EXPECT_EQ(VerifyWrite(w.cfg, w.unit)[0].channel, 15);
}

TEST(BackupFileName, deviceNumberDateAndTime) {
    EXPECT_EQ(BackupFileName(7, 2026, 12, 6, 18, 33, 7), "07-20261206-183307.zeb");
    EXPECT_EQ(BackupFileName(99, 2027, 1, 2, 3, 4, 5), "99-20270102-030405.zeb");
}
