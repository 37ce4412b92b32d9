#include "data/database.h"

#include "data/schema.h"
#include "data/sql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

const QString Database::kConnectionName = QStringLiteral("vadazored");

namespace {

QString errorText(const QSqlError &e)
{
    return e.databaseText().isEmpty() ? e.text() : e.databaseText();
}

// Makes a new database at path: built under a temporary name beside it and
// renamed into place once complete, so that a failed creation leaves nothing
// half-made behind.
Status createDatabaseFile(const QString &path)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return Error{QStringLiteral("无法创建文件夹“%1”").arg(info.absolutePath())};
    const QString temporary = path + QStringLiteral(".new-") + QUuid::createUuid().toString(QUuid::Id128);
    const QString name = QStringLiteral("vadazored-create");
    Status status;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(temporary);
        if (!db.open()) {
            status = Error{errorText(db.lastError())};
        } else {
            QSqlQuery pragma(db);
            pragma.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
            pragma.exec(QStringLiteral("PRAGMA synchronous=FULL"));
            pragma.finish();
            status = schema::create(db);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (status.ok() && !QFile::rename(temporary, path))
        status = Error{QStringLiteral("无法创建数据库文件“%1”").arg(path)};
    if (!status.ok())
        QFile::remove(temporary);
    return status;
}

} // namespace

Status Database::open(const QString &path)
{
    close();
    const QFileInfo info(path);
    if (!info.exists()) {
        if (Status created = createDatabaseFile(path); !created)
            return created;
    } else if (!info.isFile() || info.size() == 0) {
        return Error{QStringLiteral("“%1”不是本系统的数据库").arg(path)};
    }

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnectionName);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        const QString text = errorText(db.lastError());
        close();
        return Error{text};
    }
    // Only reads until the file is known to be ours: a file that is not a
    // database, or another program's, is never written. (A journal left by a
    // crash is rolled back here, as on every open: that is what keeps an
    // interrupted save from half-existing.)
    if (Status verified = schema::verify(db); !verified) {
        close();
        return verified;
    }
    // Durability: a rollback journal (not WAL) keeps every committed save in the
    // one database file, which backups copy whole; synchronous=FULL makes each
    // commit wait until the journal and the file are on disk, so a committed
    // save survives a crash or a power cut and an interrupted one is rolled
    // back at the next open.
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=DELETE")) || !q.next()
        || q.value(0).toString().compare(QStringLiteral("delete"), Qt::CaseInsensitive) != 0
        || !q.exec(QStringLiteral("PRAGMA synchronous=FULL"))) {
        const QString text = q.lastError().isValid() ? errorText(q.lastError())
                                                     : QStringLiteral("无法设置数据库日志模式");
        q.finish();
        close();
        return Error{text};
    }
    return {};
}

void Database::close()
{
    sql::forgetPreparedCommands();
    if (QSqlDatabase::contains(kConnectionName)) {
        {
            QSqlDatabase db = QSqlDatabase::database(kConnectionName, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(kConnectionName);
    }
}

bool Database::isOpen()
{
    return QSqlDatabase::contains(kConnectionName)
        && QSqlDatabase::database(kConnectionName, false).isOpen();
}

QSqlDatabase Database::connection()
{
    return QSqlDatabase::database(kConnectionName, false);
}

QString Database::path()
{
    return connection().databaseName();
}

QVariant Database::dateValue(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

QVariant Database::timeValue(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QDate Database::toDate(const QVariant &stored)
{
    return QDate::fromString(stored.toString().left(10), Qt::ISODate);
}

QTime Database::toTime(const QVariant &stored)
{
    return QTime::fromString(stored.toString().left(8), QStringLiteral("HH:mm:ss"));
}
