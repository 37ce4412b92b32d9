#include "data/sql.h"

#include "data/database.h"

#include <QSqlError>

namespace sql {

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
    auto q = run(statement, bindings);
    if (!q)
        return q.error();
    return q.value().numRowsAffected();
}

Result<int> execute(const QString &statement, std::initializer_list<Binding> bindings)
{
    return execute(statement, QList<Binding>(bindings));
}

} // namespace sql
