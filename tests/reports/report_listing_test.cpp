// Every report of the fixtures as a golden text listing, what a reader needs of every page in every shipped
// language (inside the frame, nothing overprinted, nothing below 8 points, table headings on one baseline
// and distinct), and the in-use listing.
//
// The golden listings are tests/reports/golden/<fixture>.<report>.txt (<fixture>.in-use.<report>.txt for the
// in-use listing): what the report drew on the recording surface, one line per item, with the language texts
// as their numbers ("T259"). A change of a report's layout changes them; look at the PDF pages, then write
// them anew with
//     KORVANE_UPDATE_GOLDEN=1 build/test/bin/core_tests --gtest_filter='ReportListing.*'
// and read the difference in the commit.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "io/text_file.h"
#include "model/text_ids.h"
#include "model/channel_types.h"
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
                                     TextLookup text, bool inUse) {
    auto p = std::make_unique<Printed>();
    PrintJob job(p->surface);
    p->outcome = e.print(job, ReportInput{cfg, std::move(text), name, kClock, inUse});
    return p;
}

TextLookup shipped(const char* file) {
    auto table = std::make_shared<TextTable>(
        ReadTextFile(std::string(KORVANE_SOURCE_DIR) + "/resources/Language/" + file, kLanguageTextCount));
    EXPECT_TRUE(table->good) << file;
    return [table](int n) { return table->texts[static_cast<std::size_t>(n)]; };
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        out.push_back(l);
    return out;
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
    const bool update = std::getenv("KORVANE_UPDATE_GOLDEN") != nullptr;
    const std::string folder = std::string(KORVANE_SOURCE_DIR) + "/tests/reports/golden/";
    struct Case {
        std::string fixture;
        bool inUse;
    };
    std::vector<Case> cases;
    for (const char* f : kFixtures)
        cases.push_back({f, false});
    cases.push_back({"TwelveInUse.zeb", true});
    for (const Case& c : cases) {
        const Configuration cfg = loadedConfiguration(c.fixture);
        const std::string stem = c.fixture.substr(0, c.fixture.rfind('.')) + (c.inUse ? ".in-use" : "");
        for (const ReportEntry& e : ReportCatalogue()) {
            const auto p = printReport(e, cfg, c.fixture, NumberedText, c.inUse);
            const std::string listing =
                p->outcome == ReportOutcome::Printed ? TextListing(p->surface.items) : "nothing to print\n";
            const std::string path = folder + stem + "." + e.name + ".txt";
            if (update) {
                std::ofstream(path, std::ios::binary) << listing;
                continue;
            }
            const std::vector<std::string> want = linesOf(readFile(path));
            const std::vector<std::string> got = linesOf(listing);
            ASSERT_FALSE(want.empty()) << path << " is missing: write it with KORVANE_UPDATE_GOLDEN=1";
            const auto [w, g] = std::mismatch(want.begin(), want.end(), got.begin(), got.end());
            EXPECT_TRUE(w == want.end() && g == got.end())
                << path << " line " << (w - want.begin()) + 1 << "\n  golden:  " << (w == want.end() ? "(end)" : *w)
                << "\n  printed: " << (g == got.end() ? "(end)" : *g)
                << "\nLook at the PDF pages; when the change is meant, write the listings anew with "
                   "KORVANE_UPDATE_GOLDEN=1 (tests/reports/report_listing_test.cpp).";
        }
    }
    if (update)
        GTEST_SKIP() << "golden listings written to " << folder;
}

TEST(ReportListing, everyPageIsReadableInEveryShippedLanguage) {
    std::map<std::string, int> tableRows;
    for (const char* language : kLanguages) {
        const TextLookup text = shipped(language);
        for (const char* fixture : kFixtures) {
            const Configuration cfg = loadedConfiguration(fixture);
            for (bool inUse : {false, true})
                for (const ReportEntry& e : ReportCatalogue()) {
                    const auto p = printReport(e, cfg, fixture, text, inUse);
                    const std::string where =
                        std::string(language) + " " + fixture + " " + e.name + (inUse ? " in use" : "");
                    SCOPED_TRACE(where);
                    ExpectInsideFrame(p->surface.items);
                    ExpectNoOverlaps(p->surface.items);
                    ExpectNoTextBelow(p->surface.items, page::kSmallestPoints);
                    for (const Table& t : kTables)
                        if (t.report == e.kind)
                            tableRows[t.what] += expectTableHeadings(t, p->surface, text, where);
                }
        }
    }
    // Every table was seen, so that each check above had something to check.
    for (const Table& t : kTables)
        EXPECT_GT(tableRows[t.what], 0) << t.what;
}

TEST(ReportListing, inUseLeavesOutExactlyTheUnusedChannelsAndEmptyBlocks) {
    const Configuration twelve = loadedConfiguration("TwelveInUse.zeb");
    const struct {
        const char* what;
        ReportKind report;
        bool inUse;
        std::vector<std::string> names; // channel names, or logic block numbers, in order
        int pages;
    } cases[] = {
        {"channels in use",
         ReportKind::ChannelList,
         true,
         {"A1", "A3", "A4", "A5", "A6", "B1", "B2", "C1 - C2", "D1", "D2", "P8"},
         1},
        {"every channel", ReportKind::ChannelList, false, {}, 5},
        {"blocks in use", ReportKind::Logic, true, {"1", "10"}, 1},
        {"every block", ReportKind::Logic, false, {}, 2},
    };
    for (const auto& c : cases) {
        const auto p = printReport(FindReport(c.report), twelve, "TwelveInUse.zeb", NumberedText, c.inUse);
        ASSERT_EQ(p->outcome, ReportOutcome::Printed) << c.what;
        EXPECT_EQ(p->surface.page, c.pages) << c.what;
        // The first column below the headings: channel names, or block numbers.
        std::vector<std::string> names;
        for (const Drawn& d : p->surface.texts())
            if (d.x == page::kLeftText && !d.bold && d.points <= 10 && d.y > page::kColumnHeadings)
                names.push_back(d.text);
        if (!c.names.empty()) {
            EXPECT_EQ(names, c.names) << c.what;
        } else if (c.report == ReportKind::ChannelList) {
            // The full listing has every channel; what the in-use listing leaves out is not used and undescribed.
            EXPECT_EQ(names.size(), 127u) << c.what;
            const std::set<int> inUse = {0, 2, 3, 4, 5, 8, 9, 16, 17, 24, 25, 127}; // the names above
            for (int ch = 0; ch < kChannels; ++ch)
                EXPECT_EQ(!inUse.count(ch), twelve.channelType(ch) == kTypeBlank && twelve.ChanText[ch].empty()) << ch;
        } else {
            EXPECT_EQ(names.size(), 64u) << c.what;
        }
    }

    // What counts as unused, channel by channel; the empty logic blocks and groups.
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
