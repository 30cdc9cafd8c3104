#pragma once
// Reading the master unit's memory and writing a configuration to it, as event-driven objects: the
// link's readyRead feeds the receiver byte by byte, a timer counts the time-out in ticks of 500 ms,
// and the write plan goes out record by record as the port takes it. Nothing here waits in a loop:
// start() returns at once and finished() tells the outcome. The transfer window and the command line
// drive the same objects.

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <vector>

#include "io/hex_records.h"
#include "io/link/serial_link.h"
#include "io/mem_map.h"

namespace korvane {

enum class TransferOutcome {
    Running,
    Done,      // read: the image was taken into the configuration; write: the unit accepted it
    PortError, // the port could not be opened, or failed during the transfer
    NoAnswer,  // nothing, too little, an incomplete or damaged image, or no verdict
    Refused,   // the unit answered the write with an error digit
    Declined,  // the unit's firmware is newer and the user chose not to take its data
    Aborted,   // stopped by the program (the window was closed)
};

class Transfer : public QObject {
    Q_OBJECT
public:
    explicit Transfer(SerialLink& link, QObject* parent = nullptr);

    // The time-out tick, 500 ms. Every wait of a transfer is a number of ticks, so a shorter tick
    // shortens them all alike (tests).
    void setTickInterval(int ms) { tick_.setInterval(ms); }
    // Ticks in which the port takes no character before it counts as stuck: 20, ten seconds.
    void setStuckTicks(int ticks) { stuckTicks_ = ticks; }
    bool running() const { return outcome_ == TransferOutcome::Running && started_; }
    TransferOutcome outcome() const { return outcome_; }
    // The language text of the current status.
    int statusText() const { return statusText_; }
    // What went wrong, in plain English, for the command line ("" when done).
    QString reason() const { return reason_; }
    // Why the port failed (outcome PortError): it could not be opened, or it was lost on the way.
    const PortFailure& portFailure() const { return portFailure_; }
    // The characters the whole transfer moves over the line, as far as it can tell beforehand, and
    // those through the line so far: the progress of a job and the time it still needs.
    virtual qint64 charactersExpected() const { return 0; }
    virtual qint64 charactersDone() const { return 0; }
    int progress() const { return progress_; }
    int progressMax() const { return progressMax_; }
    // Characters that arrived before the line had been quiet and were thrown away.
    qint64 discarded() const { return discarded_; }
    // Stops a running transfer: what has not been sent is dropped, the port is closed, nothing is taken.
    void abort();

signals:
    void statusChanged(int text);
    void progressChanged(int value, int max);
    void finished(TransferOutcome outcome);

protected:
    // Opens the port, clears its input and waits until the line has been quiet for a second (what
    // arrives meanwhile is an earlier transfer's and is dropped); then onQuiet(). False when the
    // transfer has already ended (the port cannot be opened or failed).
    bool openOnQuietLine(bool handshake);
    void setStatus(int text);
    void setProgress(int value, int max);
    void finish(TransferOutcome outcome, int text, const QString& reason);
    // Stops the timers and closes the port; the outcome is still to come.
    void closeLine();
    // Queues characters for the unit and notes the time the line needs for them.
    void send(const QByteArray& bytes);
    // Characters sent that are not yet through the line, as far as the port and the line time tell.
    qint64 inFlight() const;
    // Calls onSent() whenever the port or the line may take more, until the transfer ends.
    void keepSending();
    // Starts counting `ticks` time-out ticks once the last character is on the wire: the port
    // reports nothing queued and the line time of everything sent has passed.
    void countOnceSent(int ticks);
    // Counts `ticks` time-out ticks from now.
    void countFromNow(int ticks);
    virtual void onQuiet() = 0;
    virtual void onData(const QByteArray& bytes) = 0;
    virtual void onTimeout() = 0;
    virtual void onSent() {}
    // The last character is on the wire and the time-out count has begun.
    virtual void onDrained() {}

    SerialLink& link_;

private:
    enum class Phase { Quiet, Sending, Counting };
    void onTick();
    void checkDrained();
    qint64 lineNs() const;

    QTimer tick_;
    QTimer drain_; // short polls while characters are still on their way out
    Phase phase_ = Phase::Quiet;
    int ticks_ = 0;
    int countFrom_ = 0; // ticks to count once everything is sent; 0: none
    int quietTicks_ = 0;
    int quietWaited_ = 0;
    int stuckTicks_;
    int idleTicks_ = 0;
    bool started_ = false;
    TransferOutcome outcome_ = TransferOutcome::Running;
    int statusText_ = 0;
    QString reason_;
    PortFailure portFailure_;
    int progress_ = 0;
    int progressMax_ = 0;
    qint64 discarded_ = 0;
    qint64 lastQueued_ = -1;
    bool moved_ = false;    // the port took characters since the last tick
    QElapsedTimer clock_;   // since the transfer started
    qint64 lineFreeNs_ = 0; // when the line has carried everything sent, on clock_
};

// The characters of the unit's answer to a read as the simulated unit sends it (32 data bytes a
// record over 0x0000..0x3BFF, then the end record): the measure of a read in the progress of a job.
constexpr qint64 kReadAnswerCharacters = (kReadImageEnd / 32) * (1 + 2 * (4 + 32 + 1) + 2) + 13;

// File > Read: sends the read request, assembles the answer and takes a complete, sound image into
// the target configuration. The target is untouched by every other outcome.
class ReadTransfer : public Transfer {
    Q_OBJECT
public:
    // takeNewer: asked with the unit's version when it is newer than kUnitVersion; true takes the data.
    ReadTransfer(SerialLink& link, Configuration& target, std::function<bool(int)> takeNewer,
                 QObject* parent = nullptr);
    void start();
    // The most characters a read takes before it gives up (tests lower it).
    void setCharacterLimit(qint64 limit) { characterLimit_ = limit; }
    int unitVersion() const { return version_; }
    // The image as received (complete or not).
    const MemMap& image() const { return rx_.image(); }
    qint64 charactersExpected() const override;
    qint64 charactersDone() const override;

protected:
    void onQuiet() override;
    void onData(const QByteArray& bytes) override;
    void onTimeout() override;

private:
    void conclude();

    Configuration& target_;
    std::function<bool(int)> takeNewer_;
    MemMapReceiver rx_;
    int version_ = 0;
    qint64 received_ = 0;
    qint64 characterLimit_;
};

// File > Write: sends the write plan step by step, stops the checked steps when the unit answers
// early, and reads the unit's verdict once the last character is on the wire. Only a "0" that comes
// after the end record makes the write accepted.
class WriteTransfer : public Transfer {
    Q_OBJECT
public:
    // The plan is built when the transfer starts, from the configuration as it is then; the write only
    // reads it (what it derives, the clock and the SMS entries it fills in go into the records).
    WriteTransfer(SerialLink& link, const Configuration& cfg, DeviceClock clock, TextLookup texts,
                  QObject* parent = nullptr);
    void start();
    // The bells in the unit's answer (each one beeps).
    int bells() const { return bells_; }
    // Every character queued for the unit so far.
    const QByteArray& sent() const { return sent_; }
    // True once the unit answered during the record stream.
    bool answeredEarly() const { return early_; }
    // True when the unit answered, or a verdict digit arrived, before the end record was handed to
    // the port: such a write is never taken as accepted.
    bool answeredBeforeEnd() const { return beforeEndAnswer_; }
    // True when the write failed after the unit had taken some of its records: the unit may now hold
    // part of the new configuration (a line cut off on the way is the port's failure, PortProblem::Lost).
    bool mayHoldPart() const { return mayHoldPart_; }
    qint64 charactersExpected() const override { return expected_; }
    qint64 charactersDone() const override;

signals:
    void bell();

protected:
    void onQuiet() override;
    void onData(const QByteArray& bytes) override;
    void onTimeout() override;
    void onSent() override;
    void onDrained() override;

private:
    void pump();
    // The end record has been handed to the port: from now on the unit's answer is its verdict.
    void endHandedOver();
    void verdict();

    const Configuration& cfg_;
    DeviceClock clock_;
    TextLookup texts_;
    std::vector<WriteStep> plan_;
    std::size_t step_ = 0;
    std::size_t record_ = 0;
    bool stepEntered_ = false;
    bool checkPending_ = false;
    bool early_ = false;
    bool allQueued_ = false;
    bool beforeEndAnswer_ = false;
    bool mayHoldPart_ = false;
    qsizetype beforeEnd_ = 0; // characters of the answer that came before the end record was handed to the port
    QByteArray answer_;
    QByteArray sent_;
    qint64 expected_ = 0;
    int bells_ = 0;
};

} // namespace korvane
