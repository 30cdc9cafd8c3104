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

#include <cctype>
#include <cstdlib>
#include <map>
#include <memory>
#include <regex>
#include <sstream>

#include "model/channel_types.h"
#include "model/master.h"
#include "model/text_ids.h"
#include "reports/report_catalogue.h"
#include "tests/model/table_names.h"
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
    Configuration cfg = ReportBlank(channelsByte);
    cfg.SysData[kSysDeviceNo] = 1;
    cfg.DescText[kGeneralDescription] = description;
    return cfg;
}

// Bytes of a row or of the system bytes, by their number.
template <class Bytes> void put(Bytes& to, std::initializer_list<std::pair<int, int>> bytes) {
    for (auto [k, v] : bytes)
        to[k] = static_cast<Byte>(v);
}

// Applies the settings of a made configuration of tests/data/reports_made.txt ("type A1-P8/3=6; A6.1=0x81 - 7").
void apply(Configuration& cfg, const std::string& settings) {
    const auto number = [](const std::string& n) {
        return std::isalpha(static_cast<unsigned char>(n[0])) ? channelNamed(n.substr(0, 2)) : std::stoi(n, nullptr, 0);
    };
    static const std::regex repeated(R"(\{(\d+) ([\s\S])\})");
    for (const std::string& setting : splitOn(settings, ';')) {
        const std::size_t equals = setting.find('='), space = setting.find(' ');
        const std::string area = space < equals ? setting.substr(0, space) : "row";
        const std::string place =
            space < equals ? setting.substr(space + 1, equals - space - 1) : setting.substr(0, equals);
        const std::size_t dot = place.find('.'), range = place.find('-'), step = place.find('/');
        const int first = place == "id" ? 0 : number(place);
        const int last = range < dot ? number(place.substr(range + 1)) : first;
        const int column = dot == std::string::npos ? 0 : number(place.substr(dot + 1));
        std::string value = setting.substr(equals + 1);
        for (std::smatch m; std::regex_search(value, m, repeated);)
            value.replace(static_cast<std::size_t>(m.position()), static_cast<std::size_t>(m.length()),
                          std::string(std::stoul(m[1]), m[2].str()[0]));
        for (int index = first; index <= last; index += step < dot ? std::stoi(place.substr(step + 1)) : 1) {
            if (area == "type")
                SetChannelType(cfg, index, std::stoi(value));
            else if (area == "master")
                PutMaster(cfg, index, column, value == "on" ? kMasterOn : kMasterOff);
            else if (area == "text")
                cfg.ChanText[index] = value;
            else if (area == "desc")
                cfg.DescText[index] = value;
            else if (area == "sms")
                (place == "id" ? cfg.SmsIdText : cfg.SmsText[index]) = value;
            else {
                Byte* to = area == "row"      ? &cfg.ChanSetup[index][column]
                           : area == "flags"  ? &cfg.ChanFlags[index]
                           : area == "matrix" ? &cfg.MasterMatrix[index][column]
                           : area == "logic"  ? &cfg.LogicBlocks[index][column]
                                              : &cfg.SysData[index];
                std::istringstream bytes(value);
                for (std::string v; bytes >> v; ++to)
                    if (v != "-")
                        *to = static_cast<Byte>(std::stoi(v, nullptr, 0));
            }
        }
    }
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
    for (const auto& row : dataTable("reports_made.txt", 4)) {
        Configuration cfg = blankWith(std::stoi(row[2]));
        apply(cfg, row[3]);
        made(row[0].c_str(), FindReport(row[1])->kind, cfg);
    }
    made("every-function", ReportKind::ChannelList, everyFunction(), std::string(120, 'F') + ".zeb");
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
    none.LogicBlocks[3] = {5, 6, 7, 0}; // signals, but byte 3 is 0: a block not in use
    for (ReportKind k : {ReportKind::ChannelList, ReportKind::Logic}) {
        const ReportInput full{none, NumberedText, "x.zeb", kClock, false};
        const ReportInput inUse{none, NumberedText, "x.zeb", kClock, true};
        // Every channel is listed, but a logic block is printed only when one is in use.
        EXPECT_EQ(HasContent(k, full), k == ReportKind::ChannelList);
        EXPECT_FALSE(HasContent(k, inUse));
        const auto p = printReport(FindReport(k), none, "x.zeb", NumberedText, true);
        EXPECT_EQ(p->outcome, ReportOutcome::NothingToPrint);
        EXPECT_TRUE(p->surface.items.empty());
    }
    none.DescText[2] = "Notes of group 3";
    EXPECT_FALSE(HasContent(ReportKind::Logic, ReportInput{none, NumberedText, "x.zeb", kClock, false}))
        << "notes without a block in use are nothing to print";
    none.LogicBlocks[3][3] = 0xF0; // input marks without an operation: in use, as the page shows it
    for (bool inUseOnly : {false, true})
        EXPECT_TRUE(HasContent(ReportKind::Logic, ReportInput{none, NumberedText, "x.zeb", kClock, inUseOnly}));
}
