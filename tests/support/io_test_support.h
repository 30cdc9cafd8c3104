#pragma once
// Helpers shared by the io and link tests: fixtures, temporary folders, configurations with content.

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <string>

#include "io/config_file.h"
#include "model/configuration.h"

namespace korvane::testing {

inline std::string fixturePath(const std::string& name) {
    return std::string(KORVANE_TEST_DATA) + "/" + name;
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh folder under the system's temporary folder, removed again when the object goes.
class TempDir {
public:
    TempDir() {
        std::random_device random;
        do
            path_ = std::filesystem::temp_directory_path() / ("korvane-io-" + std::to_string(random()));
        while (!std::filesystem::create_directory(path_));
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// A blank configuration as New leaves it.
inline Configuration blankConfiguration() {
    Configuration cfg;
    EditState st;
    ClearConfiguration(cfg, st);
    return cfg;
}

// A fixture file loaded over a blank configuration.
inline Configuration loadedConfiguration(const std::string& fixture) {
    Configuration cfg = blankConfiguration();
    const FileResult r = LoadFile(cfg, fixturePath(fixture));
    EXPECT_TRUE(r.ok()) << fixture << ": " << r.message();
    return cfg;
}

// A configuration with a different value in every byte that the file carries, as a loaded file
// would leave it (types below 64, flags in the two high bits, saved types equal to the types).
inline Configuration busyConfiguration() {
    Configuration cfg = blankConfiguration();
    for (int c = 0; c < kChannels; ++c) {
        for (int k = 0; k < kRowBytes; ++k) {
            cfg.ChanSetup[c][k] = static_cast<Byte>((c * 7 + k * 13) & 255);
            cfg.MasterMatrix[c][k] = static_cast<Byte>((c * 11 + k * 3 + 1) & 255);
        }
        cfg.ChanSetup[c][kRowType] = static_cast<Byte>(c % 52);
        cfg.SavedChanType[c] = cfg.ChanSetup[c][kRowType];
        cfg.ChanFlags[c] = static_cast<Byte>((c % 4) << 6);
        cfg.ChanText[c] = "Kanal " + std::to_string(c) + (c % 5 == 0 ? " \xe6\xf8\xe5" : "");
    }
    for (int b = 0; b < kLogicBlocksUsed; ++b)
        for (int k = 0; k < kLogicBytes; ++k)
            cfg.LogicBlocks[b][k] = static_cast<Byte>((b * 5 + k) & 255);
    for (int i = 0; i < kSysDataSize; ++i)
        cfg.SysData[i] = static_cast<Byte>((i * 17 + 3) & 255);
    cfg.SysData[kSysChannelsInUse] = 127;
    cfg.SysData[kSysEventOff] = 0;
    for (int i = 0; i < kDescTexts; ++i)
        cfg.DescText[i] = "Beskrivelse " + std::to_string(i);
    for (int k = 0; k < kSmsTexts; ++k)
        cfg.SmsText[k] = "+45" + std::to_string(10000000 + k);
    cfg.SmsIdText = "Sommerhus Skagen Nord"; // 21 characters: 16 + 5
    cfg.SmsText[kSmsIdFirst] = cfg.SmsIdText.substr(0, 16);
    cfg.SmsText[kSmsIdSecond] = cfg.SmsIdText.substr(16);
    return cfg;
}

} // namespace korvane::testing
