#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTest>
#include <sys/stat.h>

#include "model/channel_types.h"
#include "model/logic.h"
#include "tests/support/program_fixture.h"
#include "ui/main/channel_cell.h"

using namespace korvane;
using namespace korvane::test;

namespace {

class MainWindowTest : public StartedProgramFixture {
protected:
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(&main(), k, mods); }
    int type(int c) { return ws().typeOf(c); }
    QString zeb(const char* name) { return tempPath(QLatin1String(name)); }
};

} // namespace

TEST_F(MainWindowTest, typeKeysSetTheTypeAndMoveRight) {
    for (int k = 0; k < 3; ++k)
        key(Qt::Key_I);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(type(c), c < 3 ? kTypeIntruderPassive : kTypeBlank) << c;
    EXPECT_EQ(ws().curChannel(), 3);
    EXPECT_TRUE(main().cell(3)->bordered());
    EXPECT_FALSE(main().cell(0)->bordered());
    EXPECT_TRUE(ws().dataChanged());
    // Keypad zero and the main zero both make a mono channel; the letters are fixed keys.
    QTest::keyClick(&main(), Qt::Key_0, Qt::KeypadModifier);
    key(Qt::Key_S);
    EXPECT_EQ(type(3), kTypeMono);
    EXPECT_EQ(type(4), kTypeSmokePassive);
    EXPECT_EQ(main().cell(4)->pictureType(), kTypeSmokePassive);
}

// Every cursor rule is a row of the MatrixCursor table; here the keys reach it, cells hide and beeps sound.
TEST_F(MainWindowTest, cursorKeysSkipHiddenChannelsAndBeepAtTheEdges) {
    ws().cfg.SysData[kSysChannelsInUse] = 63;
    ws().announceReplaced();
    ws().changeChannelType(2, kTypeRoller); // A4 is hidden and never landed on
    for (auto [c, visible] : {std::pair{63, true}, {64, false}, {3, false}})
        EXPECT_EQ(main().cell(c)->isVisibleTo(&main()), visible) << c;
    ws().setCurChannel(2);
    const std::tuple<Qt::Key, int, int> steps[] = {// key, channel afterwards, beeps so far
                                                   {Qt::Key_Right, 4, 0}, {Qt::Key_Left, 2, 0}, {Qt::Key_End, 63, 0},
                                                   {Qt::Key_Down, 63, 1}, {Qt::Key_Up, 55, 1},  {Qt::Key_Home, 0, 1},
                                                   {Qt::Key_Left, 0, 2}};
    for (auto [k, channel, beeps] : steps) {
        key(k);
        EXPECT_EQ(ws().curChannel(), channel) << k;
        EXPECT_EQ(dialogs.beeps, beeps) << k;
    }
}

TEST_F(MainWindowTest, claimedChannelsOnlyMoveAndOfferNoPopup) {
    ws().cfg.ChanSetup[5][kRowType] = kTypeMuxClaim;
    ws().announceReplaced();
    ws().setCurChannel(5);
    key(Qt::Key_I);
    EXPECT_EQ(type(5), kTypeMuxClaim);
    EXPECT_EQ(ws().curChannel(), 6);
    EXPECT_FALSE(ws().dataChanged());
    QTest::mouseClick(main().cell(5), Qt::RightButton);
    EXPECT_FALSE(main().channelTypePopup()->isVisible());
    EXPECT_EQ(editor().currentPage(), QStringLiteral("Frame_Welcome")); // a right click opens no page
    // A normal channel offers the pop-up with the roller entries only on even channels.
    QTest::mouseClick(main().cell(9), Qt::RightButton);
    EXPECT_TRUE(main().channelTypePopup()->isVisible());
    EXPECT_FALSE(act("PopUp_ChannelType_31")->isEnabled());
    main().channelTypePopup()->hide();
    QTest::mouseClick(main().cell(8), Qt::RightButton);
    EXPECT_TRUE(act("PopUp_ChannelType_31")->isEnabled());
    act("PopUp_ChannelType_31")->trigger();
    main().channelTypePopup()->hide();
    EXPECT_EQ(type(8), kTypeRoller);
    EXPECT_EQ(type(9), kTypeRollerSecond);
    EXPECT_TRUE(ws().dataChanged());
}

TEST_F(MainWindowTest, aModifiedClickOnlyShowsShiftClik) {
    QTest::mouseClick(main().cell(12), Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Shift clik"));
    EXPECT_EQ(ws().curChannel(), 0);
    QTest::mouseClick(main().cell(12), Qt::LeftButton);
    EXPECT_EQ(ws().curChannel(), 12);
    EXPECT_TRUE(editor().isVisible());
    EXPECT_EQ(editor().currentPage(), QStringLiteral("Frame_BasicChtype_Setup"));
    EXPECT_EQ(editor().windowTitle(), QStringLiteral("B5   D101"));
}

TEST_F(MainWindowTest, tooltipsNameTheChannelTypeDescriptionAndLogicMark) {
    ws().changeChannelType(10, kTypeIntruderPassive);
    ws().cfg.ChanText[10] = "Door \xE6";
    ws().cfg.LogicBlocks[0] = {10, 1, 2, 4};
    ws().announceReplaced();
    EXPECT_EQ(main().cell(10)->toolTip(), QStringLiteral("!! B3: D108 >> Door æ"));
    EXPECT_EQ(main().cell(11)->toolTip(), QStringLiteral("B4: D101"));
}

TEST_F(MainWindowTest, ctrlShortcutsFollowTheMenuAndAltXExits) {
    ws().cfg.SysData[kSysEventSms] = 0;
    ws().cfg.SysData[kSysDeviceNo] = 3;
    main().Update_Form_Elements();
    EXPECT_FALSE(act("Menu_Edit_ExchangeMask")->isEnabled());
    EXPECT_FALSE(act("Menu_Edit_SMS_Setup")->isEnabled());
    key(Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(editor().pageKey(), QStringLiteral("mainsetup"));
    key(Qt::Key_D, Qt::ControlModifier); // disabled entry: nothing happens
    EXPECT_EQ(editor().pageKey(), QStringLiteral("mainsetup"));
    key(Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(editor().pageKey(), QStringLiteral("logic"));
    bool exited = false;
    QObject::connect(&main(), &MainWindow::exitRequested, [&] { exited = true; });
    dialogs.answers = {Answer::No};
    key(Qt::Key_X, Qt::AltModifier);
    EXPECT_FALSE(exited);
    dialogs.answers = {Answer::Yes};
    key(Qt::Key_X, Qt::AltModifier);
    EXPECT_TRUE(exited);
}

TEST_F(MainWindowTest, recentFileEntriesShowOnlyTheFileName) {
    ws().RecentFiles = {"C:\\Data\\house.zeb", "nofolder.zeb", "", "/a"};
    main().RefreshFileList(QString(), true);
    const std::pair<QString, bool> shown[] = {
        {"1 house.zeb", true}, {"2 nofolder.zeb", false}, {"3 ", false}, {"4 /a", false}};
    for (int k = 0; k < 4; ++k) {
        QAction* a = act(QStringLiteral("Load_fileno_%1").arg(k + 1));
        EXPECT_EQ(a->text(), shown[k].first) << k;
        EXPECT_EQ(a->isEnabled(), shown[k].second) << k;
    }
}

TEST_F(MainWindowTest, saveReopenFromTheRecentListAndKeepTheModelOnAMissingFile) {
    key(Qt::Key_M);
    ws().cfg.ChanText[0] = "Hall";
    dialogs.files = {zeb("house.zeb")};
    main().M_File_Save_Click();
    ASSERT_TRUE(QFile::exists(zeb("house.zeb")));
    EXPECT_FALSE(ws().dataChanged());
    EXPECT_EQ(main().windowTitle(), QStringLiteral("ZEB1 [house.zeb]"));
    EXPECT_EQ(ws().RecentFiles[0], zeb("house.zeb"));

    main().M_File_New_Click(); // unchanged: no question
    EXPECT_EQ(type(0), kTypeBlank);
    EXPECT_EQ(main().windowTitle(), QStringLiteral("ZEB1 [New]"));
    main().Load_fileno_Click(1);
    EXPECT_EQ(type(0), kTypeMaster);
    EXPECT_EQ(ws().cfg.ChanText[0], "Hall");
    EXPECT_EQ(main().windowTitle(), QStringLiteral("ZEB1 [house.zeb]"));
    EXPECT_FALSE(ws().dataChanged());

    // A recent file that is gone is reported; the configuration and title stay.
    QFile::remove(zeb("house.zeb"));
    key(Qt::Key_Right);
    key(Qt::Key_I);
    dialogs.shown.clear();
    dialogs.answers = {Answer::No}; // do not save first
    main().Load_fileno_Click(1);
    EXPECT_EQ(type(1), kTypeIntruderPassive);
    EXPECT_EQ(main().windowTitle(), QStringLiteral("ZEB1 [house.zeb]"));
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_TRUE(dialogs.shown[1].text.contains(QStringLiteral("house.zeb")));
}

TEST_F(MainWindowTest, openingAFileOfAnotherProgramGivesTextOneSeventyOneAndABlankConfiguration) {
    QFile f(zeb("other.zeb"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\"OTHER\",\"1.0\"\r\n");
    f.close();
    key(Qt::Key_I);
    ws().setDataChanged(false);
    dialogs.files = {zeb("other.zeb")};
    main().M_File_Open_Click();
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().text, QStringLiteral("D171"));
    EXPECT_EQ(type(0), kTypeBlank);
    EXPECT_EQ(main().windowTitle(), QStringLiteral("ZEB1 [New]"));
}

TEST_F(MainWindowTest, aFifoWithNoProgramAtItsOtherEndFailsOpenAndSaveAsInsteadOfHanging) {
    const QString fifo = zeb("pipe.zeb");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    key(Qt::Key_I);
    struct Case {
        const char* what;
        void (MainWindow::*command)();
        QString message; // the start of the message
        QString reason;
    };
    const Case cases[] = {
        {"Open", &MainWindow::M_File_Open_Click, QStringLiteral("D377"), QStringLiteral("no program writes to it")},
        {"Save as", &MainWindow::M_File_SaveAs_Click, QStringLiteral("D376"), QStringLiteral("no program reads from")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.shown.clear();
        dialogs.answers = {Answer::No}; // Open: do not save first
        dialogs.files = {fifo};
        (main().*c.command)();
        ASSERT_FALSE(dialogs.shown.empty());
        const QString said = dialogs.shown.back().text;
        EXPECT_TRUE(said.startsWith(c.message) && said.contains(c.reason)) << said.toStdString();
        EXPECT_EQ(type(0), kTypeIntruderPassive);
        EXPECT_TRUE(ws().dataChanged());
        EXPECT_EQ(main().windowTitle(), QStringLiteral("ZEB1 [New]"));
        EXPECT_FALSE(QFileInfo(fifo).isFile()) << "the FIFO stays";
    }
}

TEST_F(MainWindowTest, saveFirstThenCancelAbandonsNew) {
    key(Qt::Key_I);
    dialogs.answers = {Answer::Yes};
    dialogs.files = {std::nullopt};
    main().M_File_New_Click();
    EXPECT_EQ(type(0), kTypeIntruderPassive);
    EXPECT_TRUE(ws().dataChanged());
}

TEST_F(MainWindowTest, theBorderLeavesHiddenCellsAndTheEditorFollowsTheMatrix) {
    ws().changeChannelType(2, kTypeRoller);
    ws().setCurChannel(3); // as a load may leave it
    ws().announceReplaced();
    EXPECT_EQ(ws().curChannel(), 2);
    EXPECT_TRUE(main().cell(2)->bordered());

    QTest::mouseClick(main().cell(12), Qt::LeftButton);
    EXPECT_EQ(editor().windowTitle(), QStringLiteral("B5   D101"));
    ws().setCurChannel(12);
    key(Qt::Key_I); // B5 becomes an intruder and the border moves on to B6
    EXPECT_EQ(editor().windowTitle(), QStringLiteral("B6   D101"));
    key(Qt::Key_Left);
    EXPECT_EQ(editor().windowTitle(), QStringLiteral("B5   D108"));
}
