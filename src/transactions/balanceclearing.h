#pragma once

#include "data/records.h"
#include "data/result.h"

#include <QString>

// Clearing a card's balance by hand, for an operator who holds flag 13.
class BalanceClearing {
public:
    static constexpr int kPermissionFlag = 13;

    // Flag 13 of the operator, read from the table now.
    static Result<bool> permitted(const QString &operatorId);

    // Whether clearing this balance takes the second question (1 yuan or more).
    static bool needsSecondQuestion(Money balance) { return balance >= Money::fromYuan(1); }

    enum class Outcome {
        Cleared,
        Changed, // the balance is no longer the one shown: nothing written
    };
    // One transaction: the balance set to 0 where it is still card.balance,
    // and the journal row "旧卡清空" with the removed balance negated, holder
    // fields as stored on the card.
    static Result<Outcome> clear(const CardRecord &card, const QString &handler);
};
