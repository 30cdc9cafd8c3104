#include "ui/editor/pages/common_siren_page.h"

#include <QGridLayout>
#include <QLabel>

#include "model/channel_types.h"
#include "model/facts_alarm.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

constexpr int kAlarms = 4;

// The boxes first, then the times, each in the order smoke, intruder, water, ISA: Enter walks down
// the boxes and on through the times.
constexpr FormRow kRows[] = {
    {.control = "L_kombiSirene", .kind = ControlKind::Label, .caption = kTxtChannelFunction},
    {.control = "C_FællesSirene_0",
     .kind = ControlKind::Check,
     .fact = &facts::kCommonSirenSmoke,
     .help = kHelpCommonSirenSource,
     .enter = "C_FællesSirene_1"},
    {.control = "C_FællesSirene_1",
     .kind = ControlKind::Check,
     .fact = &facts::kCommonSirenIntruder,
     .help = kHelpCommonSirenSource,
     .enter = "C_FællesSirene_2"},
    {.control = "C_FællesSirene_2",
     .kind = ControlKind::Check,
     .fact = &facts::kCommonSirenWater,
     .help = kHelpCommonSirenSource,
     .enter = "C_FællesSirene_3"},
    {.control = "C_FællesSirene_3",
     .kind = ControlKind::Check,
     .fact = &facts::kCommonSirenIsa,
     .help = kHelpCommonSirenSource,
     .enter = "T_FællessireneTid_0"},
    {.control = "L_FællessireneTid", .kind = ControlKind::Label, .caption = kTxtSirenTime},
    {.control = "T_FællessireneTid_0",
     .kind = ControlKind::Field,
     .fact = &facts::kSmokeSirenTime,
     .help = kHelpCommonSirenTime,
     .caption = kNoCaption,
     .enter = "T_FællessireneTid_1",
     .unitLabel = "L_sekund_4"},
    {.control = "T_FællessireneTid_1",
     .kind = ControlKind::Field,
     .fact = &facts::kIntruderSirenTime,
     .help = kHelpCommonSirenTime,
     .caption = kNoCaption,
     .enter = "T_FællessireneTid_2",
     .unitLabel = "L_sekund_11"},
    {.control = "T_FællessireneTid_2",
     .kind = ControlKind::Field,
     .fact = &facts::kWaterSirenTime,
     .help = kHelpCommonSirenTime,
     .caption = kNoCaption,
     .enter = "T_FællessireneTid_3",
     .unitLabel = "L_sekund_12"},
    // The ISA time takes minus or Delete for a continuous siren too; its hint is the plain range.
    {.control = "T_FællessireneTid_3",
     .kind = ControlKind::Field,
     .fact = &facts::kIsaSirenTime,
     .help = kHelpCommonSirenTime,
     .caption = kNoCaption,
     .enter = kToDescription,
     .hint = "0..60",
     .unitLabel = "L_sekund_13"},
};

constexpr int kAlarmTexts[kAlarms] = {kTxtSmokeAlarm, kTxtIntruderAlarm, kTxtWaterAlarm, kTxtIsaAlarm};

} // namespace

CommonSirenPage::CommonSirenPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "Frame_CombiSiren_Setup", parent) {
    build(kRows);
    // One line per alarm: the box, its siren time and the unit, under the heading of the times.
    auto* table = new QWidget(this);
    table->setObjectName(QStringLiteral("F_FællesSirene"));
    auto* grid = new QGridLayout(table);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(3);
    grid->setColumnStretch(0, 1);
    grid->addWidget(findChild<QLabel*>(QStringLiteral("L_FællessireneTid")), 0, 1, 1, 2);
    for (int i = 0; i < kAlarms; ++i) {
        QWidget* box = control(QStringLiteral("C_FællesSirene_%1").arg(i).toUtf8().constData());
        QWidget* time = control(QStringLiteral("T_FællessireneTid_%1").arg(i).toUtf8().constData());
        grid->addWidget(box, i + 1, 0);
        grid->addWidget(time, i + 1, 1);
        grid->addWidget(findChild<QLabel*>(QString::fromUtf8(rowOf(time)->unitLabel)), i + 1, 2);
        // F1 on a time names its alarm.
        SetHelpContextText(time, kHelpCommonSirenTime, kAlarmTexts[i]);
    }
    addLine(this, table);
}

bool CommonSirenPage::shows(const QString& pageKey, int type) const {
    return pageKey.isEmpty() && type == kTypeCommonSiren;
}

QWidget* CommonSirenPage::focusControl() {
    return control("C_FællesSirene_0");
}

} // namespace korvane
