#pragma once
// The layout of the editor pages (form_layout.cpp): what EditorPage's constructor needs of it.

class QGridLayout;
class QWidget;

namespace korvane {

// The grid of a page's lines or of a sub-frame: caption, control, and the rest of the line.
QGridLayout* NewFormGrid(QWidget* holder);

} // namespace korvane
