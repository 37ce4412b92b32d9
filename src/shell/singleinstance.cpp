#include "shell/singleinstance.h"

#include <QDir>

const QString SingleInstance::kLockName = QStringLiteral("ravivavereroveradidizizovev");

SingleInstance::SingleInstance(const QString &name)
    : m_path(QDir::temp().filePath(name + QStringLiteral(".lock")))
{
}

bool SingleInstance::tryAcquire()
{
    m_lock = std::make_unique<QLockFile>(m_path);
    // Never stale by age: the running copy holds it for as long as it runs.
    // Only a lock whose process has ended is stale.
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}

QString SingleInstance::lockFilePath() const
{
    return m_path;
}
