#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <vector>

#include "model/channel_types.h"
#include "tests/support/io_test_support.h"
#include "tests/support/program_fixture.h"
#include "tests/support/workspace_setup.h"
#include "ui/main/channel_cell.h"

using namespace korvane;
using namespace korvane::test;

namespace {

class EditorTest : public StartedProgramFixture {};

} // namespace

// The scenarios of tests/data/ui_editor_steps.txt: the device number, how events go out, the lists
// that claim channels, values the lists cannot show, the system description.
TEST_F(EditorTest, stepsShowAndStoreWhatTheirTableSays) {
    runScenarios("ui_editor_steps.txt");
}

// The grids of the editor (a master's targets, a siren's flash pattern, the exchange mask) under
// clicks, keys and the group menu: the steps of tests/data/ui_grid_steps.txt.
TEST_F(EditorTest, gridStepsSetTheTargetsOfEveryGrid) {
    runScenarios("ui_grid_steps.txt");
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
                    QApplication::setActiveWindow(nullptr);
                    QApplication::setActiveWindow(editor().window());
                } else if (k == "Ctrl" || k == "Alt") {
                    QTest::keyClick(field, k == "Ctrl" ? Qt::Key_Control : Qt::Key_Alt,
                                    k == "Ctrl" ? Qt::ControlModifier : Qt::AltModifier);
                } else {
                    const QKeyCombination key = QKeySequence(QString::fromStdString(k))[0];
                    QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
                }
            }
            QTest::keyClicks(field, QStringLiteral("Bad oben"));

            ASSERT_TRUE(ws().cfg.ChanSetup == channelsBefore) << "a channel changed";
            EXPECT_EQ(QApplication::focusWidget(), field);
            EXPECT_EQ(QApplication::activeWindow(), editor().window());
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

TEST_F(EditorTest, aStoredLoneCrOrLfShowsAsALineBreakAndIsKeptUntilEdited) {
    perform("page=mainsetup focus=T_generelBeskriv");
    auto* box = child<QPlainTextEdit>(QStringLiteral("T_generelBeskriv"));
    ConfigurationForSetUp(ws()).DescText[kGeneralDescription] = "a\rb\nc";
    editor().Update_Option_Form_elements();
    EXPECT_EQ(box->toPlainText(), QStringLiteral("a\nb\nc"));
    EXPECT_EQ(ws().cfg.DescText[kGeneralDescription], "a\rb\nc");
    // Shift+Enter hands the keyboard to the matrix and adds no line.
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
    perform("A5=0 click=A5 tick=Check2 tick=Chk_InvertMono");
    EXPECT_EQ(ws().cfg.ChanFlags[4], kFlagCheck2);
    EXPECT_EQ(ws().cfg.ChanSetup[4][kBasicOptions], 1);
    EXPECT_TRUE(main().cell(4)->pictureAlternative());
}

// The editor in its own window, minimised, comes back on the next opener; closed, it goes back beside
// the matrix.
TEST_F(EditorTest, aDetachedEditorMinimisedOrClosedComesBackOnTheNextOpener) {
    main().setEditorDetached(true);
    ASSERT_TRUE(editor().isWindow());
    EXPECT_EQ(editor().pos().y(), 0);
    editor().showMinimized();
    act("Menu_Edit_Basic_Setup")->trigger();
    EXPECT_FALSE(editor().isMinimized());
    EXPECT_TRUE(editor().isVisible());
    EXPECT_EQ(editor().currentPage(), QStringLiteral("Frame_Main_Setup"));
    editor().close();
    EXPECT_EQ(editor().window(), &main());
    act("Menu_Edit_Logic_Setup")->trigger();
    EXPECT_TRUE(editor().isVisible());
    EXPECT_EQ(editor().currentPage(), QStringLiteral("Frame_Logic_Setup"));
    EXPECT_EQ(settings().value("EditorDetached"), QStringLiteral("0"));
}
