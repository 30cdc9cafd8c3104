// View > Problems: the problems list as a pane beside the matrix, its count in the status bar, the
// marks in the matrix's cells, and the question before File > Write.

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QStatusBar>
#include <QTreeWidget>

#include "model/text_ids.h"
#include "ui/editor/editor_window.h"
#include "ui/main/channel_cell.h"
#include "ui/main/main_window.h"
#include "ui/main/problems_pane.h"

namespace korvane {

namespace {
// The problems a write question names before "... and n more".
constexpr int kQuestionLines = 8;
} // namespace

void MainWindow::buildProblems() {
    problems_ = new ProblemsPane(ctx_, this);
    problemsDock_ = new QDockWidget(this);
    problemsDock_->setObjectName(QStringLiteral("ProblemsDock"));
    problemsDock_->setWidget(problems_);
    problemsDock_->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                               QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::BottomDockWidgetArea, problemsDock_);
    problemsDock_->hide();

    problemsAction_ = action("M_View_Problems", [this] { showProblems(!problemsDock_->isVisible()); });
    problemsAction_->setCheckable(true);
    mView_->addAction(problemsAction_);
    // The entry follows the pane also when its own close button hides it (no member is read here: the
    // pane also hides while the window is destroyed).
    connect(problemsDock_, &QDockWidget::visibilityChanged, problemsAction_,
            [entry = problemsAction_](bool shown) { entry->setChecked(shown); });

    problemsCount_ = new ProblemsCount(this);
    statusBar()->addPermanentWidget(problemsCount_);
    connect(problemsCount_, &ProblemsCount::clicked, this, [this] { showProblems(true); });

    connect(problems_, &ProblemsPane::problemsChanged, this, &MainWindow::showProblemMarks);
    connect(problems_, &ProblemsPane::problemChosen, this,
            [this](int i) { editor_.showProblem(problems_->problems()[static_cast<std::size_t>(i)]); });
    connect(&ctx_.ws, &Workspace::textsChanged, this, &MainWindow::retranslateProblems);
    retranslateProblems();
    showProblemMarks();
}

void MainWindow::retranslateProblems() {
    problemsAction_->setText(ctx_.ws.menuText(kTxtProblems));
    problemsDock_->setWindowTitle(ctx_.ws.text(kTxtProblems));
    problemsCount_->show(ctx_.ws, problems_->problems());
}

void MainWindow::showProblems(bool shown) {
    problemsDock_->setVisible(shown);
    problemsAction_->setChecked(shown);
    if (shown) {
        problemsDock_->raise();
        problems_->list()->setFocus(Qt::OtherFocusReason);
        if (!problems_->list()->currentItem() && problems_->list()->topLevelItemCount() > 0)
            problems_->list()->setCurrentItem(problems_->list()->topLevelItem(0));
    }
}

void MainWindow::showProblemMarks() {
    for (int n = 0; n < kChannels; ++n) {
        int worst = -1;
        const QStringList lines = problems_->channelLines(n, &worst);
        cells_[static_cast<std::size_t>(n)]->setProblems(worst, lines);
    }
    problemsCount_->show(ctx_.ws, problems_->problems());
}

bool MainWindow::askBeforeWrite() {
    editor_.commitPendingEdits();
    problems_->refresh();
    const std::vector<Problem>& all = problems_->problems();
    if (!HasSeriousProblems(all))
        return true;
    const Workspace& ws = ctx_.ws;
    QString text = ws.text(kTxtWriteProblems) + QLatin1Char('\n');
    int listed = 0, serious = 0;
    for (const Problem& p : all) {
        if (p.rule->severity == Severity::Note)
            continue;
        ++serious;
        if (listed < kQuestionLines) {
            text += QStringLiteral("\n\u2022 ") + problems_->line(p);
            ++listed;
        }
    }
    if (serious > listed)
        text += QLatin1Char('\n') + ws.text(kTxtMoreProblems).arg(serious - listed);
    const Answer a = ctx_.dialogs.askSave(
        this, text, SaveChoiceTexts{ws.text(kTxtShowProblems), ws.text(kTxtWriteAnyway), {}, false});
    if (a == Answer::Save)
        showProblems(true);
    return a == Answer::Discard;
}

} // namespace korvane
