#pragma once
// View > Problems: what the unit will cut, ignore or never do with the configuration, as a list beside
// the matrix (severity, place, words), following every edit and undo at once. Enter or a double-click
// on a row asks for its place in the editor. The status bar's count opens it.

#include <QLabel>
#include <QWidget>
#include <vector>

#include "app/context.h"
#include "model/problems.h"

class QTreeWidget;

namespace korvane {

class ProblemsPane : public QWidget {
    Q_OBJECT
public:
    explicit ProblemsPane(AppContext& ctx, QWidget* parent = nullptr);

    const std::vector<Problem>& problems() const { return problems_; }
    QTreeWidget* list() const { return list_; }
    // Finds the problems of the configuration as it is now and shows them.
    void refresh();
    // The headings and every row's words in the current language.
    void retranslate();
    // The lines of the problems of one channel, for its cell's tooltip; the worst severity (-1: none).
    QStringList channelLines(int channel, int* worst) const;
    // A problem's line in the current language.
    QString line(const Problem& p) const;

signals:
    void problemsChanged();
    // The user chose a problem's row (Enter, a double-click).
    void problemChosen(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillList();

    AppContext& ctx_;
    QTreeWidget* list_;
    std::vector<Problem> problems_;
};

// The count in the status bar ("Problems: 3", "No problems"); a click opens the list.
class ProblemsCount : public QLabel {
    Q_OBJECT
public:
    explicit ProblemsCount(QWidget* parent = nullptr);
    void show(const Workspace& ws, const std::vector<Problem>& problems);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace korvane
