// read and write: the configuration from and to the master unit over the serial line.

#include <ctime>
#include <filesystem>
#include <iostream>

#include "cli/command_support.h"
#include "cli/transfer_runner.h"
#include "io/verify.h"
#include "model/text_codec.h"

namespace korvane::cli {

namespace {

// Reads the unit (one read job); the command's exit code. `read`: the configuration a complete read
// took, `image`: the image as received.
int readUnit(SerialLink& link, JobPhase phase, bool acceptNewer, Configuration* read, MemMap* image = nullptr) {
    UnitJob job(link, {phase});
    job.setTakeNewer([acceptNewer](int) { return acceptNewer; });
    const JobOutcome o = RunJob(job, Words());
    if (read && job.readConfiguration())
        *read = *job.readConfiguration();
    if (image)
        *image = job.image();
    return ExitFor(o);
}

// Keeps what the unit held before a write as DIR/<device number>-<date>-<time>.zeb.
bool keepBackup(const Configuration& held, const std::string& dir, std::string& where) {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    const std::string path =
        (std::filesystem::path(dir) / BackupFileName(held.SysData[kSysDeviceNo], tm.tm_year + 1900, tm.tm_mon + 1,
                                                     tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec))
            .string();
    const FileResult saved = SaveFile(held, path);
    if (!saved.ok()) {
        where = saved.message();
        return false;
    }
    where = path;
    std::cerr << "korvane-cli: " << Say(kTxtBackupSaved) << " " << path << "\n";
    return true;
}

} // namespace

int RunRead(const Arguments& a) {
    a.needPositional(0);
    if (!a.has("--port") || !a.has("-o"))
        throw UsageError{Say(kTxtCliNeeds, {"read", "--port DEV -o OUT.zeb"})};
    TransferLoop loop;
    const auto link = MakeLink(a.value("--port"));
    Configuration cfg;
    EditState state;
    ClearConfiguration(cfg, state);
    const int code = readUnit(*link, JobPhase::Read, a.has("--accept-newer"), &cfg);
    if (code != kExitOk)
        return code;
    const FileResult saved = SaveFile(cfg, OutputPath(a));
    return saved.ok() ? kExitOk : Fail(saved.message());
}

int RunWrite(const Arguments& a) {
    a.needPositional(1);
    if (!a.has("--port"))
        throw UsageError{Say(kTxtCliNeeds, {"write", "--port DEV"})};
    const DeviceClock clock = ClockOption(a);
    TransferLoop loop;
    const TextLookup texts = ReadTexts(a); // the unit's labels and SMS words
    std::string error;
    auto cfg = LoadForUse(a.positional[0], error);
    if (!cfg)
        return Fail(error);
    const auto link = MakeLink(a.value("--port"));
    // Backup -> write -> verify as one job, as the transfer window runs it.
    std::vector<JobPhase> phases;
    if (a.has("--backup"))
        phases.push_back(JobPhase::Backup);
    phases.push_back(JobPhase::Write);
    if (a.has("--verify"))
        phases.push_back(JobPhase::Verify);
    UnitJob job(*link, phases);
    job.setConfiguration(*cfg);
    job.setClock(clock);
    job.setTexts(texts);
    const std::string dir = a.has("--backup") ? a.value("--backup") : std::string();
    job.setBackupKeeper([&dir](const Configuration& held, std::string& where) { return keepBackup(held, dir, where); });
    job.connect(&job, &UnitJob::bell, [] { std::cerr << '\a'; });
    const JobOutcome o = RunJob(job, Words());
    if (o.kind == JobOutcome::Kind::BackupNotSaved) {
        Fail(Say(kTxtBackupFailed) + " (" + job.backupWhere() + ")");
        return kExitFailed;
    }
    if (o.phase == JobPhase::Backup && o.kind != JobOutcome::Kind::Done) {
        std::cerr << "korvane-cli: " << Say(kTxtBackupFailed) << "\n"; // the unit is untouched
        return ExitFor(o);
    }
    if (o.phase != JobPhase::Verify || (o.kind != JobOutcome::Kind::Done && o.kind != JobOutcome::Kind::Differences))
        return ExitFor(o);
    // The unit read back, held against the configuration as written (the write filled in its derived
    // bytes, clock and SMS entries). The verdict names what the unit keeps only in part: a cut text is no
    // difference, and no success in full either. The differences first, then the verdict as the transfer
    // window gives it, also when all is well.
    for (const std::string& line : VerdictLines(job.verdict(), Words()))
        std::cout << line << "\n";
    std::cout.flush();
    std::cerr << "korvane-cli: " << Cp1252ToUtf8(VerdictSentence(job.verdict(), Words())) << "\n";
    return ExitFor(o);
}

int RunCompare(const Arguments& a) {
    a.needPositional(1);
    if (!a.has("--port"))
        throw UsageError{Say(kTxtCliNeeds, {"compare", "--port DEV"})};
    TransferLoop loop;
    std::string error;
    const auto cfg = LoadForUse(a.positional[0], error);
    if (!cfg) {
        Fail(error);
        return kExitUsage; // as diff: a file that cannot be read is never taken for a difference
    }
    const auto link = MakeLink(a.value("--port"));
    MemMap image{};
    // Comparing only looks at the unit: the data of newer firmware is compared as far as it goes.
    if (const int code = readUnit(*link, JobPhase::Compare, true, nullptr, &image); code != kExitOk)
        return code;
    const auto diffs = CompareWithUnit(*cfg, image);
    if (diffs.empty()) {
        std::cerr << "korvane-cli: " << Say(kTxtNoDifferences) << "\n";
        return kExitOk;
    }
    std::cerr << "korvane-cli: " << Say(kTxtCliCompareHeading, {std::to_string(diffs.size()), a.positional[0]}) << "\n";
    for (const Difference& d : diffs)
        std::cout << CompareLine(WordDifference(d, Words())) << "\n";
    return kExitFailed;
}

} // namespace korvane::cli
