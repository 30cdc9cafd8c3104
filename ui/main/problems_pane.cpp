#include "ui/main/problems_pane.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/text_codec.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

QIcon severityIcon(Severity s) {
    const QStyle::StandardPixmap p = s == Severity::Cut           ? QStyle::SP_MessageBoxCritical
                                     : s == Severity::WillNotWork ? QStyle::SP_MessageBoxWarning
                                                                  : QStyle::SP_MessageBoxInformation;
    return QApplication::style()->standardIcon(p);
}

TextLookup lookupOf(const Workspace& ws) {
    return [&ws](int n) { return ToCp1252(ws.text(n)); };
}

} // namespace

ProblemsPane::ProblemsPane(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("ProblemsPane"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("ProblemsList"));
    list_->setColumnCount(3);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAlternatingRowColors(true);
    list_->header()->setStretchLastSection(true);
    list_->installEventFilter(this);
    layout->addWidget(list_);
    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const int i = list_->indexOfTopLevelItem(item);
        if (i >= 0 && i < static_cast<int>(problems_.size()))
            emit problemChosen(i);
    });
    Workspace& ws = ctx_.ws;
    connect(&ws, &Workspace::edited, this, &ProblemsPane::refresh);
    connect(&ws, &Workspace::configurationReplaced, this, &ProblemsPane::refresh);
    connect(&ws, &Workspace::textsChanged, this, &ProblemsPane::retranslate);
    retranslate();
}

void ProblemsPane::refresh() {
    problems_ = FindProblems(ctx_.ws.cfg);
    fillList();
    emit problemsChanged();
}

void ProblemsPane::retranslate() {
    const Workspace& ws = ctx_.ws;
    list_->setHeaderLabels({ws.text(kTxtSeverityColumn), ws.text(kTxtPlaceColumn), ws.text(kTxtProblems)});
    refresh();
}

QString ProblemsPane::line(const Problem& p) const {
    return QString::fromStdString(ProblemLine(WordProblem(p, lookupOf(ctx_.ws))));
}

void ProblemsPane::fillList() {
    const TextLookup text = lookupOf(ctx_.ws);
    const int current = list_->currentIndex().row();
    list_->clear();
    for (const Problem& p : problems_) {
        const ProblemWords w = WordProblem(p, text);
        const QString words = FromCp1252(w.field.empty() ? w.words : w.field + ": " + w.words);
        auto* item = new QTreeWidgetItem(list_, {FromCp1252(w.severity), FromCp1252(w.place), words});
        item->setIcon(0, severityIcon(p.rule->severity));
        item->setToolTip(2, words);
    }
    if (current >= 0 && list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(std::min(current, list_->topLevelItemCount() - 1)));
    for (int c = 0; c < 2; ++c)
        list_->resizeColumnToContents(c);
}

QStringList ProblemsPane::channelLines(int channel, int* worst) const {
    QStringList lines;
    int w = -1;
    const TextLookup text = lookupOf(ctx_.ws);
    for (const Problem* p : ProblemsOfChannel(problems_, channel)) {
        const ProblemWords words = WordProblem(*p, text);
        lines << FromCp1252(words.severity + ": " + (words.field.empty() ? "" : words.field + ": ") + words.words);
        const int s = static_cast<int>(p->rule->severity);
        w = w < 0 ? s : std::min(w, s);
    }
    if (worst)
        *worst = w;
    return lines;
}

bool ProblemsPane::eventFilter(QObject* watched, QEvent* event) {
    // Enter on a row goes to its place, as a double-click does (also where the style does not activate
    // items with Enter).
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(event);
        if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && list_->currentItem()) {
            const int i = list_->indexOfTopLevelItem(list_->currentItem());
            if (i >= 0 && i < static_cast<int>(problems_.size()))
                emit problemChosen(i);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

ProblemsCount::ProblemsCount(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("ProblemsCount"));
    setTextFormat(Qt::PlainText); // the count's words come from a language file: never markup
    setCursor(Qt::PointingHandCursor);
}

void ProblemsCount::show(const Workspace& ws, const std::vector<Problem>& problems) {
    setText(problems.empty() ? ws.text(kTxtNoProblems)
                             : ws.text(kTxtProblemCount).arg(static_cast<int>(problems.size())));
    QPalette p = palette();
    p.setColor(QPalette::WindowText, HasSeriousProblems(problems)
                                         ? QColor(0xB0, 0x00, 0x00)
                                         : QApplication::palette().color(QPalette::WindowText));
    setPalette(p);
}

void ProblemsCount::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    emit clicked();
}

} // namespace korvane
