#include "io/link/transfers.h"

#include "io/text_ids.h"

namespace korvane {

namespace {
constexpr int kTickMs = 500;
constexpr int kDrainPollMs = 10;
constexpr int kReadFirstTicks = 3; // the first character within 1.5 s of the request
constexpr int kReadTicks = 5;      // then at most 2.5 s between characters
constexpr int kVerdictTicks = 12;  // about 6 s for the unit's verdict
constexpr qint64 kStuckMs = 10000; // 10 s in which the port takes nothing: it is stuck
constexpr int kProgressReadMax = 64;
// Every character restarts the read's time-out, so a line that keeps sending anything but the end
// record would keep a read alive for ever. The whole image is about 37 000 characters, the unit's
// address space up to 0x50FF about 50 000: far more than that is no answer of the unit.
constexpr qint64 kReadCharacterLimit = 200000;
constexpr qint64 kLowWater = 256; // characters kept queued: enough to keep the line busy, few enough
                                  // that an early answer stops the stream within a record or three
} // namespace

Transfer::Transfer(SerialLink& link, QObject* parent) : QObject(parent), link_(link) {
    tick_.setInterval(kTickMs);
    drain_.setInterval(kDrainPollMs);
    connect(&tick_, &QTimer::timeout, this, &Transfer::onTick);
    connect(&drain_, &QTimer::timeout, this, &Transfer::checkDrained);
    connect(&link_, &SerialLink::readyRead, this, [this] {
        if (running())
            onData(link_.readAll());
    });
    connect(&link_, &SerialLink::bytesWritten, this, [this] {
        moved_ = true;
        if (running())
            checkDrained();
    });
    connect(&link_, &SerialLink::failed, this, [this](const QString& why) {
        if (running())
            finish(TransferOutcome::PortError, kTxtPortError, why);
    });
}

void Transfer::begin() {
    started_ = true;
    outcome_ = TransferOutcome::Running;
    reason_.clear();
    counting_ = false;
    countFrom_ = 0;
    moved_ = false;
    sinceMoved_.start();
    lastQueued_ = -1;
}

void Transfer::setStatus(int text) {
    statusText_ = text;
    emit statusChanged(text);
}

void Transfer::setProgress(int value, int max) {
    progress_ = value;
    progressMax_ = max;
    emit progressChanged(value, max);
}

void Transfer::finish(TransferOutcome outcome, int text, const QString& reason) {
    tick_.stop();
    drain_.stop();
    link_.close();
    outcome_ = outcome;
    reason_ = reason;
    setStatus(text);
    emit finished(outcome);
}

void Transfer::abort() {
    if (running())
        finish(TransferOutcome::Aborted, statusText_, QStringLiteral("stopped"));
}

void Transfer::countOnceSent(int ticks) {
    countFrom_ = ticks;
    tick_.start();
    drain_.start();
    checkDrained();
}

void Transfer::checkDrained() {
    onSent();
    if (!running() || countFrom_ == 0 || link_.bytesToWrite() > 0)
        return;
    drain_.stop();
    ticks_ = countFrom_;
    countFrom_ = 0;
    counting_ = true;
    onDrained();
}

void Transfer::onTick() {
    if (!counting_) {
        // Still sending: a port that takes nothing for a long time is stuck.
        const qint64 queued = link_.bytesToWrite();
        if (moved_ || queued < lastQueued_ || queued == 0)
            sinceMoved_.start();
        moved_ = false;
        lastQueued_ = queued;
        if (sinceMoved_.elapsed() > kStuckMs)
            finish(TransferOutcome::PortError, kTxtPortError, QStringLiteral("the port does not send"));
        return;
    }
    if (ticks_ - 1 > 0)
        --ticks_;
    else
        onTimeout();
}

// ---- reading ----

ReadTransfer::ReadTransfer(SerialLink& link, Configuration& target, std::function<bool(int)> takeNewer, QObject* parent)
    : Transfer(link, parent), target_(target), takeNewer_(std::move(takeNewer)), characterLimit_(kReadCharacterLimit) {}

void ReadTransfer::start() {
    begin();
    rx_.reset();
    version_ = 0;
    received_ = 0;
    setStatus(kTxtReading);
    if (!link_.open()) {
        finish(TransferOutcome::PortError, kTxtPortError, link_.errorString());
        return;
    }
    // A port that fails in any of these calls has already finished the transfer.
    link_.clearInput();
    if (!running())
        return;
    setProgress(0, kProgressReadMax);
    link_.write(QByteArray(kReadRequest.data(), static_cast<qsizetype>(kReadRequest.size())));
    if (!running())
        return;
    countOnceSent(kReadFirstTicks);
}

void ReadTransfer::onData(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return;
    for (char c : bytes) {
        if (++received_ > characterLimit_) {
            finish(TransferOutcome::NoAnswer, kTxtNoAnswer,
                   QStringLiteral("the answer goes on far beyond a whole memory image without its end record"));
            return;
        }
        rx_.Put_to_MemMap(static_cast<unsigned char>(c));
        if (rx_.finished())
            break; // the end record is in: what follows is not part of the image
    }
    // Any character restarts the time-out; the request has left the port when the answer comes.
    countFrom_ = 0;
    drain_.stop();
    counting_ = true;
    ticks_ = kReadTicks;
    if (rx_.progress() != progress())
        setProgress(rx_.progress(), kProgressReadMax);
    if (rx_.finished())
        conclude();
}

void ReadTransfer::onTimeout() {
    conclude();
}

void ReadTransfer::conclude() {
    tick_.stop();
    drain_.stop();
    link_.close();
    const ReceiveResult r = rx_.result();
    if (!r.complete) {
        const QString why = r.records == 0 && r.error == kReadOk ? QStringLiteral("the unit did not answer")
                                                                 : QString::fromStdString(r.reason);
        finish(TransferOutcome::NoAnswer, kTxtNoAnswer, why);
        return;
    }
    setProgress(kProgressReadMax, kProgressReadMax);
    setStatus(kTxtDataReceived);
    version_ = UnitFirmwareVersion(rx_.image());
    if (version_ > kUnitVersion && !(takeNewer_ && takeNewer_(version_))) {
        finish(TransferOutcome::Declined, kTxtNoAnswer,
               QStringLiteral("the unit's firmware %1 is newer than %2; its data was not taken")
                   .arg(version_, 4, 16, QLatin1Char('0'))
                   .arg(kUnitVersion, 4, 16, QLatin1Char('0')));
        return;
    }
    TakeReadImage(rx_.image(), target_);
    finish(TransferOutcome::Done, kTxtDataReceived, QString());
}

// ---- writing ----

WriteTransfer::WriteTransfer(SerialLink& link, Configuration& cfg, DeviceClock clock, TextLookup texts, QObject* parent)
    : Transfer(link, parent), cfg_(cfg), clock_(clock), texts_(std::move(texts)) {}

void WriteTransfer::start() {
    begin();
    step_ = record_ = 0;
    stepEntered_ = checkPending_ = early_ = allQueued_ = false;
    answer_.clear();
    sent_.clear();
    bells_ = 0;
    if (!link_.open()) {
        finish(TransferOutcome::PortError, kTxtPortError, link_.errorString());
        return;
    }
    // A port that fails in any of these calls has already finished the transfer.
    link_.setDataTerminalReady(true);
    if (!running())
        return;
    link_.clearInput();
    if (!running())
        return;
    plan_ = BuildWritePlan(cfg_, clock_, texts_);
    setProgress(0, HighestChannelSent(cfg_));
    setStatus(kTxtSendingSetup);
    tick_.start();
    drain_.start();
    pump();
}

void WriteTransfer::onSent() {
    pump();
}

void WriteTransfer::pump() {
    while (running() && !allQueued_ && link_.bytesToWrite() < kLowWater) {
        if (step_ >= plan_.size()) {
            allQueued_ = true;
            countOnceSent(kVerdictTicks);
            return;
        }
        const WriteStep& s = plan_[step_];
        if (checkPending_) {
            // The unit does not answer while it takes records: two characters mean it has given up.
            checkPending_ = false;
            if (answer_.size() >= kEarlyAnswerChars)
                early_ = true;
        }
        const bool skip = early_ && s.checksAnswer;
        if (!stepEntered_ && !skip) {
            stepEntered_ = true;
            if (s.progressMax >= 0)
                setProgress(0, s.progressMax);
            if (s.statusText != 0)
                setStatus(s.statusText);
        }
        if (skip || record_ >= s.records.size()) {
            ++step_;
            record_ = 0;
            stepEntered_ = false;
            continue;
        }
        const PlannedRecord& r = s.records[record_++];
        const QByteArray bytes(r.text.data(), static_cast<qsizetype>(r.text.size()));
        sent_ += bytes;
        link_.write(bytes);
        if (r.progress >= 0)
            setProgress(r.progress, progressMax());
        checkPending_ = s.checksAnswer;
    }
}

void WriteTransfer::onDrained() {
    // The last character has left the port: the unit's verdict is due from now on. After an early
    // answer there is nothing more to wait for.
    if (early_ || answer_.size() >= kVerdictWaitChars) {
        verdict();
        return;
    }
    setStatus(kTxtWaitingForAnswer);
}

void WriteTransfer::onData(const QByteArray& bytes) {
    answer_ += bytes;
    if (counting_ && answer_.size() >= kVerdictWaitChars)
        verdict();
}

void WriteTransfer::onTimeout() {
    verdict();
}

void WriteTransfer::verdict() {
    const UnitAnswer a = ParseVerdict(std::string_view(answer_.constData(), static_cast<std::size_t>(answer_.size())));
    bells_ = a.bells;
    for (int i = 0; i < a.bells; ++i)
        emit bell();
    switch (a.verdict) {
    case Verdict::Accepted:
        finish(TransferOutcome::Done, kTxtWriteAccepted, QString());
        break;
    case Verdict::Error1:
    case Verdict::Error2:
    case Verdict::Error3:
        finish(TransferOutcome::Refused, kTxtWriteRefused,
               QStringLiteral("the unit reported error %1").arg(QLatin1Char(static_cast<char>(a.verdict))));
        break;
    case Verdict::NoAnswer:
        finish(TransferOutcome::NoAnswer, kTxtNoAnswer, QStringLiteral("the unit did not answer the write"));
        break;
    case Verdict::NoVerdict:
        finish(TransferOutcome::NoAnswer, kTxtNoAnswer,
               QStringLiteral("the unit's answer held no verdict (%1 characters)").arg(answer_.size()));
        break;
    }
}

} // namespace korvane
