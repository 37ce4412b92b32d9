#include "data/journalstore.h"

#include "data/database.h"
#include "data/sql.h"

namespace {

const QString kInsertJournal = QStringLiteral(
    R"(INSERT INTO "流水" ("实收金额", "姓名", "性别", "备注", "卡号", "使用单位", "操作类别", "金额", "日期", "时间", "经手人")
       VALUES (:received, :name, :sex, :remark, :number, :organisation, :category, :amount, :date, :time, :handler))");

const QString kInsertCollection = QStringLiteral(
    R"(INSERT INTO "收款记录" ("备注", "金额", "日期", "时间", "类别", "经手人")
       VALUES (:remark, :amount, :date, :time, :category, :handler))");

} // namespace

Status JournalStore::insert(const JournalRecord &row)
{
    auto changed = sql::execute(kInsertJournal, {
        {QStringLiteral(":received"), qlonglong(row.received.units())},
        {QStringLiteral(":name"), sql::text(row.name)},
        {QStringLiteral(":sex"), sql::text(row.sex)},
        {QStringLiteral(":remark"), sql::text(row.remark)},
        {QStringLiteral(":number"), sql::text(row.cardNumber)},
        {QStringLiteral(":organisation"), sql::text(row.organisation)},
        {QStringLiteral(":category"), sql::text(row.category)},
        {QStringLiteral(":amount"), qlonglong(row.amount.units())},
        {QStringLiteral(":date"), Database::dateValue(row.date)},
        {QStringLiteral(":time"), Database::timeValue(row.time)},
        {QStringLiteral(":handler"), sql::text(row.handler)},
    });
    if (!changed)
        return changed.error();
    return {};
}

Status JournalStore::insert(const CollectionRecord &row)
{
    auto changed = sql::execute(kInsertCollection, {
        {QStringLiteral(":remark"), sql::text(row.remark)},
        {QStringLiteral(":amount"), qlonglong(row.amount.units())},
        {QStringLiteral(":date"), Database::dateValue(row.date)},
        {QStringLiteral(":time"), Database::timeValue(row.time)},
        {QStringLiteral(":category"), sql::text(row.category)},
        {QStringLiteral(":handler"), sql::text(row.handler)},
    });
    if (!changed)
        return changed.error();
    return {};
}
