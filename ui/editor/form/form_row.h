#pragma once
// One row of an editor page: a control, the value it edits, its help, where Enter goes and the
// sub-frame it sits in. A page declares its controls as a constexpr table of rows; the generic
// controls of EditorPage bind each row to the model. The caption, the unit and the choices of a value
// are its fact's; a row names its own only where the page shows other words than the value's.
//
//     constexpr FormRow kRows[] = {
//         {.control = "T_DeviceNo", .kind = ControlKind::Field, .fact = &facts::kDeviceNo,
//          .help = kHelpDeviceNumber, .enter = kToMain},
//     };

#include <cstddef>
#include <cstdint>
#include <span>

#include "model/value_facts.h"

namespace korvane {

enum class ControlKind : std::uint8_t {
    Field,     // locked field: keys go through the fact's entry rule
    Check,     // check box: 0 or 1 (or a flag bit)
    List,      // drop-down list of items; a stored value no item stands for shows "?"
    Text,      // one-line free text (Windows-1252, double quotes become apostrophes on leaving)
    MultiText, // multi-line free text: Enter starts a new line, stored as CR LF
    Option,    // option array, one button per item: `Name_value`
    Label,     // a caption of its own (a heading or a note), no value
    Number,    // free number typed as text (signed tenths): taken on Enter by the page, red while refused
};

// Where Enter goes besides a control of the page.
inline constexpr const char* kToMain = "<main>";             // the main window takes the keyboard
inline constexpr const char* kToDescription = "TextBeskriv"; // the channel description

// An item of a list or an option array: the value it stores and its text (a language text, or a
// fixed text where `text` is 0), and an option button's objectName where it is not `Name_value`.
using ListItem = Choice;

// A row without a caption of its own although its value has one (a heading above names it).
inline constexpr int kNoCaption = -1;

struct RowTable; // rows x columns of like fields (ui/editor/form/row_table.h)

struct FormRow {
    const char* control;
    ControlKind kind;
    const ValueFact* fact = nullptr;
    const TextFact* textFact = nullptr;
    int help = 0;
    int caption = 0;             // language text of the caption where it is not the fact's; kNoCaption: none
    const char* enter = nullptr; // the control Enter goes to; nullptr: the next row of the table
    const char* frame = nullptr; // the sub-frame (objectName) the control sits in; nullptr: the page
    int unit = 0;                // language text of the unit label after the control, where it is not the fact's
    const char* hint = nullptr;  // tooltip, where it is not the fact's range
    std::span<const ListItem> items = {}; // the choices, where they are not the fact's
    const char* tag = nullptr;            // the title of F1's help, where it is not the caption
    const char* label = nullptr;          // objectName of the caption label; nullptr: "Lbl_" + control
    const char* unitLabel = nullptr;      // objectName of the unit label; nullptr: control + "_unit"
    bool ownStore = false;                // the page stores more than the fact (claims, derived bytes)
    bool pair = false;                    // two options: any stored value but the first one's shows the second
    bool keysChoose = false; // two options: a key on a button (not Enter, Tab, Space, an arrow) chooses the other

    // An indexed row: one declaration that stands for a row per index of its table, and `across`
    // controls side by side in each. Its names are patterns: %1 the index, %2 the index + 1, %3 the
    // place across. The value of index i (place j) is factAt(i, j) or textAt(i).
    const RowTable* table = nullptr;
    const ValueFact* (*factAt)(int i, int j) = nullptr;
    const TextFact* (*textAt)(int i) = nullptr;
    int across = 1;
    // Set on each row an indexed row stands for: its index, its place across and its declaration.
    int at = -1;
    int place = 0;
    const FormRow* declared = nullptr;

    // The caption's language text as the row is built: its own, else its value's (0: none).
    constexpr int captionText() const {
        if (caption == kNoCaption)
            return 0;
        return caption != 0 ? caption : fact ? fact->caption : 0;
    }
    constexpr int unitText() const { return unit != 0 ? unit : fact ? fact->unit : 0; }
    constexpr std::span<const ListItem> choices() const {
        return !items.empty() ? items : fact ? fact->choices : std::span<const ListItem>{};
    }
};

// The per-index values of an indexed row: index i (place j) of a fact array.
template <const auto& Facts> constexpr const ValueFact* Each(int i, int /*j*/) {
    return &Facts[static_cast<std::size_t>(i)];
}
template <const auto& Facts> constexpr const ValueFact* EachAcross(int i, int j) {
    return &Facts[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
}
template <const auto& Facts> constexpr const TextFact* EachText(int i) {
    return &Facts[static_cast<std::size_t>(i)];
}

} // namespace korvane
