// The serial transfers of read and write as the command line runs them.

#include "cli/transfer_runner.h"

#include <QEventLoop>
#include <algorithm>
#include <iostream>
#include <unistd.h>

#include "cli/command_support.h"
#include "model/text_codec.h"
#include "model/text_ids.h"
#include "sim/simulated_link.h"

namespace korvane::cli {

std::unique_ptr<SerialLink> MakeLink(const std::string& port) {
    if (port == "sim")
        return std::make_unique<SimulatedLink>(false);
    if (port.rfind("sim:", 0) == 0) {
        const auto fault = UnitFaultFromName(port.substr(4));
        if (!fault)
            throw UsageError{Say(kTxtCliUnknownFault, {port.substr(4)})};
        return std::make_unique<SimulatedLink>(false, *fault);
    }
    return std::make_unique<SerialPortLink>(PortDevice(QString::fromStdString(port)));
}

namespace {

// How many of the command's transfers are done, of how many.
struct Steps {
    int done = 0;
    int total = 1;
} gSteps;

} // namespace

void ExpectTransfers(int total) {
    gSteps = Steps{0, total};
}

TransferOutcome RunTransfer(Transfer& t, const TextLookup& texts, void (*startIt)(Transfer&)) {
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
    // What went wrong in the language, the transfer's own account of it in brackets.
    const std::string detail = t.reason().isEmpty() ? std::string() : " (" + t.reason().toStdString() + ")";
    std::string reason = t.reason().toStdString();
    if (t.outcome() == TransferOutcome::NoAnswer)
        reason = Say(kTxtCliNoAnswer) + detail;
    else if (t.outcome() == TransferOutcome::Refused)
        reason = Say(kTxtCliRefused) + detail;
    else if (t.outcome() == TransferOutcome::Declined)
        reason = Say(kTxtCliNewerDeclined) + detail;
    if (t.outcome() == TransferOutcome::PortError) {
        reason =
            PortFailureText(t.portFailure(), [&](int n) { return QString::fromStdString(textOf(n)); }).toStdString();
        // A write cut off on the way may have reached the unit in part.
        if (t.portFailure().problem == PortProblem::Lost && qobject_cast<WriteTransfer*>(&t))
            reason += " " + textOf(kTxtWritePartial);
    }
    if (const auto* write = qobject_cast<const WriteTransfer*>(&t); write && write->mayHoldPart())
        reason += " " + textOf(kTxtWritePartial);
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

} // namespace korvane::cli
