#pragma once
// The ISA alarm page (Frame_ISAalarm_Setup): the channel's function in the ISA alarm, a detector's
// disable channel and input on-delay, the siren time (or continuous) and the alarm's operating
// mode, which is reset by hand while a channel is the ISA reset input.

#include "ui/editor/pages/alarm_page.h"

namespace korvane {

class IsaPage : public AlarmPage {
    Q_OBJECT
public:
    IsaPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent = nullptr);

    // The operating mode is 0 while a reset input exists (not marked as the user's change).
    void prepare() override;

protected:
    QWidget* successor(const FormRow& row) override;
    void follow() override;

private:
    // The operating mode list where it can be chosen, else the channel description.
    QWidget* modeOrDescription();
};

} // namespace korvane
