#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>
#include <sys/stat.h>

#include "io/config_file.h"
#include "model/channel_types.h"
#include "tests/support/program_fixture.h"
#include "ui/main/channel_cell.h"
#include "ui/transfer/frm_serial_io.h"

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
    // Keypad zero and the main zero both make a mono channel; the letters are fixed keys.
    const std::pair<QKeyCombination, int> keys[] = {{Qt::Key_I, kTypeIntruderPassive},
                                                    {Qt::KeypadModifier | Qt::Key_0, kTypeMono},
                                                    {Qt::Key_0, kTypeMono},
                                                    {Qt::Key_S, kTypeSmokePassive}};
    for (int c = 0; c < 4; ++c) {
        QTest::keyClick(&main(), keys[c].first.key(), keys[c].first.keyboardModifiers());
        EXPECT_EQ(type(c), keys[c].second) << c;
        EXPECT_EQ(main().cell(c)->pictureType(), keys[c].second) << c;
    }
    EXPECT_EQ(type(4), kTypeBlank);
    EXPECT_EQ(ws().curChannel(), 4);
    EXPECT_TRUE(main().cell(4)->bordered());
    EXPECT_FALSE(main().cell(0)->bordered());
    EXPECT_TRUE(ws().dataChanged());
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

// A plain click opens the channel's page and the editor follows the matrix; a modified one only
// shows its fixed message. The border leaves a channel that a pair hides.
TEST_F(MainWindowTest, aClickOpensTheChannelAndTheEditorFollowsTheMatrix) {
    QTest::mouseClick(main().cell(12), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Shift clik")});
    EXPECT_EQ(ws().curChannel(), 0);
    QTest::mouseClick(main().cell(12), Qt::LeftButton);
    EXPECT_EQ(ws().curChannel(), 12);
    EXPECT_TRUE(editor().isVisible());
    EXPECT_EQ(editor().currentPage(), QStringLiteral("Frame_BasicChtype_Setup"));
    EXPECT_EQ(editor().windowTitle(), QStringLiteral("B5   D101"));
    key(Qt::Key_I); // B5 becomes an intruder and the border moves on to B6
    EXPECT_EQ(editor().windowTitle(), QStringLiteral("B6   D101"));
    key(Qt::Key_Left);
    EXPECT_EQ(editor().windowTitle(), QStringLiteral("B5   D108"));

    ws().changeChannelType(2, kTypeRoller);
    ws().setCurChannel(3); // as a load may leave it
    ws().announceReplaced();
    EXPECT_EQ(ws().curChannel(), 2);
    EXPECT_TRUE(main().cell(2)->bordered());
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
    dialogs.answers = {Answer::Discard}; // do not save first
    main().Load_fileno_Click(1);
    EXPECT_EQ(type(1), kTypeIntruderPassive);
    EXPECT_EQ(main().windowTitle(), QStringLiteral("ZEB1 [house.zeb]"));
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_TRUE(dialogs.shown[1].text.contains(QStringLiteral("house.zeb")));
}

// The real question box, answered by a key or by closing it as soon as it shows. Whatever stays open
// afterwards is closed with Save, so that the test fails on the file instead of waiting.
Answer realSaveQuestion(const SaveChoiceTexts& texts, bool close, QStringList& captions) {
    QTimer::singleShot(0, [close, &captions] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (auto b : {QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel})
            captions << box->button(b)->text();
        if (close)
            box->close();
        else
            QTest::keyClick(box, Qt::Key_Escape);
        if (box->isVisible())
            box->done(QMessageBox::Save);
    });
    return QtDialogs().askSave(nullptr, QStringLiteral("?"), texts);
}

// Every "save the changes first?" question (New, Open, a recent file, Read, Exit, a file handed over by
// a second start) offers Save, Don't save and Cancel. Only Save with a saved file and Don't save let
// the command go on; Cancel, Escape, closing the box, a cancelled save dialog and a failing save leave
// the configuration, its changes and the file as they were.
TEST_F(MainWindowTest, saveQuestionsNeverLoseTheChanges) {
    Configuration other;
    EditState otherState;
    ClearConfiguration(other, otherState);
    other.ChanSetup[0][kRowType] = kTypeWaterPassive;
    ASSERT_TRUE(korvane::SaveFile(other, LocalPath(zeb("other.zeb"))).ok());
    const QString saved = zeb("saved.zeb");
    const QString failing = zeb("no such folder/saved.zeb");
    bool exited = false;
    QObject::connect(&main(), &MainWindow::exitRequested, [&] { exited = true; });
    auto transfer = [this] { return main().findChild<FrmSerialIO*>(); };
    auto replaced = [this] { return type(0) == kTypeWaterPassive; };
    const QStringList buttonTexts = {QStringLiteral("D352"), QStringLiteral("D353"), QStringLiteral("D174")};

    struct Command {
        const char* what;
        int question;
        std::function<void()> run;
        std::function<bool()> wentOn;
        bool opens; // asks for the file to open once the question let it go on
    };
    const Command commands[] = {
        {"New", 167, [this] { act("M_File_New")->trigger(); }, [this] { return type(0) == kTypeBlank; }, false},
        {"Open", 168, [this] { act("M_File_Open")->trigger(); }, replaced, true},
        {"recent file", 167, [this] { act("Load_fileno_1")->trigger(); }, replaced, false},
        {"Read", 168, [this] { act("M_File_Read")->trigger(); }, [&] { return transfer() != nullptr; }, false},
        {"Exit", 169, [this] { act("M_File_Exit")->trigger(); }, [&] { return exited; }, false},
        {"handed over", 168, [this] { main().openFromOutside(zeb("other.zeb")); }, replaced, false},
    };
    enum class Box { Scripted, Escape, Closed };
    struct Reply {
        const char* what;
        Box box;
        std::optional<Answer> answer;
        std::optional<QString> saveAs; // the save dialog's answer, when Save asks for it
        bool goesOn;
    };
    const Reply replies[] = {
        {"Save", Box::Scripted, Answer::Save, saved, true},
        {"Don't save", Box::Scripted, Answer::Discard, std::nullopt, true},
        {"Cancel", Box::Scripted, Answer::Cancel, std::nullopt, false},
        {"Escape", Box::Escape, std::nullopt, std::nullopt, false},
        {"box closed", Box::Closed, std::nullopt, std::nullopt, false},
        {"save dialog cancelled", Box::Scripted, Answer::Save, QString(), false},
        {"save failing", Box::Scripted, Answer::Save, failing, false},
    };
    for (const Command& c : commands) {
        for (const Reply& r : replies) {
            SCOPED_TRACE(std::string(c.what) + ", " + r.what);
            QFile::remove(saved);
            exited = false;
            ws().RecentFiles[0] = zeb("other.zeb");
            ws().clear();
            ws().setCurFileName(QStringLiteral("New"));
            ws().changeChannelType(0, kTypeIntruderPassive);
            ASSERT_TRUE(ws().dataChanged());
            const Configuration before = ws().cfg;
            dialogs = ScriptedDialogs(); // the program keeps its reference to the same object
            QStringList captions;
            if (r.answer)
                dialogs.answers.push_back(*r.answer);
            else
                dialogs.saveQuestion = [&](const SaveChoiceTexts& t) {
                    return realSaveQuestion(t, r.box == Box::Closed, captions);
                };
            if (r.saveAs)
                dialogs.files.push_back(r.saveAs->isEmpty() ? std::nullopt : std::optional<QString>(*r.saveAs));
            if (c.opens && r.goesOn)
                dialogs.files.push_back(zeb("other.zeb"));

            c.run();
            dialogs.saveQuestion = nullptr;

            ASSERT_FALSE(dialogs.shown.empty());
            EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("D%1").arg(c.question));
            EXPECT_EQ(dialogs.shown[0].buttons, Buttons::SaveDiscardCancel);
            const SaveChoiceTexts& b = dialogs.shown[0].saveButtons;
            EXPECT_EQ((QStringList{b.save, b.discard, b.cancel}), buttonTexts);
            if (r.box != Box::Scripted) {
                EXPECT_EQ(captions, buttonTexts);
            }
            EXPECT_EQ(c.wentOn(), r.goesOn);
            EXPECT_EQ(QFile::exists(saved), r.goesOn && r.answer == Answer::Save);
            EXPECT_FALSE(QFile::exists(failing));
            if (!r.goesOn) {
                EXPECT_TRUE(ws().cfg == before) << "the configuration changed";
                EXPECT_TRUE(ws().dataChanged());
            }
            if (QFile::exists(saved)) {
                Configuration file;
                ASSERT_TRUE(LoadFile(file, LocalPath(saved)).ok());
                EXPECT_EQ(file.ChanSetup[0][kRowType], kTypeIntruderPassive);
            }
            EXPECT_EQ(dialogs.unexpected, 0);
            delete transfer();
        }
    }
}

TEST_F(MainWindowTest, aFifoWithNoProgramAtItsOtherEndFailsOpenAndSaveAsInsteadOfHanging) {
    const QString fifo = zeb("pipe.zeb");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    key(Qt::Key_I);
    // The command, the start of its message and the reason the message gives.
    const std::tuple<const char*, void (MainWindow::*)(), const char*, const char*> cases[] = {
        {"Open", &MainWindow::M_File_Open_Click, "D377", "no program writes to it"},
        {"Save as", &MainWindow::M_File_SaveAs_Click, "D376", "no program reads from"},
    };
    for (const auto& [what, command, message, reason] : cases) {
        SCOPED_TRACE(what);
        dialogs.shown.clear();
        dialogs.answers = {Answer::Discard}; // Open: do not save first
        dialogs.files = {fifo};
        (main().*command)();
        ASSERT_FALSE(dialogs.shown.empty());
        const QString said = dialogs.shown.back().text;
        EXPECT_TRUE(said.startsWith(QLatin1String(message)) && said.contains(QLatin1String(reason)))
            << said.toStdString();
        EXPECT_EQ(type(0), kTypeIntruderPassive);
        EXPECT_TRUE(ws().dataChanged());
        EXPECT_EQ(main().windowTitle(), QStringLiteral("ZEB1 [New]"));
        EXPECT_FALSE(QFileInfo(fifo).isFile()) << "the FIFO stays";
    }
}
