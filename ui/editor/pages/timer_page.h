#pragma once
// The timer page (Frame_Timer_Setup) for the on/off delay, pulse and single-pulse timers: the mode,
// the single pulse, the start channel and the two times.

#include "ui/editor/form/time_parts.h"

namespace korvane {

class TimerPage : public TimePartsPage {
    Q_OBJECT
public:
    TimerPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);
    bool shows(const QString& pageKey, int type) const override;
    QWidget* focusControl() override;

protected:
    int shownValue(const FormRow& row) const override;
    void store(const FormRow& row, int value, EditMark mark) override;
    void follow() override;
};

} // namespace korvane
