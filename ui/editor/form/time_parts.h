#pragma once
// The times of the timer and the motion detector pages: each typed as hours, minutes and seconds
// (TimerTid_0 .. TimerTid_8), each field showing its part of the stored total.

#include "model/facts_device.h"
#include "ui/editor/form/editor_page.h"

namespace korvane {

// The hours, minutes and seconds of the timer's two times and of the motion detector's hold time:
// TimerTid_0 .. TimerTid_8, each time a line of its own.
inline constexpr const ValueFact* kTimeParts[] = {
    &facts::kTimer1Hours, &facts::kTimer1Minutes, &facts::kTimer1Seconds,
    &facts::kTimer2Hours, &facts::kTimer2Minutes, &facts::kTimer2Seconds,
    &facts::kMotionHours, &facts::kMotionMinutes, &facts::kMotionSeconds,
};
inline constexpr int kPartsPerTime = 3;
inline constexpr RowTable kTime1{.count = kPartsPerTime, .laid = false};
inline constexpr RowTable kTime2{.count = kPartsPerTime, .first = kPartsPerTime, .laid = false};
inline constexpr RowTable kHoldTime{.count = kPartsPerTime, .first = 2 * kPartsPerTime, .laid = false};

// The row of a time's three fields; Enter goes from its seconds to `enter`.
constexpr FormRow TimePartsRow(const RowTable& time, int help, const char* enter) {
    return FormRow{.control = "TimerTid_%1",
                   .kind = ControlKind::Field,
                   .help = help,
                   .caption = kNoCaption, // the heading above the line names the time
                   .enter = enter,
                   .ownStore = true,
                   .table = &time,
                   .factAt = [](int i, int) { return kTimeParts[static_cast<std::size_t>(i)]; }};
}

// A page with TimerTid fields: each shows its part of a stored time and stores the part typed.
class TimePartsPage : public EditorPage {
    Q_OBJECT
protected:
    using EditorPage::EditorPage;
    int shownValue(const FormRow& row) const override;
    void store(const FormRow& row, int value, EditMark mark) override;
    void keyRefused(const FormRow& row, int keyCode) override;
};

} // namespace korvane
