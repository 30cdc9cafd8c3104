#pragma once
// The key code the field rules understand, made from a Qt key event: the keyboard's virtual key
// codes (digits 48..57, keypad digits 96..105, letters 65..90 with or without Shift, ...).

class QChar;
class QKeyEvent;

namespace korvane {

// 0 for a key the rules give no meaning.
int virtualKey(const QKeyEvent& event);
int virtualKey(int qtKey, bool keypad);
// The key that types the character on the main keyboard (a pasted text fed to a field's rule), 0 for
// a character no such key types.
int virtualKeyOfCharacter(QChar c);

} // namespace korvane
