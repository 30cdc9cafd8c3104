#include "app/instance_guard.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QStringList>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvane {

namespace {

// What a later start sends: this tag, then the file's path.
const QString kOpenRequest = QStringLiteral("korvane-open-1");
constexpr int kHandOverMs = 3000;
// Room in a local socket's address (108 bytes on Linux, less elsewhere).
constexpr int kSocketPathRoom = 100;
// The socket's own name in the folder: "korvane-" + 16 hex digits + ".socket".
constexpr int kSocketNameLength = 31;

// A folder (not a link) of this user that nobody else may enter.
bool isPrivateFolder(const QByteArray& path, bool mayClose) {
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    if ((st.st_mode & 077) == 0)
        return true;
    // The user's own folder left open: closed now. Whatever another user put in meanwhile is refused
    // by its owner when it is used.
    return mayClose && ::chmod(path.constData(), 0700) == 0;
}

bool roomFor(const QByteArray& folder) {
    return folder.size() + 1 + kSocketNameLength <= kSocketPathRoom;
}

// Whether the socket at `name` is the user's own: a socket file of this user.
bool ownSocket(const QString& name) {
    struct stat st {};
    return ::lstat(QFile::encodeName(name).constData(), &st) == 0 && S_ISSOCK(st.st_mode) && st.st_uid == ::geteuid();
}

// Whether the copy at the other end of a connected socket runs as this user.
bool peerIsThisUser(const QLocalSocket& socket) {
#ifdef SO_PEERCRED
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           peer.uid == ::geteuid();
#else
    Q_UNUSED(socket);
    return true; // the socket file's owner was checked
#endif
}

} // namespace

InstanceGuard::InstanceGuard(const QString& lockPath) : lockPath_(lockPath), lock_(lockPath) {
    // A running copy never goes stale by age, however long it runs; only a dead process frees the lock.
    lock_.setStaleLockTime(0);
}

InstanceGuard::~InstanceGuard() = default;

bool InstanceGuard::acquire() {
    if (lock_.isLocked())
        return true;
    return lock_.tryLock(0);
}

QString InstanceGuard::DefaultLockPath() {
    // Beside a redirected settings file, so a test or a trial copy has its own lock.
    const QString redirected = qEnvironmentVariable("KORVANE_SETTINGS");
    if (!redirected.isEmpty())
        return redirected + QStringLiteral(".running"); // not ".lock": QSettings locks that name itself
    // Never a name shared by every user: another user could take it first and keep this one from starting.
    const QString dir = PrivateFolder(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath(), CacheFolder());
    return dir.isEmpty() ? QString() : dir + QStringLiteral("/korvane-zeb1.lock");
}

QString InstanceGuard::CacheFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
}

QString InstanceGuard::PrivateFolder(const QString& runtimeFolder, const QString& tempFolder,
                                     const QString& cacheFolder) {
    const QByteArray runtime = QFile::encodeName(runtimeFolder);
    // The runtime folder belongs to the session: it is taken as it is, never changed.
    if (!runtime.isEmpty() && runtime.startsWith('/') && roomFor(runtime) && isPrivateFolder(runtime, false))
        return runtimeFolder;
    QStringList candidates;
    // The temporary folder, or /tmp where that is unset or too long a path for a socket.
    for (const QString& temp : {tempFolder, QStringLiteral("/tmp")}) {
        const QString own = temp + QStringLiteral("/korvane-") + QString::number(::geteuid());
        if (!temp.isEmpty() && roomFor(QFile::encodeName(own))) {
            candidates << own;
            break;
        }
    }
    // Where another user took the name in the temporary folder first: a folder in the user's own cache.
    if (cacheFolder.startsWith(QLatin1Char('/'))) {
        QDir().mkpath(cacheFolder);
        candidates << cacheFolder + QStringLiteral("/korvane");
    }
    for (const QString& own : candidates) {
        const QByteArray path = QFile::encodeName(own);
        if (!roomFor(path))
            continue;
        ::mkdir(path.constData(), 0700);
        if (isPrivateFolder(path, true))
            return own;
    }
    return QString();
}

QString InstanceGuard::NoPrivateFolderNames() {
    return QDir::tempPath() + QStringLiteral("/korvane-") + QString::number(::geteuid()) + QStringLiteral(", ") +
           CacheFolder() + QStringLiteral("/korvane");
}

QString InstanceGuard::ServerName(const QString& lockPath) {
    return ServerName(lockPath, qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath(), CacheFolder());
}

QString InstanceGuard::ServerName(const QString& lockPath, const QString& runtimeFolder, const QString& tempFolder,
                                  const QString& cacheFolder) {
    const QString folder = PrivateFolder(runtimeFolder, tempFolder, cacheFolder);
    if (folder.isEmpty())
        return QString();
    // Named after the lock, so that every lock (a trial copy's, a test's) has its own socket.
    const QByteArray hash = QCryptographicHash::hash(lockPath.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return folder + QStringLiteral("/korvane-") + QString::fromLatin1(hash) + QStringLiteral(".socket");
}

bool InstanceGuard::listen(std::function<void(const QString& path)> openFile) {
    if (!lock_.isLocked())
        return false;
    const QString name = ServerName(lockPath_);
    if (name.isEmpty())
        return false;
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name)) {
        // A socket left by a copy that crashed: this copy holds the lock, so the socket is nobody's.
        QLocalServer::removeServer(name);
        if (!server_->listen(name)) {
            server_.reset();
            return false;
        }
    }
    QLocalServer* server = server_.get();
    QObject::connect(server, &QLocalServer::newConnection, server, [server, openFile] {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            auto read = [socket, openFile] {
                QDataStream in(socket);
                in.startTransaction();
                QString tag;
                QString path;
                in >> tag >> path;
                if (!in.commitTransaction())
                    return; // not all there yet
                socket->disconnectFromServer();
                if (tag == kOpenRequest && !path.isEmpty())
                    openFile(path);
            };
            QObject::connect(socket, &QLocalSocket::readyRead, socket, read);
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            // The request may have arrived whole before the connection was taken.
            if (socket->bytesAvailable() > 0)
                read();
        }
    });
    return true;
}

bool InstanceGuard::handOver(const QString& lockPath, const QString& file) {
    // Only to a socket of this user, in this user's folder: one that another user made there first
    // would learn the file's name.
    const QString name = ServerName(lockPath);
    if (name.isEmpty() || !ownSocket(name))
        return false;
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kHandOverMs) || !peerIsThisUser(socket))
        return false;
    QByteArray request;
    QDataStream out(&request, QIODevice::WriteOnly);
    out << kOpenRequest << file;
    if (socket.write(request) != request.size())
        return false;
    // The request is handed over once it is in the running copy's socket; that copy reads it when its
    // event loop comes round, which may be after this start has ended.
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(kHandOverMs))
            return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kHandOverMs);
    return true;
}

} // namespace korvane
