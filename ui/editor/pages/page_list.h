#pragma once
// Every page of the editor window, made in one place: a new page is one line here.

#include <vector>

#include "ui/editor/form/editor_page.h"

namespace korvane {

// The pages in the order the window asks them which one shows a page key and channel type.
std::vector<EditorPage*> MakeEditorPages(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent);

} // namespace korvane
