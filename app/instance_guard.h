#pragma once
// Refuses a second running copy of the program. A lock left behind by a copy that crashed is stale
// (its process is gone) and does not block the next start.
//
// The running copy listens on a local socket; a later start that is given a file hands the file over
// to it instead of opening a second window. The socket lies only in a folder that no other user may
// enter, and a later start hands nothing to a socket that is not the user's own: another user on the
// same computer never learns which files are opened.

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

    // The lock in the user's private folder (PrivateFolder); empty when the user has none, and the
    // program cannot start.
    static QString DefaultLockPath();
    // The local socket of the copy that holds the lock: named after the lock, in the user's private
    // folder (PrivateFolder of XDG_RUNTIME_DIR, the temporary folder and the user's cache folder).
    // Empty when there is none.
    static QString ServerName(const QString& lockPath);
    static QString ServerName(const QString& lockPath, const QString& runtimeFolder, const QString& tempFolder,
                              const QString& cacheFolder);
    // A folder only this user may enter, short enough for a socket's address: the runtime folder when
    // it is one (a folder, not a link, the user's own, closed to everyone else), else
    // "korvane-<user id>" in the temporary folder, else "korvane" in the user's cache folder (where
    // another user took the name in the temporary folder first); each made with mode 0700 when
    // missing and closed when the user's own folder was left open. Empty when none will do (each name
    // is taken by another user, or is a link). Never a name that all users share.
    static QString PrivateFolder(const QString& runtimeFolder, const QString& tempFolder, const QString& cacheFolder);
    // The user's cache folder (~/.cache).
    static QString CacheFolder();
    // The folders PrivateFolder tries after the runtime folder, for a message that none would do.
    static QString NoPrivateFolderNames();

private:
    QString lockPath_;
    QLockFile lock_;
    std::unique_ptr<QLocalServer> server_;
};

} // namespace korvane
