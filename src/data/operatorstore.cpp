#include "data/operatorstore.h"

#include "data/schema.h"
#include "data/sql.h"

namespace {

const QString kSelectColumns = QStringLiteral(
    R"("操作员", "姓名", "密码", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13")");

const QString kSelectAll = QStringLiteral(R"(SELECT %1 FROM "操作员" ORDER BY "id")").arg(kSelectColumns);

const QString kSelectOne = QStringLiteral(R"(SELECT %1 FROM "操作员" WHERE "操作员" = :id)").arg(kSelectColumns);

const QString kInsert = QStringLiteral(
    R"(INSERT INTO "操作员" ("操作员", "姓名", "密码", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13")
       VALUES (:id, :name, :password, :f1, :f2, :f3, :f4, :f5, :f6, :f7, :f8, :f9, :f10, :f11, :f12, :f13))");

OperatorRecord fromRow(const QSqlQuery &q)
{
    OperatorRecord op;
    op.id = q.value(0).toString();
    op.name = q.value(1).toString();
    op.password = q.value(2).toString();
    for (int f = 0; f < schema::kFlagCount; ++f)
        op.flags[f] = q.value(3 + f).toBool();
    return op;
}

} // namespace

Result<QList<OperatorRecord>> OperatorStore::all()
{
    auto q = sql::run(kSelectAll);
    if (!q)
        return q.error();
    QList<OperatorRecord> list;
    while (q.value().next())
        list << fromRow(q.value());
    return list;
}

Result<std::optional<OperatorRecord>> OperatorStore::find(const QString &id)
{
    auto q = sql::run(kSelectOne, {{QStringLiteral(":id"), sql::text(id)}});
    if (!q)
        return q.error();
    if (!q.value().next())
        return std::optional<OperatorRecord>();
    return std::optional<OperatorRecord>(fromRow(q.value()));
}

Result<bool> OperatorStore::flag(const QString &id, int number)
{
    auto op = find(id);
    if (!op)
        return op.error();
    return op.value().has_value() && op.value()->flag(number);
}

Status OperatorStore::insert(const OperatorRecord &op)
{
    QList<sql::Binding> bindings{
        {QStringLiteral(":id"), sql::text(op.id)},
        {QStringLiteral(":name"), sql::text(op.name)},
        {QStringLiteral(":password"), sql::text(op.password)},
    };
    for (int f = 1; f <= schema::kFlagCount; ++f)
        bindings.append({QStringLiteral(":f%1").arg(f), op.flag(f)});
    auto changed = sql::execute(kInsert, bindings);
    if (!changed)
        return changed.error();
    return {};
}
