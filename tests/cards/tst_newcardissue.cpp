#include "cards/newcardissue.h"
#include "data/schema.h"
#include "shell/clock.h"
#include "shell/session.h"
#include "shell/textutil.h"
#include "support/testenv.h"

#include <QTest>

namespace {

NewCardForm form(const QString &number, const QString &first, const QString &received)
{
    NewCardForm f;
    f.number = number;
    f.name = QStringLiteral("张三");
    f.sex = QStringLiteral("女");
    f.organisation = QStringLiteral("第一车间");
    f.firstRecharge = first;
    f.received = received;
    f.password = QStringLiteral("Ab1");
    f.passwordAgain = QStringLiteral("Ab1");
    f.remark = QStringLiteral("老客户");
    return f;
}

int rowsWritten()
{
    return TestEnv::count(schema::kCards) + TestEnv::count(schema::kJournal)
        + TestEnv::count(schema::kCollections);
}

} // namespace

class TestNewCardIssue : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        Session::logIn(QStringLiteral("0001"), QString());
        Clock::setFixedForTesting(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)));
    }
    void cleanup() { Clock::setFixedForTesting({}); }

    void writesTheThreeRows_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("received");
        QTest::addColumn<qlonglong>("firstUnits");
        QTest::addColumn<qlonglong>("receivedUnits");
        QTest::newRow("discount 100 for 90") << "100" << "90" << 1000000LL << 900000LL;
        QTest::newRow("8 fold 100 for 80") << "100" << "80" << 1000000LL << 800000LL;
        QTest::newRow("decimals exact") << "0.1" << "0.0001" << 1000LL << 1LL;
        QTest::newRow("negative accepted") << "-35.5" << "-35.5" << -355000LL << -355000LL;
        QTest::newRow("free card") << "50" << "0" << 500000LL << 0LL;
        QTest::newRow("largest") << "9999999999.9999" << "1" << 99999999999999LL << 10000LL;
    }
    void writesTheThreeRows()
    {
        QFETCH(QString, first);
        QFETCH(QString, received);
        QFETCH(qlonglong, firstUnits);
        QFETCH(qlonglong, receivedUnits);
        TestEnv env;
        Session::logIn(QStringLiteral("0007"), QString());

        const Status saved = NewCardIssue::save(form(QStringLiteral("A-1"), first, received), {});
        QVERIFY2(saved.ok(), qPrintable(saved.errorText()));

        QCOMPARE(TestEnv::count(schema::kCards), 1);
        QCOMPARE(TestEnv::scalar(R"(SELECT "卡号" || '|' || "使用单位" || '|' || "姓名" || '|' || "性别" || '|' || "密码" || '|' || "备注" FROM "卡信息")").toString(),
                 QStringLiteral("A-1|第一车间|张三|女|Ab1|老客户"));
        QCOMPARE(TestEnv::scalar(R"(SELECT "金额" FROM "卡信息")").toLongLong(), firstUnits);

        QCOMPARE(TestEnv::count(schema::kCollections), 1);
        QCOMPARE(TestEnv::scalar(R"(SELECT "备注" || '|' || "日期" || '|' || "时间" || '|' || "类别" || '|' || "经手人" FROM "收款记录")").toString(),
                 QStringLiteral("老客户|2024-03-05|14:07:09|新卡充值|0007"));
        QCOMPARE(TestEnv::scalar(R"(SELECT "金额" FROM "收款记录")").toLongLong(), receivedUnits);

        QCOMPARE(TestEnv::count(schema::kJournal), 1);
        QCOMPARE(TestEnv::scalar(R"(SELECT "姓名" || '|' || "性别" || '|' || "备注" || '|' || "卡号" || '|' || "使用单位" || '|' || "操作类别" || '|' || "日期" || '|' || "时间" || '|' || "经手人" FROM "流水")").toString(),
                 QStringLiteral("张三|女|老客户|A-1|第一车间|新卡充值|2024-03-05|14:07:09|0007"));
        QCOMPARE(TestEnv::scalar(R"(SELECT "金额" FROM "流水")").toLongLong(), firstUnits);
        QCOMPARE(TestEnv::scalar(R"(SELECT "实收金额" FROM "流水")").toLongLong(), receivedUnits);
    }

    void emptyBoxesAreStoredAsEmptyText()
    {
        TestEnv env;
        NewCardForm f = form(QStringLiteral("B-1"), QStringLiteral("1"), QStringLiteral("1"));
        f.name = QString();
        f.organisation = QString();
        f.password = f.passwordAgain = QString();
        f.remark = QString();
        QVERIFY(NewCardIssue::save(f, {}).ok());
        // A holder typed as nothing still counts in the list's name count.
        QCOMPARE(TestEnv::scalar(R"(SELECT COUNT("姓名") FROM "卡信息")").toInt(), 1);
        QCOMPARE(TestEnv::scalar(R"(SELECT COUNT(*) FROM "卡信息" WHERE "密码" = '' AND "使用单位" = '' AND "备注" = '')").toInt(), 1);
    }

    void checks_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("received");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("again");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus");
        QTest::addColumn<bool>("emptyNumber");
        using F = NewCardRefusal::Focus;
        const int number = int(F::Number), amounts = int(F::FirstRecharge), password = int(F::Password);
        QTest::newRow("first recharge empty, before the number")
            << "" << "" << "5" << "" << "" << NewCardIssue::kAmountsMissing << amounts << false;
        QTest::newRow("received empty") << "9" << "5" << "" << "" << "" << NewCardIssue::kAmountsMissing << amounts << false;
        QTest::newRow("number empty") << "" << "5" << "5" << "" << "" << NewCardIssue::kNumberEmpty << number << false;
        QTest::newRow("number in use, before the passwords")
            << "1001" << "5" << "5" << "a" << "b" << NewCardIssue::kNumberInUse << number << true;
        QTest::newRow("passwords differ in case")
            << "9" << "5" << "5" << "abc" << "ABC" << NewCardIssue::kPasswordsDiffer << password << false;
        QTest::newRow("one password empty") << "9" << "5" << "5" << "" << "x" << NewCardIssue::kPasswordsDiffer << password << false;
        QTest::newRow("two empty passwords pass") << "9" << "5" << "5" << "" << "" << QString() << 0 << false;
        QTest::newRow("amount not a number is left to the save") << "9" << "abc" << "." << "p" << "p" << QString() << 0 << false;
    }
    void checks()
    {
        QFETCH(QString, number);
        QFETCH(QString, first);
        QFETCH(QString, received);
        QFETCH(QString, password);
        QFETCH(QString, again);
        QFETCH(QString, message);
        QFETCH(int, focus);
        QFETCH(bool, emptyNumber);
        TestEnv env;
        TestEnv::addCard(QStringLiteral("1001"), QStringLiteral("10"));
        NewCardForm f = form(number, first, received);
        f.password = password;
        f.passwordAgain = again;
        const auto checked = NewCardIssue::check(f);
        QVERIFY(checked.ok());
        QCOMPARE(checked.value().has_value(), !message.isEmpty());
        if (checked.value()) {
            QCOMPARE(checked.value()->message, message);
            QCOMPARE(int(checked.value()->focus), focus);
            QCOMPARE(checked.value()->emptyNumber, emptyNumber);
        }
    }

    void refusesAmountsThatAreNotNumbers_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("received");
        QTest::addColumn<QString>("named");
        QTest::newRow("lone minus") << "-" << "5" << "-";
        QTest::newRow("lone point") << "." << "5" << ".";
        QTest::newRow("two points") << "1.2.3" << "5" << "1.2.3";
        QTest::newRow("letters") << "abc" << "5" << "abc";
        QTest::newRow("received letters") << "5" << "5元" << "5元";
        QTest::newRow("received lone point") << "5" << "." << ".";
        QTest::newRow("more than four decimals") << "0.00001" << "5" << "0.00001";
    }
    void refusesAmountsThatAreNotNumbers()
    {
        QFETCH(QString, first);
        QFETCH(QString, received);
        QFETCH(QString, named);
        TestEnv env;
        bool followedUp = false;
        const Status saved = NewCardIssue::save(form(QStringLiteral("C-1"), first, received),
                                                [&](const QDateTime &) -> Status {
                                                    followedUp = true;
                                                    return {};
                                                });
        QVERIFY(!saved.ok());
        QVERIFY2(saved.errorText().contains(named), qPrintable(saved.errorText()));
        QVERIFY(!followedUp);
        QCOMPARE(rowsWritten(), 0);
    }

    void followUpRunsInsideTheTransaction()
    {
        TestEnv env;
        QDateTime seen;
        int rowsSeen = 0;
        const Status saved = NewCardIssue::save(form(QStringLiteral("D-1"), QStringLiteral("10"), QStringLiteral("8")),
                                                [&](const QDateTime &moment) -> Status {
                                                    seen = moment;
                                                    rowsSeen = rowsWritten();
                                                    return Error{QStringLiteral("打印机缺纸")};
                                                });
        QCOMPARE(saved.errorText(), QStringLiteral("打印机缺纸"));
        QCOMPARE(rowsSeen, 3);
        QCOMPARE(seen, QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)));
        QCOMPARE(rowsWritten(), 0);

        // The connection is usable again and a later save commits.
        QVERIFY(NewCardIssue::save(form(QStringLiteral("D-1"), QStringLiteral("10"), QStringLiteral("8")), {}).ok());
        QCOMPARE(rowsWritten(), 3);
    }

    void aNumberTakenAfterTheCheckIsRolledBack()
    {
        TestEnv env;
        const NewCardForm f = form(QStringLiteral("E-1"), QStringLiteral("10"), QStringLiteral("10"));
        QVERIFY(!NewCardIssue::check(f).value().has_value());
        TestEnv::addCard(QStringLiteral("E-1"), QStringLiteral("3"));
        const Status saved = NewCardIssue::save(f, {});
        QVERIFY(!saved.ok());
        QCOMPARE(TestEnv::count(schema::kCards), 1);
        QCOMPARE(TestEnv::scalar(R"(SELECT "金额" FROM "卡信息")").toLongLong(), 30000LL);
        QCOMPARE(TestEnv::count(schema::kJournal) + TestEnv::count(schema::kCollections), 0);
    }

    void trimsBlanksAndControlCharacters_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("reader's line end") << "  6200123\r\n" << "6200123";
        QTest::newRow("tabs and control characters") << "\t\x01" "12 34\x1f" << "12 34";
        QTest::newRow("only blanks") << " \t " << "";
        QTest::newRow("inner blanks kept") << "a  b" << "a  b";
    }
    void trimsBlanksAndControlCharacters()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QCOMPARE(textutil::trimmed(typed), kept);
    }

    void editPermissionIsReadAtEachUse()
    {
        TestEnv env;
        TestEnv::addOperator(QStringLiteral("0002"), QStringLiteral("王"), QString(), {6});
        Session::logIn(QStringLiteral("0002"), QString());
        QCOMPARE(NewCardIssue::mayEditCards().value(), false);
        TestEnv::exec(R"(UPDATE "操作员" SET "12" = 1 WHERE "操作员" = '0002')");
        QCOMPARE(NewCardIssue::mayEditCards().value(), true);
        Session::logIn(QStringLiteral("9999"), QString());
        QCOMPARE(NewCardIssue::mayEditCards().value(), false);
    }
};

QTEST_GUILESS_MAIN(TestNewCardIssue)
#include "tst_newcardissue.moc"
