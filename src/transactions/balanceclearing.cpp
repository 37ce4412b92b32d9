#include "transactions/balanceclearing.h"

#include "data/cardstore.h"
#include "data/journalstore.h"
#include "data/operatorstore.h"
#include "data/schema.h"
#include "data/transaction.h"
#include "shell/clock.h"

Result<bool> BalanceClearing::permitted(const QString &operatorId)
{
    return OperatorStore::flag(operatorId, kPermissionFlag);
}

Result<BalanceClearing::Outcome> BalanceClearing::clear(const CardRecord &card, const QString &handler)
{
    Transaction transaction;
    if (Status begun = transaction.begin(); !begun)
        return begun.error();
    const Result<bool> cleared = CardStore::clearBalance(card.number, card.balance);
    if (!cleared)
        return cleared.error();
    if (!cleared.value())
        return Outcome::Changed;

    const QDateTime now = Clock::now();
    JournalRecord row;
    row.received = -card.balance;
    row.name = card.name;
    row.sex = card.sex;
    row.remark = card.remark;
    row.cardNumber = card.number;
    row.organisation = card.organisation;
    row.category = schema::kClearing;
    row.amount = -card.balance;
    row.date = now.date();
    row.time = now.time();
    row.handler = handler;
    if (Status inserted = JournalStore::insert(row); !inserted)
        return inserted.error();
    if (Status committed = transaction.commit(); !committed)
        return committed.error();
    return Outcome::Cleared;
}
