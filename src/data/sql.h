#pragma once

#include "data/result.h"

#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <initializer_list>
#include <utility>

// Running statements on the program's connection. Every value is bound to a
// named placeholder, never written into the statement text.
namespace sql {

using Binding = std::pair<QString, QVariant>;

// Prepares and executes; the query is positioned before its first row.
Result<QSqlQuery> run(const QString &statement, std::initializer_list<Binding> bindings = {});
Result<QSqlQuery> run(const QString &statement, const QList<Binding> &bindings);

// Executes a command (insert, update, delete) and answers the number of rows
// it changed. The command stays prepared for its next use.
Result<int> execute(const QString &statement, std::initializer_list<Binding> bindings = {});
Result<int> execute(const QString &statement, const QList<Binding> &bindings);

QString errorText(const QSqlQuery &query);

// Lets go of the commands kept prepared on the connection (before it closes).
void forgetPreparedCommands();

// A text column's value: what was typed, an empty box as empty text (never
// as "no value").
inline QVariant text(const QString &value)
{
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

} // namespace sql
