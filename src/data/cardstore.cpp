#include "data/cardstore.h"

#include "data/sql.h"

namespace {

const QString kSelectCard = QStringLiteral(
    R"(SELECT "卡号", "金额", "使用单位", "姓名", "性别", "密码", "备注" FROM "卡信息" WHERE "卡号" = :number)");

const QString kCardExists = QStringLiteral(R"(SELECT 1 FROM "卡信息" WHERE "卡号" = :number)");

const QString kSelectPassword = QStringLiteral(R"(SELECT "密码" FROM "卡信息" WHERE "卡号" = :number)");

const QString kSelectOrganisations = QStringLiteral(R"(SELECT DISTINCT "使用单位" FROM "卡信息")");

const QString kInsertCard = QStringLiteral(
    R"(INSERT INTO "卡信息" ("卡号", "金额", "使用单位", "姓名", "性别", "密码", "备注")
       VALUES (:number, :balance, :organisation, :name, :sex, :password, :remark))");

const QString kDebitCard = QStringLiteral(
    R"(UPDATE "卡信息" SET "金额" = "金额" - :amount WHERE "卡号" = :number AND "金额" >= :covered)");

const QString kRechargeCard = QStringLiteral(
    R"(UPDATE "卡信息" SET "金额" = "金额" + :amount, "使用单位" = :organisation, "姓名" = :name,
       "性别" = :sex, "备注" = :remark WHERE "卡号" = :number)");

const QString kClearCard = QStringLiteral(
    R"(UPDATE "卡信息" SET "金额" = 0 WHERE "卡号" = :number AND "金额" = :expected)");

} // namespace

Result<std::optional<CardRecord>> CardStore::find(const QString &number)
{
    auto q = sql::run(kSelectCard, {{QStringLiteral(":number"), sql::text(number)}});
    if (!q)
        return q.error();
    if (!q->isActive() || !q.value().next())
        return std::optional<CardRecord>();
    const QSqlQuery &r = q.value();
    CardRecord card;
    card.number = r.value(0).toString();
    card.balance = Money::fromUnits(r.value(1).toLongLong());
    card.organisation = r.value(2).toString();
    card.name = r.value(3).toString();
    card.sex = r.value(4).toString();
    card.password = r.value(5).toString();
    card.remark = r.value(6).toString();
    return std::optional<CardRecord>(card);
}

Result<bool> CardStore::exists(const QString &number)
{
    auto q = sql::run(kCardExists, {{QStringLiteral(":number"), sql::text(number)}});
    if (!q)
        return q.error();
    return q.value().next();
}

Result<std::optional<QString>> CardStore::password(const QString &number)
{
    auto q = sql::run(kSelectPassword, {{QStringLiteral(":number"), sql::text(number)}});
    if (!q)
        return q.error();
    if (!q.value().next())
        return std::optional<QString>();
    return std::optional<QString>(q.value().value(0).toString());
}

Result<QStringList> CardStore::organisations()
{
    auto q = sql::run(kSelectOrganisations);
    if (!q)
        return q.error();
    QStringList list;
    while (q.value().next())
        list << q.value().value(0).toString();
    return list;
}

Status CardStore::insert(const CardRecord &card)
{
    auto changed = sql::execute(kInsertCard, {
        {QStringLiteral(":number"), sql::text(card.number)},
        {QStringLiteral(":balance"), qlonglong(card.balance.units())},
        {QStringLiteral(":organisation"), sql::text(card.organisation)},
        {QStringLiteral(":name"), sql::text(card.name)},
        {QStringLiteral(":sex"), sql::text(card.sex)},
        {QStringLiteral(":password"), sql::text(card.password)},
        {QStringLiteral(":remark"), sql::text(card.remark)},
    });
    if (!changed)
        return changed.error();
    return {};
}

Result<bool> CardStore::debit(const QString &number, Money amount)
{
    auto changed = sql::execute(kDebitCard, {
        {QStringLiteral(":amount"), qlonglong(amount.units())},
        {QStringLiteral(":number"), sql::text(number)},
        {QStringLiteral(":covered"), qlonglong(amount.units())},
    });
    if (!changed)
        return changed.error();
    return changed.value() > 0;
}

Result<bool> CardStore::recharge(const CardRecord &card, Money amount)
{
    auto changed = sql::execute(kRechargeCard, {
        {QStringLiteral(":amount"), qlonglong(amount.units())},
        {QStringLiteral(":organisation"), sql::text(card.organisation)},
        {QStringLiteral(":name"), sql::text(card.name)},
        {QStringLiteral(":sex"), sql::text(card.sex)},
        {QStringLiteral(":remark"), sql::text(card.remark)},
        {QStringLiteral(":number"), sql::text(card.number)},
    });
    if (!changed)
        return changed.error();
    return changed.value() > 0;
}

Result<bool> CardStore::clearBalance(const QString &number, Money expected)
{
    auto changed = sql::execute(kClearCard, {
        {QStringLiteral(":number"), sql::text(number)},
        {QStringLiteral(":expected"), qlonglong(expected.units())},
    });
    if (!changed)
        return changed.error();
    return changed.value() > 0;
}
