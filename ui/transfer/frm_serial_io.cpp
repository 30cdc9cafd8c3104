#include "ui/transfer/frm_serial_io.h"
#include "ui/transfer/port_menu.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "app/texts.h"
#include "io/config_file.h"
#include "io/link/serial_link.h"
#include "io/link/transfers.h"
#include "io/verify.h"
#include "model/text_ids.h"
#include "sim/simulated_link.h"
#include "ui/transfer/difference_list.h"
#include "ui/transfer/elided_label.h"

namespace korvane {

namespace {

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

constexpr int kProgressSteps = 1000; // the bar counts thousandths of the whole job
constexpr int kClockMs = 500;

Configuration blank() {
    Configuration cfg;
    EditState state;
    ClearConfiguration(cfg, state);
    return cfg;
}

} // namespace

LinkFactory SettingsLinkFactory(AppContext& ctx, std::shared_ptr<SerialLink> simulated) {
    // The factory is copied into every transfer window: the simulated unit is made once, outside it.
    return [&ctx, simulated]() -> std::shared_ptr<SerialLink> {
        const QString device = ctx.settings.value(kDeviceSetting);
        if (device == QLatin1String("sim"))
            return simulated;
        return std::make_shared<SerialPortLink>(device.isEmpty() ? ClassicPortDevice(ctx.ws.ComPort)
                                                                 : PortDevice(device));
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
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    Label1->setMinimumWidth(360);
    Label1->setTextInteractionFlags(Qt::TextSelectableByMouse); // a port's reason can be copied
    (new QVBoxLayout(frame))->addWidget(Label1);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, kProgressSteps);
    // Hidden after a transfer without the window changing its layout.
    QSizePolicy keep = ProgressBar1->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    ProgressBar1->setSizePolicy(keep);
    Lbl_TimeLeft = new QLabel(this);
    Lbl_TimeLeft->setObjectName(QStringLiteral("Lbl_TimeLeft"));
    Lbl_TimeLeft->setWordWrap(true);
    QSizePolicy keepTime = Lbl_TimeLeft->sizePolicy();
    keepTime.setRetainSizeWhenHidden(true);
    Lbl_TimeLeft->setSizePolicy(keepTime);
    Lbl_TimeLeft->setVisible(false);
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
        Lbl_BackupSaved = new QLabel(this);
        Lbl_BackupSaved->setObjectName(QStringLiteral("Lbl_BackupSaved"));
        Lbl_BackupSaved->setWordWrap(true);
        Lbl_BackupSaved->setIndent(20);
        Lbl_BackupSaved->setVisible(false);
        // The folder, or the file just saved: its whole path in the tooltip, its name always in view.
        Lbl_BackupFolder = new ElidedLabel(this);
        Lbl_BackupFolder->setObjectName(QStringLiteral("Lbl_BackupFolder"));
        Lbl_BackupFolder->setTextFormat(Qt::PlainText);
        Lbl_BackupFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
        Lbl_BackupFolder->setIndent(20);
        Cmd_OpenFolder = new QPushButton(this);
        Cmd_OpenFolder->setObjectName(QStringLiteral("Cmd_OpenFolder"));
        Chk_VerifyAfterWrite = new QCheckBox(this);
        Chk_VerifyAfterWrite->setObjectName(QStringLiteral("Chk_VerifyAfterWrite"));
        auto* folderRow = new QHBoxLayout;
        folderRow->addWidget(Lbl_BackupFolder, 1);
        folderRow->addWidget(Cmd_OpenFolder);
        layout->addWidget(Chk_Backup);
        layout->addWidget(Lbl_BackupSaved);
        layout->addLayout(folderRow);
        layout->addWidget(Chk_VerifyAfterWrite);
        connect(Chk_Backup, &QCheckBox::toggled, this, [this](bool on) {
            ctx_.settings.setValue(kBackupSetting, on ? QStringLiteral("1") : QStringLiteral("0"));
        });
        connect(Chk_VerifyAfterWrite, &QCheckBox::toggled, this, [this](bool on) {
            ctx_.settings.setValue(kVerifySetting, on ? QStringLiteral("1") : QStringLiteral("0"));
        });
        connect(Cmd_OpenFolder, &QPushButton::clicked, this, &FrmSerialIO::Cmd_OpenFolder_Click);
    }
    layout->addWidget(differences_, 1);
    layout->addWidget(ProgressBar1);
    layout->addWidget(Lbl_TimeLeft);
    layout->addLayout(buttons);
    connect(Cmd_ok, &QPushButton::clicked, this, &FrmSerialIO::Cmd_ok_Click);
    connect(Cmd_cancel, &QPushButton::clicked, this, &FrmSerialIO::Cmd_cancel_Click);
    connect(Cmd_verify, &QPushButton::clicked, this, &FrmSerialIO::Cmd_verify_Click);
    clock_.setInterval(kClockMs);
    connect(&clock_, &QTimer::timeout, this, &FrmSerialIO::showProgress);
    Form_Activate();
}

FrmSerialIO::~FrmSerialIO() {
    if (transfer_)
        transfer_->abort();
    endBusy(); // closed in the middle of a transfer: the finish never reaches this window
}

void FrmSerialIO::endBusy() {
    clock_.stop();
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
        Lbl_BackupFolder->setFullText(BackupFolder());
        Cmd_OpenFolder->setText(ctx_.ws.text(kTxtOpenFolder));
        Chk_VerifyAfterWrite->setText(ctx_.ws.text(kTxtVerifyAfterWrite));
        Chk_VerifyAfterWrite->setChecked(ctx_.settings.value(kVerifySetting) == QLatin1String("1"));
    }
}

void FrmSerialIO::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    fitToText();
}

void FrmSerialIO::fitToText() {
    QLayout* l = layout();
    if (!l)
        return;
    // A changed text reaches the window's layout through posted layout requests (the label's frame
    // first): they are handled now, so that the heights asked below are those of the new texts.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    l->activate();
    const QRect room = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    // Wrapped labels need height for their width: wider when even the screen's height is not enough.
    int w = std::max(width(), l->totalMinimumSize().width());
    auto needed = [l](int width) {
        return l->hasHeightForWidth() ? l->totalHeightForWidth(width) : l->totalSizeHint().height();
    };
    while (needed(w) > room.height() && w < room.width())
        w = std::min(room.width(), w + w / 4);
    const int h = std::min(needed(w), room.height());
    if (w > width() || h > height())
        resize(std::max(w, width()), std::max(h, height()));
}

bool FrmSerialIO::jobRunning() const {
    return transfer_ && transfer_->running();
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
    if (jobRunning()) {
        // Cancel stops the job; the window stays and says where it stopped. A read then takes nothing.
        transfer_->abort();
        return;
    }
    QDialog::reject();
}

void FrmSerialIO::closeEvent(QCloseEvent* event) {
    if (jobRunning())
        transfer_->abort();
    QDialog::closeEvent(event);
}

void FrmSerialIO::Cmd_OpenFolder_Click() {
    const QString folder = backupFile_.isEmpty() ? BackupFolder() : QFileInfo(backupFile_).absolutePath();
    QDir().mkpath(folder);
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
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
    std::vector<Phase> phases;
    switch (tag_) {
    case Tag::Read:
        phases = {Phase::Read};
        break;
    case Tag::Compare:
        phases = {Phase::Compare};
        break;
    case Tag::Write:
        backupFile_.clear();
        Lbl_BackupSaved->setVisible(false);
        Lbl_BackupFolder->setFullText(BackupFolder());
        if (Chk_Backup->isChecked())
            phases.push_back(Phase::Backup);
        phases.push_back(Phase::Write);
        if (Chk_VerifyAfterWrite->isChecked())
            phases.push_back(Phase::Verify);
        break;
    }
    Cmd_verify->setVisible(false);
    link_ = links_(); // one link for everything this press does: backup, write and verify see the same unit
    startJob(std::move(phases));
}

void FrmSerialIO::startJob(std::vector<Phase> phases) {
    Cmd_ok->setEnabled(false);
    Cmd_cancel->setEnabled(true); // every phase can be cancelled
    Cmd_verify->setEnabled(false);
    differences_->setVisible(false);
    // The reads are measured by the unit's whole answer, the write by the records it will send.
    std::vector<std::int64_t> characters;
    for (Phase p : phases) {
        if (p == Phase::Write) {
            Configuration copy = ctx_.ws.cfg;
            characters.push_back(static_cast<std::int64_t>(WriteStream(BuildWritePlan(copy, pcClock(), [this](int n) {
                                                               return ToCp1252(ctx_.ws.text(n));
                                                           })).size()));
        } else {
            characters.push_back(kReadAnswerCharacters);
        }
    }
    job_ = std::move(phases);
    jobIndex_ = 0;
    progress_ = JobProgress(characters);
    runPhase();
}

void FrmSerialIO::runPhase() {
    switch (job_[jobIndex_]) {
    case Phase::Write:
        startWrite();
        break;
    default:
        startRead(job_[jobIndex_]);
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
    progress_.begin(static_cast<int>(jobIndex_), read->charactersExpected());
    showPhase(read->statusText());
    showProgress();
}

void FrmSerialIO::startWrite() {
    transfer_.reset();
    scratch_.reset();
    // The write sends a snapshot, with the unit label and SMS words as the language file holds them (as
    // korvane-cli sends them); the write only reads it, and verify holds the unit against it.
    sending_ = std::make_unique<Configuration>(ctx_.ws.cfg);
    auto texts = [this](int n) { return ToCp1252(ctx_.ws.fileText(n)); };
    auto* write = new WriteTransfer(*link_, *sending_, pcClock(), texts);
    connect(write, &WriteTransfer::bell, this, [this] { ctx_.dialogs.beep(); });
    transfer_.reset(write);
    watch(Phase::Write);
    write->start();
    progress_.begin(static_cast<int>(jobIndex_), write->charactersExpected());
    showPhase(write->statusText());
    showProgress();
}

void FrmSerialIO::watch(Phase phase) {
    phase_ = phase;
    ProgressBar1->setVisible(true);
    if (!busy_) {
        busy_ = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    clock_.start();
    transfer_->setTickInterval(tickMs_);
    connect(transfer_.get(), &Transfer::statusChanged, this, &FrmSerialIO::showPhase);
    connect(transfer_.get(), &Transfer::progressChanged, this, &FrmSerialIO::showProgress);
    connect(transfer_.get(), &Transfer::finished, this, &FrmSerialIO::onFinished, Qt::QueuedConnection);
}

void FrmSerialIO::showPhase(int statusText) {
    if (!jobRunning())
        return; // the outcome is told when the job has ended
    int name = statusText;
    if (phase_ == Phase::Backup)
        name = kTxtPhaseBackup;
    else if (phase_ == Phase::Verify)
        name = kTxtPhaseVerify;
    const QString text = QString::fromStdString(progress_.phasePrefix()) + ctx_.ws.text(name);
    if (Label1->text() != text) {
        Label1->setText(text);
        fitToText();
    }
}

void FrmSerialIO::showProgress() {
    if (!transfer_)
        return;
    progress_.update(transfer_->charactersDone());
    ProgressBar1->setValue(progress_.permille());
    const int seconds = jobRunning() && link_ ? progress_.secondsLeft(link_->lineBytesPerSecond()) : -1;
    Lbl_TimeLeft->setVisible(seconds >= 0);
    if (seconds >= 0)
        Lbl_TimeLeft->setText(
            ctx_.ws.text(kTxtTimeLeft).replace(QLatin1String("%1"), QString::fromStdString(MinutesSeconds(seconds))));
}

void FrmSerialIO::Cmd_verify_Click() {
    if (!written_)
        return;
    if (!link_)
        link_ = links_();
    startJob({Phase::Verify});
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
    Lbl_BackupSaved->setText(ctx_.ws.text(kTxtBackupSaved));
    Lbl_BackupSaved->setVisible(true);
    Lbl_BackupFolder->setFullText(backupFile_);
    fitToText();
    return true;
}

void FrmSerialIO::showDifferences(const QString& heading, bool any) {
    Label1->setText(heading);
    differences_->setVisible(any);
    if (any)
        adjustSize();
    fitToText();
}

void FrmSerialIO::onReadDone() {
    const auto& read = static_cast<const ReadTransfer&>(*transfer_);
    switch (phase_) {
    case Phase::Read: {
        // The unit's configuration is in no file yet: there is something to save.
        ctx_.ws.replace(*scratch_, QStringLiteral("Upload"), Origin::Unit);
        break;
    }
    case Phase::Verify: {
        // Never "exactly" while the unit keeps texts only in part: the verdict names them.
        const Workspace& ws = ctx_.ws;
        const VerifyVerdict verdict = VerdictOfWrite(*written_, read.image());
        differences_->setDifferences(verdict.differences, DiffSides::UnitWritten);
        differences_->setKeptInPart(verdict.keptInPart);
        const TextLookup text = [&ws](int n) { return ToCp1252(ws.text(n)); };
        showDifferences(ws.text(kTxtWriteAccepted) + QLatin1Char('\n') + FromCp1252(VerdictSentence(verdict, text)),
                        !verdict.exact());
        if (ctx_.ws.LastWrite)
            ctx_.ws.LastWrite->verdict = FromCp1252(VerdictSentence(verdict, text));
        break;
    }
    case Phase::Compare: {
        // The configuration in memory held against what the unit holds, as far as a unit keeps it.
        const std::vector<Difference> diffs = CompareWithUnit(ctx_.ws.cfg, read.image());
        const std::vector<Problem> cut = TextsKeptInPart(ctx_.ws.cfg);
        differences_->setDifferences(diffs, DiffSides::Compare);
        differences_->setKeptInPart(cut);
        showDifferences(diffs.empty() ? ctx_.ws.text(kTxtNoDifferences)
                                      : CompareHeading(ctx_.ws, ctx_.ws.text(kTxtUnitValue)),
                        !diffs.empty() || !cut.empty());
        break;
    }
    default:
        break;
    }
}

QString FrmSerialIO::cancelledText() const {
    const QString cancelled = ctx_.ws.text(kTxtCancelled) + QLatin1Char(' ');
    switch (phase_) {
    case Phase::Backup:
        return cancelled + ctx_.ws.text(kTxtNothingWritten);
    case Phase::Write:
        return cancelled + ctx_.ws.text(kTxtWritePartial);
    case Phase::Verify:
        return ctx_.ws.text(kTxtWriteAccepted) + QStringLiteral("\n\n") + ctx_.ws.text(kTxtVerifyCancelled);
    default:
        return cancelled + ctx_.ws.text(kTxtNothingTaken);
    }
}

QString FrmSerialIO::portFailureText() const {
    const PortFailure& f = transfer_->portFailure();
    const QString why = PortFailureText(f, [this](int n) { return ctx_.ws.text(n); });
    if (f.problem != PortProblem::Lost)
        return ctx_.ws.text(kTxtPortError) + QStringLiteral("\n\n") + why;
    // Cut off in the middle: a write may have reached the unit in part.
    return phase_ == Phase::Write ? why + QStringLiteral("\n\n") + ctx_.ws.text(kTxtWritePartial) : why;
}

void FrmSerialIO::onFinished() {
    if (!transfer_)
        return;
    const TransferOutcome outcome = transfer_->outcome();
    const bool more = jobIndex_ + 1 < job_.size();
    if (phase_ == Phase::Backup && outcome == TransferOutcome::Done) {
        QString reason;
        if (saveBackup(reason)) {
            ++jobIndex_;
            runPhase(); // what the unit held is safe: now the write
            return;
        }
        endBusy();
        ProgressBar1->setVisible(false);
        Lbl_TimeLeft->setVisible(false);
        Label1->setText(ctx_.ws.text(kTxtBackupFailed) + QStringLiteral("\n\n") + reason);
        Cmd_ok->setText(QLatin1Char('&') + ctx_.ws.text(kTxtButtonRetry));
        Cmd_ok->setEnabled(true);
        Cmd_cancel->setEnabled(true);
        scratch_.reset();
        fitToText();
        return;
    }
    if (phase_ == Phase::Write && outcome == TransferOutcome::Done) {
        written_ = std::move(sending_); // what the unit now holds, for verify
        const QString device = ctx_.settings.value(kDeviceSetting);
        const QString port = device.isEmpty()                 ? QStringLiteral("Com %1").arg(ctx_.ws.ComPort)
                             : device == QLatin1String("sim") ? ctx_.ws.text(kTxtSimulatedUnit)
                                                              : device;
        ctx_.ws.LastWrite =
            Workspace::WriteRecord{QDateTime::currentDateTime(), port, ctx_.ws.text(kTxtWriteAccepted), *written_};
    }
    sending_.reset();
    if (phase_ == Phase::Write && outcome == TransferOutcome::Done && more) {
        Cmd_verify->setVisible(true); // disabled while it runs
        TransferDone = true;
        ++jobIndex_;
        runPhase(); // the read-back runs now
        return;
    }
    endBusy();
    ProgressBar1->setVisible(false);
    Lbl_TimeLeft->setVisible(false);
    QString status = ctx_.ws.text(transfer_->statusText());
    if (outcome == TransferOutcome::PortError)
        status = portFailureText();
    if (const auto* write = qobject_cast<const WriteTransfer*>(transfer_.get()); write && write->mayHoldPart())
        status += QStringLiteral("\n\n") + ctx_.ws.text(kTxtWritePartial);
    if (phase_ == Phase::Backup && outcome != TransferOutcome::Aborted)
        status += QStringLiteral("\n\n") + ctx_.ws.text(kTxtBackupFailed); // the unit is untouched
    if (phase_ == Phase::Verify && outcome != TransferOutcome::Aborted)
        status = ctx_.ws.text(kTxtWriteAccepted) + QStringLiteral("\n\n") + status; // the write itself stands
    if (outcome == TransferOutcome::Aborted)
        status = cancelledText();
    Label1->setText(status);
    Cmd_ok->setEnabled(true);
    Cmd_cancel->setEnabled(true);
    switch (outcome) {
    case TransferOutcome::Done:
        Cmd_ok->setText(QLatin1Char('&') + ctx_.ws.text(kTxtButtonOk));
        Cmd_cancel->setEnabled(false); // OK closes
        TransferDone = true;
        if (phase_ == Phase::Write) {
            Cmd_verify->setVisible(true);
            Cmd_verify->setEnabled(true);
        } else {
            onReadDone();
            Cmd_verify->setEnabled(phase_ == Phase::Verify);
        }
        break;
    case TransferOutcome::PortError:
        if (transfer_->portFailure().problem != PortProblem::Lost) {
            // The port is the problem, not the unit: OK closes so that another port can be chosen.
            TransferDone = true;
            break;
        }
        [[fallthrough]]; // the connection was lost on the way: Retry once it is back
    default:
        if (phase_ == Phase::Verify) {
            // The unit accepted the write; only the read-back failed or was cancelled: Verify tries again.
            Cmd_ok->setText(QLatin1Char('&') + ctx_.ws.text(kTxtButtonOk));
            Cmd_verify->setEnabled(true);
            break;
        }
        Cmd_ok->setText(QLatin1Char('&') + ctx_.ws.text(kTxtButtonRetry));
        break;
    }
    scratch_.reset();
    fitToText();
}

} // namespace korvane
