// The reports without content, the logic notes wrapping and the report catalogue; what the reports draw is
// in the golden listings (report_listing_test).

#include <gtest/gtest.h>

#include "model/channel_types.h"
#include "reports/report_catalogue.h"
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
