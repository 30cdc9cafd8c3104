// File > Compare with file, Compare with unit, Backups of the unit, Export channel list and Import
// descriptions.

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

#include "app/spreadsheet_commands.h"
#include "ui/main/main_window.h"
#include "ui/transfer/difference_list.h"

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
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void MainWindow::M_File_ExportCsv_Click() {
    SpreadsheetCommands(ctx_, this).exportChannelList();
}

void MainWindow::M_File_ImportDescriptions_Click() {
    SpreadsheetCommands(ctx_, this).importDescriptions();
}

} // namespace korvane
