#pragma once
// One job on the serial line, as the transfer window and the command line run it: a read (File > Read,
// Compare with the unit), or a write with its backup read before and its read-back after (backup ->
// write -> verify). The job runs its phases one after the other on one link, gives one progress over
// all of them, can be cancelled in every phase, hands the backup to whoever keeps it and ends with one
// outcome. Nothing here waits in a loop: start() returns at once, finished() tells the outcome.

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "io/link/transfers.h"
#include "io/transfer_job.h"
#include "io/verify.h"

namespace korvane {

enum class JobPhase {
    Read,    // File > Read: a complete image is taken into the configuration read
    Backup,  // what the unit holds before a write, handed to the backup keeper
    Write,   // the configuration goes to the unit
    Verify,  // the unit read back and held against what was written
    Compare, // the unit read to be held against the configuration in memory; nothing is taken
};

struct JobOutcome {
    enum class Kind {
        Running,
        Done,           // every phase went through (a verify found the unit as written)
        Cancelled,      // stopped by the user in `phase`
        PortError,      // the port cannot be opened or failed in `phase`
        NoAnswer,       // no, too little or a damaged answer in `phase`
        UnitError,      // the unit answered the write with an error digit
        Declined,       // the unit's firmware is newer and the user did not take its data
        BackupNotSaved, // the backup was read but could not be kept: nothing was written
        Differences,    // the unit accepted the write but holds something else than was written
    };
    Kind kind = Kind::Running;
    JobPhase phase = JobPhase::Read; // the phase the job ended in
    bool operator==(const JobOutcome&) const = default;
};

// "done", "cancelled in write", ...: the outcome in the words of tests and logs (not for the user).
std::string OutcomeName(const JobOutcome& o);
const char* PhaseName(JobPhase p);

class UnitJob : public QObject {
    Q_OBJECT
public:
    // Keeps the configuration the backup read found; false with the reason when it could not. `where`
    // takes the file it went to, or the reason.
    using BackupKeeper = std::function<bool(const Configuration& held, std::string& where)>;

    UnitJob(SerialLink& link, std::vector<JobPhase> phases, QObject* parent = nullptr);
    ~UnitJob() override;

    // The configuration to write; for a job that only verifies, the one that was written.
    void setConfiguration(const Configuration& cfg) { cfg_ = std::make_unique<Configuration>(cfg); }
    // What File > Read starts from (the parts a read does not take stay as they are).
    void setReadBase(const Configuration& cfg) { readBase_ = std::make_unique<Configuration>(cfg); }
    void setClock(DeviceClock clock) { clock_ = clock; }
    // The unit label and SMS words the write sends.
    void setTexts(TextLookup texts) { texts_ = std::move(texts); }
    // Asked for File > Read when the unit's firmware is newer; the other reads take what the unit holds.
    void setTakeNewer(std::function<bool(int)> ask) { takeNewer_ = std::move(ask); }
    void setBackupKeeper(BackupKeeper keep) { keepBackup_ = std::move(keep); }
    void setTickInterval(int ms) { tickMs_ = ms; }

    void start();
    // Stops the phase under way: what the port still holds is dropped, nothing is taken; the job has
    // finished (cancelled) when this returns.
    void cancel();
    bool running() const { return outcome_.kind == JobOutcome::Kind::Running && started_; }

    const std::vector<JobPhase>& phases() const { return phases_; }
    int phaseIndex() const { return static_cast<int>(index_); }
    JobPhase phase() const { return phases_[index_]; }
    // The transfer of the phase under way, or of the last one once the job has ended.
    Transfer* transfer() const { return transfer_.get(); }
    // How far the whole job is, in thousandths, and the seconds it still needs at this line rate.
    int permille();
    int secondsLeft(double charactersPerSecond);
    std::string phasePrefix() const { return progress_.phasePrefix(); }
    JobOutcome outcome() const { return outcome_; }

    // The configuration File > Read took (a complete, sound image), else null.
    const Configuration* readConfiguration() const { return taken_.get(); }
    // The image of the last read phase.
    const MemMap& image() const { return image_; }
    // The configuration as the unit accepted it, once the write went through.
    const Configuration* written() const { return written_.get(); }
    // The verdict of the read-back.
    const VerifyVerdict& verdict() const { return verdict_; }
    // The backup file, or why it could not be kept.
    const std::string& backupWhere() const { return backupWhere_; }

signals:
    void phaseStarted(int index);
    void statusChanged(int text);
    void progressChanged();
    // The phase's transfer has ended (transfer() tells how); the job goes on or finishes.
    void phaseEnded(int index);
    void finished(JobOutcome outcome);
    void bell();

private:
    void runPhase();
    void onTransferFinished();
    void finish(JobOutcome::Kind kind);

    SerialLink& link_;
    std::vector<JobPhase> phases_;
    std::size_t index_ = 0;
    std::unique_ptr<Configuration> cfg_;
    std::unique_ptr<Configuration> readBase_;
    std::unique_ptr<Configuration> scratch_;
    std::unique_ptr<Configuration> taken_;
    std::unique_ptr<Configuration> written_;
    DeviceClock clock_{};
    TextLookup texts_;
    std::function<bool(int)> takeNewer_;
    BackupKeeper keepBackup_;
    int tickMs_ = 500;
    bool started_ = false;
    bool begun_ = false; // the progress counts the phase under way
    JobProgress progress_;
    JobOutcome outcome_;
    MemMap image_{};
    VerifyVerdict verdict_;
    std::string backupWhere_;
    std::unique_ptr<Transfer> transfer_;
    std::unique_ptr<Transfer> ended_; // a finished transfer is deleted only once its signal has returned
};

} // namespace korvane
