#pragma once
// The key code the field rules understand, made from a Qt key event: the keyboard's virtual key
// codes (digits 48..57, keypad digits 96..105, letters 65..90 with or without Shift, ...).

class QKeyEvent;

namespace korvane {

// 0 for a key the rules give no meaning.
int virtualKey(const QKeyEvent& event);
int virtualKey(int qtKey, bool keypad);

} // namespace korvane
