// File > Compare with file, Compare with unit, Backups of the unit, Export channel list and Import
// descriptions.

#include <QDir>

#include "app/config_files.h"
#include "app/spreadsheet_commands.h"
#include "ui/editor/editor_window.h"
#include "ui/main/main_window.h"
#include "ui/transfer/difference_list.h"
#include "ui/transfer/frm_backups.h"

namespace korvane {

void MainWindow::M_File_CompareFile_Click() {
    const std::optional<FileComparison> found = files_.compareWithFile();
    if (!found)
        return;
    auto* w = new FrmCompare(ctx_, found->title, found->differences, this);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowModality(Qt::ApplicationModal);
    showCentred(w);
}

void MainWindow::M_File_CompareUnit_Click() {
    showTransferWindow(new FrmSerialIO(ctx_, FrmSerialIO::Tag::Compare, links(), this));
}

void MainWindow::M_File_Backups_Click() {
    const QString folder = BackupFolder();
    QDir().mkpath(folder);
    FrmBackups::Actions actions;
    actions.open = [this](const QString& path, const QString& title) {
        editor_.commitPendingEdits();
        if (files_.openBackup(path, title))
            openEditorPage(QStringLiteral("mainsetup"));
    };
    actions.compareCurrent = [this](const QString& path, const QString& title) {
        editor_.commitPendingEdits();
        Configuration backup;
        if (!ReadOtherFile(ctx_, this, path, backup))
            return;
        auto* w = new FrmCompare(ctx_, title, CompareFacts(ctx_.ws.cfg, backup, CompareScope::File), this);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->setWindowModality(Qt::ApplicationModal);
        showCentred(w);
    };
    actions.compareUnit = [this](const QString& path, const QString& title) {
        Configuration backup;
        if (!ReadOtherFile(ctx_, this, path, backup))
            return;
        auto* w = new FrmSerialIO(ctx_, FrmSerialIO::Tag::Compare, links(), this);
        w->setSubject(backup, title);
        showTransferWindow(w);
    };
    // Writing a backup back opens it first, so that what goes to the unit is what the window shows, and
    // then asks what every write asks.
    actions.write = [this](const QString& path, const QString& title) {
        editor_.commitPendingEdits();
        if (!files_.openBackup(path, title))
            return;
        openEditorPage(QStringLiteral("mainsetup"));
        M_File_Write_Click();
    };
    auto* w =
        new FrmBackups(ctx_, folder, std::move(actions), fileManager_ ? *fileManager_ : FileManagerExists(), this);
    w->setAttribute(Qt::WA_DeleteOnClose);
    showCentred(w);
}

void MainWindow::M_File_ExportCsv_Click() {
    SpreadsheetCommands(ctx_, this).exportChannelList();
}

void MainWindow::M_File_ImportDescriptions_Click() {
    SpreadsheetCommands(ctx_, this).importDescriptions();
}

} // namespace korvane
