#pragma once
// The common siren page (Frame_CombiSiren_Setup): the alarms the common siren sounds for, one bit
// each of SysData byte 42, and the siren times of the four alarms, the same bytes the alarm pages
// edit. One line per alarm: its box, its siren time and the unit.

#include "ui/editor/form/editor_page.h"

namespace korvane {

class CommonSirenPage : public EditorPage {
    Q_OBJECT
public:
    CommonSirenPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);

    bool shows(const QString& pageKey, int type) const override;
    QWidget* focusControl() override;
};

} // namespace korvane
