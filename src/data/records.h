#pragma once

#include "data/money.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <array>

// One row of 卡信息.
struct CardRecord {
    QString number;       // 卡号
    Money balance;        // 金额
    QString organisation; // 使用单位
    QString name;         // 姓名
    QString sex;          // 性别
    QString password;     // 密码
    QString remark;       // 备注
};

// One row of 流水.
struct JournalRecord {
    Money received;       // 实收金额
    QString name;         // 姓名
    QString sex;          // 性别
    QString remark;       // 备注
    QString cardNumber;   // 卡号
    QString organisation; // 使用单位
    QString category;     // 操作类别
    Money amount;         // 金额
    QDate date;           // 日期
    QTime time;           // 时间
    QString handler;      // 经手人

    // A row booked on a card at moment: the card's number and holder fields
    // (name, sex, organisation, remark) as given; its balance and password
    // play no part.
    static JournalRecord onCard(const CardRecord &card, const QString &category, Money amount, Money received,
                                const QDateTime &moment, const QString &handler)
    {
        JournalRecord row;
        row.received = received;
        row.name = card.name;
        row.sex = card.sex;
        row.remark = card.remark;
        row.cardNumber = card.number;
        row.organisation = card.organisation;
        row.category = category;
        row.amount = amount;
        row.date = moment.date();
        row.time = moment.time();
        row.handler = handler;
        return row;
    }
};

// One row of 收款记录.
struct CollectionRecord {
    QString remark;   // 备注
    Money amount;     // 金额
    QDate date;       // 日期
    QTime time;       // 时间
    QString category; // 类别
    QString handler;  // 经手人
};

// One row of 操作员.
struct OperatorRecord {
    QString id;       // 操作员
    QString name;     // 姓名
    QString password; // 密码 (empty when it holds no value)
    std::array<bool, 13> flags{}; // "1" .. "13"

    bool flag(int number) const { return number >= 1 && number <= 13 && flags[number - 1]; }
};
