// korvane-cli: the configuration files and the unit's records from the command line, without a
// window. Exit codes: 0 done, 1 the work failed (the reason is on stderr), 2 wrong use; read, write and
// print add their own (see the table of commands).

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_support.h"

namespace {

using namespace korvane::cli;

void printUsage(std::ostream& out) {
    out << "usage: korvane-cli COMMAND [ARGUMENTS]\n\ncommands:\n";
    for (const Command& command : Commands()) {
        std::string padded = command.name;
        padded.resize(12, ' ');
        out << "  " << padded << command.summary << "\n";
    }
    out << "\nkorvane-cli COMMAND --help shows the arguments of a command.\n";
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
        std::cerr << "korvane-cli: unknown command " << args[0] << " (try korvane-cli --help)\n";
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
        return command->run(ParseArguments(*command, args));
    } catch (const UsageError& e) {
        std::cerr << "korvane-cli " << command->name << ": " << e.message << " (see korvane-cli " << command->name
                  << " --help)\n";
        return kExitUsage;
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
}
