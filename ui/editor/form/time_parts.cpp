#include "ui/editor/form/time_parts.h"

#include "model/timer.h"

namespace korvane {

namespace {

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
    return {time == 0   ? kTimerTime1
            : time == 1 ? kTimerTime2
                        : kMotionTime,
            kTimerTyped + (time == 1 ? kPartsPerTime : 0), static_cast<TimePart>(row.at % kPartsPerTime)};
}

} // namespace

int TimePartsPage::shownValue(const FormRow& row) const {
    const TimeField f = timeFieldOf(row);
    if (f.total < 0)
        return EditorPage::shownValue(row);
    const Workspace& ws = ctx_.ws;
    const DurationParts d =
        SplitDuration(DurationAt(ws.cfg.ChanSetup[static_cast<std::size_t>(ws.curChannel())], f.total));
    return f.part == TimePart::Hours ? static_cast<int>(d.hours) : f.part == TimePart::Minutes ? d.minutes : d.seconds;
}

void TimePartsPage::store(const FormRow& row, int value, EditMark mark) {
    const TimeField f = timeFieldOf(row);
    if (f.total < 0) {
        EditorPage::store(row, value, mark);
        return;
    }
    // A digit typed into a time field: that part changes, the other two stay as shown. A time the
    // bytes cannot hold is refused with a beep.
    Workspace& ws = ctx_.ws;
    const int c = ws.curChannel();
    Row r = ws.cfg.ChanSetup[static_cast<std::size_t>(c)];
    if (!EnterTimePart(r, f.total, f.typed, f.part, value)) {
        ctx_.dialogs.beep();
        return;
    }
    ws.change([&](Configuration& cfg) { cfg.ChanSetup[static_cast<std::size_t>(c)] = r; }, mark);
}

void TimePartsPage::keyRefused(const FormRow& row, int keyCode) {
    if (keyCode != 0 && timeFieldOf(row).total >= 0)
        ctx_.dialogs.beep();
}

} // namespace korvane
