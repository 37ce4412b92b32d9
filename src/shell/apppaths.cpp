#include "shell/apppaths.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString &overrideDir()
{
    static QString dir;
    return dir;
}
} // namespace

QString AppPaths::exeDir()
{
    if (!overrideDir().isEmpty())
        return overrideDir();
    return QCoreApplication::applicationDirPath();
}

void AppPaths::setExeDirForTesting(const QString &dir)
{
    overrideDir() = QDir::cleanPath(dir);
}

QString AppPaths::databaseFile()
{
    return exeDir() + QStringLiteral("/database/database.mdb");
}

QString AppPaths::settingsFile()
{
    return exeDir() + QStringLiteral("/myini.ini");
}

QString AppPaths::defaultBackground()
{
    return exeDir() + QStringLiteral("/image/001.jpg");
}

QString AppPaths::backupDir()
{
    return exeDir() + QStringLiteral("/backup");
}

QString AppPaths::helpFile()
{
    return exeDir() + QStringLiteral("/help.chm");
}
