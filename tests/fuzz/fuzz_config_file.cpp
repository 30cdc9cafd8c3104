// Fuzz harness: the configuration file reader. An accepted file saves, loads and saves to identical
// bytes; a refused file leaves the configuration exactly as it was.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/config_file.h"
#include "tests/fuzz/fuzz_support.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Configuration before = fuzz::markedConfiguration();
    Configuration cfg = before;
    const FileResult r = ReadConfigText(bytes, cfg, "fuzz");
    if (!r.ok()) {
        FUZZ_CHECK(cfg == before, "a refused file leaves the configuration unchanged");
        FUZZ_CHECK(!r.reason.empty(), "a refused file says why");
        return 0;
    }
    Configuration saved = cfg;
    const std::string first = ConfigFileText(saved);
    Configuration back = fuzz::blankConfiguration();
    const FileResult again = ReadConfigText(first, back, "saved");
    FUZZ_CHECK(again.ok(), "what an accepted file saves loads again");
    const std::string second = ConfigFileText(back);
    FUZZ_CHECK(first == second, "an accepted file saves, loads and saves to identical bytes");
    return 0;
}
