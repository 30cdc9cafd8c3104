// read and write: the configuration from and to the master unit over the serial line.

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <iostream>

#include "cli/command_support.h"
#include "io/link/transfers.h"
#include "io/verify.h"
#include "model/text_codec.h"
#include "model/text_ids.h"
#include "sim/simulated_link.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <unistd.h>

namespace korvane::cli {

namespace {

// The event loop the serial transfers run on.
struct TransferLoop {
    int argc = 1;
    char name[12] = "korvane-cli";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
};

// The link of --port DEV, one for the whole command, so that --verify reads back the unit it wrote (the
// simulated unit keeps its memory between transfers).
// "sim:FAULT" is the simulated unit misbehaving as korvane-unitsim --fault FAULT does.
std::unique_ptr<SerialLink> makeLink(const std::string& port) {
    if (port == "sim")
        return std::make_unique<SimulatedLink>(false);
    if (port.rfind("sim:", 0) == 0) {
        const auto fault = UnitFaultFromName(port.substr(4));
        if (!fault)
            throw UsageError{"unknown fault of the simulated unit: " + port.substr(4)};
        return std::make_unique<SimulatedLink>(false, *fault);
    }
    return std::make_unique<SerialPortLink>(PortDevice(QString::fromStdString(port)));
}

// The transfers of the command (a write's backup, the write, its read back): the progress bar runs once
// over all of them.
struct Steps {
    int done = 0;
    int total = 1;
} gSteps;

// Runs a transfer to its end: a progress bar on a terminal, then one line on stderr: the status text
// when it is done, else the reason in plain words. A port's failure names the port, what is wrong with
// it and what to do, and the system's own reason, in the language of the texts; the window's wording
// (its menus, its Retry button) stays out of it.
TransferOutcome runTransfer(Transfer& t, const TextLookup& texts, void (*startIt)(Transfer&)) {
    const bool bar = isatty(STDERR_FILENO) != 0;
    auto textOf = [&](int n) { return Cp1252ToUtf8(texts(n)); };
    QEventLoop loop;
    QObject::connect(&t, &Transfer::finished, &loop, &QEventLoop::quit);
    if (bar)
        QObject::connect(&t, &Transfer::progressChanged, &t, [&](int value, int max) {
            const int width = 30;
            // Within a transfer by the characters through the line: a write's steps each restart value.
            const qint64 expected = t.charactersExpected();
            const double within = expected > 0 ? static_cast<double>(t.charactersDone()) / static_cast<double>(expected)
                                  : max > 0    ? static_cast<double>(value) / max
                                               : 0.0;
            const int filled = static_cast<int>((gSteps.done + std::clamp(within, 0.0, 1.0)) * width / gSteps.total);
            std::cerr << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
                      << std::string(static_cast<std::size_t>(width - filled), '.') << "] " << textOf(t.statusText())
                      << "\x1b[K" << std::flush;
        });
    startIt(t);
    if (t.outcome() == TransferOutcome::Running)
        loop.exec();
    ++gSteps.done;
    if (bar)
        std::cerr << "\r\x1b[K";
    if (t.outcome() == TransferOutcome::Done) {
        const std::string status = textOf(t.statusText());
        if (!status.empty())
            std::cerr << "korvane-cli: " << status << "\n";
        return t.outcome();
    }
    std::string reason = t.reason().toStdString();
    if (t.outcome() == TransferOutcome::PortError) {
        reason =
            PortFailureText(t.portFailure(), [&](int n) { return QString::fromStdString(textOf(n)); }).toStdString();
        // A write cut off on the way may have reached the unit in part.
        if (t.portFailure().problem == PortProblem::Lost && qobject_cast<WriteTransfer*>(&t))
            reason += " " + textOf(kTxtWritePartial);
    }
    if (t.outcome() == TransferOutcome::Declined)
        reason += "; take the data anyway with --accept-newer";
    std::cerr << "korvane-cli: " << reason << "\n";
    return t.outcome();
}

int exitFor(TransferOutcome o) {
    switch (o) {
    case TransferOutcome::Done:
        return kExitOk;
    case TransferOutcome::PortError:
        return kExitPort;
    case TransferOutcome::Refused:
        return kExitRefused;
    case TransferOutcome::Declined:
        return kExitNewer;
    default:
        return kExitNoAnswer;
    }
}

// Reads the unit into `target` (and its image into `image`); the command's exit code.
int readUnit(SerialLink& link, Configuration& target, const TextLookup& texts, bool acceptNewer,
             MemMap* image = nullptr) {
    ReadTransfer read(link, target, [acceptNewer](int) { return acceptNewer; });
    const TransferOutcome o = runTransfer(read, texts, [](Transfer& t) { static_cast<ReadTransfer&>(t).start(); });
    if (image)
        *image = read.image();
    return exitFor(o);
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
    const auto link = makeLink(a.value("--port"));
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
    const auto link = makeLink(a.value("--port"));
    gSteps.total = 1 + int{a.has("--backup")} + int{a.has("--verify")};
    if (a.has("--backup"))
        if (const int code = backupUnit(*link, a.value("--backup"), texts); code != kExitOk)
            return code;
    WriteTransfer write(*link, *cfg, clock, texts);
    write.connect(&write, &WriteTransfer::bell, [] { std::cerr << '\a'; });
    const TransferOutcome o = runTransfer(write, texts, [](Transfer& t) { static_cast<WriteTransfer&>(t).start(); });
    if (o != TransferOutcome::Done || !a.has("--verify"))
        return exitFor(o);

    // Read the unit back and hold what it holds against the configuration as written (the write filled
    // in its derived bytes, clock and SMS entries). A read from an older unit is compared as the unit
    // sent it, so that settings it does not keep show as differences.
    Configuration back;
    EditState state;
    ClearConfiguration(back, state);
    MemMap image{};
    if (const int code = readUnit(*link, back, texts, true, &image); code != kExitOk)
        return code;
    const auto diffs = VerifyWrite(*cfg, image);
    for (const Difference& d : diffs)
        std::cout << VerifyLine(WordDifference(d, texts), texts) << "\n";
    if (diffs.empty())
        return kExitOk;
    std::cerr << "korvane-cli: verify: the unit holds " << diffs.size() << " value(s) other than written\n";
    return kExitDiffers;
}

} // namespace korvane::cli
