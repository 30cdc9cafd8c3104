#pragma once
// "Used by" on every channel page: what refers to the channel shown (master functions and what they
// do to it, roller masters, logic blocks, alarm disable and start channels, the exchange mask, the
// claims of the main setup), one line each, every line a link that opens the page of what refers.
// The list comes from the model's one list of references.

#include <QLabel>
#include <QString>
#include <QStringList>

#include "app/context.h"
#include "model/references.h"

namespace korvane {

class PageHost;

// What refers, in the user's words: "A6 Master function »All off«: switches it on".
QString ReferenceWords(const Workspace& ws, const ChannelReference& ref);
// The channel in the user's words: "B3 Mono »Hall light«" (its function and description, where it has one).
QString ChannelWords(const Workspace& ws, int channel);

class UsedByList : public QLabel {
    Q_OBJECT
public:
    UsedByList(AppContext& ctx, PageHost& host, QWidget* parent);
    // Lists the references to the channel.
    void fill(int channel);
    // The lines shown, as plain text (empty: nothing refers to the channel).
    const QStringList& lines() const { return lines_; }
    // Opens the page of line k, as a click on its link does.
    void open(int k);

private:
    AppContext& ctx_;
    PageHost& host_;
    std::vector<ChannelReference> refs_;
    QStringList lines_;
};

} // namespace korvane
