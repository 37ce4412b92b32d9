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
#include "transactions/mimafrm.h"
#include "transactions/xiaofeifrm.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using windowtest::onNextModal;

class TestXiaofei : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<Tmima> m_mima;
    std::unique_ptr<Txiaofei> m_window;

    QString balance(const QString &number) { return CardStore::find(number).value()->balance.toString(); }

    void swipe(const QString &number)
    {
        m_window->Edit1->setFocus();
        QTest::keyClicks(m_window->Edit1, number);
        QTest::keyClick(m_window->Edit1, Qt::Key_Return);
    }

    // The holder types the password into the prompt when it comes up.
    void holderTypes(const QString &password, bool cancel = false)
    {
        onNextModal([password, cancel](QWidget *modal) {
            auto *prompt = qobject_cast<Tmima *>(modal);
            QVERIFY(prompt);
            QCOMPARE(prompt->Edit1->text(), QString());
            QTest::keyClicks(prompt->Edit1, password);
            if (cancel)
                prompt->BitBtn2->click();
            else
                QTest::keyClick(prompt->Edit1, Qt::Key_Return);
        });
    }

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        Session::logIn(QStringLiteral("0001"), QString());
        Clock::setFixedForTesting(QDateTime(QDate(2026, 12, 9), QTime(12, 0, 1)));
        TestEnv::addCard(QStringLiteral("8001"), QStringLiteral("50"), QStringLiteral("王芳"), QStringLiteral("123"),
                         QStringLiteral("女"), QStringLiteral("财务科"), QStringLiteral("老顾客"));
        TestEnv::addCard(QStringLiteral("8002"), QStringLiteral("8"), QStringLiteral("李雷"));
        m_mima = std::make_unique<Tmima>();
        mima = m_mima.get();
        m_window = std::make_unique<Txiaofei>();
        m_window->show();
        m_window->FormShow();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QApplication::setActiveWindow(m_window.get());
    }
    void cleanup()
    {
        m_window.reset();
        mima = nullptr;
        m_mima.reset();
        m_dialogs.reset();
        Clock::setFixedForTesting({});
        m_env.reset();
    }

    // Card number + Enter, amount, F2, password + Enter: as at the counter.
    void keyboardOnlyPayment()
    {
        m_env->writeSettings(QStringLiteral("[程序参数]\n打印小票=1\n预览=否\n宽度=58\n份数=1\n").toUtf8());
        QCOMPARE(QApplication::focusWidget(), m_window->Edit1);
        QCOMPARE(m_window->Edit1->echoMode(), QLineEdit::Password);
        swipe(QStringLiteral("8001"));
        QCOMPARE(m_window->Edit7->text(), QStringLiteral("50"));
        QCOMPARE(m_window->Edit4->text(), QStringLiteral("王芳"));
        QCOMPARE(m_window->Edit5->text(), QStringLiteral("女"));
        QCOMPARE(m_window->Edit9->text(), QStringLiteral("财务科"));
        QCOMPARE(m_window->Memo1->toPlainText(), QStringLiteral("老顾客"));
        QCOMPARE(QApplication::focusWidget(), m_window->Edit3);

        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12.5x"));
        QCOMPARE(m_window->Edit3->text(), QStringLiteral("12.5")); // the key filter took no "x"
        QCOMPARE(m_window->Edit2->text(), QStringLiteral("37.5"));

        holderTypes(QStringLiteral("123"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);

        QCOMPARE(m_dialogs->texts(), QStringList{QStringLiteral("刷卡消费完成！")});
        QCOMPARE(m_dialogs->messages[0].icon, ui::Icon::Information);
        QCOMPARE(balance(QStringLiteral("8001")), QStringLiteral("37.5"));
        QCOMPARE(TestEnv::scalar(QStringLiteral(R"(SELECT "实收金额" || '|' || "金额" || '|' || "操作类别" || '|' || "备注" || '|' || "经手人" FROM "流水")")).toString(),
                 QStringLiteral("-125000|-125000|刷卡消费|老顾客|0001"));
        QCOMPARE(TestEnv::count(schema::kCollections), 0);
        QCOMPARE(m_dialogs->printed.size(), 1);
        QCOMPARE(m_dialogs->printed[0].title, QStringLiteral("刷卡消费凭证"));
        QVERIFY(!m_dialogs->printed[0].preview);
        for (QLineEdit *box : {m_window->Edit1, m_window->Edit3, m_window->Edit7, m_window->Edit2, m_window->Edit4})
            QVERIFY(box->text().isEmpty());
        QCOMPARE(m_window->focusWidget(), m_window->Edit1); // where the focus returns once the prompt is gone
    }

    void liveCheckAtEveryKeystroke()
    {
        swipe(QStringLiteral("8001"));
        QTest::keyClick(m_window->Edit3, Qt::Key_6);
        QCOMPARE(m_window->Edit2->text(), QStringLiteral("44"));
        QTest::keyClick(m_window->Edit3, Qt::Key_0);
        QCOMPARE(m_dialogs->texts(), QStringList{QStringLiteral("卡内金额不足以支付本次消费，请先充值！")});
        QCOMPARE(m_dialogs->messages[0].icon, ui::Icon::None);
        QCOMPARE(m_window->Edit3->text(), QString());
        QCOMPARE(m_window->Edit2->text(), QString());
        QTest::keyClicks(m_window->Edit3, QStringLiteral("50"));
        QCOMPARE(m_window->Edit2->text(), QStringLiteral("0"));
    }

    void wrongOrCancelledPasswordChangesNothing()
    {
        swipe(QStringLiteral("8001"));
        QTest::keyClicks(m_window->Edit3, QStringLiteral("10"));
        holderTypes(QStringLiteral("124"));
        m_window->BitBtn1->click();
        holderTypes(QStringLiteral("123"), true); // typed, then "退出": an empty password
        m_window->BitBtn1->click();
        QCOMPARE(m_dialogs->texts(), QStringList(2, QStringLiteral("储值卡密码不正确，无法使用！")));
        QCOMPARE(balance(QStringLiteral("8001")), QStringLiteral("50"));
        QCOMPARE(TestEnv::count(schema::kJournal), 0);
        QCOMPARE(m_window->Edit3->text(), QStringLiteral("10"));
        QCOMPARE(m_window->Edit7->text(), QStringLiteral("50"));

        // A card without a password takes an empty one.
        m_dialogs->clear();
        m_window->Edit1->clear();
        swipe(QStringLiteral("8002"));
        QCOMPARE(m_window->Edit3->text(), QStringLiteral("10")); // the amount stays across lookups
        m_window->Edit3->clear();
        QTest::keyClicks(m_window->Edit3, QStringLiteral("8"));
        holderTypes(QString(), true);
        m_window->BitBtn1->click();
        QCOMPARE(m_dialogs->texts(), QStringList{QStringLiteral("刷卡消费完成！")});
        QCOMPARE(balance(QStringLiteral("8002")), QStringLiteral("0"));
    }

    // The balance on screen is stale (the card was cleared meanwhile): the
    // payment is refused and the real balance shown.
    void staleBalanceIsRefused()
    {
        swipe(QStringLiteral("8001"));
        TestEnv::exec(QStringLiteral(R"(UPDATE "卡信息" SET "金额" = 100000 WHERE "卡号" = '8001')"));
        QTest::keyClicks(m_window->Edit3, QStringLiteral("30"));
        QCOMPARE(m_window->Edit2->text(), QStringLiteral("20"));
        holderTypes(QStringLiteral("123"));
        m_window->BitBtn1->click();
        QCOMPARE(m_dialogs->texts(), QStringList{QStringLiteral("卡内金额不足以支付本次消费，请先充值！")});
        QCOMPARE(m_dialogs->messages[0].icon, ui::Icon::Error);
        QCOMPARE(balance(QStringLiteral("8001")), QStringLiteral("10"));
        QCOMPARE(TestEnv::count(schema::kJournal), 0);
        QCOMPARE(m_window->Edit7->text(), QStringLiteral("10"));
        QCOMPARE(m_window->Edit3->text(), QString());
    }

    // A number changed after the lookup without Enter is looked up, not paid.
    void changedNumberIsLookedUpFirst()
    {
        swipe(QStringLiteral("8001"));
        QTest::keyClicks(m_window->Edit3, QStringLiteral("5"));
        m_window->Edit1->setText(QStringLiteral("8002"));
        m_window->BitBtn1->click();
        QVERIFY(m_dialogs->messages.isEmpty());
        QCOMPARE(m_window->Edit4->text(), QStringLiteral("李雷"));
        QCOMPARE(m_window->Edit7->text(), QStringLiteral("8"));
        QCOMPARE(TestEnv::count(schema::kJournal), 0);
    }

    void saveChecks_data()
    {
        QTest::addColumn<QString>("card");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("no card") << "" << "5" << "请先刷卡或输入卡号回车！" << "Edit1";
        QTest::newRow("no amount") << "8001" << "" << "请输入消费金额！" << "Edit3";
        QTest::newRow("negative") << "8001" << "-5" << "消费金额不能为负数！" << "Edit3";
    }
    void saveChecks()
    {
        QFETCH(QString, card);
        QFETCH(QString, amount);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        if (!card.isEmpty())
            swipe(card);
        m_window->Edit3->setFocus();
        QTest::keyClicks(m_window->Edit3, amount);
        m_dialogs->clear();
        m_window->BitBtn1->click();
        QCOMPARE(m_dialogs->texts().value(0), message);
        QCOMPARE(m_dialogs->messages[0].icon, ui::Icon::Error);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(TestEnv::count(schema::kJournal), 0);
    }

    void unknownCardEmptiesTheBoxes()
    {
        swipe(QStringLiteral("8001"));
        swipe(QStringLiteral("9999"));
        QCOMPARE(m_dialogs->texts(), QStringList{QStringLiteral("此卡号不存在！")});
        for (QLineEdit *box : {m_window->Edit1, m_window->Edit7, m_window->Edit4, m_window->Edit9})
            QVERIFY(box->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), m_window->Edit1);
    }

    void amountThatIsNotANumber()
    {
        swipe(QStringLiteral("8001"));
        QTest::keyClicks(m_window->Edit3, QStringLiteral("1.2."));
        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages[0].caption, QStringLiteral("vadazored"));
        QCOMPARE(m_dialogs->messages[0].icon, ui::Icon::Error);
        QVERIFY(m_dialogs->messages[0].text.contains(QStringLiteral("1.2.")));
        m_window->BitBtn1->click();
        QCOMPARE(m_dialogs->messages.size(), 2);
        QCOMPARE(TestEnv::count(schema::kJournal), 0);
        QCOMPARE(balance(QStringLiteral("8001")), QStringLiteral("50"));
    }

    // The payment is recorded before the receipt; a failing printer is
    // reported and the boxes still show the payment.
    void receiptFailureAfterCommit()
    {
        m_env->writeSettings(QStringLiteral("[程序参数]\n打印小票=1\n预览=否\n宽度=76\n").toUtf8());
        m_dialogs->printError = QStringLiteral("打印机缺纸");
        swipe(QStringLiteral("8001"));
        QTest::keyClicks(m_window->Edit3, QStringLiteral("20"));
        holderTypes(QStringLiteral("123"));
        m_window->BitBtn1->click();
        QCOMPARE(m_dialogs->texts(), (QStringList{QStringLiteral("刷卡消费完成！"), QStringLiteral("打印机缺纸.")}));
        QCOMPARE(balance(QStringLiteral("8001")), QStringLiteral("30"));
        QCOMPARE(m_window->Edit3->text(), QStringLiteral("20"));
    }

    // Search, then Enter on a row of the pick list: the card is looked up.
    void pickFromTheList()
    {
        QCOMPARE(m_window->quickSearch->fieldChooser->currentText(), QStringLiteral("姓名"));
        m_window->quickSearch->searchText->setFocus();
        windowtest::typeText(m_window->quickSearch->searchText, QStringLiteral("王"));
        QTest::keyClick(m_window->quickSearch->searchText, Qt::Key_Return);
        QVERIFY(m_window->GroupBox4->isHidden()); // Enter does not search here
        m_window->quickSearch->findButton->click();
        QVERIFY(!m_window->GroupBox4->isHidden());
        QCOMPARE(DM1->ADOQuery9->rowCount(), 1);
        QCOMPARE(QApplication::focusWidget(), m_window->DBGridEh1->view());
        QTest::keyClick(m_window->DBGridEh1->view(), Qt::Key_Return);
        QVERIFY(m_window->GroupBox4->isHidden());
        QCOMPARE(m_window->Edit1->text(), QStringLiteral("8001"));
        QCOMPARE(m_window->Edit7->text(), QStringLiteral("50"));
        QCOMPARE(QApplication::focusWidget(), m_window->Edit3);
    }

    void enterOnTheSaveButtonSaves()
    {
        swipe(QStringLiteral("8002"));
        QTest::keyClicks(m_window->Edit3, QStringLiteral("3"));
        QTest::keyClick(m_window->Edit3, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), m_window->BitBtn1);
        holderTypes(QString());
        QTest::keyClick(m_window->BitBtn1, Qt::Key_Return);
        QCOMPARE(m_dialogs->texts(), QStringList{QStringLiteral("刷卡消费完成！")});
        QCOMPARE(balance(QStringLiteral("8002")), QStringLiteral("5"));
    }

    void escapeAndF2WorkAnywhere()
    {
        swipe(QStringLiteral("8001"));
        m_window->Memo1->setFocus();
        QTest::keyClick(m_window->Memo1, Qt::Key_F2);
        QCOMPARE(m_dialogs->texts(), QStringList{QStringLiteral("请输入消费金额！")});
        QTest::keyClick(m_window->Memo1, Qt::Key_Escape);
        QVERIFY(!m_window->isVisible());
    }
};

QTEST_MAIN(TestXiaofei)
#include "tst_xiaofei.moc"
