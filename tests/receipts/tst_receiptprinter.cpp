#include "receipts/receiptprinter.h"
#include "receipts/receiptsettings.h"
#include "shell/apppaths.h"
#include "shell/fontfaces.h"
#include "shell/widgetdialogs.h"
#include "support/scripteddialogs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(ReceiptKind)

namespace {

ReceiptValues sample()
{
    ReceiptValues v;
    v.moment = QDateTime(QDate(2024, 3, 9), QTime(14, 5, 30));
    v.cardNumber = QStringLiteral("880012345678");
    v.name = QStringLiteral("王小明");
    v.balanceBefore = QStringLiteral("235.5");
    v.amount = QStringLiteral("37.5");
    v.received = QStringLiteral("30");
    v.balanceAfter = QStringLiteral("198");
    return v;
}

ReceiptSettings printing(const QString &copies, const QString &preview = QStringLiteral("否"),
                         const QString &width = QStringLiteral("58"))
{
    ReceiptSettings s;
    s.print = true;
    s.copies = copies;
    s.preview = preview;
    s.width = width;
    s.shopName = QStringLiteral("澄溪软件工作室");
    s.footer = QStringLiteral("谢谢惠顾");
    return s;
}

double widthMm(const QPageSize &size)
{
    return size.size(QPageSize::Millimeter).width();
}

// Page width in millimetres of a PDF file, from pdfinfo.
double pdfWidth(const QString &path)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    if (!info.waitForFinished(30000))
        return -1;
    const auto match = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x"))
                           .match(QString::fromUtf8(info.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toDouble() * 25.4 / 72.0 : -1;
}

// Jobs the queue has taken so far (finished or not); -1 without lpstat.
int jobCount(const QString &queue)
{
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"), queue});
    if (!lpstat.waitForFinished(30000) || lpstat.exitCode() != 0)
        return -1;
    return int(QString::fromUtf8(lpstat.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts).size());
}

} // namespace

class TestReceiptPrinter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { fontfaces::install(); }

    void copyCount_data();
    void copyCount();
    void procedure_data();
    void procedure();
    void printerErrorEndsTheCopies();
    void pageWidthFollowsKindAndWidth_data();
    void pageWidthFollowsKindAndWidth();
    void settingsAsTheSavesReadThem();
    void noDefaultPrinterIsAnError();
    void printsOnTheDefaultPrinter();
};

void TestReceiptPrinter::copyCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("copies");
    QTest::newRow("one") << "1" << true << 1;
    QTest::newRow("plus sign") << "+3" << true << 3;
    QTest::newRow("leading zeros") << "007" << true << 7;
    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("negative") << "-2" << true << -2;
    QTest::newRow("beyond int") << "99999999999999999999" << true << 100;
    QTest::newRow("far below zero") << "-99999999999999999999" << true << 0;
    QTest::newRow("decimal") << "2.5" << false << 0;
    QTest::newRow("letters") << "abc" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("blank inside") << "1 2" << false << 0;
    QTest::newRow("line break after") << "2\n" << false << 0;
    QTest::newRow("lone sign") << "-" << false << 0;
    QTest::newRow("hex") << "0x10" << false << 0;
    QTest::newRow("full-width digit") << "２" << false << 0;
}

void TestReceiptPrinter::copyCount()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, copies);
    const Result<int> n = ReceiptPrinter::copyCount(text);
    QCOMPARE(n.ok(), ok);
    if (ok)
        QCOMPARE(*n, copies);
    else
        QVERIFY2(n.errorText().contains(u'“' + text + u'”'), qPrintable(n.errorText()));
}

void TestReceiptPrinter::procedure_data()
{
    QTest::addColumn<bool>("print");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("copies");
    QTest::addColumn<QString>("preview");
    QTest::addColumn<int>("previews");
    QTest::addColumn<int>("jobs");
    QTest::addColumn<QString>("error"); // part of the error's text; empty: no error

    QTest::newRow("printing off") << false << "58" << "2" << "否" << 0 << 0 << "";
    QTest::newRow("printing off, bad copies") << false << "58" << "abc" << "否" << 0 << 0 << "";
    QTest::newRow("unknown width") << true << "80" << "1" << "否" << 0 << 0 << "";
    QTest::newRow("width with blank") << true << "58 " << "1" << "否" << 0 << 0 << "";
    QTest::newRow("empty width, bad copies") << true << "" << "2.5" << "否" << 0 << 0 << "";
    QTest::newRow("direct, one") << true << "58" << "1" << "否" << 0 << 1 << "";
    QTest::newRow("direct, three jobs") << true << "76" << "3" << "否" << 0 << 3 << "";
    QTest::newRow("preview twice") << true << "120" << "2" << "是" << 2 << 0 << "";
    QTest::newRow("preview not exactly yes") << true << "58" << "2" << "是 " << 0 << 2 << "";
    QTest::newRow("preview empty") << true << "58" << "1" << "" << 0 << 1 << "";
    QTest::newRow("zero copies") << true << "58" << "0" << "是" << 0 << 0 << "";
    QTest::newRow("negative copies") << true << "58" << "-4" << "否" << 0 << 0 << "";
    QTest::newRow("decimal copies") << true << "58" << "2.5" << "否" << 0 << 0 << "“2.5”";
    QTest::newRow("letters") << true << "58" << "abc" << "是" << 0 << 0 << "“abc”";
    QTest::newRow("empty copies") << true << "58" << "" << "否" << 0 << 0 << "“”";
    QTest::newRow("99 copies") << true << "58" << "99" << "否" << 0 << 99 << "";
    QTest::newRow("too many copies") << true << "58" << "99999" << "否" << 0 << 0 << "“99999”";
    QTest::newRow("100 copies previewed") << true << "58" << "100" << "是" << 0 << 0 << "最多打印99份";
}

void TestReceiptPrinter::procedure()
{
    QFETCH(bool, print);
    QFETCH(QString, width);
    QFETCH(QString, copies);
    QFETCH(QString, preview);
    QFETCH(int, previews);
    QFETCH(int, jobs);
    QFETCH(QString, error);

    ScriptedDialogs dialogs;
    ReceiptSettings s = printing(copies, preview, width);
    s.print = print;
    const Status done = ReceiptPrinter::print(nullptr, ReceiptKind::Payment, sample(), s);
    QCOMPARE(done.ok(), error.isEmpty());
    if (!error.isEmpty())
        QVERIFY2(done.errorText().contains(error), qPrintable(done.errorText()));
    const auto shown = std::count_if(dialogs.printed.begin(), dialogs.printed.end(),
                                     [](const ScriptedDialogs::Printed &p) { return p.preview; });
    QCOMPARE(int(shown), previews);
    QCOMPARE(int(dialogs.printed.size() - shown), jobs);
    QVERIFY(dialogs.messages.isEmpty()); // the procedure itself never shows a message
    for (const auto &p : dialogs.printed)
        QCOMPARE(p.title, QStringLiteral("刷卡消费凭证"));
}

void TestReceiptPrinter::printerErrorEndsTheCopies()
{
    ScriptedDialogs dialogs;
    dialogs.printError = QStringLiteral("打印机“PDF”打印失败");
    const Status done = ReceiptPrinter::print(nullptr, ReceiptKind::Recharge, sample(), printing(QStringLiteral("3")));
    QCOMPARE(done.errorText(), dialogs.printError);
}

void TestReceiptPrinter::pageWidthFollowsKindAndWidth_data()
{
    QTest::addColumn<ReceiptKind>("kind");
    QTest::addColumn<QString>("width");
    QTest::addColumn<double>("paper");
    QTest::addColumn<QString>("title");
    QTest::newRow("payment 58") << ReceiptKind::Payment << "58" << 58.0 << "刷卡消费凭证";
    QTest::newRow("payment 120") << ReceiptKind::Payment << "120" << 120.0 << "刷卡消费凭证";
    QTest::newRow("recharge 76") << ReceiptKind::Recharge << "76" << 76.0 << "旧卡充值凭证";
    QTest::newRow("recharge 120") << ReceiptKind::Recharge << "120" << 115.0 << "旧卡充值凭证";
    QTest::newRow("new card 120") << ReceiptKind::NewCard << "120" << 115.0 << "新卡充值凭证";
}

void TestReceiptPrinter::pageWidthFollowsKindAndWidth()
{
    QFETCH(ReceiptKind, kind);
    QFETCH(QString, width);
    QFETCH(double, paper);
    QFETCH(QString, title);
    ScriptedDialogs dialogs;
    QVERIFY(ReceiptPrinter::print(nullptr, kind, sample(), printing(QStringLiteral("1"), QStringLiteral("是"), width)).ok());
    QCOMPARE(dialogs.printed.size(), 1);
    QCOMPARE(dialogs.printed[0].title, title);
    QVERIFY(qAbs(widthMm(dialogs.printed[0].pageSize) - paper) < 0.01);
    // A receipt is as long as its content, not the design's endless page.
    const double height = dialogs.printed[0].pageSize.size(QPageSize::Millimeter).height();
    QVERIFY2(height > 40 && height < 120, qPrintable(QString::number(height)));
}

void TestReceiptPrinter::settingsAsTheSavesReadThem()
{
    QTemporaryDir dir;
    AppPaths::setExeDirForTesting(dir.path());

    // No file: nothing printed, and the 76 mm layout when printing is on.
    ReceiptSettings none = ReceiptSettings::read();
    QCOMPARE(none.print, false);
    QCOMPARE(none.width, QStringLiteral("76"));
    QCOMPARE(none.preview, QStringLiteral("是"));
    QCOMPARE(none.copies, QStringLiteral("1"));

    QFile file(AppPaths::settingsFile());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[程序参数]\n打印小票=1\n预览=否\n份数=2\n店铺名称=小店\n小票尾=谢谢\\n再见\n");
    file.close();
    const ReceiptSettings s = ReceiptSettings::read();
    QCOMPARE(s.footer, QStringLiteral("谢谢\n再见"));
    ScriptedDialogs dialogs;
    QVERIFY(ReceiptPrinter::print(nullptr, ReceiptKind::NewCard, sample(), s).ok());
    QCOMPARE(dialogs.printed.size(), 2);
    QVERIFY(qAbs(widthMm(dialogs.printed[0].pageSize) - 76) < 0.01);
    QVERIFY(!dialogs.printed[0].preview);
}

void TestReceiptPrinter::noDefaultPrinterIsAnError()
{
    // CUPS takes the default destination from $PRINTER first: a queue that
    // does not exist stands for a machine without a printer.
    const QByteArray saved = qgetenv("PRINTER");
    qputenv("PRINTER", "vadazored-no-such-queue");
    const Status done = ReceiptPrinter::print(nullptr, ReceiptKind::Payment, sample(), printing(QStringLiteral("1")));
    if (saved.isNull())
        qunsetenv("PRINTER");
    else
        qputenv("PRINTER", saved);
    QVERIFY(!done.ok());
    QCOMPARE(done.errorText(), QStringLiteral("没有找到默认打印机，请先安装打印机并设为默认打印机"));
}

void TestReceiptPrinter::printsOnTheDefaultPrinter()
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull())
        QSKIP("no default printer: scripts/run-tests.sh sets up the cups-pdf queue \"PDF\" as the default");
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        QSKIP("pdfinfo (poppler-utils) is not installed");
    // cups-pdf writes into $HOME/PDF for the user who printed, one file per
    // job title (a later job of the same title replaces the file).
    const QDir out(QDir::homePath() + QStringLiteral("/PDF"));
    const QDateTime started = QDateTime::currentDateTime().addSecs(-1);
    const int jobsBefore = jobCount(printer.printerName());

    // The program's own direct path: the real dialogs, 预览 "否", 2 copies on 58 mm.
    ui::Dialogs::install(nullptr);
    const Status done = ReceiptPrinter::print(nullptr, ReceiptKind::Payment, sample(), printing(QStringLiteral("2")));
    QVERIFY2(done.ok(), qPrintable(done.errorText()));

    QString written;
    QElapsedTimer waited;
    waited.start();
    while (written.isEmpty() && waited.elapsed() < 30000) {
        for (const QFileInfo &file : out.entryInfoList({QStringLiteral("*.pdf")}, QDir::Files)) {
            if (file.lastModified() >= started && qAbs(pdfWidth(file.filePath()) - 58) < 0.5) {
                written = file.filePath();
                break;
            }
        }
        if (written.isEmpty())
            QTest::qWait(250);
    }
    QVERIFY2(!written.isEmpty(), qPrintable(QStringLiteral("the queue “%1” wrote no 58 mm receipt into %2 within 30 s")
                                                 .arg(printer.printerName(), out.path())));
    QFile::remove(written);
    // Two copies are two jobs.
    if (jobsBefore >= 0)
        QVERIFY(jobCount(printer.printerName()) >= jobsBefore + 2);
}

QTEST_MAIN(TestReceiptPrinter)
#include "tst_receiptprinter.moc"
