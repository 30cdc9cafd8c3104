#include "ui/editor/pages/realtime_page.h"

#include <QLabel>

#include "model/channel_types.h"
#include "model/facts_calendar.h"
#include "model/field_rules.h"
#include "model/text_ids.h"
#include "ui/editor/virtual_key.h"

namespace korvane {

namespace {

constexpr const char* kSetsFrame = "F_DaySets";
constexpr int kWeekdays = kDayBoxes - 1; // the last box is the holidays'

constexpr std::array<TableHeading, 7 + kDayBoxes> Headings() {
    std::array<TableHeading, 7 + kDayBoxes> h{{
        {.text = kTxtOnTime, .name = "Label_On_0", .column = 0, .span = 2, .group = true},
        {.text = kTxtOffTime, .name = "Label_off_0", .column = 2, .span = 2, .group = true},
        {.text = kTxtWeekdays, .name = "L_ugedag_0", .column = 4, .span = kDayBoxes, .group = true},
        {.text = kTxtHours, .name = "L_Time_0", .column = 0},
        {.text = kTxtMinutes, .name = "L_Minut_0", .column = 1},
        {.text = kTxtHours, .name = "L_Time_1", .column = 2},
        {.text = kTxtMinutes, .name = "L_Minut_1", .column = 3},
    }};
    constexpr const char* kDayNames[] = {"Label_DAYS_0", "Label_DAYS_1", "Label_DAYS_2", "Label_DAYS_3",
                                         "Label_DAYS_4", "Label_DAYS_5", "Label_DAYS_6", "Label_DAYS_7"};
    for (int j = 0; j < kDayBoxes; ++j)
        h[static_cast<std::size_t>(7 + j)] = {.text = DayBoxText(j), .name = kDayNames[j], .column = 4 + j};
    return h;
}
constexpr auto kHeadings = Headings();
// Columns: on hour, on minute, off hour, off minute, a gap, then the eight day boxes.
constexpr RowTable kSets{.count = kRtDaySetCount,
                         .headings = kHeadings,
                         .gap = 4,
                         .headingScale = 0.75,
                         .fieldMinimum = 28,
                         .fieldMaximum = 40,
                         .spacing = 2};

constexpr FormRow time(const char* name, const ValueFact* (*facts)(int, int), int help, const char* tag) {
    return FormRow{.control = name,
                   .kind = ControlKind::Field,
                   .help = help,
                   .frame = kSetsFrame,
                   .tag = tag,
                   .table = &kSets,
                   .factAt = facts};
}

// Enter walks each set from the on time through the off time and the day boxes to the next set; a
// minute or the days of a time not set are passed over, and the last box goes to the description.
constexpr FormRow kRows[] = {
    time("HourOn_%1", Each<facts::kOnHours>, kHelpHourOn, "HourOn"),
    time("MinutOn_%1", Each<facts::kOnMinutes>, kHelpMinuteOn, "MinuteOn"),
    time("HourOFF_%1", Each<facts::kOffHours>, kHelpHourOff, "HourOff"),
    time("MinutOFF_%1", Each<facts::kOffMinutes>, kHelpMinuteOff, "MinuteOff"),
    {.control = "DaysSet%2_%3",
     .kind = ControlKind::Check,
     .help = kHelpDays,
     .frame = kSetsFrame,
     .tag = "Days",
     .table = &kSets,
     .factAt = EachAcross<facts::kDayBoxFacts>,
     .across = kWeekdays},
    {.control = "DaysSet%2_7",
     .kind = ControlKind::Check,
     .help = kHelpHolidayBox,
     .frame = kSetsFrame,
     .tag = "Holiday",
     .table = &kSets,
     .factAt = [](int i, int) { return &facts::kDayBoxFacts[static_cast<std::size_t>(i)][kWeekdays]; }},
};

} // namespace

RealTimePage::RealTimePage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "Frame_RealTime_Setup", parent) {
    build(kRows);
}

bool RealTimePage::shows(const QString& pageKey, int type) const {
    return pageKey.isEmpty() && type == kTypeRealTime;
}

int RealTimePage::setOf(const FormRow& row) {
    return (row.fact->index - kRtDaySets) / kRtDaySetSize;
}

int RealTimePage::partOf(const FormRow& row) {
    return (row.fact->index - kRtDaySets) % kRtDaySetSize;
}

void RealTimePage::fill() {
    const Workspace& ws = ctx_.ws;
    mode_ = ws.typeOf(ws.curChannel()) == kTypeMaster ? Mode::Trigger : Mode::RealTime;
    const bool trigger = mode_ == Mode::Trigger;
    // In trigger mode both times of a set are trigger times, with the help of the master function.
    for (const FormRow& r : rows()) {
        if (r.kind != ControlKind::Field)
            continue;
        const bool hour = partOf(r) == kOnHourPart || partOf(r) == kOffHourPart;
        if (trigger)
            SetHelpContext(control(r.control), hour ? kHelpTriggerHour : kHelpTriggerMinute,
                           hour ? QStringLiteral("Hour TrigTime") : QStringLiteral("Minute TrigTime"));
        else
            SetHelpContext(control(r.control), r.help, QLatin1String(r.tag));
    }
    EditorPage::fill();
    findChild<QLabel*>(QStringLiteral("Label_On_0"))->setText(ws.text(trigger ? kTxtTriggerTime : kTxtOnTime));
    findChild<QLabel*>(QStringLiteral("Label_off_0"))->setText(ws.text(trigger ? kTxtTriggerTime : kTxtOffTime));
}

QString RealTimePage::fieldText(const FormRow& row) const {
    const Row& r = ctx_.ws.cfg.ChanSetup[static_cast<std::size_t>(ctx_.ws.curChannel())];
    const int part = partOf(row);
    const bool hour = part == kOnHourPart || part == kOffHourPart;
    // A time not set shows "--" in its hour and its minute.
    const Byte h = r[static_cast<std::size_t>(DaySetByte(setOf(row), hour ? part : part - 1))];
    if (h == kTimeNotSet)
        return QStringLiteral("--");
    return EditorPage::fieldText(row);
}

void RealTimePage::follow() {
    const Row& r = ctx_.ws.cfg.ChanSetup[static_cast<std::size_t>(ctx_.ws.curChannel())];
    for (const FormRow& row : rows()) {
        // A minute belongs to its hour; the days to a set with a time.
        const int set = setOf(row);
        const int part = partOf(row);
        QWidget* w = control(row.control);
        if (part == kDayMaskPart)
            w->setEnabled(DaySetInUse(r, set));
        else if (part == kOnMinutePart || part == kOffMinutePart)
            w->setEnabled(r[static_cast<std::size_t>(DaySetByte(set, part - 1))] != kTimeNotSet);
        showRow(row);
    }
}

bool RealTimePage::keyed(const FormRow& row, int keyCode) {
    Workspace& ws = ctx_.ws;
    const int c = ws.curChannel();
    const std::optional<Row> after =
        DaySetKey(ws.cfg.ChanSetup[static_cast<std::size_t>(c)], setOf(row), partOf(row), keyCode, focus_.FirstKey);
    if (!after) {
        // A key without a meaning here beeps (a modifier alone is no key).
        if (keyCode != 0)
            ctx_.dialogs.beep();
        return true;
    }
    ws.change([&](Configuration& cfg) { cfg.ChanSetup[static_cast<std::size_t>(c)] = *after; }, EditMark::Always);
    follow();
    showEntry(row);
    return true;
}

QWidget* RealTimePage::successor(const FormRow& row) {
    // After the last set, or from an empty off hour with nothing set after it, the description.
    QWidget* next = EditorPage::successor(row);
    return next ? next : host_.descriptionField();
}

bool RealTimePage::eventFilter(QObject* watched, QEvent* event) {
    if (isEnterPress(event)) {
        const FormRow* row = rowOf(watched);
        // Enter in the off hour of a set without times closes the set: its days are cleared.
        if (row && row->kind == ControlKind::Field && partOf(*row) == kOffHourPart) {
            Workspace& ws = ctx_.ws;
            const int c = ws.curChannel();
            const int set = setOf(*row);
            ws.change([&](Configuration& cfg) {
                cfg.ChanSetup[static_cast<std::size_t>(c)] =
                    CloseDaySet(cfg.ChanSetup[static_cast<std::size_t>(c)], set);
            });
            follow();
        }
    }
    return EditorPage::eventFilter(watched, event);
}

} // namespace korvane
