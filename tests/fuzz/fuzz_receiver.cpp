// Fuzz harness: the unit's answer through the receiver (Put_to_MemMap). The receiver calls an answer
// complete exactly when a strict reading of the records does, with the same image; the image of a
// complete read saves and loads to identical bytes; and the write plan of what it holds goes back
// through the receiver record by record, landing where it is addressed.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "io/config_file.h"
#include "io/hex_records.h"
#include "io/mem_map.h"
#include "tests/fuzz/fuzz_support.h"

using namespace korvane;

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The strict reading the receiver must agree with: characters outside a record are skipped; a record
// is ':' and then upper-case hex pairs only (length, address, type, data, checksum); a record of type
// 1 ends the answer right after its checksum (the unit sends no data with it); a record of length 0
// still carries one data byte, as the unit's own receiver reads it. Any flaw spoils the whole answer.
struct StrictAnswer {
    bool complete = false;
    MemMap image{};
    std::array<bool, kReadImageEnd> covered{};
};

StrictAnswer readStrictly(std::string_view in) {
    StrictAnswer out;
    std::size_t i = 0;
    auto byte = [&](int& value) {
        if (i + 2 > in.size())
            return false;
        const int hi = hexDigit(in[i]);
        const int lo = hexDigit(in[i + 1]);
        i += 2;
        value = 16 * hi + lo;
        return hi >= 0 && lo >= 0;
    };
    while (i < in.size()) {
        if (in[i++] != ':')
            continue;
        int length = 0, high = 0, low = 0, type = 0, checksum = 0;
        if (!byte(length) || !byte(high) || !byte(low) || !byte(type))
            return out;
        if (length > 32 || high > 0x50 || (type != 0 && type != 1))
            return out;
        unsigned sum = static_cast<unsigned>(length + high + low + type);
        std::array<Byte, 32> bytes{};
        if (type == 0) {
            for (int k = 0; k < std::max(length, 1); ++k) {
                int b = 0;
                if (!byte(b))
                    return out;
                if (k < length)
                    bytes[static_cast<std::size_t>(k)] = static_cast<Byte>(b);
                sum += static_cast<unsigned>(b);
            }
        }
        if (!byte(checksum) || ((sum + static_cast<unsigned>(checksum)) & 255) != 0)
            return out;
        if (type == 1) {
            out.complete = std::find(out.covered.begin(), out.covered.end(), false) == out.covered.end();
            return out;
        }
        const int address = 256 * high + low;
        for (int k = 0; k < length; ++k) {
            out.image[static_cast<std::size_t>(address + k)] = bytes[static_cast<std::size_t>(k)];
            if (address + k < kReadImageEnd)
                out.covered[static_cast<std::size_t>(address + k)] = true;
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view answer(reinterpret_cast<const char*>(data), size);
    MemMapReceiver rx;
    rx.feed(answer);
    const ReceiveResult r = rx.result();
    const StrictAnswer strict = readStrictly(answer);
    FUZZ_CHECK(r.complete == strict.complete, "the receiver takes exactly the answers a strict reading takes");
    FUZZ_CHECK(r.complete == r.reason.empty(), "an answer that is not taken says why");
    if (!r.complete)
        return 0;
    FUZZ_CHECK(rx.image() == strict.image, "the receiver's image is the records' bytes at their addresses");

    // What a read takes into the configuration saves and loads to identical bytes.
    Configuration cfg = fuzz::blankConfiguration();
    TakeReadImage(rx.image(), cfg);
    Configuration saved = cfg;
    const std::string file = ConfigFileText(saved);
    Configuration loaded = fuzz::blankConfiguration();
    FUZZ_CHECK(ReadConfigText(file, loaded, "read").ok(), "a read configuration loads from its file");
    FUZZ_CHECK(ConfigFileText(loaded) == file, "a read configuration saves, loads and saves to identical bytes");

    // Written back over the unit's memory as read, the write plan's records are all taken.
    std::string stream;
    for (int a = 0; a < kReadImageEnd; a += 32)
        stream += DataRecord(a, std::span<const Byte>(rx.image().data() + a, 32));
    stream += WriteStream(BuildWritePlan(cfg, DeviceClock{}, [](int) { return std::string(); }));
    MemMapReceiver back;
    back.feed(stream);
    FUZZ_CHECK(back.result().complete, "the write plan of a read configuration is a sound answer");
    FUZZ_CHECK(back.image() == readStrictly(stream).image, "the write plan's records land where they are addressed");
    return 0;
}
