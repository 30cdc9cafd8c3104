#include "ui/editor/pages/smoke_water_page.h"

#include "model/facts_alarm.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

constexpr FormRow kSmokeRows[] = {
    {.control = "O_røg",
     .kind = ControlKind::Option,
     .fact = &facts::kSmokeFunction,
     .help = kHelpSmokeFunction,
     .label = "L_røg"},
    {.control = "T_RøgDisable",
     .kind = ControlKind::Field,
     .fact = &facts::kSmokeDisable,
     .help = kHelpSmokeDisable,
     .enter = kToDescription,
     .frame = "F_RøgDisable",
     .label = "L_RøgDisable"},
    {.control = "T_RøgReset",
     .kind = ControlKind::Field,
     .fact = &facts::kSmokeResetTime,
     .help = kHelpSmokeReset,
     .enter = kToDescription,
     .frame = "F_RøgReset",
     .label = "L_RøgReset",
     .unitLabel = "L_sekund_9"},
    {.control = "T_RøgsireneTid",
     .kind = ControlKind::Field,
     .fact = &facts::kSmokeSirenTime,
     .help = kHelpSmokeSirenTime,
     .enter = kToDescription,
     .frame = "F_RøgsireneTid",
     .label = "L_RøgsireneTid",
     .unitLabel = "L_sekund_7"},
    {.control = "T_RøgViderTid",
     .kind = ControlKind::Field,
     .fact = &facts::kSmokeCallOutTime,
     .help = kHelpSmokeCallOut,
     .enter = kToDescription,
     .frame = "F_RøgViderTid",
     .label = "L_RøgViderTid",
     .unitLabel = "L_sekund_8"},
};

constexpr AlarmFunctionPlace kSmokePlaces[] = {
    {kTypeSmokePassive, "F_RøgDisable", "T_RøgDisable"},   {kTypeSmokeActive, "F_RøgDisable", "T_RøgDisable"},
    {kTypeSmokeReset, "F_RøgReset", "T_RøgReset"},         {kTypeSmokeSiren, "F_RøgsireneTid", "T_RøgsireneTid"},
    {kTypeSmokeCallOut, "F_RøgViderTid", "T_RøgViderTid"},
};

constexpr FormRow kWaterRows[] = {
    {.control = "O_vand",
     .kind = ControlKind::Option,
     .fact = &facts::kWaterFunction,
     .help = kHelpWaterFunction,
     .label = "L_vand"},
    {.control = "T_VandDisable",
     .kind = ControlKind::Field,
     .fact = &facts::kWaterDisable,
     .help = kHelpWaterDisable,
     .enter = kToDescription,
     .frame = "F_VandDisable",
     .label = "L_VandDisable"},
    {.control = "T_VandResetTid",
     .kind = ControlKind::Field,
     .fact = &facts::kWaterResetTime,
     .help = kHelpWaterReset,
     .enter = kToDescription,
     .frame = "F_VandResetTid",
     .label = "L_VandResetTid",
     .unitLabel = "L_sekund_0"},
    {.control = "T_VandsireneTid",
     .kind = ControlKind::Field,
     .fact = &facts::kWaterSirenTime,
     .help = kHelpWaterSirenTime,
     .enter = kToDescription,
     .frame = "F_VandSirene",
     .label = "L_VandsireneTid",
     .unitLabel = "L_sekund_5"},
    {.control = "T_VandViderTid",
     .kind = ControlKind::Field,
     .fact = &facts::kWaterCallOutTime,
     .help = kHelpWaterCallOut,
     .enter = kToDescription,
     .frame = "F_VandViderTid",
     .label = "L_VandViderTid",
     .unitLabel = "L_sekund_6"},
};

constexpr AlarmFunctionPlace kWaterPlaces[] = {
    {kTypeWaterPassive, "F_VandDisable", "T_VandDisable"},   {kTypeWaterActive, "F_VandDisable", "T_VandDisable"},
    {kTypeWaterReset, "F_VandResetTid", "T_VandResetTid"},   {kTypeWaterSiren, "F_VandSirene", "T_VandsireneTid"},
    {kTypeWaterCallOut, "F_VandViderTid", "T_VandViderTid"},
};

} // namespace

const SmokeWaterSpec kSmokePage{{"Frame_RøgAlarm_Setup", &kSmokeAlarm, kSmokeRows, kSmokePlaces},
                                &facts::kSmokeResetTime};
const SmokeWaterSpec kWaterPage{{"Frame_VandAlarm_Setup", &kWaterAlarm, kWaterRows, kWaterPlaces},
                                &facts::kWaterResetTime};

SmokeWaterPage::SmokeWaterPage(AppContext& ctx, PageHost& host, FieldFocus& focus, const SmokeWaterSpec& spec,
                               QWidget* parent)
    : AlarmPage(ctx, host, focus, spec.page, parent), alarm_(spec) {}

void SmokeWaterPage::left(const FormRow& row) {
    // The reset time may be typed through 0 or 1 on the way to 10; leaving the field, in this window
    // or to another, gives it its minimum, and that is a change of the configuration.
    if (row.fact != alarm_.resetTime)
        return;
    const int repaired = ResetTimeOnLeaving(ctx_.ws.value(*row.fact));
    ctx_.ws.setValue(*row.fact, repaired, EditMark::IfChanged);
    showRow(row);
}

} // namespace korvane
