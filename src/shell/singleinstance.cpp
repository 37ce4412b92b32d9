#include "shell/singleinstance.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

const QString SingleInstance::kLockName = QStringLiteral("ravivavereroveradidizizovev");

SingleInstance::SingleInstance(const QString &name)
    : m_path(QDir::temp().filePath(name + QStringLiteral(".lock")))
{
}

SingleInstance::~SingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock; the file stays for the next run
}

bool SingleInstance::tryAcquire()
{
    if (m_fd >= 0)
        return true;
    const QByteArray path = QFile::encodeName(m_path);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return true; // no lock file possible (temp folder unwritable): do not stop the program
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}
