#pragma once
// Start-up of the program: settings, the single-copy guard, texts, the blank configuration, the OEM
// pictures and the two windows.

#include <QString>
#include <QStringList>
#include <memory>

#include "app/context.h"
#include "app/instance_guard.h"

namespace korvane {

class MainWindow;
class EditorWindow;

class Program {
public:
    // programFolder: the folder of the program file (Language, oem and Data live there).
    Program(Dialogs& dialogs, Settings& settings, const QString& programFolder,
            const QString& lockPath = InstanceGuard::DefaultLockPath());
    ~Program();

    enum class Start { Started, AlreadyRunning, HandedOver, CannotStart };
    // Main: runs once, then opens file (if given) as File > Open does. While another copy runs, the
    // file is handed to that copy instead; without a file, or when that copy does not take it, the
    // start is refused with "Application already running".
    Start Main(const QString& file = QString());
    // Opens a file given from outside (the command line, a later start): the main window comes to
    // the front, asks the save question and opens it. While a window blocks the program (a transfer,
    // a question) the file waits until it is closed.
    void openFromOutside(const QString& path);

    Workspace& workspace() { return ws_; }
    AppContext& context() { return ctx_; }
    MainWindow* mainWindow() const { return main_.get(); }
    EditorWindow* editor() const { return editor_.get(); }

private:
    void openPending();

    Workspace ws_;
    AppContext ctx_;
    QString programFolder_;
    QString lockPath_;
    InstanceGuard guard_;
    std::unique_ptr<EditorWindow> editor_;
    std::unique_ptr<MainWindow> main_;
    QStringList pending_; // files given from outside, not yet opened
    bool opening_ = false;
};

} // namespace korvane
