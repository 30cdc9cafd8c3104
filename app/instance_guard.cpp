#include "app/instance_guard.h"

#include <QDir>
#include <QStandardPaths>

namespace korvane {

InstanceGuard::InstanceGuard(const QString& lockPath) : lock_(lockPath) {
    // A running copy never goes stale by age, however long it runs; only a dead process frees the lock.
    lock_.setStaleLockTime(0);
}

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

} // namespace korvane
