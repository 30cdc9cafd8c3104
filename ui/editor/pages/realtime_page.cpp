#include "ui/editor/pages/realtime_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>

#include "app/plain_text.h"
#include "model/channel_types.h"
#include "model/facts_calendar.h"
#include "model/field_rules.h"
#include "model/text_ids.h"
#include "ui/editor/virtual_key.h"

namespace korvane {

namespace {

constexpr const char* kHourOnNames[] = {"HourOn_0", "HourOn_1", "HourOn_2", "HourOn_3"};
constexpr const char* kMinutOnNames[] = {"MinutOn_0", "MinutOn_1", "MinutOn_2", "MinutOn_3"};
constexpr const char* kHourOFFNames[] = {"HourOFF_0", "HourOFF_1", "HourOFF_2", "HourOFF_3"};
constexpr const char* kMinutOFFNames[] = {"MinutOFF_0", "MinutOFF_1", "MinutOFF_2", "MinutOFF_3"};
constexpr const char* kDayBoxNames[4][8] = {
    {"DaysSet1_0", "DaysSet1_1", "DaysSet1_2", "DaysSet1_3", "DaysSet1_4", "DaysSet1_5", "DaysSet1_6", "DaysSet1_7"},
    {"DaysSet2_0", "DaysSet2_1", "DaysSet2_2", "DaysSet2_3", "DaysSet2_4", "DaysSet2_5", "DaysSet2_6", "DaysSet2_7"},
    {"DaysSet3_0", "DaysSet3_1", "DaysSet3_2", "DaysSet3_3", "DaysSet3_4", "DaysSet3_5", "DaysSet3_6", "DaysSet3_7"},
    {"DaysSet4_0", "DaysSet4_1", "DaysSet4_2", "DaysSet4_3", "DaysSet4_4", "DaysSet4_5", "DaysSet4_6", "DaysSet4_7"},
};

constexpr const char* kSetsFrame = "F_DaySets";
constexpr int kRowsPerSet = 4 + kDayBoxes;

// Enter walks each set from the on time through the off time and the day boxes to the next set; a
// minute or the days of a time not set are passed over, and the last box goes to the description.
constexpr std::array<FormRow, kRowsPerSet * kRtDaySetCount> MakeRows() {
    std::array<FormRow, kRowsPerSet * kRtDaySetCount> rows{};
    for (int k = 0; k < kRtDaySetCount; ++k) {
        const auto s = static_cast<std::size_t>(k);
        const std::size_t first = kRowsPerSet * s;
        auto time = [](const char* name, const ValueFact* fact, int help, const char* tag) {
            return FormRow{.control = name,
                           .kind = ControlKind::Field,
                           .fact = fact,
                           .help = help,
                           .frame = kSetsFrame,
                           .tag = tag};
        };
        rows[first] = time(kHourOnNames[s], &facts::kOnHours[s], kHelpHourOn, "HourOn");
        rows[first + 1] = time(kMinutOnNames[s], &facts::kOnMinutes[s], kHelpMinuteOn, "MinuteOn");
        rows[first + 2] = time(kHourOFFNames[s], &facts::kOffHours[s], kHelpHourOff, "HourOff");
        rows[first + 3] = time(kMinutOFFNames[s], &facts::kOffMinutes[s], kHelpMinuteOff, "MinuteOff");
        for (int j = 0; j < kDayBoxes; ++j) {
            const auto b = static_cast<std::size_t>(j);
            const bool last = k == kRtDaySetCount - 1 && j == kDayBoxes - 1;
            rows[first + 4 + b] = FormRow{.control = kDayBoxNames[s][b],
                                          .kind = ControlKind::Check,
                                          .fact = &facts::kDayBoxFacts[s][b],
                                          .help = j < 7 ? kHelpDays : kHelpHolidayBox,
                                          .enter = last ? kToDescription : nullptr,
                                          .frame = kSetsFrame,
                                          .tag = j < 7 ? "Days" : "Holiday"};
        }
    }
    return rows;
}
constexpr auto kRows = MakeRows();

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

QLabel* headingLabel(QWidget* parent, const QString& name, Qt::Alignment align = Qt::AlignCenter) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(align);
    return l;
}

} // namespace

RealTimePage::RealTimePage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "Frame_RealTime_Setup", parent) {
    build(kRows);
    QFrame* sets = frame(kSetsFrame);
    QGridLayout* g = gridOf(sets);
    for (const FormRow& r : kRows) {
        QWidget* w = control(r.control);
        g->removeWidget(w);
        if (r.kind == ControlKind::Field) {
            w->setMinimumWidth(28);
            w->setMaximumWidth(40);
        } else {
            // The focus shows as a frame around the box; the tick stays visible.
            w->setStyleSheet(QStringLiteral("QCheckBox { spacing: 0px; padding: 1px; border: 1px solid transparent; }"
                                            "QCheckBox:focus { border: 1px solid palette(highlight); }"));
        }
    }
    // Columns: on hour, on minute, off hour, off minute, a gap, then the eight day boxes.
    constexpr int kDayColumn = 5;
    labelOn_ = headingLabel(sets, QStringLiteral("Label_On_0"));
    labelOff_ = headingLabel(sets, QStringLiteral("Label_off_0"));
    weekdays_ = headingLabel(sets, QStringLiteral("L_ugedag_0"));
    g->addWidget(labelOn_, 0, 0, 1, 2);
    g->addWidget(labelOff_, 0, 2, 1, 2);
    g->addWidget(weekdays_, 0, kDayColumn, 1, kDayBoxes);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.75);
    for (int i = 0; i < 2; ++i) {
        hours_[static_cast<std::size_t>(i)] = headingLabel(sets, QStringLiteral("L_Time_%1").arg(i));
        minutes_[static_cast<std::size_t>(i)] = headingLabel(sets, QStringLiteral("L_Minut_%1").arg(i));
        hours_[static_cast<std::size_t>(i)]->setFont(small);
        minutes_[static_cast<std::size_t>(i)]->setFont(small);
        g->addWidget(hours_[static_cast<std::size_t>(i)], 1, 2 * i);
        g->addWidget(minutes_[static_cast<std::size_t>(i)], 1, 2 * i + 1);
    }
    for (int j = 0; j < kDayBoxes; ++j) {
        days_[static_cast<std::size_t>(j)] = headingLabel(sets, QStringLiteral("Label_DAYS_%1").arg(j));
        days_[static_cast<std::size_t>(j)]->setFont(small);
        g->addWidget(days_[static_cast<std::size_t>(j)], 1, kDayColumn + j);
    }
    for (int k = 0; k < kRtDaySetCount; ++k) {
        const std::size_t first = kRowsPerSet * static_cast<std::size_t>(k);
        for (int part = 0; part < 4; ++part)
            g->addWidget(control(kRows[first + static_cast<std::size_t>(part)].control), 2 + k, part);
        for (int j = 0; j < kDayBoxes; ++j)
            g->addWidget(control(kRows[first + 4 + static_cast<std::size_t>(j)].control), 2 + k, kDayColumn + j,
                         Qt::AlignCenter);
    }
    g->setHorizontalSpacing(2);
    g->setColumnMinimumWidth(4, 6);
    g->setColumnStretch(1, 0);
    g->setColumnStretch(4, 1);
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
    for (const FormRow& r : kRows) {
        if (r.kind != ControlKind::Field)
            continue;
        const bool hour = partOf(r) == kOnHourPart || partOf(r) == kOffHourPart;
        if (trigger)
            SetHelpContext(control(r.control), hour ? kHelpTriggerHour : kHelpTriggerMinute,
                           hour ? QStringLiteral("Hour TrigTime") : QStringLiteral("Minute TrigTime"));
        else
            SetHelpContext(control(r.control), r.help, QLatin1String(r.tag));
    }
    labelOn_->setText(ws.text(trigger ? kTxtTriggerTime : kTxtOnTime));
    labelOff_->setText(ws.text(trigger ? kTxtTriggerTime : kTxtOffTime));
    weekdays_->setText(ws.text(kTxtWeekdays));
    for (std::size_t i = 0; i < 2; ++i) {
        hours_[i]->setText(ws.text(kTxtHours));
        minutes_[i]->setText(ws.text(kTxtMinutes));
    }
    for (int j = 0; j < kDayBoxes; ++j) {
        days_[static_cast<std::size_t>(j)]->setText(ws.text(DayBoxText(j)));
        // Each box names its day, also where the heading is cut short.
        for (int k = 0; k < kRtDaySetCount; ++k)
            control(kDayBoxNames[k][j])->setToolTip(PlainToolTip(ws.text(DayBoxText(j))));
    }
    EditorPage::fill();
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
    for (int k = 0; k < kRtDaySetCount; ++k) {
        const std::size_t first = kRowsPerSet * static_cast<std::size_t>(k);
        // A minute belongs to its hour; the days to a set with a time.
        control(kRows[first + 1].control)
            ->setEnabled(r[static_cast<std::size_t>(DaySetByte(k, kOnHourPart))] != kTimeNotSet);
        control(kRows[first + 3].control)
            ->setEnabled(r[static_cast<std::size_t>(DaySetByte(k, kOffHourPart))] != kTimeNotSet);
        const bool inUse = DaySetInUse(r, k);
        for (int j = 0; j < kDayBoxes; ++j)
            control(kRows[first + 4 + static_cast<std::size_t>(j)].control)->setEnabled(inUse);
        for (std::size_t i = 0; i < kRowsPerSet; ++i)
            showRow(kRows[first + i]);
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
    if (auto* f = control<LockedField>(row.control))
        f->showEntry(focus_.FirstKey);
    return true;
}

QWidget* RealTimePage::successor(const FormRow& row) {
    // After the last set, or from an empty off hour with nothing set after it, the description.
    QWidget* next = EditorPage::successor(row);
    return next ? next : host_.descriptionField();
}

bool RealTimePage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(event))) {
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
