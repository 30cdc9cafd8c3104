// What a save writes and what a write sends, for configurations of every kind, against the golden texts in
// tests/data/golden: <name>.zeb is the saved file, <name>.hex the Intel-HEX stream of the write. A change of
// the file format or of a record changes them; write them anew with
//     KORVANE_UPDATE_GOLDEN=1 build/test/bin/core_tests --gtest_filter='WrittenTexts.*'
// and read the difference in the commit.

#include <gtest/gtest.h>

#include <cstdlib>

#include "io/config_file.h"
#include "io/hex_records.h"
#include "model/channel_types.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

// Texts at the edges of their slots: empty, short, 8-bit, 40 characters, several lines; SMS entries longer
// and shorter than their 16 bytes; every record length of a function, with the option flags.
Configuration texts(bool eventOff) {
    Configuration cfg = blankConfiguration();
    cfg.SysData[kSysChannelsInUse] = 15;
    cfg.SysData[kSysEventOff] = eventOff ? 1 : 0;
    cfg.ChanText[0] = "A text of forty characters, exactly 40!!";
    cfg.ChanText[1] = "\xe6\xf8";
    cfg.ChanText[3] = "Door";
    cfg.DescText[0] = std::string(32, 'x') + "12345678";
    cfg.DescText[3] = std::string(31, 'x') + "\r\n" + std::string(30, 'y') + "\r\nz";
    cfg.DescText[kGeneralDescription] = "Hall\r\nKitchen";
    cfg.SmsText[2] = "+45";
    cfg.SmsText[3] = "12345678901234567890";
    cfg.SmsIdText = "ABCDEFGHIJKLMNOPQRST"; // 20 characters: 16 + 4
    const int types[] = {
        kTypeTimerDelayPulse, kTypeTimerPulse, kTypeIntruderPassive, kTypeMono,         kTypeIntruderSiren,
        kTypeMotion,          kTypeRealTime,   kTypeRoller,          kTypeRollerMaster, kTypeAnalogTemperature,
        kTypeIsaAcknowledge,  kTypeCommonSiren};
    const Byte flags[] = {kFlagCheck1, kFlagCheck1, kFlagCheck1 | kFlagCheck2}; // of the first three
    int ch = 2;
    for (std::size_t i = 0; i < std::size(types); ++i) {
        cfg.ChanSetup[ch][kRowType] = static_cast<Byte>(types[i]);
        cfg.ChanFlags[ch] = i < std::size(flags) ? flags[i] : 0;
        ch += types[i] == kTypeRoller || types[i] == kTypeRollerMaster ? 2 : 1;
    }
    return cfg;
}

Configuration systemBytes() {
    Configuration cfg = blankConfiguration();
    for (int i = 0; i < kSysDataSize; ++i)
        cfg.SysData[i] = static_cast<Byte>(i);
    cfg.SysData[kSysChannelsInUse] = 127;
    return cfg;
}

Configuration busy(int channelsByte) {
    Configuration cfg = busyConfiguration();
    cfg.SysData[kSysChannelsInUse] = static_cast<Byte>(channelsByte);
    cfg.DescText[2] = std::string(40, 'd');
    cfg.SmsText[0] = "+4512345678";
    return cfg;
}

} // namespace

TEST(WrittenTexts, savedFilesAndWriteStreamsMatchTheirGoldenTexts) {
    const std::pair<const char*, Configuration> cases[] = {
        {"blank", blankConfiguration()},
        {"texts", texts(false)},
        {"texts-event-off", texts(true)},
        {"system-bytes", systemBytes()},
        {"busy", busy(127)},
        {"busy-63-channels", busy(63)},
        {"busy-damaged-count", busy(200)},
        {"full", fullConfiguration(1)},
        {"good", loadedConfiguration("Good.zeb")},
    };
    const bool update = std::getenv("KORVANE_UPDATE_GOLDEN") != nullptr;
    for (const auto& [name, made] : cases) {
        SCOPED_TRACE(name);
        Configuration cfg = made;
        const Configuration before = cfg;
        const std::string stream = WriteStream(BuildWritePlan(cfg, DeviceClock{2026, 1, 2, 3, 4, 5, 5}, testText));
        EXPECT_EQ(cfg, before) << "the write takes what it derives and fills in into its records only";
        const std::string saved = ConfigFileText(cfg);
        for (const auto& [ext, text] : {std::pair{".zeb", saved}, {".hex", stream}}) {
            const std::string path = fixturePath("golden/" + std::string(name) + ext);
            if (update)
                std::ofstream(path, std::ios::binary) << text;
            else
                EXPECT_TRUE(readBytes(path) == text) << path
                                                     << " differs; when the change is meant, write it anew "
                                                        "with KORVANE_UPDATE_GOLDEN=1";
        }
    }
    if (update)
        GTEST_SKIP() << "golden texts written to " << fixturePath("golden");
}
