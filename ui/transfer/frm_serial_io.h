#pragma once
// The serial transfer window (FrmSerialIO): a status line, a progress bar, OK and Cancel. OK starts
// the read or write; after success the same OK closes the window, after a failure it is "Retry" and
// starts the transfer again. The window is modal but never blocks: it is opened with open() and the
// transfer runs on events.
//
// Writing can first save what the unit holds (a backup file) and, after the unit accepted the write,
// read it back and show what it holds other than written (Verify). Comparing reads the unit and shows
// the differences to the configuration in memory without taking anything.
//
// What one press of OK starts is one job (backup -> write -> verify, or a read): one progress bar over
// the whole job, the phase named ("1/3 ..."), the time left at the line rate, and Cancel in every
// phase. Cancel stops the job (what the port still holds is dropped, nothing is taken, the
// configuration stays as it is) and says what state the unit may be in; a backup saved before a
// cancelled write is kept. Every text wraps and the window grows to show it whole.

#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "app/context.h"
#include "io/link/unit_job.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace korvane {

class DifferenceList;
class ElidedLabel;
class SerialLink;

// Makes the link of one transfer (the port chosen in View > COM port).
using LinkFactory = std::function<std::shared_ptr<SerialLink>()>;
// The link of the current port choice: the setting "ComPortDevice" when set ("sim": `simulated`, the
// one simulated unit of the program run, so that it keeps what was written from window to window),
// otherwise the classic port ComPort.
LinkFactory SettingsLinkFactory(AppContext& ctx, std::shared_ptr<SerialLink> simulated);

// The folder the backups before a write go to: "backups" under the per-user data location.
QString BackupFolder();

class FrmSerialIO : public QDialog {
    Q_OBJECT
public:
    enum class Tag { Read, Write, Compare };
    FrmSerialIO(AppContext& ctx, Tag tag, LinkFactory links, QWidget* parent = nullptr);
    ~FrmSerialIO() override;

    Tag tag() const { return tag_; }
    bool transferDone() const { return TransferDone; }
    // Shortens the time-out tick (tests).
    void setTickInterval(int ms) { tickMs_ = ms; }
    // The backup file the last write saved first ("" when none).
    QString backupFile() const { return backupFile_; }

    // Compare holds this configuration (a backup, named so) against the unit instead of the one in
    // memory.
    void setSubject(const Configuration& cfg, const QString& name);
    // How the last job ended.
    JobOutcome lastOutcome() const { return job_ ? job_->outcome() : JobOutcome{}; }
    // True while a job runs: Cancel then stops it.
    bool jobRunning() const;

    void Cmd_ok_Click();
    // Stops the job under way; when none runs, closes the window.
    void Cmd_cancel_Click();
    void Cmd_verify_Click();
    // Saves the record of the check just made (a read-back or a comparison: the workspace's last check)
    // through saveRecord.
    void Cmd_SaveRecord_Click();
    // Saves a record of a check as a PDF file (the main window's printing); unset, no button is shown.
    std::function<void(const Workspace::CheckRecord&)> saveRecord;
    // Opens the folder of the backups (and of the one just saved).
    void Cmd_OpenFolder_Click();

protected:
    // Escape stops a job as Cancel does; with no job it closes the window.
    void reject() override;
    // Closing the window stops the job without asking.
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Form_Activate();
    void startTransfer();
    // Starts the job of these phases, one after the other, on the link of this press.
    void startJob(std::vector<JobPhase> phases);
    void onPhaseEnded(int index);
    void onFinished(JobOutcome outcome);
    void onReadDone(JobPhase phase);
    bool saveBackup(const Configuration& held, QString& reason);
    void showDifferences(const QString& heading, bool any);
    // Keeps what a check found, for its record here and for the site book.
    void keepCheck(bool readBack, const Configuration& checked, const QString& subject, VerifyVerdict found);
    void endBusy();
    // The phase under way, named in the status line with its number in the job.
    void showPhase(int statusText);
    // The progress bar and the time left from what the job has moved.
    void showProgress();
    // The message of a job that ended otherwise than done.
    QString cancelledText(JobPhase phase) const;
    QString portFailureText(const Transfer& t, JobPhase phase) const;
    // The window grows (within the screen) until every label shows its whole text.
    void fitToText();

    AppContext& ctx_;
    Tag tag_;
    LinkFactory links_;
    bool TransferDone = false;
    int tickMs_ = 500;
    QLabel* Lbl_Port = nullptr; // the port the window talks over
    QLabel* Label1 = nullptr;
    QPushButton* Cmd_ok = nullptr;
    QPushButton* Cmd_cancel = nullptr;
    QPushButton* Cmd_verify = nullptr;
    QPushButton* Cmd_SaveRecord = nullptr;
    QCheckBox* Chk_Backup = nullptr;
    QCheckBox* Chk_VerifyAfterWrite = nullptr;
    QLabel* Lbl_BackupSaved = nullptr;
    ElidedLabel* Lbl_BackupFolder = nullptr;
    QPushButton* Cmd_OpenFolder = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Lbl_TimeLeft = nullptr;
    DifferenceList* differences_ = nullptr;
    std::shared_ptr<SerialLink> link_;
    std::unique_ptr<Configuration> written_; // the configuration as the last write sent it
    QTimer clock_;                           // the time left counts down between the transfer's own signals
    QString backupFile_;
    QString backupReason_; // why the backup could not be kept
    QString portName_;     // the port as the user knows it
    std::unique_ptr<Configuration> subject_;
    QString subjectName_;
    bool busy_ = false; // the wait cursor is shown
    std::unique_ptr<UnitJob> job_;
};

} // namespace korvane
