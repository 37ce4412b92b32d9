#pragma once

#include <QString>

// The lock that lets one copy of the program run at a time: an exclusive
// advisory lock (flock) on a file in the temporary folder, held until the
// program ends. The kernel releases it when the process ends in any way, so a
// run that crashed leaves nothing that blocks the next start.
class SingleInstance {
public:
    static const QString kLockName;

    explicit SingleInstance(const QString &name = kLockName);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // False when another running copy holds the lock.
    bool tryAcquire();
    QString lockFilePath() const { return m_path; }

private:
    QString m_path;
    int m_fd = -1;
};
