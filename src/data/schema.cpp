#include "data/schema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace schema {

namespace {

// Money columns hold whole numbers of 1/10000 yuan; dates and times are text
// in ISO order; permission flags are booleans (0/1).
const char *const kCreateStatements[] = {
    R"(CREATE TABLE "卡信息" (
        "id" INTEGER PRIMARY KEY,
        "卡号" TEXT NOT NULL,
        "金额" INTEGER NOT NULL DEFAULT 0,
        "使用单位" TEXT,
        "姓名" TEXT,
        "性别" TEXT,
        "密码" TEXT,
        "备注" TEXT))",
    R"(CREATE UNIQUE INDEX "卡信息_卡号" ON "卡信息" ("卡号"))",
    R"(CREATE TABLE "流水" (
        "id" INTEGER PRIMARY KEY,
        "实收金额" INTEGER,
        "姓名" TEXT,
        "性别" TEXT,
        "备注" TEXT,
        "卡号" TEXT,
        "使用单位" TEXT,
        "操作类别" TEXT,
        "金额" INTEGER,
        "日期" TEXT,
        "时间" TEXT,
        "经手人" TEXT))",
    R"(CREATE INDEX "流水_卡号" ON "流水" ("卡号"))",
    R"(CREATE INDEX "流水_日期" ON "流水" ("日期"))",
    R"(CREATE TABLE "收款记录" (
        "id" INTEGER PRIMARY KEY,
        "备注" TEXT,
        "金额" INTEGER,
        "日期" TEXT,
        "时间" TEXT,
        "类别" TEXT,
        "经手人" TEXT))",
    R"(CREATE INDEX "收款记录_日期" ON "收款记录" ("日期"))",
    R"(CREATE TABLE "操作员" (
        "id" INTEGER PRIMARY KEY,
        "操作员" TEXT NOT NULL,
        "姓名" TEXT,
        "密码" TEXT,
        "1" BOOLEAN NOT NULL DEFAULT 0, "2" BOOLEAN NOT NULL DEFAULT 0,
        "3" BOOLEAN NOT NULL DEFAULT 0, "4" BOOLEAN NOT NULL DEFAULT 0,
        "5" BOOLEAN NOT NULL DEFAULT 0, "6" BOOLEAN NOT NULL DEFAULT 0,
        "7" BOOLEAN NOT NULL DEFAULT 0, "8" BOOLEAN NOT NULL DEFAULT 0,
        "9" BOOLEAN NOT NULL DEFAULT 0, "10" BOOLEAN NOT NULL DEFAULT 0,
        "11" BOOLEAN NOT NULL DEFAULT 0, "12" BOOLEAN NOT NULL DEFAULT 0,
        "13" BOOLEAN NOT NULL DEFAULT 0))",
    R"(CREATE UNIQUE INDEX "操作员_操作员" ON "操作员" ("操作员"))",
};

const QString kInsertAdministrator = QStringLiteral(
    R"(INSERT INTO "操作员" ("操作员", "姓名", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13")
       VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?))");

QString errorText(const QSqlError &e)
{
    return e.databaseText().isEmpty() ? e.text() : e.databaseText();
}

} // namespace

QStringList tables()
{
    return {kCards, kJournal, kCollections, kOperators};
}

QStringList columns(const QString &table)
{
    if (table == kCards)
        return {QStringLiteral("卡号"), QStringLiteral("金额"), QStringLiteral("使用单位"),
                QStringLiteral("姓名"), QStringLiteral("性别"), QStringLiteral("密码"),
                QStringLiteral("备注")};
    if (table == kJournal)
        return {QStringLiteral("实收金额"), QStringLiteral("姓名"), QStringLiteral("性别"),
                QStringLiteral("备注"), QStringLiteral("卡号"), QStringLiteral("使用单位"),
                QStringLiteral("操作类别"), QStringLiteral("金额"), QStringLiteral("日期"),
                QStringLiteral("时间"), QStringLiteral("经手人")};
    if (table == kCollections)
        return {QStringLiteral("备注"), QStringLiteral("金额"), QStringLiteral("日期"),
                QStringLiteral("时间"), QStringLiteral("类别"), QStringLiteral("经手人")};
    if (table == kOperators) {
        QStringList c{QStringLiteral("操作员"), QStringLiteral("姓名"), QStringLiteral("密码")};
        for (int f = 1; f <= kFlagCount; ++f)
            c << QString::number(f);
        return c;
    }
    return {};
}

QString quoted(const QString &identifier)
{
    QString escaped = identifier;
    escaped.replace(u'"', QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}

Status create(QSqlDatabase &db)
{
    if (!db.transaction())
        return Error{errorText(db.lastError())};
    QSqlQuery q(db);
    for (const char *statement : kCreateStatements) {
        if (!q.exec(QString::fromUtf8(statement))) {
            const QString text = errorText(q.lastError());
            db.rollback();
            return Error{text};
        }
    }
    q.prepare(kInsertAdministrator);
    q.addBindValue(kAdministratorId);
    q.addBindValue(kAdministratorName);
    for (int f = 1; f <= kFlagCount; ++f)
        q.addBindValue(true);
    if (!q.exec()) {
        const QString text = errorText(q.lastError());
        db.rollback();
        return Error{text};
    }
    if (!db.commit())
        return Error{errorText(db.lastError())};
    return {};
}

Status verify(QSqlDatabase &db)
{
    const QStringList present = db.tables(QSql::Tables);
    if (db.lastError().isValid())
        return Error{errorText(db.lastError())};
    for (const QString &table : tables()) {
        if (!present.contains(table))
            return Error{QStringLiteral("数据库中没有表“%1”").arg(table)};
        const QSqlRecord record = db.record(table);
        for (const QString &column : columns(table)) {
            if (record.indexOf(column) < 0)
                return Error{QStringLiteral("表“%1”中没有列“%2”").arg(table, column)};
        }
    }
    return {};
}

} // namespace schema
