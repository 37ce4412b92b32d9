#include "cards/newcardissue.h"

#include "data/cardstore.h"
#include "data/journalstore.h"
#include "data/money.h"
#include "data/operatorstore.h"
#include "data/schema.h"
#include "data/transaction.h"
#include "shell/clock.h"
#include "shell/session.h"

const QString NewCardIssue::kAmountsMissing = QStringLiteral("请填写正确的充值金额和实际收款金额！");
const QString NewCardIssue::kNumberEmpty = QStringLiteral("卡号不能为空！");
const QString NewCardIssue::kNumberInUse = QStringLiteral("卡号重复！");
const QString NewCardIssue::kPasswordsDiffer = QStringLiteral("两次密码不一致！");
const QString NewCardIssue::kIssued = QStringLiteral("新增储值卡成功");
const QString NewCardIssue::kNoEditPermission = QStringLiteral("对不起！您没有修改或删除储值卡的权限!");

namespace {

constexpr int kEditCardsFlag = 12;

} // namespace

Result<bool> NewCardIssue::numberInUse(const QString &number)
{
    return CardStore::exists(number);
}

Result<std::optional<NewCardRefusal>> NewCardIssue::check(const NewCardForm &form)
{
    using Focus = NewCardRefusal::Focus;
    using Answer = std::optional<NewCardRefusal>;
    if (form.received.isEmpty() || form.firstRecharge.isEmpty())
        return Answer(NewCardRefusal{kAmountsMissing, Focus::FirstRecharge, false});
    if (form.number.isEmpty())
        return Answer(NewCardRefusal{kNumberEmpty, Focus::Number, false});
    const Result<bool> inUse = numberInUse(form.number);
    if (!inUse)
        return inUse.error();
    if (inUse.value())
        return Answer(NewCardRefusal{kNumberInUse, Focus::Number, true});
    if (form.password != form.passwordAgain)
        return Answer(NewCardRefusal{kPasswordsDiffer, Focus::Password, false});
    return Answer();
}

Status NewCardIssue::save(const NewCardForm &form, const FollowUp &followUp)
{
    Transaction transaction;
    if (Status begun = transaction.begin(); !begun)
        return begun;

    const QDateTime moment = Clock::now();
    const Result<Money> firstRecharge = Money::parse(form.firstRecharge);
    if (!firstRecharge)
        return firstRecharge.error();

    CardRecord card;
    card.number = form.number;
    card.balance = firstRecharge.value();
    card.organisation = form.organisation;
    card.name = form.name;
    card.sex = form.sex;
    card.password = form.password;
    card.remark = form.remark;
    if (Status inserted = CardStore::insert(card); !inserted)
        return inserted;

    const Result<Money> received = Money::parse(form.received);
    if (!received)
        return received.error();

    CollectionRecord collection;
    collection.remark = form.remark;
    collection.amount = received.value();
    collection.date = moment.date();
    collection.time = moment.time();
    collection.category = schema::kNewCardRecharge;
    collection.handler = Session::operatorId();
    if (Status booked = JournalStore::insert(collection); !booked)
        return booked;

    const JournalRecord journal = JournalRecord::onCard(card, schema::kNewCardRecharge, firstRecharge.value(),
                                                        received.value(), moment, collection.handler);
    if (Status booked = JournalStore::insert(journal); !booked)
        return booked;

    if (followUp) {
        if (Status done = followUp(moment); !done)
            return done;
    }
    return transaction.commit();
}

Result<bool> NewCardIssue::mayEditCards()
{
    return OperatorStore::flag(Session::operatorId(), kEditCardsFlag);
}
