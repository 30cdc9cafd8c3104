// The print engine: the header's date, texts kept inside their column, pictures, the page sequence, and the
// values the reports show. Where the header's lines stand is in the golden listings (report_listing_test).

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "model/roller.h"
#include "model/text_ids.h"
#include "reports/print_engine.h"
#include "reports/report_values.h"
#include "tests/support/io_test_support.h"
#include "tests/support/recording_surface.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

TextLookup englishLike() {
    return [](int n) -> std::string {
        switch (n) {
        case kTxtMonthNames:
            return "January,February,March,April,May,June,July,August,September,October,November,December";
        case kTxtLongDate:
            return "D MMMM YYYY";
        default:
            return NumberedText(n);
        }
    };
}

} // namespace

TEST(PageHeader, weekdayComesFromTheDateItself) {
    const struct {
        DeviceClock clock;
        int weekdayText;
        const char* date;
    } cases[] = {
        {{2026, 3, 8, 0, 0, 0, 1}, 189, "8 March 2026"},       // Sunday, whatever the stored weekday says
        {{2026, 3, 9, 23, 59, 0, 7}, 190, "9 March 2026"},     // Monday
        {{2024, 2, 29, 12, 5, 0, 0}, 193, "29 February 2024"}, // Thursday
        {{2000, 1, 1, 0, 0, 0, 0}, 195, "1 January 2000"},     // Saturday
    };
    for (const auto& c : cases) {
        const std::string t = GetTimeNow(c.clock, englishLike());
        EXPECT_EQ(t.substr(0, 6), "T" + std::to_string(c.weekdayText) + "  ") << t;
        EXPECT_NE(t.find(std::string("  ") + c.date + "  "), std::string::npos) << t;
    }
    const std::string t = GetTimeNow({2026, 3, 8, 7, 5, 0, 1}, englishLike());
    EXPECT_EQ(t.substr(t.size() - 7), "  07:05");
}

TEST(LongDate, followsTheLanguagePatternAndFallsBackToIso) {
    const std::string months = "Jan,Feb,Mär,Apr,Mai,Jun,Jul,Aug,Sep,Okt,Nov,Dez";
    EXPECT_EQ(LongDateText(2026, 3, 6, "D. MMMM YYYY", months), "6. Mär 2026");
    EXPECT_EQ(LongDateText(2026, 3, 6, "DD.MM.YYYY", months), "06.03.2026");
    EXPECT_EQ(LongDateText(2026, 12, 24, "MMMM D, YYYY", months), "Dez 24, 2026");
    EXPECT_EQ(LongDateText(2026, 3, 6, "", months), "2026-03-06");
    EXPECT_EQ(LongDateText(2026, 3, 6, "D MMMM YYYY", "only,three,names"), "2026-03-06");
}

TEST(Canvas, aRightAlignedTextThatDoesNotFitEndsAtItsEdgeAtTheSizeItWasShrunkTo) {
    // How a text is shrunk and cut to its column, keeping its baseline, is in the golden listings.
    RecordingSurface s;
    Canvas c(s);
    c.rightAligned(5000, 4000, 100, 9, false, std::string(30, 'b'));
    ASSERT_EQ(s.items.size(), 1u);
    EXPECT_DOUBLE_EQ(s.items[0].points, page::kSmallestPoints);
    EXPECT_DOUBLE_EQ(s.items[0].right, 5000);
    EXPECT_GE(s.items[0].x, 4000);
    EXPECT_EQ(s.items[0].text.back(), '\x85') << "cut with the ellipsis";
}

TEST(Canvas, onlyThePictureTablePaints) {
    RecordingSurface s;
    Canvas c(s);
    for (int n : {-1, 0, 40, 63, 64, 65, 78, 79, 99, 100, 101, 106, 107, 108, 255})
        c.picture(10, 20, n);
    std::vector<int> painted;
    for (const Drawn& d : s.items)
        painted.push_back(d.picture);
    EXPECT_EQ(painted, (std::vector<int>{0, 40, 63, 65, 78, 100, 107}));
    EXPECT_DOUBLE_EQ(s.items[0].right - s.items[0].x, page::kPictureSize);
}

TEST(PrintJob, theFirstPageIsTheDevicesAndARefusedPageStopsTheJob) {
    RecordingSurface s;
    s.refuseFromPage = 3;
    PrintJob job(s);
    EXPECT_TRUE(job.beginPage());
    EXPECT_TRUE(job.beginPage());
    EXPECT_FALSE(job.beginPage());
    EXPECT_FALSE(job.beginPage());
    EXPECT_TRUE(job.failed());
    EXPECT_EQ(job.pages(), 2);
    EXPECT_EQ(s.page, 2);
}

TEST(PageRangeSurface, drawsOnlyTheChosenPagesAndTurnsTheDevicesPageBetweenThem) {
    const struct {
        std::vector<int> wanted;
        std::vector<std::string> drawn; // the texts on the device, "page:text"
    } cases[] = {
        {{1, 2, 3, 4}, {"1:p1", "2:p2", "3:p3", "4:p4"}},
        {{2}, {"1:p2"}},
        {{1, 4}, {"1:p1", "2:p4"}},
        {{3, 4}, {"1:p3", "2:p4"}},
    };
    for (const auto& c : cases) {
        RecordingSurface device;
        PageRangeSurface range(device,
                               [&](int n) { return std::find(c.wanted.begin(), c.wanted.end(), n) != c.wanted.end(); });
        PrintJob job(range);
        for (int p = 1; p <= 4; ++p) {
            ASSERT_TRUE(job.beginPage());
            range.text(0, 0, {9, false}, "p" + std::to_string(p));
            range.fillRect(0, 0, 10, 10);
        }
        std::vector<std::string> drawn;
        for (const Drawn& d : device.texts())
            drawn.push_back(std::to_string(d.page) + ":" + d.text);
        EXPECT_EQ(drawn, c.drawn);
        EXPECT_EQ(range.pagesDrawn(), static_cast<int>(c.drawn.size()));
        EXPECT_EQ(device.items.size(), 2 * c.drawn.size());
        EXPECT_EQ(job.pages(), 4) << "the job counts its own pages";
    }
    // A device that refuses its second page stops the job.
    RecordingSurface refusing;
    refusing.refuseFromPage = 2;
    PageRangeSurface range(refusing, [](int n) { return n != 2; });
    PrintJob job(range);
    EXPECT_TRUE(job.beginPage());
    EXPECT_TRUE(job.beginPage()); // page 2 is not drawn: the device's page is not turned
    EXPECT_FALSE(job.beginPage());
}

TEST(ReportValues, timesNumbersHolidaysListsAndReverseTimes) {
    Configuration cfg = ReportBlank();
    for (const auto& c : dataTable("reports_values.txt", 3)) {
        std::vector<Byte> n;
        std::istringstream in(c[1]);
        for (std::string number; in >> number;)
            n.push_back(static_cast<Byte>(std::stoi(number, nullptr, 0)));
        const std::string kind = c[0].substr(0, c[0].find(','));
        std::string shown;
        if (kind == "time of day") {
            shown = "[" + TimeOfDayText(n[0], n[1]) + "]";
        } else if (kind == "number") {
            shown = "[" + Str(std::stoi(c[1])) + "]";
        } else if (kind == "holiday period") {
            std::copy(n.begin(), n.end(), cfg.SysData.begin() + kSysHolidays + 4 * 15);
            shown = "[" + HolidayDayText(cfg, 15, false) + "] [" + HolidayDayText(cfg, 15, true) + "]";
        } else if (kind == "multiplexer") {
            const TextLookup none = [](int) { return std::string(); };
            shown = "[" + PrintedChoice(facts::kMuxCount, std::stoi(c[1]), 2, none) + "] [" +
                    PrintedChoice(facts::kMuxDelay, std::stoi(c[1]), 3, none) + "]";
        } else if (kind == "reverse time") {
            Row r{};
            r[kRollReverseHigh] = n[0];
            r[kRollReverseLow] = n[1];
            shown = "[" + std::to_string(RollerReversePrinted(r)) + "]";
        }
        EXPECT_EQ(shown, c[2]) << c[0] << ": " << c[1];
    }
}

TEST(ReportValues, rollerCellsNamePairsAndNeverReadPastTheGrid) {
    Configuration cfg = ReportBlank();
    cfg.ChanSetup[10][kRowType] = 40;  // pair B3/B4 = cell 5
    cfg.ChanSetup[126][kRowType] = 40; // pair P7/P8 = cell 63
    cfg.MasterMatrix[0][1] = 0x30;     // cell 5: bits 5-4 of byte 1
    cfg.MasterMatrix[0][15] = 0x01;    // cell 63: only one of its two bits
    EXPECT_EQ(GetRmSt(cfg, 0, 5), 3);
    EXPECT_EQ(GetRmSt(cfg, 0, 63), 0);
    EXPECT_EQ(GetRmSt(cfg, 0, 4), -1);
    EXPECT_EQ(GetRmSt(cfg, 0, 64), -1);
    EXPECT_EQ(GetRmSt(cfg, 0, 127), -1);
}
