#include "ui/editor/virtual_key.h"

#include <QKeyEvent>

#include "model/field_rules.h"

namespace korvane {

int virtualKey(int key, bool keypad) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return (keypad ? vk::kPad0 : vk::k0) + (key - Qt::Key_0);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return vk::kA + (key - Qt::Key_A);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return vk::kF1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Minus:
        return keypad ? vk::kPadSubtract : vk::kMinus;
    case Qt::Key_Plus:
        return keypad ? vk::kPadAdd : vk::kPlus;
    case Qt::Key_Asterisk:
        return keypad ? vk::kPadMultiply : 0;
    case Qt::Key_Slash:
        return keypad ? vk::kPadDivide : 0;
    case Qt::Key_Delete:
        return vk::kDelete;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vk::kEnter;
    case Qt::Key_Backspace:
        return vk::kBackspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return vk::kTab;
    case Qt::Key_Escape:
        return vk::kEscape;
    case Qt::Key_Space:
        return vk::kSpace;
    case Qt::Key_Left:
        return vk::kLeft;
    case Qt::Key_Up:
        return vk::kUp;
    case Qt::Key_Right:
        return vk::kRight;
    case Qt::Key_Down:
        return vk::kDown;
    case Qt::Key_Home:
        return vk::kHome;
    case Qt::Key_End:
        return vk::kEnd;
    case Qt::Key_Menu:
        return vk::kApps;
    // The key left of Z on European keyboards: "<", ">" and "|" on German and Danish layouts,
    // "\" on some others.
    case Qt::Key_Less:
    case Qt::Key_Greater:
    case Qt::Key_Bar:
    case Qt::Key_Backslash:
        return vk::kOem102;
    default:
        return 0;
    }
}

int virtualKeyOfCharacter(QChar c) {
    const char16_t u = c.toUpper().unicode();
    // Qt's key codes of the printable ASCII characters are their character codes.
    return u > 0x20 && u < 0x7F ? virtualKey(u, false) : u == 0x20 ? vk::kSpace : 0;
}

int virtualKey(const QKeyEvent& event) {
    return virtualKey(event.key(), event.modifiers().testFlag(Qt::KeypadModifier));
}

} // namespace korvane
