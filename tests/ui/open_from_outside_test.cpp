#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

#include "app/start_arguments.h"
#include "tests/support/io_test_support.h"
#include "tests/support/program_fixture.h"

using namespace korvane;
using namespace korvane::test;

namespace {

using OpenFromOutside = ProgramFixture;

QString fixture(const std::string& name) {
    return QString::fromStdString(korvane::testing::fixturePath(name));
}

} // namespace

TEST(StartArgumentsTest, theCommandLineGivesAFileHelpVersionOrAnError) {
    using A = StartArguments::Action;
    const std::map<std::string, A> actions = {
        {"Run", A::Run}, {"Help", A::Help}, {"Version", A::Version}, {"Error", A::Error}};
    for (const auto& row : korvane::testing::dataTable("ui_start_arguments.txt", 4)) {
        SCOPED_TRACE(row[0]);
        QStringList args;
        for (const std::string& arg : korvane::testing::splitOn(row[0], ' '))
            args << (arg == "\"\"" ? QString() : QString::fromStdString(arg));
        const StartArguments a = ParseStartArguments(args, QStringLiteral("/home/ole/jobs"));
        EXPECT_EQ(a.action, actions.at(row[1]));
        EXPECT_EQ(a.file, QString::fromStdString(row[2]));
        EXPECT_EQ(a.unknownLongOption, row[3] == "yes");
        EXPECT_EQ(a.message.isEmpty(), a.action != A::Error);
    }
    EXPECT_TRUE(StartUsage().startsWith(QStringLiteral("Usage: korvane [FILE]")));
    EXPECT_EQ(VersionText(), QStringLiteral("korvane 3.07\n"));
}

TEST_F(OpenFromOutside, aFileGivenAtTheStartIsOpenedAsFileOpenOpensIt) {
    const Configuration good = korvane::testing::loadedConfiguration("Good.zeb");
    for (const auto& row : korvane::testing::dataTable("ui_start_files.txt", 5)) {
        SCOPED_TRACE(row[0]);
        const QString file = QString::fromStdString(row[0]);
        QFile::copy(fixture(row[0]), tempPath(file));
        dialogs.shown.clear();
        ASSERT_TRUE(start(tempPath(file)));
        EXPECT_EQ(main().shownTitle(), QString::fromStdString(row[1]));
        QStringList shown = dialogs.texts(); // each message's start, as long as the one expected
        for (QString& text : shown)
            text.truncate(static_cast<int>(row[2].size()));
        EXPECT_EQ(shown, row[2].empty() ? QStringList() : QStringList{QString::fromStdString(row[2])});
        const bool loaded = row[3] == "yes";
        EXPECT_EQ(ws().cfg.ChanText == good.ChanText, loaded);
        EXPECT_EQ(ws().cfg.ChanSetup == good.ChanSetup, loaded);
        EXPECT_EQ(settings().value("File1"), tempPath("Good.zeb")); // only a loaded file is remembered
        EXPECT_FALSE(ws().dataChanged());
        EXPECT_FALSE(ws().canUndo());
        EXPECT_EQ(editor().currentPage(), QString::fromStdString(row[4]));
        program_.reset();
    }
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST_F(OpenFromOutside, aLaterStartIsRefusedOrHandsItsFileToTheRunningCopy) {
    QFile::copy(fixture("Good.zeb"), tempPath("Good.zeb"));
    // A later start on the same lock, with its own dialogs and settings: a refused start says so, one
    // that hands its file over shows nothing and ends.
    auto laterStart = [this](const char* file, Program::Start expected) {
        SCOPED_TRACE(std::string("a later start with '") + file + "'");
        ScriptedDialogs laterDialogs;
        Settings laterSettings(tempPath("later.ini"));
        Program later(laterDialogs, laterSettings, programFolder(), lockPath());
        EXPECT_EQ(later.Main(*file ? tempPath(file) : QString()), expected);
        const bool refused = expected == Program::Start::AlreadyRunning;
        EXPECT_EQ(laterDialogs.texts(), refused ? QStringList{"Application already running"} : QStringList());
        if (refused && !laterDialogs.shown.empty()) {
            EXPECT_EQ(laterDialogs.shown[0].icon, MessageIcon::Exclamation);
        }
        EXPECT_EQ(later.mainWindow() != nullptr, expected == Program::Start::Started);
    };
    // Without a folder of the user's own for the lock, the start says why it cannot go on (never
    // "already running" while none runs), in the user's language.
    {
        std::map<int, QString> texts = TestLanguageTexts(QStringLiteral("D"), QStringLiteral("Deutsch"));
        texts[kTxtNoPrivateFolder] = QStringLiteral("D564 %1");
        WriteTextFile(programFolder() + QStringLiteral("/Language/Deutsch.dat"), texts);
        ScriptedDialogs laterDialogs;
        Settings laterSettings(tempPath("later.ini"));
        Program later(laterDialogs, laterSettings, programFolder(), QString());
        EXPECT_EQ(later.Main(QString()), Program::Start::CannotStart);
        EXPECT_EQ(laterDialogs.texts(), QStringList{QStringLiteral("D564 ") + InstanceGuard::NoPrivateFolderNames()});
        EXPECT_EQ(later.mainWindow(), nullptr);
    }
    // A lock left by a copy that crashed names a process that no longer runs.
    QFile crashed(lockPath());
    ASSERT_TRUE(crashed.open(QIODevice::WriteOnly));
    crashed.write(QByteArray("999999\nkorvane\n") + QSysInfo::machineHostName().toUtf8() + "\n");
    crashed.close();
    laterStart("", Program::Start::Started);
    // An older copy that holds the lock but takes no files refuses even a start with a file.
    QLockFile older(lockPath());
    ASSERT_TRUE(older.tryLock(0));
    EXPECT_FALSE(InstanceGuard::handOver(lockPath(), tempPath("Good.zeb")));
    laterStart("Good.zeb", Program::Start::AlreadyRunning);
    older.unlock();

    // A socket file left by a copy that crashed does not keep the running copy from listening.
    QFile stale(InstanceGuard::ServerName(lockPath()));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    ASSERT_TRUE(start());
    ws().changeChannelType(0, 8);
    ASSERT_TRUE(ws().dataChanged());
    laterStart("", Program::Start::AlreadyRunning);
    dialogs.answers = {Answer::Discard};
    laterStart("Good.zeb", Program::Start::HandedOver);
    // The running copy was not affected by the refused start; for the file handed over it asks its save
    // question and opens the file.
    EXPECT_TRUE(QTest::qWaitFor([this] { return main().shownTitle() == QLatin1String("ZEB1 [Good.zeb]"); }, 5000));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("D168")); // save before opening?
    EXPECT_EQ(editor().currentPage(), QStringLiteral("Frame_Main_Setup"));
    EXPECT_FALSE(ws().dataChanged());

    // While a window blocks the program the file waits, and is opened once it is closed.
    ws().clear();
    ws().setCurFileName(QStringLiteral("New"));
    QDialog blocking(&main());
    blocking.setWindowModality(Qt::ApplicationModal);
    blocking.show();
    laterStart("Good.zeb", Program::Start::HandedOver);
    QTest::qWait(400);
    EXPECT_EQ(main().shownTitle(), QStringLiteral("ZEB1 [D401]"));
    blocking.close();
    EXPECT_TRUE(QTest::qWaitFor([this] { return main().shownTitle() == QLatin1String("ZEB1 [Good.zeb]"); }, 5000));
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST(InstanceGuardTest, theSocketLiesOnlyInAFolderNoOtherUserMayEnter) {
    QTemporaryDir dir;
    const bool root = ::geteuid() == 0;
    constexpr uid_t kOtherUser = 4321;
    auto folder = [&](const QString& name, mode_t mode) {
        const QString p = dir.filePath(name);
        QDir().mkpath(p);
        ::chmod(QFile::encodeName(p).constData(), mode);
        return p;
    };
    const QString run = folder(QStringLiteral("run"), 0700);
    const QString openRun = folder(QStringLiteral("open-run"), 0755);
    const QString otherRun = folder(QStringLiteral("other-run"), 0700);
    QFile::link(run, dir.filePath(QStringLiteral("link-run")));
    if (root)
        ::chown(QFile::encodeName(otherRun).constData(), kOtherUser, kOtherUser);
    const std::map<std::string, QString> runtimes{{"private", run},
                                                  {"open", openRun},
                                                  {"none", QString()},
                                                  {"link", dir.filePath(QStringLiteral("link-run"))},
                                                  {"long", folder(QString(90, QLatin1Char('r')), 0700)},
                                                  {"relative", QStringLiteral("run")},
                                                  {"other", otherRun}};
    int n = 0;
    for (const auto& row : korvane::testing::dataTable("ui_start_sockets.txt", 4)) {
        SCOPED_TRACE(row[0] + " runtime folder, " + row[1] + " in the user's own folder's place, cache " + row[2]);
        const QString runtime = runtimes.at(row[0]);
        const QString temp = folder(QStringLiteral("t%1").arg(++n), 01777);
        const QString own = temp + QStringLiteral("/korvane-") + QString::number(::geteuid());
        if (!root && (row[0] == "other" || row[1] == "other" || row[2] == "other"))
            continue;
        const QString cache = row[2] == "none" ? QString() : folder(QStringLiteral("c%1").arg(n), 0700);
        if (row[2] == "other") {
            const QString taken = folder(QStringLiteral("c%1/korvane").arg(n), 0700);
            ::chown(QFile::encodeName(taken).constData(), kOtherUser, kOtherUser);
        }
        if (row[1] == "link") {
            QFile::link(run, own);
        } else if (row[1] != "nothing") {
            QDir().mkpath(own);
            ::chmod(QFile::encodeName(own).constData(), 0777);
            if (row[1] == "other")
                ::chown(QFile::encodeName(own).constData(), kOtherUser, kOtherUser);
        }
        const QString want = row[3] == "runtime" ? runtime
                             : row[3] == "own"   ? own
                             : row[3] == "cache" ? cache + QStringLiteral("/korvane")
                                                 : QString();
        EXPECT_EQ(InstanceGuard::PrivateFolder(runtime, temp, cache), want);
        const QString socket =
            InstanceGuard::ServerName(QStringLiteral("/home/ole/.config/korvane.lock"), runtime, temp, cache);
        if (want.isEmpty()) {
            EXPECT_TRUE(socket.isEmpty()) << socket.toStdString();
            continue;
        }
        EXPECT_EQ(QFileInfo(socket).absolutePath(), want);
        EXPECT_LE(QFile::encodeName(socket).size(), 100);
        struct stat st {};
        ASSERT_EQ(::lstat(QFile::encodeName(want).constData(), &st), 0);
        EXPECT_TRUE(S_ISDIR(st.st_mode));
        EXPECT_EQ(st.st_mode & 07777, 0700u);
        EXPECT_EQ(st.st_uid, ::geteuid());
    }
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(openRun).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0755u) << "the session's runtime folder is never changed";
    EXPECT_NE(InstanceGuard::ServerName(QStringLiteral("/a.lock"), run, dir.filePath(QStringLiteral("t1")), QString()),
              InstanceGuard::ServerName(QStringLiteral("/b.lock"), run, dir.filePath(QStringLiteral("t1")), QString()))
        << "every lock has its own socket";
    if (!root)
        GTEST_SKIP() << "not root: the folders of another user were not tried";
}

TEST(InstanceGuardTest, aLaterStartHandsNothingToASocketOfAnotherUser) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a socket to another user";
    QTemporaryDir dir;
    const QString lock = dir.filePath(QStringLiteral("korvane.lock"));
    const QString name = InstanceGuard::ServerName(lock);
    ASSERT_FALSE(name.isEmpty());
    QLocalServer::removeServer(name);
    QLocalServer server;
    ASSERT_TRUE(server.listen(name)) << server.errorString().toStdString();
    const QByteArray socketFile = QFile::encodeName(name);
    ASSERT_EQ(::chown(socketFile.constData(), 4321, 4321), 0);
    EXPECT_FALSE(InstanceGuard::handOver(lock, QStringLiteral("/home/ole/secret.zeb")));
    EXPECT_FALSE(server.waitForNewConnection(200)) << "the other user's socket learnt nothing";
    ASSERT_EQ(::chown(socketFile.constData(), ::geteuid(), ::getegid()), 0);
    EXPECT_TRUE(InstanceGuard::handOver(lock, QStringLiteral("/home/ole/secret.zeb")));
    EXPECT_TRUE(server.waitForNewConnection(2000));
}
