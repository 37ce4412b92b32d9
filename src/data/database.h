#pragma once

#include "data/result.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QTime>
#include <QVariant>

// The program's one database connection.
//
// The embedded engine is SQLite, one file. A missing file is created with the
// four tables and the built-in administrator; an existing file is used only if
// it is this system's database, and is never overwritten otherwise.
class Database {
public:
    static const QString kConnectionName;

    // Opens the database file at path (creating it when missing).
    static Status open(const QString &path);
    static void close();
    static bool isOpen();
    static QSqlDatabase connection();
    static QString path();

    // How dates and times are stored: the day as "yyyy-MM-dd", the time of day
    // as "HH:mm:ss", so that text order is time order and ranges work.
    static QVariant dateValue(const QDate &date);
    static QVariant timeValue(const QTime &time);
    static QDate toDate(const QVariant &stored);
    static QTime toTime(const QVariant &stored);
};
