#include "shell/login.h"
#include "shell/loginrules.h"
#include "shell/mainfrm.h"
#include "shell/session.h"
#include "support/scripteddialogs.h"
#include "support/testenv.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestLogin : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TMAIN> m_main;
    std::unique_ptr<Tloginform> m_login;

    void typePassword(const QString &password)
    {
        m_login->edtpassword->setFocus();
        m_login->edtpassword->clear();
        QTest::keyClicks(m_login->edtpassword, password);
        QTest::keyClick(m_login->edtpassword, Qt::Key_Return);
    }

private slots:
    void passwordRule_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("match");
        QTest::newRow("both empty") << "" << "" << true;
        QTest::newRow("same") << "abc123" << "abc123" << true;
        QTest::newRow("latin case ignored") << "SeCrEt" << "secret" << true;
        QTest::newRow("length differs") << "secret " << "secret" << false;
        QTest::newRow("digit differs") << "secret1" << "secret2" << false;
        QTest::newRow("full-width latin exact") << "ａbc" << "Ａbc" << false;
        QTest::newRow("full-width same") << "ａbc" << "ａBC" << true;
        QTest::newRow("accented not folded") << "é" << "É" << false;
        QTest::newRow("chinese") << "密码" << "密码" << true;
        QTest::newRow("empty against set") << "" << "x" << false;
    }
    void passwordRule()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(bool, match);
        QCOMPARE(loginrules::passwordsMatch(typed, stored), match);
    }

    void init()
    {
        m_env = std::make_unique<TestEnv>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        TestEnv::addOperator(QStringLiteral("ab01"), QStringLiteral("查询员"), QStringLiteral("Pass9"), {9});
        TestEnv::addOperator(QStringLiteral("0002"), QStringLiteral("收银员"), QString(), {});
        m_main = std::make_unique<TMAIN>();
        m_login = std::make_unique<Tloginform>(m_main.get());
        Session::logIn(QString(), QString());
        m_login->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_login.get()));
    }
    void cleanup()
    {
        m_login.reset();
        m_main.reset();
        m_dialogs.reset();
        m_env.reset();
    }

    void listsOperatorsAndSelectsTheFirst()
    {
        QCOMPARE(m_login->cbusername->count(), 3);
        QCOMPARE(m_login->cbusername->currentText(), QStringLiteral("0001"));
        QCOMPARE(m_login->Edit1->text(), QStringLiteral("系统管理员"));
        QCOMPARE(m_login->windowTitle(), QStringLiteral("系统登陆"));
    }

    void administratorLogsInWithEmptyPassword()
    {
        typePassword(QString());
        QCOMPARE(m_login->result(), int(QDialog::Accepted));
        QCOMPARE(Session::operatorId(), QStringLiteral("0001"));
        QCOMPARE(m_main->operatorPane->text(), QStringLiteral("当前用户为:0001"));
        for (const QString &item : {QStringLiteral("操作人员及权限设置"), QStringLiteral("刷卡消费"),
                                    QStringLiteral("操作员收款报表")})
            QVERIFY(m_main->menuAction(item)->isEnabled());
        QVERIFY(m_dialogs->messages.isEmpty());
    }

    // Typing completes to the first id that begins with the text (case
    // ignored); the login keeps the password exactly as typed.
    void typedIdCompletesAndFlagsApply()
    {
        m_login->cbusername->setFocus();
        m_login->cbusername->lineEdit()->selectAll();
        QTest::keyClick(m_login->cbusername->lineEdit(), Qt::Key_A);
        QCOMPARE(m_login->cbusername->currentText(), QStringLiteral("ab01"));
        QCOMPARE(m_login->Edit1->text(), QStringLiteral("查询员"));
        QTRY_COMPARE(QApplication::focusWidget(), m_login->edtpassword);

        typePassword(QStringLiteral("pASS9"));
        QCOMPARE(m_login->result(), int(QDialog::Accepted));
        QCOMPARE(Session::operatorId(), QStringLiteral("ab01"));
        QCOMPARE(Session::loginPassword(), QStringLiteral("pASS9"));
        QVERIFY(m_main->menuAction(QStringLiteral("充值历史记录"))->isEnabled());
        QVERIFY(!m_main->toolAction(QStringLiteral("流水记录"))->isEnabled());
        for (const QString &item : {QStringLiteral("刷卡消费"), QStringLiteral("新增储值卡"), QStringLiteral("旧卡充值"),
                                    QStringLiteral("卡操作流水记录"), QStringLiteral("数据备份"),
                                    QStringLiteral("操作人员及权限设置")})
            QVERIFY2(!m_main->menuAction(item)->isEnabled(), qPrintable(item));
        for (const QString &item : {QStringLiteral("修改操作人员密码"), QStringLiteral("数据初始化"), QStringLiteral("退出系统"),
                                    QStringLiteral("储值卡密码忘记，找回密码"), QStringLiteral("帮助"), QStringLiteral("关于")})
            QVERIFY2(m_main->menuAction(item)->isEnabled(), qPrintable(item));
        for (const QString &tool : {QStringLiteral("系统帮助"), QStringLiteral("临时离开"), QStringLiteral("退出系统")})
            QVERIFY(m_main->toolAction(tool)->isEnabled());
    }

    void operatorWithoutFlagsGetsOnlyTheAlwaysItems()
    {
        m_login->cbusername->setCurrentIndex(2);
        typePassword(QString());
        QCOMPARE(Session::operatorId(), QStringLiteral("0002"));
        for (const QString &tool : {QStringLiteral("刷卡消费"), QStringLiteral("新增储值卡"), QStringLiteral("旧卡充值"),
                                    QStringLiteral("流水记录")})
            QVERIFY(!m_main->toolAction(tool)->isEnabled());
    }

    void unknownIdIsRefused()
    {
        m_login->cbusername->setFocus();
        m_login->cbusername->lineEdit()->selectAll();
        QTest::keyClick(m_login->cbusername->lineEdit(), Qt::Key_9);
        QTRY_COMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages[0].text, QStringLiteral("不存在的用户！"));
        QCOMPARE(m_dialogs->messages[0].caption, QStringLiteral("提示"));
        QCOMPARE(m_dialogs->messages[0].icon, ui::Icon::Error);
        QTRY_COMPARE(QApplication::focusWidget(), m_login->cbusername);
        QCOMPARE(m_login->Edit1->text(), QString());

        m_dialogs->clear();
        m_login->button1->click();
        QCOMPARE(m_dialogs->texts(), QStringList{QStringLiteral("不存在的用户！")});
        QCOMPARE(m_login->wrongPasswords(), 0);
        QVERIFY(m_login->isVisible());
    }

    void fifthWrongPasswordEnds()
    {
        for (int i = 1; i <= 4; ++i) {
            typePassword(QStringLiteral("wrong"));
            QCOMPARE(m_dialogs->lastText(), QStringLiteral("密码错误，请重新输入！"));
            QCOMPARE(m_login->edtpassword->text(), QString());
            QVERIFY(m_login->isVisible());
        }
        m_login->cbusername->setCurrentIndex(1); // wrong passwords count across operators
        typePassword(QStringLiteral("wrong"));
        QCOMPARE(m_dialogs->lastText(), QStringLiteral("密码错误超过五次，软件将被关闭！"));
        QCOMPARE(m_login->result(), int(QDialog::Rejected));
        QVERIFY(Session::operatorId().isEmpty());
    }

    void fourWrongThenRightLogsIn()
    {
        for (int i = 0; i < 4; ++i)
            typePassword(QStringLiteral("x"));
        typePassword(QString());
        QCOMPARE(m_login->result(), int(QDialog::Accepted));
    }

    void exitButtonEnds()
    {
        m_login->button2->click();
        QCOMPARE(m_login->result(), int(QDialog::Rejected));
        QVERIFY(Session::operatorId().isEmpty());
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
