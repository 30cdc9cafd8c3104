#pragma once
// What the commands of korvane-cli share: loading a file, the language texts, the clock of a write,
// the output of -o, and the handlers the table of commands runs.

#include <optional>
#include <string>
#include <vector>

#include "cli/command_table.h"
#include "io/config_file.h"
#include "io/hex_records.h"
#include "model/text_ids.h"

namespace korvane::cli {

// The folder of the program, where the default language file is found.
void SetProgramDir(const char* argv0);

// One line "korvane-cli: LINE" on stderr; kExitFailed.
int Fail(const std::string& line);

// Loads a file the way File > Open does: the blank configuration first, then the file.
std::optional<Configuration> LoadForUse(const std::string& path, std::string& error);

// The folder of the program.
const std::string& ProgramDir();

// The language file of --language GIVEN (a code, a language's name as its file names it, or a file's
// path), or without it the environment's language (LC_ALL, LC_MESSAGES, LANG), English where none
// matches. An unknown name is a UsageError that names the choices.
std::string LanguageFileFor(const std::optional<std::string>& given);
// Makes the file the command's language; LanguageError() tells why it cannot be used ("" when it can).
void UseLanguage(const std::string& file);
const std::string& LanguageError();

// The language file's own texts, as they go to the unit (its labels and SMS words); a failure (exit 1)
// when the file cannot be used.
TextLookup ReadTexts(const Arguments& a);
// The texts of the lines for a person: the language's, English where it lacks one.
const TextLookup& Words();
// Text n of the language in UTF-8, with %1, %2 ... replaced by the arguments (UTF-8).
std::string Say(int text, const std::vector<std::string>& args = {});

// The date and time a write puts into the unit: --clock, or now.
DeviceClock ClockOption(const Arguments& a);

// The file of -o OUT; "-" is the standard output, written where it stands (as /dev/stdout, /dev/stderr
// and /dev/fd/N are).
std::string OutputPath(const Arguments& a);

// The bytes to -o OUT, or to the standard output; the exit code.
int WriteOutput(const Arguments& a, const std::string& bytes);

int RunCheck(const Arguments& a);
int RunCompare(const Arguments& a);
int RunConvert(const Arguments& a);
int RunDiff(const Arguments& a);
int RunDump(const Arguments& a);
int RunExportCsv(const Arguments& a);
int RunExportHex(const Arguments& a);
int RunImportCsv(const Arguments& a);
int RunImportHex(const Arguments& a);
int RunMove(const Arguments& a);
int RunPrint(const Arguments& a);
int RunRead(const Arguments& a);
int RunSwap(const Arguments& a);
int RunWrite(const Arguments& a);

} // namespace korvane::cli
