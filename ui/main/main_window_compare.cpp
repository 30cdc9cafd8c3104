// File > Compare with file, Compare with unit and Backups of the unit.

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

#include "io/config_diff.h"
#include "io/config_file.h"
#include "io/text_ids.h"
#include "ui/main/main_window.h"
#include "ui/transfer/difference_list.h"

namespace korvane {

void MainWindow::M_File_CompareFile_Click() {
    Workspace& ws = ctx_.ws;
    const std::optional<FileChoice> choice =
        ctx_.dialogs.openFile(this, ws.text(kTxtOpenDialogTitle), fileFilter(), ws.DataFileLoc);
    if (!choice)
        return;
    // The file is read into a scratch copy as Open would read it; the configuration in memory stays as it is.
    Configuration other;
    EditState state;
    ClearConfiguration(other, state);
    const FileResult r = korvane::LoadFile(other, LocalPath(choice->path));
    if (r.status == FileStatus::WrongSignature) {
        ctx_.dialogs.message(this, ws.text(kTxtNotAConfigurationFile), QString(), MessageIcon::Exclamation);
        return;
    }
    if (!r.ok()) {
        QString where = QDir::toNativeSeparators(choice->path);
        if (r.line > 0)
            where += QStringLiteral(", ") + ws.text(kTxtLine) + QLatin1Char(' ') + QString::number(r.line);
        ctx_.dialogs.message(this,
                             ws.text(kTxtReadFailed) + QStringLiteral("\n\n") + where + QStringLiteral(":\n") +
                                 QString::fromLocal8Bit(r.reason.c_str()),
                             QString(), MessageIcon::Exclamation);
        return;
    }
    auto* w = new FrmCompare(ctx_, choice->title, CompareConfigurations(ws.cfg, other), this);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowModality(Qt::ApplicationModal);
    w->show();
}

void MainWindow::M_File_CompareUnit_Click() {
    if (!links_)
        links_ = SettingsLinkFactory(ctx_);
    showTransferWindow(new FrmSerialIO(ctx_, FrmSerialIO::Tag::Compare, links_, this));
}

void MainWindow::M_File_Backups_Click() {
    const QString folder = BackupFolder();
    QDir().mkpath(folder);
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

} // namespace korvane
