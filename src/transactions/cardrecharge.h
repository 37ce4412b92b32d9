#pragma once

#include "data/money.h"
#include "data/records.h"
#include "data/result.h"

#include <QString>

#include <functional>

// Loading money onto a card, with the holder's data corrected on the way.
class CardRecharge {
public:
    // The new balance for the receipt: the balance shown plus the recharge
    // amount. An error when either is not an amount.
    static Result<Money> newBalance(const QString &balanceText, const QString &amountText);

    struct Booking {
        CardRecord card; // number and holder fields as corrected in the window
        Money amount;    // loaded onto the card
        Money received;  // cash taken
        QString handler;
    };
    enum class Outcome { Recharged, NoSuchCard };
    // One transaction: the card's balance raised and its holder fields
    // rewritten, the collections row and the journal row; then beforeCommit
    // (message, receipt, emptying the window), then the commit. A card that
    // no longer exists writes nothing. An error rolls everything back.
    static Result<Outcome> book(const Booking &booking, const std::function<Status()> &beforeCommit);
};
