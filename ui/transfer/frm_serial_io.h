#pragma once
// The serial transfer window (FrmSerialIO): a status line, a progress bar, OK and Cancel. OK starts
// the read or write; after success the same OK closes the window, after a failure it is "Retry" and
// starts the transfer again. The window is modal but never blocks: it is opened with open() and the
// transfer runs on events.
//
// Writing can first save what the unit holds (a backup file) and, after the unit accepted the write,
// read it back and show what it holds other than written (Verify). Comparing reads the unit and shows
// the differences to the configuration in memory without taking anything.

#include <QDialog>
#include <functional>
#include <memory>

#include "app/context.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace korvane {

class DifferenceList;
class SerialLink;
class Transfer;

// Makes the link of one transfer (the port chosen in View > COM port).
using LinkFactory = std::function<std::shared_ptr<SerialLink>()>;
// The link of the current port choice: the setting "ComPortDevice" when set ("sim": the simulated unit,
// one per program run so that it keeps what was written), otherwise the classic port ComPort.
LinkFactory SettingsLinkFactory(AppContext& ctx);

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

    void Cmd_ok_Click();
    void Cmd_cancel_Click();
    void Cmd_verify_Click();

protected:
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // What the current transfer is for.
    enum class Phase { Read, Backup, Write, Verify, Compare };

    void Form_Activate();
    void startTransfer();
    void startRead(Phase phase);
    void startWrite();
    void watch(Phase phase);
    void onFinished();
    void onReadDone();
    bool saveBackup(QString& reason);
    void showDifferences(const QString& heading, bool any);
    void endBusy();

    AppContext& ctx_;
    Tag tag_;
    LinkFactory links_;
    Phase phase_ = Phase::Read;
    bool TransferDone = false;
    int tickMs_ = 500;
    QLabel* Label1 = nullptr;
    QPushButton* Cmd_ok = nullptr;
    QPushButton* Cmd_cancel = nullptr;
    QPushButton* Cmd_verify = nullptr;
    QCheckBox* Chk_Backup = nullptr;
    QCheckBox* Chk_VerifyAfterWrite = nullptr;
    QLabel* Lbl_BackupFolder = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    DifferenceList* differences_ = nullptr;
    std::shared_ptr<SerialLink> link_;
    std::unique_ptr<Configuration> scratch_; // a read fills this; the model only takes it whole
    std::unique_ptr<Configuration> written_; // the configuration as the last write sent it
    QString backupFile_;
    bool busy_ = false; // the wait cursor is shown
    std::unique_ptr<Transfer> transfer_;
};

} // namespace korvane
