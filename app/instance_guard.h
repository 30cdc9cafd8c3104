#pragma once
// Refuses a second running copy of the program. A lock left behind by a copy that crashed is stale
// (its process is gone) and does not block the next start.
//
// The running copy listens on a local socket beside the lock; a later start that is given a file
// hands the file over to it instead of opening a second window.

#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;

namespace korvane {

class InstanceGuard {
public:
    explicit InstanceGuard(const QString& lockPath = DefaultLockPath());
    ~InstanceGuard();
    // True when this is the only running copy; the lock is held until the guard is destroyed.
    bool acquire();
    // The running copy (after acquire): takes the files later starts hand over and gives each to
    // openFile, on the event loop. False when the socket could not be made.
    bool listen(std::function<void(const QString& path)> openFile);
    // A later start: hands the file to the copy that holds the lock. False when no copy takes it.
    static bool handOver(const QString& lockPath, const QString& file);

    static QString DefaultLockPath();
    // The local socket of the copy that holds the lock.
    static QString ServerName(const QString& lockPath);

private:
    QString lockPath_;
    QLockFile lock_;
    std::unique_ptr<QLocalServer> server_;
};

} // namespace korvane
