#include "transactions/cardpayment.h"

#include "data/cardstore.h"
#include "data/journalstore.h"
#include "data/schema.h"
#include "data/transaction.h"
#include "shell/clock.h"

Result<CardPayment::Live> CardPayment::liveCheck(const QString &balanceText, const QString &amountText)
{
    if (amountText.isEmpty())
        return Live{};
    const Result<Money> amount = Money::parse(amountText);
    if (!amount)
        return amount.error();
    if (balanceText.trimmed().isEmpty())
        return Error{QStringLiteral("还没有读取储值卡，请先刷卡或输入卡号后回车")};
    const Result<Money> balance = Money::parse(balanceText.trimmed());
    if (!balance)
        return balance.error();
    if (balance.value() < amount.value())
        return Live{Live::Kind::AboveBalance, Money()};
    const Result<Money> remaining = balance.value().minus(amount.value());
    if (!remaining)
        return remaining.error();
    return Live{Live::Kind::Remaining, remaining.value()};
}

Result<CardPayment::Check> CardPayment::checkSave(const QString &balanceText, const QString &amountText)
{
    if (balanceText.trimmed().isEmpty())
        return Check{Check::Kind::NoCard, Money()};
    if (amountText.isEmpty())
        return Check{Check::Kind::NoAmount, Money()};
    const Result<Money> amount = Money::parse(amountText);
    if (!amount)
        return amount.error();
    if (amount.value().isNegative())
        return Check{Check::Kind::Negative, amount.value()};
    const Result<Money> balance = Money::parse(balanceText.trimmed());
    if (!balance)
        return balance.error();
    if (amount.value() > balance.value())
        return Check{Check::Kind::AboveBalance, amount.value()};
    return Check{Check::Kind::Ok, amount.value()};
}

Result<std::optional<bool>> CardPayment::passwordMatches(const QString &cardNumber, const QString &entered)
{
    const auto stored = CardStore::password(cardNumber);
    if (!stored)
        return stored.error();
    if (!stored.value())
        return std::optional<bool>();
    return std::optional<bool>(*stored.value() == entered);
}

Result<CardPayment::Outcome> CardPayment::book(const Booking &booking,
                                              const std::function<Status()> &beforeCommit)
{
    Transaction transaction;
    if (Status begun = transaction.begin(); !begun)
        return begun.error();

    const Result<bool> debited = CardStore::debit(booking.card.number, booking.amount);
    if (!debited)
        return debited.error();
    if (!debited.value()) {
        transaction.rollback();
        const auto exists = CardStore::exists(booking.card.number);
        if (!exists)
            return exists.error();
        return exists.value() ? Outcome::NotCovered : Outcome::NoSuchCard;
    }

    const JournalRecord row = JournalRecord::onCard(booking.card, schema::kPayment, -booking.amount,
                                                    -booking.amount, Clock::now(), booking.handler);
    if (Status inserted = JournalStore::insert(row); !inserted)
        return inserted.error();

    if (beforeCommit) {
        if (Status done = beforeCommit(); !done)
            return done.error();
    }
    if (Status committed = transaction.commit(); !committed)
        return committed.error();
    return Outcome::Paid;
}
