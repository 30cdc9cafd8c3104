// The reports without content, the logic notes wrapping and the report catalogue; what the reports draw is
// in the golden listings (report_listing_test).

#include <gtest/gtest.h>

#include "model/channel_types.h"
#include "model/text_ids.h"
#include "reports/labels.h"
#include "reports/report_catalogue.h"
#include "reports/site_book.h"
#include "tests/support/io_test_support.h"
#include "tests/support/recording_surface.h"

using namespace korvane;
using namespace korvane::testing;

TEST(Reports, nothingToPrintBeginsNoPage) {
    Configuration cfg = ReportBlank(15);
    cfg.ChanSetup[20][kRowType] = kTypeRealTime; // above the channels in use: does not count
    cfg.ChanSetup[21][kRowType] = kTypeMaster;
    cfg.LogicBlocks[64][3] = 0x04; // blocks 64.. are never used
    for (const ReportEntry& e : ReportCatalogue()) {
        if (e.kind == ReportKind::ChannelList)
            continue; // every channel in use is listed
        RecordingSurface s;
        PrintJob job(s);
        EXPECT_EQ(e.print(job, ReportInputOf(cfg)), ReportOutcome::NothingToPrint) << e.name;
        EXPECT_EQ(job.pages(), 0) << e.name;
        EXPECT_TRUE(s.items.empty()) << e.name;
    }
}

TEST(LogicReport, notesWrapAtWordsAndKeepEveryCharacter) {
    RecordingSurface metrics;
    const double room = 20 * 90; // 20 characters at 9 points
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"short", {"short"}},
        {"one\r\ntwo\rthree\nfour", {"one", "two", "three", "four"}},
        {"the quick brown fox jumps over the lazy dog", {"the quick brown fox ", "jumps over the lazy ", "dog"}},
        {std::string(45, 'x'), {std::string(20, 'x'), std::string(20, 'x'), std::string(5, 'x')}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WrapNotes(c.text, room, {9, false}, metrics), c.lines) << c.text;
}

TEST(ReportCatalogue, namesMenuEntriesAndTitles) {
    std::vector<std::string> names, menus;
    for (const ReportEntry& e : ReportCatalogue()) {
        names.push_back(e.name);
        menus.push_back(e.menuEntry);
        EXPECT_EQ(FindReport(e.name), &e);
        EXPECT_EQ(&FindReport(e.kind), &e);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"channels", "master", "realtime", "logic", "sms"}));
    EXPECT_EQ(menus, (std::vector<std::string>{"M_Print_ChList", "M_Print_Master", "M_Print_Realtime", "M_PrintLogic",
                                               "M_Print_Sms"}));
    EXPECT_EQ(FindReport("all"), nullptr);
}

TEST(ReportCatalogue, allReportsInOneJobEachWithItsOwnPageNumbers) {
    Configuration cfg = ReportBlank(127);
    SetChannelType(cfg, 3, kTypeRealTime);
    cfg.LogicBlocks[5][3] = 0x08;
    const std::vector<ReportKind> all = ReportsWithContent(cfg);
    EXPECT_EQ(all, (std::vector<ReportKind>{ReportKind::ChannelList, ReportKind::RealTime, ReportKind::Logic}));
    RecordingSurface s;
    PrintJob job(s);
    ASSERT_EQ(PrintReports(job, ReportInputOf(cfg), all), ReportOutcome::Printed);
    std::vector<std::string> pageTexts;
    for (const Drawn& d : s.texts())
        if (d.text.rfind(NumberedText(300) + ":", 0) == 0)
            pageTexts.push_back(std::to_string(d.page) + d.text.substr(NumberedText(300).size()));
    EXPECT_EQ(pageTexts, (std::vector<std::string>{"1:  1", "2:  2", "3:  3", "4:  4", "5:  1", "6:  1", "7:  2"}));

    RecordingSurface empty;
    PrintJob none(empty);
    EXPECT_EQ(PrintReports(none, ReportInputOf(ReportBlank()), {ReportKind::Master, ReportKind::Sms}),
              ReportOutcome::NothingToPrint);
    EXPECT_EQ(none.pages(), 0);

    RecordingSurface refusing;
    refusing.refuseFromPage = 2;
    PrintJob failing(refusing);
    EXPECT_EQ(PrintReports(failing, ReportInputOf(cfg), all), ReportOutcome::Failed);
    EXPECT_EQ(refusing.page, 1);
}

// The label sheet: each channel in use on its label of the grid, its name and description inside the
// label; two sheets of different grids, margins and gaps, and the pages they fill.
TEST(LabelSheet, labelsLandOnTheGridOfTheSheet) {
    Configuration cfg = ReportBlank(127);
    for (int c = 0; c < 40; ++c)
        cfg.ChanText[static_cast<std::size_t>(c)] = "Room " + std::to_string(c);
    cfg.ChanText[4] = "A description much longer than any label of these sheets could ever hold on one line";
    cfg.ChanText[5] = "Hall\r\nfirst floor";
    constexpr double kMm = 1440 / 25.4;
    const struct {
        int sheet; // in CommonLabelSheets()
        int label; // from 0
        int page;
        double xMm; // the label's top-left corner on the paper
        double yMm;
    } cases[] = {
        {0, 0, 1, 0, 8.8},        {0, 1, 1, 70, 8.8},         {0, 4, 1, 70, 34.2},     {0, 32, 1, 140, 262.8},
        {0, 33, 2, 0, 8.8},       {0, 39, 2, 0, 59.6},        {3, 0, 1, 4.65, 15.15},  {3, 1, 1, 106.25, 15.15},
        {3, 5, 1, 106.25, 91.35}, {3, 13, 1, 106.25, 243.75}, {3, 14, 2, 4.65, 15.15}, {3, 39, 3, 106.25, 205.65},
    };
    for (int sheetIndex : {0, 3}) {
        const LabelSheet& sheet = CommonLabelSheets()[static_cast<std::size_t>(sheetIndex)];
        RecordingSurface s;
        PrintJob job(s);
        ASSERT_EQ(PrintLabels(job, ReportInputOf(cfg), sheet), ReportOutcome::Printed);
        const std::vector<Drawn> texts = s.texts();
        ASSERT_EQ(texts.size(), 80u); // name and description of 40 labels
        EXPECT_EQ(job.pages(), sheetIndex == 0 ? 2 : 3);
        for (const auto& c : cases) {
            if (c.sheet != sheetIndex)
                continue;
            SCOPED_TRACE(std::to_string(c.sheet) + " label " + std::to_string(c.label));
            const Drawn& name = texts[static_cast<std::size_t>(2 * c.label)];
            const Drawn& description = texts[static_cast<std::size_t>(2 * c.label + 1)];
            EXPECT_EQ(name.text, Num_2_Channel(c.label));
            EXPECT_TRUE(name.bold);
            EXPECT_EQ(name.page, c.page);
            EXPECT_EQ(description.page, c.page);
            const double left = c.xMm * kMm, top = c.yMm * kMm;
            const double right = left + sheet.labelWidth * kMm, bottom = top + sheet.labelHeight * kMm;
            for (const Drawn* d : {&name, &description}) {
                EXPECT_GT(d->x, left + 0.5 * kMm) << d->text;
                EXPECT_LT(d->right, right - 0.5 * kMm) << d->text;
                EXPECT_GT(d->y, top) << d->text;
                EXPECT_LT(d->bottom, bottom) << d->text;
            }
            EXPECT_GE(description.y, name.bottom - 0.01);
        }
        // A long description is cut with "…", a line break becomes a blank.
        EXPECT_TRUE(texts[9].text.starts_with("A description") && texts[9].text.ends_with("\x85")) << texts[9].text;
        EXPECT_EQ(texts[11].text, "Hall first floor");
    }
}

// A record of a check of the unit that takes more than a page, with a difference too long for one line.
HandoverRecord longRecord() {
    HandoverRecord r{{{kTxtRecordChecked, "7 December 2026 10:31"}, {kTxtRecordPort, "/dev/ttyUSB0"}},
                     "The master unit holds 61 values other than written.",
                     {"A3 Roller blind"},
                     "Details: Good.zeb -> In the unit"};
    for (int i = 1; i <= 60; ++i)
        r.lines.push_back("    Reverse time " + std::to_string(i) + ": unit 1000 ms, written 1500 ms");
    std::string words;
    for (int i = 0; i < 40; ++i)
        words += " w" + std::to_string(i) + "\xE6";
    r.lines.push_back("    Description: unit '" + words + "', written ''");
    return r;
}

// The site book of each fixture: the cover's fields, the contents' page numbers where each report starts
// (its first page carries its title), "Page n of m" on every page, and the channel list's groups on the
// pages that hold their first channel; the record of the last check last, every line of it whole.
TEST(SiteBook, contentsAndPageNumbersMatchWhereEachReportStarts) {
    const TextLookup english = shippedTexts("English.dat");
    for (const char* fixture : {"Good.zeb", "TwelveInUse.zeb", "MultiLineDescriptions.zeb"}) {
        SCOPED_TRACE(fixture);
        const Configuration cfg = loadedConfiguration(fixture);
        const ReportInput in = ReportInputOf(cfg, english);
        RecordingSurface s;
        PrintJob job(s);
        BookPlan plan;
        const BookCover cover{"Jens Jensen", "Elektro \xC5rhus", "6 December 2026 18:33, port com1: no difference",
                              longRecord()};
        ASSERT_EQ(PrintSiteBook(job, in, cover, &plan), ReportOutcome::Printed);
        EXPECT_EQ(plan.pages, job.pages());
        const BookPlan planned = PlanSiteBook(s, in, cover);
        EXPECT_EQ(planned.sections, plan.sections);
        EXPECT_EQ(planned.pages, plan.pages);

        const std::vector<Drawn> texts = s.texts();
        const auto onPage = [&](int page, double y) {
            std::vector<std::string> out;
            for (const Drawn& d : texts)
                if (d.page == page && (y < 0 || std::abs(d.y - y) < 0.01))
                    out.push_back(d.text);
            return out;
        };
        const auto has = [](const std::vector<std::string>& v, const std::string& t) {
            return std::find(v.begin(), v.end(), t) != v.end();
        };
        const std::string total = std::to_string(job.pages());
        for (int p = 1; p <= job.pages(); ++p)
            EXPECT_TRUE(has(onPage(p, page::kHeaderLine1), "Page " + std::to_string(p) + " of " + total)) << p;

        // Cover and contents first; then the reports that have something to print, channels in use only.
        ASSERT_GE(plan.sections.size(), 3u);
        EXPECT_EQ(plan.sections[0].page, 1);
        EXPECT_EQ(plan.sections[1].page, 2);
        ReportInput inUse = in;
        inUse.inUseOnly = true;
        std::vector<std::string> titles;
        for (ReportKind k : ReportsWithContent(inUse))
            titles.push_back(english(FindReport(k).titleText));
        titles.push_back(english(kTxtRecordTitle));
        ASSERT_EQ(plan.sections.size(), titles.size() + 2);
        for (const std::string& field : {cover.installer, cover.company, cover.lastWrite, std::string("204")})
            EXPECT_TRUE(fixture != std::string("Good.zeb") || has(onPage(1, -1), field)) << field;
        const std::vector<std::string> contents = onPage(2, -1);
        for (std::size_t k = 2; k < plan.sections.size(); ++k) {
            const BookSection& section = plan.sections[k];
            EXPECT_EQ(section.title, titles[k - 2]);
            EXPECT_TRUE(has(contents, section.title)) << section.title;
            EXPECT_TRUE(has(contents, std::to_string(section.page))) << section.title;
            // The report starts on that page: its title is there, and not on the page before.
            EXPECT_TRUE(has(onPage(section.page, page::kHeaderLine1), "ZEB1 " + section.title)) << section.title;
            EXPECT_FALSE(has(onPage(section.page - 1, page::kHeaderLine1), "ZEB1 " + section.title)) << section.title;
            const int end = k + 1 < plan.sections.size() ? plan.sections[k + 1].page : job.pages() + 1;
            for (int p = section.page; p < end; ++p)
                EXPECT_TRUE(has(onPage(p, page::kHeaderLine1), "ZEB1 " + section.title)) << section.title << " " << p;
        }
        // The record: more than one page, each line whole (a long one wrapped, no character lost).
        const int recordPage = plan.sections.back().page;
        EXPECT_GT(job.pages(), recordPage);
        std::string printed;
        for (const Drawn& d : texts)
            if (d.page >= recordPage && d.y >= page::kFirstRow) {
                printed += d.text + " ";
                EXPECT_LE(d.right, page::kRightEdge + 0.01) << d.text;
            }
        for (const std::string& line : cover.record->lines) {
            for (const std::string& word : splitOn(line, ' ')) {
                EXPECT_NE(printed.find(word), std::string::npos) << word;
            }
            if (line.size() < 60) {
                EXPECT_NE(printed.find(line.substr(line.find_first_not_of(' ')) + " "), std::string::npos) << line;
            }
        }
        EXPECT_NE(printed.find(cover.record->verdict), std::string::npos);
        EXPECT_NE(printed.find(cover.record->linesHeading), std::string::npos);
        EXPECT_NE(printed.find("/dev/ttyUSB0"), std::string::npos);
        // The channel list's groups, each on the page of its first row.
        const BookSection& channels = plan.sections[2];
        EXPECT_FALSE(channels.parts.empty());
        for (const BookSection& group : channels.parts) {
            const char letter = group.title.back();
            bool found = false;
            for (const Drawn& d : texts)
                found |= d.page == group.page && std::abs(d.x - page::kLeftText) < 0.01 && d.text.size() >= 2 &&
                         d.text[0] == letter && d.text[1] >= '1' && d.text[1] <= '8';
            EXPECT_TRUE(found) << group.title << " p" << group.page;
        }
    }
}
