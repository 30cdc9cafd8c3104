#pragma once
// The program's menus: the command table that makes the menu bar's entries, their captions and
// shortcut letters, the access keys and the application-wide keys. The methods that build and
// caption the menus are MainWindow's (main_menus.cpp); this header holds what the window's other
// files share with them.

#include <span>

namespace korvane {

class MainWindow;

// The setting of View > Descriptions in cells ("0": off).
inline constexpr char kCellTextKey[] = "CellDescriptions";

// The shortcut letters of the language (entries 0..11 of ShortcutKeys), in the order of their texts.
enum Shortcut {
    kScBasic,
    kScLogic,
    kScHoliday,
    kScExchange,
    kScSms,
    kScNew,
    kScOpen,
    kScSave,
    kScSaveAs,
    kScRead,
    kScWrite,
    kScExit,
    kScNone = -1
};

// A command of the menu bar: the entry's name, its caption, its shortcut letter (Ctrl with the
// letter, Alt for Exit), and what it does: a method of the window or an editor page.
struct Command {
    const char* menu;
    const char* name;
    int text;
    int shortcut;
    void (MainWindow::*handler)() = nullptr;
    const char* page = nullptr;
    bool separatorBefore = false;
    char fixedKey = 0; // Ctrl with this letter in every language (Undo, Redo), instead of a shortcut letter
};

// The commands in menu order.
std::span<const Command> MenuCommands();

} // namespace korvane
