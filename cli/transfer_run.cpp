#include "cli/transfer_run.h"

#include <algorithm>
#include <iostream>

#include "model/text_codec.h"
#include "model/text_ids.h"
#include "sim/simulated_link.h"

#include <QEventLoop>
#include <unistd.h>

namespace korvane::cli {

// One link for the whole command, so that --verify reads back the unit it wrote (the simulated unit
// keeps its memory between transfers).
std::unique_ptr<SerialLink> MakeLink(const std::string& port) {
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

// The line on stderr at the end: the status text when it is done, else the reason in plain words. A
// port's failure names the port, what is wrong with it and what to do, and the system's own reason, in
// the language of the texts; the window's wording (its menus, its Retry button) stays out of it.
TransferOutcome RunTransfer(Transfer& t, const TextLookup& texts, void (*startIt)(Transfer&)) {
    const bool bar = isatty(STDERR_FILENO) != 0;
    auto textOf = [&](int n) { return Cp1252ToUtf8(texts(n)); };
    QEventLoop loop;
    QObject::connect(&t, &Transfer::finished, &loop, &QEventLoop::quit);
    if (bar)
        QObject::connect(&t, &Transfer::progressChanged, &t, [&](int value, int max) {
            const int width = 30;
            const int filled = max > 0 ? std::clamp(value * width / max, 0, width) : 0;
            std::cerr << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
                      << std::string(static_cast<std::size_t>(width - filled), '.') << "] " << textOf(t.statusText())
                      << "\x1b[K" << std::flush;
        });
    startIt(t);
    if (t.outcome() == TransferOutcome::Running)
        loop.exec();
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

int ExitFor(TransferOutcome o) {
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

int ReadUnit(SerialLink& link, Configuration& target, const TextLookup& texts, bool acceptNewer, MemMap* image) {
    ReadTransfer read(link, target, [acceptNewer](int) { return acceptNewer; });
    const TransferOutcome o = RunTransfer(read, texts, [](Transfer& t) { static_cast<ReadTransfer&>(t).start(); });
    if (image)
        *image = read.image();
    return ExitFor(o);
}

} // namespace korvane::cli
