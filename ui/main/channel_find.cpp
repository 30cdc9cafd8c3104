#include "ui/main/channel_find.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "model/channel_types.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

bool IsSecondOfPair(int type) {
    return type == kTypeRollerSecond || type == kTypeRollerMasterSecond;
}

} // namespace

std::vector<int> FindChannels(const Workspace& ws, const QString& text) {
    std::vector<int> found;
    const QString wanted = text.simplified().toCaseFolded();
    if (wanted.isEmpty())
        return found;
    for (int c = 0; c <= ws.cfg.channelsInUse(); ++c) {
        if (IsSecondOfPair(ws.typeOf(c)))
            continue;
        const QString name = QString::fromStdString(Num_2_Channel(c)).toCaseFolded();
        const QString description =
            FromCp1252(ws.cfg.ChanText[static_cast<std::size_t>(c)]).simplified().toCaseFolded();
        if (name == wanted || description.contains(wanted))
            found.push_back(c);
    }
    return found;
}

ChannelFind::ChannelFind(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("F_Find"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    caption_ = new QLabel(this);
    caption_->setTextFormat(Qt::PlainText);
    field_ = new QLineEdit(this);
    field_->setObjectName(QStringLiteral("T_Find"));
    field_->setClearButtonEnabled(true);
    caption_->setBuddy(field_);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("L_FindCount"));
    count_->setTextFormat(Qt::PlainText);
    row->addWidget(caption_);
    row->addWidget(field_, 1);
    row->addWidget(count_);
    field_->installEventFilter(this);
    connect(field_, &QLineEdit::textChanged, this, &ChannelFind::search);
    retranslate();
    hide();
}

void ChannelFind::retranslate() {
    caption_->setText(ctx_.ws.text(kTxtFindPrompt));
    showCount();
}

void ChannelFind::start() {
    show();
    field_->setFocus(Qt::ShortcutFocusReason);
    field_->selectAll();
    search();
}

void ChannelFind::finish() {
    hide();
    matches_.clear();
    if (mark)
        mark(matches_);
    if (closed)
        closed();
}

void ChannelFind::search() {
    matches_ = FindChannels(ctx_.ws, field_->text());
    if (mark)
        mark(matches_);
    showCount();
}

void ChannelFind::next() {
    if (matches_.empty()) {
        ctx_.dialogs.beep();
        return;
    }
    const int cur = ctx_.ws.curChannel();
    const auto after = std::upper_bound(matches_.begin(), matches_.end(), cur);
    ctx_.ws.setCurChannel(after == matches_.end() ? matches_.front() : *after);
    showCount();
}

void ChannelFind::showCount() {
    const Workspace& ws = ctx_.ws;
    if (field_->text().trimmed().isEmpty()) {
        count_->clear();
        return;
    }
    if (matches_.empty()) {
        count_->setText(ws.text(kTxtFindNone));
        return;
    }
    const auto at = std::find(matches_.begin(), matches_.end(), ws.curChannel());
    const int shown = at == matches_.end() ? 0 : static_cast<int>(at - matches_.begin()) + 1;
    count_->setText(shown ? ws.text(kTxtFindCount).arg(shown).arg(matches_.size()) : QString::number(matches_.size()));
}

bool ChannelFind::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            next();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            finish();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace korvane
