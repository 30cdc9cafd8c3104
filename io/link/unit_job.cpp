#include "io/link/unit_job.h"

namespace korvane {

const char* PhaseName(JobPhase p) {
    switch (p) {
    case JobPhase::Read:
        return "read";
    case JobPhase::Backup:
        return "backup";
    case JobPhase::Write:
        return "write";
    case JobPhase::Verify:
        return "verify";
    case JobPhase::Compare:
        return "compare";
    }
    return "?";
}

std::string OutcomeName(const JobOutcome& o) {
    const std::string in = std::string(" in ") + PhaseName(o.phase);
    switch (o.kind) {
    case JobOutcome::Kind::Running:
        return "running";
    case JobOutcome::Kind::Done:
        return "done";
    case JobOutcome::Kind::Cancelled:
        return "cancelled" + in;
    case JobOutcome::Kind::PortError:
        return "port error" + in;
    case JobOutcome::Kind::NoAnswer:
        return "no answer" + in;
    case JobOutcome::Kind::UnitError:
        return "unit error" + in;
    case JobOutcome::Kind::Declined:
        return "declined" + in;
    case JobOutcome::Kind::BackupNotSaved:
        return "backup not saved";
    case JobOutcome::Kind::Differences:
        return "differences";
    }
    return "?";
}

namespace {

Configuration blank() {
    Configuration cfg;
    EditState state;
    ClearConfiguration(cfg, state);
    return cfg;
}

} // namespace

UnitJob::UnitJob(SerialLink& link, std::vector<JobPhase> phases, QObject* parent)
    : QObject(parent), link_(link), phases_(std::move(phases)) {}

UnitJob::~UnitJob() {
    if (transfer_)
        transfer_->abort();
}

void UnitJob::start() {
    started_ = true;
    outcome_ = JobOutcome{};
    index_ = 0;
    taken_.reset();
    if (!cfg_)
        cfg_ = std::make_unique<Configuration>(blank());
    // The reads are measured by the unit's whole answer, the write by the records it will send.
    std::vector<std::int64_t> characters;
    for (JobPhase p : phases_)
        characters.push_back(p == JobPhase::Write
                                 ? static_cast<std::int64_t>(WriteStream(BuildWritePlan(*cfg_, clock_, texts_)).size())
                                 : kReadAnswerCharacters);
    progress_ = JobProgress(characters);
    if (phases_.empty()) {
        finish(JobOutcome::Kind::Done);
        return;
    }
    runPhase();
}

void UnitJob::runPhase() {
    begun_ = false; // the new transfer counts from nothing until the progress knows its phase
    if (transfer_)
        ended_ = std::move(transfer_);
    const JobPhase p = phases_[index_];
    if (p == JobPhase::Write) {
        auto* write = new WriteTransfer(link_, *cfg_, clock_, texts_);
        connect(write, &WriteTransfer::bell, this, &UnitJob::bell);
        transfer_.reset(write);
    } else {
        // File > Read may take the image into the configuration; the other reads only look at the unit.
        scratch_ = std::make_unique<Configuration>(p == JobPhase::Read && readBase_ ? *readBase_ : blank());
        std::function<bool(int)> take = [](int) { return true; }; // a backup keeps whatever the unit holds
        if (p == JobPhase::Read && takeNewer_)
            take = takeNewer_;
        transfer_ = std::make_unique<ReadTransfer>(link_, *scratch_, take);
    }
    Transfer* t = transfer_.get();
    t->setTickInterval(tickMs_);
    connect(t, &Transfer::statusChanged, this, &UnitJob::statusChanged);
    connect(t, &Transfer::progressChanged, this, &UnitJob::progressChanged);
    // Queued: the transfer is done with its own signal before the job moves on (and may delete it).
    connect(t, &Transfer::finished, this, &UnitJob::onTransferFinished, Qt::QueuedConnection);
    emit phaseStarted(static_cast<int>(index_));
    if (p == JobPhase::Write)
        static_cast<WriteTransfer*>(t)->start();
    else
        static_cast<ReadTransfer*>(t)->start();
    progress_.begin(static_cast<int>(index_), t->charactersExpected());
    begun_ = true;
    emit statusChanged(t->statusText());
    emit progressChanged();
}

void UnitJob::cancel() {
    if (!running() || !transfer_)
        return;
    // The job has ended when cancel returns: a window may close at once.
    transfer_->abort();
    emit phaseEnded(static_cast<int>(index_));
    if (running())
        finish(JobOutcome::Kind::Cancelled);
}

int UnitJob::permille() {
    if (outcome_.kind == JobOutcome::Kind::Done || outcome_.kind == JobOutcome::Kind::Differences)
        return 1000; // every phase went through
    if (transfer_ && running() && begun_)
        progress_.update(transfer_->charactersDone());
    return progress_.permille();
}

int UnitJob::secondsLeft(double charactersPerSecond) {
    if (!running())
        return -1;
    permille();
    return progress_.secondsLeft(charactersPerSecond);
}

void UnitJob::finish(JobOutcome::Kind kind) {
    outcome_ = JobOutcome{kind, phases_.empty() ? JobPhase::Read : phases_[index_]};
    scratch_.reset();
    emit finished(outcome_);
}

void UnitJob::onTransferFinished() {
    if (!transfer_ || outcome_.kind != JobOutcome::Kind::Running)
        return;
    ended_.reset();
    const JobPhase p = phases_[index_];
    const TransferOutcome o = transfer_->outcome();
    if (o == TransferOutcome::Done && p != JobPhase::Write)
        image_ = static_cast<const ReadTransfer&>(*transfer_).image();
    if (o == TransferOutcome::Done && p == JobPhase::Write)
        written_ = std::make_unique<Configuration>(*cfg_); // what the unit now holds, for verify
    if (o == TransferOutcome::Done && p == JobPhase::Read)
        taken_ = std::move(scratch_);
    if (o == TransferOutcome::Done && p == JobPhase::Verify)
        verdict_ = VerdictOfWrite(*cfg_, image_);
    emit phaseEnded(static_cast<int>(index_));
    if (outcome_.kind != JobOutcome::Kind::Running)
        return; // the phase's watcher ended the job
    switch (o) {
    case TransferOutcome::Done:
        break;
    case TransferOutcome::PortError:
        return finish(JobOutcome::Kind::PortError);
    case TransferOutcome::Refused:
        return finish(JobOutcome::Kind::UnitError);
    case TransferOutcome::Declined:
        return finish(JobOutcome::Kind::Declined);
    case TransferOutcome::Aborted:
        return finish(JobOutcome::Kind::Cancelled);
    default:
        return finish(JobOutcome::Kind::NoAnswer);
    }
    if (p == JobPhase::Backup) {
        // What the unit held is kept before anything is written; where it cannot be, nothing is.
        backupWhere_.clear();
        if (keepBackup_ && !keepBackup_(*scratch_, backupWhere_))
            return finish(JobOutcome::Kind::BackupNotSaved);
    }
    if (index_ + 1 < phases_.size()) {
        ++index_;
        runPhase();
        return;
    }
    finish(p == JobPhase::Verify && !verdict_.differences.empty() ? JobOutcome::Kind::Differences
                                                                  : JobOutcome::Kind::Done);
}

} // namespace korvane
