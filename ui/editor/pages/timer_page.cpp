#include "ui/editor/pages/timer_page.h"

#include <QLabel>

#include "model/channel_types.h"
#include "model/facts_device.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

// The timer's two modes: the delay timers (3, and 5 with the single pulse) and the pulse timer (4).
constexpr int kModeDelay = 0;
constexpr int kModePulse = 1;
constexpr ListItem kModeItems[] = {{kModeDelay, kTxtTimerModeDelay}, {kModePulse, kTxtTimerModePulse}};

constexpr FormRow kTimerRows[] = {
    {.control = "L_Timer", .kind = ControlKind::Label, .caption = kTxtTimerHeading},
    {.control = "O_TimerMode",
     .kind = ControlKind::Option,
     .fact = &facts::kTimerFunction,
     .help = kHelpTimerMode,
     .items = kModeItems,
     .ownStore = true},
    {.control = "Chk_TimPuls",
     .kind = ControlKind::Check,
     .fact = &facts::kTimerFunction,
     .help = kHelpTimerSinglePulse,
     .caption = kTxtSinglePulse,
     .enter = "Timer_NoPulses",
     .ownStore = true},
    {.control = "Timer_NoPulses",
     .kind = ControlKind::Field,
     .fact = &facts::kTimerStart,
     .help = kHelpTimerStartChannel,
     .enter = "TimerTid_0",
     .label = "L_TimerNoPulses"},
    {.control = "Label_TimerTid_0", .kind = ControlKind::Label, .caption = kTxtOnDelay},
    TimePartsRow(kTime1, kHelpTimerTime1, "TimerTid_3"),
    {.control = "Label_TimerTid_1", .kind = ControlKind::Label, .caption = kTxtOffDelay},
    TimePartsRow(kTime2, kHelpTimerTime2, kToDescription),
};

} // namespace

TimerPage::TimerPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : TimePartsPage(ctx, host, focus, "Frame_Timer_Setup", parent) {
    build(kTimerRows);
    // Each time on one line: hours, minutes, seconds.
    joinLine({"TimerTid_0", "TimerTid_1", "TimerTid_2"});
    joinLine({"TimerTid_3", "TimerTid_4", "TimerTid_5"});
}

bool TimerPage::shows(const QString& pageKey, int type) const {
    return pageKey.isEmpty() && (type == kTypeTimerDelay || type == kTypeTimerPulse || type == kTypeTimerDelayPulse);
}

QWidget* TimerPage::focusControl() {
    const bool pulse = ctx_.ws.typeOf(ctx_.ws.curChannel()) == kTypeTimerPulse;
    return control(pulse ? "O_TimerMode_1" : "O_TimerMode_0");
}

int TimerPage::shownValue(const FormRow& row) const {
    const Workspace& ws = ctx_.ws;
    const int type = ws.typeOf(ws.curChannel());
    if (isRow(row, "O_TimerMode"))
        return type == kTypeTimerPulse ? kModePulse : kModeDelay;
    if (isRow(row, "Chk_TimPuls"))
        return type == kTypeTimerDelayPulse ? 1 : 0;
    return TimePartsPage::shownValue(row);
}

void TimerPage::store(const FormRow& row, int value, EditMark mark) {
    Workspace& ws = ctx_.ws;
    const int c = ws.curChannel();
    if (isRow(row, "O_TimerMode")) {
        // The delay mode keeps a single-pulse timer as it is; the pulse timer sends no events.
        ws.change(
            [c, value](Configuration& cfg) {
                const int type = cfg.ChanSetup[static_cast<std::size_t>(c)][kRowType];
                if (value == kModeDelay && type == kTypeTimerPulse) {
                    StoreValue(facts::kTimerFunction, cfg, c, kTypeTimerDelay);
                } else if (value == kModePulse && type != kTypeTimerPulse) {
                    StoreValue(facts::kTimerFunction, cfg, c, kTypeTimerPulse);
                    cfg.ChanFlags[static_cast<std::size_t>(c)] = 0;
                }
            },
            mark);
        return;
    }
    if (isRow(row, "Chk_TimPuls")) {
        ws.setValue(facts::kTimerFunction, value != 0 ? kTypeTimerDelayPulse : kTypeTimerDelay, mark);
        return;
    }
    TimePartsPage::store(row, value, mark);
}

void TimerPage::follow() {
    const Workspace& ws = ctx_.ws;
    const bool pulse = ws.typeOf(ws.curChannel()) == kTypeTimerPulse;
    control("Chk_TimPuls")->setVisible(!pulse);
    control<QLabel>("Label_TimerTid_0")->setText(ws.text(pulse ? kTxtPulseTime : kTxtOnDelay));
    control<QLabel>("Label_TimerTid_1")->setText(ws.text(pulse ? kTxtPauseTime : kTxtOffDelay));
}

} // namespace korvane
