#include <gtest/gtest.h>

#include "io/hex_records.h"
#include "io/verify.h"
#include "model/channel_types.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

// The memory of a unit that held `unit` and then stored every record of a write of the configuration.
MemMap writeOver(const Configuration& cfg, MemMap unit) {
    LayWriteRecords(WriteStream(BuildWritePlan(cfg, DeviceClock{2026, 12, 6, 18, 33, 7, 7}, noText)), unit);
    return unit;
}

// A unit that held a busy configuration with long texts in every slot.
MemMap staleUnit() {
    Configuration old = busyConfiguration();
    for (auto& t : old.ChanText)
        t = "Kitchen window north, left wing";
    old.DescText.fill(std::string(256, 'D'));
    old.SmsText.fill(std::string(16, '9'));
    old.SmsIdText = std::string(32, 'I');
    return writeOver(old, MemMap{});
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

TEST(VerifyWrite, namesWhatTheUnitHoldsOtherThanWrittenInTheUsersWordsAndOnlyThat) {
    // Emptied and shortened texts over a unit that held long ones: a sound write leaves no difference.
    Configuration cfg = busyConfiguration();
    cfg.SysData[kSysChannelsInUse] = 15;
    cfg.ChanText[0] = "Door";
    cfg.ChanText[1] = "";
    cfg.DescText[3] = "";
    cfg.SmsText[0] = "";
    cfg.SmsIdText = "Id";
    cfg.ChanSetup[10][kRowType] = kTypeIntruderSiren; // B3: flash on
    cfg.ChanSetup[10][kSirenMasterFlash] = 1;
    cfg.ChanSetup[2][kRowType] = kTypeFlipFlop;
    cfg.ChanFlags[2] = 0;
    cfg.SysData[kSysEventSms] = 1;
    cfg.SmsText[2] = "+45";
    const TextLookup english = shippedTexts("English.dat");
    const MemMap written = writeOver(cfg, staleUnit());
    const auto cases = dataTable("verify_differences.txt", 4);
    EXPECT_EQ(cases.size(), 21u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        MemMap unit = written;
        std::copy(c[2].begin(), c[2].end(), unit.begin() + std::stoi(c[1], nullptr, 16));
        // Several lines are split by " ¶ ".
        std::vector<std::string> expected;
        for (std::size_t i = 0; i < c[3].size();) {
            const std::size_t end = std::min(c[3].find(" \u00b6 ", i), c[3].size());
            expected.push_back(c[3].substr(i, end - i));
            i = end + std::string(" \u00b6 ").size();
        }
        EXPECT_EQ(verifyLines(cfg, unit, english), expected);
    }
}

TEST(BackupFileName, deviceNumberDateAndTime) {
    EXPECT_EQ(BackupFileName(7, 2026, 12, 6, 18, 33, 7), "07-20261206-183307.zeb");
    EXPECT_EQ(BackupFileName(99, 2027, 1, 2, 3, 4, 5), "99-20270102-030405.zeb");
}
