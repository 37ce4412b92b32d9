#include "data/cardstore.h"
#include "data/schema.h"
#include "shell/clock.h"
#include "support/testenv.h"
#include "transactions/balanceclearing.h"
#include "transactions/cardpayment.h"
#include "transactions/cardrecharge.h"

#include <QTest>

namespace {

Money yuan(const char *text)
{
    return Money::parse(QString::fromUtf8(text)).value();
}

// A card's number and holder fields, as a window books them.
CardRecord holder(const QString &number, const QString &name = {}, const QString &sex = {},
                  const QString &organisation = {}, const QString &remark = {})
{
    CardRecord card;
    card.number = number;
    card.name = name;
    card.sex = sex;
    card.organisation = organisation;
    card.remark = remark;
    return card;
}

QString balanceOf(const QString &number)
{
    return CardStore::find(number).value()->balance.toString();
}

// The last journal row as "实收金额|姓名|性别|备注|卡号|使用单位|操作类别|金额|日期|时间|经手人".
QString lastJournalRow()
{
    const QVariant v = TestEnv::scalar(QStringLiteral(
        R"(SELECT "实收金额" || '|' || "姓名" || '|' || "性别" || '|' || "备注" || '|' || "卡号" || '|' ||
           "使用单位" || '|' || "操作类别" || '|' || "金额" || '|' || "日期" || '|' || "时间" || '|' || "经手人"
           FROM "流水" ORDER BY "id" DESC LIMIT 1)"));
    return v.toString();
}

} // namespace

class TestTransactionLogic : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestEnv> m_env;

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        Clock::setFixedForTesting(QDateTime(QDate(2026, 12, 9), QTime(14, 30, 5)));
        TestEnv::addCard(QStringLiteral("8001"), QStringLiteral("50"), QStringLiteral("王芳"),
                         QStringLiteral("Ab1 "), QStringLiteral("女"), QStringLiteral("财务科"),
                         QStringLiteral("老顾客"));
    }
    void cleanup()
    {
        Clock::setFixedForTesting({});
        m_env.reset();
    }

    void liveCheck_data()
    {
        QTest::addColumn<QString>("balance");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<int>("kind"); // 0 nothing, 1 above, 2 remaining, -1 error
        QTest::addColumn<QString>("remaining");
        QTest::newRow("empty amount") << "50" << "" << 0 << "";
        QTest::newRow("one digit") << "50" << "6" << 2 << "44";
        QTest::newRow("second digit above") << "50" << "60" << 1 << "";
        QTest::newRow("all of it") << "50" << "50" << 2 << "0";
        QTest::newRow("decimal") << "50" << "12.5" << 2 << "37.5";
        QTest::newRow("negative") << "50" << "-5" << 2 << "55";
        QTest::newRow("lone minus") << "50" << "-" << -1 << "";
        QTest::newRow("lone point") << "50" << "." << -1 << "";
        QTest::newRow("two points") << "50" << "1.2.3" << -1 << "";
        QTest::newRow("no card yet") << "" << "5" << -1 << "";
        QTest::newRow("sub-cent") << "0.0003" << "0.0001" << 2 << "0.0002";
    }
    void liveCheck()
    {
        QFETCH(QString, balance);
        QFETCH(QString, amount);
        QFETCH(int, kind);
        QFETCH(QString, remaining);
        const auto live = CardPayment::liveCheck(balance, amount);
        QCOMPARE(live.ok(), kind >= 0);
        if (kind < 0) {
            QVERIFY(!live.errorText().isEmpty());
            return;
        }
        QCOMPARE(int(live->kind), kind);
        if (kind == 2)
            QCOMPARE(live->remaining.toString(), remaining);
    }

    void saveChecks_data()
    {
        QTest::addColumn<QString>("balance");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<int>("kind"); // CardPayment::Check::Kind, -1 error
        QTest::newRow("no card") << " " << "5" << int(CardPayment::Check::Kind::NoCard);
        QTest::newRow("no amount") << "50" << "" << int(CardPayment::Check::Kind::NoAmount);
        QTest::newRow("negative") << "50" << "-0.01" << int(CardPayment::Check::Kind::Negative);
        QTest::newRow("zero passes") << "50" << "0" << int(CardPayment::Check::Kind::Ok);
        QTest::newRow("equal passes") << "50" << "50.00" << int(CardPayment::Check::Kind::Ok);
        QTest::newRow("above") << "50" << "50.0001" << int(CardPayment::Check::Kind::AboveBalance);
        QTest::newRow("letters") << "50" << "abc" << -1;
        QTest::newRow("too precise") << "50" << "1.00001" << -1;
    }
    void saveChecks()
    {
        QFETCH(QString, balance);
        QFETCH(QString, amount);
        QFETCH(int, kind);
        const auto check = CardPayment::checkSave(balance, amount);
        QCOMPARE(check.ok(), kind >= 0);
        if (kind >= 0)
            QCOMPARE(int(check->kind), kind);
    }

    void cardPassword()
    {
        QCOMPARE(CardPayment::passwordMatches(QStringLiteral("8001"), QStringLiteral("Ab1 ")).value(), std::optional<bool>(true));
        QCOMPARE(CardPayment::passwordMatches(QStringLiteral("8001"), QStringLiteral("ab1 ")).value(), std::optional<bool>(false));
        QCOMPARE(CardPayment::passwordMatches(QStringLiteral("8001"), QStringLiteral("Ab1")).value(), std::optional<bool>(false));
        TestEnv::addCard(QStringLiteral("8002"), QStringLiteral("1"));
        QCOMPARE(CardPayment::passwordMatches(QStringLiteral("8002"), QString()).value(), std::optional<bool>(true));
        QCOMPARE(CardPayment::passwordMatches(QStringLiteral("9999"), QString()).value(), std::optional<bool>());
    }

    void paymentBooksBalanceAndJournalOnly()
    {
        int asked = 0;
        const auto outcome = CardPayment::book(
            {holder(QStringLiteral("8001"), QStringLiteral("王芳"), QStringLiteral("女"), QStringLiteral("财务科"),
                    QStringLiteral("午餐")),
             yuan("25.5"), QStringLiteral("0001")},
            [&] {
                ++asked;
                return Status();
            });
        QCOMPARE(outcome.value(), CardPayment::Outcome::Paid);
        QCOMPARE(asked, 1);
        QCOMPARE(balanceOf(QStringLiteral("8001")), QStringLiteral("24.5"));
        QCOMPARE(lastJournalRow(), QStringLiteral("-255000|王芳|女|午餐|8001|财务科|刷卡消费|-255000|2026-12-09|14:30:05|0001"));
        QCOMPARE(TestEnv::count(schema::kCollections), 0);
        // The card's own remark stays.
        QCOMPARE(CardStore::find(QStringLiteral("8001")).value()->remark, QStringLiteral("老顾客"));
    }

    // The balance shown may be stale: the database's balance decides.
    void paymentNeverTakesACardBelowZero()
    {
        TestEnv::exec(QStringLiteral(R"(UPDATE "卡信息" SET "金额" = 100000 WHERE "卡号" = '8001')")); // 10 yuan
        bool asked = false;
        const auto outcome = CardPayment::book({holder(QStringLiteral("8001")), yuan("30"), QStringLiteral("0001")},
                                               [&] {
                                                   asked = true;
                                                   return Status();
                                               });
        QCOMPARE(outcome.value(), CardPayment::Outcome::NotCovered);
        QVERIFY(!asked);
        QCOMPARE(balanceOf(QStringLiteral("8001")), QStringLiteral("10"));
        QCOMPARE(TestEnv::count(schema::kJournal), 0);

        QCOMPARE(CardPayment::book({holder(QStringLiteral("gone")), yuan("1"), {}}, {}).value(),
                 CardPayment::Outcome::NoSuchCard);
        QCOMPARE(CardPayment::book({holder(QStringLiteral("8001")), yuan("10"), {}}, {}).value(),
                 CardPayment::Outcome::Paid);
        QCOMPARE(balanceOf(QStringLiteral("8001")), QStringLiteral("0"));
    }

    void failureBeforeCommitRollsBack()
    {
        const auto paid = CardPayment::book({holder(QStringLiteral("8001")), yuan("5"), {}},
                                            [] { return Status(Error{QStringLiteral("断电")}); });
        QCOMPARE(paid.errorText(), QStringLiteral("断电"));
        const auto recharged = CardRecharge::book({holder(QStringLiteral("8001")), yuan("100"), yuan("80"), {}},
                                                  [] { return Status(Error{QStringLiteral("打印机故障")}); });
        QCOMPARE(recharged.errorText(), QStringLiteral("打印机故障"));
        QCOMPARE(balanceOf(QStringLiteral("8001")), QStringLiteral("50"));
        QCOMPARE(CardStore::find(QStringLiteral("8001")).value()->name, QStringLiteral("王芳"));
        QCOMPARE(TestEnv::count(schema::kJournal), 0);
        QCOMPARE(TestEnv::count(schema::kCollections), 0);
    }

    // Recharge 100 for 80 received: balance +100, collections 80, journal
    // 金额 100 / 实收金额 80; holder fields rewritten everywhere.
    void rechargeWithDiscount()
    {
        QCOMPARE(CardRecharge::newBalance(QStringLiteral("50"), QStringLiteral("100")).value().toString(),
                 QStringLiteral("150"));
        const auto outcome = CardRecharge::book(
            {holder(QStringLiteral("8001"), QStringLiteral("王小芳"), QStringLiteral("女"), QStringLiteral("后勤处"),
                    QStringLiteral("改名")),
             yuan("100"), yuan("80"), QStringLiteral("0002")},
            [] { return Status(); });
        QCOMPARE(outcome.value(), CardRecharge::Outcome::Recharged);
        const auto card = CardStore::find(QStringLiteral("8001")).value().value();
        QCOMPARE(card.balance.toString(), QStringLiteral("150"));
        QCOMPARE(card.name, QStringLiteral("王小芳"));
        QCOMPARE(card.organisation, QStringLiteral("后勤处"));
        QCOMPARE(card.remark, QStringLiteral("改名"));
        QCOMPARE(card.password, QStringLiteral("Ab1 "));
        QCOMPARE(lastJournalRow(), QStringLiteral("800000|王小芳|女|改名|8001|后勤处|旧卡充值|1000000|2026-12-09|14:30:05|0002"));
        QCOMPARE(TestEnv::scalar(QStringLiteral(
                     R"(SELECT "备注" || '|' || "金额" || '|' || "日期" || '|' || "时间" || '|' || "类别" || '|' || "经手人" FROM "收款记录")"))
                     .toString(),
                 QStringLiteral("改名|800000|2026-12-09|14:30:05|旧卡充值|0002"));
    }

    void rechargeOfAMissingCardWritesNothing()
    {
        QCOMPARE(CardRecharge::book({holder(QStringLiteral("nope")), yuan("100"), yuan("100"), {}}, {}).value(),
                 CardRecharge::Outcome::NoSuchCard);
        QCOMPARE(TestEnv::count(schema::kJournal), 0);
        QCOMPARE(TestEnv::count(schema::kCollections), 0);
        QVERIFY(!CardRecharge::newBalance(QString(), QStringLiteral("1")).ok());
        QVERIFY(!CardRecharge::newBalance(QStringLiteral("5"), QStringLiteral("1..")).ok());
    }

    void clearingWritesTheRemovedBalance_data()
    {
        QTest::addColumn<QString>("balance");
        QTest::addColumn<bool>("second");
        QTest::newRow("half a yuan") << "0.5" << false;
        QTest::newRow("one yuan") << "1.00" << true;
        QTest::newRow("twenty") << "20" << true;
        QTest::newRow("already zero") << "0" << false;
    }
    void clearingWritesTheRemovedBalance()
    {
        QFETCH(QString, balance);
        QFETCH(bool, second);
        TestEnv::exec(QStringLiteral(R"(UPDATE "卡信息" SET "金额" = ? WHERE "卡号" = '8001')"),
                      {qlonglong(yuan(balance.toUtf8()).units())});
        const CardRecord card = CardStore::find(QStringLiteral("8001")).value().value();
        QCOMPARE(BalanceClearing::needsSecondQuestion(card.balance), second);
        QCOMPARE(BalanceClearing::clear(card, QStringLiteral("0001")).value(), BalanceClearing::Outcome::Cleared);
        QCOMPARE(balanceOf(QStringLiteral("8001")), QStringLiteral("0"));
        const qlonglong negated = -yuan(balance.toUtf8()).units();
        QCOMPARE(lastJournalRow(), QStringLiteral("%1|王芳|女|老顾客|8001|财务科|旧卡清空|%1|2026-12-09|14:30:05|0001").arg(negated));
        QCOMPARE(TestEnv::count(schema::kCollections), 0);
    }

    void clearingAChangedBalanceWritesNothing()
    {
        CardRecord card = CardStore::find(QStringLiteral("8001")).value().value();
        card.balance = yuan("49");
        QCOMPARE(BalanceClearing::clear(card, QStringLiteral("0001")).value(), BalanceClearing::Outcome::Changed);
        QCOMPARE(balanceOf(QStringLiteral("8001")), QStringLiteral("50"));
        QCOMPARE(TestEnv::count(schema::kJournal), 0);
    }

    void clearingPermission()
    {
        TestEnv::addOperator(QStringLiteral("0002"), QStringLiteral("收银"), QString(), {1, 2, 12});
        QVERIFY(BalanceClearing::permitted(QStringLiteral("0001")).value());
        QVERIFY(!BalanceClearing::permitted(QStringLiteral("0002")).value());
        TestEnv::exec(QStringLiteral(R"(UPDATE "操作员" SET "13" = 1 WHERE "操作员" = '0002')"));
        QVERIFY(BalanceClearing::permitted(QStringLiteral("0002")).value()); // read at the moment of use
        QVERIFY(!BalanceClearing::permitted(QStringLiteral("nobody")).value());
    }
};

QTEST_GUILESS_MAIN(TestTransactionLogic)
#include "tst_transactionlogic.moc"
