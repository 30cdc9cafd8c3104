#include "ui/transfer/frm_serial_io.h"

#include <QApplication>
#include <QDateTime>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "io/link/serial_link.h"
#include "io/link/simulated_link.h"
#include "io/link/transfers.h"
#include "io/text_ids.h"

namespace korvane {

namespace {

const QString kDeviceSetting = QStringLiteral("ComPortDevice");

DeviceClock pcClock() {
    const QDateTime now = QDateTime::currentDateTime();
    return DeviceClock{now.date().year(),   now.date().month(),  now.date().day(),      now.time().hour(),
                       now.time().minute(), now.time().second(), now.date().dayOfWeek()};
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

FrmSerialIO::FrmSerialIO(AppContext& ctx, Tag tag, LinkFactory links, QWidget* parent)
    : QDialog(parent), ctx_(ctx), tag_(tag), links_(std::move(links)) {
    setObjectName(QStringLiteral("FrmSerialIO"));
    setModal(true);
    setWindowTitle(ctx_.ws.text(tag == Tag::Read ? kTxtMenuRead : kTxtMenuWrite));
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
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Cmd_ok);
    buttons->addWidget(Cmd_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(ProgressBar1);
    layout->addLayout(buttons);
    connect(Cmd_ok, &QPushButton::clicked, this, &FrmSerialIO::Cmd_ok_Click);
    connect(Cmd_cancel, &QPushButton::clicked, this, &FrmSerialIO::Cmd_cancel_Click);
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
    Label1->setText(ctx_.ws.text(kTxtTransferReady));
    ProgressBar1->setValue(0);
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

void FrmSerialIO::startTransfer() {
    Cmd_cancel->setEnabled(false);
    Cmd_ok->setEnabled(false);
    ProgressBar1->setVisible(true);
    if (!busy_) {
        busy_ = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    transfer_.reset();
    link_ = links_();
    if (tag_ == Tag::Read) {
        scratch_ = std::make_unique<Configuration>(ctx_.ws.cfg);
        auto* read = new ReadTransfer(*link_, *scratch_, [this](int) {
            return ctx_.dialogs.ask(this, ctx_.ws.text(kTxtNewerFirmware), QString(), Buttons::YesNo,
                                    MessageIcon::Exclamation) == Answer::Yes;
        });
        transfer_.reset(read);
    } else {
        auto texts = [this](int n) { return ToCp1252(ctx_.ws.text(n)); };
        auto* write = new WriteTransfer(*link_, ctx_.ws.cfg, pcClock(), texts);
        connect(write, &WriteTransfer::bell, this, [this] { ctx_.dialogs.beep(); });
        transfer_.reset(write);
    }
    transfer_->setTickInterval(tickMs_);
    connect(transfer_.get(), &Transfer::statusChanged, this, [this](int text) { Label1->setText(ctx_.ws.text(text)); });
    connect(transfer_.get(), &Transfer::progressChanged, this, [this](int value, int max) {
        ProgressBar1->setMaximum(std::max(max, 1));
        ProgressBar1->setValue(std::clamp(value, 0, std::max(max, 1)));
    });
    connect(transfer_.get(), &Transfer::finished, this, &FrmSerialIO::onFinished, Qt::QueuedConnection);
    if (tag_ == Tag::Read)
        static_cast<ReadTransfer*>(transfer_.get())->start();
    else
        static_cast<WriteTransfer*>(transfer_.get())->start();
}

void FrmSerialIO::onFinished() {
    endBusy();
    if (!transfer_)
        return;
    ProgressBar1->setVisible(false);
    const TransferOutcome outcome = transfer_->outcome();
    Label1->setText(ctx_.ws.text(transfer_->statusText()));
    Cmd_ok->setEnabled(true);
    switch (outcome) {
    case TransferOutcome::Done:
        Cmd_ok->setText(QLatin1Char('&') + ctx_.ws.text(kTxtButtonOk));
        TransferDone = true;
        if (tag_ == Tag::Read) {
            Workspace& ws = ctx_.ws;
            ws.cfg = *scratch_;
            ws.setDataChanged(true);
            ws.forgetHistory(false); // the unit's configuration is in no file yet
            ws.setCurFileName(QStringLiteral("Upload"));
            ws.announceReplaced(); // both windows refill
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
        Cmd_ok->setText(QLatin1Char('&') + ctx_.ws.text(kTxtButtonRetry));
        Cmd_cancel->setEnabled(true);
        break;
    }
    scratch_.reset();
}

} // namespace korvane
