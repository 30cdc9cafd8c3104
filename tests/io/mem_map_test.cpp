#include <gtest/gtest.h>

#include <algorithm>

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
    const std::pair<const char*, int> errors[] = {
        {"Ok", kReadOk},         {"RecordTooLong", kReadRecordTooLong}, {"AddressOutOfRange", kReadAddressOutOfRange},
        {"NotHex", kReadNotHex}, {"UnknownType", kReadUnknownType},     {"Checksum", kReadChecksum},
        {"Stray", kReadStray},   {"RecordCut", kReadRecordCut},         {"NotCovered", kReadNotCovered}};
    const std::pair<std::string, std::string> images[] = {
        {"{image}", zeroImageRecords()},
        {"{image without 2000}", zeroImageRecords(0x2000)},
        {"{image without its first ':'}", zeroImageRecords().substr(1)}};
    const auto cases = dataTable("answer_streams.txt", 5);
    EXPECT_EQ(cases.size(), 22u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        std::string answer = c[1];
        for (const auto& [name, records] : images)
            if (const auto at = answer.find(name); at != std::string::npos)
                answer.replace(at, name.size(), records);
        MemMapReceiver rx;
        rx.feed(answer);
        const ReceiveResult r = rx.result();
        const auto error = std::find_if(std::begin(errors), std::end(errors), [&](auto e) { return e.first == c[3]; });
        ASSERT_NE(error, std::end(errors)) << c[3];
        const bool complete = c[2] == "yes";
        EXPECT_EQ(r.complete, complete);
        EXPECT_EQ(r.error, error->second);
        EXPECT_EQ(r.reason.empty(), complete) << r.reason;
        EXPECT_EQ(rx.image()[0], std::stoi(c[4]));
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
    UnpackImage(image, cfg);

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
