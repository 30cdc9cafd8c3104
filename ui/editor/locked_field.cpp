#include "ui/editor/locked_field.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "model/field_rules.h"
#include "ui/editor/virtual_key.h"

namespace korvane {

namespace {

const char* const kHelpIdProperty = "korvaneHelpId";
const char* const kTagProperty = "korvaneTag";
const char* const kTagTextProperty = "korvaneTagText";

constexpr int kPastedKeys = 16; // no field takes more characters than this

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

} // namespace korvane
