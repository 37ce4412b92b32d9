#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// The lock that lets one copy of the program run at a time. It is a lock
// file in the temporary folder held (with an advisory lock) until the program
// ends; a lock left behind by a crashed run is recognised as stale, since its
// process is gone, and taken over.
class SingleInstance {
public:
    static const QString kLockName;

    explicit SingleInstance(const QString &name = kLockName);
    // False when another running copy holds the lock.
    bool tryAcquire();
    QString lockFilePath() const;

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_path;
};
