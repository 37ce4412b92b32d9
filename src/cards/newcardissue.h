#pragma once

#include "data/result.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

// The boxes of the new card window, as the save reads them.
struct NewCardForm {
    QString number;        // Edit1
    QString name;          // Edit2
    QString sex;           // ComboBox2
    QString organisation;  // ComboBox1
    QString firstRecharge; // Edit3: credited to the card
    QString received;      // Edit4: cash taken
    QString password;      // Edit5
    QString passwordAgain; // Edit6
    QString remark;        // Memo1
};

// A save refused by its checks: the message, the box to focus, and whether
// the card number box is emptied.
struct NewCardRefusal {
    enum class Focus { Number, FirstRecharge, Password };
    QString message;
    Focus focus = Focus::Number;
    bool emptyNumber = false;
};

// Issuing one new card: the card row, the collection of the cash received and
// the journal row of the first recharge, in one transaction.
class NewCardIssue {
public:
    static const QString kAmountsMissing;   // "请填写正确的充值金额和实际收款金额！"
    static const QString kNumberEmpty;      // "卡号不能为空！"
    static const QString kNumberInUse;      // "卡号重复！"
    static const QString kPasswordsDiffer;  // "两次密码不一致！"
    static const QString kIssued;           // "新增储值卡成功"
    static const QString kNoEditPermission; // "对不起！您没有修改或删除储值卡的权限!"

    // Whether a card of that number exists (the check on leaving the card
    // number box and before the save).
    static Result<bool> numberInUse(const QString &number);

    // The checks before the save, in order, on trimmed boxes: both amounts
    // given, a card number, a number not in use, the passwords alike. No
    // value: the save may go on. An error: a query failed.
    static Result<std::optional<NewCardRefusal>> check(const NewCardForm &form);

    // The window's steps that belong inside the transaction, after the rows:
    // the success message, the list refresh, the receipt, emptying the boxes.
    // moment is the date and time the rows were booked at.
    using FollowUp = std::function<Status(const QDateTime &moment)>;

    // Writes the three rows and runs followUp, then commits. An amount that
    // is not a number, a failing statement, an error from followUp or from
    // the commit rolls everything back and is returned.
    static Status save(const NewCardForm &form, const FollowUp &followUp);

    // Whether the logged-in operator may edit and delete cards (flag 12), as
    // the operator table holds it now.
    static Result<bool> mayEditCards();
};
