#pragma once
// The intruder alarm page (F_tyv): the channel's function in the intruder alarm and the values of
// that function: a detector's disable channel, the arming and disarming times, the siren time with
// the siren's flash option, interval and pattern, and the call-out delay.

#include "ui/editor/pages/alarm_page.h"

class QPushButton;

namespace korvane {

class IntruderPage : public AlarmPage {
    Q_OBJECT
public:
    IntruderPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);

    // A siren's flash option is 0 or 1 (not marked as the user's change).
    void prepare() override;
    void fill() override;

protected:
    int shownValue(const FormRow& row) const override;
    void stored(const FormRow& row) override;
    QWidget* successor(const FormRow& row) override;
    void follow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Byte 1 is the flash option only on a siren, and only 1 ticks the box.
    bool flashOn() const;

    QPushButton* blinkSet_ = nullptr;
};

} // namespace korvane
