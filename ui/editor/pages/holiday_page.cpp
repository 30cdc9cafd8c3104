#include "ui/editor/pages/holiday_page.h"

#include <QLabel>

#include "app/plain_text.h"
#include "model/facts_calendar.h"
#include "model/field_rules.h"
#include "model/text_ids.h"
#include "ui/editor/virtual_key.h"

namespace korvane {

namespace {

constexpr const char* kTableFrame = "F_Holidays";
// Warnings are shown in this colour: the value stands, but the installer should look at it.
const QColor kWarningColour(0xC0, 0x50, 0x00);

constexpr TableHeading kHeadings[] = {
    {.text = kTxtFrom, .name = "L_From", .column = 0, .span = 2, .group = true},
    {.text = kTxtTo, .name = "L_To", .column = 2, .span = 2, .group = true},
    {.text = kTxtMonth, .name = "L_MdStart_0", .column = 0},
    {.text = kTxtDay, .name = "L_Dstart_0", .column = 1},
    {.text = kTxtMonth, .name = "L_MdEnd_0", .column = 2},
    {.text = kTxtDay, .name = "L_Dend_0", .column = 3},
};
// Two columns of eight periods: number, first month and day, last month and day.
constexpr RowTable kPeriods{.count = kSysHolidayCount,
                            .blocks = 2,
                            .number = "L_Period_%1",
                            .headings = kHeadings,
                            .headingScale = 0.85,
                            .groupScale = 0.85,
                            .fieldMinimum = 30,
                            .fieldMaximum = 44};

constexpr FormRow period(const char* name, const ValueFact* (*facts)(int, int), int help, const char* tag) {
    return FormRow{.control = name,
                   .kind = ControlKind::Field,
                   .help = help,
                   .frame = kTableFrame,
                   .tag = tag,
                   .table = &kPeriods,
                   .factAt = facts};
}

// Enter goes from the first month through the period to its last day, then to the next period.
constexpr FormRow kRows[] = {
    {.control = "L_holiday", .kind = ControlKind::Label, .caption = kTxtHolidayHeading},
    period("T_MonthStart_%1", Each<facts::kHolidayFirstMonths>, kHelpHolidayFromMonth, "FromMonth"),
    period("T_DateStart_%1", Each<facts::kHolidayFirstDays>, kHelpHolidayFromDate, "FromDate"),
    period("T_MonthEnd_%1", Each<facts::kHolidayLastMonths>, kHelpHolidayTo, "ToMonth"),
    period("T_DateEnd_%1", Each<facts::kHolidayLastDays>, kHelpHolidayTo, "ToDate"),
    // Periods 9 to 16 lie beyond what a read from the unit takes back.
    {.control = "L_NotReadBack", .kind = ControlKind::Label, .caption = kTxtNotReadBack, .frame = kTableFrame},
};

bool isClearKey(int code) {
    return code == vk::kPadSubtract || code == vk::kMinus || code == vk::kDelete;
}

} // namespace

HolidayPage::HolidayPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "Frame_Holiday_Setup", parent) {
    build(kRows);
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
    return cell(kRows[1 + part], period);
}

void HolidayPage::prepare() {
    ctx_.ws.change([](Configuration& cfg) { RepairHolidays(cfg); }, EditMark::Never);
}

void HolidayPage::fill() {
    const Workspace& ws = ctx_.ws;
    EditorPage::fill();
    findChild<QLabel*>(QStringLiteral("L_NotReadBack"))->setText(QStringLiteral("* ") + ws.text(kTxtNotReadBack));
    for (int i = kHolidaysReadBack; i < kSysHolidayCount; ++i) {
        auto* n = findChild<QLabel*>(QStringLiteral("L_Period_%1").arg(i));
        n->setText(QString::number(i + 1) + QStringLiteral("*"));
        n->setToolTip(PlainToolTip(ws.text(kTxtNotReadBack)));
    }
}

QString HolidayPage::fieldText(const FormRow& row) const {
    if (!HolidayInUse(ctx_.ws.cfg, periodOf(row)))
        return QStringLiteral("---");
    return EditorPage::fieldText(row);
}

bool HolidayPage::keyed(const FormRow& row, int keyCode) {
    Workspace& ws = ctx_.ws;
    const int period = periodOf(row);
    if (keyCode == vk::kUp || keyCode == vk::kDown) {
        stepCell(row, keyCode == vk::kUp ? -1 : 1);
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
    showEntry(row);
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
            QWidget* w = field(i, part);
            const FormRow& row = *rowOf(w);
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
            markField(w, why, kWarningColour, QLatin1String(row.fact->hint));
            showRow(row);
        }
    }
}

} // namespace korvane
