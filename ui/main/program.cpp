#include "ui/main/program.h"

#include <QApplication>
#include <QDir>
#include <QImageReader>
#include <QPixmap>
#include <QTimer>

#include "app/texts.h"
#include "io/atomic_file.h"
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
    : ctx_{ws_, settings, dialogs}, programFolder_(QDir::cleanPath(programFolder)), lockPath_(lockPath),
      guard_(lockPath) {
    // A file that is a FIFO or a device may keep a read waiting a few seconds: the windows are drawn
    // meanwhile, and take no keys or clicks and no files from later starts until it is over.
    SetReadWaitHook([] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
    });
}

Program::~Program() {
    SetReadWaitHook(nullptr);
    main_.reset();
    editor_.reset();
}

Program::Start Program::Main(const QString& file) {
    const ProgramSettings p = ReadStartupSettings(ctx_.settings, programFolder_);
    auto useLanguage = [&] {
        ws_.ProgramFolder = QDir::toNativeSeparators(programFolder_);
        for (int i = 0; i < kLanguageSlots; ++i) {
            ws_.LangFiles[static_cast<std::size_t>(i)] = p.langFiles[static_cast<std::size_t>(i)];
            ws_.LangNames[static_cast<std::size_t>(i)] = p.langNames[static_cast<std::size_t>(i)];
        }
        ws_.CurLanguage = p.curLanguage;
    };
    if (lockPath_.isEmpty()) {
        // No folder of the user's own for the lock: said in the user's language, then no start.
        useLanguage();
        LoadTexts(ctx_, nullptr, ws_.CurLanguage, TextKind::Language);
        ctx_.dialogs.message(nullptr, ws_.text(kTxtNoPrivateFolder).arg(InstanceGuard::NoPrivateFolderNames()),
                             QStringLiteral("ZEB1"), MessageIcon::Exclamation);
        return Start::CannotStart;
    }
    if (!guard_.acquire()) {
        if (!file.isEmpty() && InstanceGuard::handOver(lockPath_, file))
            return Start::HandedOver;
        ctx_.dialogs.message(nullptr, QStringLiteral("Application already running"), QStringLiteral("ZEB1"),
                             MessageIcon::Exclamation);
        return Start::AlreadyRunning;
    }
    ws_.DataFileLoc = p.dataFileLoc;
    ws_.RecentFiles = p.recentFiles;
    useLanguage();
    ws_.ComPort = p.comPort;
    ws_.setCurFileName(QStringLiteral("New"));

    LoadTexts(ctx_, nullptr, ws_.CurLanguage, TextKind::Language);
    LoadTexts(ctx_, nullptr, ws_.CurLanguage, TextKind::Help);
    ws_.clear();

    editor_ = std::make_unique<EditorWindow>(ctx_);
    main_ = std::make_unique<MainWindow>(ctx_, *editor_);
    editor_->setMainWindow(main_.get());
    // A detached editor's place follows the main window's size.
    editor_->Form_Load();
    const QPixmap user = oemPicture(programFolder_, "user.oem");
    main_->setUserPicture(user);
    editor_->setPictures(user, oemPicture(programFolder_, "welcome.oem"));

    editor_->openPage(QStringLiteral("omkring"));
    main_->show();
    main_->activateWindow();
    // The keyboard starts in the matrix.
    main_->setFocus(Qt::OtherFocusReason);
    if (!p.unknownComPort.isEmpty())
        ctx_.dialogs.message(main_.get(), ws_.text(kTxtPortSettingUnknown).arg(p.unknownComPort).arg(p.comPort),
                             QStringLiteral("ZEB1"), MessageIcon::Exclamation);

    // Files handed over by later starts are opened from the event loop, never inside the socket's
    // own signal.
    guard_.listen([this](const QString& path) {
        pending_ << path;
        QTimer::singleShot(0, main_.get(), [this] { openPending(); });
    });
    if (!file.isEmpty())
        openFromOutside(file);
    return Start::Started;
}

void Program::openFromOutside(const QString& path) {
    pending_ << path;
    openPending();
}

void Program::openPending() {
    if (opening_ || !main_ || pending_.isEmpty())
        return;
    if (QApplication::activeModalWidget()) {
        // A transfer or a question is open: the model must not change under it. Try again later.
        QTimer::singleShot(250, main_.get(), [this] { openPending(); });
        return;
    }
    opening_ = true;
    // A file that arrives while one is being opened (its save question is open) follows it.
    while (!pending_.isEmpty())
        main_->openFromOutside(pending_.takeFirst());
    opening_ = false;
}

} // namespace korvane
