#pragma once
// Refuses a second running copy of the program. A lock left behind by a copy that crashed is stale
// (its process is gone) and does not block the next start.

#include <QLockFile>
#include <QString>

namespace korvane {

class InstanceGuard {
public:
    explicit InstanceGuard(const QString& lockPath = DefaultLockPath());
    // True when this is the only running copy; the lock is held until the guard is destroyed.
    bool acquire();
    static QString DefaultLockPath();

private:
    QLockFile lock_;
};

} // namespace korvane
