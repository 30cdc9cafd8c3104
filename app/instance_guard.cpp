#include "app/instance_guard.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace korvane {

namespace {

// What a later start sends: this tag, then the file's path.
const QString kOpenRequest = QStringLiteral("korvane-open-1");
constexpr int kHandOverMs = 3000;
// Room in a local socket's address (108 bytes on Linux, less elsewhere).
constexpr int kSocketPathRoom = 100;

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
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + QStringLiteral("/korvane-zeb1.lock");
}

QString InstanceGuard::ServerName(const QString& lockPath) {
    const QString beside = lockPath + QStringLiteral(".socket");
    if (beside.toLocal8Bit().size() <= kSocketPathRoom)
        return beside;
    // A lock in a deep folder: a name made from its path, in the temporary folder.
    const QByteArray hash = QCryptographicHash::hash(lockPath.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir::tempPath() + QStringLiteral("/korvane-") + QString::fromLatin1(hash) + QStringLiteral(".socket");
}

bool InstanceGuard::listen(std::function<void(const QString& path)> openFile) {
    if (!lock_.isLocked())
        return false;
    const QString name = ServerName(lockPath_);
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
    QLocalSocket socket;
    socket.connectToServer(ServerName(lockPath));
    if (!socket.waitForConnected(kHandOverMs))
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
