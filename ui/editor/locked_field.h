#pragma once
// The locked fields of the editor window and the one place that connects them to the field rules.
//
// A LockedField is a read-only line edit: the user cannot type into it, but it keeps the focus, the
// selection and every key. Each key reaches the field's handler as the virtual key code the rules
// understand; the handler works out the new value with a rule of model/field_rules.h, stores it in
// the configuration and the field shows what is stored. Enter stores nothing: it only moves on.

#include <QLineEdit>
#include <functional>

#include "app/workspace.h"

namespace korvane {

class LockedField : public QLineEdit {
    Q_OBJECT
public:
    explicit LockedField(QWidget* parent = nullptr);

    // The handler of every key but Enter, with the virtual key code (0 for keys without one).
    std::function<void(int keyCode)> onKey;
    // What Enter does: the focus moves to the next control (the device number hands over to the main window).
    std::function<void()> onEnter;
    // The text the field shows for the stored value.
    std::function<QString()> display;

    // Shows the stored value again.
    void refresh();
    // After a key the rule took: the whole value selected while the next digit replaces it, the cursor
    // after the digits once the next one is appended.
    void showEntry(bool nextReplaces);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Paste: the clipboard's first line reaches the rule character by character, as if typed.
    void pasteKeys();
};

// A click into the field selects its whole value, as entering it with Tab does, unless the mouse
// selected a part itself: what the field shows is what the next key does (it replaces the value).
void SelectAllOnClick(QLineEdit* field);

// The editor's focus bookkeeping: FirstKey and the help context of the focused control.
class FieldFocus {
public:
    explicit FieldFocus(Workspace& ws) : ws_(ws) {}
    bool FirstKey = false;
    // Object_focus: the first digit typed next replaces the value, the whole text is selected, and F1
    // shows the help of this control.
    void Object_focus(QWidget* control);

private:
    Workspace& ws_;
};

// The help context of a control: its help number and the Tag F1 shows as the title. A Tag given as a
// language text number follows the current language.
void SetHelpContext(QWidget* control, int helpId, const QString& tag);
void SetHelpContextText(QWidget* control, int helpId, int tagText);

} // namespace korvane
