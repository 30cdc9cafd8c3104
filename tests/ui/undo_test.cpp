#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>
#include <map>

#include "app/access_keys.h"
#include "model/channel_types.h"
#include "tests/support/io_test_support.h"
#include "tests/support/transfer_fixture.h"
#include "ui/editor/pages/master_page.h"
#include "ui/main/channel_cell.h"

using namespace korvane;
using namespace korvane::test;

namespace {

class UndoTest : public TransferFixture {
protected:
    void undoKey() { QTest::keyClick(&main(), Qt::Key_Z, Qt::ControlModifier); }
    void redoKey() { QTest::keyClick(&main(), Qt::Key_Y, Qt::ControlModifier); }
    void redoShiftKey() { QTest::keyClick(&main(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
    // Everything the windows show of the configuration: every cell of the matrix, and every field,
    // list, box and grid cell on show in the editor.
    QString shown() {
        QStringList out;
        for (int c = 0; c < kChannels; ++c) {
            const ChannelCell* cell = main().cell(c);
            out << QStringLiteral("%1 %2 %3 %4")
                       .arg(cell->toolTip())
                       .arg(cell->pictureType())
                       .arg(cell->pictureAlternative())
                       .arg(cell->isVisible());
        }
        for (QWidget* w : editor().findChildren<QWidget*>()) {
            if (!w->isVisibleTo(&editor()))
                continue;
            const QString name = w->objectName() + QLatin1Char(' ');
            if (auto* line = qobject_cast<QLineEdit*>(w))
                out << name + line->text();
            else if (auto* text = qobject_cast<QPlainTextEdit*>(w))
                out << name + text->toPlainText();
            else if (auto* list = qobject_cast<QComboBox*>(w))
                out << name + list->currentText();
            else if (auto* box = qobject_cast<QCheckBox*>(w))
                out << name + QString::number(box->isChecked());
            else if (auto* cell = qobject_cast<MasterCell*>(w))
                out << name + QString::number(cell->picture());
        }
        return out.join(QLatin1Char('\n'));
    }
    // What `now` shows differently from `then`: the matrix always, a field where both show it (Undo
    // may open another page to show what it undid).
    static std::string differing(const QString& now, const QString& then) {
        const auto byName = [](const QString& text) {
            std::map<QString, QString> lines;
            for (const QString& line : text.split(QLatin1Char('\n')))
                lines[line.section(QLatin1Char(' '), 0, 0)] = line;
            return lines;
        };
        const auto a = byName(now), b = byName(then);
        std::string out;
        for (const auto& [name, line] : b)
            if (a.count(name) && a.at(name) != line)
                out += "\n  " + a.at(name).toStdString() + "  (was " + line.toStdString() + ")";
        return out;
    }
};

} // namespace

// The edits of tests/data/ui_undo_edits.txt.
TEST_F(UndoTest, everyKindOfEditIsUndoneAndRedoneToTheByte) {
    useShippedTexts("English.dat");
    for (const auto& r : korvane::testing::dataTable("ui_undo_edits.txt", 5)) {
        SCOPED_TRACE(r[0]);
        const int steps = std::stoi(r[3]);
        ws().clear();
        perform(r[1]);
        perform("forget"); // what the set-up did counts as loaded
        EXPECT_FALSE(act("M_Edit_Undo")->isEnabled());
        const Configuration before = ws().cfg;
        const QString shownBefore = shown();

        perform(r[2]);
        const Configuration after = ws().cfg;
        const QString shownAfter = shown();
        ASSERT_FALSE(after == before);
        ASSERT_NE(shownAfter, shownBefore);
        EXPECT_EQ(ws().undoStack().count(), steps);
        EXPECT_TRUE(ws().dataChanged());
        EXPECT_TRUE(act("M_Edit_Undo")->isEnabled());
        EXPECT_FALSE(act("M_Edit_Redo")->isEnabled());
        // The menu names the step, in the words of its value's caption.
        const QString undoText = act("M_Edit_Undo")->text();
        if (r[4] != "-") {
            EXPECT_EQ(WithoutAccessKeyMark(undoText.left(undoText.indexOf(QLatin1Char('\t')))).toStdString(), r[4]);
            EXPECT_EQ(act("M_Edit_Undo")->toolTip().toStdString(), r[4]);
        }
        for (int k = 0; k < steps; ++k)
            undoKey();
        // Undo shows what it undid: the field the value was typed into has the keyboard again.
        if (const std::size_t at = r[2].find("type="); at != std::string::npos) {
            const std::string field = r[2].substr(at + 5, r[2].find(':', at) - at - 5);
            if (field != "matrix") {
                const QWidget* focused = QApplication::focusWidget();
                EXPECT_EQ(focused ? focused->objectName().toStdString() : std::string("nothing"), field);
            }
        }
        EXPECT_TRUE(ws().cfg == before);
        EXPECT_EQ(differing(shown(), shownBefore), "");
        EXPECT_FALSE(ws().dataChanged()); // back at the saved state
        EXPECT_FALSE(act("M_Edit_Undo")->isEnabled());
        EXPECT_TRUE(act("M_Edit_Redo")->isEnabled());

        for (int k = 0; k < steps; ++k)
            k % 2 ? redoShiftKey() : redoKey();
        EXPECT_TRUE(ws().cfg == after);
        EXPECT_EQ(differing(shown(), shownAfter), "");
        EXPECT_TRUE(ws().dataChanged());
        EXPECT_FALSE(act("M_Edit_Redo")->isEnabled());
    }
    EXPECT_EQ(dialogs.unexpected, 0);
}

// The menu shows the undo and redo keys after each language's Ctrl name: a scenario of
// tests/data/ui_matrix_steps.txt.
TEST_F(UndoTest, aShortcutLetterOfTheLanguageComesBeforeUndo) {
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

// How undo and redo follow the saved state is a scenario of tests/data/ui_matrix_steps.txt.
TEST_F(UndoTest, aNewConfigurationForgetsTheSteps) {
    dialogs.files = {tempPath("house.zeb")};
    act("M_File_SaveAs")->trigger();
    // New, Open, a recent file and a read from the unit each start without steps; what was read is in
    // no file yet, so undoing back to it leaves it changed.
    const auto read = [this] {
        act("M_File_Read")->trigger();
        ASSERT_NE(window(), nullptr);
        press();
        EXPECT_TRUE(window()->transferDone());
        closeWith("Cmd_ok");
    };
    const std::tuple<const char*, std::function<void()>, bool> fresh[] = {
        {"New", [this] { act("M_File_New")->trigger(); }, true},
        {"Open",
         [this] {
             dialogs.files = {tempPath("house.zeb")};
             act("M_File_Open")->trigger();
         },
         true},
        {"recent file", [this] { act("Load_fileno_1")->trigger(); }, true},
        {"read", read, false},
    };
    for (const auto& [what, start, inFile] : fresh) {
        SCOPED_TRACE(what);
        focus(&main());
        QTest::keyClick(&main(), Qt::Key_F);
        ASSERT_TRUE(ws().canUndo());
        dialogs.answers = {Answer::Discard}; // do not save first
        start();
        EXPECT_FALSE(ws().canUndo());
        EXPECT_FALSE(ws().canRedo());
        EXPECT_FALSE(act("M_Edit_Undo")->isEnabled());
        EXPECT_EQ(ws().dataChanged(), !inFile);
        const Configuration started = ws().cfg;
        QApplication::setActiveWindow(&main());
        ws().setCurChannel(0);
        QTest::keyClick(&main(), Qt::Key_F);
        undoKey();
        EXPECT_TRUE(ws().cfg == started);
        EXPECT_EQ(ws().dataChanged(), !inFile);
    }
    EXPECT_EQ(dialogs.unexpected, 0);
}
