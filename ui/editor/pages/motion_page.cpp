#include "ui/editor/pages/motion_page.h"

#include <QLabel>

#include "model/channel_types.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

constexpr FormRow kMotionRows[] = {
    {.control = "Chk_MotionInAlarm",
     .kind = ControlKind::Check,
     .fact = &facts::kMotionAlarm,
     .help = kHelpMotionInAlarm,
     .ownStore = true},
    {.control = "Txt_MotionPulses",
     .kind = ControlKind::Field,
     .fact = &facts::kMotionPulseCount,
     .help = kHelpMotionPulses,
     .enter = "TimerTid_6",
     .label = "L_MotionPulses"},
    {.control = "Label_TimerTid_2", .kind = ControlKind::Label, .caption = kTxtOffDelay},
    TimePartsRow(kHoldTime, kHelpMotionTime, kToDescription),
};

} // namespace

MotionPage::MotionPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : TimePartsPage(ctx, host, focus, "F_motion", parent) {
    build(kMotionRows);
    joinLine({"TimerTid_6", "TimerTid_7", "TimerTid_8"});
}

bool MotionPage::shows(const QString& pageKey, int type) const {
    return pageKey.isEmpty() && type == kTypeMotion;
}

void MotionPage::fill() {
    filledChannel_ = ctx_.ws.curChannel();
    EditorPage::fill();
}

void MotionPage::store(const FormRow& row, int value, EditMark mark) {
    if (row.fact == &facts::kMotionAlarm) {
        // Taking part in the alarm needs at least one detection.
        const int c = ctx_.ws.curChannel();
        ctx_.ws.change(
            [c, value](Configuration& cfg) {
                Row& r = cfg.ChanSetup[static_cast<std::size_t>(c)];
                r[kMotionInAlarm] = value != 0 ? 1 : 0;
                if (value != 0 && r[kMotionPulses] == 0)
                    r[kMotionPulses] = 1;
            },
            mark);
        return;
    }
    TimePartsPage::store(row, value, mark);
}

void MotionPage::stored(const FormRow& row) {
    // Taking part in the alarm may have raised the pulses to 1: the field shows what is stored.
    if (row.fact == &facts::kMotionAlarm)
        showRow(*rowOf(control("Txt_MotionPulses")));
}

void MotionPage::left(const FormRow& row) {
    // Leaving the pulses with 0 makes them 1: in the row the page shows, while it is a motion detector.
    if (row.fact != &facts::kMotionPulseCount || filledChannel_ < 0 || ctx_.ws.typeOf(filledChannel_) != kTypeMotion)
        return;
    const int c = filledChannel_;
    ctx_.ws.change([c](Configuration& cfg) {
        Byte& pulses = cfg.ChanSetup[static_cast<std::size_t>(c)][kMotionPulses];
        if (pulses == 0)
            pulses = 1;
    });
    if (c == ctx_.ws.curChannel())
        showRow(row);
}

void MotionPage::follow() {
    const bool inAlarm = ctx_.ws.value(facts::kMotionAlarm) != 0;
    control("Txt_MotionPulses")->setVisible(inAlarm);
    if (auto* l = findChild<QLabel*>(QStringLiteral("L_MotionPulses")))
        l->setVisible(inAlarm);
}

} // namespace korvane
