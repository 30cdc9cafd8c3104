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

// One line on stderr for a transfer that has ended.
void tell(const Transfer& t, const TextLookup& texts) {
    auto textOf = [&](int n) { return Cp1252ToUtf8(texts(n)); };
    if (t.outcome() == TransferOutcome::Done) {
        const std::string status = textOf(t.statusText());
        if (!status.empty())
            std::cerr << "korvane-cli: " << status << "\n";
        return;
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
    const auto* write = qobject_cast<const WriteTransfer*>(&t);
    if (t.outcome() == TransferOutcome::PortError) {
        reason =
            PortFailureText(t.portFailure(), [&](int n) { return QString::fromStdString(textOf(n)); }).toStdString();
        // A write cut off on the way may have reached the unit in part.
        if (t.portFailure().problem == PortProblem::Lost && write)
            reason += " " + textOf(kTxtWritePartial);
    }
    if (write && write->mayHoldPart())
        reason += " " + textOf(kTxtWritePartial);
    std::cerr << "korvane-cli: " << reason << "\n";
}

} // namespace

JobOutcome RunJob(UnitJob& job, const TextLookup& texts) {
    const bool bar = isatty(STDERR_FILENO) != 0;
    QEventLoop loop;
    QObject::connect(&job, &UnitJob::finished, &loop, &QEventLoop::quit);
    if (bar)
        QObject::connect(&job, &UnitJob::progressChanged, &job, [&] {
            const int width = 30;
            const int filled = std::clamp(job.permille(), 0, 1000) * width / 1000;
            const std::string status = job.transfer() ? Cp1252ToUtf8(texts(job.transfer()->statusText())) : "";
            std::cerr << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
                      << std::string(static_cast<std::size_t>(width - filled), '.') << "] " << status << "\x1b[K"
                      << std::flush;
        });
    QObject::connect(&job, &UnitJob::phaseEnded, &job, [&](int) {
        if (bar)
            std::cerr << "\r\x1b[K";
        tell(*job.transfer(), texts);
    });
    job.start();
    if (job.running())
        loop.exec();
    return job.outcome();
}

int ExitFor(JobOutcome o) {
    switch (o.kind) {
    case JobOutcome::Kind::Done:
        return kExitOk;
    case JobOutcome::Kind::PortError:
        return kExitPort;
    case JobOutcome::Kind::UnitError:
        return kExitRefused;
    case JobOutcome::Kind::Declined:
        return kExitNewer;
    case JobOutcome::Kind::Differences:
        return kExitDiffers;
    case JobOutcome::Kind::BackupNotSaved:
        return kExitFailed;
    default:
        return kExitNoAnswer;
    }
}

} // namespace korvane::cli
