#pragma once
// The serial transfers of read and write, run to their end on the command line.

#include <memory>
#include <string>

#include "cli/command_table.h"
#include "io/link/transfers.h"

#include <QCoreApplication>

namespace korvane::cli {

// The event loop the serial transfers run on.
struct TransferLoop {
    int argc = 1;
    char name[12] = "korvane-cli";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
};

// The link of --port DEV: a serial device, com1..com4, "sim" (the simulated unit inside the program)
// or "sim:FAULT" (the simulated unit misbehaving as korvane-unitsim --fault FAULT does).
std::unique_ptr<SerialLink> MakeLink(const std::string& port);

// Runs a transfer to its end: a progress bar on a terminal, then one line on stderr. `startIt` starts it.
TransferOutcome RunTransfer(Transfer& t, const TextLookup& texts, void (*startIt)(Transfer&));

// The exit code of a transfer's outcome.
int ExitFor(TransferOutcome o);

// Reads the unit into `target` (and its image into `image`); the command's exit code.
int ReadUnit(SerialLink& link, Configuration& target, const TextLookup& texts, bool acceptNewer,
             MemMap* image = nullptr);

} // namespace korvane::cli
