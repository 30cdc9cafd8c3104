#include "app/start_arguments.h"

#include <QDir>
#include <QUrl>

namespace korvane {

StartArguments ParseStartArguments(const QStringList& args, const QString& workingDir) {
    StartArguments out;
    QStringList files;
    bool optionsEnded = false;
    for (const QString& a : args) {
        if (!optionsEnded && a == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && (a == QLatin1String("--help") || a == QLatin1String("-h"))) {
            StartArguments only;
            only.action = StartArguments::Action::Help;
            return only;
        }
        if (!optionsEnded && a == QLatin1String("--version")) {
            StartArguments only;
            only.action = StartArguments::Action::Version;
            return only;
        }
        if (!optionsEnded && a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            if (out.message.isEmpty())
                out.message = QStringLiteral("unknown option: ") + a;
            if (a.startsWith(QLatin1String("--")))
                out.unknownLongOption = true;
            continue;
        }
        files << a;
    }
    if (out.message.isEmpty() && files.size() > 1)
        out.message = QStringLiteral("one configuration file at a time, not %1").arg(files.size());
    if (out.message.isEmpty() && files.size() == 1 && files[0].isEmpty())
        out.message = QStringLiteral("the file name is empty");
    if (!out.message.isEmpty()) {
        out.action = StartArguments::Action::Error;
        return out;
    }
    if (!files.isEmpty()) {
        QString path = files[0];
        if (path.startsWith(QLatin1String("file:"))) {
            const QUrl url(path);
            if (url.isLocalFile())
                path = url.toLocalFile();
        }
        out.file = QDir::cleanPath(QDir(workingDir).absoluteFilePath(path));
    }
    return out;
}

QString StartUsage() {
    return QStringLiteral(
        "Usage: korvane [FILE]\n"
        "\n"
        "Korvane configures the ZEB1 master unit of a two-wire building bus: the function of every channel,\n"
        "its settings and descriptions, saved as .zeb files, read from and written to the unit over RS-232.\n"
        "\n"
        "FILE  a configuration file (.zeb or .x07) to open after the start. When Korvane is already\n"
        "      running, the file is opened in the running copy, which first offers to save its changes.\n"
        "\n"
        "Options:\n"
        "  -h, --help     print this text and end\n"
        "  --version      print the version and end\n"
        "\n"
        "Work on files without a window: korvane-cli --help\n");
}

QString VersionText() {
    return QStringLiteral("korvane " KORVANE_VERSION "\n");
}

} // namespace korvane
