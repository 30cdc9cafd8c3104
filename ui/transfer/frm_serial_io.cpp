#include "ui/transfer/frm_serial_io.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <utility>

#include "app/texts.h"
#include "io/config_file.h"
#include "io/link/serial_link.h"
#include "io/link/transfers.h"
#include "io/verify.h"
#include "model/text_ids.h"
#include "sim/simulated_link.h"
#include "ui/transfer/difference_list.h"

namespace korvane {

namespace {

const QString kDeviceSetting = QStringLiteral("ComPortDevice");
const QString kBackupSetting = QStringLiteral("BackupBeforeWrite");
const QString kVerifySetting = QStringLiteral("VerifyAfterWrite");

DeviceClock pcClock() {
    const QDateTime now = QDateTime::currentDateTime();
    return DeviceClock{now.date().year(),   now.date().month(),  now.date().day(),      now.time().hour(),
                       now.time().minute(), now.time().second(), now.date().dayOfWeek()};
}

QString withoutDots(QString text) {
    while (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

Configuration blank() {
    Configuration cfg;
    EditState state;
    ClearConfiguration(cfg, state);
    return cfg;
}

} // namespace

LinkFactory SettingsLinkFactory(AppContext& ctx) {
    return [&ctx, sim = std::shared_ptr<SimulatedLink>()]() mutable -> std::shared_ptr<SerialLink> {
        const QString device = ctx.settings.value(kDeviceSetting);
        if (device == QLatin1String("sim")) {
            if (!sim)
                sim = std::make_shared<SimulatedLink>(true);
            return sim;
        }
        return std::make_shared<SerialPortLink>(device.isEmpty() ? ClassicPortDevice(ctx.ws.ComPort) : device);
    };
}

QString BackupFolder() {
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                                    QStringLiteral("/backups"));
}

FrmSerialIO::FrmSerialIO(AppContext& ctx, Tag tag, LinkFactory links, QWidget* parent)
    : QDialog(parent), ctx_(ctx), tag_(tag), links_(std::move(links)) {
    setObjectName(QStringLiteral("FrmSerialIO"));
    setModal(true);
    switch (tag) {
    case Tag::Read:
        setWindowTitle(ctx_.ws.text(kTxtMenuRead));
        break;
    case Tag::Write:
        setWindowTitle(ctx_.ws.text(kTxtMenuWrite));
        break;
    case Tag::Compare:
        setWindowTitle(withoutDots(ctx_.ws.text(kTxtMenuCompareUnit)));
        break;
    }
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::StyledPanel);
    Label1 = new QLabel(frame);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setMinimumWidth(360);
    (new QVBoxLayout(frame))->addWidget(Label1);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    // Hidden after a transfer without the window changing its layout.
    QSizePolicy keep = ProgressBar1->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    ProgressBar1->setSizePolicy(keep);
    Cmd_ok = new QPushButton(this);
    Cmd_ok->setObjectName(QStringLiteral("Cmd_ok"));
    Cmd_ok->setDefault(true);
    Cmd_cancel = new QPushButton(this);
    Cmd_cancel->setObjectName(QStringLiteral("Cmd_cancel"));
    Cmd_verify = new QPushButton(this);
    Cmd_verify->setObjectName(QStringLiteral("Cmd_verify"));
    Cmd_verify->setVisible(false);
    differences_ = new DifferenceList(ctx_, this);
    differences_->setVisible(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Cmd_verify);
    buttons->addWidget(Cmd_ok);
    buttons->addWidget(Cmd_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    if (tag_ == Tag::Write) {
        // Both choices are remembered for the next write.
        Chk_Backup = new QCheckBox(this);
        Chk_Backup->setObjectName(QStringLiteral("Chk_Backup"));
        Lbl_BackupFolder = new QLabel(this);
        Lbl_BackupFolder->setObjectName(QStringLiteral("Lbl_BackupFolder"));
        Lbl_BackupFolder->setWordWrap(true);
        Lbl_BackupFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
        Lbl_BackupFolder->setIndent(20);
        Chk_VerifyAfterWrite = new QCheckBox(this);
        Chk_VerifyAfterWrite->setObjectName(QStringLiteral("Chk_VerifyAfterWrite"));
        layout->addWidget(Chk_Backup);
        layout->addWidget(Lbl_BackupFolder);
        layout->addWidget(Chk_VerifyAfterWrite);
        connect(Chk_Backup, &QCheckBox::toggled, this, [this](bool on) {
            ctx_.settings.setValue(kBackupSetting, on ? QStringLiteral("1") : QStringLiteral("0"));
        });
        connect(Chk_VerifyAfterWrite, &QCheckBox::toggled, this, [this](bool on) {
            ctx_.settings.setValue(kVerifySetting, on ? QStringLiteral("1") : QStringLiteral("0"));
        });
    }
    layout->addWidget(differences_, 1);
    layout->addWidget(ProgressBar1);
    layout->addLayout(buttons);
    connect(Cmd_ok, &QPushButton::clicked, this, &FrmSerialIO::Cmd_ok_Click);
    connect(Cmd_cancel, &QPushButton::clicked, this, &FrmSerialIO::Cmd_cancel_Click);
    connect(Cmd_verify, &QPushButton::clicked, this, &FrmSerialIO::Cmd_verify_Click);
    Form_Activate();
}

FrmSerialIO::~FrmSerialIO() {
    if (transfer_)
        transfer_->abort();
    endBusy(); // closed in the middle of a transfer: the finish never reaches this window
}

void FrmSerialIO::endBusy() {
    if (!busy_)
        return;
    busy_ = false;
    QApplication::restoreOverrideCursor();
}

void FrmSerialIO::Form_Activate() {
    TransferDone = false;
    Cmd_cancel->setText(QLatin1Char('&') + ctx_.ws.text(kTxtButtonCancel));
    Cmd_ok->setText(QLatin1Char('&') + ctx_.ws.text(kTxtButtonOk));
    Cmd_verify->setText(QLatin1Char('&') + ctx_.ws.text(kTxtVerify));
    Label1->setText(ctx_.ws.text(kTxtTransferReady));
    ProgressBar1->setValue(0);
    if (Chk_Backup) {
        Chk_Backup->setText(ctx_.ws.text(kTxtBackupFirst));
        Chk_Backup->setChecked(ctx_.settings.value(kBackupSetting) == QLatin1String("1"));
        Lbl_BackupFolder->setText(BackupFolder());
        Chk_VerifyAfterWrite->setText(ctx_.ws.text(kTxtVerifyAfterWrite));
        Chk_VerifyAfterWrite->setChecked(ctx_.settings.value(kVerifySetting) == QLatin1String("1"));
    }
}

void FrmSerialIO::Cmd_ok_Click() {
    if (TransferDone) {
        accept();
        return;
    }
    startTransfer();
}

void FrmSerialIO::Cmd_cancel_Click() {
    reject();
}

void FrmSerialIO::reject() {
    // Closing the window during a transfer stops it; a read then takes nothing.
    if (transfer_)
        transfer_->abort();
    QDialog::reject();
}

void FrmSerialIO::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_F1) {
        QDialog::keyPressEvent(event);
        return;
    }
    int help = kHelpGeneral;
    for (QWidget* w = focusWidget(); w && w != this; w = w->parentWidget()) {
        const QString name = w->objectName();
        if (name == QLatin1String("Chk_Backup"))
            help = kHelpBackupFirst;
        else if (name == QLatin1String("Chk_VerifyAfterWrite"))
            help = kHelpVerifyAfterWrite;
        else if (name == QLatin1String("Cmd_verify"))
            help = kHelpVerify;
        else if (name == QLatin1String("List_Differences"))
            help = kHelpDifferences;
        else
            continue;
        break;
    }
    ShowHelp(ctx_, this, help, windowTitle());
    event->accept();
}

void FrmSerialIO::startTransfer() {
    Cmd_cancel->setEnabled(false);
    Cmd_ok->setEnabled(false);
    Cmd_verify->setVisible(false);
    differences_->setVisible(false);
    link_ = links_(); // one link for everything this press does: backup, write and verify see the same unit
    switch (tag_) {
    case Tag::Read:
        startRead(Phase::Read);
        break;
    case Tag::Compare:
        startRead(Phase::Compare);
        break;
    case Tag::Write:
        backupFile_.clear();
        if (Chk_Backup->isChecked()) {
            Lbl_BackupFolder->setText(BackupFolder());
            startRead(Phase::Backup);
        } else {
            startWrite();
        }
        break;
    }
}

void FrmSerialIO::startRead(Phase phase) {
    transfer_.reset();
    // File > Read may take the image into the model; the other reads only look at the unit.
    scratch_ = std::make_unique<Configuration>(phase == Phase::Read ? ctx_.ws.cfg : blank());
    std::function<bool(int)> takeNewer = [](int) { return true; };
    if (phase == Phase::Read)
        takeNewer = [this](int) {
            return ctx_.dialogs.ask(this, ctx_.ws.text(kTxtNewerFirmware), QString(), Buttons::YesNo,
                                    MessageIcon::Exclamation) == Answer::Yes;
        };
    auto* read = new ReadTransfer(*link_, *scratch_, takeNewer);
    transfer_.reset(read);
    watch(phase);
    read->start();
}

void FrmSerialIO::startWrite() {
    transfer_.reset();
    scratch_.reset();
    auto texts = [this](int n) { return ToCp1252(ctx_.ws.text(n)); };
    auto* write = new WriteTransfer(*link_, ctx_.ws.cfg, pcClock(), texts);
    connect(write, &WriteTransfer::bell, this, [this] { ctx_.dialogs.beep(); });
    transfer_.reset(write);
    watch(Phase::Write);
    write->start();
}

void FrmSerialIO::watch(Phase phase) {
    phase_ = phase;
    ProgressBar1->setVisible(true);
    if (!busy_) {
        busy_ = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    transfer_->setTickInterval(tickMs_);
    connect(transfer_.get(), &Transfer::statusChanged, this, [this](int text) { Label1->setText(ctx_.ws.text(text)); });
    connect(transfer_.get(), &Transfer::progressChanged, this, [this](int value, int max) {
        ProgressBar1->setMaximum(std::max(max, 1));
        ProgressBar1->setValue(std::clamp(value, 0, std::max(max, 1)));
    });
    connect(transfer_.get(), &Transfer::finished, this, &FrmSerialIO::onFinished, Qt::QueuedConnection);
}

void FrmSerialIO::Cmd_verify_Click() {
    if (!written_)
        return;
    Cmd_ok->setEnabled(false);
    Cmd_cancel->setEnabled(false);
    Cmd_verify->setEnabled(false);
    differences_->setVisible(false);
    if (!link_)
        link_ = links_();
    startRead(Phase::Verify);
}

bool FrmSerialIO::saveBackup(QString& reason) {
    const QString folder = BackupFolder();
    if (!QDir().mkpath(folder)) {
        reason = folder;
        return false;
    }
    const QDateTime now = QDateTime::currentDateTime();
    const std::string name =
        BackupFileName(scratch_->SysData[kSysDeviceNo], now.date().year(), now.date().month(), now.date().day(),
                       now.time().hour(), now.time().minute(), now.time().second());
    const QString path = QDir(folder).filePath(QString::fromStdString(name));
    const FileResult saved = korvane::SaveFile(*scratch_, LocalPath(path));
    if (!saved.ok()) {
        reason = QString::fromLocal8Bit(saved.message().c_str());
        return false;
    }
    backupFile_ = QDir::toNativeSeparators(path);
    Lbl_BackupFolder->setText(ctx_.ws.text(kTxtBackupSaved) + QLatin1Char(' ') + backupFile_);
    return true;
}

void FrmSerialIO::showDifferences(const QString& heading, bool any) {
    Label1->setText(heading);
    differences_->setVisible(any);
    if (any)
        adjustSize();
}

void FrmSerialIO::onReadDone() {
    const auto& read = static_cast<const ReadTransfer&>(*transfer_);
    switch (phase_) {
    case Phase::Read: {
        Workspace& ws = ctx_.ws;
        ws.cfg = *scratch_;
        ws.setDataChanged(true);
        ws.forgetHistory(false); // the unit's configuration is in no file yet
        ws.setCurFileName(QStringLiteral("Upload"));
        ws.announceReplaced(); // both windows refill
        break;
    }
    case Phase::Verify: {
        const std::vector<Difference> diffs = VerifyWrite(*written_, read.image());
        differences_->setDifferences(diffs, DiffSides::UnitWritten);
        showDifferences(ctx_.ws.text(kTxtWriteAccepted) + QLatin1Char('\n') +
                            ctx_.ws.text(diffs.empty() ? kTxtVerifyOk : kTxtVerifyDiffers),
                        !diffs.empty());
        break;
    }
    case Phase::Compare: {
        // The configuration in memory held against what the unit holds, as far as a unit keeps it.
        const std::vector<Difference> diffs = CompareWithUnit(ctx_.ws.cfg, read.image());
        differences_->setDifferences(diffs, DiffSides::Compare);
        showDifferences(diffs.empty() ? ctx_.ws.text(kTxtNoDifferences)
                                      : CompareHeading(ctx_.ws, ctx_.ws.text(kTxtUnitValue)),
                        !diffs.empty());
        break;
    }
    default:
        break;
    }
}

void FrmSerialIO::onFinished() {
    if (!transfer_)
        return;
    const TransferOutcome outcome = transfer_->outcome();
    if (phase_ == Phase::Backup && outcome == TransferOutcome::Done) {
        QString reason;
        if (saveBackup(reason)) {
            startWrite(); // what the unit held is safe: now the write
            return;
        }
        endBusy();
        ProgressBar1->setVisible(false);
        Label1->setText(ctx_.ws.text(kTxtBackupFailed) + QStringLiteral("\n\n") + reason);
        Cmd_ok->setText(QLatin1Char('&') + ctx_.ws.text(kTxtButtonRetry));
        Cmd_ok->setEnabled(true);
        Cmd_cancel->setEnabled(true);
        scratch_.reset();
        return;
    }
    endBusy();
    ProgressBar1->setVisible(false);
    QString status = ctx_.ws.text(transfer_->statusText());
    if (phase_ == Phase::Backup && outcome != TransferOutcome::Aborted)
        status += QStringLiteral("\n\n") + ctx_.ws.text(kTxtBackupFailed); // the unit is untouched
    if (phase_ == Phase::Verify)
        status = ctx_.ws.text(kTxtWriteAccepted) + QStringLiteral("\n\n") + status; // the write itself stands
    Label1->setText(status);
    Cmd_ok->setEnabled(true);
    switch (outcome) {
    case TransferOutcome::Done:
        Cmd_ok->setText(QLatin1Char('&') + ctx_.ws.text(kTxtButtonOk));
        TransferDone = true;
        if (phase_ == Phase::Write) {
            written_ = std::make_unique<Configuration>(ctx_.ws.cfg);
            Cmd_verify->setVisible(true);
            Cmd_verify->setEnabled(true);
            if (Chk_VerifyAfterWrite->isChecked()) {
                Cmd_verify_Click();
                return; // the read-back runs now
            }
        } else {
            onReadDone();
            Cmd_verify->setEnabled(phase_ == Phase::Verify);
        }
        break;
    case TransferOutcome::PortError:
        // The port is the problem, not the unit: OK closes so that another port can be chosen.
        TransferDone = true;
        Cmd_cancel->setEnabled(true);
        break;
    case TransferOutcome::Aborted:
        break;
    default:
        if (phase_ == Phase::Verify) {
            // The unit accepted the write; only the read-back failed: Verify tries it again.
            Cmd_verify->setEnabled(true);
            break;
        }
        Cmd_ok->setText(QLatin1Char('&') + ctx_.ws.text(kTxtButtonRetry));
        Cmd_cancel->setEnabled(true);
        break;
    }
    scratch_.reset();
}

} // namespace korvane
