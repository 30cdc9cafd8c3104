#include "ui/editor/pages/main_setup_page.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "io/text_ids.h"
#include "model/channel_types.h"
#include "model/field_rules.h"

namespace korvane {

namespace {

constexpr int kChannelSteps = 15;   // "128", "120", ..., "16"
constexpr int kMuxItems = 16;       // "---", "2".."16"
constexpr int kMuxDelayItems = 8;   // "1", "2", "4", ..., "128"
constexpr int kTimeOutputItems = 8; // "---", "C-D", ..., "O-P"
constexpr int kEventItems = 3;
constexpr int kUnknownItem = -1; // item data of the "?" entry of a value a list cannot show
const char* const kSuccessor = "korvaneSuccessor";

int noChannelsIndex(int byte11) {
    return (kChannels - 1 - byte11) / 8;
}
bool validNoChannels(int byte11) {
    return byte11 >= 15 && byte11 <= kChannels - 1 && (kChannels - 1 - byte11) % 8 == 0;
}

} // namespace

MainSetupPage::MainSetupPage(AppContext& ctx, PageHost& host, FieldKit& kit, QWidget* parent)
    : QFrame(parent), ctx_(ctx), host_(host) {
    setObjectName(QStringLiteral("Frame_Main_Setup"));
    auto* g = new QGridLayout(this);
    g->setContentsMargins(0, 0, 0, 0);
    g->setVerticalSpacing(3);

    cPcTime_ = new QCheckBox(this);
    cPcTime_->setObjectName(QStringLiteral("C_pctime"));
    SetHelpContextText(cPcTime_, kHelpPcClock, kTxtUsePcClock);
    lThisTime_ = new QLabel(this);
    lThisTime_->setObjectName(QStringLiteral("L_ThisTime"));
    lThisTime_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cAutoSumWin_ = new QCheckBox(this);
    cAutoSumWin_->setObjectName(QStringLiteral("C_AutoSumWin"));
    SetHelpContextText(cAutoSumWin_, kHelpAutoSummerTime, kTxtAutoSummerTime);
    g->addWidget(cPcTime_, 0, 0);
    g->addWidget(lThisTime_, 0, 1);
    g->addWidget(cAutoSumWin_, 1, 0, 1, 2);

    comboNoChannels_ = combo("Combo_NoChannels", kHelpNumberOfChannels, kTxtNumberOfChannels, &lblNoChannels_);
    for (int k = 0; k < kChannelSteps; ++k)
        comboNoChannels_->addItem(QString::number(kChannels - 8 * k), kChannels - 1 - 8 * k);
    lblNoChannels_->setObjectName(QStringLiteral("Lbl_NoChannels"));
    comboMuxCount_ = combo("Combo_MuxCount", kHelpMuxCount, kTxtMuxCount, &lblMuxCount_);
    comboMuxCount_->addItem(QStringLiteral("---"), 0);
    for (int k = 1; k < kMuxItems; ++k)
        comboMuxCount_->addItem(QString::number(k + 1), k);
    lblMuxCount_->setObjectName(QStringLiteral("Lbl_MuxCount"));
    comboMuxDelay_ = combo("Combo_MuxDelay", kHelpMuxDelay, kTxtMuxDelay, &lblMuxDelay_);
    for (int k = 0; k < kMuxDelayItems; ++k)
        comboMuxDelay_->addItem(QString::number(1 << k), k);
    lblMuxDelay_->setObjectName(QStringLiteral("Lbl_MuxDelay"));
    comboCounter_ = combo("Combo_Counter", kHelpCounter, kTxtCounter, &lblCounter_);
    for (const char* item : {"---", "0..99", "0..9999", "0..999999", "0..99999999"})
        comboCounter_->addItem(QLatin1String(item), comboCounter_->count());
    lblCounter_->setObjectName(QStringLiteral("Lbl_Counter"));
    comboEventSelect_ = combo("Combo_EventSelect", kHelpEventOutput, kTxtEventOutput, &lblEventSelect_);
    lblEventSelect_->setObjectName(QStringLiteral("Lbl_EventSelect"));
    comboDupUr_ = combo("ComboDupUr", kHelpTimeOutput, kTxtTimeOutput, &lblTimeOutput_);
    for (const char* item : {"---", "C-D", "E-F", "G-H", "I-J", "K-L", "M-N", "O-P"})
        comboDupUr_->addItem(QLatin1String(item), comboDupUr_->count());
    lblTimeOutput_->setObjectName(QStringLiteral("Lbl_TimeOutput"));

    tDeviceNo_ = kit.decimal(this, "T_DeviceNo", ByteSlot::sys(kSysDeviceNo), 99, 2, kHelpDeviceNumber);
    SetHelpContextText(tDeviceNo_, kHelpDeviceNumber, kTxtDeviceNumber);
    tDeviceNo_->setMaximumWidth(48);
    tDeviceNo_->onEnter = [this] {
        setMenu("Menu_Edit_ExchangeMask", ctx_.ws.cfg.SysData[kSysDeviceNo] == 0);
        host_.focusMainWindow();
    };
    lblDeviceNo_ = new QLabel(this);
    lblDeviceNo_->setObjectName(QStringLiteral("Lbl_DeviceNo"));
    lblDeviceNo_->setBuddy(tDeviceNo_);

    int row = 2;
    for (auto [label, box] : {std::pair<QLabel*, QWidget*>{lblNoChannels_, comboNoChannels_},
                              {lblMuxCount_, comboMuxCount_},
                              {lblMuxDelay_, comboMuxDelay_},
                              {lblCounter_, comboCounter_},
                              {lblEventSelect_, comboEventSelect_},
                              {lblTimeOutput_, comboDupUr_},
                              {lblDeviceNo_, tDeviceNo_}}) {
        g->addWidget(label, row, 0);
        g->addWidget(box, row, 1);
        ++row;
    }

    lGenerelBeskriv_ = new QLabel(this);
    lGenerelBeskriv_->setObjectName(QStringLiteral("L_generelBeskriv"));
    tGenerelBeskriv_ = new QLineEdit(this);
    tGenerelBeskriv_->setObjectName(QStringLiteral("T_generelBeskriv"));
    SetHelpContextText(tGenerelBeskriv_, kHelpSystemDescription, kTxtSystemDescription);
    lblWarn_ = new QLabel(this);
    lblWarn_->setObjectName(QStringLiteral("Lbl_Warn"));
    lblWarn_->setWordWrap(true);
    g->addWidget(lGenerelBeskriv_, row++, 0, 1, 2);
    g->addWidget(tGenerelBeskriv_, row++, 0, 1, 2);
    g->addWidget(lblWarn_, row++, 0, 1, 2);
    g->setRowStretch(row, 1);
    g->setColumnStretch(1, 1);

    // Enter walks down the page; from the counter list it goes to the event output as always.
    QWidget* const chain[] = {cPcTime_,      cAutoSumWin_,      comboNoChannels_, comboMuxCount_, comboMuxDelay_,
                              comboCounter_, comboEventSelect_, comboDupUr_,      tDeviceNo_};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        chain[i]->setProperty(kSuccessor, QVariant::fromValue(chain[i + 1]));
    cPcTime_->installEventFilter(this);
    cAutoSumWin_->installEventFilter(this);

    connect(cPcTime_, &QCheckBox::clicked, this, [this](bool on) {
        Byte& b = ctx_.ws.cfg.SysData[kSysUsePcClock];
        if (b != (on ? 1 : 0)) {
            b = on ? 1 : 0;
            ctx_.ws.setDataChanged(true);
        }
    });
    connect(cAutoSumWin_, &QCheckBox::clicked, this, [this](bool on) {
        Byte& b = ctx_.ws.cfg.SysData[kSysAutoSummerTime];
        if (b != (on ? 1 : 0)) {
            b = on ? 1 : 0;
            ctx_.ws.setDataChanged(true);
        }
    });
    connect(comboNoChannels_, &QComboBox::activated, this, &MainSetupPage::Combo_NoChannels_Click);
    connect(comboMuxCount_, &QComboBox::activated, this, &MainSetupPage::Combo_MuxCount_Click);
    connect(comboMuxDelay_, &QComboBox::activated, this, [this](int k) {
        Byte& b = ctx_.ws.cfg.SysData[kSysMuxDelay];
        if (b != k) {
            b = static_cast<Byte>(k);
            ctx_.ws.setDataChanged(true);
        }
    });
    connect(comboCounter_, &QComboBox::activated, this, &MainSetupPage::Combo_Counter_Click);
    connect(comboEventSelect_, &QComboBox::activated, this, &MainSetupPage::Combo_EventSelect_Click);
    connect(comboDupUr_, &QComboBox::activated, this, &MainSetupPage::ComboDupUr_Click);
    connect(tGenerelBeskriv_, &QLineEdit::textEdited, this, [this](const QString& text) {
        ctx_.ws.cfg.DescText[kGeneralDescription] = ToCp1252(text);
        ctx_.ws.setDataChanged(true);
    });
    connect(tGenerelBeskriv_, &QLineEdit::editingFinished, this, [this] {
        std::string& stored = ctx_.ws.cfg.DescText[kGeneralDescription];
        StripQuotes(stored);
        tGenerelBeskriv_->setText(FromCp1252(stored));
    });
}

QComboBox* MainSetupPage::combo(const char* name, int helpId, int labelText, QLabel** label) {
    auto* box = new QComboBox(this);
    box->setObjectName(QLatin1String(name));
    // Narrow lists leave the labels room in the small window.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(6);
    SetHelpContextText(box, helpId, labelText);
    box->installEventFilter(this);
    *label = new QLabel(this);
    (*label)->setBuddy(box);
    (*label)->setProperty("korvaneText", labelText);
    return box;
}

void MainSetupPage::showValue(QComboBox* box, int index, bool valid) {
    const int unknown = box->findData(kUnknownItem);
    if (unknown >= 0)
        box->removeItem(unknown);
    if (valid) {
        box->setCurrentIndex(index);
        return;
    }
    box->addItem(QStringLiteral("?"), kUnknownItem);
    box->setCurrentIndex(box->count() - 1);
}

void MainSetupPage::setMenu(const char* name, bool enabled) {
    if (QAction* a = host_.mainAction(name))
        a->setEnabled(enabled);
}

void MainSetupPage::fill() {
    Workspace& ws = ctx_.ws;
    auto& sys = ws.cfg.SysData;
    // Range repairs: values these fields cannot show are brought back into range.
    if (sys[kSysAutoSummerTime] != 0)
        sys[kSysAutoSummerTime] = 1;
    if (sys[kSysMuxDelay] > 7)
        sys[kSysMuxDelay] = 0;
    if (sys[kSysCounter] > 4)
        sys[kSysCounter] = 0;

    for (QLabel* l : {lblNoChannels_, lblMuxCount_, lblMuxDelay_, lblCounter_, lblEventSelect_, lblTimeOutput_})
        l->setText(ws.text(l->property("korvaneText").toInt()));
    lblDeviceNo_->setText(ws.text(kTxtDeviceNumber));
    cPcTime_->setText(ws.text(kTxtUsePcClock));
    cAutoSumWin_->setText(ws.text(kTxtAutoSummerTime));
    lGenerelBeskriv_->setText(ws.text(kTxtSystemDescription));
    lblWarn_->setText(ws.text(kTxtSetupWarning));

    cPcTime_->setChecked(sys[kSysUsePcClock] != 0);
    cAutoSumWin_->setChecked(sys[kSysAutoSummerTime] != 0);
    // Bytes 11, 48 and 50 are shown as they are: a value no item stands for shows "?" and is kept
    // until the user chooses an item.
    showValue(comboNoChannels_, noChannelsIndex(sys[kSysChannelsInUse]), validNoChannels(sys[kSysChannelsInUse]));
    showValue(comboMuxCount_, sys[kSysMuxCount], sys[kSysMuxCount] < kMuxItems);
    showValue(comboDupUr_, sys[kSysTimeOutput], sys[kSysTimeOutput] < kTimeOutputItems);
    comboMuxDelay_->setCurrentIndex(sys[kSysMuxDelay]);
    comboCounter_->setCurrentIndex(sys[kSysCounter]);

    comboEventSelect_->clear();
    comboEventSelect_->addItem(ws.text(kTxtEventOutputSerial));
    comboEventSelect_->addItem(ws.text(kTxtEventOutputSms));
    comboEventSelect_->addItem(QStringLiteral("----"));
    if (sys[kSysEventOff] == 1) {
        comboEventSelect_->setCurrentIndex(2);
    } else {
        if (sys[kSysEventSms] > 1)
            sys[kSysEventSms] = 0;
        comboEventSelect_->setCurrentIndex(sys[kSysEventSms]);
    }
    // The device number does not apply while events go out by SMS.
    tDeviceNo_->setEnabled(sys[kSysEventSms] == 0 || sys[kSysEventOff] == 1);
    tDeviceNo_->refresh();
    tGenerelBeskriv_->setText(FromCp1252(ws.cfg.DescText[kGeneralDescription]));

    setMenu("Menu_Edit_SMS_Setup", sys[kSysEventSms] != 0);
    setMenu("Menu_Edit_ExchangeMask", sys[kSysDeviceNo] == 0 && sys[kSysEventSms] == 0);
}

void MainSetupPage::setThisTime(const QString& text) {
    lThisTime_->setText(text);
}

void MainSetupPage::claimsChanged(bool changed) {
    if (changed)
        ctx_.ws.setDataChanged(true);
    host_.redrawMatrix();
}

void MainSetupPage::Combo_NoChannels_Click(int index) {
    const int data = comboNoChannels_->itemData(index).toInt();
    if (data == kUnknownItem)
        return;
    Byte& b = ctx_.ws.cfg.SysData[kSysChannelsInUse];
    const bool changed = b != data;
    b = static_cast<Byte>(data);
    showValue(comboNoChannels_, index, true);
    claimsChanged(changed);
}

void MainSetupPage::Combo_MuxCount_Click(int index) {
    if (comboMuxCount_->itemData(index).toInt() == kUnknownItem)
        return;
    showValue(comboMuxCount_, index, true);
    claimsChanged(ChooseMultiplexer(ctx_.ws.cfg, index));
}

void MainSetupPage::ComboDupUr_Click(int index) {
    if (comboDupUr_->itemData(index).toInt() == kUnknownItem)
        return;
    showValue(comboDupUr_, index, true);
    claimsChanged(ChooseTimeOutput(ctx_.ws.cfg, index));
}

void MainSetupPage::Combo_Counter_Click(int index) {
    claimsChanged(ChooseCounter(ctx_.ws.cfg, index));
}

void MainSetupPage::Combo_EventSelect_Click(int index) {
    auto& sys = ctx_.ws.cfg.SysData;
    const Byte sms = index == 1 ? 1 : 0;
    const Byte off = index == 2 ? 1 : 0;
    // Both bytes count: switching the event output off drops the option bits from the next save.
    const bool changed = sys[kSysEventSms] != sms || sys[kSysEventOff] != off;
    sys[kSysEventSms] = sms;
    sys[kSysEventOff] = off;
    tDeviceNo_->setEnabled(index != 1);
    setMenu("Menu_Edit_SMS_Setup", index == 1);
    if (index != 0)
        setMenu("Menu_Edit_ExchangeMask", false);
    if (changed)
        ctx_.ws.setDataChanged(true);
}

bool MainSetupPage::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QComboBox*>(watched);
    if (event->type() == QEvent::FocusIn && box) {
        // Each visit to a claiming list starts from the types the channels have now. The return from
        // the list's own drop-down, or from another window, is part of the same visit: a new snapshot
        // then would take the claimed types for the channels' own and lose them at "---".
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
            return false;
        if (box == comboMuxCount_ || box == comboDupUr_ || box == comboNoChannels_)
            SnapshotChannelTypes(ctx_.ws.cfg);
        else if (box == comboCounter_)
            SnapshotChannelTypes(ctx_.ws.cfg, kCounterFirst);
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (auto* next = watched->property(kSuccessor).value<QWidget*>()) {
            next->setFocus(Qt::TabFocusReason);
            return true;
        }
        return false;
    }
    // Typing into a list does not choose an item: the list keeps showing the stored value.
    if (box && !key->text().isEmpty() && key->text().at(0).isPrint() &&
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return true;
    return false;
}

} // namespace korvane
