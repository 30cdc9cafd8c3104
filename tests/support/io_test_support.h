#pragma once
// Helpers shared by the io and link tests: fixtures, temporary folders, configurations with content.

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "io/config_file.h"
#include "io/hex_records.h"
#include "io/text_file.h"
#include "io/verify.h"
#include "model/channel_types.h"
#include "model/configuration.h"
#include "model/fact_catalogue.h"
#include "model/vocabulary.h"

namespace korvane::testing {

inline std::string fixturePath(const std::string& name) {
    return std::string(KORVANE_TEST_DATA) + "/" + name;
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The parts of the text between separators, without the spaces around them.
inline std::vector<std::string> splitOn(const std::string& text, char separator) {
    std::vector<std::string> out;
    std::stringstream ss(text);
    for (std::string part; std::getline(ss, part, separator);) {
        const auto first = part.find_first_not_of(' ');
        out.push_back(first == std::string::npos ? "" : part.substr(first, part.find_last_not_of(' ') + 1 - first));
    }
    if (!text.empty() && text.back() == separator)
        out.emplace_back();
    return out;
}

// The rows of a table in tests/data: a row a line of `columns` fields split by '|', lines starting
// with '#' comments. In a field \r, \n and \xHH stand for those characters (\x20 for a space at either end).
inline std::vector<std::vector<std::string>> dataTable(const std::string& name, std::size_t columns) {
    std::vector<std::vector<std::string>> rows;
    std::ifstream in(fixturePath(name), std::ios::binary);
    EXPECT_TRUE(in.is_open()) << name;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        rows.push_back(splitOn(line, '|'));
        for (std::string& field : rows.back()) {
            std::string text;
            for (std::size_t i = 0; i < field.size(); ++i) {
                if (field[i] != '\\' || i + 1 == field.size())
                    text += field[i];
                else if (field[++i] == 'x')
                    text += static_cast<char>(std::stoi(field.substr(i + 1, 2), nullptr, 16)), i += 2;
                else
                    text += field[i] == 'r' ? '\r' : '\n';
            }
            field = text;
        }
        EXPECT_EQ(rows.back().size(), columns) << name << ": " << line;
        rows.back().resize(columns);
    }
    return rows;
}

// The texts of a language file the program ships ("English.dat", "Deutsch.dat").
inline TextLookup shippedTexts(const std::string& file) {
    auto table = std::make_shared<TextTable>(
        ReadTextFile(std::string(KORVANE_SOURCE_DIR) + "/resources/Language/" + file, kLanguageTextCount));
    EXPECT_TRUE(table->opened && table->good) << file;
    return [table](int n) {
        return n >= 0 && static_cast<std::size_t>(n) < table->texts.size() ? table->texts[static_cast<std::size_t>(n)]
                                                                           : std::string();
    };
}

// The texts of no language: every text empty.
inline std::string noText(int) {
    return {};
}

// Language texts of a test language: the unit label and the SMS message words.
inline std::string testText(int n) {
    static const std::map<int, std::string> texts{
        {kTextLabel1, "Korvane"},
        {kTextLabel2, "Master unit"},
        {kTextLabel4, "V3.07xx"},
        {kTextLabel5, "AB"},
        {kTextSmsLabel, "0123456789abcdefGHIJKLMNOPQRSTUVwxyz0123456789ABCDEFGHIJKLMNOPQRSTUV"}};
    const auto it = texts.find(n);
    return it == texts.end() ? std::string() : it->second;
}

// What verify says of the unit's memory after a write of the configuration, a line a difference.
inline std::vector<std::string> verifyLines(const Configuration& written, const MemMap& unit, const TextLookup& text) {
    std::vector<std::string> lines;
    for (const Difference& d : VerifyWrite(written, unit))
        lines.push_back(VerifyLine(WordDifference(d, text), text));
    return lines;
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

// A configuration as the pages could leave it: every function on some channel, every value of every
// page set through its fact (to a value that changes with the channel and the seed), descriptions,
// logic blocks, holiday periods and SMS settings.
inline Configuration fullConfiguration(int seed) {
    Configuration cfg = blankConfiguration();
    auto valueFor = [](const ValueFact& f, int n) {
        const long span = static_cast<long>(f.maximum) - f.minimum + 1;
        return span > 0 ? static_cast<int>(f.minimum + n % span) : f.minimum;
    };
    std::vector<int> codes;
    for (const TypeInfo& t : ChannelTypes())
        if (t.channelsUsed > 0)
            codes.push_back(t.code);
    for (int c = 0; c < kChannels; ++c) {
        const int type = codes[static_cast<std::size_t>(c + seed) % codes.size()];
        if (SetChannelType(cfg, c, type).empty())
            SetChannelType(cfg, c, kTypeMono);
        const int t = cfg.channelType(c);
        for (const ValueFact* f : FactsOfType(t))
            StoreValue(*f, cfg, c, valueFor(*f, 7 * c + 3 * seed + f->index));
        if (EventOptionsShown(cfg, t))
            cfg.ChanFlags[c] = static_cast<Byte>(((c + seed) % 4) << 6);
        cfg.ChanText[c] = "Kanal " + std::to_string(c) + " \xe6";
        if (FindChannelType(t) && FindChannelType(t)->channelsUsed == 2)
            ++c;
    }
    for (const SystemArea& area : SystemAreas())
        for (const ValueFact* f : area.values)
            StoreValue(*f, cfg, -1, valueFor(*f, seed + f->index));
    for (int b = 0; b < kLogicBlocksUsed; ++b)
        cfg.LogicBlocks[b] = {Byte(b), Byte(b + seed), Byte(130 + b % 8), Byte(4 * (b % 4))};
    for (int i = 0; i < kSysHolidayCount; ++i)
        if ((i + seed) % 3 != 0)
            std::copy_n(std::array<Byte, 4>{Byte(1 + i % 9), 0x15, 0x12, 0x31}.begin(), 4,
                        cfg.SysData.begin() + kSysHolidays + 4 * i);
    for (int g = 0; g < kDescTexts; ++g)
        cfg.DescText[g] = "Notes " + std::to_string(g) + "\r\nline two";
    for (int k = 0; k < 9; ++k)
        cfg.SmsText[k] = "+45" + std::to_string(2000000 + 1000 * seed + k);
    cfg.SmsIdText = "Villa " + std::to_string(seed) + " at the harbour, north";
    cfg.SysData[kSysChannelsInUse] = static_cast<Byte>(127 - 8 * (seed % 3));
    return cfg;
}

} // namespace korvane::testing
