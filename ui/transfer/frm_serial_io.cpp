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
#include "ui/transfer/frm_backups.h"

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
    Lbl_Port = new QLabel(this);
    Lbl_Port->setObjectName(QStringLiteral("Lbl_Port"));
    Lbl_Port->setTextFormat(Qt::PlainText);
    Lbl_Port->setWordWrap(true);
    Lbl_Port->setTextInteractionFlags(Qt::TextSelectableByMouse);
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
    Cmd_SaveRecord = new QPushButton(this);
    Cmd_SaveRecord->setObjectName(QStringLiteral("Cmd_SaveRecord"));
    Cmd_SaveRecord->setVisible(false);
    differences_ = new DifferenceList(ctx_, this);
    differences_->setVisible(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Cmd_SaveRecord);
    buttons->addStretch();
    buttons->addWidget(Cmd_verify);
    buttons->addWidget(Cmd_ok);
    buttons->addWidget(Cmd_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Lbl_Port);
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
        // Only where a file manager can show the folder; the path beside it can always be copied.
        Cmd_OpenFolder->setVisible(FileManagerExists());
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
    connect(Cmd_SaveRecord, &QPushButton::clicked, this, &FrmSerialIO::Cmd_SaveRecord_Click);
    clock_.setInterval(kClockMs);
    connect(&clock_, &QTimer::timeout, this, &FrmSerialIO::showProgress);
    Form_Activate();
}

FrmSerialIO::~FrmSerialIO() {
    job_.reset(); // a job under way stops: what the port still holds is dropped
    endBusy();    // closed in the middle of a transfer: the finish never reaches this window
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
    Cmd_SaveRecord->setText(ctx_.ws.menuText(kTxtRecordSave));
    Label1->setText(ctx_.ws.text(kTxtTransferReady));
    portName_ = ShownPortName(ctx_);
    const QString portIs = ctx_.ws.text(kTxtPortIs);
    Lbl_Port->setText(portIs.contains(QLatin1String("%1")) ? QString(portIs).replace(QLatin1String("%1"), portName_)
                                                           : portIs + QLatin1Char(' ') + portName_);
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
    return job_ && job_->running();
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
        job_->cancel();
        return;
    }
    QDialog::reject();
}

void FrmSerialIO::closeEvent(QCloseEvent* event) {
    if (jobRunning())
        job_->cancel();
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
    int help = kHelpTransferWindow; // connecting, ports, backup and verify
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
        else if (name == QLatin1String("Cmd_SaveRecord"))
            help = kHelpRecord;
        else
            continue;
        break;
    }
    ShowHelp(ctx_, this, help, windowTitle());
    event->accept();
}

void FrmSerialIO::startTransfer() {
    std::vector<JobPhase> phases;
    switch (tag_) {
    case Tag::Read:
        phases = {JobPhase::Read};
        break;
    case Tag::Compare:
        phases = {JobPhase::Compare};
        break;
    case Tag::Write:
        backupFile_.clear();
        Lbl_BackupSaved->setVisible(false);
        Lbl_BackupFolder->setFullText(BackupFolder());
        if (Chk_Backup->isChecked())
            phases.push_back(JobPhase::Backup);
        phases.push_back(JobPhase::Write);
        if (Chk_VerifyAfterWrite->isChecked())
            phases.push_back(JobPhase::Verify);
        break;
    }
    Cmd_verify->setVisible(false);
    link_ = links_(); // one link for everything this press does: backup, write and verify see the same unit
    startJob(std::move(phases));
}

void FrmSerialIO::startJob(std::vector<JobPhase> phases) {
    Cmd_ok->setEnabled(false);
    Cmd_cancel->setEnabled(true); // every phase can be cancelled
    Cmd_verify->setEnabled(false);
    differences_->setVisible(false);
    job_.reset();
    const bool verifyOnly = phases.front() == JobPhase::Verify;
    job_ = std::make_unique<UnitJob>(*link_, std::move(phases));
    // The write sends a snapshot, with the unit label and SMS words as the language file holds them (as
    // korvane-cli sends them); verify holds the unit against it.
    job_->setConfiguration(verifyOnly && written_ ? *written_ : ctx_.ws.cfg);
    job_->setReadBase(ctx_.ws.cfg);
    job_->setClock(pcClock());
    job_->setTexts([this](int n) { return ToCp1252(ctx_.ws.fileText(n)); });
    job_->setTakeNewer([this](int) {
        return ctx_.dialogs.ask(this, ctx_.ws.text(kTxtNewerFirmware), QString(), Buttons::YesNo,
                                MessageIcon::Exclamation) == Answer::Yes;
    });
    job_->setBackupKeeper([this](const Configuration& held, std::string& where) {
        const bool kept = saveBackup(held, backupReason_);
        if (kept)
            NoteBackupPort(backupFile_, portName_); // the backups list names it
        where = (kept ? backupFile_ : backupReason_).toStdString();
        return kept;
    });
    job_->setTickInterval(tickMs_);
    connect(job_.get(), &UnitJob::statusChanged, this, &FrmSerialIO::showPhase);
    connect(job_.get(), &UnitJob::progressChanged, this, &FrmSerialIO::showProgress);
    connect(job_.get(), &UnitJob::phaseEnded, this, &FrmSerialIO::onPhaseEnded);
    connect(job_.get(), &UnitJob::finished, this, &FrmSerialIO::onFinished);
    connect(job_.get(), &UnitJob::bell, this, [this] { ctx_.dialogs.beep(); });
    ProgressBar1->setVisible(true);
    if (!busy_) {
        busy_ = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    clock_.start();
    job_->start();
}

void FrmSerialIO::setSubject(const Configuration& cfg, const QString& name) {
    subject_ = std::make_unique<Configuration>(cfg);
    subjectName_ = name;
    setWindowTitle(windowTitle() + QStringLiteral(" - ") + name);
}

void FrmSerialIO::showPhase(int statusText) {
    if (!jobRunning())
        return; // the outcome is told when the job has ended
    int name = statusText;
    if (job_->phase() == JobPhase::Backup)
        name = kTxtPhaseBackup;
    else if (job_->phase() == JobPhase::Verify)
        name = kTxtPhaseVerify;
    const QString text = QString::fromStdString(job_->phasePrefix()) + ctx_.ws.text(name);
    if (Label1->text() != text) {
        Label1->setText(text);
        fitToText();
    }
}

void FrmSerialIO::showProgress() {
    if (!job_)
        return;
    ProgressBar1->setValue(job_->permille());
    const int seconds = jobRunning() && link_ ? job_->secondsLeft(link_->lineBytesPerSecond()) : -1;
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
    startJob({JobPhase::Verify});
}

bool FrmSerialIO::saveBackup(const Configuration& held, QString& reason) {
    const QString folder = BackupFolder();
    if (!QDir().mkpath(folder)) {
        reason = folder;
        return false;
    }
    const QDateTime now = QDateTime::currentDateTime();
    const std::string name =
        BackupFileName(held.SysData[kSysDeviceNo], now.date().year(), now.date().month(), now.date().day(),
                       now.time().hour(), now.time().minute(), now.time().second());
    const QString path = QDir(folder).filePath(QString::fromStdString(name));
    const FileResult saved = korvane::SaveFile(held, LocalPath(path));
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

void FrmSerialIO::onReadDone(JobPhase phase) {
    switch (phase) {
    case JobPhase::Read:
        // The unit's configuration is in no file yet: there is something to save.
        if (job_->readConfiguration())
            ctx_.ws.replace(*job_->readConfiguration(), QStringLiteral("Upload"), Origin::Unit);
        break;
    case JobPhase::Verify: {
        // Never "exactly" while the unit keeps texts only in part: the verdict names them.
        const Workspace& ws = ctx_.ws;
        const VerifyVerdict& verdict = job_->verdict();
        differences_->setDifferences(verdict.differences, DiffSides::UnitWritten);
        differences_->setKeptInPart(verdict.keptInPart);
        const TextLookup text = [&ws](int n) { return ToCp1252(ws.text(n)); };
        showDifferences(ws.text(kTxtWriteAccepted) + QLatin1Char('\n') + FromCp1252(VerdictSentence(verdict, text)),
                        !verdict.exact());
        if (ctx_.ws.LastWrite)
            ctx_.ws.LastWrite->verdict = FromCp1252(VerdictSentence(verdict, text));
        keepCheck(true, *written_, ctx_.ws.documentName(), verdict);
        break;
    }
    case JobPhase::Compare: {
        // The configuration in memory held against what the unit holds, as far as a unit keeps it.
        const Configuration& ours = subject_ ? *subject_ : ctx_.ws.cfg;
        const QString oursName = subject_ ? subjectName_ : ctx_.ws.text(kTxtThisConfiguration);
        const std::vector<Difference> diffs = CompareWithUnit(ours, job_->image());
        const std::vector<Problem> cut = TextsKeptInPart(ours);
        differences_->setDifferences(diffs, DiffSides::Compare);
        differences_->setColumns(oursName, ctx_.ws.text(kTxtInTheUnit));
        differences_->setKeptInPart(cut);
        showDifferences(diffs.empty() ? ctx_.ws.text(kTxtNoDifferences)
                                      : oursName + QStringLiteral(" \u2194 ") + ctx_.ws.text(kTxtInTheUnit),
                        !diffs.empty() || !cut.empty());
        keepCheck(false, ours, subject_ ? subjectName_ : ctx_.ws.documentName(), VerifyVerdict{0, 0, diffs, cut});
        break;
    }
    default:
        break;
    }
}

void FrmSerialIO::keepCheck(bool readBack, const Configuration& checked, const QString& subject, VerifyVerdict found) {
    ctx_.ws.LastCheck =
        Workspace::CheckRecord{QDateTime::currentDateTime(), portName_, readBack, subject, std::move(found), checked};
    Cmd_SaveRecord->setVisible(static_cast<bool>(saveRecord));
}

void FrmSerialIO::Cmd_SaveRecord_Click() {
    if (ctx_.ws.LastCheck && saveRecord)
        saveRecord(*ctx_.ws.LastCheck);
}

QString FrmSerialIO::cancelledText(JobPhase phase) const {
    const QString cancelled = ctx_.ws.text(kTxtCancelled) + QLatin1Char(' ');
    switch (phase) {
    case JobPhase::Backup:
        return cancelled + ctx_.ws.text(kTxtNothingWritten);
    case JobPhase::Write:
        return cancelled + ctx_.ws.text(kTxtWritePartial);
    case JobPhase::Verify:
        return ctx_.ws.text(kTxtWriteAccepted) + QStringLiteral("\n\n") + ctx_.ws.text(kTxtVerifyCancelled);
    default:
        return cancelled + ctx_.ws.text(kTxtNothingTaken);
    }
}

QString FrmSerialIO::portFailureText(const Transfer& t, JobPhase phase) const {
    const PortFailure& f = t.portFailure();
    const QString why = PortFailureText(f, [this](int n) { return ctx_.ws.text(n); });
    if (f.problem != PortProblem::Lost)
        return ctx_.ws.text(kTxtPortError) + QStringLiteral("\n\n") + why;
    // Cut off in the middle: a write may have reached the unit in part.
    return phase == JobPhase::Write ? why + QStringLiteral("\n\n") + ctx_.ws.text(kTxtWritePartial) : why;
}

void FrmSerialIO::onPhaseEnded(int index) {
    const JobPhase phase = job_->phases()[static_cast<std::size_t>(index)];
    if (phase != JobPhase::Write || job_->transfer()->outcome() != TransferOutcome::Done)
        return;
    written_ = std::make_unique<Configuration>(*job_->written()); // what the unit now holds, for verify
    // The last write of this configuration, for the site book's cover; a verify adds its verdict.
    ctx_.ws.LastWrite =
        Workspace::WriteRecord{QDateTime::currentDateTime(), portName_, ctx_.ws.text(kTxtWriteAccepted), *written_};
    if (index + 1 < static_cast<int>(job_->phases().size())) {
        Cmd_verify->setVisible(true); // disabled while the read-back runs
        TransferDone = true;
    }
}

void FrmSerialIO::onFinished(JobOutcome outcome) {
    using Kind = JobOutcome::Kind;
    endBusy();
    ProgressBar1->setVisible(false);
    Lbl_TimeLeft->setVisible(false);
    Cmd_ok->setEnabled(true);
    Cmd_cancel->setEnabled(true);
    const JobPhase phase = outcome.phase;
    if (outcome.kind == Kind::BackupNotSaved) {
        Label1->setText(ctx_.ws.text(kTxtBackupFailed) + QStringLiteral("\n\n") + backupReason_);
        Cmd_ok->setText(QLatin1Char('&') + ctx_.ws.text(kTxtButtonRetry));
        fitToText();
        return;
    }
    const Transfer& t = *job_->transfer();
    QString status = ctx_.ws.text(t.statusText());
    if (outcome.kind == Kind::PortError)
        status = portFailureText(t, phase);
    if (const auto* write = qobject_cast<const WriteTransfer*>(&t); write && write->mayHoldPart())
        status += QStringLiteral("\n\n") + ctx_.ws.text(kTxtWritePartial);
    if (phase == JobPhase::Backup && outcome.kind != Kind::Cancelled)
        status += QStringLiteral("\n\n") + ctx_.ws.text(kTxtBackupFailed); // the unit is untouched
    if (phase == JobPhase::Verify && outcome.kind != Kind::Cancelled)
        status = ctx_.ws.text(kTxtWriteAccepted) + QStringLiteral("\n\n") + status; // the write itself stands
    if (outcome.kind == Kind::Cancelled)
        status = cancelledText(phase);
    Label1->setText(status);
    switch (outcome.kind) {
    case Kind::Done:
    case Kind::Differences:
        Cmd_ok->setText(QLatin1Char('&') + ctx_.ws.text(kTxtButtonOk));
        Cmd_cancel->setEnabled(false); // OK closes
        TransferDone = true;
        if (phase == JobPhase::Write) {
            Cmd_verify->setVisible(true);
            Cmd_verify->setEnabled(true);
        } else {
            onReadDone(phase);
            Cmd_verify->setEnabled(phase == JobPhase::Verify);
        }
        break;
    default:
        // One rule after every job that did not go through: the unit holds what it held before or only
        // part of the write, so OK is Retry (the whole job again, once the port or the unit is put right)
        // and Cancel closes. Only a failed or cancelled read-back leaves a write that stands: OK closes
        // and Verify tries the read-back again.
        if (phase == JobPhase::Verify) {
            Cmd_ok->setText(QLatin1Char('&') + ctx_.ws.text(kTxtButtonOk));
            Cmd_verify->setEnabled(true);
            break;
        }
        Cmd_ok->setText(QLatin1Char('&') + ctx_.ws.text(kTxtButtonRetry));
        break;
    }
    fitToText();
}

} // namespace korvane
