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
int readUnit(SerialLink& link, Configuration& target, const TextLookup& texts, bool acceptNewer,
             MemMap* image = nullptr) {
    ReadTransfer read(link, target, [acceptNewer](int) { return acceptNewer; });
    const TransferOutcome o = RunTransfer(read, texts, [](Transfer& t) { static_cast<ReadTransfer&>(t).start(); });
    if (image)
        *image = read.image();
    return ExitFor(o);
}

// Reads what the unit holds and saves it as DIR/<device number>-<date>-<time>.zeb before a write; the
// command's exit code (the unit is untouched when this fails).
int backupUnit(SerialLink& link, const std::string& dir, const TextLookup& texts) {
    Configuration held;
    EditState state;
    ClearConfiguration(held, state);
    // A backup keeps whatever the unit holds, also from newer firmware.
    if (const int code = readUnit(link, held, texts, true); code != kExitOk) {
        std::cerr << "korvane-cli: the unit could not be read for the backup; nothing was written\n";
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
        Fail(saved.message() + "; nothing was written");
        return kExitFailed;
    }
    std::cerr << "korvane-cli: the unit's configuration was saved as " << path << "\n";
    return kExitOk;
}

} // namespace

int RunRead(const Arguments& a) {
    a.needPositional(0);
    if (!a.has("--port") || !a.has("-o"))
        throw UsageError{"read needs --port DEV and -o OUT.zeb"};
    TransferLoop loop;
    const TextLookup texts = ReadTexts(a);
    const auto link = MakeLink(a.value("--port"));
    Configuration cfg;
    EditState state;
    ClearConfiguration(cfg, state);
    const int code = readUnit(*link, cfg, texts, a.has("--accept-newer"));
    if (code != kExitOk)
        return code;
    const FileResult saved = SaveFile(cfg, a.value("-o"));
    return saved.ok() ? kExitOk : Fail(saved.message());
}

int RunWrite(const Arguments& a) {
    a.needPositional(1);
    if (!a.has("--port"))
        throw UsageError{"write needs --port DEV"};
    const DeviceClock clock = ClockOption(a);
    TransferLoop loop;
    const TextLookup texts = ReadTexts(a);
    std::string error;
    auto cfg = LoadForUse(a.positional[0], error);
    if (!cfg)
        return Fail(error);
    const auto link = MakeLink(a.value("--port"));
    ExpectTransfers(1 + int{a.has("--backup")} + int{a.has("--verify")});
    if (a.has("--backup"))
        if (const int code = backupUnit(*link, a.value("--backup"), texts); code != kExitOk)
            return code;
    WriteTransfer write(*link, *cfg, clock, texts);
    write.connect(&write, &WriteTransfer::bell, [] { std::cerr << '\a'; });
    const TransferOutcome o = RunTransfer(write, texts, [](Transfer& t) { static_cast<WriteTransfer&>(t).start(); });
    if (o != TransferOutcome::Done || !a.has("--verify"))
        return ExitFor(o);

    // Read the unit back and hold what it holds against the configuration as written (the write filled
    // in its derived bytes, clock and SMS entries). A read from an older unit is compared as the unit
    // sent it, so that settings it does not keep show as differences.
    Configuration back;
    EditState state;
    ClearConfiguration(back, state);
    MemMap image{};
    if (const int code = readUnit(*link, back, texts, true, &image); code != kExitOk)
        return code;
    // The verdict names what the unit keeps only in part: a cut text is no difference, and no success
    // in full either.
    const VerifyVerdict verdict = VerdictOfWrite(*cfg, image);
    if (!verdict.exact())
        std::cout << Cp1252ToUtf8(VerdictSentence(verdict, texts)) << "\n";
    for (const std::string& line : VerdictLines(verdict, texts))
        std::cout << line << "\n";
    if (verdict.differences.empty())
        return kExitOk;
    std::cerr << "korvane-cli: verify: the unit holds " << verdict.differences.size()
              << " value(s) other than written\n";
    return kExitDiffers;
}

} // namespace korvane::cli
