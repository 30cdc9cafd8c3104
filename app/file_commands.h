#pragma once
// The File menu's commands without a window: New, Open, Save, Save as, the recent files and the
// exit questions. They ask through the Dialogs interface, load and save through the configuration
// file code, and change the workspace; the main window only adds what it shows (its place, the
// editor page, the recent-file entries).

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "app/context.h"
#include "model/differences.h"

class QWidget;

namespace korvane {

// What Compare with file found: the file's name and what differs from the configuration in memory.
struct FileComparison {
    QString title;
    std::vector<Difference> differences;
};

class FileCommands {
public:
    FileCommands(AppContext& ctx, QWidget* dialogParent) : ctx_(ctx), parent_(dialogParent) {}

    // Called after the recent list changed (the menu entries follow).
    std::function<void()> recentChanged;

    // "Save first?" when the configuration changed: true when the command may go on. Cancel (also
    // Escape), a cancelled save dialog or a failed save abandon the command, so nothing is lost.
    bool askSaveFirst(int questionText);
    // Save as: the save dialog, then the file. False when cancelled or failed.
    bool saveDialog();
    // The blank configuration "New" (after the save question). False when abandoned.
    bool newConfiguration();
    // The open dialog and the chosen file, into a blank configuration. False when abandoned or the
    // file could not be read (the configuration is then as it was).
    bool open();
    // Opens the given file as Open does, without the dialog (after the save question).
    bool openPath(const QString& path);
    // Opens a backup of the unit (after the save question) as a configuration of that title in no file
    // of its own: Save asks for a name, so that the backup itself stays what the unit held.
    bool openBackup(const QString& path, const QString& title);
    // Save: to the file of the configuration, or through the save dialog for one that has none.
    bool save();
    // A recent file (1..4), loaded over the configuration.
    bool openRecent(int item);
    // Puts the name at the head of the recent list and stores the list.
    void rememberRecent(const QString& name);
    // Compare with file: the open dialog, then the chosen file beside the configuration in memory, which
    // stays as it is. Nothing when cancelled or the file could not be read (that is said).
    std::optional<FileComparison> compareWithFile();
    // The exit questions: true when the program may end.
    bool Afslutprogram();

private:
    // The save question of the given text: Save, Don't save or Cancel in the window's language.
    Answer askSave(int questionText);
    bool openFile(const QString& path, const QString& title);

    AppContext& ctx_;
    QWidget* parent_;
    QString saveDialogName_;
};

} // namespace korvane
