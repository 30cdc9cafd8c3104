#pragma once
// The channels selected in the matrix and what the Edit menu, the keys, the context menu and the mouse
// do with them: copy and paste (channels, or descriptions from a spreadsheet), move and swap. Each
// operation is one undo step named by what it did, and its summary is shown.

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "app/context.h"
#include "model/channel_ops.h"

class QMimeData;

namespace korvane {

class MatrixSelection : public QObject {
    Q_OBJECT
public:
    // The clipboard format of copied channels; the text of the same copy goes along as plain text.
    static constexpr const char* kChannelsMime = "application/x-korvane-channels";

    MatrixSelection(AppContext& ctx, QWidget* window);

    // The selected rectangle: from the anchor to the current channel, or the current channel alone.
    ChannelRange range() const;
    bool contains(int channel) const;
    // Shift+arrow or Shift+click: the range runs from where it started to channel n, now current.
    void extendTo(int n);
    // A plain click or arrow: the current channel alone.
    void collapse();

    // Edit > Copy channels (Ctrl+C): the rectangle to the clipboard, as channels and as spreadsheet text.
    void copy();
    // Edit > Paste channels (Ctrl+V): copied channels onto the selection, or spreadsheet lines as
    // descriptions from the current channel downwards.
    void paste();
    // Edit > Move channel to... and Swap with...: asks for the other channel.
    void moveTo();
    void swapWith();
    // A channel dragged onto another cell: moved there (a cell in use is refused with the reason).
    void drop(int from, int to);
    // The summary of the last operation ("3 references changed"), as it was shown.
    const QString& lastSummary() const { return summary_; }

signals:
    void selectionChanged();
    // An operation finished: its summary, for the window to show.
    void summaryReady(const QString& summary);

private:
    // Runs one operation through the workspace as one named undo step and shows its outcome.
    void run(ChannelOp op, const QString& from, int to, const std::function<ChannelOpOutcome(Configuration&)>& apply);
    std::optional<int> askChannel(int captionText);
    TextLookup texts() const;

    AppContext& ctx_;
    QWidget* window_;
    int anchor_ = -1;
    ChannelClip clip_;
    ChannelRange clipRange_; // where clip_ was copied from
    QByteArray clipMark_;    // what this program put on the clipboard with clip_
    QString summary_;
};

} // namespace korvane
