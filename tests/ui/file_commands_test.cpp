// The File menu's commands without a window: the exit question and the recent list, answered by
// scripted dialogs.

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/file_commands.h"
#include "tests/support/scripted_dialogs.h"

using namespace korvane;
using namespace korvane::test;

namespace {

class FileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int n = 0; n <= kLanguageTextCount; ++n)
            ws.LangText[static_cast<std::size_t>(n)] = QStringLiteral("T%1").arg(n);
    }

    QTemporaryDir dir;
    std::unique_ptr<Settings> settings = std::make_unique<Settings>(dir.path() + QStringLiteral("/s.ini"));
    Workspace ws;
    ScriptedDialogs dialogs;
    AppContext ctx{ws, *settings, dialogs};
    FileCommands files{ctx, nullptr};
};

// With changes Exit asks the save question (main_window_test: saveQuestionsNeverLoseTheChanges);
// without, only whether to exit.
TEST_F(FileCommandsTest, exitWithoutChangesAsksOnlyWhetherToExit) {
    for (const auto& [answer, mayEnd] : {std::pair{Answer::Yes, true}, {Answer::No, false}}) {
        ws.setDataChanged(false);
        dialogs.answers = {answer};
        dialogs.shown.clear();
        EXPECT_EQ(files.Afslutprogram(), mayEnd);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("T170"));
        EXPECT_EQ(dialogs.shown[0].buttons, Buttons::YesNo);
        EXPECT_EQ(dialogs.unexpected, 0);
    }
}

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
