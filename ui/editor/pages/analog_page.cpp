#include "ui/editor/pages/analog_page.h"

#include <QLabel>
#include <QLineEdit>

#include "model/channel_types.h"
#include "model/facts_device.h"
#include "model/field_rules.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

// The light meter's range is fixed; its fields show it as these texts.
const char* const kLuxRangeMin = "0,1";
const char* const kLuxRangeMax = "100000,0";

constexpr FormRow kRows[] = {
    {.control = "Opt_Senstype",
     .kind = ControlKind::Option,
     .fact = &facts::kSensorKind,
     .help = kHelpSensorKind,
     .enter = "SensDisabel",
     .label = "Label4_8"},
    {.control = "SensDisabel",
     .kind = ControlKind::Field,
     .fact = &facts::kSensorDisable,
     .help = kHelpSensorDisable,
     .enter = "Chk_AnalinkOutCtrl",
     .label = "Label4_0"},
    {.control = "Chk_AnalinkOutCtrl",
     .kind = ControlKind::Check,
     .fact = &facts::kSensorOutput,
     .help = kHelpSensorOutput,
     .enter = "Chk_ExchLim"},
    {.control = "Chk_ExchLim",
     .kind = ControlKind::Check,
     .fact = &facts::kSensorInverted,
     .help = kHelpSensorInvert,
     .enter = "CHk_ExternLim"},
    {.control = "CHk_ExternLim",
     .kind = ControlKind::Check,
     .fact = &facts::kSensorExternLimit,
     .help = kHelpSensorExternLimit},
    {.control = "T_RangeMin",
     .kind = ControlKind::Number,
     .fact = &facts::kSensorRangeMin,
     .help = kHelpSensorRangeMin,
     .label = "Label4_1"},
    {.control = "T_RangeMax",
     .kind = ControlKind::Number,
     .fact = &facts::kSensorRangeMax,
     .help = kHelpSensorRangeMax,
     .label = "Label4_2"},
    {.control = "Txt_VarLim",
     .kind = ControlKind::Field,
     .fact = &facts::kSensorLimitChannel,
     .help = kHelpSensorLimitChannel,
     .enter = "T_Setpoint_0",
     .label = "Label4_9"},
    {.control = "T_Setpoint_0",
     .kind = ControlKind::Number,
     .fact = &facts::kSensorLimit1Low,
     .help = kHelpSensorLimit1,
     .frame = "F_grenze1",
     .label = "Label4_3"},
    {.control = "T_Setpoint_1",
     .kind = ControlKind::Number,
     .fact = &facts::kSensorLimit1High,
     .help = kHelpSensorLimit1,
     .frame = "F_grenze1",
     .label = "Label4_4"},
    {.control = "Chk_NightEnable",
     .kind = ControlKind::Check,
     .fact = &facts::kSensorSecondLimit,
     .help = kHelpSensorSecondLimit,
     .frame = "F_grenze1"},
    {.control = "T_Setpoint_2",
     .kind = ControlKind::Number,
     .fact = &facts::kSensorLimit2Low,
     .help = kHelpSensorLimit2,
     .frame = "F_grenze2",
     .label = "Label4_5"},
    {.control = "T_Setpoint_3",
     .kind = ControlKind::Number,
     .fact = &facts::kSensorLimit2High,
     .help = kHelpSensorLimit2,
     .frame = "F_grenze2",
     .label = "Label4_6"},
    {.control = "SensLim2Disabel",
     .kind = ControlKind::Field,
     .fact = &facts::kSensorLimit2Channel,
     .help = kHelpSensorLimit2Channel,
     .enter = kToDescription,
     .frame = "F_grenze2",
     .label = "Label4_7"},
};

bool isLimit(const FormRow& row) {
    return row.fact == &facts::kSensorLimit1Low || row.fact == &facts::kSensorLimit1High ||
           row.fact == &facts::kSensorLimit2Low || row.fact == &facts::kSensorLimit2High;
}

} // namespace

AnalogPage::AnalogPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "Frame_Analink_Setup", parent) {
    build(kRows);
    // Two kinds to a line, and each limit pair on one line, so the page fits the window.
    joinLine({"Opt_Senstype_48", "Opt_Senstype_49"});
    joinLine({"Opt_Senstype_50", "Opt_Senstype_51"});
    joinLine({"T_Setpoint_0", "T_Setpoint_1"});
    joinLine({"T_Setpoint_2", "T_Setpoint_3"});
    for (const char* name : {"F_grenze1", "F_grenze2"})
        frame(name)->setFrameShape(QFrame::StyledPanel);
}

bool AnalogPage::shows(const QString& pageKey, int type) const {
    return pageKey.isEmpty() && type >= kTypeAnalogGeneral && type <= kTypeAnalogTemperature;
}

QWidget* AnalogPage::focusControl() {
    const QByteArray name = "Opt_Senstype_" + QByteArray::number(ctx_.ws.typeOf(ctx_.ws.curChannel()));
    return control(name.constData());
}

bool AnalogPage::rangeBackwards() const {
    const Workspace& ws = ctx_.ws;
    const Row& row = ws.cfg.ChanSetup[static_cast<std::size_t>(ws.curChannel())];
    return Byte3ToTenths(row, kAnaRangeMax) < Byte3ToTenths(row, kAnaRangeMin);
}

bool AnalogPage::optionSet(Byte bit) const {
    const Workspace& ws = ctx_.ws;
    return (ws.cfg.ChanSetup[static_cast<std::size_t>(ws.curChannel())][kAnaOptions] & bit) != 0;
}

void AnalogPage::store(const FormRow& row, int value, EditMark mark) {
    // Choosing the kind it already has is no change.
    EditorPage::store(row, value, row.fact == &facts::kSensorKind ? EditMark::IfChanged : mark);
}

void AnalogPage::stored(const FormRow& row) {
    // Another kind: the range fields show the stored range, or the light meter's fixed one.
    if (row.fact == &facts::kSensorKind)
        for (const FormRow& r : rows())
            if (r.fact == &facts::kSensorRangeMin || r.fact == &facts::kSensorRangeMax)
                showRow(r);
}

QWidget* AnalogPage::successor(const FormRow& row) {
    const bool lux = ctx_.ws.typeOf(ctx_.ws.curChannel()) == kTypeAnalogLux;
    const bool external = optionSet(kAnaExternLimitBit);
    const bool second = optionSet(kAnaSecondLimitBit);
    if (isRow(row, "CHk_ExternLim")) {
        // The light meter has no range to type: on to the external limit channel or the first limit.
        if (!lux)
            return control("T_RangeMin");
        return control(external ? "Txt_VarLim" : "T_Setpoint_0");
    }
    // A taken range maximum leads to the first limit, whatever the external limit option says.
    if (isRow(row, "T_RangeMax"))
        return control("T_Setpoint_0");
    if (isRow(row, "Chk_NightEnable"))
        return second ? control("T_Setpoint_2") : host_.descriptionField();
    if (isRow(row, "T_Setpoint_3"))
        return second ? control("SensLim2Disabel") : host_.descriptionField();
    return EditorPage::successor(row);
}

void AnalogPage::follow() {
    const Workspace& ws = ctx_.ws;
    const bool lux = ws.typeOf(ws.curChannel()) == kTypeAnalogLux;
    // A range whose maximum is below its minimum (from a file or the unit) shows red in both range
    // fields until it is mended.
    const bool backwards = !lux && rangeBackwards();
    for (const char* name : {"T_RangeMin", "T_RangeMax"}) {
        auto* edit = control<QLineEdit>(name);
        edit->setEnabled(!lux);
        if (lux)
            edit->setText(QLatin1String(qstrcmp(name, "T_RangeMin") == 0 ? kLuxRangeMin : kLuxRangeMax));
        setRefused(edit, backwards);
    }
    // Inverted limits switch on below the lower value and off above the upper one: their captions'
    // rule.
    for (const FormRow& row : rows())
        if (isLimit(row))
            if (auto* l = findChild<QLabel*>(QLatin1String(row.label)))
                l->setText(ws.text(captionOf(row)));
    frame("F_grenze2")->setVisible(optionSet(kAnaSecondLimitBit));
}

void AnalogPage::left(const FormRow& row) {
    // Leaving a range field shows the stored range again, red only while it is backwards.
    if (row.fact == &facts::kSensorRangeMin || row.fact == &facts::kSensorRangeMax)
        follow();
}

NumberTaken AnalogPage::takeNumber(const FormRow& row, const QString& text) {
    const Workspace& ws = ctx_.ws;
    const Row& stored = ws.cfg.ChanSetup[static_cast<std::size_t>(ws.curChannel())];
    const std::optional<long> v = typedTenths(text);
    if (row.fact == &facts::kSensorRangeMax) {
        // Enter on the maximum as it is stored stores nothing and moves on, as on any field: the way to
        // the limits is never barred by a value the user did not type (a backwards range from a file
        // stays red until it is mended).
        if (text == shownNumber(row))
            return NumberTaken::Accepted;
        // A refused maximum turns both range fields red: the pair is what is wrong.
        const bool accepted = v && RangeMaxAccepted(*v, Byte3ToTenths(stored, kAnaRangeMin));
        setRefused(control("T_RangeMin"), !accepted);
        if (!accepted)
            return NumberTaken::Refused;
    }
    if (!v)
        return NumberTaken::Refused;
    if (row.fact == &facts::kSensorRangeMin && !RangeMinAccepted(*v))
        return NumberTaken::Refused;
    if (isLimit(row)) {
        // Outside the range a limit takes the bound of its own side, and the field stays red.
        const LimitEntry e = EnterLimit(stored, row.fact->index, *v);
        store(row, static_cast<int>(e.stored), EditMark::IfChanged);
        return e.inRange ? NumberTaken::Accepted : NumberTaken::Replaced;
    }
    store(row, static_cast<int>(*v), EditMark::IfChanged);
    return NumberTaken::Accepted;
}

} // namespace korvane
