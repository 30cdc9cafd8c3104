// The File menu's commands without a window: the recent list and the holiday periods of New and Open.

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/file_commands.h"
#include "app/spreadsheet_commands.h"
#include "io/config_file.h"
#include "model/calendar.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/workspace_setup.h"

using namespace korvane;
using namespace korvane::test;

namespace {

class FileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int n = 0; n <= kLanguageTextCount; ++n)
            ws.LangText[static_cast<std::size_t>(n)] = QStringLiteral("T%1").arg(n);
    }
    QString zeb(const char* name) { return dir.path() + QLatin1Char('/') + QLatin1String(name); }

    QTemporaryDir dir;
    std::unique_ptr<Settings> settings = std::make_unique<Settings>(dir.path() + QStringLiteral("/s.ini"));
    Workspace ws;
    ScriptedDialogs dialogs;
    AppContext ctx{ws, *settings, dialogs};
    FileCommands files{ctx, nullptr};
};

TEST_F(FileCommandsTest, recentFilesReorderAndAreStored) {
    struct Case {
        QString opened;
        std::array<QString, 4> after;
    };
    ws.RecentFiles = {"/d/1.zeb", "/d/2.zeb", "/d/3.zeb", "/d/4.zeb"};
    const Case cases[] = {
        {"/d/1.zeb", {"/d/1.zeb", "/d/2.zeb", "/d/3.zeb", "/d/4.zeb"}},
        {"/d/2.zeb", {"/d/2.zeb", "/d/1.zeb", "/d/3.zeb", "/d/4.zeb"}},
        {"/d/3.zeb", {"/d/3.zeb", "/d/2.zeb", "/d/1.zeb", "/d/4.zeb"}},
        {"/d/4.zeb", {"/d/4.zeb", "/d/3.zeb", "/d/2.zeb", "/d/1.zeb"}},
        {"/d/5.zeb", {"/d/5.zeb", "/d/4.zeb", "/d/3.zeb", "/d/2.zeb"}},
        {"/d/5.ZEB", {"/d/5.ZEB", "/d/5.zeb", "/d/4.zeb", "/d/3.zeb"}},
    };
    for (const Case& c : cases) {
        files.rememberRecent(c.opened);
        EXPECT_EQ(ws.RecentFiles, c.after) << c.opened.toStdString();
        EXPECT_EQ(settings->value("File1"), c.after[0]);
        EXPECT_EQ(settings->value("File4"), c.after[3]);
    }
}

} // namespace

TEST_F(FileCommandsTest, newFreesEveryHolidayPeriodAndOpenKeepsAFilesPeriods) {
    const auto usePeriod = [](Configuration& cfg, int period, int month) {
        for (int part = 0; part < kHolidayBytes; ++part)
            cfg.SysData[HolidayByte(period, part)] = static_cast<Byte>(part % 2 == 0 ? month : 1);
    };
    for (int period : {0, 8, 15})
        usePeriod(ConfigurationForSetUp(ws), period, 3);
    ConfigurationForSetUp(ws).SysData[kSysClearedBytes] = 77; // above the holidays: kept by New
    ws.setDataChanged(false);
    ASSERT_TRUE(files.newConfiguration());
    for (int period = 0; period < kSysHolidayCount; ++period)
        EXPECT_FALSE(HolidayInUse(ws.cfg, period)) << "period " << period + 1 << " after New";
    EXPECT_EQ(ws.cfg.SysData[kSysClearedBytes], 77);

    Configuration withPeriod12 = ws.cfg;
    usePeriod(withPeriod12, 11, 12);
    ASSERT_TRUE(SaveFile(withPeriod12, zeb("holidays.zeb").toStdString()).ok());
    ASSERT_TRUE(files.openPath(zeb("holidays.zeb")));
    for (int period = 0; period < kSysHolidayCount; ++period)
        EXPECT_EQ(HolidayInUse(ws.cfg, period), period == 11) << "period " << period + 1 << " after Open";
    EXPECT_EQ(ws.cfg.SysData[HolidayByte(11, kHolidayFirstMonth)], 12);
}

// File > Import descriptions: the changes and the lines it cannot read in one question; No changes
// nothing, Yes changes exactly the edited descriptions as one undo step.
TEST_F(FileCommandsTest, importDescriptionsAsksOnceAndAppliesAsOneUndoStep) {
    Configuration& cfg = ConfigurationForSetUp(ws);
    cfg.ChanText[0] = "Door";
    cfg.ChanText[1] = "Hall";
    cfg.ChanText[2] = "Kitchen";
    ws.setDataChanged(false);
    const Configuration before = ws.cfg;
    const QString csv = zeb("sheet.csv");
    {
        QFile f(csv);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\xEF\xBB\xBFT252;T640;T38;T253\r\nA1;Mono;Door;\r\nA2;Mono;\"Hall; K\xC3\xBC"
                "che\r\nfirst floor\";\r\nZ7;x;y;\r\nA3;Mono;Larder;\r\n");
    }
    SpreadsheetCommands sheets{ctx, nullptr};
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        dialogs.files.push_back(csv);
        dialogs.answers.push_back(answer);
        EXPECT_EQ(sheets.importDescriptions(), answer == Answer::Yes);
        ASSERT_FALSE(dialogs.shown.empty());
        const QString question = dialogs.shown.back().text;
        EXPECT_TRUE(question.contains(QStringLiteral("A2")) && question.contains(QStringLiteral("A3")) &&
                    !question.contains(QStringLiteral("A1")))
            << question.toStdString();
        // The line with no channel, under its heading.
        EXPECT_TRUE(question.contains(QStringLiteral("T650\nT644"))) << question.toStdString();
        if (answer == Answer::No) {
            EXPECT_EQ(ws.cfg.ChanText, before.ChanText);
            EXPECT_FALSE(ws.canUndo());
        }
    }
    EXPECT_EQ(ws.cfg.ChanText[0], "Door");
    EXPECT_EQ(ws.cfg.ChanText[1], "Hall; K\xFC"
                                  "che\r\nfirst floor");
    EXPECT_EQ(ws.cfg.ChanText[2], "Larder");
    EXPECT_TRUE(ws.dataChanged());
    ws.undo();
    EXPECT_EQ(ws.cfg.ChanText, before.ChanText);
    EXPECT_FALSE(ws.canUndo());
    EXPECT_EQ(dialogs.unexpected, 0);
}
