#include "app/config_files.h"

#include "io/config_file.h"
#include "model/text_ids.h"

namespace korvane {

namespace {

// The user's language says what happened; the file, the line and the technical reason follow.
QString describe(const Workspace& ws, int headline, const FileResult& r) {
    QString where = QString::fromLocal8Bit(r.file.c_str());
    if (r.line > 0)
        where += QStringLiteral(", ") + ws.text(kTxtLine) + QLatin1Char(' ') + QString::number(r.line);
    return ws.text(headline) + QStringLiteral("\n\n") + where + QStringLiteral(":\n") +
           QString::fromLocal8Bit(r.reason.c_str());
}

} // namespace

LoadResult LoadFile(AppContext& ctx, QWidget* parent, Configuration& cfg) {
    const Workspace& ws = ctx.ws;
    ctx.settings.setValue(QStringLiteral("DataFileLoc"), ws.DataFileLoc);
    const FileResult r = korvane::LoadFile(cfg, LocalPath(ws.DataFileLoc));
    switch (r.status) {
    case FileStatus::Ok:
        return LoadResult::Loaded;
    case FileStatus::WrongSignature: {
        ctx.dialogs.message(parent, ws.text(kTxtNotAConfigurationFile), QString(), MessageIcon::Exclamation);
        EditState unused;
        ClearConfiguration(cfg, unused);
        return LoadResult::WrongSignature;
    }
    default:
        ctx.dialogs.message(parent, describe(ws, kTxtReadFailed, r), QString(), MessageIcon::Exclamation);
        return LoadResult::Failed;
    }
}

bool ReadOtherFile(AppContext& ctx, QWidget* parent, const QString& path, Configuration& cfg) {
    EditState state;
    ClearConfiguration(cfg, state);
    const FileResult r = korvane::LoadFile(cfg, LocalPath(path));
    if (r.status == FileStatus::WrongSignature)
        ctx.dialogs.message(parent, ctx.ws.text(kTxtNotAConfigurationFile), QString(), MessageIcon::Exclamation);
    else if (!r.ok())
        ctx.dialogs.message(parent, describe(ctx.ws, kTxtReadFailed, r), QString(), MessageIcon::Exclamation);
    return r.ok();
}

bool SaveFile(AppContext& ctx, QWidget* parent) {
    Workspace& ws = ctx.ws;
    ctx.settings.setValue(QStringLiteral("DataFileLoc"), ws.DataFileLoc);
    const FileResult r = korvane::SaveFile(ws.cfg, LocalPath(ws.DataFileLoc));
    if (!r.ok()) {
        ctx.dialogs.message(parent, describe(ws, kTxtSaveFailed, r), QString(), MessageIcon::Exclamation);
        return false;
    }
    // The file holds the configuration as the save prepares it; the document follows, undoably.
    ws.change(PrepareForSave);
    ws.setDataChanged(false);
    return true;
}

} // namespace korvane
