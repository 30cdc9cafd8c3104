#pragma once
// The command line of the program: `korvane [FILE]`, `korvane --help`, `korvane --version`.

#include <QString>
#include <QStringList>

namespace korvane {

struct StartArguments {
    enum class Action {
        Run,     // start the windows (and open file, when given)
        Help,    // print the usage and end
        Version, // print the version and end
        Error,   // print message and the usage, end with exit code 2
    };
    Action action = Action::Run;
    QString file;    // the configuration file to open, as an absolute path; empty for none
    QString message; // Error: what is wrong with the command line
    // Error: whether an option of the program's own form ("--name") is unknown; Qt's own options
    // ("-platform", "-style" with their values) have one dash and are known only once Qt took them.
    bool unknownLongOption = false;
};

// Reads the arguments after the program name. A relative FILE is taken from workingDir; a file: URL
// (as some file managers hand it over) is taken as its local path. --help and --version win over
// everything else before "--"; after "--" every argument is a file name.
StartArguments ParseStartArguments(const QStringList& args, const QString& workingDir);

// The text of --help and of --version.
QString StartUsage();
QString VersionText();

} // namespace korvane
