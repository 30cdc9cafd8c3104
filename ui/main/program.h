#pragma once
// Start-up of the program: settings, the single-copy guard, texts, the blank configuration, the OEM
// pictures and the two windows.

#include <QString>
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

    enum class Start { Started, AlreadyRunning };
    // Main: runs once. Refused with "Application already running" while another copy runs.
    Start Main();

    Workspace& workspace() { return ws_; }
    AppContext& context() { return ctx_; }
    MainWindow* mainWindow() const { return main_.get(); }
    EditorWindow* editor() const { return editor_.get(); }

private:
    Workspace ws_;
    AppContext ctx_;
    QString programFolder_;
    InstanceGuard guard_;
    std::unique_ptr<EditorWindow> editor_;
    std::unique_ptr<MainWindow> main_;
};

} // namespace korvane
