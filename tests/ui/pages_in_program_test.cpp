// The editor pages in the started program: only the page of a channel's function on show, the editor
// window keeping its size and the focus from page to page, the matrix marks of the logic, the logic
// pages, a wrong phone number, the siren's flash pattern and the master's trigger view, and the look
// of the pages in the editor window.

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <utility>

#include "model/channel_types.h"
#include "model/text_ids.h"
#include "tests/support/program_fixture.h"
#include "tests/support/workspace_setup.h"
#include "ui/editor/editor_window.h"
#include "ui/editor/pages/master_page.h"
#include "ui/editor/pages/realtime_page.h"
#include "ui/main/channel_cell.h"

using namespace korvane;
using namespace korvane::test;

namespace {

constexpr int kMaster = 13; // B6, a master function run by the clock

class PagesTest : public StartedProgramFixture {
protected:
    void open(const char* key) {
        editor().openPage(QLatin1String(key));
        QApplication::setActiveWindow(&editor());
    }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(QLatin1String(name)); }
    bool shown(const char* name) { return child(QString::fromUtf8(name))->isVisibleTo(&editor()); }
    // Opens channel c as a click on its cell does.
    void clickCell(int c) {
        QTest::mouseClick(main().cell(c), Qt::LeftButton);
        QApplication::processEvents();
    }
    // Puts the function in channel c's type byte, keeping the rest of its row, and opens it as a click
    // on its cell does.
    void openWithTypeByte(int c, int function) {
        ws().change([&](Configuration& cfg) {
            cfg.ChanSetup[static_cast<std::size_t>(c)][kRowType] = static_cast<Byte>(function);
        });
        QTest::mouseClick(main().cell(c), Qt::LeftButton);
        QApplication::setActiveWindow(&editor());
    }
};

} // namespace

// ---- The page of a channel ----

TEST_F(PagesTest, onlyThePageOfTheChannelsFunctionIsOnShow) {
    const std::pair<int, const char*> pages[] = {
        {kTypeIntruderSiren, "F_tyv"},
        {kTypeSmokeSiren, "Frame_RøgAlarm_Setup"},
        {kTypeWaterReset, "Frame_VandAlarm_Setup"},
        {kTypeIsaPassive, "Frame_ISAalarm_Setup"},
        {kTypeCommonSiren, "Frame_CombiSiren_Setup"},
        {kTypeMono, "Frame_BasicChtype_Setup"},
    };
    for (auto [function, page] : pages) {
        openWithTypeByte(3, kTypeIntruderPassive);
        EXPECT_TRUE(shown("O_tyv_8"));
        openWithTypeByte(4, function);
        EXPECT_EQ(editor().currentPage(), QString::fromUtf8(page)) << page;
        // No intruder option to click on another channel, and no other page.
        EXPECT_EQ(shown("O_tyv_8"), function == kTypeIntruderSiren) << page;
        for (const auto& [_, other] : pages)
            EXPECT_EQ(shown(other), qstrcmp(other, page) == 0) << page << " and " << other;
    }
}

TEST_F(PagesTest, flashPatternOpensInTheGridAndTheOptionIsTheFirstFocus) {
    ws().change([](Configuration& cfg) { cfg.ChanSetup[6][kSirenMasterFlash] = 1; });
    openWithTypeByte(6, kTypeIntruderSiren);
    EXPECT_EQ(editor().windowTitle(), QStringLiteral("A7   D112"));
    EXPECT_EQ(QApplication::focusWidget(), child(QStringLiteral("O_tyv_12")));
    auto* button = child<QPushButton>(QStringLiteral("Cmd_Tyv_BlinkSet"));
    ASSERT_TRUE(shown("Cmd_Tyv_BlinkSet"));
    EXPECT_EQ(button->text(), QStringLiteral("D294"));
    button->click();
    EXPECT_TRUE(editor().flashPatternShown());
    EXPECT_EQ(editor().currentPage(), QStringLiteral("Frame_MasterFunction_Setup"));
    EXPECT_EQ(ws().FocusTag, QStringLiteral("IntruderFlashPattern"));
    EXPECT_EQ(ws().FocusHelpId, kHelpFlashPattern);
    // Back, Escape and Enter in the grid return to the siren's page, on the button that opened it.
    auto* back = child<QPushButton>(QStringLiteral("Cmd_FlashBack"));
    EXPECT_EQ(back->text(), QStringLiteral("D354"));
    QWidget* grid = editor().masterPage()->keyField();
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Back", [&] { QTest::mouseClick(back, Qt::LeftButton); }},
        {"Escape", [&] { QTest::keyClick(grid, Qt::Key_Escape); }},
        {"Escape on Back", [&] { QTest::keyClick(back, Qt::Key_Escape); }},
        {"Enter", [&] { QTest::keyClick(grid, Qt::Key_Return); }},
    };
    for (const auto& [what, way] : ways) {
        SCOPED_TRACE(what);
        if (!editor().flashPatternShown()) {
            focus(button);
            QTest::keyClick(button, Qt::Key_Space);
        }
        ASSERT_EQ(editor().currentPage(), QStringLiteral("Frame_MasterFunction_Setup"));
        EXPECT_TRUE(back->isVisibleTo(&editor()));
        focus(qstrcmp(what, "Escape on Back") == 0 ? static_cast<QWidget*>(back) : grid);
        way();
        EXPECT_FALSE(editor().flashPatternShown());
        EXPECT_EQ(editor().currentPage(), QStringLiteral("F_tyv"));
        EXPECT_EQ(QApplication::focusWidget(), button);
        EXPECT_TRUE(child<QCheckBox>(QStringLiteral("Chk_TyvM_Blink"))->isChecked());
    }
    // The grid of a master function ends its chain in the main window and has no Back.
    ws().changeChannelType(7, kTypeMaster);
    QTest::mouseClick(main().cell(7), Qt::LeftButton);
    EXPECT_FALSE(back->isVisibleTo(&editor()));
    QTest::mouseClick(main().cell(6), Qt::LeftButton);

    // A siren that becomes another function from the matrix takes its flash pattern along.
    button->click();
    EXPECT_EQ(editor().currentPage(), QStringLiteral("Frame_MasterFunction_Setup"));
    ws().changeChannelType(6, kTypeIntruderPassive);
    EXPECT_EQ(editor().currentPage(), QStringLiteral("F_tyv"));
    EXPECT_FALSE(editor().flashPatternShown());
    ws().change([](Configuration& cfg) { cfg.ChanSetup[6][kRowType] = kTypeIntruderSiren; });
    EXPECT_EQ(editor().currentPage(), QStringLiteral("F_tyv"));
}

TEST_F(PagesTest, theEditorKeepsItsSizeFromPageToPage) {
    ws().changeChannelType(2, kTypeRollerMaster);
    ws().changeChannelType(4, kTypeAnalogGeneral);
    ws().changeChannelType(5, kTypeTimerDelay);
    ws().changeChannelType(6, kTypeMotion);
    ws().changeChannelType(8, kTypeRoller);
    clickCell(0); // an unused channel: the event options take room below the page
    const QSize size = editor().size();
    for (int c : {2, 0, 4, 2, 5, 8, 6, 2}) {
        clickCell(c);
        EXPECT_EQ(editor().size(), size) << "channel " << c;
    }
}

TEST_F(PagesTest, aPageFocusesItsControlOnOpeningButNotOnARefill) {
    ws().changeChannelType(5, kTypeTimerPulse);
    ws().changeChannelType(6, kTypeMotion);
    const std::pair<int, const char*> cases[] = {{5, "O_TimerMode_1"}, {6, "Chk_MotionInAlarm"}};
    for (const auto& [c, control] : cases) {
        clickCell(c);
        QApplication::setActiveWindow(&editor());
        EXPECT_EQ(QApplication::focusWidget(), child(control)) << c;
    }
    clickCell(5);
    focus(child("TimerTid_1"));
    QApplication::setActiveWindow(&main());
    QApplication::setActiveWindow(&editor()); // the window comes back and refills its page
    EXPECT_EQ(QApplication::focusWidget(), child("TimerTid_1"));
}

// ---- Logic ----

TEST_F(PagesTest, logicMarksInTheMatrixFollowTheOperationKeyAtOnce) {
    open("logic");
    EXPECT_EQ(editor().currentPage(), QStringLiteral("Frame_Logic_Setup"));
    EXPECT_EQ(editor().windowTitle(), ws().text(kTxtMenuLogicSetup));
    ChannelCell* p8 = main().cell(127);
    const struct {
        const char* field;
        const char* keys;
        bool marked;
    } steps[] = {{"T_LogicOut_0", "P8\nA1\n", false},
                 {"T_logicOPR_0", "A", true},
                 {"T_logicOPR_0", " ", false},
                 {"T_logicOPR_0", "O", true}};
    for (const auto& s : steps) {
        focus(edit(s.field));
        typeKeys(s.keys);
        EXPECT_EQ(p8->toolTip().startsWith(QStringLiteral("!! ")), s.marked) << s.field << " " << s.keys;
    }
}

TEST_F(PagesTest, logicPagesKeepTheirBlocksAndNotesApart) {
    open("logic");
    QTest::mouseClick(child<QPushButton>("C_LogBlok_2"), Qt::LeftButton);
    ASSERT_EQ(ws().edit.CurLogicBlock, 2);
    auto* notes = child<QPlainTextEdit>("T_LogicDescription");
    focus(notes);
    QTest::keyClicks(notes, QStringLiteral("Hall \"A\""));
    QTest::keyClick(notes, Qt::Key_Return);
    QTest::keyClicks(notes, QStringLiteral("stairs"));
    EXPECT_EQ(ws().cfg.DescText[2], "Hall \"A\"\r\nstairs");
    // Page Down from a field, then back: leaving the notes took the double quotes.
    focus(edit("T_LogicOut_5"));
    EXPECT_EQ(ws().cfg.DescText[2], "Hall 'A'\r\nstairs");
    QTest::keyClick(edit("T_LogicOut_5"), Qt::Key_PageDown);
    EXPECT_EQ(ws().edit.CurLogicBlock, 3);
    EXPECT_EQ(notes->toPlainText(), QString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
    EXPECT_EQ(notes->toPlainText(), QStringLiteral("Hall 'A'\nstairs"));
    EXPECT_EQ(ws().cfg.DescText[kGeneralDescription], "");
}

// ---- SMS and dial-in ----

TEST_F(PagesTest, aWrongNumberTakesTheFocusBackOnceAndNeverWhenTheWindowIsLeft) {
    sys(kSysEventSms) = 1;
    ConfigurationForSetUp(ws()).SmsText[0] = "45-12";
    ConfigurationForSetUp(ws()).SmsText[1] = "+";
    open("SMS_Setup");
    focus(edit("Txt_PhoneNo_0"));

    // Both wrong: Tab to the other one brings the focus back once, and it stays there.
    const int beeps = dialogs.beeps;
    edit("Txt_PhoneNo_1")->setFocus(Qt::TabFocusReason);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(focused(), QStringLiteral("Txt_PhoneNo_0"));
    EXPECT_EQ(dialogs.beeps, beeps + 1);

    // Leaving the window: no beep, and the focus is not taken back.
    QApplication::setActiveWindow(&main());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(QApplication::activeWindow(), &main());
    EXPECT_EQ(dialogs.beeps, beeps + 1);
}

// ---- Real time ----

TEST_F(PagesTest, theTriggerViewOfAMasterStaysOpenForItsChannel) {
    openChannel(kMaster, kTypeMaster);
    auto* masterPage = editor().masterPage();
    auto* rt = child<QCheckBox>("Chk_masterRt");
    auto* view = child<QPushButton>("Cmd_viewRt");
    EXPECT_FALSE(view->isVisibleTo(&editor()));
    rt->click();
    EXPECT_EQ(row(kMaster, kMasterRealTime), 1);
    ASSERT_TRUE(view->isVisibleTo(&editor()));
    view->click();
    ASSERT_TRUE(masterPage->triggerViewShown());
    auto* trigger = qobject_cast<RealTimePage*>(masterPage->triggerView());
    ASSERT_NE(trigger, nullptr);
    EXPECT_EQ(trigger->mode(), RealTimePage::Mode::Trigger);
    EXPECT_EQ(trigger->findChild<QLabel*>(QStringLiteral("Label_On_0"))->text(), ws().text(kTxtTriggerTime));
    EXPECT_EQ(QApplication::focusWidget(), trigger->control("HourOn_0"));
    EXPECT_EQ(ws().FocusHelpId, kHelpTriggerHour);
    EXPECT_FALSE(masterPage->cell(0)->isVisibleTo(&editor())) << "the times take the grid's place";
    typeKeys("22");
    EXPECT_EQ(row(kMaster, 2), 0x22);

    // Coming back to the editor refills it: the view stays open.
    QApplication::setActiveWindow(&main());
    QApplication::setActiveWindow(&editor());
    editor().Update_Option_Form_elements();
    EXPECT_TRUE(masterPage->triggerViewShown());
    EXPECT_EQ(static_cast<QLineEdit*>(trigger->control("HourOn_0"))->text(), QStringLiteral("22"));
    // Another master closes it; its own channel opens it again.
    openChannel(kMaster + 1, kTypeMaster);
    EXPECT_FALSE(masterPage->triggerViewShown());
    QTest::mouseClick(main().cell(kMaster), Qt::LeftButton);
    EXPECT_TRUE(masterPage->triggerViewShown());
    // The button closes it, and so does switching the option off.
    view->click();
    EXPECT_FALSE(masterPage->triggerViewShown());
    EXPECT_TRUE(masterPage->cell(0)->isVisibleTo(&editor()));
    view->click();
    rt->click();
    EXPECT_FALSE(masterPage->triggerViewShown());
    EXPECT_FALSE(view->isVisibleTo(&editor()));
}

// ---- The clock and the look of the pages ----

TEST_F(PagesTest, theClockNamesTheWeekdayCountedFromSunday) {
    open("mainsetup");
    // QDate counts from Monday (1) to Sunday (7); the weekday names from Sunday (1) to Saturday (7).
    const int w = QDate::currentDate().dayOfWeek() % 7 + 1;
    EXPECT_TRUE(child<QLabel>("L_ThisTime")->text().startsWith(ws().text(WeekdayText(w)) + QStringLiteral("  ")))
        << child<QLabel>("L_ThisTime")->text().toStdString();
}

// The master function's trigger view in every shipped language: the button closes it and opens it again
// without resizing the window, and the page with it open still fits.
TEST_F(PagesTest, theTriggerViewFitsTheEditorWindowInEveryShippedLanguage) {
    const QSize room = editor().size();
    for (const char* file : {"English.dat", "Deutsch.dat", "Dansk.dat"}) {
        SCOPED_TRACE(file);
        useShippedTexts(file);
        openChannel(kMaster, kTypeMaster);
        row(kMaster, kMasterRealTime) = 1;
        editor().Update_Option_Form_elements();
        // It stays open for the channel from one language to the next.
        if (!editor().masterPage()->triggerViewShown())
            child<QPushButton>("Cmd_viewRt")->click();
        for (int click = 0; click < 2; ++click) {
            child<QPushButton>("Cmd_viewRt")->click();
            EXPECT_EQ(editor().size(), room) << "the window keeps its size for the trigger view";
        }
        EXPECT_TRUE(editor().masterPage()->triggerViewShown());
        EXPECT_LE(editor().minimumSizeHint().width(), room.width());
        EXPECT_LE(editor().minimumSizeHint().height(), room.height());
    }
}
