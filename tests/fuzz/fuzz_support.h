#pragma once
// What the fuzz harnesses share: a property check that stops the run with its name, and the
// configurations they start from.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/configuration.h"

namespace korvane::fuzz {

// A property that does not hold stops the run: libFuzzer keeps the input, the corpus replay fails.
#define FUZZ_CHECK(condition, property)                                                                                \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "fuzz property failed: %s (%s:%d)\n", property, __FILE__, __LINE__);                  \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)

inline Configuration blankConfiguration() {
    Configuration cfg;
    EditState state;
    ClearConfiguration(cfg, state);
    return cfg;
}

// A configuration that differs from the blank one in every part, so that a change shows.
inline Configuration markedConfiguration() {
    Configuration cfg = blankConfiguration();
    for (int c = 0; c < kChannels; ++c) {
        cfg.ChanSetup[c][1] = static_cast<Byte>(c);
        cfg.MasterMatrix[c][2] = static_cast<Byte>(c + 1);
        cfg.ChanText[c] = "marked " + std::to_string(c);
    }
    cfg.SysData[kSysDeviceNo] = 99;
    cfg.DescText[kDescTexts - 1] = "marked";
    cfg.SmsText[0] = "+4500000000";
    return cfg;
}

} // namespace korvane::fuzz
