#include <gtest/gtest.h>

#include "io/hex_records.h"
#include "io/mem_map.h"
#include "model/channel_types.h"
#include "tests/support/io_test_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

// Records of 32 zero bytes over the whole image, as a unit answers with nothing written to it.
std::string zeroImageRecords(int skipAddress = -1) {
    const std::array<Byte, 32> zeros{};
    std::string out;
    for (int a = 0; a < kReadImageEnd; a += 32)
        if (a != skipAddress)
            out += DataRecord(a, zeros);
    return out;
}

} // namespace

TEST(PutToMemMap, completesOnlyWhenEveryRecordIsSoundAndTheImageIsCovered) {
    struct Case {
        const char* what;
        std::string stream; // after the records of a whole zero image, when `covered`
        bool covered;
        bool complete;
        int error;
        int byte0; // MemMap byte 0 afterwards
    };
    const std::string zeroRecord0 = DataRecord(0, std::array<Byte, 32>{});
    const std::vector<Case> cases{
        {"one record and the end record", ":0100000001FE\r\n:00000001FF", true, true, kReadOk, 1},
        {"LF only and no line ends", ":0100000007F8\n:0100000007F8:00000001FF", true, true, kReadOk, 7},
        {"no end record", ":0100000001FE\r\n", true, false, kReadOk, 1},
        {"nothing at all", "", false, false, kReadOk, 0},
        {"only the end record", ":00000001FF", false, false, kReadNotCovered, 0},
        {"one record of the image missing", zeroImageRecords(0x2000) + ":00000001FF", false, false, kReadNotCovered, 0},
        {"the first record without its ':'", zeroRecord0.substr(1) + zeroImageRecords(0) + ":00000001FF", false, false,
         kReadNotCovered, 0},
        {"bad checksum is not stored", ":0100000001FF\r\n:00000001FF", true, false, kReadChecksum, 0},
        {"lower-case digits damage the record", ":0100000001fe\r\n:00000001FF", true, false, kReadNotHex, 0},
        // ":0100000011EE" with its second data digit lost and a stray character in its place: the
        // checksum would still match if the stray one kept the last digit.
        {"a character that is no digit damages the record", ":010000001xEE\r\n:00000001FF", true, false, kReadNotHex,
         0},
        {"line ends inside a record damage it", ":01000000\r\n01FE\r\n:00000001FF", true, false, kReadNotHex, 0},
        {"record longer than 32", ":21000000" + std::string(66, '0') + "DF\r\n:00000001FF", true, false,
         kReadRecordTooLong, 0},
        {"address above 0x50FF", ":0151000001AD\r\n:00000001FF", true, false, kReadAddressOutOfRange, 0},
        {"unknown record type", ":020B1002A12A16:0100000001FE\r\n:00000001FF", true, false, kReadUnknownType, 1},
        {"record cut short by the next ':'", ":0100000001FE\r\n:01000100:0100020002FB\r\n:00000001FF", true, false,
         kReadRecordCut, 1},
        {"damaged end record", ":0100000001FE\r\n:00000001FE", true, false, kReadChecksum, 1},
        {"what follows the end record is ignored", ":0100000001FE\r\n:00000001FF\r\n\x1a:0100000002FD", true, true,
         kReadOk, 1},
    };
    for (const Case& c : cases) {
        MemMapReceiver rx;
        rx.feed((c.covered ? zeroImageRecords() : std::string()) + c.stream);
        const ReceiveResult r = rx.result();
        EXPECT_EQ(r.complete, c.complete) << c.what;
        EXPECT_EQ(r.error, c.error) << c.what;
        EXPECT_EQ(r.reason.empty(), c.complete) << c.what << ": " << r.reason;
        EXPECT_EQ(rx.image()[0], c.byte0) << c.what;
    }
}

TEST(PutToMemMap, everyDamagedCharacterOfARecordFailsTheRead) {
    // Each character of one record of a whole answer dropped, or replaced by another digit or by a
    // character that is none: the read is never complete with a wrong image.
    MemMap image{};
    for (int a = 0; a < kReadImageEnd; ++a)
        image[a] = static_cast<Byte>((a * 7 + 3) & 255);
    std::string answer;
    for (int a = 0; a < kReadImageEnd; a += 32)
        answer += DataRecord(a, std::span<const Byte>(image.data() + a, 32));
    answer += kEndRecord;
    const std::size_t first = answer.find(":20014000"); // a record in the middle of the setup rows
    const std::size_t length = 1 + 2 * 37;              // its characters before CR LF
    int accepted = 0;
    for (std::size_t i = first; i < first + length; ++i) {
        const char digit = answer[i] == '7' ? '8' : '7';
        const char other = i % 2 == 0 ? 'g' : '\r';
        for (const std::string& v :
             {answer.substr(0, i) + answer.substr(i + 1), answer.substr(0, i) + digit + answer.substr(i + 1),
              answer.substr(0, i) + other + answer.substr(i + 1)}) {
            MemMapReceiver rx;
            rx.feed(v);
            if (rx.result().complete && !std::equal(image.begin(), image.begin() + kReadImageEnd, rx.image().begin()))
                ++accepted;
        }
    }
    EXPECT_EQ(accepted, 0);
}

TEST(PutToMemMap, storesRecordsAtTheirAddressAndShowsProgress) {
    MemMapReceiver rx;
    rx.feed(zeroImageRecords());
    rx.feed(":023A00000300C1\r\n");
    EXPECT_EQ(rx.progress(), 0x3A);
    rx.feed(":0250FE00ABCD38\r\n");
    EXPECT_EQ(rx.progress(), 64) << "progress is held at 64";
    rx.feed(std::string(kEndRecord));
    ASSERT_TRUE(rx.result().complete) << rx.result().reason;
    EXPECT_EQ(rx.result().records, kReadImageEnd / 32 + 2);
    EXPECT_EQ(UnitFirmwareVersion(rx.image()), 0x0300);
    EXPECT_EQ(rx.image()[0x50FE], 0xAB);
    EXPECT_EQ(rx.image()[0x50FF], 0xCD);

    rx.reset();
    EXPECT_EQ(rx.image()[0x50FE], 0);
    EXPECT_FALSE(rx.endRecordSeen());
}

TEST(UnpackImage, takesTheImageWithEveryRule) {
    MemMap image{};
    image[0] = 0xC8;                   // channel 0: type 8 with both flags
    image[32 * 5] = 0x85;              // channel 5: type 5 with Check1
    image[32 * 5 + 31] = 9;            // last setup byte
    image[0x1000 + 32 * 127 + 31] = 1; // P8's master row, last byte
    image[0x3900 + 4 * 63 + 3] = 4;
    image[0x3A00 + kSysDeviceNo] = 17;
    image[0x3A00 + 130] = 55; // beyond the bytes a read takes
    auto put = [&image](int address, const std::string& bytes) {
        std::copy(bytes.begin(), bytes.end(), &image[address]);
    };
    put(0x2000 + 32 * 2, "\x1e\x1f"
                         "A\"\xff"); // length byte, then the characters
    put(0x3000 + 256 * 8 + 200, "\x07\x08"
                                "B\r\nC\tD\"");
    put(0x3B00 + 16 * 3, "\x1f \xfc\xfd"
                         "C");
    put(0x3B00 + 16 * 14, "Sommerhus Skagen");
    put(0x3B00 + 16 * 15, "Nord");

    Configuration cfg = busyConfiguration();
    cfg.LogicBlocks[64] = {1, 2, 3, 4};
    const Configuration before = cfg;
    MemMapReceiver rx; // the unit's answer: 32-byte records over the configuration memory, then the end record
    for (int a = 0; a < 0x3C00; a += 32)
        rx.feed(DataRecord(a, std::span<const Byte>(image.data() + a, 32)));
    rx.feed(std::string(kEndRecord) + "\r\n");
    ASSERT_TRUE(rx.result().complete);
    ASSERT_EQ(rx.image(), image);
    UnpackImage(rx.image(), cfg);

    EXPECT_EQ(cfg.ChanSetup[0][kRowType], kTypeIntruderPassive);
    EXPECT_EQ(cfg.ChanFlags[0], 0xC0);
    EXPECT_EQ(cfg.SavedChanType[0], kTypeIntruderPassive);
    EXPECT_EQ(cfg.ChanSetup[5][kRowType], kTypeTimerDelayPulse);
    EXPECT_EQ(cfg.ChanFlags[5], 0x80);
    EXPECT_EQ(cfg.ChanSetup[5][31], 9);
    EXPECT_EQ(cfg.ChanFlags[6], 0);
    EXPECT_EQ(cfg.MasterMatrix[127][31], 1);
    EXPECT_EQ(cfg.LogicBlocks[63][3], 4);
    EXPECT_EQ(cfg.LogicBlocks[64], before.LogicBlocks[64]);
    EXPECT_EQ(cfg.SysData[kSysDeviceNo], 17);
    EXPECT_EQ(cfg.SysData[kSysChannelsInUse], 127) << "byte 11 of 0 means all channels";
    EXPECT_EQ(cfg.SysData[130], before.SysData[130]);
    EXPECT_EQ(cfg.ChanText[2], "\x1f"
                               "A'\xff")
        << "codes above 30, a double quote as an apostrophe";
    EXPECT_EQ(cfg.ChanText[3], "");
    EXPECT_EQ(cfg.DescText[8], "\x08"
                               "B\r\nC\tD'")
        << "codes above 7: the line break and the tab stay";
    EXPECT_EQ(cfg.SmsText[3], " \xfc"
                              "C");
    EXPECT_EQ(cfg.SmsIdText, "Sommerhus SkagenNord");
    EXPECT_EQ(cfg.SmsText[16], before.SmsText[16]);

    image[0x3A00 + kSysChannelsInUse] = 63;
    UnpackImage(image, cfg);
    EXPECT_EQ(cfg.SysData[kSysChannelsInUse], 63);
}

TEST(UnpackImage, aWrittenConfigurationReadsBackUnchanged) {
    Configuration cfg = busyConfiguration();
    for (int c = 0; c < kChannels; ++c) { // a type whose record carries bytes 0..21; texts of 31
        cfg.ChanSetup[c][kRowType] = kTypeTimerDelay;
        std::fill(cfg.ChanSetup[c].begin() + 22, cfg.ChanSetup[c].end(), 0);
        cfg.ChanText[c] = cfg.ChanText[c].substr(0, 31);
    }
    // Descriptions of several lines; in description 3 a CR LF straddles two records.
    cfg.DescText[8] = "Villa Nordlys\r\nStrandvejen 12\r\n\r\n\tSkagen";
    cfg.DescText[3] = std::string(31, 'x') + "\r\n" + std::string(30, 'y') + "\r\n" + "z";
    const DeviceClock clock{2026, 5, 6, 7, 8, 9, 3};
    auto plan = BuildWritePlan(cfg, clock, [](int) { return std::string(); });
    SetDeviceClock(cfg, clock); // what the unit holds: the configuration and the clock the write set

    MemMapReceiver rx; // the unit's memory as read after the write: an empty unit with the records laid over
    rx.feed(zeroImageRecords());
    rx.feed(WriteStream(plan));
    ASSERT_TRUE(rx.result().complete) << rx.result().reason;
    Configuration back = blankConfiguration();
    UnpackImage(rx.image(), back);
    for (int c = 0; c < kChannels; ++c) {
        EXPECT_EQ(back.ChanSetup[c], cfg.ChanSetup[c]) << c;
        EXPECT_EQ(back.ChanFlags[c], cfg.ChanFlags[c]) << c;
        EXPECT_EQ(back.MasterMatrix[c], cfg.MasterMatrix[c]) << c;
        EXPECT_EQ(back.ChanText[c], cfg.ChanText[c]) << c;
    }
    EXPECT_TRUE(std::equal(back.SysData.begin(), back.SysData.begin() + kSysImageBytes, cfg.SysData.begin()));
    EXPECT_EQ(back.DescText, cfg.DescText);
    EXPECT_EQ(back.SmsIdText, cfg.SmsIdText);
}

TEST(PutToMemMap, noiseNeverGivesACompleteImage) {
    const std::string alphabet = ":0123456789ABCDEFabc\r\n\x1a\xff";
    std::uint32_t seed = 12345;
    MemMapReceiver rx;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1103515245u + 12345u;
        rx.Put_to_MemMap(static_cast<unsigned char>(alphabet[(seed >> 16) % alphabet.size()]));
    }
    EXPECT_FALSE(rx.result().complete);
    EXPECT_NE(rx.result().error, kReadOk);
    EXPECT_FALSE(rx.result().reason.empty());
}
