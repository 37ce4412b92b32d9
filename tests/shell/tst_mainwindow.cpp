#include "data/dm1frm.h"
#include "shell/apppaths.h"
#include "shell/mainfrm.h"
#include "shell/session.h"
#include "shell/textcodec.h"
#include "shell/tickerlabel.h"
#include "support/scripteddialogs.h"
#include "support/testenv.h"
#include "support/windowtest.h"
#include "transactions/xiaofeifrm.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMenu>
#include <QToolBar>
#include <QTest>

class TestMainWindow : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<ScriptedDialogs> m_dialogs;

    void copyDefaultPicture()
    {
        QDir().mkpath(m_env->path(QStringLiteral("image")));
        QVERIFY(QFile::copy(QStringLiteral(VADAZORED_ASSETS "/image/001.jpg"), m_env->path(QStringLiteral("image/001.jpg"))));
    }

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnv>(false);
        m_dialogs = std::make_unique<ScriptedDialogs>();
        Session::logIn(QStringLiteral("0001"), QString());
    }
    void cleanup()
    {
        m_dialogs.reset();
        m_env.reset();
    }

    // No settings file: default shop name in caption and label, the default
    // picture, and a second after showing, the reminder.
    void firstStartUsesDefaultsAndReminds()
    {
        copyDefaultPicture();
        TMAIN main;
        QVERIFY(main.prepare());
        main.ensureInterface();
        QVERIFY(QFile::exists(m_env->path(QStringLiteral("database/database.mdb"))));
        QCOMPARE(main.windowTitle(), QStringLiteral("澄溪软件工作室vadazoredV8.0"));
        QCOMPARE(main.Label1->text(), QStringLiteral("澄溪软件工作室"));
        QCOMPARE(main.Label2->text(), QStringLiteral("vadazored"));
        QVERIFY(!main.Image1->isHidden());
        QVERIFY(m_dialogs->messages.isEmpty());

        QString opened;
        windowtest::onNextModal([&](QWidget *dialog) {
            opened = QString::fromLatin1(dialog->metaObject()->className());
            dialog->close();
        });
        main.show();
        QTRY_COMPARE_WITH_TIMEOUT(m_dialogs->messages.size(), 1, 3000);
        QTRY_COMPARE(opened, QStringLiteral("Tdayinshezhi")); // then the settings dialog opens
        QCOMPARE(m_dialogs->messages[0].text, QStringLiteral("请设置您的店铺名称！"));
        QCOMPARE(m_dialogs->messages[0].caption, QStringLiteral("提示"));
        QCOMPARE(m_dialogs->messages[0].icon, ui::Icon::Error);
        QVERIFY(!main.Timer1->isActive());
        // Shown once per run only.
        main.hide();
        main.show();
        QTest::qWait(1300);
        QCOMPARE(m_dialogs->messages.size(), 1);
    }

    void settingsFromAGbkFile()
    {
        m_env->writeSettings(textcodec::encode(QStringLiteral("[程序参数]\r\n店铺名称=老王饭庄\r\n广告语=会员八折\r\n背景=/no/such.jpg\r\n"),
                                               textcodec::Encoding::Gbk));
        TMAIN main;
        QVERIFY(main.prepare());
        main.ensureInterface();
        QCOMPARE(main.windowTitle(), QStringLiteral("老王饭庄vadazoredV8.0"));
        QCOMPARE(main.slogan->text(), QStringLiteral("会员八折"));
        QVERIFY(main.Image1->isHidden());
        main.show();
        QTest::qWait(1300);
        QVERIFY(m_dialogs->messages.isEmpty());
        // The slogan scrolls.
        const int offset = main.slogan->offset();
        QTRY_VERIFY(main.slogan->offset() != offset);
    }

    void emptyBackgroundLoadsTheDefaultPicture()
    {
        copyDefaultPicture();
        m_env->writeSettings(QStringLiteral("[程序参数]\n背景=\n").toUtf8());
        TMAIN main;
        QVERIFY(main.prepare());
        main.ensureInterface();
        QVERIFY(!main.Image1->isHidden());
        main.loadBackground(m_env->path(QStringLiteral("myini.ini")));
        QVERIFY(main.Image1->isHidden());
    }

    void unusableDatabaseEndsWithMessage()
    {
        QDir().mkpath(m_env->path(QStringLiteral("database")));
        QFile f(m_env->path(QStringLiteral("database/database.mdb")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Standard Jet DB");
        f.close();
        TMAIN main;
        QVERIFY(!main.prepare());
        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages[0].text, QStringLiteral("无法连接到指定的数据库！请重试！"));
        QCOMPARE(m_dialogs->messages[0].caption, QStringLiteral("错误"));
        QCOMPARE(m_dialogs->messages[0].icon, ui::Icon::Error);
        QFile check(m_env->path(QStringLiteral("database/database.mdb")));
        QVERIFY(check.open(QIODevice::ReadOnly));
        QCOMPARE(check.readAll(), QByteArray("Standard Jet DB"));
    }

    void commandTableAndToolBar()
    {
        TMAIN main;
        QVERIFY(main.prepare());
        main.ensureInterface();
        QStringList menus;
        for (QAction *a : main.menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, (QStringList{QStringLiteral("系统设置"), QStringLiteral("储值卡操作"),
                                     QStringLiteral("报表查询"), QStringLiteral("系统帮助")}));
        QStringList items;
        for (QAction *a : main.menuBar()->actions()[1]->menu()->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(items, (QStringList{QStringLiteral("新增储值卡"), QStringLiteral("旧卡充值"), QStringLiteral("刷卡消费"),
                                     QStringLiteral("-"), QStringLiteral("储值卡密码修改"),
                                     QStringLiteral("储值卡密码忘记，找回密码")}));
        QStringList tools;
        for (QAction *a : main.findChild<QToolBar *>(QStringLiteral("ToolBar1"))->actions())
            tools << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(tools, (QStringList{QStringLiteral("刷卡消费"), QStringLiteral("新增储值卡"), QStringLiteral("旧卡充值"),
                                     QStringLiteral("流水记录"), QStringLiteral("-"), QStringLiteral("系统帮助"),
                                     QStringLiteral("-"), QStringLiteral("临时离开"), QStringLiteral("退出系统")}));
    }

    void helpOpensTheDocumentThroughTheDesktop()
    {
        TMAIN main;
        QVERIFY(main.prepare());
        main.ensureInterface();
        main.toolAction(QStringLiteral("系统帮助"))->trigger();
        main.invoke(QStringLiteral("帮助"));
        QCOMPARE(m_dialogs->openedDocuments,
                 QStringList(2, m_env->path(QStringLiteral("help.chm"))));
        QVERIFY(m_dialogs->messages.isEmpty());
    }

    void passwordRecoveryIsForTheAdministratorOnly()
    {
        TMAIN main;
        QVERIFY(main.prepare());
        main.ensureInterface();
        Session::logIn(QStringLiteral("0002"), QString());
        main.invoke(QStringLiteral("储值卡密码忘记，找回密码"));
        QCOMPARE(m_dialogs->texts(), QStringList{QStringLiteral("对不起，只有系统管理员有找回储值卡密码的权限！")});
        QCOMPARE(m_dialogs->messages[0].caption, QStringLiteral("提示"));
    }

    void disabledItemDoesNothing()
    {
        TMAIN main;
        QVERIFY(main.prepare());
        main.ensureInterface();
        main.menuAction(QStringLiteral("退出系统"))->setEnabled(false);
        main.show();
        main.invoke(QStringLiteral("退出系统"));
        QVERIFY(m_dialogs->messages.isEmpty());
        QVERIFY(main.isVisible());
    }

    void closingAsksFirst()
    {
        TMAIN main;
        QVERIFY(main.prepare());
        main.ensureInterface();
        main.show();
        m_dialogs->answers = {ui::Answer::Cancel};
        main.toolAction(QStringLiteral("退出系统"))->trigger();
        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages[0].text, QStringLiteral("确实要退出本系统吗？"));
        QCOMPARE(m_dialogs->messages[0].caption, QStringLiteral("系统提示"));
        QCOMPARE(m_dialogs->messages[0].icon, ui::Icon::Question);
        QCOMPARE(m_dialogs->messages[0].buttons, ui::Buttons::OkCancel);
        QVERIFY(main.isVisible());

        m_dialogs->answers = {ui::Answer::Ok};
        QVERIFY(main.close());
        QVERIFY(!main.isVisible());
    }

    // A second choice of a command brings back the window the first opened,
    // also from minimised.
    void childWindowsAreReused()
    {
        TMAIN main;
        QVERIFY(main.prepare());
        main.show();
        main.invoke(QStringLiteral("刷卡消费"));
        QCOMPARE(main.workArea()->subWindowList().size(), 1);
        QMdiSubWindow *first = main.workArea()->subWindowList().first();
        QCOMPARE(first->windowTitle(), QStringLiteral("刷卡消费"));
        QVERIFY(qobject_cast<Txiaofei *>(first->widget()));
        main.toolAction(QStringLiteral("新增储值卡"))->trigger();
        QCOMPARE(main.workArea()->subWindowList().size(), 2);

        first->showMinimized();
        main.toolAction(QStringLiteral("刷卡消费"))->trigger();
        QCOMPARE(main.workArea()->subWindowList().size(), 2);
        QVERIFY(!first->isMinimized());
        QCOMPARE(main.workArea()->activeSubWindow(), first);

        // Closing destroys it; the next choice makes a new one.
        first->close();
        QTRY_COMPARE(main.workArea()->subWindowList().size(), 1);
        main.invoke(QStringLiteral("刷卡消费"));
        QCOMPARE(main.workArea()->subWindowList().size(), 2);
        QVERIFY(m_dialogs->messages.isEmpty());
    }

    void labelsAreCentred()
    {
        TMAIN main;
        QVERIFY(main.prepare());
        main.ensureInterface();
        main.show();
        main.resize(900, 700);
        QTRY_COMPARE(main.width(), 900);
        const int w = main.frameGeometry().width();
        const int h = main.frameGeometry().height();
        QCOMPARE(main.Label2->x(), (w - main.Label2->width()) / 2);
        QCOMPARE(main.Label2->y(), (h - main.Label2->height()) / 2);
        QCOMPARE(main.Label1->x(), (w - main.Label1->width()) / 2);
        QCOMPARE(main.Label1->y(), (h - 4 * main.Label1->height()) / 2);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
