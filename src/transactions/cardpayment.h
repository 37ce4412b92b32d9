#pragma once

#include "data/money.h"
#include "data/records.h"
#include "data/result.h"

#include <QString>

#include <functional>
#include <optional>

// Taking a payment from a card: the checks on the amount against the balance
// shown, the card password, and the booking itself.
class CardPayment {
public:
    // The check while the amount is typed.
    struct Live {
        enum class Kind { Nothing, AboveBalance, Remaining } kind = Kind::Nothing;
        Money remaining;
    };
    // Nothing for an empty amount; an error when either text is not an amount.
    static Result<Live> liveCheck(const QString &balanceText, const QString &amountText);

    // The checks of the save before the card password is asked for.
    struct Check {
        enum class Kind { NoCard, NoAmount, Negative, AboveBalance, Ok } kind = Kind::Ok;
        Money amount;
    };
    static Result<Check> checkSave(const QString &balanceText, const QString &amountText);

    // Whether the entered password is the card's (exact, case-sensitive; an
    // empty stored password takes an empty entry). nullopt: no such card.
    static Result<std::optional<bool>> passwordMatches(const QString &cardNumber, const QString &entered);

    struct Booking {
        CardRecord card; // number and holder fields as the window shows them
        Money amount;
        QString handler;
    };
    enum class Outcome {
        Paid,
        NotCovered,  // the balance in the database does not cover the amount
        NoSuchCard,
    };
    // One transaction: the balance is lowered only where the database's
    // balance covers the amount, and the journal row is written; then
    // beforeCommit runs (the success message), then the commit. On
    // NotCovered or NoSuchCard nothing is written. An error rolls everything
    // back and is returned.
    static Result<Outcome> book(const Booking &booking, const std::function<Status()> &beforeCommit);
};
