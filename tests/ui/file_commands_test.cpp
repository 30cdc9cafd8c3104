// The File menu's commands without a window: the recent list and the holiday periods of New and Open.

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/file_commands.h"
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
