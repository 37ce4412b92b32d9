#include "receipts/dayinshezhifrm.h"
#include "receipts/receiptsettings.h"
#include "receipts/shopsettings.h"
#include "shell/apppaths.h"
#include "shell/childwindows.h"
#include "shell/fontfaces.h"
#include "shell/inifile.h"
#include "shell/mainfrm.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString kSection = QStringLiteral("程序参数");

void writeSettings(const QByteArray &content)
{
    QFile f(AppPaths::settingsFile());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray settingsBytes()
{
    QFile f(AppPaths::settingsFile());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString stored(const QString &key)
{
    return IniFile::load(AppPaths::settingsFile()).value(kSection, key).value_or(QStringLiteral("<missing>"));
}

void typeText(QWidget *w, const QString &text)
{
    // keyClicks cannot send Chinese text; one key event carries it all.
    QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, text, Qt::NoModifier);
}

} // namespace

class TestDayinshezhi : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { fontfaces::install(); }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        AppPaths::setExeDirForTesting(m_dir->path());
    }
    void cleanup() { m_dir.reset(); }

    void showsDefaultsWithoutFile();
    void showsTheFile_data();
    void showsTheFile();
    void notesLineByLine();
    void saveWritesEveryKeyInOrder();
    void saveRefusesEmptyShopName();
    void saveFailureIsReported();
    void awkwardTextsRoundTrip_data();
    void awkwardTextsRoundTrip();
    void copiesBoxTakesDigitsAndPoint();
    void saveRefusesCopiesThatCannotPrint_data();
    void saveRefusesCopiesThatCannotPrint();
    void memosHoldAtMost250();
    void enterMovesThroughTheBoxes();
    void browseWritesAndReloadsAtOnce();
    void testPageShowsUnsavedChoice_data();
    void testPageShowsUnsavedChoice();
    void testPagePreviewErrorIsShown();
    void menuItemOpensAFreshDialog();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestDayinshezhi::showsDefaultsWithoutFile()
{
    Tdayinshezhi d;
    QCOMPARE(d.windowTitle(), QStringLiteral("小票打印及店铺名称设置"));
    QCOMPARE(d.Edit1->text(), QString());
    QCOMPARE(d.Memo1->toPlainText(), QString());
    QCOMPARE(d.Edit4->text(), QString());
    QCOMPARE(d.Memo2->toPlainText(), QString());
    QCOMPARE(d.Edit2->text(), QStringLiteral("1"));
    QVERIFY(!d.CheckBox1->isChecked());
    QCOMPARE(d.ComboBox1->currentText(), QString());
    QCOMPARE(d.widthIndex(), 0);           // 58 mm shown when 宽度 is missing
    QVERIFY(d.widthButtons[0]->isChecked());
    QCOMPARE(d.previewIndex(), 0);         // 预览后打印
    QVERIFY(!QFile::exists(AppPaths::settingsFile())); // showing never creates the file
    // Every named control can be found by its name.
    for (const char *name : {"Edit1", "Memo1", "Edit4", "Button1", "RadioGroup1", "Memo2", "RadioGroup2", "Edit2",
                             "CheckBox1", "ComboBox1", "BitBtn1", "BitBtn3", "BitBtn2", "Memo3"})
        QVERIFY2(d.findChild<QWidget *>(QLatin1String(name)), name);
    QCOMPARE(d.BitBtn1->text(), QStringLiteral("保存"));
    QCOMPARE(d.BitBtn3->text(), QStringLiteral("小票打印测试"));
    QCOMPARE(d.BitBtn2->text(), QStringLiteral("退出"));
    QCOMPARE(d.Button1->text(), QStringLiteral("..."));
    QCOMPARE(d.widthButtons[2]->text(), QStringLiteral("120 毫米"));
    QCOMPARE(d.previewButtons[1]->text(), QStringLiteral("不预览直接打印"));
    QVERIFY(d.ComboBox1->isHidden() || !d.ComboBox1->parentWidget()->isVisibleTo(&d));
}

void TestDayinshezhi::showsTheFile_data()
{
    QTest::addColumn<QByteArray>("width");
    QTest::addColumn<QByteArray>("preview");
    QTest::addColumn<int>("widthIndex");
    QTest::addColumn<int>("previewIndex");
    QTest::newRow("58, yes") << QByteArray("58") << QByteArray("是") << 0 << 0;
    QTest::newRow("76, no") << QByteArray("76") << QByteArray("否") << 1 << 1;
    QTest::newRow("120, other text") << QByteArray("120") << QByteArray("yes") << 2 << 1;
    QTest::newRow("unknown width shows 76") << QByteArray("80") << QByteArray("是") << 1 << 0;
    QTest::newRow("empty width shows 76") << QByteArray("") << QByteArray("") << 1 << 1;
}

void TestDayinshezhi::showsTheFile()
{
    QFETCH(QByteArray, width);
    QFETCH(QByteArray, preview);
    QFETCH(int, widthIndex);
    QFETCH(int, previewIndex);
    writeSettings("[程序参数]\n店铺名称=澄溪小店\n广告语=欢迎\\n光临\n背景=/srv/pic.jpg\n小票尾=谢谢\n份数=3\n"
                  "打印小票=1\n打印端口=LPT2\n宽度=" + width + "\n预览=" + preview + "\n");
    Tdayinshezhi d;
    QCOMPARE(d.Edit1->text(), QStringLiteral("澄溪小店"));
    QCOMPARE(d.Memo1->toPlainText(), QStringLiteral("欢迎\n光临"));
    QCOMPARE(d.Edit4->text(), QStringLiteral("/srv/pic.jpg"));
    QCOMPARE(d.Memo2->toPlainText(), QStringLiteral("谢谢"));
    QCOMPARE(d.Edit2->text(), QStringLiteral("3"));
    QVERIFY(d.CheckBox1->isChecked());
    QCOMPARE(d.ComboBox1->currentText(), QStringLiteral("LPT2"));
    QCOMPARE(d.widthIndex(), widthIndex);
    QCOMPARE(d.previewIndex(), previewIndex);
}

void TestDayinshezhi::notesLineByLine()
{
    Tdayinshezhi d;
    const QStringList lines = d.Memo3->toPlainText().split(u'\n');
    QCOMPARE(lines.size(), 24);
    QCOMPARE(lines[0], QStringLiteral("  "));
    QCOMPARE(lines[1], QStringLiteral(" 1、请正确填写你的店铺"));
    QCOMPARE(lines[3], QStringLiteral("印的小票上； "));
    QCOMPARE(lines[4], QString());
    QCOMPARE(lines[5], QStringLiteral("  2、如果想要打印小票，"));
    QCOMPARE(lines[17], QStringLiteral("确后，点保存即可；"));
    QCOMPARE(lines[19], QStringLiteral(" 3：信息保存后，可以点"));
    QCOMPARE(lines[20], QStringLiteral("“小票打印测试”来测试"));
    QCOMPARE(lines[21], QStringLiteral("该打印机是否工作正常。"));
    QCOMPARE(lines[22], QStringLiteral("  "));
    QCOMPARE(lines[23], QString());
    QVERIFY(d.Memo3->isReadOnly());
    QCOMPARE(d.Memo3->palette().color(QPalette::Text), QColor(Qt::blue));
}

void TestDayinshezhi::saveWritesEveryKeyInOrder()
{
    ScriptedDialogs dialogs;
    Tdayinshezhi d;
    d.Edit1->setText(QStringLiteral("  澄溪小店  "));
    d.Memo1->setPlainText(QStringLiteral("欢迎光临"));
    d.Edit4->setText(QStringLiteral("/srv/pic.jpg"));
    d.Memo2->setPlainText(QStringLiteral("谢谢惠顾"));
    d.Edit2->clear();
    d.CheckBox1->setChecked(true);
    d.widthButtons[2]->setChecked(true);
    d.previewButtons[1]->setChecked(true);
    QTest::mouseClick(d.BitBtn1, Qt::LeftButton);

    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].caption, QStringLiteral("提示"));
    QCOMPARE(dialogs.messages[0].text, QStringLiteral("保存成功,修改后的软件界面效果重新启动软件后体现！"));
    QCOMPARE(dialogs.messages[0].icon, ui::Icon::Information);
    QCOMPARE(d.Edit1->text(), QStringLiteral("澄溪小店")); // trimmed and written back
    QCOMPARE(d.Edit2->text(), QStringLiteral("1"));
    QCOMPARE(d.ComboBox1->currentText(), QStringLiteral("无"));

    // A new file holds the keys in the order they are written.
    const QString text = QString::fromUtf8(settingsBytes());
    QCOMPARE(text.split(u'\n', Qt::SkipEmptyParts),
             QStringList({"[程序参数]", "打印端口=无", "店铺名称=澄溪小店", "广告语=欢迎光临", "背景=/srv/pic.jpg",
                          "小票尾=谢谢惠顾", "份数=1", "打印小票=1", "宽度=120", "预览=否"}));

    // The saves that print receipts read what the dialog wrote.
    const ReceiptSettings r = ReceiptSettings::read();
    QCOMPARE(r.shopName, QStringLiteral("澄溪小店"));
    QCOMPARE(r.footer, QStringLiteral("谢谢惠顾"));
    QCOMPARE(r.print, true);
    QCOMPARE(r.width, QStringLiteral("120"));
    QCOMPARE(r.preview, QStringLiteral("否"));
    QCOMPARE(r.copies, QStringLiteral("1"));

    // And the next opening shows it again.
    Tdayinshezhi again;
    QCOMPARE(again.widthIndex(), 2);
    QCOMPARE(again.previewIndex(), 1);
    QVERIFY(again.CheckBox1->isChecked());
    QCOMPARE(again.ComboBox1->currentText(), QStringLiteral("无"));

    // Saving over an existing file keeps its other lines and rewrites the keys in place.
    writeSettings("; kept\n[程序参数]\n宽度=58\n其他=保留\n[别的]\n店铺名称=别处\n");
    Tdayinshezhi third;
    QCOMPARE(third.widthIndex(), 0);
    third.Edit1->setText(QStringLiteral("新店"));
    third.widthButtons[1]->setChecked(true);
    third.BitBtn1Click();
    const QString rewritten = QString::fromUtf8(settingsBytes());
    QVERIFY(rewritten.startsWith(QStringLiteral("; kept\n[程序参数]\n宽度=76\n其他=保留\n打印端口=无\n店铺名称=新店\n")));
    QVERIFY(rewritten.endsWith(QStringLiteral("[别的]\n店铺名称=别处\n")));
}

void TestDayinshezhi::saveRefusesEmptyShopName()
{
    ScriptedDialogs dialogs;
    Tdayinshezhi d;
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    d.Edit1->setText(QStringLiteral("   "));
    d.Edit2->setFocus();
    d.BitBtn1Click();
    QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("店铺名称不能为空！")});
    QCOMPARE(dialogs.messages[0].icon, ui::Icon::Error);
    QCOMPARE(dialogs.messages[0].caption, QStringLiteral("提示"));
    QVERIFY(!QFile::exists(AppPaths::settingsFile()));
    QCOMPARE(QApplication::focusWidget(), d.Edit1);
    QCOMPARE(d.Edit1->text(), QString());
}

void TestDayinshezhi::saveFailureIsReported()
{
    // A folder where the file should be: it cannot be written.
    QVERIFY(QDir().mkpath(AppPaths::settingsFile()));
    ScriptedDialogs dialogs;
    Tdayinshezhi d;
    d.Edit1->setText(QStringLiteral("小店"));
    d.BitBtn1Click();
    QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("保存失败！")});
    QCOMPARE(dialogs.messages[0].icon, ui::Icon::Error);
}

void TestDayinshezhi::awkwardTextsRoundTrip_data()
{
    QTest::addColumn<QString>("shop");
    QTest::addColumn<QString>("slogan");
    QTest::addColumn<QString>("footer");
    QTest::newRow("line breaks") << "小店" << "第一行\n第二行" << "谢谢\n\n惠顾";
    QTest::newRow("quotes") << "\"小店\"" << "'欢迎'" << "\"谢谢\" 惠顾 \"";
    QTest::newRow("blanks at the ends") << "小店" << "  欢迎  " << " 谢谢 ";
    QTest::newRow("equals and semicolons") << "a=b;c" << "[x]" << "=谢谢;";
    QTest::newRow("250 characters") << QString(250, u'店') << QString(250, u'欢') << QStringLiteral("谢").repeated(250);
}

void TestDayinshezhi::awkwardTextsRoundTrip()
{
    QFETCH(QString, shop);
    QFETCH(QString, slogan);
    QFETCH(QString, footer);
    ScriptedDialogs dialogs;
    {
        Tdayinshezhi d;
        d.Edit1->setText(shop);
        d.Memo1->setPlainText(slogan);
        d.Memo2->setPlainText(footer);
        d.BitBtn1Click();
        QCOMPARE(dialogs.lastText(), QStringLiteral("保存成功,修改后的软件界面效果重新启动软件后体现！"));
    }
    const QString shopTrimmed = shop.trimmed();
    Tdayinshezhi d;
    QCOMPARE(d.Edit1->text(), shopTrimmed);
    QCOMPARE(d.Memo1->toPlainText(), slogan);
    QCOMPARE(d.Memo2->toPlainText(), footer);
    const ReceiptSettings r = ReceiptSettings::read();
    QCOMPARE(r.shopName, shopTrimmed);
    QCOMPARE(r.footer, footer);
    // Every key stays on its own line of the file.
    QCOMPARE(settingsBytes().count('\n'), 10);
}

void TestDayinshezhi::copiesBoxTakesDigitsAndPoint()
{
    Tdayinshezhi d;
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    d.Edit2->clear();
    d.Edit2->setFocus();
    QTest::keyClicks(d.Edit2, QStringLiteral("a1-2.5 x9"));
    typeText(d.Edit2, QStringLiteral("二"));
    QCOMPARE(d.Edit2->text(), QStringLiteral("12.59"));
    QTest::keyClick(d.Edit2, Qt::Key_Backspace);
    QCOMPARE(d.Edit2->text(), QStringLiteral("12.5"));
}

void TestDayinshezhi::saveRefusesCopiesThatCannotPrint_data()
{
    QTest::addColumn<QString>("copies");
    QTest::addColumn<bool>("saved");
    QTest::newRow("2.5") << "2.5" << false;
    QTest::newRow("point only") << "." << false;
    QTest::newRow("too many") << "100" << false;
    QTest::newRow("99") << "99" << true;
    QTest::newRow("0") << "0" << true;
}

void TestDayinshezhi::saveRefusesCopiesThatCannotPrint()
{
    QFETCH(QString, copies);
    QFETCH(bool, saved);
    ScriptedDialogs dialogs;
    Tdayinshezhi d;
    d.Edit1->setText(QStringLiteral("小店"));
    d.Edit2->setText(copies);
    d.BitBtn1Click();
    QCOMPARE(QFile::exists(AppPaths::settingsFile()), saved);
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].icon, saved ? ui::Icon::Information : ui::Icon::Error);
    if (!saved)
        QCOMPARE(dialogs.messages[0].text, QStringLiteral("小票份数必须是0到99之间的整数！"));
}

void TestDayinshezhi::memosHoldAtMost250()
{
    Tdayinshezhi d;
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    for (QPlainTextEdit *memo : {d.Memo1, d.Memo2}) {
        memo->setFocus();
        typeText(memo, QString(240, u'甲'));
        typeText(memo, QString(20, u'乙'));
        QCOMPARE(memo->toPlainText().size(), Tdayinshezhi::kMemoLimit);
        QCOMPARE(memo->toPlainText(), QString(240, u'甲') + QString(10, u'乙'));
    }
    // What the file holds is shown whole, however long.
    writeSettings(QByteArray("[程序参数]\n小票尾=") + QString(300, u'尾').toUtf8() + "\n");
    Tdayinshezhi fromFile;
    QCOMPARE(fromFile.Memo2->toPlainText().size(), 300);
}

void TestDayinshezhi::enterMovesThroughTheBoxes()
{
    ScriptedDialogs dialogs;
    writeSettings("[程序参数]\n宽度=76\n");
    Tdayinshezhi d;
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QCOMPARE(QApplication::focusWidget(), d.Edit1);
    QTest::keyClick(d.Edit1, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), d.Memo1);
    QTest::keyClick(d.Memo1, Qt::Key_Return);
    QCOMPARE(d.Memo1->toPlainText(), QString()); // Enter moves on, it adds no line
    QCOMPARE(QApplication::focusWidget(), d.Edit4);
    QTest::keyClick(d.Edit4, Qt::Key_Enter);
    QCOMPARE(QApplication::focusWidget(), d.widthButtons[1]);

    d.Memo2->setFocus();
    typeText(d.Memo2, QStringLiteral("谢谢"));
    QTest::keyClick(d.Memo2, Qt::Key_Return, Qt::ControlModifier);
    typeText(d.Memo2, QStringLiteral("惠顾"));
    QCOMPARE(d.Memo2->toPlainText(), QStringLiteral("谢谢\n惠顾")); // Ctrl+Enter breaks the line
    QTest::keyClick(d.Memo2, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), d.Edit2);
    QTest::keyClick(d.Edit2, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), d.BitBtn1);
    QVERIFY(dialogs.messages.isEmpty()); // reaching 保存 does not press it
    QTest::keyClick(d.BitBtn1, Qt::Key_Return);
    QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("店铺名称不能为空！")});
}

void TestDayinshezhi::browseWritesAndReloadsAtOnce()
{
    TMAIN mainWindow;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString picturePath = m_dir->filePath(QStringLiteral("back.png"));
    QVERIFY(picture.save(picturePath));
    writeSettings("[程序参数]\n店铺名称=旧店\n背景=/nowhere/old.jpg\n");

    ScriptedDialogs dialogs;
    Tdayinshezhi d(&mainWindow);
    // A file picked: its full path goes into the box and into the file at once.
    dialogs.files << picturePath;
    d.Edit1->setText(QStringLiteral("未保存的店名"));
    QTest::mouseClick(d.Button1, Qt::LeftButton);
    QCOMPARE(dialogs.fileRequests.size(), 1);
    QCOMPARE(dialogs.fileRequests[0].filter, QString());
    QCOMPARE(d.Edit4->text(), picturePath);
    QCOMPARE(stored(QStringLiteral("背景")), picturePath);
    QCOMPARE(stored(QStringLiteral("店铺名称")), QStringLiteral("旧店")); // nothing else is saved
    QVERIFY(!mainWindow.Image1->isHidden());
    QVERIFY(!mainWindow.Image1->pixmap().isNull());

    // Cancelled: the box's path is still written, and loaded again.
    d.Edit4->setText(m_dir->filePath(QStringLiteral("missing.jpg")));
    dialogs.files << QString();
    d.Button1Click();
    QCOMPARE(stored(QStringLiteral("背景")), m_dir->filePath(QStringLiteral("missing.jpg")));
    QVERIFY(mainWindow.Image1->isHidden()); // cannot be loaded: no background, no message
    QVERIFY(dialogs.messages.isEmpty());
}

void TestDayinshezhi::testPageShowsUnsavedChoice_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("title");
    QTest::addColumn<double>("paper");
    QTest::newRow("58") << 0 << "58毫米打印纸测试" << 58.0;
    QTest::newRow("76") << 1 << "76毫米宽度打印测试" << 76.0;
    QTest::newRow("120") << 2 << "120毫米宽度打印测试" << 115.0;
}

void TestDayinshezhi::testPageShowsUnsavedChoice()
{
    QFETCH(int, width);
    QFETCH(QString, title);
    QFETCH(double, paper);
    // Printing off, direct printing, no copies: the test page is previewed all the same.
    writeSettings("[程序参数]\n打印小票=0\n预览=否\n份数=0\n宽度=76\n店铺名称=旧店\n");
    ScriptedDialogs dialogs;
    Tdayinshezhi d;
    d.setWidthIndex(width);
    d.Edit1->setText(QStringLiteral("刚输入的店名"));
    QTest::mouseClick(d.BitBtn3, Qt::LeftButton);
    QCOMPARE(dialogs.printed.size(), 1);
    const auto &shown = dialogs.printed[0];
    QVERIFY(shown.preview);
    QCOMPARE(shown.title, title);
    QVERIFY(shown.document.printWithoutDialog);
    QVERIFY(qAbs(shown.pageSize.size(QPageSize::Millimeter).width() - paper) < 0.01);
    // The page carries the shop name as typed, not as saved.
    if (!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        const QString pdf = m_dir->filePath(QStringLiteral("test.pdf"));
        {
            QPdfWriter writer(pdf);
            writer.setPageSize(shown.pageSize);
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter painter(&writer);
            shown.document.paint(painter);
        }
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString extracted = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(extracted.contains(QStringLiteral("刚输入的店名")) && extracted.contains(QStringLiteral("欢迎光临")),
                 qPrintable(extracted));
    }
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(stored(QStringLiteral("店铺名称")), QStringLiteral("旧店"));
}

void TestDayinshezhi::testPagePreviewErrorIsShown()
{
    class FailingPreview final : public ui::Dialogs {
    public:
        QStringList shown;
        ui::Answer message(QWidget *, const ui::Message &m) override
        {
            shown << m.caption + u'|' + m.text;
            return ui::Answer::Ok;
        }
        QString openFile(QWidget *, const ui::FileRequest &) override { return {}; }
        QString saveFile(QWidget *, const ui::FileRequest &) override { return {}; }
        Status preview(QWidget *, const PrintDocument &) override { return Error{QStringLiteral("打印机“PDF”打印失败")}; }
        Status print(const PrintDocument &) override { return {}; }
        void openDocument(const QString &) override {}
    } failing;
    ui::Dialogs::install(&failing);
    Tdayinshezhi d;
    d.BitBtn3Click();
    ui::Dialogs::install(nullptr);
    QCOMPARE(failing.shown, QStringList{QStringLiteral("vadazored|打印机“PDF”打印失败.")});
}

void TestDayinshezhi::menuItemOpensAFreshDialog()
{
    writeSettings("[程序参数]\n店铺名称=第一次\n");
    QWidget parent;
    QPointer<Tdayinshezhi> opened;
    QString shownName;
    QTimer::singleShot(0, [&] {
        opened = qobject_cast<Tdayinshezhi *>(QApplication::activeModalWidget());
        if (opened) {
            shownName = opened->Edit1->text();
            QTest::mouseClick(opened->BitBtn2, Qt::LeftButton); // 退出: closes without saving
        }
    });
    QVERIFY(childwindows::runModal(QStringLiteral("小票打印及店铺名称设置"), &parent));
    QCOMPARE(shownName, QStringLiteral("第一次"));
    QVERIFY(opened.isNull()); // destroyed when closed
    QVERIFY(parent.findChildren<Tdayinshezhi *>().isEmpty());
}

QTEST_MAIN(TestDayinshezhi)
#include "tst_dayinshezhi.moc"
