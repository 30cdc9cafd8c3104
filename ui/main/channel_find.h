#pragma once
// Find a channel (Edit > Find channel, Ctrl+F in every language): a bar over the matrix where part of
// a description or a channel name is typed; the matching channels are marked in the matrix, Enter
// makes the next one the current channel, Escape closes the bar and clears the marks.

#include <QWidget>
#include <functional>
#include <vector>

#include "app/context.h"

class QLabel;
class QLineEdit;

namespace korvane {

// The channels in use whose name ("B3") or description contains the text, whatever its case (umlauts
// too), in matrix order; none for an empty text. The second channel of a pair is its first's.
std::vector<int> FindChannels(const Workspace& ws, const QString& text);

class ChannelFind : public QWidget {
    Q_OBJECT
public:
    ChannelFind(AppContext& ctx, QWidget* parent);
    // Shows the bar and gives it the keyboard, the text selected.
    void start();
    // Closes the bar, clears the marks and gives the keyboard back to the matrix.
    void finish();
    // Captions in the current language.
    void retranslate();
    const std::vector<int>& matches() const { return matches_; }
    QLineEdit* field() const { return field_; }
    // Called with the channels to mark in the matrix (none when the bar closes).
    std::function<void(const std::vector<int>&)> mark;
    // Called when the bar closes: the matrix takes the keyboard again.
    std::function<void()> closed;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void search();
    // Enter: the next match after the current channel becomes current.
    void next();
    void showCount();

    AppContext& ctx_;
    QLabel* caption_ = nullptr;
    QLineEdit* field_ = nullptr;
    QLabel* count_ = nullptr;
    std::vector<int> matches_;
};

} // namespace korvane
