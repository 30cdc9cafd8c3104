// The channel list: what each function prints, that every channel is printed exactly once, that pages
// break inside the frame, and that nothing is overprinted in any shipped language.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "io/text_file.h"
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

RecordingSurface print(const Configuration& cfg, TextLookup text = NumberedText) {
    RecordingSurface s;
    PrintJob job(s);
    EXPECT_EQ(PrintChannelList(job, inputFor(cfg, std::move(text))), ReportOutcome::Printed);
    return s;
}

std::string T(int n) {
    return NumberedText(n);
}

ParamLine L(std::string label, std::string value = {}, std::string unit = {}, std::string second = {}) {
    return {std::move(label), std::move(value), std::move(unit), std::move(second)};
}

// The names in the name column, in order.
std::vector<std::string> namesPrinted(const RecordingSurface& s) {
    std::vector<std::string> out;
    for (const Drawn& d : s.texts())
        if (d.x == page::kLeftText && !d.bold && d.y > page::kColumnHeadings)
            out.push_back(d.text);
    return out;
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

TEST(ChannelList, descriptionsWrapRatherThanShrinkBelow8PointsAndTheFunctionFollows) {
    const double room = 7257.6 - page::kColumnGap - page::kDescription; // beside settings, recording metric
    const struct {
        std::string description;
        std::vector<std::string> lines;
        double points; // of the first line
    } cases[] = {
        {"Porch", {"Porch"}, 9},
        {std::string(50, 'x'), {std::string(50, 'x')}, 8.25}, // 50 x 8.25 x 10 fits the room: shrunk, one line
        {std::string(60, 'W'), {std::string(46, 'W'), std::string(14, 'W')}, 9},
        {"Hall\r\nNorth wall", {"Hall", "North wall"}, 9},
        {"", {}, 9},
    };
    ASSERT_LT(50 * 8.25 * 10, room);
    for (const auto& c : cases) {
        Configuration cfg = blank(15);
        cfg.ChanSetup[1][kRowType] = kTypeIntruderPassive; // one settings line: the description keeps left of it
        cfg.ChanText[1] = c.description;
        const RecordingSurface s = print(cfg);
        std::vector<std::string> lines;
        std::vector<double> tops;
        double firstPoints = 0;
        const Drawn* function = nullptr;
        const Drawn* next = s.find("A3");
        ASSERT_TRUE(next);
        for (const Drawn& d : s.items)
            if (d.kind == Drawn::Text && d.x == page::kDescription && d.y > RowY(1) && d.y < next->y) {
                if (d.text == T(108)) {
                    function = &d;
                    continue;
                }
                if (lines.empty())
                    firstPoints = d.points;
                lines.push_back(d.text);
                tops.push_back(d.y);
                EXPECT_GE(d.points, 8) << c.description;
            }
        EXPECT_EQ(lines, c.lines) << c.description;
        if (!lines.empty()) {
            EXPECT_DOUBLE_EQ(firstPoints, c.points) << c.description;
        }
        // The function in words, 8 points, on the line after the description.
        ASSERT_TRUE(function) << c.description;
        EXPECT_DOUBLE_EQ(function->points, 8);
        EXPECT_GT(function->y, tops.empty() ? 0 : tops.back()) << c.description;
        ExpectNoOverlaps(s.items);
        ExpectInsideFrame(s.items);
    }
}

TEST(ChannelList, typeAndOptionPictures) {
    const struct {
        int type, byte, value, flags;
        int typePicture, optionPicture;
        Byte eventsOff;
    } cases[] = {
        {kTypeMono, 1, 0, 0, 0, -1, 0},
        {kTypeMono, 1, 1, 0, 100, -1, 0},
        {kTypeMaster, 21, 1, 64, 107, 65, 0},
        {kTypeMaster, 21, 0, 128, 7, 66, 0},
        {kTypeBlank, 1, 0, 192, 1, 67, 0},
        {kTypeBlank, 1, 0, 192, 1, -1, 1}, // event output off: the options are not sent, no picture
        {kTypeRoller, 1, 0, 192, 40, -1, 0},
    };
    for (const auto& c : cases) {
        Configuration cfg = blank(15);
        cfg.ChanSetup[4][kRowType] = static_cast<Byte>(c.type);
        cfg.ChanSetup[4][c.byte] = static_cast<Byte>(c.value);
        cfg.ChanFlags[4] = static_cast<Byte>(c.flags);
        cfg.SysData[kSysEventOff] = c.eventsOff;
        const RecordingSurface s = print(cfg);
        std::vector<int> row;
        for (const Drawn& p : s.pictures())
            if (p.y == RowY(4))
                row.push_back(p.picture);
        std::vector<int> want{c.typePicture};
        if (c.optionPicture >= 0)
            want.push_back(c.optionPicture);
        EXPECT_EQ(row, want) << "type " << c.type << " flags " << c.flags;
        // The heading picture of the option column follows the event output, and is left out when it is off.
        int heading = -1;
        for (const Drawn& p : s.pictures())
            if (p.y == page::kColumnHeadings)
                heading = p.picture;
        EXPECT_EQ(heading, c.eventsOff ? -1 : 77);
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
         {{16, 30},
          {17, 30},
          {18, 30},
          {19, 30},
          {20, 30},
          {21, 30},
          {22, 30},
          {23, 30},
          {24, 30},
          {25, 30},
          {26, 30},
          {27, 30},
          {28, 30},
          {29, 30},
          {30, 30},
          {31, 30}},
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
        const auto names = namesPrinted(print(cfg));
        ASSERT_GE(names.size(), c.first.size()) << c.what;
        EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + static_cast<long>(c.first.size())), c.first)
            << c.what;
        EXPECT_EQ(names.size(), c.rows) << c.what;
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

TEST(ChannelList, pagesBreakBeforeAChannelThatWouldLeaveTheFrame) {
    const struct {
        const char* what;
        int channel;       // the channel under test ...
        int type;          // ... of this type
        double lineBefore; // the line it would start at on page 1
        int page;          // the page it is printed on
    } cases[] = {
        {"the 33rd plain channel", 32, kTypeMono, 32, 2},
        {"a timer at line 31", 31, kTypeTimerDelay, 31, 1},
        {"a five-line sensor at line 31.5", 31, kTypeAnalogLux, 31.5, 2},
    };
    for (const auto& c : cases) {
        Configuration cfg = blank(127);
        cfg.ChanSetup[c.channel][kRowType] = static_cast<Byte>(c.type);
        if (c.type == kTypeAnalogLux) {
            cfg.ChanSetup[c.channel][kAnaOptions] = 4;
            cfg.ChanSetup[c.channel][kAnaDisable] = 1;
            cfg.ChanSetup[c.channel][kAnaLimit2Disable] = 2;
            // a two-line timer before it brings it to line 31.5
            cfg.ChanSetup[0][kRowType] = kTypeTimerDelayPulse;
        }
        const RecordingSurface s = print(cfg);
        const Drawn* name = s.find(Num_2_Channel(c.channel));
        ASSERT_TRUE(name) << c.what;
        EXPECT_EQ(name->page, c.page) << c.what;
        EXPECT_DOUBLE_EQ(name->bottom, RowY(c.page == 1 ? c.lineBefore : 0) + page::kPictureSize) << c.what;
        EXPECT_TRUE(s.find(T(300) + ":  2", 2)) << c.what;
        ExpectInsideFrame(s.items);
        ExpectNoOverlaps(s.items);
    }
}

TEST(ChannelList, nothingOverprintedInAnyShippedLanguage) {
    // Every function once, with long descriptions, a long file name and a long system description.
    Configuration cfg = blank(127);
    int ch = 4;
    for (const TypeInfo& t : ChannelTypes()) {
        if (t.channelsUsed == 0 || t.code == kTypeMuxClaim || t.code == kTypeTimeOutputClaim)
            continue;
        cfg.ChanSetup[ch][kRowType] = static_cast<Byte>(t.code);
        if (t.channelsUsed == 2)
            cfg.ChanSetup[ch + 1][kRowType] = static_cast<Byte>(t.code + 1);
        cfg.ChanText[ch] = std::string(60, 'W');
        cfg.ChanFlags[ch] = 192;
        ch += t.channelsUsed;
    }
    for (int m = 0; m < 4; ++m)
        cfg.ChanSetup[m][kRowType] = kTypeMuxClaim;
    for (int m = 112; m < 128; ++m)
        cfg.ChanSetup[m][kRowType] = kTypeTimeOutputClaim;
    for (int c : {20, 21, 22, 23}) { // the widest settings of each kind
        cfg.ChanSetup[c][kRowType] = kTypeAnalogTemperature;
        cfg.ChanSetup[c][kAnaOptions] = 6;
        cfg.ChanSetup[c][kAnaRangeMin] = 0xFF;
        cfg.ChanSetup[c][kAnaRangeMax] = 0x7F;
    }
    cfg.ChanSetup[30][kRowType] = kTypeRoller;
    cfg.ChanSetup[31][kRowType] = kTypeRollerSecond;
    cfg.ChanSetup[30][kRollPriority] = 5;
    cfg.ChanSetup[30][kRollSlats] = 1;
    cfg.DescText[kGeneralDescription] = std::string(200, 'M');
    for (const char* file : {"English.dat", "Deutsch.dat", "Dansk.dat"}) {
        const TextTable table =
            ReadTextFile(std::string(KORVANE_SOURCE_DIR) + "/resources/Language/" + file, kLanguageTextCount);
        ASSERT_TRUE(table.good) << file;
        const TextLookup text = [&table](int n) { return table.texts[static_cast<std::size_t>(n)]; };
        RecordingSurface s;
        PrintJob job(s);
        ReportInput in{cfg, text, std::string(120, 'F') + ".zeb", {2026, 3, 6, 9, 41, 0, 5}};
        ASSERT_EQ(PrintChannelList(job, in), ReportOutcome::Printed);
        ExpectInsideFrame(s.items);
        ExpectNoOverlaps(s.items);
        ExpectNoTextBelow(s.items, page::kSmallestPoints);
        EXPECT_GE(s.page, 2) << file;
    }
}
