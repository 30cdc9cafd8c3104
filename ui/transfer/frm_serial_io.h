#pragma once
// The serial transfer window (FrmSerialIO): a status line, a progress bar, OK and Cancel. OK starts
// the read or write; after success the same OK closes the window, after a failure it is "Retry" and
// starts the transfer again. The window is modal but never blocks: it is opened with open() and the
// transfer runs on events.

#include <QDialog>
#include <functional>
#include <memory>

#include "app/context.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace korvane {

class SerialLink;
class Transfer;

// Makes the link of one transfer (the port chosen in View > COM port).
using LinkFactory = std::function<std::shared_ptr<SerialLink>()>;
// The link of the current port choice: the setting "ComPortDevice" when set ("sim": the simulated unit,
// one per program run so that it keeps what was written), otherwise the classic port ComPort.
LinkFactory SettingsLinkFactory(AppContext& ctx);

class FrmSerialIO : public QDialog {
    Q_OBJECT
public:
    enum class Tag { Read, Write };
    FrmSerialIO(AppContext& ctx, Tag tag, LinkFactory links, QWidget* parent = nullptr);
    ~FrmSerialIO() override;

    Tag tag() const { return tag_; }
    bool transferDone() const { return TransferDone; }
    // Shortens the time-out tick (tests).
    void setTickInterval(int ms) { tickMs_ = ms; }

    void Cmd_ok_Click();
    void Cmd_cancel_Click();

protected:
    void reject() override;

private:
    void Form_Activate();
    void startTransfer();
    void onFinished();
    void endBusy();

    AppContext& ctx_;
    Tag tag_;
    LinkFactory links_;
    bool TransferDone = false;
    int tickMs_ = 500;
    QLabel* Label1 = nullptr;
    QPushButton* Cmd_ok = nullptr;
    QPushButton* Cmd_cancel = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    std::shared_ptr<SerialLink> link_;
    std::unique_ptr<Configuration> scratch_; // a read fills this; the model only takes it whole
    bool busy_ = false;                      // the wait cursor is shown
    std::unique_ptr<Transfer> transfer_;
};

} // namespace korvane
