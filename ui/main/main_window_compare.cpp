// File > Compare with file, Compare with unit and Backups of the unit.

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

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

} // namespace korvane
