#pragma once
// Lists of differences in the window's language: what a verify found between the unit and the
// written configuration, and what a comparison found between the configuration in memory and a
// file or the unit. Grouped by channel (or by setting), selectable and copied as text.

#include <QDialog>
#include <QString>
#include <QWidget>
#include <vector>

#include "app/context.h"
#include "model/differences.h"
#include "model/problems.h"
#include "reports/site_book.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace korvane {

// How the two values of a difference are told: the unit's and the written one after a verify, or
// the value in memory and the other one after a comparison.
enum class DiffSides { UnitWritten, Compare };

// The group a difference belongs to: "A3 Roller blind", "Basic setup", "Logic block 5".
QString DifferenceGroup(const Workspace& ws, const Difference& d);
// The line of a difference inside its group, in the window's language: "Reverse time: 1000 ms → 1500
// ms" or "Description: unit 'x', written 'y'".
QString DifferenceLine(const Workspace& ws, const Difference& d, DiffSides sides);

class DifferenceList : public QWidget {
    Q_OBJECT
public:
    explicit DifferenceList(AppContext& ctx, QWidget* parent = nullptr);

    void setDifferences(const std::vector<Difference>& diffs, DiffSides sides);
    // After the differences, under their own heading: the texts the unit keeps only in part (no
    // differences, and never hidden).
    void setKeptInPart(const std::vector<Problem>& cut);
    // A comparison shows its two values in columns under these headings ("This configuration", "In
    // the unit"); without headings each line reads "what: before → after".
    void setColumns(const QString& ours, const QString& theirs);
    // The whole list as text: each group on a line of its own, its differences indented below it.
    QString text() const;
    // The selected lines (a selected group with all of its lines) as text.
    QString selectedText() const;
    void retranslate();

private:
    void copy(bool selectedOnly) const;

    AppContext& ctx_;
    QTreeWidget* List_Differences = nullptr;
    QPushButton* Cmd_copy = nullptr;
    std::vector<Difference> diffs_;
    std::vector<Problem> cut_;
    DiffSides sides_ = DiffSides::Compare;
    QStringList columns_;
};

// File > Compare with file: the differences between the configuration in memory and a file.
class FrmCompare : public QDialog {
    Q_OBJECT
public:
    FrmCompare(AppContext& ctx, const QString& otherName, const std::vector<Difference>& diffs,
               QWidget* parent = nullptr);
    DifferenceList* list() const { return list_; }

private:
    DifferenceList* list_ = nullptr;
};

// "This configuration ↔ Good.zeb": the heading of a comparison.
QString CompareHeading(const Workspace& ws, const QString& otherName);

// Differences under their groups, each group once, in the order they first come.
std::vector<std::pair<QString, std::vector<Difference>>> GroupedDifferences(const Workspace& ws,
                                                                            const std::vector<Difference>& diffs);

// What a check of the unit found in one sentence: the verify's verdict, or how many differences a
// comparison found.
QString CheckVerdict(const Workspace& ws, const Workspace::CheckRecord& check);
// A write or check of the unit in one line: "07.12.26 10:31, port COM3: <verdict>".
QString WhenPortVerdict(const Workspace& ws, const QDateTime& when, const QString& port, const QString& verdict);
// The check in one line: "07.12.26 10:31, port COM3: There are no differences."
QString CheckSummary(const Workspace& ws, const Workspace::CheckRecord& check);
// The record of a check as the report prints it, in the window's language: when, port, what kind of
// check of what, the verdict, and the differences and the texts kept in part as the window lists them.
HandoverRecord HandoverRecordOf(const Workspace& ws, const Workspace::CheckRecord& check);

} // namespace korvane
