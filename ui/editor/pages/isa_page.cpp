#include "ui/editor/pages/isa_page.h"

#include "model/facts_alarm.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

// The operating mode sits below the function's fields, where the Enter chains reach it.
constexpr FormRow kRows[] = {
    {.control = "O_ISA",
     .kind = ControlKind::Option,
     .fact = &facts::kIsaFunction,
     .help = kHelpIsaFunction,
     .label = "L_ISA"},
    {.control = "T_ISADisable",
     .kind = ControlKind::Field,
     .fact = &facts::kIsaDisable,
     .help = kHelpIsaDisable,
     .enter = "T_ISAondelay",
     .frame = "F_ISAdisable",
     .label = "L_ISADisable"},
    // Enter goes on to the operating mode where it can be chosen, else to the description.
    {.control = "T_ISAondelay",
     .kind = ControlKind::Field,
     .fact = &facts::kIsaInputOnDelay,
     .help = kHelpIsaOnDelay,
     .frame = "F_ISAdisable",
     .label = "L_ISAOndelay",
     .unitLabel = "L_sekund_17"},
    {.control = "T_ISAsirenetid",
     .kind = ControlKind::Field,
     .fact = &facts::kIsaSirenTime,
     .help = kHelpIsaSirenTime,
     .frame = "F_ISAsirene",
     .label = "L_ISAsirenetid",
     .unitLabel = "L_sekund_16"},
    {.control = "Combo_ISAOpmode",
     .kind = ControlKind::List,
     .fact = &facts::kIsaMode,
     .help = kHelpIsaMode,
     .enter = kToDescription,
     .frame = "F_ISAOpmode",
     .label = "L_ISAOpmode"},
};

constexpr AlarmFunctionPlace kPlaces[] = {
    {kTypeIsaPassive, "F_ISAdisable", "T_ISADisable", "Passivesetector"},
    {kTypeIsaActive, "F_ISAdisable", "T_ISADisable", "Activedetector"},
    {kTypeIsaAcknowledge, nullptr, nullptr, "Acknowledge"},
    {kTypeIsaReset, nullptr, nullptr, "Reset"},
    {kTypeIsaLampTest, nullptr, nullptr, "LampTest"},
    {kTypeIsaSiren, "F_ISAsirene", "T_ISAsirenetid", "Sirene"},
};

constexpr AlarmPageSpec kIsaPage{"Frame_ISAalarm_Setup", &kIsaAlarm, kRows, kPlaces};

} // namespace

IsaPage::IsaPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : AlarmPage(ctx, host, focus, kIsaPage, parent) {}

void IsaPage::prepare() {
    ctx_.ws.change([](Configuration& cfg) { ApplyIsaModeRule(cfg); }, EditMark::Never);
}

QWidget* IsaPage::modeOrDescription() {
    QWidget* mode = control("Combo_ISAOpmode");
    return mode->isEnabled() ? mode : host_.descriptionField();
}

QWidget* IsaPage::successor(const FormRow& row) {
    if (row.fact == &facts::kIsaInputOnDelay || row.fact == &facts::kIsaSirenTime)
        return modeOrDescription();
    if (isOptionRow(row)) {
        const AlarmFunctionPlace* place = placeOf(function());
        if (place && !place->field)
            return modeOrDescription();
    }
    return AlarmPage::successor(row);
}

void IsaPage::follow() {
    AlarmPage::follow();
    // With a reset input the alarm is always reset by hand.
    control("Combo_ISAOpmode")->setEnabled(!IsaResetInputExists(ctx_.ws.cfg));
}

} // namespace korvane
