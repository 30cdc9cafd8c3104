#pragma once
// The motion detector page (F_motion): whether it takes part in the alarm, the detections that raise
// it and the hold time (a timer's time 1).

#include "ui/editor/form/time_parts.h"

namespace korvane {

class MotionPage : public TimePartsPage {
    Q_OBJECT
public:
    MotionPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);
    bool shows(const QString& pageKey, int type) const override;
    void fill() override;
    QWidget* focusControl() override { return control("Chk_MotionInAlarm"); }

protected:
    void store(const FormRow& row, int value, EditMark mark) override;
    void stored(const FormRow& row) override;
    void left(const FormRow& row) override;
    void follow() override;

private:
    int filledChannel_ = -1; // the channel whose row the page shows
};

} // namespace korvane
