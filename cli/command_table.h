#pragma once
// The commands of korvane-cli: one table (name, usage, summary, options, what runs it) from which the
// program's --help, each command's --help, the parsing of its arguments and the dispatch are made.

#include <map>
#include <string>
#include <vector>

namespace korvane::cli {

// Exit codes of every command.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1; // the work failed (the reason is on stderr), or the answer is no
constexpr int kExitUsage = 2;  // wrong use of the command line
// read and write
constexpr int kExitPort = 3;     // the port cannot be opened or failed during the transfer
constexpr int kExitNoAnswer = 4; // no answer, an incomplete or damaged image, or no verdict
constexpr int kExitRefused = 5;  // the unit reported an error in the data
constexpr int kExitDiffers = 6;  // --verify: the unit holds something else than was written
constexpr int kExitNewer = 7;    // the unit's firmware is newer and --accept-newer was not given
// print
constexpr int kExitNothingToPrint = 8;
// check: the unit would cut or lose part of the configuration, or some of it cannot work
constexpr int kExitProblems = 9;

// Wrong use of a command: the message goes to stderr with a pointer to the command's --help.
struct UsageError {
    std::string message;
};

struct Option {
    const char* label;        // as the help lists it, the option's name first: "--port DEV", "-o OUT"
    bool takesValue;          // "--clock" takes one even where its label does not show it
    const char* help;         // lines after the first are indented under it; nullptr: not listed
    std::string name() const; // the label's first word
};

// The arguments of one command once parsed: positional ones, and the options given (a flag with an
// empty value). A value is the argument's bytes as given.
struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options; // by name: "--clock", "-o"

    bool has(const std::string& name) const { return options.count(name) != 0; }
    const std::string& value(const std::string& name) const { return options.at(name); }
    std::string valueOr(const std::string& name, const std::string& fallback) const {
        return has(name) ? value(name) : fallback;
    }
    // Exactly n positional arguments, else a UsageError.
    void needPositional(std::size_t n) const;
};

struct Command {
    const char* name;
    const char* synopsis; // the usage after "korvane-cli NAME "
    const char* summary;  // the line of the program's --help
    const char* about;    // the help before the options
    std::vector<Option> options;
    const char* closing; // the help after the options (exit codes)
    int (*run)(const Arguments&);
};

// Every command, in the order of the program's --help.
const std::vector<Command>& Commands();

// The text of `korvane-cli NAME --help`.
std::string HelpText(const Command& command);

// Parses the arguments after the command's name; a UsageError for an unknown option or a missing value.
Arguments ParseArguments(const Command& command, const std::vector<std::string>& args);

} // namespace korvane::cli
