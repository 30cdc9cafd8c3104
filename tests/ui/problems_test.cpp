// The problems list in the window: the description's counter, the list and the cell marks following
// an edit and its undo, the question before a write, and the jump from a problem to its field.

#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include "model/text_ids.h"
#include "tests/support/program_fixture.h"
#include "ui/editor/form/kept_counter.h"
#include "ui/main/channel_cell.h"
#include "ui/main/problems_pane.h"
#include "ui/transfer/frm_serial_io.h"

using namespace korvane;
using namespace korvane::test;

namespace {

class ProblemsTest : public StartedProgramFixture {
protected:
    QStringList listed() {
        QStringList out;
        for (const Problem& p : main().problemsPane()->problems())
            out << QStringLiteral("%1 %2").arg(QLatin1String(p.rule->name)).arg(p.place.number);
        return out;
    }
    FrmSerialIO* transferWindow() { return main().findChild<FrmSerialIO*>(); }
};

TEST_F(ProblemsTest, aLongDescriptionIsCountedMarkedListedAndGoneAgainOnUndo) {
    perform("C2=8 C3=12 click=C2");
    const auto* counter = child<KeptCounter>(QStringLiteral("TextBeskriv_kept"));
    ASSERT_NE(counter, nullptr);
    EXPECT_EQ(counter->text(), QStringLiteral("0 / 31"));
    EXPECT_TRUE(listed().isEmpty()) << listed().join(QLatin1Char(',')).toStdString();
    perform("type=TextBeskriv:Schluesselschalter_Haustuer_scharf");
    EXPECT_EQ(ws().cfg.ChanText[17].size(), 34u) << "the text stays as typed";
    EXPECT_EQ(counter->text(), QStringLiteral("34 / 31"));
    EXPECT_TRUE(counter->over());
    EXPECT_EQ(listed(), QStringList{QStringLiteral("text-cut 17")});
    EXPECT_EQ(main().cell(17)->problemSeverity(), 0);
    EXPECT_TRUE(main().cell(17)->fullToolTip().contains(ws().text(kTxtSeverityCut)))
        << main().cell(17)->fullToolTip().toStdString();
    EXPECT_EQ(main().cell(18)->problemSeverity(), -1);
    EXPECT_EQ(child<QLabel>(QStringLiteral("ProblemsCount"))->text(), ws().text(kTxtProblemCount).arg(1));
    ws().endEntry();
    ws().undo();
    EXPECT_TRUE(listed().isEmpty()) << listed().join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(main().cell(17)->problemSeverity(), -1);
    EXPECT_EQ(child<QLabel>(QStringLiteral("ProblemsCount"))->text(), ws().text(kTxtNoProblems));
    ws().redo();
    EXPECT_EQ(listed(), QStringList{QStringLiteral("text-cut 17")});
}

TEST_F(ProblemsTest, aWriteWithProblemsAsksFirstAndOnlyThen) {
    // None: nothing is asked, the transfer window opens.
    main().M_File_Write_Click();
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_NE(transferWindow(), nullptr);
    delete transferWindow();

    perform("C3=12"); // a siren without a detector
    struct {
        Answer answer;
        bool written;
        bool listShown;
    } const cases[] = {{Answer::Cancel, false, false}, {Answer::Save, false, true}, {Answer::Discard, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        main().showProblems(false);
        dialogs.shown.clear();
        dialogs.answers = {c.answer};
        main().M_File_Write_Click();
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].saveButtons.save, ws().text(kTxtShowProblems));
        EXPECT_EQ(dialogs.shown[0].saveButtons.discard, ws().text(kTxtWriteAnyway));
        EXPECT_TRUE(dialogs.shown[0].saveButtons.cancel.isEmpty()) << "the standard Cancel, which Escape answers";
        EXPECT_TRUE(dialogs.shown[0].text.contains(QLatin1String("C3")));
        EXPECT_EQ(transferWindow() != nullptr, c.written);
        EXPECT_EQ(main().findChild<QDockWidget*>(QStringLiteral("ProblemsDock"))->isVisibleTo(&main()), c.listShown);
        delete transferWindow();
    }
}

// A problem's row leads to its page and field (Enter on the row, as a double-click).
TEST_F(ProblemsTest, enterOnAProblemOpensItsPageAndField) {
    const struct {
        const char* steps;
        const char* page;
        const char* field;
    } rows[] = {
        {"C2=8 C3=12 C2.1=0", "", "T_TyvDiasble"}, // a disable channel that is unused
        {"C5=6", "", "HourOn_0"},                  // a real-time channel that never switches
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.steps);
        ws().clear();
        ws().announceReplaced();
        perform(r.steps);
        ws().announceReplaced();
        main().showProblems(true);
        QTreeWidget* list = main().problemsPane()->list();
        ASSERT_EQ(list->topLevelItemCount(), 1);
        list->setCurrentItem(list->topLevelItem(0));
        QTest::keyClick(list, Qt::Key_Return);
        EXPECT_EQ(editor().pageKey(), QLatin1String(r.page));
        EXPECT_EQ(editor().focusWidget() ? editor().focusWidget()->objectName() : QString(), QLatin1String(r.field));
    }
}

} // namespace
