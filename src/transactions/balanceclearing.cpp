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

    const JournalRecord row = JournalRecord::onCard(card, schema::kClearing, -card.balance, -card.balance,
                                                    Clock::now(), handler);
    if (Status inserted = JournalStore::insert(row); !inserted)
        return inserted.error();
    if (Status committed = transaction.commit(); !committed)
        return committed.error();
    return Outcome::Cleared;
}
