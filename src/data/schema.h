#pragma once

#include "data/result.h"

#include <QSqlDatabase>
#include <QStringList>

// The four tables, as the program creates them in a new database file and as
// it expects to find them in an existing one.
namespace schema {

inline const QString kCards = QStringLiteral("卡信息");
inline const QString kJournal = QStringLiteral("流水");
inline const QString kCollections = QStringLiteral("收款记录");
inline const QString kOperators = QStringLiteral("操作员");

// Operation categories written to 流水.操作类别 and 收款记录.类别.
inline const QString kNewCardRecharge = QStringLiteral("新卡充值");
inline const QString kRecharge = QStringLiteral("旧卡充值");
inline const QString kPayment = QStringLiteral("刷卡消费");
inline const QString kClearing = QStringLiteral("旧卡清空");

inline const QString kAdministratorId = QStringLiteral("0001");
inline const QString kAdministratorName = QStringLiteral("系统管理员");
constexpr int kFlagCount = 13;

// The columns of a table that the program reads and writes, in table order.
QStringList columns(const QString &table);
QStringList tables();

// Creates the tables, their indexes and operator "0001" (all flags, no
// password) in an empty database, in one transaction.
Status create(QSqlDatabase &db);

// Whether db holds the four tables with their columns.
Status verify(QSqlDatabase &db);

// Double-quoted SQL identifier.
QString quoted(const QString &identifier);

} // namespace schema
