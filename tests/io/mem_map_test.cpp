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
        {"what comes before the first record is skipped", "\x1a 7F\r\n" + zeroImageRecords() + ":00000001FF", false,
         true, kReadOk, 0},
        {"a digit after a record's checksum damages the answer", ":0100000001FE0\r\n:00000001FF", true, false,
         kReadStray, 1},
        {"any other character between records too", ":0100000001FE\r\n \r\n:00000001FF", true, false, kReadStray, 1},
        {"a data record of length 0 carries nothing", ":0000000000\r\n:00000001FF", true, true, kReadOk, 0},
        // Read as the end record, its data byte would be taken for the checksum, and match.
        {"an end record with data", ":01000001FE00\r\n", true, false, kReadUnknownType, 0},
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

TEST(PutToMemMap, noDamagedCharacterGivesACompleteReadWithAWrongImage) {
    // Each character of a stretch of a whole answer dropped, replaced by another digit or by a
    // character that is none, or a hex digit inserted before it: the read is never complete with a
    // wrong image. A digit inserted anywhere in the answer is refused, between records too.
    MemMap image{};
    for (int a = 0; a < kReadImageEnd; ++a)
        image[a] = static_cast<Byte>((a * 7 + 3) & 255);
    std::string answer;
    for (int a = 0; a < kReadImageEnd; a += 32)
        answer += DataRecord(a, std::span<const Byte>(image.data() + a, 32));
    answer += kEndRecord;
    const std::string hexDigits = "0123456789ABCDEF";
    struct Stretch {
        const char* what;
        std::size_t first;
        std::size_t length;
    };
    const std::size_t middle = answer.find(":20014000"); // a record among the setup rows, with its line end
    const std::size_t last = answer.find(":203BE000");   // the last record, its line end and the end record
    const Stretch stretches[] = {{"a record in the middle", middle, 1 + 2 * 37 + 2},
                                 {"the last record and the end record", last, answer.size() - last}};
    for (const Stretch& s : stretches) {
        MemMapReceiver before; // the answer up to the edited character, taken once
        before.feed(std::string_view(answer).substr(0, s.first));
        int wrong = 0;
        int insertedTaken = 0;
        for (std::size_t i = s.first; i < s.first + s.length; ++i) {
            const std::string_view rest = std::string_view(answer).substr(i);
            const char digit = answer[i] == '7' ? '8' : '7';
            const char other = i % 2 == 0 ? 'g' : '\r';
            std::vector<std::pair<std::string, bool>> edits{
                {"", false}, {std::string(1, digit), false}, {std::string(1, other), false}};
            for (char d : hexDigits)
                edits.emplace_back(std::string(1, d) + answer[i], true);
            for (const auto& [replacement, inserted] : edits) {
                MemMapReceiver rx = before;
                rx.feed(replacement);
                // Once a fault is seen the read cannot be complete: the rest is not needed.
                for (std::size_t k = 1; k < rest.size() && rx.readError() == kReadOk; ++k)
                    rx.Put_to_MemMap(static_cast<unsigned char>(rest[k]));
                const bool complete = rx.result().complete;
                if (complete && !std::equal(image.begin(), image.begin() + kReadImageEnd, rx.image().begin()))
                    ++wrong;
                // Only a digit that ends up after the end record's checksum is no part of the answer.
                if (complete && inserted && answer.compare(i, std::string::npos, "FF") != 0 &&
                    answer.compare(i, std::string::npos, "F") != 0)
                    ++insertedTaken;
            }
            before.Put_to_MemMap(static_cast<unsigned char>(answer[i]));
        }
        EXPECT_EQ(wrong, 0) << s.what;
        EXPECT_EQ(insertedTaken, 0) << s.what;
    }
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
