#include "transactions/cardrecharge.h"

#include "data/cardstore.h"
#include "data/journalstore.h"
#include "data/schema.h"
#include "data/transaction.h"
#include "shell/clock.h"

Result<Money> CardRecharge::newBalance(const QString &balanceText, const QString &amountText)
{
    if (balanceText.trimmed().isEmpty())
        return Error{QStringLiteral("还没有读取储值卡，请先刷卡或输入卡号后回车")};
    const Result<Money> balance = Money::parse(balanceText.trimmed());
    if (!balance)
        return balance.error();
    const Result<Money> amount = Money::parse(amountText);
    if (!amount)
        return amount.error();
    return balance.value().plus(amount.value());
}

Result<CardRecharge::Outcome> CardRecharge::book(const Booking &booking,
                                                const std::function<Status()> &beforeCommit)
{
    Transaction transaction;
    if (Status begun = transaction.begin(); !begun)
        return begun.error();

    const Result<bool> changed = CardStore::recharge(booking.card, booking.amount);
    if (!changed)
        return changed.error();
    if (!changed.value())
        return Outcome::NoSuchCard;

    const QDateTime now = Clock::now();
    CollectionRecord collection;
    collection.remark = booking.card.remark;
    collection.amount = booking.received;
    collection.date = now.date();
    collection.time = now.time();
    collection.category = schema::kRecharge;
    collection.handler = booking.handler;
    if (Status inserted = JournalStore::insert(collection); !inserted)
        return inserted.error();

    const JournalRecord row = JournalRecord::onCard(booking.card, schema::kRecharge, booking.amount,
                                                    booking.received, now, booking.handler);
    if (Status inserted = JournalStore::insert(row); !inserted)
        return inserted.error();

    if (beforeCommit) {
        if (Status done = beforeCommit(); !done)
            return done.error();
    }
    if (Status committed = transaction.commit(); !committed)
        return committed.error();
    return Outcome::Recharged;
}
