#pragma once
// File > Backups of the unit: the backups taken before writes, newest first, each with the date and
// time, the port, the channels in use and the system description. The chosen one can be opened,
// compared with the configuration in memory or with the unit, written back to the unit, shown in its
// folder (where a file manager exists; else its path is there to copy) and deleted. A damaged backup is
// listed as such and cannot be opened, compared or written.

#include <QDateTime>
#include <QDialog>
#include <functional>
#include <vector>

#include "app/context.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace korvane {

struct BackupEntry {
    QString path;
    QDateTime when;      // from the file's name, else the time the file was written
    QString port;        // as noted when it was taken ("": not noted)
    int channels = 0;    // channels in use
    QString description; // the system description
    QString damage;      // why it cannot be read ("": sound)
};

// The backups in the folder, newest first.
std::vector<BackupEntry> ListBackups(const QString& folder);
// Notes beside the backups the port a backup was taken over.
void NoteBackupPort(const QString& backupPath, const QString& port);
// True where the system can show a folder in a file manager.
bool FileManagerExists();

class FrmBackups : public QDialog {
    Q_OBJECT
public:
    // What the list asks the main window to do with a chosen backup.
    struct Actions {
        std::function<void(const QString& path, const QString& title)> open;
        std::function<void(const QString& path, const QString& title)> compareCurrent;
        std::function<void(const QString& path, const QString& title)> compareUnit;
        std::function<void(const QString& path, const QString& title)> write;
    };
    FrmBackups(AppContext& ctx, const QString& folder, Actions actions, bool fileManager, QWidget* parent = nullptr);

    // Reads the folder again.
    void reload();
    const std::vector<BackupEntry>& entries() const { return entries_; }
    // The title a backup is opened or compared under: "Backup of 07-20261208-001230".
    QString titleOf(const BackupEntry& e) const;

    void Cmd_Delete_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The chosen backups (sound and damaged alike) and the one the commands act on.
    std::vector<const BackupEntry*> chosen() const;
    void updateButtons();
    void act(const std::function<void(const QString&, const QString&)>& action, bool closes);

    AppContext& ctx_;
    QString folder_;
    Actions actions_;
    bool fileManager_;
    std::vector<BackupEntry> entries_;
    QTreeWidget* List_Backups = nullptr;
    QLabel* Lbl_Folder = nullptr;
    QLabel* Lbl_None = nullptr;
    QLineEdit* Txt_Path = nullptr; // the path to copy where no file manager exists
    QPushButton* Cmd_Open = nullptr;
    QPushButton* Cmd_CompareCurrent = nullptr;
    QPushButton* Cmd_CompareUnit = nullptr;
    QPushButton* Cmd_WriteUnit = nullptr;
    QPushButton* Cmd_ShowFolder = nullptr;
    QPushButton* Cmd_CopyPath = nullptr;
    QPushButton* Cmd_Delete = nullptr;
    QPushButton* Cmd_close = nullptr;
};

} // namespace korvane
