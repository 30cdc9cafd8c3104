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

    // The time-out tick, 500 ms (tests shorten it).
    void setTickInterval(int ms) { tick_.setInterval(ms); }
    bool running() const { return outcome_ == TransferOutcome::Running && started_; }
    TransferOutcome outcome() const { return outcome_; }
    // The language text of the current status.
    int statusText() const { return statusText_; }
    // What went wrong, in plain English, for the command line ("" when done).
    QString reason() const { return reason_; }
    int progress() const { return progress_; }
    int progressMax() const { return progressMax_; }
    // Stops a running transfer: the port is closed, nothing is taken.
    void abort();

signals:
    void statusChanged(int text);
    void progressChanged(int value, int max);
    void finished(TransferOutcome outcome);

protected:
    void begin();
    void setStatus(int text);
    void setProgress(int value, int max);
    void finish(TransferOutcome outcome, int text, const QString& reason);
    // Starts counting `ticks` time-out ticks once every queued character has left the port.
    void countOnceSent(int ticks);
    virtual void onData(const QByteArray& bytes) = 0;
    virtual void onTimeout() = 0;
    virtual void onSent() {}
    // Every queued character has left the port and the time-out count has begun.
    virtual void onDrained() {}

    SerialLink& link_;
    QTimer tick_;
    QTimer drain_; // short polls while characters are still on their way out
    int ticks_ = 0;
    bool counting_ = false;
    int countFrom_ = 0;

private:
    void onTick();
    void checkDrained();

    bool started_ = false;
    TransferOutcome outcome_ = TransferOutcome::Running;
    int statusText_ = 0;
    QString reason_;
    int progress_ = 0;
    int progressMax_ = 0;
    qint64 lastQueued_ = -1;
    bool moved_ = false; // the port took characters since the last tick
    QElapsedTimer sinceMoved_;
};

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

protected:
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
// early, and reads the unit's verdict once the last character has left the port.
class WriteTransfer : public Transfer {
    Q_OBJECT
public:
    // The plan is built when the transfer starts; it changes the configuration as a write does
    // (derived bytes, clock bytes, SMS entries 9..15).
    WriteTransfer(SerialLink& link, Configuration& cfg, DeviceClock clock, TextLookup texts, QObject* parent = nullptr);
    void start();
    // The bells in the unit's answer (each one beeps).
    int bells() const { return bells_; }
    // Every character queued for the unit so far.
    const QByteArray& sent() const { return sent_; }
    // True once the unit answered during the record stream.
    bool answeredEarly() const { return early_; }

signals:
    void bell();

protected:
    void onData(const QByteArray& bytes) override;
    void onTimeout() override;
    void onSent() override;
    void onDrained() override;

private:
    void pump();
    void verdict();

    Configuration& cfg_;
    DeviceClock clock_;
    TextLookup texts_;
    std::vector<WriteStep> plan_;
    std::size_t step_ = 0;
    std::size_t record_ = 0;
    bool stepEntered_ = false;
    bool checkPending_ = false;
    bool early_ = false;
    bool allQueued_ = false;
    QByteArray answer_;
    QByteArray sent_;
    int bells_ = 0;
};

} // namespace korvane
