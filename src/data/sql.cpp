#include "data/sql.h"

#include "data/database.h"

#include <QHash>
#include <QSqlError>

namespace sql {

namespace {

// Commands (inserts, updates, deletes) prepared once and run again with new
// values: they leave no result open, so keeping them holds no lock. Queries
// are prepared at each use and let go at once.
constexpr qsizetype kMostKeptCommands = 64;

QHash<QString, QSqlQuery> &keptCommands()
{
    static QHash<QString, QSqlQuery> commands;
    return commands;
}

} // namespace

void forgetPreparedCommands()
{
    keptCommands().clear();
}

QString errorText(const QSqlQuery &query)
{
    const QSqlError e = query.lastError();
    return e.databaseText().isEmpty() ? e.text() : e.databaseText();
}

Result<QSqlQuery> run(const QString &statement, const QList<Binding> &bindings)
{
    QSqlDatabase db = Database::connection();
    if (!db.isOpen())
        return Error{QStringLiteral("数据库没有打开")};
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(statement))
        return Error{errorText(q)};
    for (const auto &[name, value] : bindings)
        q.bindValue(name, value);
    if (!q.exec())
        return Error{errorText(q)};
    return q;
}

Result<QSqlQuery> run(const QString &statement, std::initializer_list<Binding> bindings)
{
    return run(statement, QList<Binding>(bindings));
}

Result<int> execute(const QString &statement, const QList<Binding> &bindings)
{
    QSqlDatabase db = Database::connection();
    if (!db.isOpen())
        return Error{QStringLiteral("数据库没有打开")};
    auto &kept = keptCommands();
    auto it = kept.find(statement);
    if (it == kept.end()) {
        QSqlQuery q(db);
        if (!q.prepare(statement))
            return Error{errorText(q)};
        if (kept.size() >= kMostKeptCommands)
            kept.clear();
        it = kept.insert(statement, q);
    }
    QSqlQuery &q = it.value();
    for (const auto &[name, value] : bindings)
        q.bindValue(name, value);
    if (!q.exec())
        return Error{errorText(q)};
    const int changed = q.numRowsAffected();
    q.finish();
    return changed;
}

Result<int> execute(const QString &statement, std::initializer_list<Binding> bindings)
{
    return execute(statement, QList<Binding>(bindings));
}

} // namespace sql
