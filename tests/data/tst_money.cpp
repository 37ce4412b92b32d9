#include "data/money.h"

#include <QTest>

class TestMoney : public QObject {
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<qlonglong>("units");
        QTest::newRow("whole") << "100" << true << 1000000LL;
        QTest::newRow("decimal") << "12.5" << true << 125000LL;
        QTest::newRow("four decimals") << "0.0001" << true << 1LL;
        QTest::newRow("trailing zeros beyond four") << "1.230000" << true << 12300LL;
        QTest::newRow("leading point") << ".5" << true << 5000LL;
        QTest::newRow("trailing point") << "5." << true << 50000LL;
        QTest::newRow("negative") << "-35.5" << true << -355000LL;
        QTest::newRow("plus") << "+3" << true << 30000LL;
        QTest::newRow("zero") << "0" << true << 0LL;
        QTest::newRow("largest") << "9999999999.9999" << true << 99999999999999LL;
        QTest::newRow("empty") << "" << false << 0LL;
        QTest::newRow("lone minus") << "-" << false << 0LL;
        QTest::newRow("lone point") << "." << false << 0LL;
        QTest::newRow("two points") << "1.2.3" << false << 0LL;
        QTest::newRow("letters") << "abc" << false << 0LL;
        QTest::newRow("exponent") << "1e3" << false << 0LL;
        QTest::newRow("inner blank") << "1 0" << false << 0LL;
        QTest::newRow("five decimals") << "0.00001" << false << 0LL;
        QTest::newRow("too large") << "10000000000" << false << 0LL;
        QTest::newRow("huge") << "99999999999999999999999" << false << 0LL;
        QTest::newRow("full-width digits") << "１２" << false << 0LL;
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(qlonglong, units);
        const Result<Money> m = Money::parse(text);
        QCOMPARE(m.ok(), ok);
        if (ok)
            QCOMPARE(m.value().units(), units);
        else
            QVERIFY(!m.errorText().isEmpty());
    }

    void shortestForm_data()
    {
        QTest::addColumn<qlonglong>("units");
        QTest::addColumn<QString>("text");
        QTest::newRow("37.5") << 375000LL << "37.5";
        QTest::newRow("0") << 0LL << "0";
        QTest::newRow("-35.5") << -355000LL << "-35.5";
        QTest::newRow("100") << 1000000LL << "100";
        QTest::newRow("0.0001") << 1LL << "0.0001";
        QTest::newRow("-0.05") << -500LL << "-0.05";
        QTest::newRow("min") << std::numeric_limits<qlonglong>::min() << "-922337203685477.5808";
    }
    void shortestForm()
    {
        QFETCH(qlonglong, units);
        QFETCH(QString, text);
        QCOMPARE(Money::fromUnits(units).toString(), text);
    }

    void arithmeticIsExactAndChecked()
    {
        const Money a = Money::parse("0.1").value();
        const Money b = Money::parse("0.2").value();
        QCOMPARE(a.plus(b).value().toString(), QStringLiteral("0.3"));
        QCOMPARE(Money::parse("50").value().minus(Money::parse("12.5").value()).value().toString(),
                 QStringLiteral("37.5"));
        QCOMPARE(Money::parse("33.3333").value().times(3).value().toString(), QStringLiteral("99.9999"));
        QVERIFY(!Money::fromUnits(std::numeric_limits<qint64>::max()).plus(Money::fromUnits(1)).ok());
        QVERIFY(!Money::fromUnits(std::numeric_limits<qint64>::min()).minus(Money::fromUnits(1)).ok());
        QVERIFY(!Money::fromYuan(1'000'000'000).times(1'000'000'000'000LL).ok());
    }
};

QTEST_APPLESS_MAIN(TestMoney)
#include "tst_money.moc"
