#include "ui/editor/pages/intruder_page.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "model/facts_alarm.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

constexpr FormRow kRows[] = {
    {.control = "O_tyv",
     .kind = ControlKind::Option,
     .fact = &facts::kIntruderFunction,
     .help = kHelpIntruderFunction,
     .label = "L_Tyv"},
    {.control = "T_TyvDiasble",
     .kind = ControlKind::Field,
     .fact = &facts::kIntruderDisable,
     .help = kHelpIntruderDisable,
     .enter = kToDescription,
     .frame = "F_TyvDisable",
     .label = "L_TyvDiasble"},
    {.control = "T_TyvArmTid",
     .kind = ControlKind::Field,
     .fact = &facts::kIntruderArmDelay,
     .help = kHelpIntruderArmDelay,
     .enter = "T_TyvDesArmTid",
     .frame = "F_TyvARM",
     .label = "L_TyvArmTid",
     .unitLabel = "L_sekund_3"},
    {.control = "T_TyvDesArmTid",
     .kind = ControlKind::Field,
     .fact = &facts::kIntruderDisarmTime,
     .help = kHelpIntruderDisarmTime,
     .enter = kToDescription,
     .frame = "F_TyvARM",
     .label = "L_TyvDesArmTid",
     .unitLabel = "L_sekund_10"},
    {.control = "T_TyvsireneTid",
     .kind = ControlKind::Field,
     .fact = &facts::kIntruderSirenTime,
     .help = kHelpIntruderSirenTime,
     .enter = "Chk_TyvM_Blink",
     .frame = "F_tyvSirene",
     .label = "L_tyvsirene_tid",
     .unitLabel = "L_sekund_1"},
    // Enter goes on to the interval while the box is ticked, else to the description.
    {.control = "Chk_TyvM_Blink",
     .kind = ControlKind::Check,
     .fact = &facts::kIntruderFlashOn,
     .help = kHelpIntruderFlashOn,
     .frame = "F_tyvSirene"},
    {.control = "Txt_BM_interval",
     .kind = ControlKind::Field,
     .fact = &facts::kIntruderFlashInterval,
     .help = kHelpIntruderFlashInterval,
     .enter = "Cmd_Tyv_BlinkSet",
     .frame = "F_tyvSirene",
     .label = "Lbl_BM_interval",
     .unitLabel = "L_sekund_18"},
    {.control = "T_TyvViderTid",
     .kind = ControlKind::Field,
     .fact = &facts::kIntruderCallOutDelay,
     .help = kHelpIntruderCallOut,
     .enter = kToDescription,
     .frame = "F_TyvVider",
     .label = "L_TyvViderTid",
     .unitLabel = "L_sekund_2"},
};

constexpr AlarmFunctionPlace kPlaces[] = {
    {kTypeIntruderPassive, "F_TyvDisable", "T_TyvDiasble", "Passivesetector"},
    {kTypeIntruderActive, "F_TyvDisable", "T_TyvDiasble", "Activedetector"},
    {kTypeIntruderManualArm, "F_TyvARM", "T_TyvArmTid", "ManualArm"},
    {kTypeIntruderDoorArm, "F_TyvARM", "T_TyvArmTid", "DoorSwitchArm"},
    {kTypeIntruderSiren, "F_tyvSirene", "T_TyvsireneTid", "Siren"},
    {kTypeIntruderCallOut, "F_TyvVider", "T_TyvViderTid", "CallOut"},
    {kTypeIntruderCodeLock, "F_TyvARM", "T_TyvArmTid", "CodeLockArm"},
};

constexpr AlarmPageSpec kIntruderPage{"F_tyv", &kIntruderAlarm, kRows, kPlaces};

bool isEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

IntruderPage::IntruderPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : AlarmPage(ctx, host, focus, kIntruderPage, parent) {
    // The flash pattern button closes the siren's frame; Space clicks it, Enter moves on.
    blinkSet_ = new QPushButton(this);
    blinkSet_->setObjectName(QStringLiteral("Cmd_Tyv_BlinkSet"));
    blinkSet_->setAutoDefault(false);
    SetHelpContextText(blinkSet_, kHelpIntruderFlashSet, kTxtFlashPattern);
    blinkSet_->installEventFilter(this);
    addLine(frame("F_tyvSirene"), blinkSet_);
    connect(blinkSet_, &QPushButton::clicked, this, [this] {
        if (host_.flashPatternShown())
            host_.closeFlashPattern();
        else
            host_.openFlashPattern();
    });
}

void IntruderPage::prepare() {
    const int c = ctx_.ws.curChannel();
    ctx_.ws.change([c](Configuration& cfg) { NormaliseSirenFlash(cfg, c); }, EditMark::Never);
}

void IntruderPage::fill() {
    AlarmPage::fill();
    blinkSet_->setText(ctx_.ws.text(kTxtFlashPattern));
}

int IntruderPage::shownValue(const FormRow& row) const {
    if (row.fact == &facts::kIntruderFlashOn)
        return flashOn() ? 1 : 0;
    return EditorPage::shownValue(row);
}

void IntruderPage::stored(const FormRow& row) {
    AlarmPage::stored(row);
    // The flash pattern belongs to a siren whose flash option is on.
    if (isOptionRow(row) && function() != kTypeIntruderSiren)
        host_.closeFlashPattern();
    else if (row.fact == &facts::kIntruderFlashOn && !flashOn())
        host_.closeFlashPattern();
}

QWidget* IntruderPage::successor(const FormRow& row) {
    if (row.fact == &facts::kIntruderFlashOn)
        return flashOn() ? control("Txt_BM_interval") : host_.descriptionField();
    return AlarmPage::successor(row);
}

void IntruderPage::follow() {
    AlarmPage::follow();
    const bool flash = flashOn();
    QWidget* interval = control("Txt_BM_interval");
    interval->setVisible(flash);
    interval->setEnabled(flash);
    blinkSet_->setVisible(flash);
    for (const char* name : {"Lbl_BM_interval", "L_sekund_18"})
        if (auto* l = findChild<QLabel*>(QLatin1String(name)))
            l->setVisible(flash);
}

bool IntruderPage::flashOn() const {
    return function() == kTypeIntruderSiren && ctx_.ws.value(facts::kIntruderFlashOn) == 1;
}

bool IntruderPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == blinkSet_ && isEnter(event)) {
        if (QWidget* next = host_.descriptionField())
            next->setFocus(Qt::TabFocusReason);
        return true;
    }
    return AlarmPage::eventFilter(watched, event);
}

} // namespace korvane
