// korvane: the configuration program of the ZEB1 bus master unit.
#include <QApplication>

#include "app/dialogs.h"
#include "app/settings.h"
#include "ui/editor/editor_window.h"
#include "ui/main/main_window.h"
#include "ui/main/program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZEB1"));
    QApplication::setQuitOnLastWindowClosed(false);

    korvane::QtDialogs dialogs;
    korvane::Settings settings;
    korvane::Program program(dialogs, settings, QCoreApplication::applicationDirPath());
    if (program.Main() == korvane::Program::Start::AlreadyRunning)
        return 0;
    QObject::connect(program.mainWindow(), &korvane::MainWindow::exitRequested, &app, [&] {
        program.editor()->close();
        QCoreApplication::quit();
    });
    return QApplication::exec();
}
