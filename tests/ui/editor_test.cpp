#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <array>
#include <map>
#include <vector>

#include "model/channel_types.h"
#include "model/master.h"
#include "model/text_ids.h"
#include "pictures/icon_factory.h"
#include "tests/support/io_test_support.h"
#include "tests/support/program_fixture.h"
#include "ui/editor/pages/master_page.h"
#include "ui/main/channel_cell.h"

using namespace korvane;
using namespace korvane::test;

namespace {

constexpr int kMaster = 5;
constexpr int kB3 = 10;

class EditorTest : public StartedProgramFixture {
protected:
    void openMainSetup() { act("Menu_Edit_Basic_Setup")->trigger(); }
    MasterCell* cell(int t) { return editor().masterPage()->cell(t); }
    QWidget* dummy() { return child("T_dummy"); }
    void key(Qt::Key k) { QTest::keyClick(dummy(), k); }
    void rightClick(int t) { QTest::mouseClick(cell(t), Qt::RightButton); }
    void chooseGroup(const char* entry) {
        act(entry)->trigger();
        main().groupMenu()->hide();
    }
};

} // namespace

TEST_F(EditorTest, theExchangeMenuFollowsTheDeviceNumberOnEnter) {
    openMainSetup();
    EXPECT_EQ(editor().windowTitle(), QStringLiteral("D9"));
    auto* dev = child<QLineEdit>("T_DeviceNo");
    focus(dev);
    EXPECT_EQ(ws().FocusHelpId, kHelpDeviceNumber);
    QTest::keyClick(dev, Qt::Key_5);
    EXPECT_FALSE(act("Menu_Edit_ExchangeMask")->isEnabled()); // the menu follows the stored value
    QTest::keyClick(dev, Qt::Key_Return);
    EXPECT_FALSE(act("Menu_Edit_ExchangeMask")->isEnabled());
    EXPECT_EQ(sys(kSysDeviceNo), 5);
    QApplication::setActiveWindow(&main());
    focus(dev);
    QTest::keyClick(dev, Qt::Key_0, Qt::KeypadModifier);
    QTest::keyClick(dev, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(sys(kSysDeviceNo), 0);
    EXPECT_TRUE(act("Menu_Edit_ExchangeMask")->isEnabled());
}

TEST_F(EditorTest, eventOutputSwitchesTheMenusAndTheDeviceNumber) {
    struct Case {
        int item;
        Byte sms, off;
        bool smsMenu, exchangeMenu, deviceEnabled;
    };
    const Case cases[] = {{1, 1, 0, true, false, false}, {2, 0, 1, false, false, true}, {0, 0, 0, false, true, true}};
    sys(kSysDeviceNo) = 0;
    openMainSetup();
    auto* box = child<QComboBox>("Combo_EventSelect");
    act("Menu_Edit_ExchangeMask")->setEnabled(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        ws().setDataChanged(false);
        emit box->activated(c.item);
        EXPECT_EQ(sys(kSysEventSms), c.sms);
        EXPECT_EQ(sys(kSysEventOff), c.off);
        EXPECT_TRUE(ws().dataChanged()); // switching the event output off counts as a change too
        EXPECT_EQ(act("Menu_Edit_SMS_Setup")->isEnabled(), c.smsMenu);
        EXPECT_EQ(act("Menu_Edit_ExchangeMask")->isEnabled(), c.exchangeMenu);
        EXPECT_EQ(child("T_DeviceNo")->isEnabled(), c.deviceEnabled);
    }
}

TEST_F(EditorTest, claimingListsTakeChannelsAndGiveThemBackFromTheSnapshot) {
    ws().changeChannelType(0, kTypeMono);
    ws().changeChannelType(2, kTypeIntruderPassive);
    ws().changeChannelType(18, kTypeSmokePassive);
    ws().changeChannelType(40, kTypeFlipFlop);
    openMainSetup();
    auto types = [this](int from, int to) {
        std::vector<int> t;
        for (int c = from; c <= to; ++c)
            t.push_back(ws().typeOf(c));
        return t;
    };
    auto mux = child<QComboBox>("Combo_MuxCount");
    focus(mux);
    QTest::keyClick(mux, Qt::Key_Down);
    QTest::keyClick(mux, Qt::Key_Down);
    EXPECT_EQ(mux->currentText(), QStringLiteral("3"));
    EXPECT_EQ(sys(kSysMuxCount), 2);
    EXPECT_EQ(types(0, 4), (std::vector<int>{31, 31, 31, 31, 1}));
    EXPECT_EQ(main().cell(2)->pictureType(), kTypeMuxClaim); // the matrix follows
    QTest::keyClick(mux, Qt::Key_Home);
    EXPECT_EQ(types(0, 3), (std::vector<int>{0, 1, 8, 1}));
    EXPECT_EQ(main().cell(2)->pictureType(), kTypeIntruderPassive);
    // Typing does not choose.
    QTest::keyClick(mux, Qt::Key_5);
    EXPECT_EQ(mux->currentIndex(), 0);

    auto dup = child<QComboBox>("ComboDupUr");
    focus(dup);
    QTest::keyClick(dup, Qt::Key_Down); // C-D
    EXPECT_EQ(ws().typeOf(18), kTypeTimeOutputClaim);
    QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason); // a look at the main window and back
    QApplication::sendEvent(dup, &back);
    QTest::keyClick(dup, Qt::Key_Down); // E-F releases C-D
    EXPECT_EQ(types(16, 19), (std::vector<int>{1, 1, 19, 1}));
    EXPECT_EQ(types(32, 47), std::vector<int>(16, kTypeTimeOutputClaim));
    QTest::keyClick(dup, Qt::Key_Home);
    EXPECT_EQ(ws().typeOf(40), kTypeFlipFlop);

    auto counter = child<QComboBox>("Combo_Counter");
    focus(counter);
    for (auto [item, lastClaimed] : {std::pair{4, 47}, {3, 39}, {2, 31}, {1, 23}, {0, 7}}) {
        SCOPED_TRACE(item);
        emit counter->activated(item);
        EXPECT_EQ(sys(kSysCounter), item);
        for (int c = 8; c <= 48; ++c) {
            const int expected = c <= lastClaimed ? kTypeCounterClaim : c == 18 ? 19 : c == 40 ? 2 : 1;
            ASSERT_EQ(ws().typeOf(c), expected) << c;
        }
    }
}

TEST_F(EditorTest, valuesTheListsCannotShowAreShownAsUnknownAndKept) {
    // The byte, its value and the value it has once the page shows: kept by the lists, or repaired.
    const std::tuple<int, Byte, Byte> bytes[] = {{kSysChannelsInUse, 100, 100}, {kSysMuxCount, 20, 20},
                                                 {kSysTimeOutput, 9, 9},        {kSysMuxDelay, 9, 0},
                                                 {kSysCounter, 7, 0},           {kSysAutoSummerTime, 5, 1}};
    for (auto [b, value, shown] : bytes)
        sys(b) = value;
    openMainSetup();
    for (const char* name : {"Combo_NoChannels", "Combo_MuxCount", "ComboDupUr"})
        EXPECT_EQ(child<QComboBox>(QLatin1String(name))->currentText(), QStringLiteral("?")) << name;
    for (auto [b, value, shown] : bytes)
        EXPECT_EQ(sys(b), shown) << b;
    auto* channels = child<QComboBox>("Combo_NoChannels");
    emit channels->activated(channels->findText(QStringLiteral("64")));
    EXPECT_EQ(sys(kSysChannelsInUse), 63);
    EXPECT_EQ(channels->findText(QStringLiteral("?")), -1);
    EXPECT_FALSE(main().cell(64)->isVisibleTo(&main()));
}

TEST_F(EditorTest, aClaimedChannelOpensTheListThatClaimedIt) {
    const std::pair<int, const char*> cases[] = {
        {kTypeCounterClaim, "Combo_Counter"}, {kTypeTimeOutputClaim, "ComboDupUr"}, {kTypeMuxClaim, "Combo_MuxCount"}};
    for (auto [type, list] : cases) {
        ws().cfg.ChanSetup[9][kRowType] = static_cast<Byte>(type);
        QApplication::setActiveWindow(&main());
        ws().setCurChannel(9);
        QTest::keyClick(&main(), Qt::Key_Return);
        EXPECT_EQ(editor().currentPage(), QStringLiteral("Frame_Main_Setup")) << list;
        EXPECT_EQ(editor().focusWidget(), child(QLatin1String(list))) << list;
    }
}

// The grids of the editor (a master's targets, a siren's flash pattern, the exchange mask) under
// clicks, keys and the group menu: the steps of tests/data/ui_grid_steps.txt.
TEST_F(EditorTest, gridStepsSetTheTargetsOfEveryGrid) {
    const std::map<std::string, int> states = {
        {"fixed", kMasterNotDrivable}, {"off", kMasterOff}, {"on", kMasterOn}, {"x", kMasterNotAffected}};
    const std::map<std::string, const char*> entries = {
        {"on", "M_gruppeOn"}, {"off", "M_gruppeOff"}, {"x", "M_GruppeX"}};
    const auto number = [](const std::string& field) { return field == "-" ? -1 : std::stoi(field); };
    const auto stored = [this](const std::string& grid, int t) {
        if (grid == "exchange")
            return GetExchBit(ws().cfg, t) ? kMasterOn : kMasterNotAffected;
        return GetMaster(ws().cfg, t, grid == "master" ? kMaster : 3);
    };
    std::string open;
    for (const auto& r : korvane::testing::dataTable("ui_grid_steps.txt", 6)) {
        SCOPED_TRACE(r[0] + " " + r[1]);
        const std::string& grid = r[0];
        const std::vector<std::string> step = korvane::testing::splitOn(r[1], ' ');
        const int target = number(r[2]);
        if (open != grid) {
            open = grid;
            ws().clear();
            sys(kSysChannelsInUse) = 15;
            if (grid == "master") {
                openMaster();
                EXPECT_EQ(editor().currentPage(), QStringLiteral("Frame_MasterFunction_Setup"));
                EXPECT_EQ(ws().FocusTag, QStringLiteral("EditMask"));
                EXPECT_EQ(ws().FocusHelpId, kHelpMasterMatrix);
                EXPECT_EQ(editor().focusWidget(), dummy());
                EXPECT_FALSE(cell(16)->isVisibleTo(&editor()));
            } else if (grid == "flash") {
                ws().changeChannelType(3, kTypeIntruderSiren);
                ws().changeChannelType(kB3, kTypeMono);
                ws().setCurChannel(3);
                editor().openFlashPattern();
                QApplication::setActiveWindow(&editor());
            } else {
                sys(kSysChannelsInUse) = 31;
                sys(kSysDeviceNo) = 0;
                QApplication::setActiveWindow(&main()); // the entry follows the device number
                act("Menu_Edit_ExchangeMask")->trigger();
                QApplication::setActiveWindow(&editor());
                EXPECT_EQ(editor().windowTitle(), QStringLiteral("D306"));
                EXPECT_FALSE(child("Chk_masterRt")->isVisibleTo(&editor()));
                EXPECT_EQ(child<QLabel>("L_Master_2")->text(), QStringLiteral("D304"));
                EXPECT_FALSE(cell(32)->isVisibleTo(&editor()));
                EXPECT_FALSE(child("F_beskrivelse")->isVisibleTo(&editor()));
            }
            dialogs.beeps = 0;
        }
        ws().setDataChanged(false);
        const Configuration before = ws().cfg;
        const int stateBefore = target < 0 ? -1 : stored(grid, target);
        if (step[0] == "click") {
            QTest::mouseClick(cell(std::stoi(step[1])), Qt::LeftButton);
        } else if (step[0] == "key") {
            key(QKeySequence(QString::fromStdString(step[1]))[0].key());
        } else {
            rightClick(std::stoi(step[1]));
            EXPECT_EQ(ws().edit.CurGroup, std::stoi(step[1]) / 8);
            EXPECT_EQ(act("M_gruppeOff")->isVisible(), grid == "master");
            chooseGroup(entries.at(step[0]));
        }
        if (target >= 0) {
            const int state = states.at(r[3]);
            EXPECT_EQ(stored(grid, target), state);
            EXPECT_EQ(cell(target)->picture(), IconFactory::kMasterGridBase + state);
            EXPECT_EQ(ws().cfg == before, stateBefore == state) << "a step that keeps the state stores nothing";
            EXPECT_EQ(ws().dataChanged(), stateBefore != state);
        }
        if (const int cursor = number(r[4]); cursor >= 0) {
            EXPECT_EQ(ws().edit.MatrixCursor, cursor);
            EXPECT_TRUE(cell(cursor)->cursor());
        }
        if (r[5] != "-") {
            EXPECT_EQ(dialogs.beeps, std::stoi(r[5]));
        }
    }
}

// Ctrl and Alt in a field of the editor are the field's editing keys or the program's commands; they
// never hand the following letters to the matrix, where a letter gives a channel a function. Each case
// of tests/data/ui_field_keys.txt in each field: a text typed into the field first, the keys, then
// "Bad oben"; the field shows what the keys made of the text (the number field takes no letters), the
// keyboard stays in the field and no channel changes.
TEST_F(EditorTest, ctrlAndAltInAFieldNeverHandTheLettersToTheMatrix) {
    // The field, its page (a channel's page for "") and what is typed into it first.
    const std::tuple<const char*, const char*, const char*> fields[] = {
        {"TextBeskriv", "", "Flur"}, {"T_DeviceNo", "mainsetup", "2"}, {"T_LogicDescription", "logic", "Flur"}};
    const auto rows = korvane::testing::dataTable("ui_field_keys.txt", 3);
    for (const auto& [name, page, typed] : fields) {
        for (const auto& r : rows) {
            SCOPED_TRACE(std::string(name) + ", " + r[0]);
            ws().clear();
            ws().changeChannelType(0, kTypeMono);
            ws().changeChannelType(1, kTypeTimerDelay);
            ws().forgetHistory(true); // as loaded: what Ctrl+Z can undo is what is typed below
            const auto channelsBefore = ws().cfg.ChanSetup;
            QGuiApplication::clipboard()->setText(QStringLiteral("5"));
            if (*page)
                editor().openPage(QLatin1String(page));
            else
                QTest::mouseClick(main().cell(0), Qt::LeftButton);
            QWidget* field = child(QLatin1String(name));
            field->clearFocus(); // entered afresh: the first digit replaces the value
            focus(field);
            QTest::keyClicks(field, QLatin1String(typed));
            for (const std::string& k : korvane::testing::splitOn(r[0], ',')) {
                if (k == "window") {
                    QApplication::setActiveWindow(&main());
                    QApplication::setActiveWindow(&editor());
                } else if (k == "Ctrl" || k == "Alt") {
                    QTest::keyClick(field, k == "Ctrl" ? Qt::Key_Control : Qt::Key_Alt,
                                    k == "Ctrl" ? Qt::ControlModifier : Qt::AltModifier);
                } else {
                    const QKeyCombination key = QKeySequence(QString::fromStdString(k))[0];
                    QTest::keyClick(field, key.key(), key.keyboardModifiers());
                }
            }
            QTest::keyClicks(field, QStringLiteral("Bad oben"));

            ASSERT_TRUE(ws().cfg.ChanSetup == channelsBefore) << "a channel changed";
            EXPECT_EQ(QApplication::focusWidget(), field);
            EXPECT_EQ(QApplication::activeWindow(), &editor());
            EXPECT_TRUE(dialogs.fileDialogs.empty());
            if (auto* line = qobject_cast<QLineEdit*>(field))
                EXPECT_EQ(line->text(), QString::fromStdString(qstrcmp(name, "T_DeviceNo") == 0 ? r[2] : r[1]));
            else
                EXPECT_EQ(qobject_cast<QPlainTextEdit*>(field)->toPlainText(), QString::fromStdString(r[1]));
        }
    }
    // The commands still answer their keys from a field, and the keyboard stays there.
    QWidget* notes = child(QStringLiteral("T_LogicDescription"));
    dialogs.files = {std::nullopt};
    QTest::keyClick(notes, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(QApplication::focusWidget(), notes);
}

TEST_F(EditorTest, systemDescriptionTakesSeveralLinesStoredWithCrLf) {
    editor().openPage(QStringLiteral("mainsetup"));
    auto* box = child<QPlainTextEdit>(QStringLiteral("T_generelBeskriv"));
    focus(box);
    QTest::keyClicks(box, QStringLiteral("line one"));
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClicks(box, QStringLiteral("line two"));
    EXPECT_EQ(ws().cfg.DescText[kGeneralDescription], "line one\r\nline two");
    // A stored lone CR or LF shows as a line break and is kept until the text is edited.
    ws().cfg.DescText[kGeneralDescription] = "a\rb\nc";
    editor().Update_Option_Form_elements();
    EXPECT_EQ(box->toPlainText(), QStringLiteral("a\nb\nc"));
    EXPECT_EQ(ws().cfg.DescText[kGeneralDescription], "a\rb\nc");
    // Shift+Enter hands the keyboard to the main window and adds no line.
    QTest::keyClick(box, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(main().focusWidget(), &main());
    EXPECT_EQ(ws().cfg.DescText[kGeneralDescription], "a\rb\nc");
}

// A channel's page shows the boxes that apply to its type (the event options also by how events go
// out); a tick stores its byte and the matrix follows.
TEST_F(EditorTest, channelPagesShowTheBoxesThatApplyAndStoreTheirTicks) {
    for (const auto& r : korvane::testing::dataTable("ui_channel_boxes.txt", 6)) {
        SCOPED_TRACE(r[0] + " " + r[1]);
        const std::vector<std::string> events = korvane::testing::splitOn(r[1], ' ');
        sys(kSysEventSms) = static_cast<Byte>(std::stoi(events[0]));
        sys(kSysEventOff) = static_cast<Byte>(std::stoi(events[1]));
        openChannel(4, std::stoi(r[0]));
        EXPECT_EQ(child("Check1")->isVisibleTo(&editor()), r[2] == "yes");
        EXPECT_EQ(child("Check2")->isVisibleTo(&editor()), r[2] == "yes");
        EXPECT_EQ(child<QCheckBox>("Check1")->text(), QString::fromStdString(r[3]));
        EXPECT_EQ(child("Chk_InvertMono")->isVisibleTo(&editor()), r[4] == "yes");
        EXPECT_EQ(child("Chk_grundUseThief")->isVisibleTo(&editor()), r[5] == "yes");
    }
    openChannel(4, kTypeMono);
    tick(child("Check2"));
    tick(child("Chk_InvertMono"));
    EXPECT_EQ(ws().cfg.ChanFlags[4], kFlagCheck2);
    EXPECT_EQ(ws().cfg.ChanSetup[4][kBasicOptions], 1);
    EXPECT_TRUE(main().cell(4)->pictureAlternative());
}

TEST_F(EditorTest, editorClosedOrMinimisedComesBackOnTheNextOpener) {
    editor().showMinimized();
    act("Menu_Edit_Basic_Setup")->trigger();
    EXPECT_FALSE(editor().isMinimized());
    editor().close();
    editor().move(500, 300);
    act("Menu_Edit_Basic_Setup")->trigger();
    EXPECT_TRUE(editor().isVisible());
    EXPECT_EQ(editor().currentPage(), QStringLiteral("Frame_Main_Setup"));
    EXPECT_EQ(editor().pos().y(), 0);
}
