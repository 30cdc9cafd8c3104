#pragma once
// The smoke alarm page (Frame_RøgAlarm_Setup) and the water alarm page (Frame_VandAlarm_Setup): one
// page built twice from two descriptions that differ in their function codes, SysData bytes,
// maxima, the channels the single-use rule counts and the control names. The channel's function,
// a detector's disable channel, and the alarm's siren, call-out and reset times.

#include "ui/editor/pages/alarm_page.h"

namespace korvane {

struct SmokeWaterSpec {
    AlarmPageSpec page;
    const ValueFact* resetTime; // raised to the minimum whenever its field is left
};

extern const SmokeWaterSpec kSmokePage;
extern const SmokeWaterSpec kWaterPage;

class SmokeWaterPage : public AlarmPage {
    Q_OBJECT
public:
    SmokeWaterPage(AppContext& ctx, PageHost& host, FieldFocus& focus, const SmokeWaterSpec& spec,
                   QWidget* parent = nullptr);

protected:
    void left(const FormRow& row) override;

private:
    const SmokeWaterSpec& alarm_;
};

} // namespace korvane
