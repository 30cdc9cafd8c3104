#include "app/file_commands.h"

#include "app/access_keys.h"
#include "app/config_files.h"
#include "model/text_ids.h"

namespace korvane {

namespace {
const QString kFileFilter = QStringLiteral("Korvane (*.zeb)|*.zeb|M52xx07 (*.x07)|*.x07|All(*.*)|*.*");

bool hasNoFile(const Workspace& ws) {
    return ws.CurFileName == QLatin1String("New") || ws.CurFileName == QLatin1String("Upload") ||
           ws.DataFileLoc.isEmpty();
}

// Open, like New, starts again at the first channel and the first logic block.
void startAtFirstChannel(Workspace& ws) {
    EditState first;
    first.DataChanged = ws.edit.DataChanged;
    ws.edit = first;
}
} // namespace

Answer FileCommands::askSave(int questionText) {
    const Workspace& ws = ctx_.ws;
    // The buttons' access keys: the language file's marks, or free letters where it has none.
    const QStringList buttons = WithAccessKeys(
        {ws.menuText(kTxtQuestionSave), ws.menuText(kTxtQuestionDontSave), ws.menuText(kTxtQuestionCancel)});
    return ctx_.dialogs.askSave(parent_, ws.text(questionText), {buttons[0], buttons[1], buttons[2]});
}

bool FileCommands::askSaveFirst(int questionText) {
    if (!ctx_.ws.dataChanged())
        return true;
    switch (askSave(questionText)) {
    case Answer::Save:
        return save(); // as File > Save; a cancelled or failed save abandons the command: nothing is lost
    case Answer::Discard:
        return true;
    default:
        return false; // Cancel, Escape or the box closed: the command does not happen
    }
}

bool FileCommands::saveDialog() {
    Workspace& ws = ctx_.ws;
    const QString initial = saveDialogName_.isEmpty() ? ws.DataFileLoc : saveDialogName_;
    const std::optional<FileChoice> choice =
        ctx_.dialogs.saveFile(parent_, ws.text(kTxtMenuSaveAs), kFileFilter, initial);
    if (!choice)
        return false;
    const QString previousLoc = ws.DataFileLoc;
    ws.DataFileLoc = choice->path;
    if (!SaveFile(ctx_, parent_)) {
        ws.DataFileLoc = previousLoc;
        return false;
    }
    ws.setCurFileName(choice->title);
    saveDialogName_ = choice->path;
    rememberRecent(ws.DataFileLoc);
    return true;
}

bool FileCommands::newConfiguration() {
    if (!askSaveFirst(kTxtAskSaveBeforeNew))
        return false;
    ctx_.ws.clear();
    return true;
}

bool FileCommands::open() {
    if (!askSaveFirst(kTxtAskSaveBeforeOpen))
        return false;
    const std::optional<FileChoice> choice =
        ctx_.dialogs.openFile(parent_, ctx_.ws.text(kTxtOpenDialogTitle), kFileFilter, ctx_.ws.DataFileLoc);
    if (!choice)
        return false;
    return openFile(choice->path, choice->title);
}

bool FileCommands::openPath(const QString& path) {
    if (!askSaveFirst(kTxtAskSaveBeforeOpen))
        return false;
    return openFile(path, FileTitle(path));
}

bool FileCommands::openBackup(const QString& path, const QString& title) {
    if (!askSaveFirst(kTxtAskSaveBeforeOpen))
        return false;
    Configuration loaded;
    if (!ReadOtherFile(ctx_, parent_, path, loaded))
        return false;
    Workspace& ws = ctx_.ws;
    startAtFirstChannel(ws);
    ws.DataFileLoc.clear(); // no file of its own
    saveDialogName_ = title;
    ws.replace(loaded, title, Origin::Backup);
    return true;
}

bool FileCommands::openFile(const QString& path, const QString& title) {
    Workspace& ws = ctx_.ws;
    const QString previousLoc = ws.DataFileLoc;
    ws.DataFileLoc = path;
    // A full open reads into the blank configuration; a file that cannot be read keeps the current one.
    Configuration loaded = ws.cfg;
    EditState unused;
    ClearConfiguration(loaded, unused);
    const LoadResult result = LoadFile(ctx_, parent_, loaded);
    if (result == LoadResult::Failed) {
        ws.DataFileLoc = previousLoc;
        return false;
    }
    startAtFirstChannel(ws);
    ws.replace(loaded, result == LoadResult::Loaded ? title : QStringLiteral("New"), Origin::File);
    if (result == LoadResult::Loaded)
        rememberRecent(ws.DataFileLoc);
    return true;
}

bool FileCommands::save() {
    Workspace& ws = ctx_.ws;
    if (hasNoFile(ws)) {
        saveDialogName_ = ws.CurFileName;
        return saveDialog();
    }
    if (!SaveFile(ctx_, parent_))
        return false;
    rememberRecent(ws.DataFileLoc);
    return true;
}

bool FileCommands::openRecent(int item) {
    if (item < 1 || item > 4)
        return false;
    Workspace& ws = ctx_.ws;
    // The file chosen, taken before the question: saving first puts the saved file at the head of the
    // list and moves the others down.
    const QString path = ws.RecentFiles[static_cast<std::size_t>(item - 1)];
    if (!askSaveFirst(kTxtAskSaveBeforeNew))
        return false;
    const QString previousLoc = ws.DataFileLoc;
    ws.DataFileLoc = path;
    // A recent file is read over the configuration: what the file does not hold keeps its value.
    Configuration loaded = ws.cfg;
    const LoadResult result = LoadFile(ctx_, parent_, loaded);
    if (result == LoadResult::Failed) {
        ws.DataFileLoc = previousLoc;
        return false;
    }
    if (result == LoadResult::WrongSignature)
        startAtFirstChannel(ws); // the blank configuration, as New leaves it
    ws.replace(loaded, result == LoadResult::Loaded ? FileTitle(path) : QStringLiteral("New"), Origin::File);
    return true;
}

void FileCommands::rememberRecent(const QString& name) {
    auto& f = ctx_.ws.RecentFiles;
    if (name == f[1])
        f = {name, f[0], f[2], f[3]};
    else if (name == f[2])
        f = {name, f[0], f[1], f[3]};
    else if (name != f[0])
        f = {name, f[0], f[1], f[2]};
    for (int k = 0; k < 4; ++k)
        ctx_.settings.setValue(QStringLiteral("File%1").arg(k + 1), f[static_cast<std::size_t>(k)]);
    if (recentChanged)
        recentChanged();
}

std::optional<FileComparison> FileCommands::compareWithFile() {
    QString title = ctx_.ws.text(kTxtMenuCompareFile);
    while (title.endsWith(QLatin1Char('.')))
        title.chop(1);
    const std::optional<FileChoice> choice = ctx_.dialogs.openFile(parent_, title, kFileFilter, ctx_.ws.DataFileLoc);
    if (!choice)
        return std::nullopt;
    Configuration other;
    if (!ReadOtherFile(ctx_, parent_, choice->path, other))
        return std::nullopt;
    return FileComparison{choice->title, CompareFacts(ctx_.ws.cfg, other, CompareScope::File)};
}

bool FileCommands::Afslutprogram() {
    Workspace& ws = ctx_.ws;
    if (ws.dataChanged()) {
        switch (askSave(kTxtAskSaveBeforeExit)) {
        case Answer::Save:
            return save(); // a cancelled or failed save keeps the program running
        case Answer::Discard:
            return true;
        default:
            return false;
        }
    }
    return ctx_.dialogs.ask(parent_, ws.text(kTxtAskExit), QString(), Buttons::YesNo, MessageIcon::None) == Answer::Yes;
}

} // namespace korvane
