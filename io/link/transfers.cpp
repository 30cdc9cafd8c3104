#include "io/link/transfers.h"

#include <algorithm>

#include "model/text_ids.h"

namespace korvane {

namespace {
constexpr int kTickMs = 500;
constexpr int kDrainPollMs = 10;
constexpr int kQuietTicks = 2;         // a second without a character: the line is quiet
constexpr int kQuietGiveUpTicks = 120; // a line that is not quiet within a minute (longer than a whole
                                       // read answer) is not carrying an earlier transfer's answer
constexpr int kReadFirstTicks = 3;     // the first character within 1.5 s of the request
constexpr int kReadTicks = 5;          // then at most 2.5 s between characters
constexpr int kVerdictTicks = 12;      // about 6 s for the unit's verdict
constexpr int kStuckTicks = 20;        // 10 s in which the port takes nothing: it is stuck
constexpr int kProgressReadMax = 64;
// Every character restarts the read's time-out, so a line that keeps sending anything but the end
// record would keep a read alive for ever. The whole image is about 37 000 characters, the unit's
// address space up to 0x50FF about 50 000: far more than that is no answer of the unit.
constexpr qint64 kReadCharacterLimit = 200000;
constexpr qint64 kLowWater = 256; // characters kept in flight: enough to keep the line busy, few enough
                                  // that an early answer stops the stream within a record or three
constexpr qint64 kNsPerSecond = 1000000000;
} // namespace

Transfer::Transfer(SerialLink& link, QObject* parent) : QObject(parent), link_(link), stuckTicks_(kStuckTicks) {
    tick_.setTimerType(Qt::PreciseTimer); // a quiet second is a second
    tick_.setInterval(kTickMs);
    drain_.setInterval(kDrainPollMs);
    connect(&tick_, &QTimer::timeout, this, &Transfer::onTick);
    connect(&drain_, &QTimer::timeout, this, &Transfer::checkDrained);
    connect(&link_, &SerialLink::readyRead, this, [this] {
        if (!running())
            return;
        const QByteArray bytes = link_.readAll();
        if (phase_ != Phase::Quiet) {
            onData(bytes);
        } else if (!bytes.isEmpty()) {
            // An earlier transfer's answer still arriving: dropped, and the quiet second starts again
            // (the tick under way does not count).
            discarded_ += bytes.size();
            quietTicks_ = kQuietTicks + 1;
        }
    });
    connect(&link_, &SerialLink::bytesWritten, this, [this] {
        moved_ = true;
        if (running() && phase_ != Phase::Quiet)
            checkDrained();
    });
    connect(&link_, &SerialLink::failed, this, [this](const QString& why) {
        if (!running())
            return;
        // The port was open: whatever the system says, the connection was lost on the way.
        portFailure_ = link_.failure();
        portFailure_.problem = PortProblem::Lost;
        finish(TransferOutcome::PortError, kTxtConnectionLost, why);
    });
}

bool Transfer::openOnQuietLine(bool handshake) {
    started_ = true;
    outcome_ = TransferOutcome::Running;
    reason_.clear();
    portFailure_ = {};
    phase_ = Phase::Quiet;
    countFrom_ = 0;
    idleTicks_ = 0;
    moved_ = false;
    lastQueued_ = -1;
    discarded_ = 0;
    lineFreeNs_ = 0;
    clock_.start();
    if (!link_.open()) {
        portFailure_ = link_.failure();
        finish(TransferOutcome::PortError, kTxtPortError, link_.errorString());
        return false;
    }
    // A port that fails in any of these calls has already finished the transfer.
    if (handshake)
        link_.setDataTerminalReady(true);
    if (!running())
        return false;
    link_.clearInput();
    if (!running())
        return false;
    quietTicks_ = kQuietTicks;
    quietWaited_ = 0;
    tick_.start();
    return true;
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
    outcome_ = outcome;
    reason_ = reason;
    // The rest of an abandoned stream must not go on reaching the unit.
    if (outcome != TransferOutcome::Done)
        link_.discardOutput();
    closeLine();
    setStatus(text);
    emit finished(outcome);
}

void Transfer::closeLine() {
    tick_.stop();
    drain_.stop();
    link_.close();
}

void Transfer::abort() {
    if (running())
        finish(TransferOutcome::Aborted, statusText_, QStringLiteral("stopped"));
}

qint64 Transfer::lineNs() const {
    const double rate = link_.lineBytesPerSecond();
    return rate > 0 ? static_cast<qint64>(static_cast<double>(kNsPerSecond) / rate) : 0;
}

void Transfer::send(const QByteArray& bytes) {
    // The line carries one character after another: what is sent now goes on the wire once the line
    // has carried everything before it, and no sooner than now.
    lineFreeNs_ = std::max(lineFreeNs_, clock_.nsecsElapsed()) + lineNs() * bytes.size();
    link_.write(bytes);
}

qint64 Transfer::inFlight() const {
    const qint64 perChar = lineNs();
    const qint64 onLine = perChar > 0 ? std::max<qint64>(0, lineFreeNs_ - clock_.nsecsElapsed()) / perChar : 0;
    return std::max(link_.bytesToWrite(), onLine);
}

void Transfer::keepSending() {
    drain_.start();
    checkDrained();
}

void Transfer::countOnceSent(int ticks) {
    countFrom_ = ticks;
    drain_.start();
}

void Transfer::countFromNow(int ticks) {
    countFrom_ = 0;
    drain_.stop();
    phase_ = Phase::Counting;
    ticks_ = ticks;
}

void Transfer::checkDrained() {
    if (!running())
        return;
    onSent();
    if (!running() || countFrom_ == 0)
        return;
    // Neither the port's queue nor the line time of what was sent may say that a character is still
    // on its way: a pseudo-terminal or a USB adapter reports an empty queue seconds too early.
    if (link_.bytesToWrite() > 0 || clock_.nsecsElapsed() < lineFreeNs_)
        return;
    drain_.stop();
    const int ticks = countFrom_;
    countFromNow(ticks);
    tick_.start();
    onDrained();
}

void Transfer::onTick() {
    switch (phase_) {
    case Phase::Quiet:
        if (--quietTicks_ <= 0) {
            phase_ = Phase::Sending;
            onQuiet();
        } else if (++quietWaited_ > kQuietGiveUpTicks) {
            finish(TransferOutcome::NoAnswer, kTxtNoAnswer, QStringLiteral("the line does not fall silent"));
        }
        return;
    case Phase::Sending: {
        // A port that takes nothing for a long time is stuck.
        const qint64 queued = link_.bytesToWrite();
        if (moved_ || queued < lastQueued_ || queued == 0)
            idleTicks_ = 0;
        else
            ++idleTicks_;
        moved_ = false;
        lastQueued_ = queued;
        if (idleTicks_ >= stuckTicks_) {
            portFailure_ = {PortProblem::Lost, link_.failure().device, QStringLiteral("the port does not send")};
            finish(TransferOutcome::PortError, kTxtConnectionLost, QStringLiteral("the port does not send"));
        }
        return;
    }
    case Phase::Counting:
        if (ticks_ - 1 > 0)
            --ticks_;
        else
            onTimeout();
        return;
    }
}

// ---- reading ----

ReadTransfer::ReadTransfer(SerialLink& link, Configuration& target, std::function<bool(int)> takeNewer, QObject* parent)
    : Transfer(link, parent), target_(target), takeNewer_(std::move(takeNewer)), characterLimit_(kReadCharacterLimit) {}

void ReadTransfer::start() {
    rx_.reset();
    version_ = 0;
    received_ = 0;
    setStatus(kTxtReading);
    if (openOnQuietLine(false))
        setProgress(0, kProgressReadMax);
}

void ReadTransfer::onQuiet() {
    send(QByteArray(kReadRequest.data(), static_cast<qsizetype>(kReadRequest.size())));
    if (running())
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
    countFromNow(kReadTicks);
    if (rx_.progress() != progress())
        setProgress(rx_.progress(), kProgressReadMax);
    if (rx_.finished())
        conclude();
}

qint64 ReadTransfer::charactersExpected() const {
    return kReadAnswerCharacters;
}

qint64 ReadTransfer::charactersDone() const {
    if (outcome() == TransferOutcome::Done)
        return kReadAnswerCharacters;
    // The addresses covered tell how far the answer is, whatever the length of the unit's records; the
    // characters received move the count on within a step of 256 addresses.
    auto at = [](int high) { return kReadAnswerCharacters * std::min(high * 256, kReadImageEnd) / kReadImageEnd; };
    return std::clamp(received_, at(rx_.progress()), at(rx_.progress() + 1));
}

void ReadTransfer::onTimeout() {
    conclude();
}

void ReadTransfer::conclude() {
    // The read is over either way: nothing more comes in, and no time-out runs while the user is
    // asked about a newer unit.
    closeLine();
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

WriteTransfer::WriteTransfer(SerialLink& link, const Configuration& cfg, DeviceClock clock, TextLookup texts,
                             QObject* parent)
    : Transfer(link, parent), cfg_(cfg), clock_(clock), texts_(std::move(texts)) {}

void WriteTransfer::start() {
    step_ = record_ = 0;
    stepEntered_ = checkPending_ = early_ = allQueued_ = beforeEndAnswer_ = mayHoldPart_ = false;
    beforeEnd_ = 0;
    answer_.clear();
    sent_.clear();
    bells_ = 0;
    setStatus(kTxtSendingSetup);
    if (!openOnQuietLine(true))
        return;
    plan_ = BuildWritePlan(cfg_, clock_, texts_);
    expected_ = static_cast<qint64>(WriteStream(plan_).size());
    setProgress(0, HighestChannelSent(cfg_));
}

void WriteTransfer::onQuiet() {
    // The plan goes out as the line takes it.
    keepSending();
}

void WriteTransfer::onSent() {
    pump();
}

void WriteTransfer::pump() {
    // Only a few records are ever in flight, whatever the port takes in: an early answer then stops
    // the stream within a record or three, and a failure leaves little to drop.
    while (running() && !allQueued_ && inFlight() < kLowWater) {
        if (step_ >= plan_.size()) {
            endHandedOver();
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
        send(bytes);
        if (r.progress >= 0)
            setProgress(r.progress, progressMax());
        checkPending_ = s.checksAnswer;
        // The end record is out of the program's hands now, however many characters are still before
        // it on the line: an answer that comes from here on may be the verdict.
        if (running() && step_ + 1 == plan_.size() && record_ == s.records.size()) {
            endHandedOver();
            return;
        }
    }
}

void WriteTransfer::endHandedOver() {
    // What the unit sent before cannot be its verdict on this write; a verdict digit among it makes
    // the write fail whatever follows.
    allQueued_ = true;
    beforeEnd_ = answer_.size();
    beforeEndAnswer_ =
        early_ || std::any_of(answer_.begin(), answer_.end(), [](char c) { return c >= '0' && c <= '3'; });
    countOnceSent(kVerdictTicks);
}

qint64 WriteTransfer::charactersDone() const {
    if (outcome() == TransferOutcome::Done)
        return expected_;
    return std::clamp<qint64>(sent_.size() - inFlight(), 0, expected_);
}

void WriteTransfer::onDrained() {
    // The end record is on the wire: the unit's verdict is due from now on. After an early answer
    // there is nothing more to wait for.
    if (early_ || answer_.size() - beforeEnd_ >= kVerdictWaitChars) {
        verdict();
        return;
    }
    setStatus(kTxtWaitingForAnswer);
}

void WriteTransfer::onData(const QByteArray& bytes) {
    answer_ += bytes;
    // A unit whose line runs a little fast may answer just before the line time is over; the answer
    // counts once the end record has been handed to the port.
    if (allQueued_ && !early_ && answer_.size() - beforeEnd_ >= kVerdictWaitChars)
        verdict();
}

void WriteTransfer::onTimeout() {
    verdict();
}

void WriteTransfer::verdict() {
    // The verdict is what the unit sent after the end record; after an early answer it is that answer.
    const QByteArray text = early_ ? answer_ : answer_.mid(beforeEnd_);
    const UnitAnswer a = ParseVerdict(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    bells_ = a.bells;
    for (int i = 0; i < a.bells; ++i)
        emit bell();
    // Characters from the unit while the records were still coming, and no acceptance of this write
    // after them: the unit gave up or restarted on the way and took only the records before. One
    // wording for all of it, whatever came after.
    const bool interrupted = beforeEnd_ > 0 && (a.verdict == Verdict::NoAnswer || a.verdict == Verdict::NoVerdict ||
                                                (a.verdict == Verdict::Accepted && beforeEndAnswer_));
    if (interrupted) {
        mayHoldPart_ = true;
        finish(TransferOutcome::NoAnswer, kTxtAnsweredDuringWrite,
               QStringLiteral("the unit sent characters while the configuration was still being sent, so it did not "
                              "take the write whole"));
        return;
    }
    switch (a.verdict) {
    case Verdict::Accepted:
        if (beforeEndAnswer_) {
            // An answer to an earlier write, or a unit that gave up: this write did not reach it whole.
            finish(TransferOutcome::NoAnswer, kTxtNoAnswer,
                   QStringLiteral("the unit answered before the end record was sent, so the write is not complete"));
            break;
        }
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
