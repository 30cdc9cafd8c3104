// The layout of an editor page: its lines and sub-frames, the captions beside or above their
// controls, unit labels, controls joined on one line, buttons at the end of a line, and a wide
// control (a grid) beside or above the page's lines. Making and binding the controls is in
// editor_page.cpp.
#include "ui/editor/form/form_layout.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/editor/form/editor_page.h"

namespace korvane {

namespace {

// A caption beside its control: one line where the page has the room, a second line rather than
// push the control out of the window (QLabel's own guess would wrap a short caption as well).
class Caption : public QLabel {
public:
    using QLabel::QLabel;
    QSize sizeHint() const override {
        const int w = fontMetrics().horizontalAdvance(text()) + 2 * (margin() + frameWidth()) + 1;
        return {w, heightForWidth(w)};
    }
};

} // namespace

QGridLayout* NewFormGrid(QWidget* holder) {
    auto* g = new QGridLayout(holder);
    g->setContentsMargins(0, 0, 0, 0);
    g->setVerticalSpacing(3);
    g->setColumnStretch(1, 1);
    return g;
}

QGridLayout* EditorPage::gridOf(QWidget* frameOrPage) {
    QWidget* holder = frameOrPage == this ? lines_ : frameOrPage;
    return qobject_cast<QGridLayout*>(holder->layout());
}

QFrame* EditorPage::frame(const char* name) {
    const QString key = QString::fromUtf8(name);
    if (auto it = frames_.find(key); it != frames_.end() && it->second)
        return it->second;
    auto* f = new QFrame(this);
    f->setObjectName(key);
    layout()->addWidget(f);
    frames_[key] = f;
    NewFormGrid(f);
    return f;
}

void EditorPage::addLine(QWidget* frameOrPage, QWidget* widget, QLabel* caption) {
    QGridLayout* g = gridOf(frameOrPage);
    const int line = g->rowCount();
    if (caption) {
        g->addWidget(caption, line, 0);
        g->addWidget(widget, line, 1, 1, 2);
    } else {
        g->addWidget(widget, line, 0, 1, 3);
    }
}

void EditorPage::joinLine(std::initializer_list<const char*> names) {
    QWidget* first = control(*names.begin());
    QWidget* holder = first->parentWidget();
    auto* grid = qobject_cast<QGridLayout*>(holder->layout());
    // The line of the first control: in the grid itself, or beside its unit label in a line of its own.
    int index = grid->indexOf(first);
    for (int i = 0; index < 0 && i < grid->count(); ++i)
        if (QLayout* inner = grid->itemAt(i)->layout(); inner && inner->indexOf(first) >= 0)
            index = i;
    int line = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(index, &line, &column, &rowSpan, &columnSpan);
    auto* joined = new QWidget(holder);
    auto* h = new QHBoxLayout(joined);
    h->setContentsMargins(0, 0, 0, 0);
    for (const char* name : names) {
        QWidget* w = control(name);
        const FormRow* row = rowOf(w);
        const bool element = row && row->kind == ControlKind::Option;
        if (auto it = captions_.find(row); !element && it != captions_.end())
            h->addWidget(it->second);
        h->addWidget(w);
        if (auto it = units_.find(row); !element && it != units_.end())
            h->addWidget(it->second);
    }
    h->addStretch(1);
    grid->addWidget(joined, line, 0, 1, 3);
}

QPushButton* EditorPage::addButton(const char* name, int help, const char* tag, int text, const char* beside) {
    auto* b = new QPushButton(this);
    b->setObjectName(QLatin1String(name));
    SetHelpContext(b, help, QLatin1String(tag));
    // Enter on the button presses it as Space does.
    b->setAutoDefault(true);
    buttons_.emplace_back(b, text);
    controls_[b->objectName()] = b;
    // At the end of the line of the control it belongs to.
    QWidget* row = beside ? control(beside) : nullptr;
    QGridLayout* grid = row ? qobject_cast<QGridLayout*>(row->parentWidget()->layout()) : nullptr;
    for (int i = 0; grid && i < grid->count(); ++i)
        if (auto* line = qobject_cast<QBoxLayout*>(grid->itemAt(i)->layout()); line && line->indexOf(row) >= 0)
            line->addWidget(b);
    return b;
}

namespace {
// The stretch build() leaves at the end of a page: gone where a control of the page takes the room.
void dropEndStretch(QVBoxLayout* v) {
    if (QLayoutItem* end = v->itemAt(v->count() - 1); end && end->spacerItem())
        delete v->takeAt(v->count() - 1);
}
} // namespace

void EditorPage::setLinesBeside(QWidget* wide, QWidget* under) {
    auto* v = static_cast<QVBoxLayout*>(layout());
    dropEndStretch(v);
    v->removeWidget(lines_);
    auto* side = new QVBoxLayout();
    side->addWidget(lines_);
    side->addSpacing(6);
    side->addWidget(under);
    side->addStretch(1);
    auto* beside = new QHBoxLayout();
    beside->setSpacing(10);
    beside->addWidget(wide);
    beside->addLayout(side);
    beside->addStretch(1);
    v->insertLayout(0, beside, 1);
}

void EditorPage::setLinesUnder(QWidget* wide, QWidget* between) {
    auto* v = static_cast<QVBoxLayout*>(layout());
    dropEndStretch(v);
    v->insertWidget(0, wide, 1);
    v->insertWidget(1, between);
}

QLabel* EditorPage::makeCaption(const FormRow& row, const Place& at, CaptionPlace where) {
    if (!row.captionText())
        return nullptr;
    // A caption beside its control may take a second line; one above its control has the line.
    const bool beside = where == CaptionPlace::Beside;
    QLabel* l = beside ? new Caption(at.lines) : new QLabel(at.lines);
    l->setWordWrap(beside);
    l->setObjectName(row.label ? QString::fromUtf8(row.label)
                               : QStringLiteral("Lbl_") + QString::fromUtf8(row.control));
    l->setTextFormat(Qt::PlainText);
    captions_[&row] = l;
    return l;
}

QHBoxLayout* EditorPage::placeWithUnit(const FormRow& row, const Place& at, QWidget* control, int column) {
    // The control with its unit label right after it, at their own widths: the rest of the line
    // stays empty, so a wide window never stretches a field or parts it from its unit.
    auto* h = new QHBoxLayout();
    h->setSpacing(4);
    h->addWidget(control);
    if (row.unitText()) {
        const QString name = QString::fromUtf8(row.control);
        auto* l = new QLabel(at.lines);
        l->setObjectName(row.unitLabel ? QString::fromUtf8(row.unitLabel) : name + QStringLiteral("_unit"));
        l->setTextFormat(Qt::PlainText);
        l->setProperty("korvaneUnitOf", name);
        units_[&row] = l;
        h->addWidget(l);
    }
    h->addStretch(1);
    at.grid->addLayout(h, at.line, column, 1, 3 - column);
    return h;
}

QLabel* EditorPage::placeBeside(const FormRow& row, const Place& at, QWidget* control) {
    QLabel* l = makeCaption(row, at, CaptionPlace::Beside);
    if (l) {
        at.grid->addWidget(l, at.line, 0);
        l->setBuddy(control);
    }
    return l;
}

void EditorPage::placeUnder(const FormRow& row, const Place& at, QWidget* control) {
    if (QLabel* l = makeCaption(row, at, CaptionPlace::Above)) {
        at.grid->addWidget(l, at.line, 0, 1, 3);
        l->setBuddy(control);
        at.grid->addWidget(control, at.line + 1, 0, 1, 3);
    } else {
        at.grid->addWidget(control, at.line, 0, 1, 3);
    }
}

} // namespace korvane
