#include "ui/editor/pages/holiday_page.h"

#include <QGridLayout>
#include <QLabel>

#include "app/plain_text.h"
#include "model/facts_calendar.h"
#include "model/field_rules.h"
#include "model/text_ids.h"
#include "ui/editor/virtual_key.h"

namespace korvane {

namespace {

constexpr const char* kMonthStartNames[] = {"T_MonthStart_0",  "T_MonthStart_1",  "T_MonthStart_2",  "T_MonthStart_3",
                                            "T_MonthStart_4",  "T_MonthStart_5",  "T_MonthStart_6",  "T_MonthStart_7",
                                            "T_MonthStart_8",  "T_MonthStart_9",  "T_MonthStart_10", "T_MonthStart_11",
                                            "T_MonthStart_12", "T_MonthStart_13", "T_MonthStart_14", "T_MonthStart_15"};
constexpr const char* kDateStartNames[] = {"T_DateStart_0",  "T_DateStart_1",  "T_DateStart_2",  "T_DateStart_3",
                                           "T_DateStart_4",  "T_DateStart_5",  "T_DateStart_6",  "T_DateStart_7",
                                           "T_DateStart_8",  "T_DateStart_9",  "T_DateStart_10", "T_DateStart_11",
                                           "T_DateStart_12", "T_DateStart_13", "T_DateStart_14", "T_DateStart_15"};
constexpr const char* kMonthEndNames[] = {"T_MonthEnd_0",  "T_MonthEnd_1",  "T_MonthEnd_2",  "T_MonthEnd_3",
                                          "T_MonthEnd_4",  "T_MonthEnd_5",  "T_MonthEnd_6",  "T_MonthEnd_7",
                                          "T_MonthEnd_8",  "T_MonthEnd_9",  "T_MonthEnd_10", "T_MonthEnd_11",
                                          "T_MonthEnd_12", "T_MonthEnd_13", "T_MonthEnd_14", "T_MonthEnd_15"};
constexpr const char* kDateEndNames[] = {"T_DateEnd_0",  "T_DateEnd_1",  "T_DateEnd_2",  "T_DateEnd_3",
                                         "T_DateEnd_4",  "T_DateEnd_5",  "T_DateEnd_6",  "T_DateEnd_7",
                                         "T_DateEnd_8",  "T_DateEnd_9",  "T_DateEnd_10", "T_DateEnd_11",
                                         "T_DateEnd_12", "T_DateEnd_13", "T_DateEnd_14", "T_DateEnd_15"};

constexpr const char* kTableFrame = "F_Holidays";
constexpr int kPeriodsPerColumn = 8;
// Warnings are shown in this colour: the value stands, but the installer should look at it.
const QColor kWarningColour(0xC0, 0x50, 0x00);

// Enter goes from the first month through the period to its last day, then to the next period.
constexpr std::array<FormRow, 4 * kSysHolidayCount> MakeRows() {
    std::array<FormRow, 4 * kSysHolidayCount> rows{};
    for (int i = 0; i < kSysHolidayCount; ++i) {
        const auto p = static_cast<std::size_t>(i);
        auto field = [](const char* name, const ValueFact* fact, int help, const char* tag) {
            return FormRow{.control = name,
                           .kind = ControlKind::Field,
                           .fact = fact,
                           .help = help,
                           .frame = kTableFrame,
                           .tag = tag};
        };
        rows[4 * p] = field(kMonthStartNames[p], &facts::kHolidayFirstMonths[p], kHelpHolidayFromMonth, "FromMonth");
        rows[4 * p + 1] = field(kDateStartNames[p], &facts::kHolidayFirstDays[p], kHelpHolidayFromDate, "FromDate");
        rows[4 * p + 2] = field(kMonthEndNames[p], &facts::kHolidayLastMonths[p], kHelpHolidayTo, "ToMonth");
        rows[4 * p + 3] = field(kDateEndNames[p], &facts::kHolidayLastDays[p], kHelpHolidayTo, "ToDate");
    }
    return rows;
}
constexpr auto kRows = MakeRows();

bool isClearKey(int code) {
    return code == vk::kPadSubtract || code == vk::kMinus || code == vk::kDelete;
}

// A column heading: small, and never wider than its column.
QLabel* smallLabel(QWidget* parent, const QString& name) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignCenter);
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * 0.85);
    l->setFont(f);
    l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return l;
}

} // namespace

HolidayPage::HolidayPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "Frame_Holiday_Setup", parent) {
    build(kRows);
    QFrame* table = frame(kTableFrame);
    QGridLayout* g = gridOf(table);
    for (const FormRow& r : kRows) {
        QWidget* w = control(r.control);
        g->removeWidget(w);
        w->setMinimumWidth(30);
        w->setMaximumWidth(44);
    }
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("L_holiday"));
    heading_->setTextFormat(Qt::PlainText);
    heading_->setWordWrap(true);
    gridOf(this)->addWidget(heading_, 0, 0, 1, 3);

    // Two columns of eight periods: number, first month and day, last month and day.
    constexpr int kColumnWidth = 6; // number, four fields, a gap
    for (int half = 0; half < 2; ++half) {
        const int c0 = half * kColumnWidth;
        const auto h = static_cast<std::size_t>(half);
        from_[h] = smallLabel(table, half == 0 ? QStringLiteral("L_From") : QStringLiteral("L_From_%1").arg(half));
        to_[h] = smallLabel(table, half == 0 ? QStringLiteral("L_To") : QStringLiteral("L_To_%1").arg(half));
        g->addWidget(from_[h], 0, c0 + 1, 1, 2);
        g->addWidget(to_[h], 0, c0 + 3, 1, 2);
        months_[h] = smallLabel(table, QStringLiteral("L_MdStart_%1").arg(half));
        days_[h] = smallLabel(table, QStringLiteral("L_Dstart_%1").arg(half));
        g->addWidget(months_[h], 1, c0 + 1);
        g->addWidget(days_[h], 1, c0 + 2);
        // The last month and day carry the same headings.
        g->addWidget(smallLabel(table, QStringLiteral("L_MdEnd_%1").arg(half)), 1, c0 + 3);
        g->addWidget(smallLabel(table, QStringLiteral("L_Dend_%1").arg(half)), 1, c0 + 4);
    }
    for (int i = 0; i < kSysHolidayCount; ++i) {
        const int c0 = (i / kPeriodsPerColumn) * kColumnWidth;
        const int line = 2 + i % kPeriodsPerColumn;
        auto* n = new QLabel(table);
        n->setObjectName(QStringLiteral("L_Period_%1").arg(i));
        n->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        numbers_[static_cast<std::size_t>(i)] = n;
        g->addWidget(n, line, c0);
        for (int part = 0; part < kHolidayBytes; ++part)
            g->addWidget(field(i, part), line, c0 + 1 + part);
    }
    g->setHorizontalSpacing(3);
    g->setColumnMinimumWidth(kColumnWidth - 1, 8);
    g->setColumnStretch(kColumnWidth - 1, 1);
    g->setColumnStretch(2 * kColumnWidth - 1, 1);
    note_ = new QLabel(table);
    note_->setObjectName(QStringLiteral("L_NotReadBack"));
    note_->setTextFormat(Qt::PlainText);
    note_->setWordWrap(true);
    g->addWidget(note_, 2 + kPeriodsPerColumn, 0, 1, 2 * kColumnWidth);
}

QString HolidayPage::caption() const {
    return ctx_.ws.text(kTxtMenuHolidaySetup);
}

int HolidayPage::periodOf(const FormRow& row) {
    return (row.fact->index - kSysHolidays) / kHolidayBytes;
}

int HolidayPage::partOf(const FormRow& row) {
    return (row.fact->index - kSysHolidays) % kHolidayBytes;
}

QWidget* HolidayPage::field(int period, int part) const {
    return control(kRows[static_cast<std::size_t>(kHolidayBytes * period + part)].control);
}

void HolidayPage::prepare() {
    ctx_.ws.change([](Configuration& cfg) { RepairHolidays(cfg); }, EditMark::Never);
}

void HolidayPage::fill() {
    const Workspace& ws = ctx_.ws;
    heading_->setText(ws.text(kTxtHolidayHeading));
    for (std::size_t h = 0; h < 2; ++h) {
        from_[h]->setText(ws.text(kTxtFrom));
        to_[h]->setText(ws.text(kTxtTo));
        months_[h]->setText(ws.text(kTxtMonth));
        days_[h]->setText(ws.text(kTxtDay));
        findChild<QLabel*>(QStringLiteral("L_MdEnd_%1").arg(h))->setText(ws.text(kTxtMonth));
        findChild<QLabel*>(QStringLiteral("L_Dend_%1").arg(h))->setText(ws.text(kTxtDay));
    }
    // A field is never narrower than its column's heading, so the heading shows whole.
    const QFontMetrics fm(months_[0]->font());
    const int headed[2] = {std::max(30, fm.horizontalAdvance(ws.text(kTxtMonth)) + 2),
                           std::max(30, fm.horizontalAdvance(ws.text(kTxtDay)) + 2)};
    for (std::size_t k = 0; k < std::size(kRows); ++k)
        control(kRows[k].control)->setMinimumWidth(headed[k % 2]);
    // Periods 9 to 16 lie beyond what a read from the unit takes back.
    note_->setText(QStringLiteral("* ") + ws.text(kTxtNotReadBack));
    for (int i = 0; i < kSysHolidayCount; ++i) {
        QLabel* n = numbers_[static_cast<std::size_t>(i)];
        const bool readBack = i < kHolidaysReadBack;
        n->setText(QString::number(i + 1) + (readBack ? QString() : QStringLiteral("*")));
        n->setToolTip(readBack ? QString() : PlainToolTip(ws.text(kTxtNotReadBack)));
    }
    EditorPage::fill();
}

QString HolidayPage::fieldText(const FormRow& row) const {
    if (!HolidayInUse(ctx_.ws.cfg, periodOf(row)))
        return QStringLiteral("---");
    return EditorPage::fieldText(row);
}

void HolidayPage::showPeriod(int period) {
    for (int part = 0; part < kHolidayBytes; ++part)
        showRow(kRows[static_cast<std::size_t>(kHolidayBytes * period + part)]);
}

bool HolidayPage::keyed(const FormRow& row, int keyCode) {
    Workspace& ws = ctx_.ws;
    const int period = periodOf(row);
    const int part = partOf(row);
    if (keyCode == vk::kUp || keyCode == vk::kDown) {
        // Up and Down move to the same field of the period above or below.
        const int next = period + (keyCode == vk::kUp ? -1 : 1);
        if (next >= 0 && next < kSysHolidayCount && field(next, part)->isEnabled())
            field(next, part)->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (isClearKey(keyCode)) {
        // Clearing a period in use is a change the user made: it is saved, or Exit asks.
        ws.change([period](Configuration& cfg) { ClearHoliday(cfg, period); });
        follow();
        return true;
    }
    const int digit = DigitOfKey(keyCode);
    if (digit < 0)
        return true; // keys without a meaning are ignored
    const int value = HolidayDigit(typed_, row.fact->minimum, row.fact->maximum, digit, focus_.FirstKey);
    {
        // The digits typed into one field are one undo step, with what leaving it settles.
        const EditEntry entry(ws, control(row.control));
        ws.setValue(*row.fact, value, EditMark::Always);
    }
    follow();
    if (auto* f = control<LockedField>(row.control))
        f->showEntry(focus_.FirstKey);
    return true;
}

void HolidayPage::left(const FormRow& row) {
    const int period = periodOf(row);
    const int part = partOf(row);
    if (part != kHolidayFirstMonth && part != kHolidayLastMonth)
        return;
    ctx_.ws.change([period, part](Configuration& cfg) {
        if (part == kHolidayFirstMonth)
            CompleteHoliday(cfg, period);
        else
            LeaveHolidayLastMonth(cfg, period);
    });
    follow();
}

QWidget* HolidayPage::successor(const FormRow& row) {
    const Configuration& cfg = ctx_.ws.cfg;
    const int period = periodOf(row);
    QWidget* nextPeriod = field((period + 1) % kSysHolidayCount, kHolidayFirstMonth);
    const bool started = cfg.SysData[static_cast<std::size_t>(HolidayByte(period, kHolidayFirstMonth))] != 0;
    switch (partOf(row)) {
    case kHolidayFirstMonth:
        return HolidayInUse(cfg, period) ? field(period, kHolidayFirstDay) : nextPeriod;
    case kHolidayFirstDay:
        return started ? field(period, kHolidayLastMonth) : nextPeriod;
    case kHolidayLastMonth:
        return cfg.SysData[static_cast<std::size_t>(HolidayByte(period, kHolidayLastMonth))] != 0
                   ? field(period, kHolidayLastDay)
                   : nextPeriod;
    default:
        return started ? nextPeriod : control(row.control);
    }
}

void HolidayPage::follow() {
    const Workspace& ws = ctx_.ws;
    for (int i = 0; i < kSysHolidayCount; ++i) {
        const bool inUse = HolidayInUse(ws.cfg, i);
        const unsigned warnings = HolidayWarnings(ws.cfg, i);
        for (int part = 0; part < kHolidayBytes; ++part) {
            const FormRow& row = kRows[static_cast<std::size_t>(kHolidayBytes * i + part)];
            QWidget* w = field(i, part);
            if (part != kHolidayFirstMonth)
                w->setEnabled(inUse);
            // An odd period stays as typed: the fields concerned only change colour and say why.
            QStringList why;
            const bool firstDay = part <= kHolidayFirstDay;
            if ((warnings & kNoSuchFirstDay) && firstDay)
                why << ws.text(kTxtNoSuchDay);
            if ((warnings & kNoSuchLastDay) && !firstDay)
                why << ws.text(kTxtNoSuchDay);
            if (warnings & kEndsBeforeStart)
                why << ws.text(kTxtEndsBeforeStart);
            QPalette pal = w->palette();
            pal.setColor(QPalette::Text, why.isEmpty() ? palette().color(QPalette::Text) : kWarningColour);
            w->setPalette(pal);
            const QString hint = QLatin1String(row.fact->hint);
            w->setToolTip(PlainToolTip(why.isEmpty() ? hint : hint + QLatin1Char('\n') + why.join(QLatin1Char('\n'))));
        }
        showPeriod(i);
    }
}

} // namespace korvane
