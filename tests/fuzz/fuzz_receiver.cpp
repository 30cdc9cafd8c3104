// Fuzz harness: the unit's answer through the receiver (Put_to_MemMap). The receiver calls an answer
// complete exactly when a strict reading of the whole answer into records does, with the same image;
// the strict reading takes the answer apart in its own way (runs of digits between the separators),
// not character by character. The image of a complete read saves and loads to identical bytes, and
// the write plan of what it holds goes back through the receiver record by record, landing where it
// is addressed.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

#include "io/config_file.h"
#include "io/hex_records.h"
#include "io/mem_map.h"
#include "tests/fuzz/fuzz_support.h"

using namespace korvane;

namespace {

// The value of an upper-case hex digit, -1 for any other character.
int hexDigit(char c) {
    const std::size_t at = std::string_view("0123456789ABCDEF").find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// The answer as a unit sends it: anything before the first ':', then records, each followed by
// nothing but line ends (CR, LF), up to the first end record; what follows that is not part of the
// answer. A record is ':' and a run of upper-case hex digits of even count: the pairs LL, AAAA, TT,
// LL data bytes and CC, all pairs summing to 0 modulo 256. The unit's records are at most 32 bytes
// long, lie at or below 0x50FF and are data (00) or the end record (01, no data).
struct StrictAnswer {
    bool wellFormed = false; // every record of the answer is as above, and the end record came
    bool complete = false;   // ... and the data records covered the whole image
    MemMap image{};          // the data records' bytes at their addresses, in order
    std::array<bool, kReadImageEnd> covered{};
};

StrictAnswer readStrictly(std::string_view in) {
    StrictAnswer out;
    std::size_t i = in.find(':');
    while (i != std::string_view::npos && i < in.size()) {
        // The record: ':' and the run of digits after it, which must end at a line end, the next
        // record or the end of what arrived.
        std::size_t end = i + 1;
        while (end < in.size() && hexDigit(in[end]) >= 0)
            ++end;
        std::string_view digits = in.substr(i + 1, end - i - 1);
        // The answer is over with the end record's checksum: a digit after it is not part of it.
        if (digits.size() > 10 && digits.substr(0, 2) == "00" && digits.substr(6, 2) == "01")
            digits = digits.substr(0, 10);
        if (digits.size() % 2 != 0 || digits.size() < 10)
            return out;
        std::vector<int> pairs;
        for (std::size_t k = 0; k < digits.size(); k += 2)
            pairs.push_back(16 * hexDigit(digits[k]) + hexDigit(digits[k + 1]));
        const int length = pairs[0];
        const int type = pairs[3];
        const int sum = std::accumulate(pairs.begin(), pairs.end(), 0);
        if (static_cast<int>(pairs.size()) != length + 5 || sum % 256 != 0 || length > 32 || pairs[1] > 0x50)
            return out;
        if (type == 1 && length == 0) {
            out.wellFormed = true;
            out.complete = std::find(out.covered.begin(), out.covered.end(), false) == out.covered.end();
            return out;
        }
        if (type != 0)
            return out;
        const int address = 256 * pairs[1] + pairs[2];
        for (int k = 0; k < length; ++k) {
            out.image[address + k] = static_cast<Byte>(pairs[4 + k]);
            if (address + k < kReadImageEnd)
                out.covered[address + k] = true;
        }
        // Between this record and the next only line ends.
        const std::size_t next = in.find_first_not_of("\r\n", end);
        if (next != std::string_view::npos && in[next] != ':')
            return out;
        i = next;
    }
    return out; // the answer ended before its end record
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view answer(reinterpret_cast<const char*>(data), size);
    MemMapReceiver rx;
    rx.feed(answer);
    const ReceiveResult r = rx.result();
    const StrictAnswer strict = readStrictly(answer);
    FUZZ_CHECK(r.complete == strict.complete, "the receiver takes exactly the answers a strict reading takes");
    FUZZ_CHECK(!r.complete || strict.wellFormed, "a complete read: every record of the answer is well-formed");
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
