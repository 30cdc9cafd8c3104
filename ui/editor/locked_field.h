#pragma once
// The locked fields of the editor window and the one place that connects them to the field rules.
//
// A LockedField is a read-only line edit: the user cannot type into it, but it keeps the focus, the
// selection and every key. Each key reaches the field's handler as the virtual key code the rules
// understand; the handler works out the new value with a rule of model/field_rules.h, stores it in
// the configuration and the field shows what is stored. Enter only moves the focus along the chain.
//
// FieldKit declares a field in one line: its name, the byte it edits, its maximum, its format and
// help number. The kit fills the tooltip with the accepted range and refreshes every field it made
// from the model when a page is filled:
//
//     kit.decimal(page, "T_DeviceNo", ByteSlot::sys(kSysDeviceNo), 99, 2, kHelpDeviceNumber);

#include <QLineEdit>
#include <functional>
#include <vector>

#include "app/workspace.h"

namespace korvane {

// Where a field's byte lives: a SysData byte, or a column of the current channel's ChanSetup row.
class ByteSlot {
public:
    static ByteSlot sys(int byte) { return ByteSlot(true, byte); }
    static ByteSlot channel(int column) { return ByteSlot(false, column); }
    Byte& in(Workspace& ws) const;

private:
    ByteSlot(bool sys, int index) : sys_(sys), index_(index) {}
    bool sys_;
    int index_;
};

class LockedField : public QLineEdit {
    Q_OBJECT
public:
    explicit LockedField(QWidget* parent = nullptr);

    // The handler of every key but Enter, with the virtual key code (0 for keys without one).
    std::function<void(int keyCode)> onKey;
    // What Enter does instead of moving to the successor (the device number hands over to the main window).
    std::function<void()> onEnter;
    // The text the field shows for the stored value.
    std::function<QString()> display;

    // The control Enter moves the focus to.
    void setSuccessor(QWidget* next) { successor_ = next; }
    QWidget* successor() const { return successor_; }
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

    QWidget* successor_ = nullptr;
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

// Moves the focus along the controls in the order given: Enter in each goes to the next.
void ChainFields(std::initializer_list<LockedField*> fields, QWidget* last);

class FieldKit {
public:
    FieldKit(Workspace& ws, FieldFocus& focus) : ws_(ws), focus_(focus) {}

    // Decimal entry of the last digits typed (Object_NumInDec), shown with the given number of digits.
    LockedField* decimal(QWidget* parent, const char* name, ByteSlot slot, int maximum, int digits, int helpId);
    // Packed two-digit decimal entry (Object_NumIn) between a packed minimum and maximum.
    LockedField* packed(QWidget* parent, const char* name, ByteSlot slot, int minimum, int maximum, int helpId);
    // Decimal entry straight from the key (Object_NummaxRangeIn), shown "000".
    LockedField* range(QWidget* parent, const char* name, ByteSlot slot, int maximum, int helpId);
    // Channel reference (Object_DisableChannelInput with the groups X, Y, Z, W; Object_ChannelIn without).
    LockedField* channel(QWidget* parent, const char* name, ByteSlot slot, bool extraGroups, int helpId);

    // Shows every field of the kit again from the model.
    void refreshAll();
    const std::vector<LockedField*>& fields() const { return fields_; }

private:
    LockedField* make(QWidget* parent, const char* name, int helpId, const QString& tooltip);
    // Stores rule(old byte) in the slot through the workspace's write path and shows it.
    void store(LockedField* field, ByteSlot slot, const std::function<int(int)>& rule);

    Workspace& ws_;
    FieldFocus& focus_;
    std::vector<LockedField*> fields_;
};

} // namespace korvane
