#include "cards/quicksearch.h"
#include "cards/xinkafafangfrm.h"
#include "data/dm1frm.h"
#include "data/schema.h"
#include "data/sqllistmodel.h"
#include "shell/clock.h"
#include "shell/listgrid.h"
#include "shell/popupcombobox.h"
#include "shell/session.h"
#include "support/scripteddialogs.h"
#include "support/testenv.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <memory>

namespace {

// Types text into whatever has the focus, as the card reader or the keyboard
// would; Chinese text arrives as one key event carrying it.
void type(const QString &text)
{
    QWidget *target = QApplication::focusWidget();
    QVERIFY(target);
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii)
        QTest::keyClicks(target, text);
    else
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, text, Qt::NoModifier);
}

void enter()
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

QString focused()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

ui::Message message(const QString &caption, const QString &text, ui::Icon icon)
{
    return {caption, text, icon, ui::Buttons::Ok};
}

} // namespace

namespace ui {
bool operator==(const Message &a, const Message &b)
{
    return a.caption == b.caption && a.text == b.text && a.icon == b.icon && a.buttons == b.buttons;
}
char *toString(const Message &m)
{
    return QTest::toString(QStringLiteral("%1|%2|%3").arg(m.caption, m.text).arg(int(m.icon)));
}
} // namespace ui

class TestXinkafafang : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnv> env;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<Txinkafafang> w;

    void openWindow()
    {
        w = std::make_unique<Txinkafafang>();
        w->show();
        QApplication::setActiveWindow(w.get());
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        w->FormShow();
    }

    void fill(const QString &number, const QString &first, const QString &received,
              const QString &password = QString(), const QString &again = QString())
    {
        w->Edit1->setText(number);
        w->Edit2->setText(QStringLiteral("张三"));
        w->Edit3->setText(first);
        w->Edit4->setText(received);
        w->Edit5->setText(password);
        w->Edit6->setText(again);
    }

    int rowsWritten() const
    {
        return TestEnv::count(schema::kCards) + TestEnv::count(schema::kJournal)
            + TestEnv::count(schema::kCollections);
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        dialogs = std::make_unique<ScriptedDialogs>();
        Session::logIn(QStringLiteral("0001"), QString());
        Clock::setFixedForTesting(QDateTime(QDate(2024, 6, 1), QTime(9, 30, 0)));
    }
    void cleanup()
    {
        w.reset();
        dialogs.reset();
        env.reset();
        Clock::setFixedForTesting({});
    }

    void showsPrepared()
    {
        TestEnv::addCard("1001", "20", "甲");
        openWindow();
        QCOMPARE(w->windowTitle(), QStringLiteral("新增储值卡"));
        QCOMPARE(w->property("mdiLeft").toInt(), 50);
        QCOMPARE(focused(), QStringLiteral("Edit1"));
        QCOMPARE(w->ComboBox2->currentText(), QStringLiteral("男"));
        QCOMPARE(w->ComboBox2->count(), 2);
        QCOMPARE(w->quickSearch->fieldChooser->objectName(), QStringLiteral("ComboBox3"));
        QCOMPARE(w->quickSearch->fieldChooser->currentText(), QStringLiteral("姓名"));
        QCOMPARE(w->quickSearch->searchText->objectName(), QStringLiteral("Edit8"));
        QCOMPARE(w->quickSearch->findButton->objectName(), QStringLiteral("BitBtn4"));
        QCOMPARE(w->DBGridEh1->objectName(), QStringLiteral("DBGridEh1"));
        QVERIFY(w->DBGridEh1->isFooterVisible());
        QCOMPARE(DM1->ADOQuery5->rowCount(), 1);
        QCOMPARE(DM1->ADOQuery5->footerText(4), QStringLiteral("20"));
        QVERIFY(w->Edit7->isHidden() && w->Edit10->isHidden());
    }

    void issuesACardWithTheKeyboardAlone()
    {
        env->writeSettings("[程序参数]\n打印小票=1\n预览=否\n份数=1\n宽度=58\n店铺名称=小店\n");
        TestEnv::addOperator(QStringLiteral("0002"), QStringLiteral("收银"), QString(), {6});
        Session::logIn(QStringLiteral("0002"), QString());
        TestEnv::addCard("1001", "20", "甲");
        openWindow();

        type(QStringLiteral(" 6200001 "));
        enter();
        QCOMPARE(w->Edit1->text(), QStringLiteral("6200001"));
        QCOMPARE(focused(), QStringLiteral("Edit2"));
        type(QStringLiteral("王小明"));
        enter();
        QCOMPARE(focused(), QStringLiteral("ComboBox2"));
        enter();
        QCOMPARE(focused(), QStringLiteral("ComboBox1"));
        type(QStringLiteral("ACME"));
        enter();
        QCOMPARE(focused(), QStringLiteral("Edit3"));
        type(QStringLiteral("100"));
        enter();
        QCOMPARE(focused(), QStringLiteral("Edit4"));
        QCOMPARE(w->Edit4->text(), QStringLiteral("100"));
        type(QStringLiteral("80")); // replaces the copied amount, which Enter selected
        enter();
        QCOMPARE(focused(), QStringLiteral("Edit5"));
        type(QStringLiteral("pw"));
        enter();
        type(QStringLiteral("pw"));
        enter();
        QCOMPARE(focused(), QStringLiteral("Memo1"));
        type(QStringLiteral("八折"));
        enter();
        QCOMPARE(focused(), QStringLiteral("BitBtn1"));
        QVERIFY(dialogs->messages.isEmpty());
        enter();

        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dialogs->messages[0], message("提示", "新增储值卡成功", ui::Icon::Information));
        QCOMPARE(TestEnv::scalar(R"(SELECT "卡号" || '|' || "金额" || '|' || "使用单位" || '|' || "姓名" || '|' || "性别" || '|' || "密码" || '|' || "备注" FROM "卡信息" WHERE "卡号" = '6200001')").toString(),
                 QStringLiteral("6200001|1000000|ACME|王小明|男|pw|八折"));
        QCOMPARE(TestEnv::scalar(R"(SELECT "金额" || '|' || "类别" || '|' || "经手人" || '|' || "日期" || '|' || "时间" || '|' || "备注" FROM "收款记录")").toString(),
                 QStringLiteral("800000|新卡充值|0002|2024-06-01|09:30:00|八折"));
        QCOMPARE(TestEnv::scalar(R"(SELECT "金额" || '|' || "实收金额" || '|' || "操作类别" || '|' || "卡号" || '|' || "经手人" FROM "流水")").toString(),
                 QStringLiteral("1000000|800000|新卡充值|6200001|0002"));

        // The receipt, from the boxes as they were.
        QCOMPARE(dialogs->printed.size(), 1);
        QCOMPARE(dialogs->printed[0].title, QStringLiteral("新卡充值凭证"));
        QVERIFY(!dialogs->printed[0].preview);

        // The list and its footers show the new card.
        QCOMPARE(DM1->ADOQuery5->rowCount(), 2);
        QCOMPARE(DM1->ADOQuery5->footerText(1), QStringLiteral("2"));
        QCOMPARE(DM1->ADOQuery5->footerText(4), QStringLiteral("120"));

        // Ready for the next card: boxes empty, sex and organisation kept.
        QCOMPARE(focused(), QStringLiteral("Edit1"));
        for (QLineEdit *box : {w->Edit1, w->Edit2, w->Edit3, w->Edit4, w->Edit5, w->Edit6})
            QVERIFY(box->text().isEmpty());
        QVERIFY(w->Memo1->toPlainText().isEmpty());
        QCOMPARE(w->ComboBox2->currentText(), QStringLiteral("男"));
        QCOMPARE(w->ComboBox1->currentText(), QStringLiteral("ACME"));
    }

    void aNumberInUseIsRefusedOnLeavingTheBox()
    {
        TestEnv::addCard("1001", "20", "甲");
        openWindow();
        type(QStringLiteral("1001"));
        QTest::keyClick(w->Edit1, Qt::Key_Tab);
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dialogs->messages[0], message("提示", "卡号重复！", ui::Icon::Error));
        QVERIFY(w->Edit1->text().isEmpty());
        QCOMPARE(focused(), QStringLiteral("Edit1"));

        // A click elsewhere leaves the box too; a free number sends the focus
        // to the name.
        type(QStringLiteral("1002"));
        QTest::mouseClick(w->Edit5, Qt::LeftButton);
        QCOMPARE(focused(), QStringLiteral("Edit2"));
        QCOMPARE(dialogs->messages.size(), 1);
    }

    void saveRefusals_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("received");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("again");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("numberAfter");
        QTest::newRow("amounts first") << "" << " " << "5" << "" << "" << "请填写正确的充值金额和实际收款金额！" << "Edit3" << "";
        QTest::newRow("number empty") << "  " << "5" << "5" << "" << "" << "卡号不能为空！" << "Edit1" << "";
        QTest::newRow("number in use") << " 1001" << "5" << "5" << "" << "" << "卡号重复！" << "Edit1" << "";
        QTest::newRow("passwords differ") << "7" << "5" << "5" << "a" << "b" << "两次密码不一致！" << "Edit5" << "7";
    }
    void saveRefusals()
    {
        QFETCH(QString, number);
        QFETCH(QString, first);
        QFETCH(QString, received);
        QFETCH(QString, password);
        QFETCH(QString, again);
        QFETCH(QString, text);
        QFETCH(QString, focus);
        QFETCH(QString, numberAfter);
        TestEnv::addCard("1001", "20", "甲");
        openWindow();
        fill(number, first, received, password, again);
        w->BitBtn1->click();
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dialogs->messages[0], message("提示", text, ui::Icon::Error));
        QCOMPARE(focused(), focus);
        QCOMPARE(w->Edit1->text(), numberAfter);
        QCOMPARE(rowsWritten(), 1);
    }

    void anAmountThatIsNotANumberWritesNothing()
    {
        openWindow();
        fill(QStringLiteral("9"), QStringLiteral("1.2.3"), QStringLiteral("5"));
        w->BitBtn1->click();
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dialogs->messages[0].caption, QStringLiteral("vadazored"));
        QCOMPARE(dialogs->messages[0].icon, ui::Icon::None);
        QVERIFY(dialogs->messages[0].text.contains(QStringLiteral("1.2.3")));
        QCOMPARE(rowsWritten(), 0);
        QCOMPARE(w->Edit3->text(), QStringLiteral("1.2.3"));
    }

    void theAmountReceivedTakesOnlyAmountKeys()
    {
        openWindow();
        w->Edit4->setFocus();
        QTest::keyClicks(w->Edit4, QStringLiteral("1a2. -x5"));
        QCOMPARE(w->Edit4->text(), QStringLiteral("12.-5"));
        QTest::keyClick(w->Edit4, Qt::Key_Backspace);
        QCOMPARE(w->Edit4->text(), QStringLiteral("12.-"));
        w->Edit4->insert(QStringLiteral("元")); // pasted or composed text is held to the same keys
        QCOMPARE(w->Edit4->text(), QStringLiteral("12.-"));
        // The first recharge has no key filter; leaving it copies its text.
        w->Edit3->setFocus();
        QTest::keyClicks(w->Edit3, QStringLiteral("abc"));
        QTest::keyClick(w->Edit3, Qt::Key_Tab);
        QCOMPARE(w->Edit4->text(), QStringLiteral("abc"));
    }

    void receipts_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<int>("copies");
        QTest::addColumn<bool>("preview");
        QTest::newRow("printing off by default") << QByteArray() << 0 << false;
        QTest::newRow("previewed twice") << QByteArray("打印小票=1\n份数=2\n") << 2 << true;
        QTest::newRow("direct on 120") << QByteArray("打印小票=1\n预览=否\n宽度=120\n") << 1 << false;
        QTest::newRow("unknown width") << QByteArray("打印小票=1\n宽度=80\n") << 0 << false;
        QTest::newRow("no copies") << QByteArray("打印小票=1\n份数=0\n") << 0 << false;
    }
    void receipts()
    {
        QFETCH(QByteArray, settings);
        QFETCH(int, copies);
        QFETCH(bool, preview);
        env->writeSettings("[程序参数]\n" + settings);
        openWindow();
        fill(QStringLiteral("9"), QStringLiteral("50"), QStringLiteral("45"));
        w->BitBtn1->click();
        QCOMPARE(dialogs->texts(), QStringList{"新增储值卡成功"});
        QCOMPARE(TestEnv::count(schema::kCards), 1);
        QCOMPARE(dialogs->printed.size(), copies);
        for (const auto &p : dialogs->printed)
            QCOMPARE(p.preview, preview);
    }

    void aFailingReceiptRollsTheCardBack_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("printError");
        QTest::addColumn<QString>("shown");
        QTest::newRow("printer fails") << QByteArray("打印小票=1\n预览=否\n") << "打印机缺纸" << "打印机缺纸";
        QTest::newRow("copies not a number") << QByteArray("打印小票=1\n份数=两\n") << "" << "两";
    }
    void aFailingReceiptRollsTheCardBack()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, printError);
        QFETCH(QString, shown);
        env->writeSettings("[程序参数]\n" + settings);
        dialogs->printError = printError;
        TestEnv::addCard("1001", "20", "甲");
        openWindow();
        fill(QStringLiteral("9"), QStringLiteral("50"), QStringLiteral("45"));
        int listedDuringSave = 0;
        dialogs->onMessage = [&](const ui::Message &m) {
            if (m.text == QStringLiteral("新增储值卡成功"))
                listedDuringSave = DM1->ADOQuery5->rowCount();
        };
        w->BitBtn1->click();
        QCOMPARE(dialogs->messages.size(), 2);
        QCOMPARE(dialogs->messages[0].text, QStringLiteral("新增储值卡成功"));
        QCOMPARE(dialogs->messages[1].caption, QStringLiteral("vadazored"));
        QCOMPARE(dialogs->messages[1].icon, ui::Icon::None);
        QVERIFY(dialogs->messages[1].text.contains(shown));
        QCOMPARE(listedDuringSave, 1); // the success message comes before the list refresh
        QCOMPARE(rowsWritten(), 1);
        QCOMPARE(DM1->ADOQuery5->rowCount(), 1);
        QCOMPARE(DM1->ADOQuery5->footerText(4), QStringLiteral("20"));
        QCOMPARE(w->Edit1->text(), QStringLiteral("9"));
        QCOMPARE(w->Edit4->text(), QStringLiteral("45"));
    }

    void searchRefreshAndSaveKeepTheSearch()
    {
        TestEnv::addCard("1001", "20", "甲", "", "男");
        TestEnv::addCard("1002", "30", "乙", "", "女");
        openWindow();
        w->quickSearch->fieldChooser->setEditText(QStringLiteral("性别"));
        // Leaving the card number box sends the focus to the name box, even
        // towards the search text; the second try reaches it.
        w->quickSearch->searchText->setFocus();
        QCOMPARE(focused(), QStringLiteral("Edit2"));
        w->quickSearch->searchText->setFocus();
        type(QStringLiteral("女"));
        enter(); // Enter in the search text searches; the focus stays
        QCOMPARE(focused(), QStringLiteral("Edit8"));
        QCOMPARE(DM1->ADOQuery5->rowCount(), 1);
        QCOMPARE(DM1->ADOQuery5->footerText(4), QStringLiteral("30"));

        TestEnv::addCard("1003", "5", "丙", "", "女");
        TestEnv::addCard("1004", "5", "丁", "", "男");
        w->BitBtn5->click();
        QCOMPARE(DM1->ADOQuery5->rowCount(), 2);

        fill(QStringLiteral("1005"), QStringLiteral("1"), QStringLiteral("1"));
        w->ComboBox2->setCurrentIndex(1);
        w->BitBtn1->click();
        QCOMPARE(DM1->ADOQuery5->rowCount(), 3);
        QCOMPARE(DM1->ADOQuery5->footerText(1), QStringLiteral("3"));
        QVERIFY(dialogs->messages.size() == 1);
    }

    void aRejectedColumnEmptiesTheList()
    {
        TestEnv::addCard("1001", "20", "甲");
        openWindow();
        w->quickSearch->fieldChooser->setEditText(QStringLiteral("电话"));
        w->quickSearch->findButton->click();
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dialogs->messages[0].caption, QStringLiteral("vadazored"));
        QCOMPARE(dialogs->messages[0].icon, ui::Icon::Error);
        QVERIFY(dialogs->messages[0].text.contains(QStringLiteral("电话")));
        QCOMPARE(DM1->ADOQuery5->rowCount(), 0);
        QCOMPARE(w->DBGridEh1->currentRow(), -1);
        w->BitBtn5->click(); // the refresh repeats the rejected search
        QCOMPARE(dialogs->messages.size(), 2);
        QCOMPARE(DM1->ADOQuery5->rowCount(), 0);
    }

    void organisationsFillOnDropDown()
    {
        TestEnv::addCard("1001", "1", "", "", "男", "一车间");
        TestEnv::addCard("1002", "1", "", "", "男", "二车间");
        TestEnv::addCard("1003", "1", "", "", "男", "一车间");
        TestEnv::addCard("1004", "1", "", "", "男", QString());
        openWindow();
        QCOMPARE(w->ComboBox1->count(), 0);
        w->ComboBox1->setEditText(QStringLiteral("三车"));
        w->ComboBox1->showPopup();
        QStringList items;
        for (int i = 0; i < w->ComboBox1->count(); ++i)
            items << w->ComboBox1->itemText(i);
        items.sort();
        QCOMPARE(items, (QStringList{"", "一车间", "二车间"}));
        QCOMPARE(w->ComboBox1->currentText(), QStringLiteral("三车"));
        w->ComboBox1->hidePopup();
    }

    void doubleClickNeedsTheEditPermissionNow()
    {
        TestEnv::addOperator(QStringLiteral("0002"), QStringLiteral("收银"), QString(), {6});
        Session::logIn(QStringLiteral("0002"), QString());
        openWindow();
        QSignalSpy editAsked(w.get(), &Txinkafafang::cardEditRequested);
        QTableView *view = w->DBGridEh1->view();
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(dialogs->messages.isEmpty()); // an empty list: nothing at all

        TestEnv::addCard(" 1001 ", "20", "甲", "", "女", "一车间", "备");
        w->BitBtn5->click();
        const QPoint row0 = view->visualRect(DM1->ADOQuery5->index(0, 1)).center();
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row0);
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dialogs->messages[0], message("提示", "对不起！您没有修改或删除储值卡的权限!", ui::Icon::Error));
        QCOMPARE(editAsked.count(), 0);

        TestEnv::exec(R"(UPDATE "操作员" SET "12" = 1 WHERE "操作员" = '0002')");
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row0);
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(editAsked.count(), 1);
        QCOMPARE(editAsked[0][0].toString(), QStringLiteral("1001"));

        // Enter in the list is not a double-click here.
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(editAsked.count(), 1);
    }

    void batchAndExit()
    {
        openWindow();
        QSignalSpy batchAsked(w.get(), &Txinkafafang::batchIssueRequested);
        w->BitBtn3->click();
        QCOMPARE(batchAsked.count(), 1);
        w->BitBtn2->click();
        QVERIFY(!w->isVisible());
        QVERIFY(dialogs->messages.isEmpty());
    }
};

QTEST_MAIN(TestXinkafafang)
#include "tst_xinkafafang.moc"
