#include "ui/editor/locked_field.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "app/context.h"
#include "app/plain_text.h"
#include "model/field_rules.h"
#include "ui/editor/virtual_key.h"

namespace korvane {

namespace {

const char* const kHelpIdProperty = "korvaneHelpId";
const char* const kTagProperty = "korvaneTag";
const char* const kTagTextProperty = "korvaneTagText";

constexpr int kPastedKeys = 16; // no field takes more characters than this

QString decimalRange(int minimum, int maximum) {
    return QStringLiteral("%1..%2").arg(minimum).arg(maximum);
}

class ClickSelectsAll : public QObject {
public:
    explicit ClickSelectsAll(QLineEdit* field) : QObject(field), field_(field) { field->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::FocusIn:
            clicked_ = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
            break;
        case QEvent::FocusOut:
            clicked_ = false;
            break;
        case QEvent::MouseButtonRelease:
            if (clicked_ && !field_->hasSelectedText())
                field_->selectAll();
            clicked_ = false;
            break;
        default:
            break;
        }
        return false;
    }

private:
    QLineEdit* field_;
    bool clicked_ = false;
};

} // namespace

Byte& ByteSlot::in(Workspace& ws) const {
    if (sys_)
        return ws.cfg.SysData[static_cast<std::size_t>(index_)];
    return ws.cfg.ChanSetup[static_cast<std::size_t>(ws.curChannel())][static_cast<std::size_t>(index_)];
}

LockedField::LockedField(QWidget* parent) : QLineEdit(parent) {
    // Locked: nothing can be typed, pasted or dropped in; keys still arrive and the text can be selected.
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    SelectAllOnClick(this);
}

void SelectAllOnClick(QLineEdit* field) {
    new ClickSelectsAll(field);
}

void LockedField::showEntry(bool nextReplaces) {
    if (nextReplaces)
        selectAll();
    else
        end(false);
}

bool LockedField::event(QEvent* event) {
    // Paste and cut are the field's own keys, whatever command a language gives the same letter.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut)) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void LockedField::pasteKeys() {
    if (!onKey)
        return;
    const QString text = QGuiApplication::clipboard()->text().section(QLatin1Char('\n'), 0, 0).trimmed();
    for (const QChar c : text.left(kPastedKeys))
        if (const int code = virtualKeyOfCharacter(c))
            onKey(code);
}

void LockedField::refresh() {
    if (display)
        setText(display());
}

void LockedField::keyPressEvent(QKeyEvent* event) {
    const int code = virtualKey(*event);
    if (code == vk::kEnter) {
        // Enter stores nothing: it only moves on.
        if (onEnter)
            onEnter();
        else if (successor_)
            successor_->setFocus(Qt::TabFocusReason);
        event->accept();
        return;
    }
    // The standard editing keys of a field that holds a rule's value: paste types what the clipboard
    // holds through the rule, cut copies (nothing can be taken out of a locked value), and select all,
    // copy and the word moves are the line edit's own. Undo and Redo are the program's.
    if (event->matches(QKeySequence::Paste)) {
        pasteKeys();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        copy();
        event->accept();
        return;
    }
    if (code == vk::kTab || event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // The caret keys move the caret and the selection as in any field; every other key is the rule's.
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        QLineEdit::keyPressEvent(event);
        return;
    default:
        break;
    }
    if (onKey)
        onKey(code);
    event->accept();
}

void LockedField::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the selection on X11; a locked field takes no text that way either.
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FieldFocus::Object_focus(QWidget* control) {
    FirstKey = true;
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
    const QVariant tagText = control->property(kTagTextProperty);
    if (tagText.isValid())
        ws_.FocusTag = ws_.text(tagText.toInt());
    else
        ws_.FocusTag = control->property(kTagProperty).toString();
    ws_.FocusHelpId = control->property(kHelpIdProperty).toInt();
}

void SetHelpContext(QWidget* control, int helpId, const QString& tag) {
    control->setProperty(kHelpIdProperty, helpId);
    control->setProperty(kTagProperty, tag);
    control->setProperty(kTagTextProperty, QVariant());
}

void SetHelpContextText(QWidget* control, int helpId, int tagText) {
    control->setProperty(kHelpIdProperty, helpId);
    control->setProperty(kTagTextProperty, tagText);
}

void ChainFields(std::initializer_list<LockedField*> fields, QWidget* last) {
    LockedField* previous = nullptr;
    for (LockedField* f : fields) {
        if (previous)
            previous->setSuccessor(f);
        previous = f;
    }
    if (previous)
        previous->setSuccessor(last);
}

LockedField* FieldKit::make(QWidget* parent, const char* name, int helpId, const QString& tooltip) {
    auto* f = new LockedField(parent);
    f->setObjectName(QLatin1String(name));
    f->setToolTip(PlainToolTip(tooltip));
    SetHelpContext(f, helpId, QLatin1String(name));
    fields_.push_back(f);
    return f;
}

void FieldKit::store(LockedField* field, ByteSlot slot, const std::function<int(int)>& rule) {
    {
        // Through the write path: marked changed, announced, and the keys of one entry one undo step.
        const EditEntry entry(ws_, field);
        ws_.change([&](Configuration&) { slot.in(ws_) = static_cast<Byte>(rule(slot.in(ws_))); }, EditMark::Always);
    }
    field->refresh();
    field->showEntry(focus_.FirstKey);
}

LockedField* FieldKit::decimal(QWidget* parent, const char* name, ByteSlot slot, int maximum, int digits, int helpId) {
    LockedField* f = make(parent, name, helpId, decimalRange(0, maximum));
    f->setMaxLength(std::max(digits, 3));
    f->display = [this, slot, digits] { return QString::fromStdString(DecimalText(slot.in(ws_), digits)); };
    f->onKey = [this, f, slot, maximum](int code) {
        const int digit = DigitOfKey(code);
        if (digit < 0)
            return;
        store(f, slot, [&](int b) { return Object_NumInDec(b, maximum, digit, focus_.FirstKey); });
    };
    return f;
}

LockedField* FieldKit::packed(QWidget* parent, const char* name, ByteSlot slot, int minimum, int maximum, int helpId) {
    LockedField* f =
        make(parent, name, helpId, QString::fromStdString(PackedText(minimum) + ".." + PackedText(maximum)));
    f->display = [this, slot] { return QString::fromStdString(PackedText(slot.in(ws_))); };
    f->onKey = [this, f, slot, minimum, maximum](int code) {
        const int digit = DigitOfKey(code);
        if (digit < 0)
            return;
        store(f, slot, [&](int b) { return Object_NumIn(b, minimum, maximum, digit, focus_.FirstKey); });
    };
    return f;
}

LockedField* FieldKit::range(QWidget* parent, const char* name, ByteSlot slot, int maximum, int helpId) {
    LockedField* f = make(parent, name, helpId, decimalRange(0, maximum));
    f->display = [this, slot] { return QString::fromStdString(DecimalText(slot.in(ws_), 3)); };
    f->onKey = [this, f, slot, maximum](int code) {
        const std::optional<int> v = Object_NummaxRangeIn(slot.in(ws_), code, maximum, focus_.FirstKey);
        if (!v)
            return;
        store(f, slot, [&](int) { return *v; });
    };
    return f;
}

LockedField* FieldKit::channel(QWidget* parent, const char* name, ByteSlot slot, bool extraGroups, int helpId) {
    LockedField* f =
        make(parent, name, helpId, extraGroups ? QStringLiteral("A1..PXYZW.8 (-)") : QStringLiteral("A1..P8 (-)"));
    f->display = [this, slot] { return QString::fromStdString(ChannelRefText(slot.in(ws_))); };
    f->onKey = [this, f, slot, extraGroups](int code) {
        if (code == 0)
            return;
        // Every key that reaches a channel rule counts as an edit, even one that keeps the value.
        store(f, slot,
              [&](int b) { return extraGroups ? Object_DisableChannelInput(b, code) : Object_ChannelIn(b, code); });
    };
    return f;
}

void FieldKit::refreshAll() {
    for (LockedField* f : fields_)
        f->refresh();
}

} // namespace korvane
