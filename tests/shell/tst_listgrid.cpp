#include "data/cardlists.h"
#include "data/dm1frm.h"
#include "data/sqllistmodel.h"
#include "shell/finddialog.h"
#include "shell/gridfooter.h"
#include "shell/listgrid.h"
#include "support/scripteddialogs.h"
#include "support/testenv.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

namespace {

const QList<int> kWidths{80, 80, 60, 80, 70, 100};

void addCards()
{
    TestEnv::addCard("1001", "37.5", "王小明", "", "男", "一车间", "");
    TestEnv::addCard("1002", "100", "李红", "", "女", "二车间", "一位很长很长很长很长很长很长很长很长很长很长的备注");
    TestEnv::addCard("1003", "-35.5", "王芳", "", "女", "一车间", "");
}

QPoint cellCentre(ListGrid &grid, int row, int column)
{
    return grid.view()->visualRect(grid.model()->index(row, column)).center();
}

} // namespace

class TestListGrid : public QObject {
    Q_OBJECT
private slots:
    void footerFollowsTheColumns()
    {
        TestEnv env;
        addCards();
        ListGrid grid(DM1->ADOQuery5, kWidths);
        grid.setFooterVisible(true);
        grid.resize(470 + 2 * grid.view()->frameWidth(), 300);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QVERIFY(DM1->ADOQuery5->open(cardlists::all()).ok());

        QHeaderView *titles = grid.view()->horizontalHeader();
        // Stretched in proportion to 80:80:60:80:70:100 over the width.
        const int width = grid.view()->viewport()->width();
        QCOMPARE(titles->sectionSize(2), width * 60 / 470);
        QCOMPARE(titles->length(), width);
        for (int c = 0; c < 6; ++c) {
            const QRect cell = grid.footer()->cellRect(c);
            const QPoint left = grid.view()->viewport()->mapTo(&grid, QPoint(titles->sectionViewportPosition(c), 0));
            QCOMPARE(cell.x() + grid.footer()->x(), left.x());
            QCOMPARE(cell.width(), titles->sectionSize(c));
        }
        QCOMPARE(grid.model()->footerText(4), QStringLiteral("102"));
        QCOMPARE(grid.model()->data(grid.model()->index(0, 0), Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        QCOMPARE(grid.model()->headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        QCOMPARE(grid.view()->toolTip(), QStringLiteral("单击列头可实现排序"));
        QVERIFY(grid.isCut(grid.model()->index(1, 5)));
        QVERIFY(!grid.isCut(grid.model()->index(0, 0)));

        grid.setFooterVisible(false);
        QVERIFY(!grid.isFooterVisible());
    }

    void currentRowAndValues()
    {
        TestEnv env;
        ListGrid grid(DM1->ADOQuery9, kWidths);
        QCOMPARE(grid.currentRow(), -1);
        QVERIFY(!grid.currentValue(QStringLiteral("卡号")).isValid());
        addCards();
        QVERIFY(DM1->ADOQuery9->open(cardlists::all()).ok());
        // After every opening the first row is current.
        QCOMPARE(grid.currentRow(), 0);
        grid.setCurrentRow(2);
        QCOMPARE(grid.currentValue(QStringLiteral("卡号")).toString(), QStringLiteral("1003"));
        QCOMPARE(grid.currentValue(QStringLiteral("金额")).value<Money>(), Money::parse("-35.5").value());
        QVERIFY(DM1->ADOQuery9->open(cardlists::contains(QStringLiteral("姓名"), QStringLiteral("无此人"))).ok());
        QCOMPARE(grid.currentRow(), -1);
    }

    void twoGridsShowTheOneSharedList()
    {
        TestEnv env;
        addCards();
        ListGrid payment(DM1->ADOQuery9, kWidths);
        ListGrid recharge(DM1->ADOQuery9, kWidths);
        QVERIFY(DM1->ADOQuery9->open(cardlists::contains(QStringLiteral("性别"), QStringLiteral("女"))).ok());
        QCOMPARE(payment.view()->model()->rowCount(), 2);
        QCOMPARE(recharge.view()->model()->rowCount(), 2);
        QCOMPARE(recharge.currentValue(QStringLiteral("卡号")).toString(), QStringLiteral("1002"));
    }

    void titleClicksSort()
    {
        TestEnv env;
        ScriptedDialogs dialogs;
        addCards();
        ListGrid grid(DM1->ADOQuery5, kWidths);
        grid.resize(500, 300);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QVERIFY(DM1->ADOQuery5->open(cardlists::all()).ok());
        QHeaderView *titles = grid.view()->horizontalHeader();
        auto clickTitle = [&](int c, Qt::KeyboardModifiers modifiers) {
            const QPoint at(titles->sectionViewportPosition(c) + titles->sectionSize(c) / 2, titles->height() / 2);
            QTest::mouseClick(titles->viewport(), Qt::LeftButton, modifiers, at);
        };
        grid.setCurrentRow(1); // 1002
        clickTitle(4, Qt::NoModifier);
        QCOMPARE(grid.model()->text(0, 0), QStringLiteral("1003"));
        QCOMPARE(grid.currentValue(QStringLiteral("卡号")).toString(), QStringLiteral("1002"));
        QCOMPARE(grid.currentRow(), 2);
        clickTitle(4, Qt::NoModifier);
        QCOMPARE(grid.model()->text(0, 0), QStringLiteral("1002"));
        QCOMPARE(grid.currentRow(), 0);
        QVERIFY(grid.model()->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString().contains(u'▼'));
        clickTitle(3, Qt::NoModifier);
        clickTitle(4, Qt::ControlModifier);
        QCOMPARE(grid.model()->sortKeys().size(), 2);
        QCOMPARE(grid.model()->text(0, 0), QStringLiteral("1003"));
        QCOMPARE(grid.model()->text(1, 0), QStringLiteral("1001"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void enterAndDoubleClickActivate()
    {
        TestEnv env;
        ListGrid grid(DM1->ADOQuery5, kWidths);
        grid.resize(500, 300);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QSignalSpy activated(&grid, &ListGrid::activated);
        QSignalSpy doubleClicked(&grid, &ListGrid::doubleClicked);
        QVERIFY(DM1->ADOQuery5->open(cardlists::all()).ok());

        // Empty: the owner still hears of it and finds no current row.
        QTest::keyClick(grid.view(), Qt::Key_Return);
        QTest::mouseDClick(grid.view()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(activated.count(), 2);
        QCOMPARE(doubleClicked.count(), 1);

        addCards();
        QVERIFY(DM1->ADOQuery5->rerun().ok());
        QTest::mouseClick(grid.view()->viewport(), Qt::LeftButton, {}, cellCentre(grid, 1, 1));
        QTest::mouseDClick(grid.view()->viewport(), Qt::LeftButton, {}, cellCentre(grid, 1, 1));
        QCOMPARE(doubleClicked.count(), 2);
        QCOMPARE(grid.currentValue(QStringLiteral("卡号")).toString(), QStringLiteral("1002"));
        QTest::keyClick(grid.view(), Qt::Key_Down);
        QTest::keyClick(grid.view(), Qt::Key_Enter);
        QCOMPARE(activated.count(), 4);
        QCOMPARE(doubleClicked.count(), 2);
        QCOMPARE(grid.currentValue(QStringLiteral("卡号")).toString(), QStringLiteral("1003"));
    }

    void ctrlFFinds()
    {
        TestEnv env;
        ScriptedDialogs dialogs;
        addCards();
        ListGrid grid(DM1->ADOQuery5, kWidths);
        grid.resize(500, 300);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QVERIFY(DM1->ADOQuery5->open(cardlists::all()).ok());
        QTest::keyClick(grid.view(), Qt::Key_F, Qt::ControlModifier);
        FindDialog *find = grid.findDialog();
        QVERIFY(find);
        QVERIFY(find->isVisible());
        QCOMPARE(find->columnBox->count(), 7);

        find->textBox->setText(QStringLiteral("王"));
        find->findNextButton->click();
        QCOMPARE(grid.currentRow(), 2);
        find->findNextButton->click();
        QCOMPARE(grid.currentRow(), 2);
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.lastText().contains(QStringLiteral("王")));

        find->directionBox->setCurrentIndex(1); // up
        find->findNextButton->click();
        QCOMPARE(grid.currentRow(), 0);

        find->textBox->setText(QStringLiteral("二车间"));
        find->columnBox->setCurrentIndex(4); // 使用单位
        find->matchBox->setCurrentIndex(1);  // whole field
        find->directionBox->setCurrentIndex(2); // all
        find->findNextButton->click();
        QCOMPARE(grid.currentRow(), 1);
    }
};

QTEST_MAIN(TestListGrid)
#include "tst_listgrid.moc"
