#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <sstream>

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
    const auto cases = dataTable("answer_streams.txt", 7);
    EXPECT_EQ(cases.size(), 24u);
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
        for (const std::string& held : splitOn(c[4], ';'))
            EXPECT_EQ(rx.image()[std::stoul(held, nullptr, 16)], std::stoi(held.substr(held.find('=') + 1))) << held;
        EXPECT_EQ(rx.progress(), std::stoi(c[5]));
        EXPECT_EQ(r.records, std::stoi(c[6]));
        rx.reset();
        EXPECT_TRUE(rx.image() == MemMap{}) << "a new read starts from an empty image";
        EXPECT_FALSE(rx.endRecordSeen());
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

TEST(UnpackImage, takesTheImageWithEveryRule) {
    const auto rows = dataTable("io_unpack_image.txt", 5);
    EXPECT_EQ(rows.size(), 19u);
    MemMap image{};
    for (const auto& r : rows)
        if (!r[1].empty())
            std::copy(r[2].begin(), r[2].end(), image.begin() + std::stoi(r[1], nullptr, 16));
    Configuration cfg = busyConfiguration();
    cfg.LogicBlocks[64] = {1, 2, 3, 4};
    UnpackImage(image, cfg);
    for (const auto& r : rows) {
        SCOPED_TRACE(r[0]);
        std::istringstream part(r[3]);
        std::string name;
        std::size_t i = 0, k = 0;
        part >> name >> i >> k;
        const std::map<std::string, std::function<std::string()>> held{
            {"ChanSetup", [&] { return std::to_string(cfg.ChanSetup[i][k]); }},
            {"ChanFlags", [&] { return std::to_string(cfg.ChanFlags[i]); }},
            {"SavedChanType", [&] { return std::to_string(cfg.SavedChanType[i]); }},
            {"MasterMatrix", [&] { return std::to_string(cfg.MasterMatrix[i][k]); }},
            {"LogicBlocks", [&] { return std::to_string(cfg.LogicBlocks[i][k]); }},
            {"SysData", [&] { return std::to_string(cfg.SysData[i]); }},
            {"ChanText", [&] { return cfg.ChanText[i]; }},
            {"DescText", [&] { return cfg.DescText[i]; }},
            {"SmsText", [&] { return cfg.SmsText[i]; }},
            {"SmsIdText", [&] { return cfg.SmsIdText; }},
        };
        EXPECT_EQ(held.at(name)(), r[4]);
    }
}
