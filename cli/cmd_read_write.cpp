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

// Reads the unit into `target` (and its image into `image`); the command's exit code.
int readUnit(SerialLink& link, Configuration& target, bool acceptNewer, MemMap* image = nullptr) {
    ReadTransfer read(link, target, [acceptNewer](int) { return acceptNewer; });
    const TransferOutcome o = RunTransfer(read, Words(), [](Transfer& t) { static_cast<ReadTransfer&>(t).start(); });
    if (image)
        *image = read.image();
    return ExitFor(o);
}

// Reads what the unit holds and saves it as DIR/<device number>-<date>-<time>.zeb before a write; the
// command's exit code (the unit is untouched when this fails).
int backupUnit(SerialLink& link, const std::string& dir) {
    Configuration held;
    EditState state;
    ClearConfiguration(held, state);
    // A backup keeps whatever the unit holds, also from newer firmware.
    if (const int code = readUnit(link, held, true); code != kExitOk) {
        std::cerr << "korvane-cli: " << Say(kTxtBackupFailed) << "\n";
        return code;
    }
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
        Fail(Say(kTxtBackupFailed) + " (" + saved.message() + ")");
        return kExitFailed;
    }
    std::cerr << "korvane-cli: " << Say(kTxtBackupSaved) << " " << path << "\n";
    return kExitOk;
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
    const int code = readUnit(*link, cfg, a.has("--accept-newer"));
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
    ExpectTransfers(1 + int{a.has("--backup")} + int{a.has("--verify")});
    if (a.has("--backup"))
        if (const int code = backupUnit(*link, a.value("--backup")); code != kExitOk)
            return code;
    WriteTransfer write(*link, *cfg, clock, texts);
    write.connect(&write, &WriteTransfer::bell, [] { std::cerr << '\a'; });
    const TransferOutcome o = RunTransfer(write, Words(), [](Transfer& t) { static_cast<WriteTransfer&>(t).start(); });
    if (o != TransferOutcome::Done || !a.has("--verify"))
        return ExitFor(o);

    // Read the unit back and hold what it holds against the configuration as written (the write filled
    // in its derived bytes, clock and SMS entries). A read from an older unit is compared as the unit
    // sent it, so that settings it does not keep show as differences.
    Configuration back;
    EditState state;
    ClearConfiguration(back, state);
    MemMap image{};
    if (const int code = readUnit(*link, back, true, &image); code != kExitOk)
        return code;
    // The verdict names what the unit keeps only in part: a cut text is no difference, and no success
    // in full either. The differences first, then the verdict as the transfer window gives it, also
    // when all is well.
    const VerifyVerdict verdict = VerdictOfWrite(*cfg, image);
    for (const std::string& line : VerdictLines(verdict, Words()))
        std::cout << line << "\n";
    std::cout.flush();
    std::cerr << "korvane-cli: " << Cp1252ToUtf8(VerdictSentence(verdict, Words())) << "\n";
    return verdict.differences.empty() ? kExitOk : kExitDiffers;
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
    Configuration held;
    EditState state;
    ClearConfiguration(held, state);
    MemMap image{};
    // Comparing only looks at the unit: the data of newer firmware is compared as far as it goes.
    if (const int code = readUnit(*link, held, true, &image); code != kExitOk)
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
