// The real-time, master, logic and SMS reports and the report catalogue.

#include <gtest/gtest.h>

#include <algorithm>

#include <set>

#include "io/text_file.h"
#include "model/channel_types.h"
#include "model/master.h"
#include "model/text_ids.h"
#include "reports/report_catalogue.h"
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

void makeRealTime(Configuration& cfg, int ch) {
    SetChannelType(cfg, ch, kTypeRealTime);
}

TextLookup shipped(const char* file) {
    auto table = std::make_shared<TextTable>(
        ReadTextFile(std::string(KORVANE_SOURCE_DIR) + "/resources/Language/" + file, kLanguageTextCount));
    return [table](int n) { return table->texts[static_cast<std::size_t>(n)]; };
}

// The pages each channel's items lie on.
std::set<int> pagesOf(const RecordingSurface& s, const std::string& name) {
    std::set<int> pages;
    for (const Drawn& d : s.texts())
        if (d.text == name)
            pages.insert(d.page);
    return pages;
}

} // namespace

TEST(Reports, nothingToPrintBeginsNoPage) {
    const struct {
        const char* what;
        ReportOutcome (*print)(PrintJob&, const ReportInput&);
    } cases[] = {
        {"real-time", PrintRealTimeReport},
        {"master", PrintMasterReport},
        {"logic", PrintLogicReport},
        {"sms", PrintSmsReport},
    };
    Configuration cfg = blank(15);
    cfg.ChanSetup[20][kRowType] = kTypeRealTime; // above the channels in use: does not count
    cfg.ChanSetup[21][kRowType] = kTypeMaster;
    cfg.LogicBlocks[64][3] = 0x04; // blocks 64.. are never used
    for (const auto& c : cases) {
        RecordingSurface s;
        PrintJob job(s);
        EXPECT_EQ(c.print(job, inputFor(cfg)), ReportOutcome::NothingToPrint) << c.what;
        EXPECT_EQ(job.pages(), 0) << c.what;
        EXPECT_TRUE(s.items.empty()) << c.what;
    }
}

TEST(RealTimeReport, holidaysInTwoColumnPairsThenTheDaySets) {
    Configuration cfg = blank(15);
    makeRealTime(cfg, 5);
    Row& row = cfg.ChanSetup[5];
    row[1] = 0x81; // day set 1: Monday and holiday
    row[2] = 0x07; // on 07:30
    row[3] = 0x30;
    row[4] = 255; // no off time
    const Byte periods[][4] = {{0x07, 0x01, 0x08, 0x15}, {0x13, 0x01, 0x02, 0x03}};
    std::copy(std::begin(periods[0]), std::end(periods[0]), cfg.SysData.begin() + kSysHolidays);          // period 1
    std::copy(std::begin(periods[1]), std::end(periods[1]), cfg.SysData.begin() + kSysHolidays + 4);      // 2: bad
    std::copy(std::begin(periods[0]), std::end(periods[0]), cfg.SysData.begin() + kSysHolidays + 4 * 15); // 16
    RecordingSurface s;
    PrintJob job(s);
    ASSERT_EQ(PrintRealTimeReport(job, inputFor(cfg)), ReportOutcome::Printed);
    EXPECT_TRUE(s.find("ZEB1 " + T(261)));

    // The block: name, icon, description row, then the headings and four day sets.
    const Drawn* name = s.find("A6");
    ASSERT_TRUE(name);

    // Holiday rows: each period's number, first and last day on one row; 1..8 left, 9..16 beside them.
    auto period = [&](int number) {
        std::vector<const Drawn*> row;
        const Drawn* n = nullptr;
        for (const Drawn& d : s.items)
            if (d.kind == Drawn::Text && d.y < name->y && d.text == std::to_string(number))
                n = &d;
        if (!n)
            return row;
        row.push_back(n);
        for (const Drawn& d : s.items)
            if (d.kind == Drawn::Text && d.y == n->y && d.x > n->x && row.size() < 3 &&
                (row.size() == 1 || d.x > row.back()->x))
                row.push_back(&d);
        return row;
    };
    const struct {
        int number;
        const char* first;
        const char* last;
    } periodsShown[] = {{1, "07:01", "08:15"}, {2, "--.--", "--.--"}, {9, "--.--", "--.--"}, {16, "07:01", "08:15"}};
    for (const auto& c : periodsShown) {
        const auto row = period(c.number);
        ASSERT_EQ(row.size(), 3u) << c.number;
        EXPECT_EQ(row[1]->text, c.first) << c.number;
        EXPECT_EQ(row[2]->text, c.last) << c.number;
    }
    EXPECT_DOUBLE_EQ(period(9)[0]->y, period(1)[0]->y);
    EXPECT_GT(period(9)[0]->x, period(1)[2]->right);
    EXPECT_TRUE(s.find("08:15"));

    const Drawn* on = s.find("07:30");
    ASSERT_TRUE(on);
    const Drawn* onHeading = s.find(T(40));
    ASSERT_TRUE(onHeading);
    EXPECT_DOUBLE_EQ(on->x, onHeading->x);
    EXPECT_DOUBLE_EQ(on->y, name->y + 2 * page::kRowPitch + (name->bottom - name->y) - (on->bottom - on->y));
    int boxesOnItsRow = 0, ticked = 0;
    for (const Drawn& p : s.pictures())
        if (p.y == on->bottom - page::kPictureSize && p.x > on->x) {
            ++boxesOnItsRow;
            ticked += p.picture == 69;
        }
    EXPECT_EQ(boxesOnItsRow, 8);
    EXPECT_EQ(ticked, 2);
    for (int t : {40, 41, 45, 46, 47, 48, 49, 50, 51, 64})
        EXPECT_TRUE(s.find(T(t))) << t;
    ExpectInsideFrame(s.items);
    ExpectNoOverlaps(s.items);
}

TEST(RealTimeReport, blocksAreMeasuredAgainstTheFrameAndNeverSplit) {
    Configuration cfg = blank(127);
    for (int ch = 0; ch < 128; ch += 3)
        makeRealTime(cfg, ch);
    for (int ch = 0; ch < 128; ch += 3) {
        Row& row = cfg.ChanSetup[ch];
        for (int k = 0; k < 4; ++k) {
            row[1 + 5 * k] = 0xFF;
            row[2 + 5 * k] = 0x23;
            row[4 + 5 * k] = 0x12;
        }
        cfg.ChanText[ch] = std::string(90, 'x');
    }
    for (const char* file : {"English.dat", "Deutsch.dat", "Dansk.dat"}) {
        RecordingSurface s;
        PrintJob job(s);
        ASSERT_EQ(PrintRealTimeReport(job, inputFor(cfg, shipped(file))), ReportOutcome::Printed);
        ExpectInsideFrame(s.items);
        ExpectNoOverlaps(s.items);
        EXPECT_GT(s.page, 5);
        // Each block lies on one page: its name's page also holds its four day-set rows.
        for (int ch = 0; ch < 128; ch += 3)
            EXPECT_EQ(pagesOf(s, Num_2_Channel(ch)).size(), 1u) << Num_2_Channel(ch);
        // A page holds as many blocks as fit: the last block of a full page ends near the frame.
        double lowest = 0;
        for (const Drawn& d : s.items)
            if (d.page == 1)
                lowest = std::max(lowest, d.bottom);
        EXPECT_GT(lowest, page::kFrameBottom - 8 * page::kRowPitch);
    }
}

TEST(MasterReport, masterGridShowsTheTargetStatesAndRollerGridThePairs) {
    Configuration cfg = blank(127);
    SetChannelType(cfg, 0, kTypeMaster);
    SetChannelType(cfg, 8, kTypeMono);
    SetChannelType(cfg, 9, kTypeMono);
    PutMaster(cfg, 0, 8, kMasterOn);
    PutMaster(cfg, 0, 9, kMasterOff);
    SetChannelType(cfg, 2, kTypeIntruderPassive); // cannot be driven
    SetChannelType(cfg, 120, kTypeRollerMaster);  // the last pair: P1/P2
    SetChannelType(cfg, 124, kTypeRoller);        // P5/P6 = cell 62
    SetChannelType(cfg, 126, kTypeRoller);        // P7/P8 = cell 63
    cfg.MasterMatrix[120][15] = 0x03;             // cell 63 selected
    cfg.ChanSetup[120][kRmMode] = 255;
    cfg.ChanSetup[120][kRmRunTime] = 42;
    cfg.ChanSetup[120][kRmReverseTime] = 7;
    RecordingSurface s;
    PrintJob job(s);
    ASSERT_EQ(PrintMasterReport(job, inputFor(cfg)), ReportOutcome::Printed);

    auto gridPicture = [&](const std::string& name, int target) {
        const Drawn* n = s.find(name);
        EXPECT_TRUE(n) << name;
        if (!n)
            return -1;
        const Drawn* letter = nullptr;
        for (const Drawn& d : s.items)
            if (d.kind == Drawn::Text && d.page == n->page && d.y > n->y &&
                d.text == std::string(1, static_cast<char>('A' + target / 8))) {
                letter = &d;
                break;
            }
        if (!letter)
            return -2;
        // The group's row: its letter, then the cells of digits 1..8 from left to right.
        std::vector<Drawn> cells;
        for (const Drawn& p : s.pictures())
            if (p.page == n->page && p.bottom == letter->bottom && p.x > letter->x)
                cells.push_back(p);
        std::sort(cells.begin(), cells.end(), [](const Drawn& a, const Drawn& b) { return a.x < b.x; });
        if (cells.size() <= static_cast<std::size_t>(target % 8))
            return -3;
        return cells[static_cast<std::size_t>(target % 8)].picture;
    };
    EXPECT_EQ(gridPicture("A1", 8), 72);
    EXPECT_EQ(gridPicture("A1", 9), 71);
    EXPECT_EQ(gridPicture("A1", 10), 73);
    EXPECT_EQ(gridPicture("A1", 2), 70);
    EXPECT_EQ(gridPicture("P1 - P2", 126), 75); // both channels of the pair show the pair's state
    EXPECT_EQ(gridPicture("P1 - P2", 127), 75);
    EXPECT_EQ(gridPicture("P1 - P2", 124), 76);
    EXPECT_EQ(gridPicture("P1 - P2", 0), 74);
    EXPECT_TRUE(s.find(T(98)));
    EXPECT_TRUE(s.find("042  " + T(62)));
    EXPECT_TRUE(s.find("0007  " + T(62)));
    EXPECT_TRUE(s.find(T(297) + " :"));
    ExpectInsideFrame(s.items);
    ExpectNoOverlaps(s.items);
}

TEST(MasterReport, onlyARollerMasterIsEnoughAndBlocksStayInsideTheFrame) {
    Configuration cfg = blank(127);
    SetChannelType(cfg, 40, kTypeRollerMaster);
    {
        RecordingSurface s;
        PrintJob job(s);
        EXPECT_EQ(PrintMasterReport(job, inputFor(cfg)), ReportOutcome::Printed);
        EXPECT_TRUE(s.find("F1 - F2"));
    }
    // Many master functions with trigger times and 128 channels: the tallest blocks.
    for (int ch = 0; ch < 40; ch += 2) {
        SetChannelType(cfg, ch, kTypeMaster);
        cfg.ChanSetup[ch][kMasterRealTime] = 1;
        cfg.ChanSetup[ch][2] = 0x06;
        cfg.ChanSetup[ch][3] = 0x15;
    }
    for (const char* file : {"English.dat", "Deutsch.dat", "Dansk.dat"}) {
        RecordingSurface s;
        PrintJob job(s);
        ASSERT_EQ(PrintMasterReport(job, inputFor(cfg, shipped(file))), ReportOutcome::Printed);
        ExpectInsideFrame(s.items);
        ExpectNoOverlaps(s.items);
        for (int ch = 0; ch < 40; ch += 2)
            EXPECT_EQ(pagesOf(s, Num_2_Channel(ch)).size(), 1u);
        int realTimeIcons = 0;
        for (const Drawn& p : s.pictures())
            realTimeIcons += p.picture == 107;
        EXPECT_EQ(realTimeIcons, 20);
        EXPECT_EQ(s.texts().size() > 0, true);
    }
}

TEST(LogicReport, rowsReadAsEquationsAndUnusedBlocksAsDashes) {
    Configuration cfg = blank(127);
    cfg.LogicBlocks[0] = {127, 0, 0x84, 0x24}; // P8 = A1 (mark "--") And X5
    cfg.LogicBlocks[9] = {3, 4, 5, 0xF0};      // marks only, no operation
    cfg.LogicBlocks[10] = {3, 4, 0x9A, 0x5C};  // Xor, input 2 "\ " W3
    cfg.LogicBlocks[70] = {1, 2, 3, 0x04};     // beyond the 64 used blocks
    RecordingSurface s;
    PrintJob job(s);
    ASSERT_EQ(PrintLogicReport(job, inputFor(cfg)), ReportOutcome::Printed);
    EXPECT_TRUE(s.find("ZEB1 " + T(10)));
    const Drawn* out = s.find("P8 =");
    ASSERT_TRUE(out);
    auto onRow = [&](const Drawn* first) {
        std::vector<std::string> row;
        for (const Drawn& d : s.texts())
            if (d.page == first->page && d.y == first->y)
                row.push_back(d.text);
        return row;
    };
    // Each row begins with its block's number.
    EXPECT_EQ(onRow(out), (std::vector<std::string>{"1", "P8 =", "--A1", "And", "  X5"}));
    const Drawn* xorRow = s.find("A4 =");
    ASSERT_TRUE(xorRow);
    EXPECT_EQ(onRow(xorRow), (std::vector<std::string>{"11", "A4 =", "  A5", "Xor", "\\ W3"}));
    int dashes = 0;
    for (const Drawn& d : s.texts())
        dashes += d.text == "  ---";
    EXPECT_EQ(dashes, 4 * 62); // 64 rows, two with an operation
    EXPECT_FALSE(s.find("B2 ="));
    ExpectInsideFrame(s.items);
    ExpectNoOverlaps(s.items);
    // Eight groups of a heading, the table headings and eight rows; a group never spans two pages.
    for (int g = 0; g < 8; ++g)
        EXPECT_EQ(pagesOf(s, T(90) + " " + std::to_string(8 * g + 1) + " - " + std::to_string(8 * g + 8) + ":").size(),
                  1u);
}

TEST(LogicReport, notesWrapAtWordsKeepEveryCharacterAndAddRows) {
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

    // A group whose notes need more than eight lines gets more rows, and loses nothing.
    Configuration cfg = blank(127);
    cfg.LogicBlocks[0][3] = 0x04;
    std::string notes;
    for (int i = 0; i < 14; ++i)
        notes += "line " + std::to_string(i) + "\r\n";
    notes += std::string(250, 'z');
    cfg.DescText[0] = notes;
    RecordingSurface s;
    PrintJob job(s);
    ASSERT_EQ(PrintLogicReport(job, inputFor(cfg)), ReportOutcome::Printed);
    // The notes column is where its heading stands.
    const Drawn* heading = s.find(T(95));
    ASSERT_TRUE(heading);
    std::string printed;
    for (const Drawn& d : s.texts())
        if (d.x == heading->x && d.text != T(95))
            printed += d.text;
    std::string expected;
    for (char ch : notes)
        if (ch != '\r' && ch != '\n')
            expected += ch;
    EXPECT_EQ(printed, expected);
    ExpectInsideFrame(s.items);
    ExpectNoOverlaps(s.items);
}

TEST(LogicReport, notesLongerThanAPageGoOnOverThePages) {
    Configuration cfg = blank(127);
    cfg.LogicBlocks[0][3] = 0x04;
    cfg.DescText[0] = std::string(120, '\n') + "end";
    RecordingSurface s;
    PrintJob job(s);
    ASSERT_EQ(PrintLogicReport(job, inputFor(cfg)), ReportOutcome::Printed);
    EXPECT_TRUE(s.find("end"));
    EXPECT_GE(s.page, 4);
    ExpectInsideFrame(s.items);
    ExpectNoOverlaps(s.items);
}

TEST(SmsReport, numbersDialOutAndDialIn) {
    Configuration cfg = blank(127);
    cfg.SysData[kSysEventSms] = 1;
    cfg.SysData[kSysDialOutMethod] = 1;
    cfg.SysData[kSysSmsResponseTime] = 5;
    cfg.SysData[kSysDialInPassword] = 1;
    cfg.SysData[kSysDialInSafety] = 1;
    for (int i = 0; i < 9; ++i)
        cfg.SmsText[i] = "+45" + std::to_string(i);
    cfg.SmsText[4] = ""; // an empty first dial-in number keeps its place
    cfg.SmsIdText = "Villa";
    RecordingSurface s;
    PrintJob job(s);
    ASSERT_EQ(PrintSmsReport(job, inputFor(cfg)), ReportOutcome::Printed);
    EXPECT_EQ(s.page, 1);
    // Label and value stand on one line: label, then value.
    const std::pair<std::string, std::string> beside[] = {{T(214), T(216)}, {T(317), "5 " + T(61)}, {T(319), "Villa"}};
    for (const auto& [label, value] : beside) {
        const Drawn* l = s.find(label);
        const Drawn* v = s.find(value);
        ASSERT_TRUE(l && v) << label;
        EXPECT_DOUBLE_EQ(l->y, v->y) << label;
        EXPECT_LT(l->right, v->x) << label;
    }
    for (const std::string& t :
         std::vector<std::string>{"ZEB1 " + T(210), T(211), T(213), T(212), "+458", T(300) + ":  1"})
        EXPECT_TRUE(s.find(t)) << t;
    // Both lists numbered 1..4, the dial-in list below the telephone numbers.
    std::vector<std::string> numbered;
    for (const Drawn& d : s.texts())
        if (d.text.size() >= 4 && d.text.substr(1, 3) == " : ")
            numbered.push_back(d.text);
    EXPECT_EQ(numbered, (std::vector<std::string>{"1 : +450", "2 : +451", "3 : +452", "4 : +453", "1 : ", "2 : +455",
                                                  "3 : +456", "4 : +457"}));

    cfg.SysData[kSysDialOutMethod] = 0;
    cfg.SysData[kSysDialInSafety] = 0;
    RecordingSurface s2;
    PrintJob job2(s2);
    ASSERT_EQ(PrintSmsReport(job2, inputFor(cfg)), ReportOutcome::Printed);
    EXPECT_TRUE(s2.find(T(215)));
    EXPECT_FALSE(s2.find(T(317)));
    EXPECT_FALSE(s2.find("2 : +455"));
    ExpectInsideFrame(s2.items);
    ExpectNoOverlaps(s2.items);
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
    Configuration cfg = blank(127);
    makeRealTime(cfg, 3);
    cfg.LogicBlocks[5][3] = 0x08;
    const std::vector<ReportKind> all = ReportsWithContent(cfg);
    EXPECT_EQ(all, (std::vector<ReportKind>{ReportKind::ChannelList, ReportKind::RealTime, ReportKind::Logic}));
    RecordingSurface s;
    PrintJob job(s);
    ASSERT_EQ(PrintReports(job, inputFor(cfg), all), ReportOutcome::Printed);
    std::vector<std::string> pageTexts;
    for (const Drawn& d : s.texts())
        if (d.text.rfind(T(300) + ":", 0) == 0)
            pageTexts.push_back(std::to_string(d.page) + d.text.substr(T(300).size()));
    EXPECT_EQ(pageTexts, (std::vector<std::string>{"1:  1", "2:  2", "3:  3", "4:  4", "5:  1", "6:  1", "7:  2"}));

    RecordingSurface empty;
    PrintJob none(empty);
    EXPECT_EQ(PrintReports(none, inputFor(blank()), {ReportKind::Master, ReportKind::Sms}),
              ReportOutcome::NothingToPrint);
    EXPECT_EQ(none.pages(), 0);

    RecordingSurface refusing;
    refusing.refuseFromPage = 2;
    PrintJob failing(refusing);
    EXPECT_EQ(PrintReports(failing, inputFor(cfg), all), ReportOutcome::Failed);
    EXPECT_EQ(refusing.page, 1);
}
