// korvane: the configuration program of the ZEB1 bus master unit.
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "app/dialogs.h"
#include "app/settings.h"
#include "app/start_arguments.h"
#include "ui/editor/editor_window.h"
#include "ui/main/main_window.h"
#include "ui/main/program.h"

namespace {

QStringList rawArguments(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

void print(std::FILE* to, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), to);
}

int usageError(const QString& message) {
    print(stderr, QStringLiteral("korvane: ") + message + QStringLiteral("\n\n") + korvane::StartUsage());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    using korvane::StartArguments;
    // --help and --version answer without a window, and without a display.
    const StartArguments early = korvane::ParseStartArguments(rawArguments(argc, argv), QDir::currentPath());
    if (early.action == StartArguments::Action::Help) {
        print(stdout, korvane::StartUsage());
        return 0;
    }
    if (early.action == StartArguments::Action::Version) {
        print(stdout, korvane::VersionText());
        return 0;
    }
    if (early.unknownLongOption)
        return usageError(early.message);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZEB1"));
    // The desktop entry the window belongs to (its icon and name in the task bar).
    QGuiApplication::setDesktopFileName(QStringLiteral("korvane"));
    QApplication::setQuitOnLastWindowClosed(false);
    // What is left once Qt took its own options (-platform, -style, ...).
    const StartArguments args = korvane::ParseStartArguments(QApplication::arguments().mid(1), QDir::currentPath());
    if (args.action == StartArguments::Action::Error)
        return usageError(args.message);

    korvane::QtDialogs dialogs;
    korvane::Settings settings;
    korvane::Program program(dialogs, settings, QCoreApplication::applicationDirPath());
    if (program.Main(args.file) != korvane::Program::Start::Started)
        return 0;
    QObject::connect(program.mainWindow(), &korvane::MainWindow::exitRequested, &app, [&] {
        program.editor()->close();
        QCoreApplication::quit();
    });
    return QApplication::exec();
}
