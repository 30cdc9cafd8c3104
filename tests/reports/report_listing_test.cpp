// Every report of the fixtures, and of configurations made for one report each, as a golden text listing, what a reader
// needs of every page in every shipped language (inside the frame, nothing overprinted, nothing below 8 points, table
// headings on one baseline and distinct), and the in-use listing.
//
// The golden listings are tests/reports/golden/<fixture>.<report>.txt (<fixture>.in-use.<report>.txt for the
// in-use listing, <made>.<report>.txt for a made configuration): what the report drew on the recording surface, one
// line per item, with the language texts as their numbers ("T259"). A change of a report's layout changes them; look at
// the PDF pages, then write them anew with
//     KORVANE_UPDATE_GOLDEN=1 build/test/bin/core_tests --gtest_filter='ReportListing.*'
// and read the difference in the commit.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>

#include "io/text_file.h"
#include "model/channel_types.h"
#include "model/master.h"
#include "model/text_ids.h"
#include "reports/report_catalogue.h"
#include "tests/support/io_test_support.h"
#include "tests/support/recording_surface.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

const char* const kFixtures[] = {"Good.zeb", "MultiLineDescriptions.zeb", "TwelveInUse.zeb"};
const char* const kLanguages[] = {"English.dat", "Deutsch.dat", "Dansk.dat"};
constexpr DeviceClock kClock{2026, 3, 6, 9, 41, 0, 5};

struct Printed {
    ReportOutcome outcome;
    RecordingSurface surface;
};

std::unique_ptr<Printed> printReport(const ReportEntry& e, const Configuration& cfg, const std::string& name,
                                     TextLookup text, bool inUse = false) {
    auto p = std::make_unique<Printed>();
    PrintJob job(p->surface);
    p->outcome = e.print(job, ReportInput{cfg, std::move(text), name, kClock, inUse});
    return p;
}

// Configurations made for one report each, beside the fixtures: what each kind of row shows, where
// descriptions and notes wrap, which pictures a row carries, where pages break.
Configuration blankWith(int channelsByte, const std::string& description = {}) {
    Configuration cfg = blankConfiguration();
    cfg.SysData[kSysChannelsInUse] = static_cast<Byte>(channelsByte);
    cfg.SysData[kSysDeviceNo] = 1;
    cfg.DescText[kGeneralDescription] = description;
    return cfg;
}

// Bytes of a row or of the system bytes, by their number.
template <class Bytes> void put(Bytes& to, std::initializer_list<std::pair<int, int>> bytes) {
    for (auto [k, v] : bytes)
        to[k] = static_cast<Byte>(v);
}

Configuration descriptions() {
    // Shrunk to one line, wrapped, split at a line break, empty; the function follows on the next line.
    Configuration cfg = blankWith(15, std::string(100, 'x'));
    const std::string texts[] = {"Porch", std::string(50, 'x'), std::string(60, 'W'), "Hall\r\nNorth wall", ""};
    for (int i = 0; i < 5; ++i) {
        cfg.ChanSetup[1 + i][kRowType] = kTypeIntruderPassive;
        cfg.ChanText[1 + i] = texts[i];
    }
    return cfg;
}

Configuration pictures(bool eventsOff) {
    Configuration cfg = blankWith(31, "Lone\nLF");
    const struct {
        int type, byte, value, flags;
    } rows[] = {{kTypeMono, 1, 0, 0},      {kTypeMono, 1, 1, 0},    {kTypeMaster, 21, 1, 64},
                {kTypeMaster, 21, 0, 128}, {kTypeBlank, 1, 0, 192}, {kTypeRoller, 1, 0, 192}};
    for (int i = 0; i < 6; ++i) {
        cfg.ChanSetup[2 * i][kRowType] = static_cast<Byte>(rows[i].type);
        cfg.ChanSetup[2 * i][rows[i].byte] = static_cast<Byte>(rows[i].value);
        cfg.ChanFlags[2 * i] = static_cast<Byte>(rows[i].flags);
    }
    cfg.SysData[kSysEventOff] = eventsOff ? 1 : 0;
    return cfg;
}

// A channel of a type where page 1 is nearly full: it starts at its line, or on page 2.
Configuration pageBreak(int channel, int type) {
    Configuration cfg = blankWith(127, "First line\r\nsecond line");
    cfg.ChanSetup[channel][kRowType] = static_cast<Byte>(type);
    if (type == kTypeAnalogLux) { // five lines, after a two-line timer that brings it to line 31.5
        put(cfg.ChanSetup[channel], {{kAnaOptions, 4}, {kAnaDisable, 1}, {kAnaLimit2Disable, 2}});
        cfg.ChanSetup[0][kRowType] = kTypeTimerDelayPulse;
    }
    return cfg;
}

// Every function once with long descriptions and the widest settings.
Configuration everyFunction() {
    Configuration cfg = blankWith(200, std::string(200, 'M'));
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
    for (int c : {20, 21, 22, 23})
        put(cfg.ChanSetup[c],
            {{kRowType, kTypeAnalogTemperature}, {kAnaOptions, 6}, {kAnaRangeMin, 0xFF}, {kAnaRangeMax, 0x7F}});
    SetChannelType(cfg, 30, kTypeRoller);
    put(cfg.ChanSetup[30], {{kRollPriority, 5}, {kRollSlats, 1}});
    return cfg;
}

Configuration holidays() {
    // Day set 1: Monday and holiday, on 07:30, no off time; periods 1 and 16 set, 2 with month 13.
    Configuration cfg = blankWith(15);
    SetChannelType(cfg, 5, kTypeRealTime);
    put(cfg.ChanSetup[5], {{1, 0x81}, {2, 0x07}, {3, 0x30}, {4, 255}});
    for (auto [period, bytes] : {std::pair{0, 0x07010815u}, {1, 0x13010203u}, {15, 0x07010815u}})
        for (int k = 0; k < 4; ++k)
            cfg.SysData[kSysHolidays + 4 * period + k] = static_cast<Byte>(bytes >> (24 - 8 * k));
    return cfg;
}

Configuration tallRealTime() {
    Configuration cfg = blankWith(127);
    for (int ch = 0; ch < 128; ch += 3) {
        SetChannelType(cfg, ch, kTypeRealTime);
        for (int k = 0; k < 4; ++k)
            put(cfg.ChanSetup[ch], {{1 + 5 * k, 0xFF}, {2 + 5 * k, 0x23}, {4 + 5 * k, 0x12}});
        cfg.ChanText[ch] = std::string(90, 'x');
    }
    return cfg;
}

Configuration grids() {
    // A1 drives A1 on, A2 off; A3 cannot be driven; the roller master P1 - P2 selects the pair P7 - P8.
    Configuration cfg = blankWith(127);
    for (auto [ch, type] : {std::pair{0, kTypeMaster},
                            {8, kTypeMono},
                            {9, kTypeMono},
                            {2, kTypeIntruderPassive},
                            {120, kTypeRollerMaster},
                            {124, kTypeRoller},
                            {126, kTypeRoller}})
        SetChannelType(cfg, ch, type);
    PutMaster(cfg, 0, 8, kMasterOn);
    PutMaster(cfg, 0, 9, kMasterOff);
    cfg.MasterMatrix[120][15] = 0x03;
    put(cfg.ChanSetup[120], {{kRmMode, 255}, {kRmRunTime, 42}, {kRmReverseTime, 7}});
    return cfg;
}

Configuration tallMaster(bool masters) {
    Configuration cfg = blankWith(127);
    SetChannelType(cfg, 40, kTypeRollerMaster);
    for (int ch = 0; masters && ch < 40; ch += 2) { // with trigger times: the tallest blocks
        SetChannelType(cfg, ch, kTypeMaster);
        put(cfg.ChanSetup[ch], {{kMasterRealTime, 1}, {2, 0x06}, {3, 0x15}});
    }
    return cfg;
}

Configuration equations() {
    Configuration cfg = blankWith(127);
    cfg.LogicBlocks[0] = {127, 0, 0x84, 0x24}; // P8 = A1 (mark "--") And X5
    cfg.LogicBlocks[9] = {3, 4, 5, 0xF0};      // marks only, no operation
    cfg.LogicBlocks[10] = {3, 4, 0x9A, 0x5C};  // Xor, input 2 "\ " W3
    cfg.LogicBlocks[70] = {1, 2, 3, 0x04};     // beyond the 64 used blocks
    return cfg;
}

// Notes of more lines than a group has rows, and notes longer than a page.
Configuration notes(bool overPages) {
    Configuration cfg = blankWith(127);
    cfg.LogicBlocks[0][3] = 0x04;
    std::string text;
    for (int i = 0; i < 14; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    cfg.DescText[0] = overPages ? std::string(120, '\n') + "end" : text + std::string(250, 'z');
    return cfg;
}

Configuration dialling(bool outAndSafety) {
    Configuration cfg = blankWith(127);
    put(cfg.SysData, {{kSysEventSms, 1}, {kSysSmsResponseTime, 5}, {kSysDialInPassword, 1}});
    put(cfg.SysData, {{kSysDialOutMethod, outAndSafety}, {kSysDialInSafety, outAndSafety}});
    for (int i = 0; i < 9; ++i)
        cfg.SmsText[i] = "+45" + std::to_string(i);
    cfg.SmsText[4] = ""; // an empty first dial-in number keeps its place
    cfg.SmsIdText = "Villa";
    return cfg;
}

// What the tests print: every report of every fixture, in full and of the channels in use only
// ("<fixture>.in-use"), and the made configurations, each for its report.
struct Print {
    std::string name;
    const ReportEntry& report;
    Configuration cfg;
    std::string file = "Test.zeb";
    bool inUse = false;
};

std::vector<Print> everyPrint() {
    std::vector<Print> all;
    for (const std::string fixture : kFixtures)
        for (bool inUse : {false, true})
            for (const ReportEntry& e : ReportCatalogue())
                all.push_back({fixture.substr(0, fixture.rfind('.')) + (inUse ? ".in-use" : ""), e,
                               loadedConfiguration(fixture), fixture, inUse});
    const auto made = [&](const char* name, ReportKind report, Configuration cfg, std::string file = "Test.zeb") {
        all.push_back({name, FindReport(report), std::move(cfg), std::move(file)});
    };
    made("descriptions", ReportKind::ChannelList, descriptions());
    made("pictures", ReportKind::ChannelList, pictures(false));
    made("pictures-events-off", ReportKind::ChannelList, pictures(true));
    made("break-33rd-plain", ReportKind::ChannelList, pageBreak(32, kTypeMono));
    made("break-timer-line-31", ReportKind::ChannelList, pageBreak(31, kTypeTimerDelay));
    made("break-sensor-line-31.5", ReportKind::ChannelList, pageBreak(31, kTypeAnalogLux));
    made("every-function", ReportKind::ChannelList, everyFunction(), std::string(120, 'F') + ".zeb");
    made("holidays", ReportKind::RealTime, holidays());
    made("tall-blocks", ReportKind::RealTime, tallRealTime());
    made("grids", ReportKind::Master, grids());
    made("roller-master-only", ReportKind::Master, tallMaster(false));
    made("tall-blocks", ReportKind::Master, tallMaster(true));
    made("equations", ReportKind::Logic, equations());
    made("long-notes", ReportKind::Logic, notes(false));
    made("notes-over-pages", ReportKind::Logic, notes(true));
    made("dial-out-and-safety", ReportKind::Sms, dialling(true));
    made("dial-plain", ReportKind::Sms, dialling(false));
    return all;
}

// The headings of one table, by text number: a row of the page that holds the first of them holds them all,
// each as often as listed, at the heading size on one baseline.
struct Table {
    const char* what;
    ReportKind report;
    std::vector<int> headings;
};

const Table kTables[] = {
    {"channel list", ReportKind::ChannelList, {kTxtChannel, kTxtDescription, kTxtSettings}},
    {"trigger times", ReportKind::Master, {kTxtTriggerTime1, kTxtTriggerTime2, 45, 46, 47, 48, 49, 50, 51, 64}},
    {"holiday periods", ReportKind::RealTime, {kTxtNumberShort, kTxtFrom, kTxtTo, kTxtNumberShort, kTxtFrom, kTxtTo}},
    {"day sets", ReportKind::RealTime, {45, 46, 47, 48, 49, 50, 51, 64, kTxtOnTime, kTxtOffTime}},
    {"logic blocks", ReportKind::Logic, {kTxtNumberShort, kTxtOutput, kTxtInput1, kTxtFunction, kTxtInput2, kTxtNotes}},
    {"sms", ReportKind::Sms, {kTxtSmsNumbers, kTxtSettings}},
};

// Checks every row of the table's headings on the page; returns how many rows it found.
int expectTableHeadings(const Table& t, const RecordingSurface& s, const TextLookup& text, const std::string& where) {
    // Distinct columns have distinct headings in the language.
    for (std::size_t i = 0; i < t.headings.size(); ++i)
        for (std::size_t j = i + 1; j < t.headings.size(); ++j)
            if (t.headings[i] != t.headings[j]) {
                EXPECT_NE(text(t.headings[i]), text(t.headings[j])) << where << " " << t.what;
            }
    std::map<std::string, int> wanted;
    for (int n : t.headings)
        ++wanted[text(n)];
    int rows = 0;
    for (const Drawn& anchor : s.texts()) {
        if (anchor.text != text(t.headings.front()))
            continue;
        // The first heading of a row: the leftmost one.
        bool leftmost = true;
        std::map<std::string, int> found;
        std::vector<const Drawn*> row;
        for (const Drawn& d : s.items)
            if (d.kind == Drawn::Text && d.page == anchor.page && std::abs(d.bottom - anchor.bottom) < 100 &&
                wanted.count(d.text)) {
                ++found[d.text];
                row.push_back(&d);
                leftmost &= !(d.text == anchor.text && d.x < anchor.x);
            }
        if (!leftmost)
            continue;
        ++rows;
        EXPECT_EQ(found, wanted) << where << " " << t.what << " page " << anchor.page;
        for (const Drawn* d : row) {
            EXPECT_DOUBLE_EQ(d->points, page::kHeadingPoints) << where << " '" << d->text << "'";
            // One baseline: the recording's ascent is 16 twips per point.
            EXPECT_DOUBLE_EQ(d->y + 16 * d->points, anchor.y + 16 * anchor.points) << where << " '" << d->text << "'";
        }
    }
    return rows;
}

} // namespace

TEST(ReportListing, everyReportOfEveryFixtureMatchesItsGoldenListing) {
    for (const Print& r : everyPrint()) {
        if (r.inUse && r.name != "TwelveInUse.in-use")
            continue; // the in-use listing is kept for the fixture made for it
        const auto p = printReport(r.report, r.cfg, r.file, NumberedText, r.inUse);
        ExpectGoldenListing(r.name + "." + r.report.name + ".txt", p->outcome == ReportOutcome::Printed
                                                                       ? TextListing(p->surface.items)
                                                                       : "nothing to print\n");
    }
    if (std::getenv("KORVANE_UPDATE_GOLDEN"))
        GTEST_SKIP() << "golden listings written to tests/reports/golden";
}

TEST(ReportListing, everyPageIsReadableInEveryShippedLanguage) {
    const std::vector<Print> prints = everyPrint();
    std::map<std::string, int> tableRows;
    for (const char* language : kLanguages) {
        const TextLookup text = shippedTexts(language);
        for (const Print& r : prints) {
            const auto p = printReport(r.report, r.cfg, r.file, text, r.inUse);
            const std::string where = std::string(language) + " " + r.name + " " + r.report.name;
            SCOPED_TRACE(where);
            ExpectInsideFrame(p->surface.items);
            ExpectNoOverlaps(p->surface.items);
            ExpectNoTextBelow(p->surface.items, page::kSmallestPoints);
            for (const Table& t : kTables)
                if (t.report == r.report.kind)
                    tableRows[t.what] += expectTableHeadings(t, p->surface, text, where);
        }
    }
    // Every table was seen, so that each check above had something to check.
    for (const Table& t : kTables)
        EXPECT_GT(tableRows[t.what], 0) << t.what;
}

TEST(ReportListing, inUseLeavesOutExactlyTheUnusedChannelsAndEmptyBlocks) {
    // What the in-use listings of TwelveInUse.zeb leave out is in their golden listings; here what counts as
    // unused, channel by channel; the empty logic blocks and groups.
    Configuration cfg = loadedConfiguration("TwelveInUse.zeb");
    const struct {
        const char* what;
        int type;
        std::string description;
        bool listed;
    } channels[] = {
        {"not used, no description", kTypeBlank, "", false},
        {"not used, blanks only", kTypeBlank, "  \r\n", false},
        {"not used, described", kTypeBlank, "Spare", true},
        {"mono without description", kTypeMono, "", true},
        {"flip-flop without description", kTypeFlipFlop, "", true},
    };
    for (const auto& c : channels) {
        cfg.ChanSetup[100][kRowType] = static_cast<Byte>(c.type);
        cfg.ChanText[100] = c.description;
        const ReportInput in{cfg, NumberedText, "x.zeb", kClock, true};
        bool listed = false;
        for (const ChannelEntry& e : ChannelListEntries(in))
            listed |= e.channel == 100;
        EXPECT_EQ(listed, c.listed) << c.what;
    }

    // Nothing in use: nothing to print, and no page begun.
    Configuration none = blankConfiguration();
    none.SysData[kSysChannelsInUse] = 127;
    none.LogicBlocks[3][3] = 0xF0; // marks, but no operation: an empty block
    for (ReportKind k : {ReportKind::ChannelList, ReportKind::Logic}) {
        const ReportInput full{none, NumberedText, "x.zeb", kClock, false};
        const ReportInput inUse{none, NumberedText, "x.zeb", kClock, true};
        EXPECT_TRUE(HasContent(k, full));
        EXPECT_FALSE(HasContent(k, inUse));
        const auto p = printReport(FindReport(k), none, "x.zeb", NumberedText, true);
        EXPECT_EQ(p->outcome, ReportOutcome::NothingToPrint);
        EXPECT_TRUE(p->surface.items.empty());
    }
    none.DescText[2] = "Notes of group 3";
    EXPECT_TRUE(HasContent(ReportKind::Logic, ReportInput{none, NumberedText, "x.zeb", kClock, true}))
        << "a group's notes are printed also without a block in use";
}
