#include "ui/transfer/frm_backups.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "app/access_keys.h"
#include "app/texts.h"
#include "io/config_file.h"
#include "model/text_codec.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

// Beside the backups: which port each one was taken over.
QString portsFile(const QString& folder) {
    return QDir(folder).filePath(QStringLiteral("ports.ini"));
}

// "07-20261208-001230.zeb": the time the backup was taken, as its name says (invalid for another name).
QDateTime timeFromName(const QString& fileName) {
    const QStringList parts = QFileInfo(fileName).completeBaseName().split(QLatin1Char('-'));
    if (parts.size() != 3 || parts[1].size() != 8 || parts[2].size() != 6)
        return {};
    return QDateTime(QDate(parts[1].left(4).toInt(), parts[1].mid(4, 2).toInt(), parts[1].right(2).toInt()),
                     QTime(parts[2].left(2).toInt(), parts[2].mid(2, 2).toInt(), parts[2].right(2).toInt()));
}

// The text with its %1 filled in; a text without one is followed by the value.
QString withArg(const QString& text, const QString& value) {
    return text.contains(QLatin1String("%1")) ? QString(text).replace(QLatin1String("%1"), value)
                                              : text + QLatin1Char(' ') + value;
}

QString withoutDots(QString text) {
    while (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

} // namespace

std::vector<BackupEntry> ListBackups(const QString& folder) {
    std::vector<BackupEntry> out;
    const QDir dir(folder);
    QSettings ports(portsFile(folder), QSettings::IniFormat);
    for (const QFileInfo& f : dir.entryInfoList({QStringLiteral("*.zeb")}, QDir::Files)) {
        BackupEntry e;
        e.path = QDir::toNativeSeparators(f.absoluteFilePath());
        e.when = timeFromName(f.fileName());
        if (!e.when.isValid())
            e.when = f.lastModified();
        e.port = ports.value(f.fileName()).toString();
        Configuration cfg;
        EditState state;
        ClearConfiguration(cfg, state);
        const FileResult loaded = LoadFile(cfg, LocalPath(f.absoluteFilePath()));
        if (!loaded.ok()) {
            e.damage = QString::fromLocal8Bit(loaded.message().c_str());
        } else {
            e.channels = cfg.channelsInUse() + 1;
            e.description = FromCp1252(cfg.DescText[8]).simplified();
        }
        out.push_back(e);
    }
    std::stable_sort(out.begin(), out.end(), [](const BackupEntry& a, const BackupEntry& b) {
        return a.when != b.when ? a.when > b.when : a.path > b.path;
    });
    return out;
}

void NoteBackupPort(const QString& backupPath, const QString& port) {
    const QFileInfo f(backupPath);
    QSettings ports(portsFile(f.absolutePath()), QSettings::IniFormat);
    ports.setValue(f.fileName(), port);
}

bool FileManagerExists() {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return true;
#else
    // xdg-open needs a program that opens folders; without one it only says so on stderr. Asked once.
    static const bool exists = [] {
        if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty())
            return false;
        QProcess query;
        query.start(QStringLiteral("xdg-mime"),
                    {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("inode/directory")});
        if (!query.waitForFinished(3000))
            return false;
        return !query.readAllStandardOutput().trimmed().isEmpty();
    }();
    return exists;
#endif
}

FrmBackups::FrmBackups(AppContext& ctx, const QString& folder, Actions actions, bool fileManager, QWidget* parent)
    : QDialog(parent), ctx_(ctx), folder_(folder), actions_(std::move(actions)), fileManager_(fileManager) {
    setObjectName(QStringLiteral("FrmBackups"));
    setWindowTitle(withoutDots(ctx_.ws.text(kTxtMenuBackups)));
    setWindowModality(Qt::ApplicationModal);
    Lbl_Folder = new QLabel(this);
    Lbl_Folder->setObjectName(QStringLiteral("Lbl_Folder"));
    Lbl_Folder->setTextFormat(Qt::PlainText);
    Lbl_Folder->setWordWrap(true);
    Lbl_Folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Lbl_Folder->setText(withArg(ctx_.ws.text(kTxtBackupFolderIs), QDir::toNativeSeparators(folder)));
    Lbl_None = new QLabel(ctx_.ws.text(kTxtBackupNone), this);
    Lbl_None->setObjectName(QStringLiteral("Lbl_None"));
    Lbl_None->setWordWrap(true);
    List_Backups = new QTreeWidget(this);
    List_Backups->setObjectName(QStringLiteral("List_Backups"));
    List_Backups->setRootIsDecorated(false);
    List_Backups->setSelectionMode(QAbstractItemView::ExtendedSelection);
    List_Backups->setHeaderLabels({ctx_.ws.text(kTxtBackupWhen), ctx_.ws.text(kTxtBackupPort),
                                   ctx_.ws.text(kTxtBackupChannels), ctx_.ws.text(kTxtBackupDescription)});
    List_Backups->setMinimumSize(620, 240);
    auto button = [this](const char* name, int text) {
        auto* b = new QPushButton(ctx_.ws.menuText(text), this); // with the access key the language marks
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    Cmd_Open = button("Cmd_Open", kTxtBackupOpen);
    Cmd_CompareCurrent = button("Cmd_CompareCurrent", kTxtBackupCompareCurrent);
    Cmd_CompareUnit = button("Cmd_CompareUnit", kTxtBackupCompareUnit);
    Cmd_WriteUnit = button("Cmd_WriteUnit", kTxtBackupWrite);
    Cmd_ShowFolder = button("Cmd_ShowFolder", kTxtBackupShowFolder);
    Cmd_CopyPath = button("Cmd_CopyPath", kTxtBackupCopyPath);
    Cmd_Delete = button("Cmd_Delete", kTxtBackupDelete);
    // Each command keeps its own access key; where a language marks none or one twice, a free letter.
    {
        std::vector<QPushButton*> commands{Cmd_Open,       Cmd_CompareCurrent, Cmd_CompareUnit, Cmd_WriteUnit,
                                           Cmd_ShowFolder, Cmd_CopyPath,       Cmd_Delete};
        QStringList captions;
        for (QPushButton* b : commands)
            captions << b->text();
        captions = WithAccessKeys(captions, QStringLiteral("o")); // Alt+O is OK's
        for (std::size_t i = 0; i < commands.size(); ++i)
            commands[i]->setText(captions[static_cast<qsizetype>(i)]);
    }
    Cmd_close = new QPushButton(QLatin1Char('&') + ctx_.ws.text(kTxtButtonOk), this);
    Cmd_close->setObjectName(QStringLiteral("Cmd_close"));
    Txt_Path = new QLineEdit(this);
    Txt_Path->setObjectName(QStringLiteral("Txt_Path"));
    Txt_Path->setReadOnly(true);
    auto* noManager = new QLabel(ctx_.ws.text(kTxtNoFileManager), this);
    noManager->setObjectName(QStringLiteral("Lbl_NoFileManager"));
    noManager->setWordWrap(true);
    // Show in folder only where a file manager can show it; elsewhere the path is there to copy.
    Cmd_ShowFolder->setVisible(fileManager_);
    noManager->setVisible(!fileManager_);
    Txt_Path->setVisible(!fileManager_);
    Cmd_CopyPath->setVisible(!fileManager_);

    auto* commands = new QVBoxLayout;
    for (QPushButton* b : {Cmd_Open, Cmd_CompareCurrent, Cmd_CompareUnit, Cmd_WriteUnit, Cmd_ShowFolder, Cmd_Delete})
        commands->addWidget(b);
    commands->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(List_Backups, 1);
    middle->addLayout(commands);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(Txt_Path, 1);
    pathRow->addWidget(Cmd_CopyPath);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(Cmd_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Lbl_Folder);
    layout->addWidget(Lbl_None);
    layout->addLayout(middle, 1);
    layout->addWidget(noManager);
    layout->addLayout(pathRow);
    layout->addLayout(bottom);

    connect(List_Backups, &QTreeWidget::itemSelectionChanged, this, &FrmBackups::updateButtons);
    connect(List_Backups, &QTreeWidget::itemDoubleClicked, this, [this] { act(actions_.open, true); });
    connect(Cmd_Open, &QPushButton::clicked, this, [this] { act(actions_.open, true); });
    connect(Cmd_CompareCurrent, &QPushButton::clicked, this, [this] { act(actions_.compareCurrent, false); });
    connect(Cmd_CompareUnit, &QPushButton::clicked, this, [this] { act(actions_.compareUnit, false); });
    connect(Cmd_WriteUnit, &QPushButton::clicked, this, [this] { act(actions_.write, true); });
    connect(Cmd_ShowFolder, &QPushButton::clicked, this, [this] {
        const auto c = chosen();
        const QString where = c.empty() ? folder_ : QFileInfo(c.front()->path).absolutePath();
        QDesktopServices::openUrl(QUrl::fromLocalFile(where));
    });
    connect(Cmd_CopyPath, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(Txt_Path->text()); });
    connect(Cmd_Delete, &QPushButton::clicked, this, &FrmBackups::Cmd_Delete_Click);
    connect(Cmd_close, &QPushButton::clicked, this, &QDialog::accept);
    reload();
}

QString FrmBackups::titleOf(const BackupEntry& e) const {
    return withArg(ctx_.ws.text(kTxtBackupOf), QFileInfo(e.path).completeBaseName());
}

void FrmBackups::reload() {
    entries_ = ListBackups(folder_);
    List_Backups->clear();
    const QString notNoted = ctx_.ws.text(kTxtPortNotRecorded);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const BackupEntry& e = entries_[i];
        auto* item = new QTreeWidgetItem(List_Backups);
        item->setData(0, Qt::UserRole, static_cast<int>(i));
        item->setText(0, QLocale().toString(e.when, QLocale::ShortFormat));
        item->setToolTip(0, e.path);
        item->setText(1, e.port.isEmpty() ? notNoted : e.port);
        if (e.damage.isEmpty()) {
            item->setText(2, QString::number(e.channels));
            item->setText(3, e.description);
        } else {
            item->setText(3, withArg(ctx_.ws.text(kTxtBackupDamaged), e.damage));
            item->setForeground(3, palette().brush(QPalette::Disabled, QPalette::Text));
        }
    }
    for (int c = 0; c < 3; ++c)
        List_Backups->resizeColumnToContents(c);
    Lbl_None->setVisible(entries_.empty());
    if (!entries_.empty())
        List_Backups->setCurrentItem(List_Backups->topLevelItem(0));
    updateButtons();
}

std::vector<const BackupEntry*> FrmBackups::chosen() const {
    std::vector<const BackupEntry*> out;
    for (QTreeWidgetItem* item : List_Backups->selectedItems())
        out.push_back(&entries_[static_cast<std::size_t>(item->data(0, Qt::UserRole).toInt())]);
    return out;
}

void FrmBackups::updateButtons() {
    const auto c = chosen();
    // The commands that read a backup need one sound backup; delete takes any.
    const bool one = c.size() == 1 && c.front()->damage.isEmpty();
    for (QPushButton* b : {Cmd_Open, Cmd_CompareCurrent, Cmd_CompareUnit, Cmd_WriteUnit})
        b->setEnabled(one);
    Cmd_Delete->setEnabled(!c.empty());
    Txt_Path->setText(c.size() == 1 ? c.front()->path : QDir::toNativeSeparators(folder_));
}

void FrmBackups::act(const std::function<void(const QString&, const QString&)>& action, bool closes) {
    const auto c = chosen();
    if (c.size() != 1 || !c.front()->damage.isEmpty() || !action)
        return;
    const BackupEntry e = *c.front();
    if (closes)
        accept(); // the configuration or the transfer window takes the user's attention
    action(e.path, titleOf(e));
}

void FrmBackups::Cmd_Delete_Click() {
    const auto c = chosen();
    if (c.empty())
        return;
    const QString question = withArg(ctx_.ws.text(kTxtBackupAskDelete), QString::number(c.size()));
    if (ctx_.dialogs.ask(this, question, windowTitle(), Buttons::YesNo, MessageIcon::Exclamation) != Answer::Yes)
        return;
    QSettings ports(portsFile(folder_), QSettings::IniFormat);
    for (const BackupEntry* e : c) {
        if (!QFile::remove(e->path)) {
            ctx_.dialogs.ask(this, withArg(ctx_.ws.text(kTxtBackupNotDeleted), e->path), windowTitle(), Buttons::Ok,
                             MessageIcon::Exclamation);
            continue;
        }
        ports.remove(QFileInfo(e->path).fileName());
    }
    ports.sync();
    reload();
}

void FrmBackups::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        ShowHelp(ctx_, this, kHelpBackupsList, windowTitle());
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Delete && List_Backups->hasFocus()) {
        Cmd_Delete_Click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace korvane
