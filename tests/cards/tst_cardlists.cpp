#include "cards/quicksearch.h"
#include "data/cardlists.h"
#include "data/dm1frm.h"
#include "data/sqllistmodel.h"
#include "support/testenv.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

QStringList column(SqlListModel *model, int c)
{
    QStringList list;
    for (int r = 0; r < model->rowCount(); ++r)
        list << model->text(r, c);
    return list;
}

void addCards()
{
    TestEnv::addCard("1001", "37.5", "王小明", "", "男", "一车间", "");
    TestEnv::addCard("1002", "100", "李红", "", "女", "二车间", "50%折扣");
    TestEnv::addCard("1003", "-35.5", "王芳", "", "女", "一车间", "");
    TestEnv::addCard("1004", "0.05", QString(), "", "男", QString(), "a_b");
    TestEnv::addCard("2001", "12", "Wang", "", "男", "一车间", "");
    // A card whose name and organisation hold no value at all, as rows
    // written by other programs may.
    TestEnv::exec(QStringLiteral(R"(UPDATE "卡信息" SET "姓名" = NULL, "使用单位" = NULL WHERE "卡号" = '1004')"));
}

} // namespace

class TestCardLists : public QObject {
    Q_OBJECT
private slots:
    void search_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("empty text lists all") << "姓名" << "" << QStringList{"1001", "1002", "1003", "1004", "2001"};
        QTest::newRow("sex") << "性别" << "男" << QStringList{"1001", "1004", "2001"};
        QTest::newRow("contains") << "姓名" << "王" << QStringList{"1001", "1003"};
        QTest::newRow("no match") << "姓名" << "赵" << QStringList{};
        QTest::newRow("percent is literal") << "备注" << "%" << QStringList{"1002"};
        QTest::newRow("underscore is literal") << "备注" << "_" << QStringList{"1004"};
        QTest::newRow("quote is a character") << "姓名" << "'" << QStringList{};
        QTest::newRow("text not trimmed") << "卡号" << " 1" << QStringList{};
        QTest::newRow("ascii case ignored") << "姓名" << "wang" << QStringList{"2001"};
        QTest::newRow("blanks around the column") << " 卡号 " << "100" << QStringList{"1001", "1002", "1003", "1004"};
        QTest::newRow("balance as shown") << "金额" << ".5" << QStringList{"1001", "1003"};
        QTest::newRow("negative balance") << "金额" << "-3" << QStringList{"1003"};
        QTest::newRow("small balance") << "金额" << "0.05" << QStringList{"1004"};
        QTest::newRow("whole balance") << "金额" << "100" << QStringList{"1002"};
    }
    void search()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QStringList, numbers);
        TestEnv env;
        addCards();
        SqlListModel *list = DM1->ADOQuery5;
        const Status opened = list->open(cardlists::contains(field, text));
        QVERIFY2(opened.ok(), qPrintable(opened.errorText()));
        QCOMPARE(column(list, 0), numbers);
        QCOMPARE(list->footerText(1).toInt(), int(numbers.size() - numbers.contains("1004")));
    }

    void footers()
    {
        TestEnv env;
        addCards();
        SqlListModel *list = DM1->ADOQuery5;
        QVERIFY(list->open(cardlists::all()).ok());
        const QStringList footer{list->footerText(0), list->footerText(1), list->footerText(2),
                                 list->footerText(3), list->footerText(4), list->footerText(5)};
        // Names: four hold a value; balances 37.5 + 100 - 35.5 + 0.05 + 12.
        QCOMPARE(footer, (QStringList{"合计数量", "4", "", "合计金额", "114.05", ""}));
        QVERIFY(list->open(cardlists::contains("姓名", "赵")).ok());
        QCOMPARE(list->footerText(1), QStringLiteral("0"));
        QCOMPARE(list->footerText(4), QStringLiteral("0"));
    }

    void rejectedColumnLeavesTheListClosed_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("named");
        QTest::newRow("no such column") << "电话" << "电话";
        QTest::newRow("statement text") << "姓名 = '' OR 1=1 --" << "1=1";
        QTest::newRow("id is not a card column") << "id" << "id";
        QTest::newRow("password") << "密码" << "密码";
    }
    void rejectedColumnLeavesTheListClosed()
    {
        QFETCH(QString, field);
        QFETCH(QString, named);
        TestEnv env;
        addCards();
        TestEnv::exec(R"(UPDATE "卡信息" SET "密码" = 'x' WHERE "卡号" = '1001')");
        SqlListModel *list = DM1->ADOQuery5;
        QVERIFY(list->open(cardlists::all()).ok());
        const Status opened = list->open(cardlists::contains(field, "x"));
        QVERIFY(!opened.ok());
        QVERIFY2(opened.errorText().contains(named), qPrintable(opened.errorText()));
        QVERIFY(!list->isOpen());
        QCOMPARE(list->rowCount(), 0);
        // A refresh repeats the rejected statement until a search succeeds.
        QVERIFY(!list->rerun().ok());
        QCOMPARE(list->rowCount(), 0);
        QVERIFY(list->open(cardlists::contains("卡号", "20")).ok());
        QCOMPARE(column(list, 0), QStringList{"2001"});
    }

    void rerunRepeatsTheLastStatementAndSort()
    {
        TestEnv env;
        addCards();
        SqlListModel *list = DM1->ADOQuery5;
        QVERIFY(list->open(cardlists::contains("性别", "女")).ok());
        QVERIFY(list->toggleSort(0, false).ok());
        QVERIFY(list->toggleSort(0, false).ok()); // reversed
        TestEnv::addCard("0999", "1", "新", "", "女");
        TestEnv::addCard("3000", "1", "新", "", "男");
        QVERIFY(list->rerun().ok());
        QCOMPARE(column(list, 0), (QStringList{"1003", "1002", "0999"}));
        QCOMPARE(list->footerText(4), QStringLiteral("65.5"));
    }

    void sortsByFurtherKeys()
    {
        TestEnv env;
        addCards();
        SqlListModel *list = DM1->ADOQuery5;
        QVERIFY(list->open(cardlists::all()).ok());
        QVERIFY(list->toggleSort(3, false).ok()); // 使用单位 ascending
        QVERIFY(list->toggleSort(4, true).ok());  // then 金额 ascending
        QCOMPARE(column(list, 0), (QStringList{"1004", "1003", "2001", "1001", "1002"}));
        QVERIFY(list->toggleSort(4, true).ok()); // 金额 the other way, 使用单位 kept
        QCOMPARE(column(list, 0), (QStringList{"1004", "1001", "2001", "1003", "1002"}));
        QVERIFY(list->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString().contains(u'▲'));
        QVERIFY(list->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString().contains(u'▼'));
        QVERIFY(list->toggleSort(4, false).ok()); // a plain click: 金额 alone, reversed again
        QCOMPARE(list->sortKeys().size(), 1);
        QVERIFY(!list->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString().contains(u'▲'));
        // Money sorts by amount, not by its text.
        QCOMPARE(column(list, 4), (QStringList{"-35.5", "0.05", "12", "37.5", "100"}));
    }

    void find_data()
    {
        using M = SqlListModel;
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("match");
        QTest::addColumn<int>("direction");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("found");
        const int any = int(M::Match::Anywhere), whole = int(M::Match::WholeField), begin = int(M::Match::FromBeginning);
        const int down = int(M::Direction::Down), up = int(M::Direction::Up), all = int(M::Direction::All);
        QTest::newRow("down, every column") << "车间" << -1 << any << down << false << 0 << 1;
        QTest::newRow("down, none left") << "李" << -1 << any << down << false << 1 << -1;
        QTest::newRow("up") << "王" << 1 << any << up << false << 4 << 2;
        QTest::newRow("all wraps round") << "李" << -1 << any << all << false << 3 << 1;
        QTest::newRow("whole field") << "王" << 1 << whole << all << false << 0 << -1;
        QTest::newRow("whole field matches") << "王芳" << 1 << whole << down << false << -1 << 2;
        QTest::newRow("from the beginning") << "小明" << 1 << begin << down << false << -1 << -1;
        QTest::newRow("shown balance") << "-35.5" << 4 << whole << down << false << -1 << 2;
        QTest::newRow("case ignored") << "WANG" << -1 << any << down << false << -1 << 4;
        QTest::newRow("case matched") << "WANG" << -1 << any << down << true << -1 << -1;
    }
    void find()
    {
        QFETCH(QString, text);
        QFETCH(int, column);
        QFETCH(int, match);
        QFETCH(int, direction);
        QFETCH(bool, caseSensitive);
        QFETCH(int, from);
        QFETCH(int, found);
        TestEnv env;
        addCards();
        SqlListModel *list = DM1->ADOQuery5;
        QVERIFY(list->open(cardlists::all()).ok());
        SqlListModel::FindRequest r{text, column, SqlListModel::Match(match), SqlListModel::Direction(direction),
                                    caseSensitive};
        QCOMPARE(list->find(r, from).value().value_or(-1), found);
    }

    void rowIdsFollowTheOrder()
    {
        TestEnv env;
        addCards();
        SqlListModel *list = DM1->ADOQuery5;
        QVERIFY(list->open(cardlists::contains("使用单位", "一")).ok()); // 1001 1003 2001
        const qint64 id = list->rowId(2);
        QCOMPARE(list->rowOfId(id), 2);
        QCOMPARE(list->rowOfId(list->rowId(0)), 0);
        QVERIFY(list->toggleSort(4, false).ok()); // 1003 2001 1001
        QCOMPARE(list->rowOfId(id), 1);
        QCOMPARE(list->rowId(5), -1);
        const qint64 unlisted = TestEnv::scalar(R"(SELECT "id" FROM "卡信息" WHERE "卡号" = '1002')").toLongLong();
        QCOMPARE(list->rowOfId(unlisted), -1);
        QVERIFY(list->setSortKeys({}).ok());
        QCOMPARE(list->rowOfId(unlisted), -1);
    }

    void findFollowsTheSortedOrder()
    {
        TestEnv env;
        addCards();
        SqlListModel *list = DM1->ADOQuery5;
        QVERIFY(list->open(cardlists::all()).ok());
        QVERIFY(list->toggleSort(4, false).ok());
        QVERIFY(list->toggleSort(4, false).ok()); // 金额 descending: 1002 1001 2001 1004 1003
        using M = SqlListModel;
        M::FindRequest r{QStringLiteral("一车间"), 3, M::Match::WholeField, M::Direction::Down, false};
        QCOMPARE(list->find(r, 0).value().value_or(-1), 1);
        QCOMPARE(list->find(r, 1).value().value_or(-1), 2);
        QCOMPARE(list->find(r, 2).value().value_or(-1), 4);
        r.direction = M::Direction::Up;
        QCOMPARE(list->find(r, 4).value().value_or(-1), 2);
        QCOMPARE(list->find(r, 1).value().value_or(-1), -1);
        r.direction = M::Direction::All;
        QCOMPARE(list->find(r, 4).value().value_or(-1), 1);
        // An empty field is found by an empty whole-field search.
        r = {QString(), 1, M::Match::WholeField, M::Direction::Down, false};
        QCOMPARE(list->text(list->find(r, -1).value().value_or(-1), 0), QStringLiteral("1004"));
    }

    void quickSearchRunsOnTheSharedPickList()
    {
        TestEnv env;
        addCards();
        QuickSearch payment(QStringLiteral("ComboBox1"), QStringLiteral("Edit8"), QStringLiteral("BitBtn3"), false);
        QuickSearch recharge(QStringLiteral("ComboBox1"), QStringLiteral("Edit8"), QStringLiteral("BitBtn2"), true);
        QCOMPARE(payment.title(), QStringLiteral("快速查找"));
        payment.prepare();
        QCOMPARE(payment.fieldChooser->count(), 5);
        QCOMPARE(payment.fieldChooser->currentText(), QStringLiteral("姓名"));
        QVERIFY(payment.searchText->text().isEmpty());

        QSignalSpy paymentAsked(&payment, &QuickSearch::searchRequested);
        QSignalSpy rechargeAsked(&recharge, &QuickSearch::searchRequested);
        QTest::keyClick(payment.searchText, Qt::Key_Return);
        QTest::keyClick(recharge.searchText, Qt::Key_Return);
        QCOMPARE(paymentAsked.count(), 0);
        QCOMPARE(rechargeAsked.count(), 1);
        payment.findButton->click();
        QCOMPARE(paymentAsked.count(), 1);

        payment.fieldChooser->setEditText(QStringLiteral("使用单位"));
        payment.searchText->setText(QStringLiteral("二"));
        QVERIFY(payment.runOn(DM1->ADOQuery9).ok());
        QCOMPARE(column(DM1->ADOQuery9, 0), QStringList{"1002"});
        QCOMPARE(DM1->ADOQuery5->rowCount(), 0); // the new card window's list is another one

        payment.fieldChooser->setEditText(QStringLiteral("没有"));
        QVERIFY(!payment.runOn(DM1->ADOQuery9).ok());
        QCOMPARE(DM1->ADOQuery9->rowCount(), 0);
    }
};

QTEST_MAIN(TestCardLists)
#include "tst_cardlists.moc"
