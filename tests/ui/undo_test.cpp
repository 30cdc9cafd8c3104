#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "model/channel_types.h"
#include "model/master.h"
#include "sim/simulated_link.h"
#include "tests/support/io_test_support.h"
#include "tests/support/program_fixture.h"
#include "ui/editor/pages/master_page.h"
#include "ui/main/channel_cell.h"
#include "ui/transfer/frm_serial_io.h"

using namespace korvane;
using namespace korvane::test;

namespace {

constexpr int kMaster = 5;
constexpr int kB3 = 10;

class UndoTest : public StartedProgramFixture {
protected:
    void undoKey() { QTest::keyClick(&main(), Qt::Key_Z, Qt::ControlModifier); }
    void redoKey() { QTest::keyClick(&main(), Qt::Key_Y, Qt::ControlModifier); }
    void redoShiftKey() { QTest::keyClick(&main(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
    // The configuration as it is now counts as the one in its file, with nothing to undo.
    void startClean() {
        ws().forgetHistory(true);
        ws().setDataChanged(false);
    }
    int popupIndex(int type) {
        for (const PopupEntry& e : ChannelTypePopup())
            if (e.type == type)
                return e.index;
        ADD_FAILURE() << "no pop-up entry for type " << type;
        return 0;
    }
    QString lineText(const char* name) { return child<QLineEdit>(QLatin1String(name))->text(); }
    int gridPicture(int t) { return editor().masterPage()->cell(t)->picture(); }
};

// One kind of edit: what is set up first (not an edit of the user), the edit itself, how many undo
// steps it makes, and what the windows must show before it (false) and after it (true).
struct StepCase {
    const char* what;
    std::function<void()> setUp;
    std::function<void()> edit;
    int steps;
    std::function<QString()> shown;
};

} // namespace

TEST_F(UndoTest, everyKindOfEditIsUndoneAndRedoneToTheByte) {
    const StepCase cases[] = {
        {"a number typed into a field", [this] { act("Menu_Edit_Basic_Setup")->trigger(); },
         [this] {
             auto* dev = child<QLineEdit>("T_DeviceNo");
             focus(dev);
             QTest::keyClick(dev, Qt::Key_4);
             QTest::keyClick(dev, Qt::Key_2);
         },
         1, [this] { return lineText("T_DeviceNo"); }},
        {"a description typed letter by letter", [this] { QTest::mouseClick(main().cell(0), Qt::LeftButton); },
         [this] {
             auto* text = child<QLineEdit>("TextBeskriv");
             focus(text);
             QTest::keyClicks(text, QStringLiteral("Hall"));
         },
         1, [this] { return lineText("TextBeskriv") + QLatin1Char('|') + main().cell(0)->toolTip(); }},
        {"the system description over two lines", [this] { act("Menu_Edit_Basic_Setup")->trigger(); },
         [this] {
             auto* box = child<QPlainTextEdit>("T_generelBeskriv");
             focus(box);
             QTest::keyClicks(box, QStringLiteral("Villa"));
             QTest::keyClick(box, Qt::Key_Return);
             QTest::keyClicks(box, QStringLiteral("Nord"));
         },
         1, [this] { return child<QPlainTextEdit>("T_generelBeskriv")->toPlainText(); }},
        {"a type key in the matrix", nullptr,
         [this] {
             focus(&main());
             QTest::keyClick(&main(), Qt::Key_I);
         },
         1, [this] { return main().cell(0)->toolTip(); }},
        {"a type from the pop-up replaces the row",
         [this] {
             ws().setCurChannel(3);
             ws().changeChannelType(3, kTypeTimerDelay);
             ws().change([](Configuration& cfg) { cfg.ChanSetup[3][5] = 77; });
         },
         [this] { main().PopUp_ChannelType_Click(popupIndex(kTypeMono)); }, 1,
         [this] { return main().cell(3)->toolTip(); }},
        {"a roller blind takes a second channel",
         [this] {
             ws().setCurChannel(6);
             ws().changeChannelType(7, kTypeSmokePassive);
         },
         [this] { main().PopUp_ChannelType_Click(popupIndex(kTypeRoller)); }, 1,
         [this] { return QString::number(main().cell(7)->isVisible()) + main().cell(6)->toolTip(); }},
        {"a claim changes every claimed channel",
         [this] {
             ws().changeChannelType(2, kTypeIntruderPassive);
             act("Menu_Edit_Basic_Setup")->trigger();
             focus(child("Combo_MuxCount"));
         },
         [this] { emit child<QComboBox>("Combo_MuxCount")->activated(2); }, 1,
         [this] {
             return child<QComboBox>("Combo_MuxCount")->currentText() + QString::number(main().cell(2)->pictureType());
         }},
        {"a list hides channels", [this] { act("Menu_Edit_Basic_Setup")->trigger(); },
         [this] {
             auto* channels = child<QComboBox>("Combo_NoChannels");
             emit channels->activated(channels->findText(QStringLiteral("64")));
         },
         1, [this] { return QString::number(main().cell(100)->isVisible()); }},
        {"a check box", [this] { act("Menu_Edit_Basic_Setup")->trigger(); },
         [this] { QTest::mouseClick(child("C_AutoSumWin"), Qt::LeftButton, {}, QPoint(6, 6)); }, 1,
         [this] { return QString::number(child<QCheckBox>("C_AutoSumWin")->isChecked()); }},
        {"a grid cell clicked twice",
         [this] {
             ws().changeChannelType(kMaster, kTypeMaster);
             ws().changeChannelType(kB3, kTypeMono);
             QTest::mouseClick(main().cell(kMaster), Qt::LeftButton);
         },
         [this] {
             QTest::mouseClick(editor().masterPage()->cell(kB3), Qt::LeftButton);
             QTest::mouseClick(editor().masterPage()->cell(kB3), Qt::LeftButton);
         },
         2, [this] { return QString::number(gridPicture(kB3)); }},
        {"grid keys, one step per key",
         [this] {
             ws().changeChannelType(kMaster, kTypeMaster);
             ws().changeChannelType(kB3, kTypeMono);
             ws().changeChannelType(kB3 + 1, kTypeMono);
             QTest::mouseClick(main().cell(kMaster), Qt::LeftButton);
             ws().edit.MatrixCursor = kB3;
         },
         [this] {
             QWidget* keys = child("T_dummy");
             QTest::keyClick(keys, Qt::Key_1);
             QTest::keyClick(keys, Qt::Key_Right);
             QTest::keyClick(keys, Qt::Key_0);
         },
         2, [this] { return QString::number(gridPicture(kB3)) + QString::number(gridPicture(kB3 + 1)); }},
        {"a logic key", [this] { editor().openPage(QStringLiteral("logic")); },
         [this] {
             auto* op = child<QLineEdit>("T_logicOPR_0");
             focus(op);
             QTest::keyClick(op, Qt::Key_A);
         },
         1, [this] { return lineText("T_logicOPR_0"); }},
        {"day-set keys, one step per key",
         [this] {
             ws().changeChannelType(3, kTypeRealTime);
             QTest::mouseClick(main().cell(3), Qt::LeftButton);
         },
         [this] {
             auto* hour = child<QLineEdit>("HourOn_0");
             focus(hour);
             QTest::keyClick(hour, Qt::Key_0);
             QTest::keyClick(hour, Qt::Key_7);
         },
         2, [this] { return lineText("HourOn_0") + lineText("MinutOn_0"); }},
        {"holiday digits, with the period completed on leaving",
         [this] { editor().openPage(QStringLiteral("Holiday")); },
         [this] {
             auto* month = child<QLineEdit>("T_MonthStart_4");
             focus(month);
             QTest::keyClick(month, Qt::Key_1);
             QTest::keyClick(month, Qt::Key_2);
             focus(child("T_MonthStart_5"));
         },
         1, [this] { return lineText("T_MonthStart_4") + lineText("T_DateStart_4") + lineText("T_MonthEnd_4"); }},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.what);
        ws().clear();
        if (c.setUp)
            c.setUp();
        startClean();
        EXPECT_FALSE(act("M_Edit_Undo")->isEnabled());
        const Configuration before = ws().cfg;
        const QString shownBefore = c.shown();

        c.edit();
        const Configuration after = ws().cfg;
        const QString shownAfter = c.shown();
        ASSERT_FALSE(after == before);
        ASSERT_NE(shownAfter, shownBefore);
        EXPECT_EQ(ws().undoStack().count(), c.steps);
        EXPECT_TRUE(ws().dataChanged());
        EXPECT_TRUE(act("M_Edit_Undo")->isEnabled());
        EXPECT_FALSE(act("M_Edit_Redo")->isEnabled());

        for (int k = 0; k < c.steps; ++k)
            undoKey();
        EXPECT_TRUE(ws().cfg == before);
        EXPECT_EQ(c.shown(), shownBefore);
        EXPECT_FALSE(ws().dataChanged()); // back at the saved state
        EXPECT_FALSE(act("M_Edit_Undo")->isEnabled());
        EXPECT_TRUE(act("M_Edit_Redo")->isEnabled());

        for (int k = 0; k < c.steps; ++k)
            k % 2 ? redoShiftKey() : redoKey();
        EXPECT_TRUE(ws().cfg == after);
        EXPECT_EQ(c.shown(), shownAfter);
        EXPECT_TRUE(ws().dataChanged());
        EXPECT_FALSE(act("M_Edit_Redo")->isEnabled());
    }
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST_F(UndoTest, undoAndRedoKeepTheirKeysInEveryLanguage) {
    // The shipped languages' shortcut letters never take Z or Y (the language file tests hold them
    // to it); the menu shows the keys after each language's Ctrl name.
    for (int slot : {0, 1, 2}) {
        main().Menu_View_Sprog_Click(slot);
        const QString prefix = QString(QLatin1Char("EDK"[slot]));
        EXPECT_EQ(WithoutAccessKeyMark(act("M_Edit_Undo")->text()), prefix + QStringLiteral("388\tCtrl+Z"));
        EXPECT_EQ(WithoutAccessKeyMark(act("M_Edit_Redo")->text()), prefix + QStringLiteral("389\tCtrl+Y"));
    }
    // A shortcut letter of the language comes first: Z for Save in a language file makes Ctrl+Z save.
    WriteTextFile(tempPath("Zulu.dat"), {{330, "xx07300-0000"}, {331, "Zulu"}, {347, "Z"}});
    ws().LangFiles[0] = tempPath("Zulu.dat");
    main().Menu_View_Sprog_Click(0);
    focus(&main());
    QTest::keyClick(&main(), Qt::Key_I);
    dialogs.files = {tempPath("zulu.zeb")};
    undoKey();
    EXPECT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(ws().typeOf(0), kTypeIntruderPassive);
}

TEST_F(UndoTest, aRowTypedInTheMatrixIsUndoneOneLetterAtATime) {
    startClean();
    focus(&main());
    QTest::keyClicks(&main(), QStringLiteral("IWS"));
    EXPECT_EQ(ws().curChannel(), 3);
    const int typed[] = {ws().typeOf(0), ws().typeOf(1), ws().typeOf(2)};
    EXPECT_EQ(ws().undoStack().count(), 3);
    // Each undo takes the last letter back and puts the cursor on its channel.
    for (int c = 2; c >= 0; --c) {
        undoKey();
        EXPECT_EQ(ws().curChannel(), c);
        EXPECT_EQ(ws().typeOf(c), kTypeBlank) << c;
        if (c > 0) {
            EXPECT_EQ(ws().typeOf(c - 1), typed[c - 1]) << c;
        }
        EXPECT_EQ(main().cell(c)->pictureType(), kTypeBlank) << c;
    }
    EXPECT_FALSE(ws().dataChanged());
    redoKey();
    EXPECT_EQ(ws().typeOf(0), typed[0]);
    EXPECT_EQ(ws().typeOf(1), kTypeBlank);
    // A new edit after an undo drops what could have been redone.
    ws().setCurChannel(1);
    QTest::keyClick(&main(), Qt::Key_F);
    EXPECT_FALSE(ws().canRedo());
    EXPECT_EQ(ws().undoStack().count(), 2);
}

TEST_F(UndoTest, aFieldEntryEndsWhenTheFieldIsLeft) {
    act("Menu_Edit_Basic_Setup")->trigger();
    startClean();
    auto* dev = child<QLineEdit>("T_DeviceNo");
    auto* text = child<QPlainTextEdit>("T_generelBeskriv");
    // Two visits to the same field are two steps; the keys typed in one visit are one.
    focus(dev);
    typeKeys("12");
    focus(text);
    QTest::keyClicks(text, QStringLiteral("ab"));
    focus(dev);
    typeKeys("7");
    EXPECT_EQ(ws().undoStack().count(), 3);
    EXPECT_EQ(ws().cfg.SysData[kSysDeviceNo], 7);
    // Ctrl+Z in the editor: the main window takes the key, as it takes every Ctrl key.
    QTest::keyClick(dev, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ws().cfg.SysData[kSysDeviceNo], 12);
    EXPECT_EQ(dev->text(), QStringLiteral("12"));
    undoKey();
    EXPECT_EQ(ws().cfg.DescText[kGeneralDescription], "");
    EXPECT_EQ(text->toPlainText(), QString());
    // A new entry after an undo is a step of its own and drops what could have been redone.
    focus(dev);
    typeKeys("3");
    EXPECT_EQ(ws().undoStack().count(), 2);
    EXPECT_FALSE(ws().canRedo());
    undoKey();
    EXPECT_EQ(ws().cfg.SysData[kSysDeviceNo], 12);
    // An entry typed back to the value it started from is no step at all (5, 51, 1, 12).
    focus(dev);
    typeKeys("5112");
    EXPECT_EQ(ws().cfg.SysData[kSysDeviceNo], 12);
    EXPECT_EQ(ws().undoStack().count(), 1);
    EXPECT_FALSE(ws().canRedo());
}

TEST_F(UndoTest, whatLeavingAFieldSettlesIsUndoneWithTheEntry) {
    // A smoke alarm reset input whose reset time is typed through 1 on the way to 10; leaving the
    // field raises 1 to the minimum. Ctrl+Z in the field settles the entry, then undoes all of it,
    // and leaving the field afterwards settles nothing more: what was undone can be redone.
    ws().changeChannelType(4, kTypeSmokeReset);
    ws().change([](Configuration& cfg) { cfg.SysData[kSysSmokeResetTime] = 10; });
    QTest::mouseClick(main().cell(4), Qt::LeftButton);
    startClean();
    auto* reset = child<QLineEdit>(QString::fromUtf8("T_RøgReset"));
    focus(reset);
    QTest::keyClick(reset, Qt::Key_1);
    EXPECT_EQ(ws().cfg.SysData[kSysSmokeResetTime], 1);
    QTest::keyClick(reset, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ws().cfg.SysData[kSysSmokeResetTime], 10);
    EXPECT_EQ(reset->text(), QStringLiteral("10"));
    EXPECT_FALSE(ws().canUndo());
    EXPECT_FALSE(ws().dataChanged());
    focus(child("TextBeskriv"));
    EXPECT_TRUE(ws().canRedo());
    redoKey();
    EXPECT_EQ(ws().cfg.SysData[kSysSmokeResetTime], 2); // the entry as it was settled
    EXPECT_EQ(ws().undoStack().count(), 1);
}

TEST_F(UndoTest, theSavedStateFollowsSaveAndANewConfigurationForgetsTheSteps) {
    startClean();
    focus(&main());
    QTest::keyClicks(&main(), QStringLiteral("II"));
    dialogs.files = {tempPath("house.zeb")};
    act("M_File_SaveAs")->trigger();
    EXPECT_FALSE(ws().dataChanged());
    QTest::keyClick(&main(), Qt::Key_W);

    const int intruder = ws().typeOf(1);
    const int water = ws().typeOf(2);
    struct Move {
        bool undo; // or redo
        bool changed;
        bool b2, c3; // whether A2 and A3 hold their typed types
    };
    const Move moves[] = {
        {true, false, true, false},  // back at the saved state
        {true, true, false, false},  // before it
        {false, false, true, false}, // at it again
        {false, true, true, true},   // after it
    };
    for (const Move& m : moves) {
        m.undo ? undoKey() : redoKey();
        EXPECT_EQ(ws().dataChanged(), m.changed);
        EXPECT_EQ(ws().typeOf(1), m.b2 ? intruder : kTypeBlank);
        EXPECT_EQ(ws().typeOf(2), m.c3 ? water : kTypeBlank);
    }
    // The exit question follows: at the saved state it only asks whether to exit.
    undoKey();
    dialogs.answers = {Answer::No};
    act("M_File_Exit")->trigger();
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().text, QStringLiteral("D170"));

    // New, Open and a recent file each start without steps.
    const std::function<void()> fresh[] = {
        [this] { act("M_File_New")->trigger(); },
        [this] {
            dialogs.files = {tempPath("house.zeb")};
            act("M_File_Open")->trigger();
        },
        [this] { act("Load_fileno_1")->trigger(); },
    };
    for (const auto& start : fresh) {
        focus(&main());
        QTest::keyClick(&main(), Qt::Key_F);
        ASSERT_TRUE(ws().canUndo());
        dialogs.answers = {Answer::Discard}; // do not save first
        start();
        EXPECT_FALSE(ws().canUndo());
        EXPECT_FALSE(ws().canRedo());
        EXPECT_FALSE(act("M_Edit_Undo")->isEnabled());
        EXPECT_FALSE(ws().dataChanged());
    }
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST_F(UndoTest, aReadFromTheUnitForgetsTheStepsAndStaysUnsaved) {
    Configuration unitCfg = korvane::testing::loadedConfiguration("Good.zeb");
    unitCfg.SysData[kSysFirmwareHigh] = 3;
    unitCfg.SysData[kSysFirmwareLow] = 0;
    main().setLinkFactory([&unitCfg]() -> std::shared_ptr<SerialLink> {
        auto link = std::make_shared<SimulatedLink>(false, UnitFault::None);
        link->unit().setMemory(UnitSimulator::ImageOf(unitCfg, [](int) { return std::string(); }));
        return link;
    });
    startClean();
    focus(&main());
    QTest::keyClick(&main(), Qt::Key_I);
    dialogs.answers = {Answer::Discard};
    main().M_File_Read_Click();
    auto* w = main().findChild<FrmSerialIO*>();
    ASSERT_NE(w, nullptr);
    w->setTickInterval(10);
    auto* ok = w->findChild<QPushButton*>(QStringLiteral("Cmd_ok"));
    QTest::mouseClick(ok, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([ok] { return ok->isEnabled(); }, 10000));
    ASSERT_TRUE(w->transferDone());
    QTest::mouseClick(ok, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return main().findChild<FrmSerialIO*>() == nullptr; }, 2000));

    EXPECT_FALSE(ws().canUndo());
    const Configuration read = ws().cfg;
    QApplication::setActiveWindow(&main());
    ws().setCurChannel(0);
    QTest::keyClick(&main(), Qt::Key_F);
    undoKey();
    EXPECT_TRUE(ws().cfg == read);
    // What was read is in no file yet: undoing back to it leaves it changed.
    EXPECT_TRUE(ws().dataChanged());
    EXPECT_EQ(dialogs.unexpected, 0);
}
