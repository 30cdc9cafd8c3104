#include "ui/editor/pages/channel_part.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>

#include "model/channel_types.h"
#include "model/fact_catalogue.h"
#include "model/text_ids.h"
#include "ui/editor/form/used_by_list.h"

namespace korvane {

namespace {

constexpr FormRow kRows[] = {
    {.control = "TextBeskriv",
     .kind = ControlKind::Text,
     .textFact = &facts::kChannelDescription,
     .help = kHelpChannelDescription,
     .caption = kTxtDescription,
     .label = "Label_beskriv"},
    {.control = "Check1", .kind = ControlKind::Check, .fact = &facts::kEventOn, .help = kHelpEventOn, .tag = "Check1"},
    {.control = "Check2",
     .kind = ControlKind::Check,
     .fact = &facts::kEventOffFlag,
     .help = kHelpEventOff,
     .enter = kToMain,
     .tag = "Check2"},
};

} // namespace

ChannelPart::ChannelPart(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "F_beskrivelse", parent) {
    build(kRows);
    description()->setAutoFillBackground(true);
    usedBy_ = new UsedByList(ctx, host, this);
    addLine(this, usedBy_);
}

QLineEdit* ChannelPart::description() const {
    return control<QLineEdit>("TextBeskriv");
}

void ChannelPart::fill() {
    EditorPage::fill();
    const Workspace& ws = ctx_.ws;
    const int t = ws.typeOf(ws.curChannel());
    // The boxes' captions are their facts' (by SMS while the events go out by SMS).
    const bool eventsShown = EventOptionsShown(ws.cfg, t);
    control("Check1")->setVisible(eventsShown);
    control("Check2")->setVisible(eventsShown);
    usedBy_->fill(ws.curChannel());
}

void ChannelPart::setDescriptionFocused(bool focused) {
    QLineEdit* d = description();
    QPalette p = d->palette();
    p.setColor(QPalette::Base, focused ? QColor(0x00, 0xFF, 0xFF) : palette().color(QPalette::Base));
    d->setPalette(p);
}

QWidget* ChannelPart::successor(const FormRow& row) {
    // From the description: the first event option where they are shown, else the main window.
    if (qstrcmp(row.control, "TextBeskriv") == 0) {
        QWidget* check1 = control("Check1");
        return check1->isVisibleTo(this) ? check1 : nullptr;
    }
    return EditorPage::successor(row);
}

void ChannelPart::entered(const FormRow& row, QWidget*, Qt::FocusReason reason) {
    if (qstrcmp(row.control, "TextBeskriv") == 0 && reason != Qt::PopupFocusReason)
        setDescriptionFocused(true);
}

bool ChannelPart::eventFilter(QObject* watched, QEvent* event) {
    if (watched == description() && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        setDescriptionFocused(false);
    return EditorPage::eventFilter(watched, event);
}

} // namespace korvane
