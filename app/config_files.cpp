#include "app/config_files.h"

#include "io/config_file.h"

namespace korvane {

namespace {

constexpr int kTxtWrongSignature = 171;

std::string localPath(const QString& path) {
    return path.toLocal8Bit().toStdString();
}

QString describe(const FileResult& r) {
    return QString::fromLocal8Bit(r.message().c_str());
}

} // namespace

LoadResult LoadFile(AppContext& ctx, QWidget* parent) {
    Workspace& ws = ctx.ws;
    ctx.settings.setValue(QStringLiteral("DataFileLoc"), ws.DataFileLoc);
    const FileResult r = korvane::LoadFile(ws.cfg, localPath(ws.DataFileLoc));
    switch (r.status) {
    case FileStatus::Ok:
        ws.setDataChanged(false);
        return LoadResult::Loaded;
    case FileStatus::WrongSignature:
        ctx.dialogs.message(parent, ws.text(kTxtWrongSignature), QString(), MessageIcon::Exclamation);
        ws.clear();
        return LoadResult::WrongSignature;
    default:
        ctx.dialogs.message(parent, describe(r), QString(), MessageIcon::Exclamation);
        return LoadResult::Failed;
    }
}

bool SaveFile(AppContext& ctx, QWidget* parent) {
    Workspace& ws = ctx.ws;
    ctx.settings.setValue(QStringLiteral("DataFileLoc"), ws.DataFileLoc);
    const FileResult r = korvane::SaveFile(ws.cfg, localPath(ws.DataFileLoc));
    if (!r.ok()) {
        ctx.dialogs.message(parent, describe(r), QString(), MessageIcon::Exclamation);
        return false;
    }
    ws.setDataChanged(false);
    return true;
}

} // namespace korvane
