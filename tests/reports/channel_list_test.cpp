// The channel list's rows: the settings lines of each function, every channel exactly once, the
// multiplexer's line. Where the rows stand on the page is in the golden listings (report_listing_test).

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "model/channel_types.h"
#include "model/text_ids.h"
#include "reports/reports.h"
#include "tests/support/recording_surface.h"

using namespace korvane;
using namespace korvane::testing;

// The settings lines of channel 20 with each function and some of the bytes it reads, as a listing:
// a case's bytes, then its lines as label|value|unit|second with the language texts as their numbers
// ("T290"). A change on purpose is written anew with KORVANE_UPDATE_GOLDEN=1.
TEST(ChannelList, settingsLinesOfEachFunctionMatchTheirGoldenListing) {
    const struct {
        int type;
        std::map<int, Byte> row;
        std::map<int, Byte> sys;
    } cases[] = {
        {kTypeMono, {{1, 1}}, {}},
        {kTypeFlipFlop, {{1, 1}}, {}},
        {kTypeFlipFlop, {{1, 0}}, {}},
        {kTypeTimerDelay, {{1, 0x8B}, {2, 0x0E}, {7, 0x3C}, {15, 130}}, {}},
        {kTypeTimerPulse, {{15, 248}}, {}},
        {kTypeTimerDelayPulse, {}, {}},
        {kTypeRealTime, {}, {}},
        {kTypeIntruderPassive, {{1, 9}}, {}},
        {kTypeSmokeActive, {{1, 248}}, {}},
        {kTypeIntruderManualArm, {}, {{18, 7}, {19, 45}}},
        {kTypeIntruderSiren, {}, {{16, 3}}},
        {kTypeWaterSiren, {}, {{25, 4}}},
        {kTypeSmokeSiren, {}, {{32, 5}}},
        {kTypeIsaSiren, {}, {{40, 6}}},
        {kTypeIntruderCallOut, {}, {{17, 12}}},
        {kTypeWaterCallOut, {}, {{24, 13}}},
        {kTypeSmokeCallOut, {}, {{33, 14}}},
        {kTypeWaterReset, {}, {{26, 2}}},
        {kTypeSmokeReset, {}, {{34, 3}}},
        {kTypeMotion, {{1, 30}, {7, 1}, {8, 3}}, {}},
        {kTypeMotion, {{7, 0}}, {}},
        {kTypeIsaActive, {{1, 248}, {2, 20}}, {}},
        {kTypeAnalogTemperature, {{1, 0}, {2, 248}, {8, 0x80}, {9, 0}, {10, 200}, {13, 250}, {16, 180}, {19, 220}}, {}},
        {kTypeAnalogGeneral, {{1, 6}, {2, 0}, {3, 248}, {22, 5}, {25, 7}}, {}},
        {kTypeAnalogLux, {{1, 4}, {2, 1}, {3, 2}}, {}},
        {kTypeCommonSiren, {}, {}},
    };
    std::ostringstream listing;
    for (const auto& c : cases) {
        Configuration cfg = ReportBlank();
        cfg.ChanSetup[20][kRowType] = static_cast<Byte>(c.type);
        listing << "type " << c.type << ", row";
        for (auto [k, v] : c.row)
            listing << " " << k << "=" << int{cfg.ChanSetup[20][k] = v};
        listing << ", system bytes";
        for (auto [k, v] : c.sys)
            listing << " " << k << "=" << int{cfg.SysData[k] = v};
        listing << "\n";
        const auto entries = ChannelListEntries(ReportInputOf(cfg));
        ASSERT_EQ(entries.size(), 128u) << c.type;
        for (const ParamLine& l : entries[20].lines)
            listing << "  " << l.label << "|" << l.value << "|" << l.unit << "|" << l.second << "\n";
    }
    ExpectGoldenListing("settings-lines.txt", listing.str());
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
        Configuration cfg = ReportBlank(c.channelsByte);
        for (auto [ch, t] : c.types)
            cfg.ChanSetup[ch][kRowType] = static_cast<Byte>(t);
        for (int ch = 0; ch < kChannels; ++ch)
            cfg.ChanText[ch] = "d" + std::to_string(ch);
        const auto entries = ChannelListEntries(ReportInputOf(cfg));
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
    Configuration cfg = ReportBlank(15);
    for (int ch = 0; ch < 4; ++ch)
        cfg.ChanSetup[ch][kRowType] = kTypeMuxClaim;
    cfg.SysData[kSysMuxCount] = 3;
    cfg.SysData[kSysMuxDelay] = 2;
    auto entries = ChannelListEntries(ReportInputOf(cfg));
    EXPECT_EQ(entries[0].description, "T131");
    EXPECT_EQ(entries[0].optionPicture, -1);
    ASSERT_EQ(entries[0].lines.size(), 1u);
    EXPECT_EQ(entries[0].lines[0].label, "T250:  4   T251:   4");
    cfg.SysData[kSysMuxCount] = 99; // outside the list: its number, no fault
    entries = ChannelListEntries(ReportInputOf(cfg));
    EXPECT_EQ(entries[0].lines[0].label, "T250: 99   T251:   4");
}
