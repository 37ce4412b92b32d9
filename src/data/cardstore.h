#pragma once

#include "data/records.h"
#include "data/result.h"

#include <QStringList>

#include <optional>

// Statements on 卡信息.
class CardStore {
public:
    static Result<std::optional<CardRecord>> find(const QString &number);
    static Result<bool> exists(const QString &number);
    // The stored password, or nullopt when the card does not exist.
    static Result<std::optional<QString>> password(const QString &number);
    // select distinct 使用单位: one entry per distinct value, empty for no value.
    static Result<QStringList> organisations();

    static Status insert(const CardRecord &card);
    // Lowers the balance by amount only where it covers the amount; answers
    // whether the card was debited.
    static Result<bool> debit(const QString &number, Money amount);
    // Raises the balance of card.number by amount and rewrites its holder
    // fields (organisation, name, sex, remark) from card; answers whether a
    // card of that number was changed.
    static Result<bool> recharge(const CardRecord &card, Money amount);
    // Sets the balance to 0 only where it still equals expected.
    static Result<bool> clearBalance(const QString &number, Money expected);
};
