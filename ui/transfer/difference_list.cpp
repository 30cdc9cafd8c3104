#include "ui/transfer/difference_list.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <map>

#include "app/texts.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

DifferenceWords wordsOf(const Workspace& ws, const Difference& d) {
    return WordDifference(d, [&ws](int n) { return ToCp1252(ws.text(n)); });
}

} // namespace

QString DifferenceGroup(const Workspace& ws, const Difference& d) {
    return FromCp1252(wordsOf(ws, d).heading);
}

QString DifferenceLine(const Workspace& ws, const Difference& d, DiffSides sides) {
    const DifferenceWords w = wordsOf(ws, d);
    const QString what = w.what.empty() ? QString() : FromCp1252(w.what) + QStringLiteral(": ");
    if (w.added) // a setting of a new function has only its new value
        return what +
               (sides == DiffSides::UnitWritten ? ws.text(kTxtWrittenValue) + QLatin1Char(' ')
                                                : QStringLiteral("\u2192 ")) +
               FromCp1252(w.after);
    if (sides == DiffSides::UnitWritten)
        return what + ws.text(kTxtUnitValue) + QLatin1Char(' ') + FromCp1252(w.before) + QStringLiteral(", ") +
               ws.text(kTxtWrittenValue) + QLatin1Char(' ') + FromCp1252(w.after);
    return what + FromCp1252(w.before) + QStringLiteral(" \u2192 ") + FromCp1252(w.after);
}

QString CompareHeading(const Workspace& ws, const QString& otherName) {
    return ws.text(kTxtThisConfiguration) + QStringLiteral(" \u2194 ") + otherName;
}

DifferenceList::DifferenceList(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("DifferenceList"));
    List_Differences = new QTreeWidget(this);
    List_Differences->setObjectName(QStringLiteral("List_Differences"));
    List_Differences->setHeaderHidden(true);
    List_Differences->setColumnCount(1);
    List_Differences->setSelectionMode(QAbstractItemView::ExtendedSelection);
    List_Differences->setMinimumSize(480, 220);
    Cmd_copy = new QPushButton(this);
    Cmd_copy->setObjectName(QStringLiteral("Cmd_copy"));
    auto* copyKey = new QShortcut(QKeySequence::Copy, List_Differences);
    copyKey->setContext(Qt::WidgetShortcut);
    connect(copyKey, &QShortcut::activated, this, [this] { copy(true); });
    connect(Cmd_copy, &QPushButton::clicked, this, [this] { copy(false); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Cmd_copy);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(List_Differences);
    layout->addLayout(buttons);
    retranslate();
}

void DifferenceList::retranslate() {
    Cmd_copy->setText(ctx_.ws.text(kTxtCopy));
    setDifferences(std::vector<Difference>(diffs_), sides_);
}

std::vector<std::pair<QString, std::vector<Difference>>> GroupedDifferences(const Workspace& ws,
                                                                            const std::vector<Difference>& diffs) {
    std::vector<std::pair<QString, std::vector<Difference>>> groups;
    std::map<QString, std::size_t> at;
    for (const Difference& d : diffs) {
        const QString group = DifferenceGroup(ws, d);
        const auto [where, added] = at.try_emplace(group, groups.size());
        if (added)
            groups.emplace_back(group, std::vector<Difference>{});
        groups[where->second].second.push_back(d);
    }
    return groups;
}

void DifferenceList::setDifferences(const std::vector<Difference>& diffs, DiffSides sides) {
    diffs_ = diffs;
    sides_ = sides;
    List_Differences->clear();
    for (const auto& [group, members] : GroupedDifferences(ctx_.ws, diffs_)) {
        auto* parent = new QTreeWidgetItem(List_Differences, QStringList{group});
        parent->setExpanded(true);
        for (const Difference& d : members) {
            auto* line = new QTreeWidgetItem(parent, QStringList{DifferenceLine(ctx_.ws, d, sides_)});
            if (columns_.isEmpty() || sides_ != DiffSides::Compare)
                continue;
            // The line's text stays whole for copying; the view shows what, ours and theirs side by side.
            const DifferenceWords w = wordsOf(ctx_.ws, d);
            line->setData(0, Qt::UserRole, line->text(0));
            line->setText(0, FromCp1252(w.what));
            line->setText(1, w.added ? QString() : FromCp1252(w.before));
            line->setText(2, FromCp1252(w.after));
        }
    }
    List_Differences->resizeColumnToContents(0);
    cut_.clear();
    Cmd_copy->setEnabled(!diffs_.empty());
}

void DifferenceList::setColumns(const QString& ours, const QString& theirs) {
    columns_ = QStringList{QString(), ours, theirs};
    List_Differences->setColumnCount(3);
    List_Differences->setHeaderLabels(columns_);
    List_Differences->setHeaderHidden(false);
    setDifferences(std::vector<Difference>(diffs_), sides_);
}

namespace {

QStringList keptInPartLines(const Workspace& ws, const std::vector<Problem>& cut) {
    const TextLookup text = [&ws](int n) { return ToCp1252(ws.text(n)); };
    QStringList lines;
    for (const Problem& p : cut)
        lines << QString::fromStdString(ProblemLine(WordProblem(p, text)));
    return lines;
}

} // namespace

void DifferenceList::setKeptInPart(const std::vector<Problem>& cut) {
    cut_ = cut;
    if (cut_.empty())
        return;
    auto* group = new QTreeWidgetItem(List_Differences, QStringList{ctx_.ws.text(kTxtKeptInPart)});
    group->setExpanded(true);
    for (const QString& line : keptInPartLines(ctx_.ws, cut_))
        new QTreeWidgetItem(group, QStringList{line});
    Cmd_copy->setEnabled(true);
}

namespace {

// A text of the window as a report prints it: the arrow of a change, which the report's character set
// lacks, as "->".
std::string recordText(QString text) {
    return ToCp1252(text.replace(QChar(0x2192), QStringLiteral("->")));
}

} // namespace

QString CheckVerdict(const Workspace& ws, const Workspace::CheckRecord& check) {
    if (check.readBack)
        return FromCp1252(VerdictSentence(check.found, [&ws](int n) { return ToCp1252(ws.text(n)); }));
    if (check.found.differences.empty())
        return ws.text(kTxtNoDifferences);
    return ws.text(kTxtRecordDifferenceCount)
        .replace(QStringLiteral("%1"), QString::number(check.found.differences.size()));
}

namespace {

// A date and time short, as the window's language writes them.
QString shortDateTime(const Workspace& ws, const QDateTime& when) {
    return QLocale(QtLanguageOf(ws)).toString(when, QLocale::ShortFormat);
}

} // namespace

QString WhenPortVerdict(const Workspace& ws, const QDateTime& when, const QString& port, const QString& verdict) {
    return ws.text(kTxtBookWriteLine)
        .replace(QStringLiteral("%1"), shortDateTime(ws, when))
        .replace(QStringLiteral("%2"), port)
        .replace(QStringLiteral("%3"), verdict);
}

QString CheckSummary(const Workspace& ws, const Workspace::CheckRecord& check) {
    return WhenPortVerdict(ws, check.when, check.port, CheckVerdict(ws, check));
}

HandoverRecord HandoverRecordOf(const Workspace& ws, const Workspace::CheckRecord& check) {
    HandoverRecord r;
    r.fields = {{kTxtRecordChecked, recordText(shortDateTime(ws, check.when))},
                {kTxtRecordPort, recordText(check.port)},
                {kTxtRecordKind, recordText(ws.text(check.readBack ? kTxtRecordVerify : kTxtRecordCompare))},
                {kTxtMenuFile, recordText(check.subject)},
                {kTxtBookDeviceNumber, std::to_string(check.checked.SysData[kSysDeviceNo])}};
    r.verdict = recordText(CheckVerdict(ws, check));
    const DiffSides sides = check.readBack ? DiffSides::UnitWritten : DiffSides::Compare;
    // A comparison's lines read "what: ours -> the unit's": the heading says which side is which.
    if (!check.readBack)
        r.linesHeading = recordText(ws.text(kTxtRecordDetails) + QStringLiteral(": ") + check.subject +
                                    QStringLiteral(" -> ") + ws.text(kTxtInTheUnit));
    const QString indent = QStringLiteral("    ");
    for (const auto& [group, members] : GroupedDifferences(ws, check.found.differences)) {
        r.lines.push_back(recordText(group));
        for (const Difference& d : members)
            r.lines.push_back(recordText(indent + DifferenceLine(ws, d, sides)));
    }
    if (!check.found.keptInPart.empty()) {
        r.lines.push_back(recordText(ws.text(kTxtKeptInPart)));
        for (const QString& line : keptInPartLines(ws, check.found.keptInPart))
            r.lines.push_back(recordText(indent + line));
    }
    return r;
}

namespace {

QString groupText(const QTreeWidgetItem* group, bool selectedOnly) {
    QString out;
    const bool whole = !selectedOnly || group->isSelected();
    for (int i = 0; i < group->childCount(); ++i) {
        const QTreeWidgetItem* line = group->child(i);
        const QString text = line->data(0, Qt::UserRole).toString();
        if (whole || line->isSelected())
            out += QStringLiteral("    ") + (text.isEmpty() ? line->text(0) : text) + QLatin1Char('\n');
    }
    return out.isEmpty() ? out : group->text(0) + QLatin1Char('\n') + out;
}

} // namespace

QString DifferenceList::text() const {
    QString out;
    for (int g = 0; g < List_Differences->topLevelItemCount(); ++g)
        out += groupText(List_Differences->topLevelItem(g), false);
    return out;
}

QString DifferenceList::selectedText() const {
    QString out;
    for (int g = 0; g < List_Differences->topLevelItemCount(); ++g)
        out += groupText(List_Differences->topLevelItem(g), true);
    return out;
}

void DifferenceList::copy(bool selectedOnly) const {
    const QString text = selectedOnly ? selectedText() : this->text();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

FrmCompare::FrmCompare(AppContext& ctx, const QString& otherName, const std::vector<Difference>& diffs, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FrmCompare"));
    QString title = ctx.ws.text(kTxtMenuCompareFile);
    while (title.endsWith(QLatin1Char('.')))
        title.chop(1);
    setWindowTitle(title);
    auto* heading = new QLabel(this);
    heading->setObjectName(QStringLiteral("Label1"));
    heading->setTextFormat(Qt::PlainText);
    heading->setWordWrap(true);
    heading->setText(diffs.empty() ? ctx.ws.text(kTxtNoDifferences) : CompareHeading(ctx.ws, otherName));
    list_ = new DifferenceList(ctx, this);
    list_->setDifferences(diffs, DiffSides::Compare);
    list_->setColumns(ctx.ws.text(kTxtThisConfiguration), otherName);
    list_->setVisible(!diffs.empty());
    auto* ok = new QPushButton(QLatin1Char('&') + ctx.ws.text(kTxtButtonOk), this);
    ok->setObjectName(QStringLiteral("Cmd_ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
}

} // namespace korvane
