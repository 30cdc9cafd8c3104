#include "ui/main/program.h"

#include <QDir>
#include <QImageReader>
#include <QPixmap>

#include "app/texts.h"
#include "ui/editor/editor_window.h"
#include "ui/main/main_window.h"

namespace korvane {

namespace {

// An OEM picture; a missing or unreadable file gives no picture and the program starts anyway.
QPixmap oemPicture(const QString& folder, const char* name) {
    QImageReader reader(folder + QStringLiteral("/oem/") + QLatin1String(name));
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

} // namespace

Program::Program(Dialogs& dialogs, Settings& settings, const QString& programFolder, const QString& lockPath)
    : ctx_{ws_, settings, dialogs}, programFolder_(QDir::cleanPath(programFolder)), guard_(lockPath) {}

Program::~Program() {
    main_.reset();
    editor_.reset();
}

Program::Start Program::Main() {
    const ProgramSettings p = ReadStartupSettings(ctx_.settings, programFolder_);
    if (!guard_.acquire()) {
        ctx_.dialogs.message(nullptr, QStringLiteral("Application already running"), QStringLiteral("ZEB1"),
                             MessageIcon::Exclamation);
        return Start::AlreadyRunning;
    }
    ws_.ProgramFolder = QDir::toNativeSeparators(programFolder_);
    ws_.DataFileLoc = p.dataFileLoc;
    ws_.RecentFiles = p.recentFiles;
    for (int i = 0; i < kLanguageSlots; ++i) {
        ws_.LangFiles[static_cast<std::size_t>(i)] = p.langFiles[static_cast<std::size_t>(i)];
        ws_.LangNames[static_cast<std::size_t>(i)] = p.langNames[static_cast<std::size_t>(i)];
    }
    ws_.CurLanguage = p.curLanguage;
    ws_.ComPort = p.comPort;
    ws_.setCurFileName(QStringLiteral("New"));

    LoadTexts(ctx_, nullptr, ws_.CurLanguage, TextKind::Language);
    LoadTexts(ctx_, nullptr, ws_.CurLanguage, TextKind::Help);
    ws_.clear();

    editor_ = std::make_unique<EditorWindow>(ctx_);
    main_ = std::make_unique<MainWindow>(ctx_, *editor_);
    editor_->setMainWindow(main_.get());
    const QPixmap user = oemPicture(programFolder_, "user.oem");
    main_->setUserPicture(user);
    editor_->setPictures(user, oemPicture(programFolder_, "welcome.oem"));

    editor_->openPage(QStringLiteral("omkring"));
    main_->show();
    main_->activateWindow();
    return Start::Started;
}

} // namespace korvane
