#pragma once
// What the commands of korvane-cli share: loading a file, the language texts, the clock of a write,
// the output of -o, and the handlers the table of commands runs.

#include <optional>
#include <string>

#include "cli/command_table.h"
#include "io/config_file.h"
#include "io/hex_records.h"

namespace korvane::cli {

// The folder of the program, where the default language file is found.
void SetProgramDir(const char* argv0);

// One line "korvane-cli: LINE" on stderr; kExitFailed.
int Fail(const std::string& line);

// Loads a file the way File > Open does: the blank configuration first, then the file.
std::optional<Configuration> LoadForUse(const std::string& path, std::string& error);

// The language texts (unit label, SMS entries, status texts, the words of differences): --language, or
// the English file of the program.
TextLookup ReadTexts(const Arguments& a);

// The date and time a write puts into the unit: --clock, or now.
DeviceClock ClockOption(const Arguments& a);

// The bytes to -o OUT, or to the standard output; the exit code.
int WriteOutput(const Arguments& a, const std::string& bytes);

int RunCheck(const Arguments& a);
int RunConvert(const Arguments& a);
int RunDiff(const Arguments& a);
int RunDump(const Arguments& a);
int RunExportHex(const Arguments& a);
int RunImportHex(const Arguments& a);
int RunMove(const Arguments& a);
int RunPrint(const Arguments& a);
int RunRead(const Arguments& a);
int RunSwap(const Arguments& a);
int RunWrite(const Arguments& a);

} // namespace korvane::cli
