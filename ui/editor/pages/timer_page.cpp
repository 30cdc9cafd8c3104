#include "ui/editor/pages/timer_page.h"

#include <QLabel>

#include "model/channel_types.h"
#include "model/facts_device.h"
#include "model/text_ids.h"
#include "model/timer.h"

namespace korvane {

namespace {

// The timer's two modes: the delay timers (3, and 5 with the single pulse) and the pulse timer (4).
constexpr int kModeDelay = 0;
constexpr int kModePulse = 1;
constexpr ListItem kModeItems[] = {{kModeDelay, kTxtTimerModeDelay}, {kModePulse, kTxtTimerModePulse}};

// The hours, minutes and seconds of the timer's two times and of the motion detector's hold time:
// TimerTid_0 .. TimerTid_8, each time a line of its own.
constexpr const ValueFact* kTimeParts[] = {
    &facts::kTimer1Hours, &facts::kTimer1Minutes, &facts::kTimer1Seconds,
    &facts::kTimer2Hours, &facts::kTimer2Minutes, &facts::kTimer2Seconds,
    &facts::kMotionHours, &facts::kMotionMinutes, &facts::kMotionSeconds,
};
constexpr int kPartsPerTime = 3;
constexpr RowTable kTime1{.count = kPartsPerTime, .laid = false};
constexpr RowTable kTime2{.count = kPartsPerTime, .first = kPartsPerTime, .laid = false};
constexpr RowTable kHoldTime{.count = kPartsPerTime, .first = 2 * kPartsPerTime, .laid = false};

constexpr FormRow timeParts(const RowTable& time, int help, const char* enter) {
    return FormRow{.control = "TimerTid_%1",
                   .kind = ControlKind::Field,
                   .help = help,
                   .caption = kNoCaption, // the heading above the line names the time
                   .enter = enter,
                   .ownStore = true,
                   .table = &time,
                   .factAt = [](int i, int) { return kTimeParts[static_cast<std::size_t>(i)]; }};
}

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
    timeParts(kTime1, kHelpTimerTime1, "TimerTid_3"),
    {.control = "Label_TimerTid_1", .kind = ControlKind::Label, .caption = kTxtOffDelay},
    timeParts(kTime2, kHelpTimerTime2, kToDescription),
};

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
    timeParts(kHoldTime, kHelpMotionTime, kToDescription),
};

// Where a TimerTid field's time lives: the total, the typed parts and which part the field is.
struct TimeField {
    int total = -1; // no time field
    int typed = 0;
    TimePart part = TimePart::Hours;
};

TimeField timeFieldOf(const FormRow& row) {
    if (!row.table)
        return {};
    // Time 2 has typed parts of its own; the hold time uses those of time 1.
    const int time = row.at / kPartsPerTime;
    return {time == 0 ? kTimerTime1 : time == 1 ? kTimerTime2 : kMotionTime,
            kTimerTyped + (time == 1 ? kPartsPerTime : 0), static_cast<TimePart>(row.at % kPartsPerTime)};
}

// The part of the stored total a time field shows.
int shownPart(const Workspace& ws, const TimeField& f) {
    const DurationParts d =
        SplitDuration(DurationAt(ws.cfg.ChanSetup[static_cast<std::size_t>(ws.curChannel())], f.total));
    switch (f.part) {
    case TimePart::Hours:
        return static_cast<int>(d.hours);
    case TimePart::Minutes:
        return d.minutes;
    case TimePart::Seconds:
        break;
    }
    return d.seconds;
}

// Stores a digit typed into a time field: that part changes, the other two stay as shown. A time the
// bytes cannot hold is refused with a beep.
void storeTimePart(AppContext& ctx, const TimeField& f, int value, EditMark mark) {
    Workspace& ws = ctx.ws;
    const int c = ws.curChannel();
    Row row = ws.cfg.ChanSetup[static_cast<std::size_t>(c)];
    if (!EnterTimePart(row, f.total, f.typed, f.part, value)) {
        ctx.dialogs.beep();
        return;
    }
    ws.change([&](Configuration& cfg) { cfg.ChanSetup[static_cast<std::size_t>(c)] = row; }, mark);
}

bool isRow(const FormRow& row, const char* name) {
    return qstrcmp(row.control, name) == 0;
}

} // namespace

// ---- Timer ----

TimerPage::TimerPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "Frame_Timer_Setup", parent) {
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
    if (const TimeField f = timeFieldOf(row); f.total >= 0)
        return shownPart(ws, f);
    return EditorPage::shownValue(row);
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
    if (const TimeField f = timeFieldOf(row); f.total >= 0) {
        storeTimePart(ctx_, f, value, mark);
        return;
    }
    EditorPage::store(row, value, mark);
}

void TimerPage::keyRefused(const FormRow& row, int keyCode) {
    if (keyCode != 0 && timeFieldOf(row).total >= 0)
        ctx_.dialogs.beep();
}

void TimerPage::follow() {
    const Workspace& ws = ctx_.ws;
    const bool pulse = ws.typeOf(ws.curChannel()) == kTypeTimerPulse;
    control("Chk_TimPuls")->setVisible(!pulse);
    control<QLabel>("Label_TimerTid_0")->setText(ws.text(pulse ? kTxtPulseTime : kTxtOnDelay));
    control<QLabel>("Label_TimerTid_1")->setText(ws.text(pulse ? kTxtPauseTime : kTxtOffDelay));
}

// ---- Motion detector ----

MotionPage::MotionPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "F_motion", parent) {
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

int MotionPage::shownValue(const FormRow& row) const {
    if (const TimeField f = timeFieldOf(row); f.total >= 0)
        return shownPart(ctx_.ws, f);
    return EditorPage::shownValue(row);
}

void MotionPage::store(const FormRow& row, int value, EditMark mark) {
    if (const TimeField f = timeFieldOf(row); f.total >= 0) {
        storeTimePart(ctx_, f, value, mark);
        return;
    }
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
    EditorPage::store(row, value, mark);
}

void MotionPage::stored(const FormRow& row) {
    // Taking part in the alarm may have raised the pulses to 1: the field shows what is stored.
    if (row.fact == &facts::kMotionAlarm)
        for (const FormRow& r : rows())
            if (r.fact == &facts::kMotionPulseCount)
                showRow(r);
}

void MotionPage::keyRefused(const FormRow& row, int keyCode) {
    if (keyCode != 0 && timeFieldOf(row).total >= 0)
        ctx_.dialogs.beep();
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
