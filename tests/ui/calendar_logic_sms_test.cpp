// The logic, holiday, SMS and real-time pages in the started program: keys, Enter chains with their
// conditional steps, the matrix marks, the commit of pending edits and the look of each page in the
// editor window.

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "io/config_file.h"
#include "io/text_file.h"
#include "model/calendar.h"
#include "model/channel_types.h"
#include "model/text_ids.h"
#include "tests/support/program_fixture.h"
#include "ui/editor/pages/logic_page.h"
#include "ui/editor/pages/master_page.h"
#include "ui/editor/pages/realtime_page.h"
#include "ui/main/channel_cell.h"

using namespace korvane;
using namespace korvane::test;

namespace {

constexpr int kRt = 12;     // B5, a real-time channel
constexpr int kMaster = 13; // B6, a master function run by the clock

class PagesTest : public StartedProgramFixture {
protected:
    void open(const char* key) {
        editor().openPage(QLatin1String(key));
        QApplication::setActiveWindow(&editor());
    }
    void openChannel(int c, int type) {
        ws().changeChannelType(c, type);
        QTest::mouseClick(main().cell(c), Qt::LeftButton);
        QApplication::setActiveWindow(&editor());
    }
    Byte& sys(int b) { return ws().cfg.SysData[static_cast<std::size_t>(b)]; }
    Byte& row(int c, int b) { return ws().cfg.ChanSetup[static_cast<std::size_t>(c)][static_cast<std::size_t>(b)]; }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(QLatin1String(name)); }
    // Types keys into a control that has been given the focus: letters and digits as characters,
    // '~' Delete, '-' minus, '+' plus, '/' keypad divide, '\n' Enter, ' ' Space.
    void type(QWidget* w, const char* keys) {
        for (const char* k = keys; *k; ++k) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w;
            switch (*k) {
            case '~':
                QTest::keyClick(target, Qt::Key_Delete);
                break;
            case '-':
                QTest::keyClick(target, Qt::Key_Minus);
                break;
            case '+':
                QTest::keyClick(target, Qt::Key_Plus);
                break;
            case '/':
                QTest::keyClick(target, Qt::Key_Slash, Qt::KeypadModifier);
                break;
            case '\n':
                QTest::keyClick(target, Qt::Key_Return);
                break;
            case ' ':
                QTest::keyClick(target, Qt::Key_Space);
                break;
            default:
                QTest::keyClick(target, *k >= 'a'   ? static_cast<Qt::Key>(Qt::Key_A + (*k - 'a'))
                                        : *k >= 'A' ? static_cast<Qt::Key>(Qt::Key_A + (*k - 'A'))
                                                    : static_cast<Qt::Key>(Qt::Key_0 + (*k - '0')));
            }
        }
    }
    QString focused() const {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }
    // Enter from each control of the chain reaches the next one.
    void expectChain(const std::vector<std::pair<const char*, const char*>>& steps) {
        for (auto [from, to] : steps) {
            focus(child(QLatin1String(from)));
            QTest::keyClick(child(QLatin1String(from)), Qt::Key_Return);
            EXPECT_EQ(focused(), QLatin1String(to)) << "Enter from " << from;
        }
    }
};

} // namespace

// ---- Logic ----

TEST_F(PagesTest, logicKeysStoreTheBlockAndTheMatrixMarksFollowAtOnce) {
    open("logic");
    EXPECT_EQ(editor().currentPage(), QStringLiteral("Frame_Logic_Setup"));
    EXPECT_EQ(editor().windowTitle(), ws().text(kTxtMenuLogicSetup));
    ChannelCell* p8 = main().cell(127);
    EXPECT_FALSE(p8->toolTip().startsWith(QStringLiteral("!! ")));

    focus(edit("T_LogicOut_0"));
    type(nullptr, "P8\n");
    EXPECT_EQ(focused(), QStringLiteral("T_logicIn1_0"));
    EXPECT_EQ(edit("T_LogicOut_0")->text(), QString()) << "a block not in use shows no signals";
    type(nullptr, "A1\n");
    type(nullptr, "A");
    EXPECT_EQ(ws().cfg.LogicBlocks[0], (LogicRecord{127, 0, 0, 0x04}));
    EXPECT_TRUE(p8->toolTip().startsWith(QStringLiteral("!! "))) << "the mark follows the operation key";
    EXPECT_EQ(edit("T_LogicOut_0")->text(), QStringLiteral("P8"));
    type(nullptr, "\nX5");
    EXPECT_EQ(edit("T_logicIn2_0")->text(), QStringLiteral("  X5"));
    // A mark on input 1, then the edge mark: the row shows them at once.
    focus(edit("T_logicIn1_0"));
    type(nullptr, "-");
    EXPECT_EQ(edit("T_logicIn1_0")->text(), QStringLiteral("--A1"));
    EXPECT_EQ(ws().cfg.LogicBlocks[0], (LogicRecord{127, 0, 0x84, 0x24}));
    // A marker key in input 2 takes input 1's marks: the other field of the row shows it too.
    focus(edit("T_logicIn2_0"));
    type(nullptr, "Y");
    EXPECT_EQ(edit("T_logicIn1_0")->text(), QStringLiteral("  A1"));

    // Space switches the block off: the mark goes, the codes stay and come back with an operation.
    focus(edit("T_logicOPR_0"));
    ws().setDataChanged(false);
    type(nullptr, " ");
    EXPECT_TRUE(ws().dataChanged());
    EXPECT_FALSE(p8->toolTip().startsWith(QStringLiteral("!! ")));
    EXPECT_EQ(edit("T_logicIn2_0")->text(), QString());
    type(nullptr, "O");
    EXPECT_EQ(edit("T_logicIn2_0")->text(), QStringLiteral("  Y5"));
    EXPECT_EQ(edit("T_logicOPR_0")->text(), QStringLiteral("Or"));
    EXPECT_TRUE(p8->toolTip().startsWith(QStringLiteral("!! ")));
}

TEST_F(PagesTest, logicArrowsStayOnThePageAndShiftEnterHandsOverToTheMainWindow) {
    open("logic");
    const std::pair<const char*, std::pair<Qt::Key, const char*>> moves[] = {
        {"T_logicOPR_3", {Qt::Key_Up, "T_logicOPR_2"}}, {"T_logicOPR_3", {Qt::Key_Down, "T_logicOPR_4"}},
        {"T_LogicOut_0", {Qt::Key_Up, "T_LogicOut_0"}}, {"T_logicIn2_7", {Qt::Key_Down, "T_logicIn2_7"}},
        {"T_logicIn1_7", {Qt::Key_Up, "T_logicIn1_6"}},
    };
    for (auto [from, move] : moves) {
        focus(edit(from));
        QTest::keyClick(edit(from), move.first);
        EXPECT_EQ(focused(), QLatin1String(move.second)) << from;
    }
    expectChain({{"T_LogicOut_2", "T_logicIn1_2"},
                 {"T_logicIn1_2", "T_logicOPR_2"},
                 {"T_logicOPR_2", "T_logicIn2_2"},
                 {"T_logicIn2_2", "T_LogicOut_3"},
                 {"T_logicIn2_7", "T_LogicDescription"}});
    focus(edit("T_logicIn1_4"));
    QTest::keyClick(edit("T_logicIn1_4"), Qt::Key_Return, Qt::ShiftModifier);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &main());
}

TEST_F(PagesTest, logicPagesKeepTheirBlocksAndNotesApart) {
    open("logic");
    auto* page = static_cast<LogicPage*>(child("Frame_Logic_Setup"));
    QTest::mouseClick(page->pageButton(2), Qt::LeftButton);
    EXPECT_EQ(ws().edit.CurLogicBlock, 2);
    EXPECT_EQ(focused(), QStringLiteral("T_LogicOut_0"));
    EXPECT_EQ(page->pageButton(2)->toolTip(), QStringLiteral("17..24"));
    EXPECT_TRUE(page->pageButton(2)->font().bold());
    EXPECT_EQ(child<QLabel>("L_LogicBlock_0")->text(), QStringLiteral("17"));
    type(nullptr, "C3");
    EXPECT_EQ(ws().cfg.LogicBlocks[16][0], 0x12);

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

    // The notes take at most 255 characters typed; a longer note from a file is shown whole.
    ws().cfg.DescText[2] = std::string(250, 'x');
    editor().Update_Option_Form_elements();
    focus(notes);
    notes->moveCursor(QTextCursor::End);
    const int beeps = dialogs.beeps;
    QTest::keyClicks(notes, QStringLiteral("abcdefgh"));
    EXPECT_EQ(ws().cfg.DescText[2], std::string(250, 'x') + "abcde");
    EXPECT_GT(dialogs.beeps, beeps);
    ws().cfg.DescText[2] = std::string(300, 'y');
    editor().Update_Option_Form_elements();
    EXPECT_EQ(notes->toPlainText().size(), 300);
    focus(notes);
    notes->moveCursor(QTextCursor::End);
    QTest::keyClick(notes, Qt::Key_Backspace);
    EXPECT_EQ(ws().cfg.DescText[2], std::string(299, 'y'));
}

// ---- Holidays ----

TEST_F(PagesTest, holidayDigitsStayAsTypedAndDeleteCountsAsAChange) {
    open("Holiday");
    EXPECT_EQ(editor().windowTitle(), ws().text(kTxtMenuHolidaySetup));
    const struct {
        const char* keys;
        const char* shown;
        Byte stored;
    } cases[] = {{"02", "02", 0x02}, {"12", "12", 0x12}, {"13", "03", 0x03}, {"0", "01", 0x01}, {"7", "07", 0x07}};
    for (const auto& c : cases) {
        focus(edit("T_MonthStart_4"));
        type(nullptr, c.keys);
        EXPECT_EQ(edit("T_MonthStart_4")->text(), QLatin1String(c.shown)) << c.keys;
        EXPECT_EQ(sys(HolidayByte(4, 0)), c.stored) << c.keys;
    }
    // Leaving the first month completes the period.
    focus(edit("T_MonthStart_5"));
    EXPECT_EQ(edit("T_DateStart_4")->text(), QStringLiteral("01"));
    EXPECT_EQ(edit("T_MonthEnd_4")->text(), QStringLiteral("07"));
    EXPECT_TRUE(edit("T_DateEnd_4")->isEnabled());

    ws().setDataChanged(false);
    focus(edit("T_DateEnd_4"));
    type(nullptr, "~");
    EXPECT_TRUE(ws().dataChanged()) << "the cleared period is saved, or Exit asks";
    for (int part = 0; part < 4; ++part)
        EXPECT_EQ(sys(HolidayByte(4, part)), 0);
    EXPECT_EQ(edit("T_MonthStart_4")->text(), QStringLiteral("---"));
    EXPECT_FALSE(edit("T_DateEnd_4")->isEnabled());
}

TEST_F(PagesTest, holidayEnterFollowsThePeriodAndSkipsFreeOnes) {
    sys(HolidayByte(1, 0)) = 0x03;
    sys(HolidayByte(1, 1)) = 0x10;
    sys(HolidayByte(1, 2)) = 0x03;
    sys(HolidayByte(1, 3)) = 0x20;
    open("Holiday");
    expectChain({{"T_MonthStart_0", "T_MonthStart_1"},
                 {"T_MonthStart_1", "T_DateStart_1"},
                 {"T_DateStart_1", "T_MonthEnd_1"},
                 {"T_MonthEnd_1", "T_DateEnd_1"},
                 {"T_DateEnd_1", "T_MonthStart_2"},
                 {"T_MonthStart_15", "T_MonthStart_0"}});
}

TEST_F(PagesTest, oddHolidaysAreKeptAndColouredAndLaterPeriodsAreMarked) {
    sys(HolidayByte(0, 0)) = 0x02; // 31 February
    sys(HolidayByte(0, 1)) = 0x31;
    sys(HolidayByte(0, 2)) = 0x03;
    sys(HolidayByte(0, 3)) = 0x01;
    sys(HolidayByte(5, 0)) = 0x13; // no month: shown free, held as zeros
    sys(HolidayByte(5, 1)) = 0x01;
    open("Holiday");
    EXPECT_EQ(sys(HolidayByte(0, 1)), 0x31);
    EXPECT_TRUE(edit("T_DateStart_0")->toolTip().contains(ws().text(kTxtNoSuchDay)));
    EXPECT_NE(edit("T_DateStart_0")->palette().color(QPalette::Text),
              edit("T_DateEnd_0")->palette().color(QPalette::Text));
    EXPECT_EQ(edit("T_DateEnd_0")->toolTip(), QStringLiteral("1..31(-)"));
    EXPECT_EQ(sys(HolidayByte(5, 1)), 0);
    EXPECT_EQ(edit("T_MonthStart_5")->text(), QStringLiteral("---"));
    EXPECT_FALSE(ws().dataChanged());
    EXPECT_EQ(child<QLabel>("L_Period_8")->toolTip(), ws().text(kTxtNotReadBack));
    EXPECT_EQ(child<QLabel>("L_Period_7")->toolTip(), QString());
}

TEST_F(PagesTest, ctrlSFromAHolidayFieldSavesTheCompletedPeriod) {
    const QString path = tempPath(QStringLiteral("holidays.zeb"));
    dialogs.files.push_back(path);
    open("Holiday");
    focus(edit("T_MonthStart_0"));
    type(nullptr, "7");
    QTest::keyClick(edit("T_MonthStart_0"), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_FALSE(ws().dataChanged());
    Configuration saved;
    ASSERT_TRUE(LoadFile(saved, LocalPath(path)).ok());
    EXPECT_EQ(saved.SysData[96], 0x07);
    EXPECT_EQ(saved.SysData[97], 0x01);
    EXPECT_EQ(saved.SysData[98], 0x07);
    EXPECT_EQ(saved.SysData[99], 0x01);
}

// ---- SMS and dial-in ----

TEST_F(PagesTest, smsFieldsTakeWhatTheUnitKeepsAndShowLongTextsWhole) {
    sys(kSysEventSms) = 1;
    ws().cfg.SmsText[2] = "12345678901234567890"; // from a file: longer than the unit's 16
    ws().cfg.SmsIdText = std::string(40, 'i');
    open("SMS_Setup");
    EXPECT_EQ(editor().windowTitle(), ws().text(kTxtMenuSmsSetup));
    EXPECT_EQ(focused(), QStringLiteral("Txt_PhoneNo_0"));
    QLineEdit* long2 = edit("Txt_PhoneNo_2");
    EXPECT_EQ(long2->text(), QStringLiteral("12345678901234567890"));
    EXPECT_EQ(long2->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_TRUE(long2->toolTip().contains(ws().text(kTxtOnlyCharactersReachUnit).arg(16)));
    EXPECT_TRUE(edit("Txt_SmsIdInfo")->toolTip().contains(ws().text(kTxtOnlyCharactersReachUnit).arg(32)));

    // Typing cannot make it longer; deleting shortens it and is stored.
    focus(long2);
    long2->end(false);
    type(nullptr, "5");
    EXPECT_EQ(ws().cfg.SmsText[2], "12345678901234567890");
    QTest::keyClick(long2, Qt::Key_Backspace);
    EXPECT_EQ(ws().cfg.SmsText[2], "1234567890123456789");

    // A number takes digits with a leading plus only; the texts refuse double quotes.
    QLineEdit* n0 = edit("Txt_PhoneNo_0");
    focus(n0);
    const int beeps = dialogs.beeps;
    QTest::keyClicks(n0, QStringLiteral("+45a-1 2"));
    EXPECT_EQ(ws().cfg.SmsText[0], "+4512");
    EXPECT_GT(dialogs.beeps, beeps);
    QLineEdit* id = edit("Txt_SmsIdInfo");
    id->clear();
    ws().cfg.SmsIdText.clear();
    focus(id);
    QTest::keyClicks(id, QStringLiteral("Villa \"Nord\""));
    EXPECT_EQ(ws().cfg.SmsIdText, "Villa Nord");
    QLineEdit* pw = edit("Txt_DialInPassword");
    EXPECT_FALSE(pw->isEnabled());
}

TEST_F(PagesTest, smsOptionsEnableTheirFieldsOnFillAndTheEnterChainFollows) {
    sys(kSysEventSms) = 1;
    sys(kSysDialOutMethod) = 1;
    sys(kSysDialInPassword) = 1;
    sys(kSysDialInSafety) = 0;
    open("SMS_Setup");
    EXPECT_TRUE(child("txt_SmsRespTime")->isEnabled());
    EXPECT_TRUE(child("Txt_DialInPassword")->isEnabled());
    EXPECT_FALSE(child("Txt_PhoneNo_4")->isEnabled());
    expectChain({{"Txt_PhoneNo_3", "Txt_SmsIdInfo"},
                 {"Txt_SmsIdInfo", "Combo_DialOutMethod"},
                 {"Combo_DialOutMethod", "txt_SmsRespTime"},
                 {"txt_SmsRespTime", "Chk_saftyDialin"},
                 {"Chk_saftyDialin", "Chk_saftyPASSW"},
                 {"Chk_saftyPASSW", "Txt_DialInPassword"},
                 {"Txt_DialInPassword", "Txt_PhoneNo_0"}});
    child<QCheckBox>("Chk_saftyDialin")->click();
    child<QCheckBox>("Chk_saftyPASSW")->click();
    EXPECT_EQ(sys(kSysDialInSafety), 1);
    EXPECT_TRUE(child("Txt_PhoneNo_7")->isEnabled());
    expectChain({{"Chk_saftyDialin", "Txt_PhoneNo_4"},
                 {"Txt_PhoneNo_7", "Chk_saftyPASSW"},
                 {"Chk_saftyPASSW", "Txt_PhoneNo_0"}});

    // The response time is at least 1, also when the field is only left.
    focus(child("txt_SmsRespTime"));
    type(nullptr, "0");
    EXPECT_EQ(sys(kSysSmsResponseTime), 0);
    focus(child("Chk_saftyDialin"));
    EXPECT_EQ(sys(kSysSmsResponseTime), 1);
    EXPECT_EQ(edit("txt_SmsRespTime")->text(), QStringLiteral("01"));
}

TEST_F(PagesTest, aWrongNumberTakesTheFocusBackOnceAndNeverWhenTheWindowIsLeft) {
    sys(kSysEventSms) = 1;
    ws().cfg.SmsText[0] = "45-12";
    ws().cfg.SmsText[1] = "+";
    open("SMS_Setup");
    QLineEdit* n0 = edit("Txt_PhoneNo_0");
    QLineEdit* n1 = edit("Txt_PhoneNo_1");
    EXPECT_EQ(n0->palette().color(QPalette::Text), QColor(Qt::red)) << "coloured when the page is filled";
    EXPECT_EQ(n1->palette().color(QPalette::Text), QColor(Qt::red));
    // Enter stays in a wrong number.
    focus(n0);
    QTest::keyClick(n0, Qt::Key_Return);
    EXPECT_EQ(focused(), QStringLiteral("Txt_PhoneNo_0"));

    // Both wrong: Tab to the other one brings the focus back once, and it stays there.
    const int beeps = dialogs.beeps;
    n1->setFocus(Qt::TabFocusReason);
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

TEST_F(PagesTest, realTimeDaySetsFromTheKeyboard) {
    openChannel(kRt, kTypeRealTime);
    EXPECT_EQ(editor().currentPage(), QStringLiteral("Frame_RealTime_Setup"));
    EXPECT_EQ(edit("HourOn_0")->text(), QStringLiteral("--"));
    EXPECT_FALSE(child("MinutOn_0")->isEnabled());
    EXPECT_FALSE(child("DaysSet1_0")->isEnabled());
    EXPECT_EQ(child("HourOn_0")->toolTip(), QStringLiteral("0..23"));

    // Enter through an empty set goes on to the next set, from the last one to the description.
    expectChain({{"HourOn_0", "HourOFF_0"}, {"HourOFF_0", "HourOn_1"}, {"HourOFF_3", "TextBeskriv"}});

    focus(edit("HourOn_0"));
    type(nullptr, "07\n");
    EXPECT_EQ(row(kRt, 2), 0x07);
    EXPECT_EQ(focused(), QStringLiteral("MinutOn_0"));
    EXPECT_EQ(edit("MinutOn_0")->text(), QStringLiteral("00"));
    EXPECT_TRUE(child("DaysSet1_0")->isEnabled());
    type(nullptr, "30\n");
    EXPECT_EQ(focused(), QStringLiteral("HourOFF_0"));
    type(nullptr, "\n");
    EXPECT_EQ(focused(), QStringLiteral("DaysSet1_0")) << "an empty off time with an on time goes to the days";
    QTest::keyClick(child("DaysSet1_0"), Qt::Key_Space);
    type(nullptr, "\n\n\n\n\n\n\n");
    EXPECT_EQ(focused(), QStringLiteral("DaysSet1_7"));
    QTest::keyClick(child("DaysSet1_7"), Qt::Key_Space);
    EXPECT_EQ(row(kRt, 1), 0x81);
    type(nullptr, "\n");
    EXPECT_EQ(focused(), QStringLiteral("HourOn_1"));

    // Keys without a meaning beep; Delete clears the time and, being the last, the days.
    const int beeps = dialogs.beeps;
    focus(edit("MinutOn_0"));
    type(nullptr, "~");
    EXPECT_EQ(dialogs.beeps, beeps + 1);
    EXPECT_EQ(row(kRt, 3), 0x30);
    focus(edit("HourOn_0"));
    type(nullptr, "~");
    EXPECT_EQ(row(kRt, 2), 255);
    EXPECT_EQ(row(kRt, 1), 0);
    EXPECT_FALSE(child<QCheckBox>("DaysSet1_0")->isChecked());
    EXPECT_FALSE(child("DaysSet1_0")->isEnabled());
    EXPECT_EQ(edit("MinutOn_0")->text(), QStringLiteral("--"));
}

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
    type(nullptr, "22");
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

TEST_F(PagesTest, thePagesFitTheEditorWindowInEveryShippedLanguage) {
    const QSize room = editor().size();
    for (const char* file : {"English.dat", "Deutsch.dat", "Dansk.dat"}) {
        SCOPED_TRACE(file);
        const TextTable texts =
            ReadTextFile(std::string(KORVANE_SOURCE_DIR) + "/resources/Language/" + file, kLanguageTextCount);
        ASSERT_TRUE(texts.good);
        for (std::size_t k = 0; k < texts.texts.size() && k < ws().LangText.size(); ++k)
            ws().LangText[k] = FromCp1252(texts.texts[k]);
        sys(kSysEventSms) = 1;
        for (const char* key : {"logic", "Holiday", "SMS_Setup", "mainsetup"}) {
            open(key);
            EXPECT_LE(editor().minimumSizeHint().width(), room.width()) << key;
            EXPECT_LE(editor().minimumSizeHint().height(), room.height()) << key;
        }
        openChannel(kRt, kTypeRealTime);
        EXPECT_LE(editor().minimumSizeHint().width(), room.width()) << "real time";
        openChannel(kMaster, kTypeMaster);
        row(kMaster, kMasterRealTime) = 1;
        editor().Update_Option_Form_elements();
        // The trigger view is open (it stays open for the channel from one language to the next); the
        // button closes it and opens it again without resizing the window.
        if (!editor().masterPage()->triggerViewShown())
            child<QPushButton>("Cmd_viewRt")->click();
        for (int click = 0; click < 2; ++click) {
            child<QPushButton>("Cmd_viewRt")->click();
            EXPECT_EQ(editor().size(), room) << "the window keeps its size for the trigger view";
        }
        EXPECT_TRUE(editor().masterPage()->triggerViewShown());
        EXPECT_LE(editor().minimumSizeHint().width(), room.width()) << "trigger view";
        EXPECT_LE(editor().minimumSizeHint().height(), room.height()) << "trigger view";
    }
}
