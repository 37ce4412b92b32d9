#include "cards/picklist.h"
#include "cards/quicksearch.h"
#include "data/cardstore.h"
#include "data/dm1frm.h"
#include "data/schema.h"
#include "data/sqllistmodel.h"
#include "shell/clock.h"
#include "shell/listgrid.h"
#include "shell/session.h"
#include "support/scripteddialogs.h"
#include "support/testenv.h"
#include "support/windowtest.h"
#include "transactions/chongzhifrm.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

class TestChongzhi : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<Tchongzhi> m_window;

    CardRecord card(const QString &number) { return CardStore::find(number).value().value(); }

    void swipe(const QString &number)
    {
        m_window->Edit1->setFocus();
        m_window->Edit1->clear();
        QTest::keyClicks(m_window->Edit1, number);
        QTest::keyClick(m_window->Edit1, Qt::Key_Return);
    }
    void type(const QString &text) { windowtest::typeText(QApplication::focusWidget(), text); }
    void enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
    void replace(const QString &text)
    {
        auto *box = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(box);
        box->selectAll();
        type(text);
    }

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        Session::logIn(QStringLiteral("0001"), QString());
        Clock::setFixedForTesting(QDateTime(QDate(2026, 12, 9), QTime(9, 8, 7)));
        TestEnv::addCard(QStringLiteral("7001"), QStringLiteral("20.5"), QStringLiteral("赵敏"), QStringLiteral("1"),
                         QStringLiteral("女"), QStringLiteral("工会"), QStringLiteral("旧备注"));
        TestEnv::addCard(QStringLiteral("7002"), QStringLiteral("0.5"), QStringLiteral("张三"));
        m_window = std::make_unique<Tchongzhi>();
        m_window->show();
        m_window->FormShow();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QApplication::setActiveWindow(m_window.get());
    }
    void cleanup()
    {
        m_window.reset();
        m_dialogs.reset();
        Clock::setFixedForTesting({});
        m_env.reset();
    }

    // Recharge 100 for 80 received, holder data corrected on the way, with the
    // keyboard only.
    void keyboardOnlyRechargeWithDiscount()
    {
        m_env->writeSettings(QStringLiteral("[程序参数]\n打印小票=1\n预览=是\n份数=2\n").toUtf8());
        swipe(QStringLiteral("7001"));
        QCOMPARE(m_window->Edit3->text(), QStringLiteral("20.5"));
        QCOMPARE(m_window->Edit7->text(), QStringLiteral("赵敏"));
        QCOMPARE(m_window->ComboBox2->currentText(), QStringLiteral("女"));
        QCOMPARE(m_window->Edit2->text(), QStringLiteral("工会"));
        QCOMPARE(QApplication::focusWidget(), m_window->Edit4);

        m_window->Edit7->setFocus();
        replace(QStringLiteral("赵敏敏"));
        enter();
        QCOMPARE(QApplication::focusWidget(), m_window->ComboBox2);
        enter();
        QCOMPARE(QApplication::focusWidget(), m_window->Edit2);
        replace(QStringLiteral("后勤处"));
        enter();
        QCOMPARE(QApplication::focusWidget(), m_window->Edit4);
        type(QStringLiteral("100"));
        enter();
        QCOMPARE(QApplication::focusWidget(), m_window->Edit5);
        QCOMPARE(m_window->Edit5->text(), QStringLiteral("100"));
        replace(QStringLiteral("80"));
        enter();
        QCOMPARE(QApplication::focusWidget(), m_window->BitBtn4);
        enter();

        QCOMPARE(m_dialogs->texts(), QStringList{QStringLiteral("充值成功！")});
        QCOMPARE(m_dialogs->messages[0].icon, ui::Icon::Information);
        const CardRecord c = card(QStringLiteral("7001"));
        QCOMPARE(c.balance.toString(), QStringLiteral("120.5"));
        QCOMPARE(c.name, QStringLiteral("赵敏敏"));
        QCOMPARE(c.organisation, QStringLiteral("后勤处"));
        QCOMPARE(TestEnv::scalar(QStringLiteral(R"(SELECT "实收金额" || '|' || "金额" || '|' || "姓名" || '|' || "使用单位" || '|' || "操作类别" FROM "流水")")).toString(),
                 QStringLiteral("800000|1000000|赵敏敏|后勤处|旧卡充值"));
        QCOMPARE(TestEnv::scalar(QStringLiteral(R"(SELECT "金额" || '|' || "类别" || '|' || "经手人" FROM "收款记录")")).toString(),
                 QStringLiteral("800000|旧卡充值|0001"));
        QCOMPARE(m_window->Edit11->text(), QStringLiteral("120.5"));
        QCOMPARE(m_dialogs->printed.size(), 2); // two copies, previewed one after the other
        QVERIFY(m_dialogs->printed[0].preview && m_dialogs->printed[1].preview);
        QCOMPARE(m_dialogs->printed[0].title, QStringLiteral("旧卡充值凭证"));
        QCOMPARE(m_window->Edit1->text(), QString());
        QCOMPARE(QApplication::focusWidget(), m_window->Edit1);
    }

    // The received amount follows the recharge amount whenever that box
    // loses the focus.
    void receivedFollowsRechargeAmount()
    {
        swipe(QStringLiteral("7001"));
        m_window->Edit5->setFocus();
        type(QStringLiteral("70"));
        m_window->Edit4->setFocus();
        type(QStringLiteral("90"));
        m_window->Memo1->setFocus(); // a click elsewhere
        QCOMPARE(m_window->Edit5->text(), QStringLiteral("90"));
    }

    void checks_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("no number") << "" << "10" << "卡号不能为空!" << "Edit1";
        QTest::newRow("no amount") << "7001" << "" << "本次充值金额不能为空!" << "Edit4";
    }
    void checks()
    {
        QFETCH(QString, number);
        QFETCH(QString, amount);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        if (!number.isEmpty())
            swipe(number);
        m_window->Edit4->setText(amount);
        m_window->Edit5->setText(amount);
        m_window->BitBtn4->click();
        QCOMPARE(m_dialogs->texts(), QStringList{message});
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(TestEnv::count(schema::kJournal), 0);
    }

    // A number typed without Enter is looked up first, not recharged blind.
    void unlookedNumberIsLookedUpFirst()
    {
        m_window->Edit1->setText(QStringLiteral("7002"));
        m_window->Edit4->setText(QStringLiteral("10"));
        m_window->BitBtn4->click();
        QVERIFY(m_dialogs->messages.isEmpty());
        QCOMPARE(m_window->Edit7->text(), QStringLiteral("张三"));
        QCOMPARE(TestEnv::count(schema::kJournal), 0);

        m_window->Edit1->setText(QStringLiteral("nope"));
        m_window->BitBtn4->click();
        QCOMPARE(m_dialogs->texts(), QStringList{QStringLiteral("此卡号不存在!")});
        QCOMPARE(TestEnv::count(schema::kCollections), 0);
    }

    // A failing receipt or an unusable received amount: nothing is written.
    void failuresWriteNothing()
    {
        swipe(QStringLiteral("7001"));
        m_window->Edit4->setText(QStringLiteral("100"));
        m_window->Edit5->setText(QString());
        m_window->BitBtn4->click();
        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages[0].caption, QStringLiteral("vadazored"));
        QCOMPARE(m_dialogs->messages[0].icon, ui::Icon::None);

        m_env->writeSettings(QStringLiteral("[程序参数]\n打印小票=1\n预览=否\n份数=abc\n").toUtf8());
        m_dialogs->clear();
        m_window->Edit5->setText(QStringLiteral("100"));
        m_window->BitBtn4->click();
        QCOMPARE(m_dialogs->messages.size(), 2);
        QCOMPARE(m_dialogs->messages[0].text, QStringLiteral("充值成功！"));
        QCOMPARE(m_dialogs->messages[1].caption, QStringLiteral("vadazored"));
        QVERIFY(m_dialogs->messages[1].text.contains(QStringLiteral("abc")));

        QCOMPARE(card(QStringLiteral("7001")).balance.toString(), QStringLiteral("20.5"));
        QCOMPARE(TestEnv::count(schema::kJournal), 0);
        QCOMPARE(TestEnv::count(schema::kCollections), 0);
        QCOMPARE(m_window->Edit1->text(), QStringLiteral("7001")); // the boxes kept their values
    }

    void clearingWithoutFlag13()
    {
        TestEnv::addOperator(QStringLiteral("0002"), QStringLiteral("收银"), QString(), {7});
        Session::logIn(QStringLiteral("0002"), QString());
        swipe(QStringLiteral("7002"));
        m_window->BitBtn1->click();
        QCOMPARE(m_dialogs->texts(), QStringList{QStringLiteral("对不起！您没有手动清除卡内余额的权限!")});
        QCOMPARE(card(QStringLiteral("7002")).balance.toString(), QStringLiteral("0.5"));
    }

    // A small remainder takes one question, 1 yuan or more two; Cancel at
    // either changes nothing.
    void clearing_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QList<int>>("answers"); // 1 OK, 0 Cancel
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("0.5, OK") << "7002" << QList<int>{1} << 1 << true;
        QTest::newRow("0.5, cancel") << "7002" << QList<int>{0} << 1 << false;
        QTest::newRow("20.5, OK OK") << "7001" << QList<int>{1, 1} << 2 << true;
        QTest::newRow("20.5, OK cancel") << "7001" << QList<int>{1, 0} << 2 << false;
    }
    void clearing()
    {
        QFETCH(QString, number);
        QFETCH(QList<int>, answers);
        QFETCH(int, questions);
        QFETCH(bool, cleared);
        const QString before = card(number).balance.toString();
        m_window->Edit1->setText(number);
        for (int a : answers)
            m_dialogs->answers << (a ? ui::Answer::Ok : ui::Answer::Cancel);
        m_window->BitBtn1->click();
        int asked = 0;
        for (const auto &m : m_dialogs->messages) {
            if (m.icon == ui::Icon::Question) {
                QCOMPARE(m.caption, QStringLiteral("特别提示"));
                ++asked;
            }
        }
        QCOMPARE(asked, questions);
        QCOMPARE(card(number).balance.toString(), cleared ? QStringLiteral("0") : before);
        QCOMPARE(TestEnv::count(schema::kJournal), cleared ? 1 : 0);
        if (cleared) {
            QCOMPARE(m_dialogs->lastText(), QStringLiteral("卡内余额清除成功！"));
            QCOMPARE(m_window->Edit3->text(), QStringLiteral("0"));
            QCOMPARE(QApplication::focusWidget(), m_window->Edit4);
            QCOMPARE(TestEnv::scalar(QStringLiteral(R"(SELECT "操作类别" || '|' || "金额" FROM "流水")")).toString(),
                     QStringLiteral("旧卡清空|-%1").arg(Money::parse(before).value().units()));
            QCOMPARE(TestEnv::count(schema::kCollections), 0);
        }
    }

    void clearingAnUnknownCardKeepsTheNumber()
    {
        m_window->Edit1->setText(QStringLiteral(" 9999 "));
        m_window->BitBtn1->click();
        QCOMPARE(m_dialogs->texts().last(), QStringLiteral("此卡号不存在!"));
        QCOMPARE(m_window->Edit1->text(), QStringLiteral("9999"));
        m_dialogs->clear();
        m_window->Edit1->clear();
        m_window->BitBtn1->click();
        QVERIFY(m_dialogs->messages.isEmpty()); // empty number: nothing at all
    }

    void pickListAndNotice()
    {
        QCOMPARE(m_window->Label13->text().split(u'\n'), Tchongzhi::kNotice);
        m_window->quickSearch->searchText->setFocus();
        windowtest::typeText(m_window->quickSearch->searchText, QStringLiteral("张"));
        QTest::keyClick(m_window->quickSearch->searchText, Qt::Key_Return); // Enter searches here
        QVERIFY(!m_window->GroupBox4->isHidden());
        QCOMPARE(DM1->ADOQuery9->rowCount(), 1);
        m_window->BitBtn5->click();
        QVERIFY(m_window->GroupBox4->isHidden());
        QCOMPARE(QApplication::focusWidget(), m_window->Edit1);
    }
};

QTEST_MAIN(TestChongzhi)
#include "tst_chongzhi.moc"
