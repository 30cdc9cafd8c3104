#include "ui/editor/pages/main_setup_page.h"

#include <QGridLayout>
#include <QLabel>

#include "model/channel_types.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

// Enter walks down the page; from the device number the main window takes the keyboard.
constexpr FormRow kRows[] = {
    {.control = "C_pctime", .kind = ControlKind::Check, .fact = &facts::kUsePcClock, .help = kHelpPcClock},
    {.control = "C_AutoSumWin",
     .kind = ControlKind::Check,
     .fact = &facts::kAutoSummerTime,
     .help = kHelpAutoSummerTime},
    {.control = "Combo_NoChannels",
     .kind = ControlKind::List,
     .fact = &facts::kChannelsInUse,
     .help = kHelpNumberOfChannels,
     .label = "Lbl_NoChannels"},
    {.control = "Combo_MuxCount",
     .kind = ControlKind::List,
     .fact = &facts::kMuxCount,
     .help = kHelpMuxCount,
     .label = "Lbl_MuxCount",
     .ownStore = true},
    {.control = "Combo_MuxDelay",
     .kind = ControlKind::List,
     .fact = &facts::kMuxDelay,
     .help = kHelpMuxDelay,
     .label = "Lbl_MuxDelay"},
    {.control = "Combo_Counter",
     .kind = ControlKind::List,
     .fact = &facts::kCounter,
     .help = kHelpCounter,
     .label = "Lbl_Counter",
     .ownStore = true},
    {.control = "Combo_EventSelect",
     .kind = ControlKind::List,
     .fact = &facts::kEventOutput,
     .help = kHelpEventOutput,
     .label = "Lbl_EventSelect"},
    {.control = "ComboDupUr",
     .kind = ControlKind::List,
     .fact = &facts::kTimeOutput,
     .help = kHelpTimeOutput,
     .label = "Lbl_TimeOutput",
     .ownStore = true},
    {.control = "T_DeviceNo",
     .kind = ControlKind::Field,
     .fact = &facts::kDeviceNo,
     .help = kHelpDeviceNumber,
     .enter = kToMain,
     .label = "Lbl_DeviceNo"},
    {.control = "T_generelBeskriv",
     .kind = ControlKind::MultiText,
     .textFact = &facts::kSystemDescription,
     .help = kHelpSystemDescription,
     .caption = kTxtSystemDescription,
     .enter = kToMain,
     .label = "L_generelBeskriv"},
    {.control = "Lbl_Warn", .kind = ControlKind::Label, .caption = kTxtSetupWarning},
};

} // namespace

MainSetupPage::MainSetupPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "Frame_Main_Setup", parent) {
    build(kRows);
    lThisTime_ = new QLabel(this);
    lThisTime_->setObjectName(QStringLiteral("L_ThisTime"));
    lThisTime_->setTextFormat(Qt::PlainText);
    lThisTime_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The PC's date and time on a line of their own: a long date fits the window in every language.
    addLine(this, lThisTime_);
}

QString MainSetupPage::caption() const {
    return ctx_.ws.text(kTxtMenuBasicSetup);
}

void MainSetupPage::prepare() {
    // Range repairs: values these fields cannot show are brought back into range.
    ctx_.ws.change(
        [](Configuration& cfg) {
            auto& sys = cfg.SysData;
            if (sys[kSysAutoSummerTime] != 0)
                sys[kSysAutoSummerTime] = 1;
            if (sys[kSysMuxDelay] > 7)
                sys[kSysMuxDelay] = 0;
            if (sys[kSysCounter] > 4)
                sys[kSysCounter] = 0;
            if (sys[kSysEventOff] != 1 && sys[kSysEventSms] > 1)
                sys[kSysEventSms] = 0;
        },
        EditMark::Never);
}

void MainSetupPage::setThisTime(const QString& text) {
    lThisTime_->setText(text);
}

void MainSetupPage::store(const FormRow& row, int value, EditMark mark) {
    Workspace& ws = ctx_.ws;
    if (row.fact == &facts::kMuxCount) {
        ws.change([value](Configuration& cfg) { ChooseMultiplexer(cfg, value); });
    } else if (row.fact == &facts::kTimeOutput) {
        // The time output and the counter never share a channel: the list keeps its choice.
        if (TimeOutputClashesWithCounter(ws.cfg, value))
            ctx_.dialogs.beep();
        else
            ws.change([value](Configuration& cfg) { ChooseTimeOutput(cfg, value); });
    } else if (row.fact == &facts::kCounter) {
        if (CounterClashesWithTimeOutput(ws.cfg, value))
            ctx_.dialogs.beep();
        else
            ws.change([value](Configuration& cfg) { ChooseCounter(cfg, value); });
    } else {
        EditorPage::store(row, value, mark);
    }
}

void MainSetupPage::stored(const FormRow& row) {
    // The lists that claim channels, and the number of channels, change what the matrix shows.
    if (row.fact == &facts::kChannelsInUse || row.fact == &facts::kMuxCount || row.fact == &facts::kTimeOutput ||
        row.fact == &facts::kCounter)
        host_.redrawMatrix();
}

void MainSetupPage::follow() {
    // The device number does not apply while events go out by SMS.
    const auto& sys = ctx_.ws.cfg.SysData;
    control("T_DeviceNo")->setEnabled(sys[kSysEventSms] == 0 || sys[kSysEventOff] == 1);
}

void MainSetupPage::entered(const FormRow& row, QWidget*, Qt::FocusReason reason) {
    // Each visit to a claiming list starts from the types the channels have now. The return from the
    // list's own drop-down, or from another window, is part of the same visit: a new snapshot then
    // would take the claimed types for the channels' own and lose them at "---".
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return;
    if (isRow(row, "Combo_MuxCount") || isRow(row, "ComboDupUr") || isRow(row, "Combo_NoChannels"))
        ctx_.ws.change([](Configuration& cfg) { SnapshotChannelTypes(cfg); }, EditMark::Never);
    else if (isRow(row, "Combo_Counter"))
        ctx_.ws.change([](Configuration& cfg) { SnapshotChannelTypes(cfg, kCounterFirst); }, EditMark::Never);
}

} // namespace korvane
