#pragma once
// The serial transfers of read and write as the command line runs them: the event loop they need, the
// link of --port, and one transfer run to its end with a progress bar and its outcome on stderr.

#include <QCoreApplication>
#include <memory>
#include <string>

#include "io/link/unit_job.h"
#include "model/vocabulary.h"

namespace korvane::cli {

// The event loop the serial transfers run on.
struct TransferLoop {
    int argc = 1;
    char name[12] = "korvane-cli";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
};

// The link of --port DEV: "sim" is the simulated unit, "sim:FAULT" the simulated unit misbehaving as
// korvane-unitsim --fault FAULT does. One link serves the whole command, so that --verify reads back
// the unit it wrote (the simulated unit keeps its memory between transfers).
std::unique_ptr<SerialLink> MakeLink(const std::string& port);

// Runs a job to its end: a progress bar over the whole job on a terminal, and for each of its
// transfers one line on stderr: the status text when it is done, else the reason in plain words. A
// port's failure names the port, what is wrong with it and what to do, and the system's own reason, in
// the language of the texts; the window's wording (its menus, its Retry button) stays out of it.
JobOutcome RunJob(UnitJob& job, const TextLookup& texts);

// The command's exit code for a transfer's outcome.
int ExitFor(JobOutcome o);

} // namespace korvane::cli
