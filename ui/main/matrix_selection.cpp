#include "ui/main/matrix_selection.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QWidget>

#include "app/dialogs.h"
#include "app/workspace.h"
#include "model/channel_types.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

// "B5" or "b5" as a channel; nothing for anything else.
std::optional<int> ChannelOfName(const QString& text) {
    const QString name = text.trimmed().toUpper();
    if (name.size() != 2 || name[0] < QLatin1Char('A') || name[0] > QLatin1Char('P') || name[1] < QLatin1Char('1') ||
        name[1] > QLatin1Char('8'))
        return std::nullopt;
    return (name[0].unicode() - 'A') * 8 + (name[1].unicode() - '1');
}

} // namespace

MatrixSelection::MatrixSelection(AppContext& ctx, QWidget* window) : QObject(window), ctx_(ctx), window_(window) {
    // A new configuration or a step undone leaves no range behind.
    connect(&ctx_.ws, &Workspace::configurationReplaced, this, &MatrixSelection::collapse);
}

TextLookup MatrixSelection::texts() const {
    return [this](int n) { return ToCp1252(ctx_.ws.text(n)); };
}

ChannelRange MatrixSelection::range() const {
    const int cur = ctx_.ws.curChannel();
    return anchor_ < 0 ? ChannelRange{cur} : RangeBetween(anchor_, cur);
}

bool MatrixSelection::contains(int channel) const {
    if (anchor_ < 0)
        return false; // the border alone marks the current channel
    const ChannelRange r = range();
    const int g = channel / 8 - r.first / 8, d = channel % 8 - r.first % 8;
    return g >= 0 && g < r.groups && d >= 0 && d < r.digits;
}

void MatrixSelection::extendTo(int n) {
    if (anchor_ < 0)
        anchor_ = ctx_.ws.curChannel();
    ctx_.ws.setCurChannel(n);
    emit selectionChanged();
}

void MatrixSelection::collapse() {
    if (anchor_ < 0)
        return;
    anchor_ = -1;
    emit selectionChanged();
}

void MatrixSelection::copy() {
    const ChannelRange r = range();
    clip_ = CopyChannels(ctx_.ws.cfg, r);
    clipRange_ = r;
    static int copies = 0;
    clipMark_ = QByteArray::number(QCoreApplication::applicationPid()) + '.' + QByteArray::number(++copies);
    auto* mime = new QMimeData;
    mime->setData(QLatin1String(kChannelsMime), clipMark_);
    mime->setText(FromCp1252(ChannelsAsText(ctx_.ws.cfg, r, texts())));
    QGuiApplication::clipboard()->setMimeData(mime);
}

void MatrixSelection::paste() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    const ChannelRange target = range();
    if (mime && mime->data(QLatin1String(kChannelsMime)) == clipMark_ && !clip_.empty()) {
        const QString from = QString::fromStdString(RangeName(clipRange_));
        const ChannelClip clip = clip_;
        run(ChannelOp::Paste, from, target.first,
            [clip, target](Configuration& cfg) { return PasteChannels(cfg, clip, target); });
    } else if (mime && mime->hasText() && !mime->text().isEmpty()) {
        const std::string lines = ToCp1252(mime->text());
        run(ChannelOp::Descriptions, QString(), target.first,
            [lines, first = target.first](Configuration& cfg) { return PasteDescriptions(cfg, first, lines); });
    } else {
        run(ChannelOp::Paste, QString(), target.first,
            [](Configuration& cfg) { return PasteChannels(cfg, ChannelClip{}, ChannelRange{}); });
    }
}

std::optional<int> MatrixSelection::askChannel(int captionText) {
    const QString caption =
        ctx_.ws.text(captionText) + QStringLiteral(" ") + QString::fromStdString(Num_2_Channel(ctx_.ws.curChannel()));
    while (true) {
        const auto answer = ctx_.dialogs.askText(window_, ctx_.ws.text(kTxtMoveSwapTarget), caption, QString());
        if (!answer)
            return std::nullopt; // cancelled
        if (const auto channel = ChannelOfName(*answer))
            return channel;
        ctx_.dialogs.beep();
    }
}

void MatrixSelection::moveTo() {
    const int from = ctx_.ws.curChannel();
    if (const auto to = askChannel(kTxtMenuMoveChannel))
        drop(from, *to);
}

void MatrixSelection::swapWith() {
    const int a = ctx_.ws.curChannel();
    const auto b = askChannel(kTxtMenuSwapChannel);
    if (!b)
        return;
    run(ChannelOp::Swap, QString::fromStdString(Num_2_Channel(a)), *b,
        [a, b = *b](Configuration& cfg) { return SwapChannels(cfg, a, b); });
}

void MatrixSelection::drop(int from, int to) {
    run(ChannelOp::Move, QString::fromStdString(Num_2_Channel(from)), to,
        [from, to](Configuration& cfg) { return MoveChannel(cfg, from, to); });
}

void MatrixSelection::run(ChannelOp op, const QString& from, int to,
                          const std::function<ChannelOpOutcome(Configuration&)>& apply) {
    const TextLookup text = texts();
    const QString name = QString::fromStdString(OperationName(op, from.toStdString(), to, text));
    ChannelOpOutcome outcome;
    ctx_.ws.changeNamed(name, [&](Configuration& cfg) { outcome = apply(cfg); });
    summary_ = QString::fromStdString(OutcomeSummary(op, outcome, text));
    if (outcome.done()) {
        collapse();
        ctx_.ws.setCurChannel(to); // the border goes where the channel went
        emit summaryReady(name + QStringLiteral(": ") + summary_.section(QLatin1Char('\n'), 0, 0));
    }
    if (!outcome.refused.empty())
        ctx_.dialogs.message(window_, summary_, name, MessageIcon::Exclamation);
}

} // namespace korvane
