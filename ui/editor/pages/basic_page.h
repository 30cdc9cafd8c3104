#pragma once
// The basic page of mono, unused and flip-flop channels (Frame_BasicChtype_Setup): an inverted mono
// channel, or a flip-flop channel that is part of the intruder alarm. Both store byte 1 of the row.

#include "ui/editor/form/editor_page.h"

namespace korvane {

class BasicPage : public EditorPage {
    Q_OBJECT
public:
    BasicPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);
    bool shows(const QString& pageKey, int type) const override;

protected:
    int shownValue(const FormRow& row) const override;
    void follow() override;
};

} // namespace korvane
