#include "ui/editor/pages/main_setup_page.h"

#include <QGridLayout>
#include <QLabel>

#include "model/channel_types.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

// The event output list: serial line, SMS, or off ("----"). It stands for two bytes (13 and 58).
constexpr int kEventSerial = 0;
constexpr int kEventSms = 1;
constexpr int kEventNone = 2;
constexpr ValueFact kEventOutput{"event output",    ValueArea::Sys, kSysEventSms, ValueEntry::None, 0, 2,
                                 ValueFormat::Plain};

constexpr ListItem kNoChannelsItems[] = {
    {127, 0, "128"}, {119, 0, "120"}, {111, 0, "112"}, {103, 0, "104"}, {95, 0, "96"},
    {87, 0, "88"},   {79, 0, "80"},   {71, 0, "72"},   {63, 0, "64"},   {55, 0, "56"},
    {47, 0, "48"},   {39, 0, "40"},   {31, 0, "32"},   {23, 0, "24"},   {15, 0, "16"},
};
constexpr ListItem kMuxCountItems[] = {
    {0, 0, "---"}, {1, 0, "2"},   {2, 0, "3"},   {3, 0, "4"},   {4, 0, "5"},   {5, 0, "6"},
    {6, 0, "7"},   {7, 0, "8"},   {8, 0, "9"},   {9, 0, "10"},  {10, 0, "11"}, {11, 0, "12"},
    {12, 0, "13"}, {13, 0, "14"}, {14, 0, "15"}, {15, 0, "16"},
};
constexpr ListItem kMuxDelayItems[] = {
    {0, 0, "1"}, {1, 0, "2"}, {2, 0, "4"}, {3, 0, "8"}, {4, 0, "16"}, {5, 0, "32"}, {6, 0, "64"}, {7, 0, "128"},
};
constexpr ListItem kCounterItems[] = {
    {0, 0, "---"}, {1, 0, "0..99"}, {2, 0, "0..9999"}, {3, 0, "0..999999"}, {4, 0, "0..99999999"},
};
constexpr ListItem kEventItems[] = {
    {kEventSerial, kTxtEventOutputSerial}, {kEventSms, kTxtEventOutputSms}, {kEventNone, 0, "----"}};
constexpr ListItem kTimeOutputItems[] = {
    {0, 0, "---"}, {1, 0, "C-D"}, {2, 0, "E-F"}, {3, 0, "G-H"},
    {4, 0, "I-J"}, {5, 0, "K-L"}, {6, 0, "M-N"}, {7, 0, "O-P"},
};

// Enter walks down the page; from the device number the main window takes the keyboard.
constexpr FormRow kRows[] = {
    {.control = "C_pctime",
     .kind = ControlKind::Check,
     .fact = &facts::kUsePcClock,
     .help = kHelpPcClock,
     .caption = kTxtUsePcClock},
    {.control = "C_AutoSumWin",
     .kind = ControlKind::Check,
     .fact = &facts::kAutoSummerTime,
     .help = kHelpAutoSummerTime,
     .caption = kTxtAutoSummerTime},
    {.control = "Combo_NoChannels",
     .kind = ControlKind::List,
     .fact = &facts::kChannelsInUse,
     .help = kHelpNumberOfChannels,
     .caption = kTxtNumberOfChannels,
     .items = kNoChannelsItems,
     .label = "Lbl_NoChannels"},
    {.control = "Combo_MuxCount",
     .kind = ControlKind::List,
     .fact = &facts::kMuxCount,
     .help = kHelpMuxCount,
     .caption = kTxtMuxCount,
     .items = kMuxCountItems,
     .label = "Lbl_MuxCount",
     .ownStore = true},
    {.control = "Combo_MuxDelay",
     .kind = ControlKind::List,
     .fact = &facts::kMuxDelay,
     .help = kHelpMuxDelay,
     .caption = kTxtMuxDelay,
     .items = kMuxDelayItems,
     .label = "Lbl_MuxDelay"},
    {.control = "Combo_Counter",
     .kind = ControlKind::List,
     .fact = &facts::kCounter,
     .help = kHelpCounter,
     .caption = kTxtCounter,
     .items = kCounterItems,
     .label = "Lbl_Counter",
     .ownStore = true},
    {.control = "Combo_EventSelect",
     .kind = ControlKind::List,
     .fact = &kEventOutput,
     .help = kHelpEventOutput,
     .caption = kTxtEventOutput,
     .items = kEventItems,
     .label = "Lbl_EventSelect",
     .ownStore = true},
    {.control = "ComboDupUr",
     .kind = ControlKind::List,
     .fact = &facts::kTimeOutput,
     .help = kHelpTimeOutput,
     .caption = kTxtTimeOutput,
     .items = kTimeOutputItems,
     .label = "Lbl_TimeOutput",
     .ownStore = true},
    {.control = "T_DeviceNo",
     .kind = ControlKind::Field,
     .fact = &facts::kDeviceNo,
     .help = kHelpDeviceNumber,
     .caption = kTxtDeviceNumber,
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

bool isRow(const FormRow& row, const char* name) {
    return qstrcmp(row.control, name) == 0;
}

} // namespace

MainSetupPage::MainSetupPage(AppContext& ctx, PageHost& host, FieldFocus& focus, QWidget* parent)
    : EditorPage(ctx, host, focus, "Frame_Main_Setup", parent) {
    build(kRows);
    lThisTime_ = new QLabel(this);
    lThisTime_->setObjectName(QStringLiteral("L_ThisTime"));
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

int MainSetupPage::shownValue(const FormRow& row) const {
    if (row.fact == &kEventOutput) {
        const auto& sys = ctx_.ws.cfg.SysData;
        return sys[kSysEventOff] == 1 ? kEventNone : sys[kSysEventSms];
    }
    return EditorPage::shownValue(row);
}

void MainSetupPage::store(const FormRow& row, int value, EditMark mark) {
    Workspace& ws = ctx_.ws;
    if (row.fact == &kEventOutput) {
        // Both bytes count: switching the event output off drops the option bits from the next save.
        ws.change([value](Configuration& cfg) {
            cfg.SysData[kSysEventSms] = value == kEventSms ? 1 : 0;
            cfg.SysData[kSysEventOff] = value == kEventNone ? 1 : 0;
        });
    } else if (row.fact == &facts::kMuxCount) {
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
