// The channel list's rows: the settings lines of each function, every channel exactly once, the
// multiplexer's line. Where the rows stand on the page is in the golden listings (report_listing_test).

#include <gtest/gtest.h>

#include <map>

#include "model/channel_types.h"
#include "model/text_ids.h"
#include "reports/reports.h"
#include "tests/support/recording_surface.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

Configuration blank(int channelsByte = 127) {
    Configuration cfg;
    EditState state;
    ClearConfiguration(cfg, state);
    cfg.SysData[kSysChannelsInUse] = static_cast<Byte>(channelsByte);
    return cfg;
}

ReportInput inputFor(const Configuration& cfg, TextLookup text = NumberedText) {
    return ReportInput{cfg, std::move(text), "Test.zeb", {2026, 3, 6, 9, 41, 0, 5}};
}

std::string T(int n) {
    return NumberedText(n);
}

ParamLine L(std::string label, std::string value = {}, std::string unit = {}, std::string second = {}) {
    return {std::move(label), std::move(value), std::move(unit), std::move(second)};
}

} // namespace

TEST(ChannelList, settingsLinesOfEachFunction) {
    const struct {
        int type;
        std::map<int, Byte> row;
        std::map<int, Byte> sys;
        std::vector<ParamLine> lines;
    } cases[] = {
        {kTypeMono, {{1, 1}}, {}, {}},
        {kTypeFlipFlop, {{1, 1}}, {}, {L(T(285))}},
        {kTypeFlipFlop, {{1, 0}}, {}, {}},
        {kTypeTimerDelay,
         {{1, 0x8B}, {2, 0x0E}, {7, 0x3C}, {15, 130}},
         {},
         {L(T(290), "01:02:03", "  " + T(255)), L(T(291), "00:01:00", "  " + T(255)), L(T(275), "X3")}},
        {kTypeTimerPulse,
         {{15, 248}},
         {},
         {L(T(290), "00:00:00", "  " + T(255)), L(T(291), "00:00:00", "  " + T(255)), L(T(275), "-----")}},
        {kTypeTimerDelayPulse, {}, {}, {L(T(290), "00:00:00", "  " + T(255)), L(T(291), "00:00:00", "  " + T(255))}},
        {kTypeRealTime, {}, {}, {}},
        {kTypeIntruderPassive, {{1, 9}}, {}, {L(T(78), "B2")}},
        {kTypeSmokeActive, {{1, 248}}, {}, {L(T(78), "-----")}},
        {kTypeIntruderManualArm, {}, {{18, 7}, {19, 45}}, {L(T(84), "007", " " + T(85)), L(T(81), "045", " " + T(85))}},
        {kTypeIntruderSiren, {}, {{16, 3}}, {L(T(82), "003", " " + T(61))}},
        {kTypeWaterSiren, {}, {{25, 4}}, {L(T(82), "004", " " + T(61))}},
        {kTypeSmokeSiren, {}, {{32, 5}}, {L(T(82), "005", " " + T(61))}},
        {kTypeIsaSiren, {}, {{40, 6}}, {L(T(82), "006", " " + T(61))}},
        {kTypeIntruderCallOut, {}, {{17, 12}}, {L(T(83), " 12", " " + T(61))}},
        {kTypeWaterCallOut, {}, {{24, 13}}, {L(T(83), " 13", " " + T(61))}},
        {kTypeSmokeCallOut, {}, {{33, 14}}, {L(T(83), " 14", " " + T(61))}},
        {kTypeWaterReset, {}, {{26, 2}}, {L(T(89), " 2", " " + T(61))}},
        {kTypeSmokeReset, {}, {{34, 3}}, {L(T(89), " 3", " " + T(61))}},
        {kTypeMotion,
         {{1, 30}, {7, 1}, {8, 3}},
         {},
         {L(T(291), "00:00:30", "  " + T(255)), L(T(27)), L(T(308), "003")}},
        {kTypeMotion, {{7, 0}}, {}, {L(T(291), "00:00:00", "  " + T(255)), L(T(308), "000")}},
        {kTypeIsaActive, {{1, 248}, {2, 20}}, {}, {L(T(78), "-----"), L(T(290), "020", " " + T(85))}},
        {kTypeAnalogTemperature,
         {{1, 0}, {2, 248}, {8, 0x80}, {9, 0}, {10, 200}, {13, 250}, {16, 180}, {19, 220}},
         {},
         {L(T(205), "-20.0", "", "25.0"), L(T(203) + " 1", "18.0", "", "22.0")}},
        {kTypeAnalogGeneral,
         {{1, 6}, {2, 0}, {3, 248}, {22, 5}, {25, 7}},
         {},
         {L(T(78), "A1"), L(T(205), "0.0", "", "0.0"), L(T(204) + " 1", "0.0", "", "0.0"),
          L(T(204) + " 2", "0.5", "", "0.7")}},
        {kTypeAnalogLux,
         {{1, 4}, {2, 1}, {3, 2}},
         {},
         {L(T(78), "A2"), L(T(205), "0.0", "", "0.0"), L(T(203) + " 1", "0.0", "", "0.0"), L(T(275), "A3"),
          L(T(203) + " 2", "0.0", "", "0.0")}},
        {kTypeCommonSiren, {}, {}, {}},
    };
    for (const auto& c : cases) {
        Configuration cfg = blank();
        cfg.ChanSetup[20][kRowType] = static_cast<Byte>(c.type);
        for (auto [k, v] : c.row)
            cfg.ChanSetup[20][k] = v;
        for (auto [k, v] : c.sys)
            cfg.SysData[k] = v;
        const auto entries = ChannelListEntries(inputFor(cfg));
        ASSERT_EQ(entries.size(), 128u) << c.type;
        EXPECT_EQ(entries[20].lines, c.lines) << "type " << c.type;
    }
}

TEST(ChannelList, everyChannelOnceWhateverTheFileHolds) {
    const struct {
        const char* what;
        std::map<int, int> types;
        int channelsByte;
        std::vector<std::string> first; // the first names printed
        std::size_t rows;
    } cases[] = {
        {"blank", {}, 15, {"A1", "A2", "A3"}, 16},
        {"time output of 16",
         [] {
             std::map<int, int> claims;
             for (int ch = 16; ch < 32; ++ch)
                 claims[ch] = 30;
             return claims;
         }(),
         31,
         {"A1"},
         17},
        {"a stray time-output channel", {{2, 30}}, 15, {"A1", "A2", "A3", "A4"}, 16},
        {"a stray multiplexer channel", {{0, 31}, {1, 31}}, 15, {"A1 - A2", "A3", "A4", "A5"}, 15},
        {"the multiplexer", {{0, 31}, {1, 31}, {2, 31}, {3, 31}}, 15, {"A1 - A4", "A5"}, 13},
        {"a roller pair", {{0, 40}, {1, 41}}, 15, {"A1 - A2", "A3"}, 15},
        {"a lone roller channel", {{0, 40}}, 15, {"A1", "A2", "A3"}, 16},
        {"a roller on an odd channel before a plain one", {{3, 40}, {4, 0}}, 15, {"A1", "A2", "A3", "A4", "A5"}, 16},
        {"a roller master pair", {{0, 42}, {1, 43}}, 15, {"A1 - A2", "A3"}, 15},
        {"a channel count above 127", {}, 200, {"A1", "A2"}, 128},
    };
    for (const auto& c : cases) {
        Configuration cfg = blank(c.channelsByte);
        for (auto [ch, t] : c.types)
            cfg.ChanSetup[ch][kRowType] = static_cast<Byte>(t);
        for (int ch = 0; ch < kChannels; ++ch)
            cfg.ChanText[ch] = "d" + std::to_string(ch);
        const auto entries = ChannelListEntries(inputFor(cfg));
        EXPECT_EQ(entries.size(), c.rows) << c.what;
        // Covered channels run 0..last without a gap or a repeat; every plain channel keeps its description.
        int next = 0;
        for (const ChannelEntry& e : entries) {
            EXPECT_EQ(e.channel, next) << c.what;
            next += e.step;
            const int t = cfg.channelType(e.channel);
            if (t != 30 && t != 31) {
                EXPECT_EQ(e.description, "d" + std::to_string(e.channel)) << c.what;
            }
        }
        EXPECT_EQ(next, cfg.channelsInUse() + 1) << c.what;
        std::vector<std::string> names;
        for (const ChannelEntry& e : entries)
            names.push_back(e.name);
        ASSERT_GE(names.size(), c.first.size()) << c.what;
        EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + static_cast<long>(c.first.size())), c.first)
            << c.what;
    }
}

TEST(ChannelList, claimedChannelsAndTheMultiplexerLine) {
    Configuration cfg = blank(15);
    for (int ch = 0; ch < 4; ++ch)
        cfg.ChanSetup[ch][kRowType] = kTypeMuxClaim;
    cfg.SysData[kSysMuxCount] = 3;
    cfg.SysData[kSysMuxDelay] = 2;
    auto entries = ChannelListEntries(inputFor(cfg));
    EXPECT_EQ(entries[0].description, T(131));
    EXPECT_EQ(entries[0].optionPicture, -1);
    ASSERT_EQ(entries[0].lines.size(), 1u);
    EXPECT_EQ(entries[0].lines[0].label, T(250) + ":  4   " + T(251) + ":   4");
    cfg.SysData[kSysMuxCount] = 99; // outside the list: its number, no fault
    entries = ChannelListEntries(inputFor(cfg));
    EXPECT_EQ(entries[0].lines[0].label, T(250) + ": 99   " + T(251) + ":   4");
}
