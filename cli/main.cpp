// korvane-cli: the configuration files and the unit's records from the command line, without a
// window. Exit codes: 0 done, 1 the work failed (the reason is on stderr), 2 wrong use; diff and
// compare answer as diff(1) does, and read, write and print add their own (the table in --help).

#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/command_support.h"

namespace {

using namespace korvane;
using namespace korvane::cli;

void printUsage(std::ostream& out) {
    out << "usage: korvane-cli COMMAND [ARGUMENTS]\n\ncommands:\n";
    for (const Command& command : Commands()) {
        std::string padded = command.name;
        padded.resize(12, ' ');
        out << "  " << padded << command.summary << "\n";
    }
    out << "\nkorvane-cli COMMAND --help shows the arguments of a command. Every command takes --language LANG\n"
           "(en, de, da, a language's name or a language file); without it the language of LC_ALL,\n"
           "LC_MESSAGES or LANG is spoken, else English.\n"
           "\nexit codes:\n"
           "  0  done; check: the file loads and has no problems; diff, compare: equal\n"
           "  1  the work failed (the reason is on stderr); diff, compare: different\n"
           "  2  wrong use of the command line; diff, compare: a file cannot be read\n"
           "  3  read, write, compare: the port cannot be opened or failed during the transfer\n"
           "  4  read, write, compare: no answer, an incomplete or damaged answer, or no verdict\n"
           "  5  write: the unit reported an error in the data\n"
           "  6  write --verify: the unit holds other values than written\n"
           "  7  read: the unit's firmware is newer and --accept-newer was not given\n"
           "  8  print: nothing to print (no file is written)\n"
           "  9  check: the file has problems (the unit would cut part of it, or some of it cannot work)\n";
}

// The value of --language among the command's arguments (also "--language=X" and "-language X"), up
// to the "--" that ends the options.
std::optional<std::string> languageArgument(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size() && args[i] != "--"; ++i) {
        const std::string& a = args[i];
        for (const char* name : {"--language", "-language"}) {
            const std::string n = name;
            if (a == n && i + 1 < args.size())
                return args[i + 1];
            if (a.rfind(n + "=", 0) == 0)
                return a.substr(n.size() + 1);
        }
    }
    return std::nullopt;
}

const Command* findCommand(const std::string& name) {
    for (const Command& command : Commands())
        if (name == command.name)
            return &command;
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    SetProgramDir(argv[0]);
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        printUsage(std::cerr);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printUsage(std::cout);
        return kExitOk;
    }
    if (args[0] == "--version") {
        std::cout << "korvane-cli " << KORVANE_VERSION << "\n";
        return kExitOk;
    }
    const Command* command = findCommand(args[0]);
    if (!command) {
        UseLanguage(LanguageFileFor(std::nullopt));
        std::cerr << "korvane-cli: " << Say(kTxtCliUnknownCommand, {args[0]}) << "\n";
        return kExitUsage;
    }
    args.erase(args.begin());
    // --help anywhere after the command wins over whatever else is wrong with the arguments.
    for (const auto& a : args)
        if (a == "--help" || a == "-h") {
            std::cout << HelpText(*command);
            return kExitOk;
        }
    try {
        // The language first, so that everything after it, a wrong use too, speaks it; a wrong
        // --language itself is told in the environment's language.
        UseLanguage(LanguageFileFor(std::nullopt));
        UseLanguage(LanguageFileFor(languageArgument(args)));
        if (!LanguageError().empty())
            return Fail(Say(kTxtCliLanguageFile, {LanguageError()}));
        return command->run(ParseArguments(*command, args));
    } catch (const UsageError& e) {
        std::cerr << "korvane-cli " << command->name << ": " << e.message << " ("
                  << Say(kTxtCliSeeHelp, {command->name}) << ")\n";
        return kExitUsage;
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
}
