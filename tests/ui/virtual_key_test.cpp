#include <QKeyEvent>
#include <gtest/gtest.h>

#include "ui/editor/virtual_key.h"

using namespace korvane;

// Qt's key events as the key codes the field rules take; the keypad's digits have codes of their own.
TEST(VirtualKey, mapsQtKeyEventsToTheCodesTheFieldRulesUse) {
    const struct {
        int key;
        Qt::KeyboardModifiers mods;
        int expected;
    } cases[] = {
        {Qt::Key_0, Qt::NoModifier, 48},           {Qt::Key_7, Qt::NoModifier, 55},
        {Qt::Key_9, Qt::ShiftModifier, 57},        {Qt::Key_0, Qt::KeypadModifier, 96},
        {Qt::Key_5, Qt::KeypadModifier, 101},      {Qt::Key_9, Qt::KeypadModifier, 105},
        {Qt::Key_Minus, Qt::KeypadModifier, 109},  {Qt::Key_Minus, Qt::NoModifier, 189},
        {Qt::Key_Plus, Qt::KeypadModifier, 107},   {Qt::Key_Plus, Qt::NoModifier, 187},
        {Qt::Key_Slash, Qt::KeypadModifier, 111},  {Qt::Key_Asterisk, Qt::KeypadModifier, 106},
        {Qt::Key_Slash, Qt::NoModifier, 0},        {Qt::Key_Delete, Qt::NoModifier, 46},
        {Qt::Key_Return, Qt::NoModifier, 13},      {Qt::Key_Enter, Qt::KeypadModifier, 13},
        {Qt::Key_A, Qt::NoModifier, 65},           {Qt::Key_A, Qt::ShiftModifier, 65},
        {Qt::Key_P, Qt::NoModifier, 80},           {Qt::Key_W, Qt::NoModifier, 87},
        {Qt::Key_Z, Qt::NoModifier, 90},           {Qt::Key_Less, Qt::NoModifier, 226},
        {Qt::Key_Greater, Qt::ShiftModifier, 226}, {Qt::Key_Space, Qt::NoModifier, 32},
        {Qt::Key_Left, Qt::KeypadModifier, 37},    {Qt::Key_Down, Qt::NoModifier, 40},
        {Qt::Key_Home, Qt::NoModifier, 36},        {Qt::Key_End, Qt::NoModifier, 35},
        {Qt::Key_F1, Qt::NoModifier, 112},         {Qt::Key_Menu, Qt::NoModifier, 93},
        {Qt::Key_Adiaeresis, Qt::NoModifier, 0},
    };
    for (const auto& c : cases) {
        QKeyEvent ev(QEvent::KeyPress, c.key, c.mods);
        EXPECT_EQ(virtualKey(ev), c.expected) << "Qt key 0x" << std::hex << c.key << " modifiers " << c.mods;
    }
}
