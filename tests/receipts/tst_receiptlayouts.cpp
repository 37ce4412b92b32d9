#include "receipts/receiptlayouts.h"
#include "receipts/receiptrenderer.h"
#include "receipts/textmeasure.h"
#include "shell/fontfaces.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using receiptlayouts::Paper;

Q_DECLARE_METATYPE(ReceiptKind)
Q_DECLARE_METATYPE(receiptlayouts::Paper)

namespace {

// A label as designed: its text, its top in the detail block, its left edge
// and where its value starts.
struct Designed {
    QString label;
    double top;
    double left;
    double valueLeft;
    QString value;
};

struct Design {
    double paper;
    double marginLeft;
    double marginRight;
    double shopWidth;
    double titleLeft;
    double detailHeight;
    int detailPixels;
    int footerPixels;
    QList<Designed> rows;
    QList<double> rules;       // tops of the rules' boxes
    QList<RuleEdge> ruleEdges;
    QList<double> lines;       // tops of the lines' boxes
};

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

Design designOf(ReceiptKind kind, Paper paper)
{
    const ReceiptValues v = sample();
    const QString day = receiptlayouts::dateText(ReceiptKind::Payment, v.moment);
    const QString dayTime = receiptlayouts::dateText(ReceiptKind::Recharge, v.moment);
    using R = RuleEdge;
    switch (kind) {
    case ReceiptKind::Payment:
        if (paper == Paper::W58)
            return {58, 5.5, 5.5, 41.3, 9.5, 29.4, 12, 13,
                    {{"日期:", 2.4, 1.1, 10.6, day},
                     {"卡号:", 6.3, 1.1, 10.6, v.cardNumber},
                     {"姓名:", 10.3, 1.1, 10.6, v.name},
                     {"原有金额：", 14.3, 1.1, 16.9, v.balanceBefore},
                     {"本次消费：", 18.3, 1.1, 16.9, v.amount},
                     {"卡内余额:", 25.1, 1.1, 16.9, v.balanceAfter}},
                    {0.5}, {R::Bottom}, {22.5}};
        if (paper == Paper::W76)
            return {76, 5.5, 5.5, 57.2, 15.9, 34.7, 13, 13,
                    {{"日   期:", 2.4, 1.1, 17.7, day},
                     {"卡   号:", 7.1, 1.1, 17.7, v.cardNumber},
                     {"姓   名:", 11.9, 1.1, 17.7, v.name},
                     {"原有金额：", 16.7, 1.1, 17.7, v.balanceBefore},
                     {"本次消费：", 21.4, 1.1, 17.7, v.amount},
                     {"卡内余额:", 28.8, 1.1, 17.7, v.balanceAfter}},
                    {}, {}, {26.2}};
        return {120, 5.5, 5.5, 103.7, 40.2, 20.9, 14, 14,
                {{"卡   号:", 1.9, 1.1, 18.0, v.cardNumber},
                 {"姓   名:", 2.1, 59.0, 76.2, v.name},
                 {"原有金额：", 8.2, 1.1, 19.3, v.balanceBefore},
                 {"本次消费：", 8.5, 59.3, 77.0, v.amount},
                 {"卡内余额:", 15.1, 1.9, 19.3, v.balanceAfter},
                 {"日   期:", 15.6, 59.0, 76.2, day}},
                {}, {}, {14.3}};
    case ReceiptKind::Recharge:
        if (paper != Paper::W120) {
            const bool narrow = paper == Paper::W58;
            return {narrow ? 58.0 : 76.0, narrow ? 4.0 : 5.5, narrow ? 1.5 : 5.5, narrow ? 41.3 : 58.2,
                    narrow ? 9.5 : 18.0, 35.7, 12, 13,
                    {{"日期:", 2.4, 1.1, 10.6, dayTime},
                     {"卡号:", 6.3, 1.1, 10.6, v.cardNumber},
                     {"姓名:", 10.3, 1.1, 10.6, v.name},
                     {"原有金额：", 14.3, 1.1, 16.9, v.balanceBefore},
                     {"本次充值：", 18.3, 1.1, 16.9, v.amount},
                     {"实收金额:", 22.5, 1.1, 16.7, v.received},
                     {"卡内余额:", 29.9, 1.1, 16.7, v.balanceAfter}},
                    {0.5, 34.9}, {R::Bottom, R::Top}, {27.3}};
        }
        return {115, 5.5, 5.5, 96.3, 37.0, 27.3, 12, 13,
                {{"日期:", 2.1, 1.1, 18.0, dayTime},
                 {"卡号:", 2.4, 59.8, 77.0, v.cardNumber},
                 {"姓名:", 6.9, 1.1, 18.0, v.name},
                 {"原有金额：", 7.1, 59.5, 77.0, v.balanceBefore},
                 {"本次充值：", 11.9, 1.1, 18.0, v.amount},
                 {"实收金额:", 11.9, 59.5, 77.0, v.received},
                 {"卡内余额:", 19.3, 1.1, 18.0, v.balanceAfter}},
                {0.5, 25.4}, {R::Bottom, R::Top}, {16.7}};
    case ReceiptKind::NewCard:
        if (paper != Paper::W120) {
            const bool narrow = paper == Paper::W58;
            return {narrow ? 58.0 : 76.0, narrow ? 4.0 : 5.5, narrow ? 1.5 : 5.5, narrow ? 41.3 : 58.2,
                    narrow ? 9.5 : 18.0, narrow ? 25.7 : 25.1, 12, 13,
                    {{"日期:", 2.4, 1.1, 10.6, dayTime},
                     {"卡号:", 6.3, 1.1, 10.6, v.cardNumber},
                     {"姓名:", 10.3, 1.1, 10.6, v.name},
                     {"本次充值：", narrow ? 14.8 : 14.6, 1.1, 16.9, v.amount},
                     {"实收金额:", narrow ? 19.1 : 18.8, 1.1, 16.9, v.received}},
                    {0.5}, {R::Bottom}, {narrow ? 23.8 : 23.5}};
        }
        return {115, 5.5, 5.5, 96.3, 37.0, 18.3, 12, 13,
                {{"日期:", 2.1, 1.1, 18.0, dayTime},
                 {"卡号:", 2.4, 59.8, 77.0, v.cardNumber},
                 {"姓名:", 6.9, 1.1, 18.0, v.name},
                 {"充值金额：", 7.1, 59.5, 77.0, v.amount},
                 {"实收金额：", 12.2, 1.1, 18.0, v.received}},
                {0.5, 17.5}, {R::Bottom, R::Top}, {}};
    }
    return {};
}

QList<LayoutItem> itemsOf(const LayoutBlock &block, LayoutRole role)
{
    QList<LayoutItem> result;
    for (const LayoutItem &item : block.items)
        if (item.role == role)
            result.append(item);
    return result;
}

QStringList textsOf(const ReceiptLayout &layout, LayoutRole role)
{
    QStringList result;
    for (const LayoutItem &item : layout.texts())
        if (item.role == role)
            result.append(item.text);
    return result;
}

// Fails when any printed line is wider than its box or a box leaves the
// print width.
void checkFits(const ReceiptLayout &layout)
{
    const double w = layout.printWidth();
    for (const LayoutBlock &block : layout.blocks) {
        QVERIFY(block.top >= 0);
        for (const LayoutItem &item : block.items) {
            QVERIFY2(item.box.left() >= -0.001 && item.box.right() <= w + 0.001,
                     qPrintable(QStringLiteral("box of “%1” leaves the print width").arg(item.text)));
            QVERIFY(item.box.bottom() <= block.height + 0.001);
            if (!item.isText() || !item.wrap)
                continue;
            for (const QString &line : item.lines)
                QVERIFY2(textmeasure::width(item.font, line) <= item.box.width() + 0.01,
                         qPrintable(QStringLiteral("line “%1” is wider than its box").arg(line)));
            QVERIFY(item.lines.size() * item.lineHeight <= item.box.height() + 0.001 || item.lines.size() <= 1);
        }
    }
}

QString squeezed(QString text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return text.remove(blanks);
}

} // namespace

class TestReceiptLayouts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { fontfaces::install(); }

    void nineDesigns_data();
    void nineDesigns();
    void pdfShowsTextsInOrderAtWidth_data() { nineDesigns_data(); }
    void pdfShowsTextsInOrderAtWidth();
    void footerWrapsAndReceiptGrows();
    void longTextsStayOnPaper_data();
    void longTextsStayOnPaper();
    void dateOrDateAndTime();
    void testPages_data();
    void testPages();
    void pictureIsPaintedWithinPaper();
};

void TestReceiptLayouts::nineDesigns_data()
{
    QTest::addColumn<ReceiptKind>("kind");
    QTest::addColumn<Paper>("paper");
    QTest::addColumn<QString>("title");
    const std::pair<ReceiptKind, const char *> kinds[] = {{ReceiptKind::Payment, "payment"},
                                                          {ReceiptKind::Recharge, "recharge"},
                                                          {ReceiptKind::NewCard, "new card"}};
    const std::pair<Paper, const char *> papers[] = {{Paper::W58, "58"}, {Paper::W76, "76"}, {Paper::W120, "120"}};
    const QString titles[] = {QStringLiteral("刷卡消费凭证"), QStringLiteral("旧卡充值凭证"),
                              QStringLiteral("新卡充值凭证")};
    for (const auto &[kind, kindName] : kinds)
        for (const auto &[paper, paperName] : papers)
            QTest::addRow("%s %s", kindName, paperName) << kind << paper << titles[static_cast<int>(kind)];
}

void TestReceiptLayouts::nineDesigns()
{
    QFETCH(ReceiptKind, kind);
    QFETCH(Paper, paper);
    QFETCH(QString, title);
    const Design d = designOf(kind, paper);
    const ReceiptLayout layout = receiptlayouts::receipt(kind, paper, sample(), QStringLiteral("澄溪软件工作室"),
                                                         QStringLiteral("谢谢惠顾"));

    // Paper and margins.
    QCOMPARE(layout.title, title);
    QCOMPARE(layout.paperWidth, d.paper);
    QCOMPARE(layout.margins.left(), d.marginLeft);
    QCOMPARE(layout.margins.right(), d.marginRight);
    QCOMPARE(layout.margins.top(), 5.0);
    QCOMPARE(layout.blocks.size(), 3);

    // Title block: the shop name centred in bold Kai 19, the title in bold Kai 16.
    const LayoutBlock &head = layout.blocks[0];
    QCOMPARE(head.name, QStringLiteral("title"));
    QCOMPARE(head.height, 14.3);
    const LayoutItem shop = itemsOf(head, LayoutRole::ShopName).value(0);
    QCOMPARE(shop.text, QStringLiteral("澄溪软件工作室"));
    QCOMPARE(shop.box.topLeft(), QPointF(2.1, 1.1));
    QCOMPARE(shop.box.width(), d.shopWidth);
    QCOMPARE(shop.font.face, QStringLiteral("楷体_GB2312"));
    QCOMPARE(shop.font.pixels, 19);
    QVERIFY(shop.font.bold);
    QCOMPARE(shop.alignment, Qt::Alignment(Qt::AlignHCenter));
    const LayoutItem heading = itemsOf(head, LayoutRole::Title).value(0);
    QCOMPARE(heading.text, title);
    QCOMPARE(heading.box, QRectF(d.titleLeft, 7.4, 27.5, heading.box.height()));
    QCOMPARE(heading.font.face, QStringLiteral("楷体_GB2312"));
    QCOMPARE(heading.font.pixels, 16);
    QVERIFY(heading.font.bold);

    // Detail block: every label where the design puts it, its value after it.
    const LayoutBlock &detail = layout.blocks[1];
    QCOMPARE(detail.top, 14.3);
    QCOMPARE(detail.height, d.detailHeight);
    const QList<LayoutItem> labels = itemsOf(detail, LayoutRole::Label);
    const QList<LayoutItem> values = itemsOf(detail, LayoutRole::Value);
    QCOMPARE(labels.size(), d.rows.size());
    QCOMPARE(values.size(), d.rows.size());
    for (qsizetype i = 0; i < d.rows.size(); ++i) {
        const Designed &row = d.rows[i];
        const auto label = std::find_if(labels.begin(), labels.end(),
                                        [&](const LayoutItem &l) { return l.text == row.label && l.box.top() == row.top; });
        QVERIFY2(label != labels.end(), qPrintable(row.label));
        QCOMPARE(label->box.left(), row.left);
        QCOMPARE(label->font.face, QStringLiteral("宋体"));
        QCOMPARE(label->font.pixels, d.detailPixels);
        QVERIFY(!label->font.bold);
        QVERIFY(label->box.width() >= 9.5 && label->box.width() <= 17.2);
        const auto value = std::find_if(values.begin(), values.end(), [&](const LayoutItem &v) {
            return v.box.top() == row.top && v.box.left() == row.valueLeft;
        });
        QVERIFY2(value != values.end(), qPrintable(row.label));
        QCOMPARE(value->text, row.value);
        QCOMPARE(value->alignment, Qt::Alignment(Qt::AlignLeft));
        QVERIFY(value->box.right() <= layout.printWidth() - 2.0 + 0.001);
    }
    // Reading order: shop name, title, then the labels row by row, left to right.
    QStringList expectedLabels;
    for (const Designed &row : d.rows)
        expectedLabels << row.label;
    QCOMPARE(textsOf(layout, LayoutRole::Label), expectedLabels);

    const QList<LayoutItem> rules = itemsOf(detail, LayoutRole::Rule);
    QCOMPARE(rules.size(), d.rules.size());
    for (qsizetype i = 0; i < rules.size(); ++i) {
        QCOMPARE(rules[i].box.top(), d.rules[i]);
        QCOMPARE(rules[i].box.height(), 0.5);
        QCOMPARE(rules[i].edge, d.ruleEdges[i]);
    }
    const QList<LayoutItem> lines = itemsOf(detail, LayoutRole::Line);
    QCOMPARE(lines.size(), d.lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        QCOMPARE(lines[i].box.top(), d.lines[i]);

    // Footer block right under the detail block, then the blank paper.
    const LayoutBlock &foot = layout.blocks[2];
    QCOMPARE(foot.top, 14.3 + d.detailHeight);
    const LayoutItem footer = itemsOf(foot, LayoutRole::Footer).value(0);
    QCOMPARE(footer.text, QStringLiteral("谢谢惠顾"));
    QCOMPARE(footer.box.top(), 0.5);
    QCOMPARE(footer.font.face, QStringLiteral("宋体"));
    QCOMPARE(footer.font.pixels, d.footerPixels);
    QVERIFY(footer.box.width() >= layout.printWidth() - 1.5);
    QVERIFY(foot.height - footer.box.bottom() >= 8.9);
    QCOMPARE(layout.pageHeight(), 5.0 + foot.top + foot.height);
    checkFits(layout);
}

void TestReceiptLayouts::pdfShowsTextsInOrderAtWidth()
{
    QFETCH(ReceiptKind, kind);
    QFETCH(Paper, paper);
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (pdftotext.isEmpty() || pdfinfo.isEmpty())
        QSKIP("poppler-utils (pdftotext, pdfinfo) are not installed");

    const QString footer = QStringLiteral("谢谢惠顾，欢迎再次光临！本卡不记名、不挂失，请妥善保管。咨询电话：0571-88886666");
    const ReceiptLayout layout = receiptlayouts::receipt(kind, paper, sample(), QStringLiteral("澄溪软件工作室"), footer);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("receipt.pdf"));
    QVERIFY(ReceiptRenderer::writePdf(layout, path).ok());

    QProcess text;
    text.start(pdftotext, {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), path,
                           QStringLiteral("-")});
    QVERIFY(text.waitForFinished(30000));
    const QString extracted = squeezed(QString::fromUtf8(text.readAllStandardOutput()));
    qsizetype at = 0;
    for (const LayoutItem &item : layout.texts()) {
        const QString wanted = squeezed(item.text);
        const qsizetype found = extracted.indexOf(wanted, at);
        QVERIFY2(found >= 0, qPrintable(QStringLiteral("“%1” missing or out of order in: %2").arg(wanted, extracted)));
        at = found + wanted.size();
    }

    QProcess info;
    info.start(pdfinfo, {path});
    QVERIFY(info.waitForFinished(30000));
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    const auto match = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(out);
    QVERIFY2(match.hasMatch(), qPrintable(out));
    const double widthMm = match.captured(1).toDouble() * 25.4 / 72.0;
    const double heightMm = match.captured(2).toDouble() * 25.4 / 72.0;
    QVERIFY2(std::abs(widthMm - layout.paperWidth) < 0.5, qPrintable(out));
    QVERIFY2(std::abs(heightMm - layout.pageHeight()) < 0.5, qPrintable(out));
    QVERIFY(heightMm < 200);
}

void TestReceiptLayouts::footerWrapsAndReceiptGrows()
{
    const ReceiptValues v = sample();
    for (ReceiptKind kind : {ReceiptKind::Payment, ReceiptKind::Recharge, ReceiptKind::NewCard}) {
        for (Paper paper : {Paper::W58, Paper::W76, Paper::W120}) {
            const ReceiptLayout none = receiptlayouts::receipt(kind, paper, v, QStringLiteral("店"), QString());
            const ReceiptLayout one = receiptlayouts::receipt(kind, paper, v, QStringLiteral("店"), QStringLiteral("谢谢"));
            const ReceiptLayout many = receiptlayouts::receipt(kind, paper, v, QStringLiteral("店"),
                                                               QStringLiteral("谢谢惠顾").repeated(40));
            const ReceiptLayout breaks = receiptlayouts::receipt(kind, paper, v, QStringLiteral("店"),
                                                                 QStringLiteral("第一行\n第二行\r\n\n第四行"));
            // An empty footer leaves only the blank paper; one line fits the design.
            QVERIFY(itemsOf(none.blocks[2], LayoutRole::Footer)[0].lines.isEmpty());
            QCOMPARE(none.pageHeight(), one.pageHeight());
            // A long footer wraps over as many lines as it needs and the page grows by them.
            const LayoutItem long_ = itemsOf(many.blocks[2], LayoutRole::Footer)[0];
            QVERIFY(long_.lines.size() >= 4);
            QCOMPARE(long_.lines.join(QString()), QStringLiteral("谢谢惠顾").repeated(40));
            QVERIFY(qAbs(many.pageHeight() - one.pageHeight() - (long_.lines.size() - 1) * long_.lineHeight) < 0.001);
            QVERIFY(many.blocks[2].height - long_.box.bottom() >= 8.9);
            // Line breaks typed into the footer are kept.
            QCOMPARE(itemsOf(breaks.blocks[2], LayoutRole::Footer)[0].lines,
                     QStringList({"第一行", "第二行", "", "第四行"}));
            checkFits(many);
        }
    }
}

void TestReceiptLayouts::longTextsStayOnPaper_data()
{
    QTest::addColumn<QString>("shop");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("footer");
    const QString chinese = QStringLiteral("澄溪软件工作室").repeated(36).left(250);
    const QString latin = QStringLiteral("W").repeated(250);
    QTest::newRow("250 Chinese characters") << chinese << chinese << chinese;
    QTest::newRow("250 letters without a break") << latin << latin << latin;
    QTest::newRow("line breaks and quotes") << QStringLiteral("\"店\"\n'铺'") << QStringLiteral("王\n小明")
                                            << QStringLiteral("\"谢谢\"\n\n“惠顾”");
}

void TestReceiptLayouts::longTextsStayOnPaper()
{
    QFETCH(QString, shop);
    QFETCH(QString, name);
    QFETCH(QString, footer);
    ReceiptValues v = sample();
    v.name = name;
    for (ReceiptKind kind : {ReceiptKind::Payment, ReceiptKind::Recharge, ReceiptKind::NewCard}) {
        for (Paper paper : {Paper::W58, Paper::W76, Paper::W120}) {
            const ReceiptLayout plain = receiptlayouts::receipt(kind, paper, sample(), QStringLiteral("店"), QString());
            const ReceiptLayout layout = receiptlayouts::receipt(kind, paper, v, shop, footer);
            checkFits(layout);
            // Nothing is cut: the printed lines hold the whole text.
            for (const LayoutItem &item : layout.texts()) {
                QString text = item.text;
                text.remove(u'\n');
                text.remove(u'\r');
                QCOMPARE(squeezed(item.lines.join(QString())), squeezed(text));
            }
            // A shop name over several lines pushes the title down, never onto it.
            const LayoutItem shopItem = itemsOf(layout.blocks[0], LayoutRole::ShopName)[0];
            const LayoutItem title = itemsOf(layout.blocks[0], LayoutRole::Title)[0];
            QVERIFY(title.box.top() >= shopItem.box.top() + shopItem.lines.size() * shopItem.lineHeight - 0.001
                    || shopItem.lines.size() == 1);
            // The rows below a long name move down by what it needs, in order.
            const QList<LayoutItem> texts = layout.texts();
            for (qsizetype i = 1; i < texts.size(); ++i) {
                const LayoutItem &a = texts[i - 1];
                const LayoutItem &b = texts[i];
                const bool sameRow = a.box.top() < b.box.bottom() && b.box.top() < a.box.bottom();
                if (!sameRow && a.lines.size() > 1)
                    QVERIFY(b.box.top() >= a.box.bottom() - 0.001 || a.box.top() > b.box.top());
            }
            QVERIFY(layout.pageHeight() > plain.pageHeight());
        }
    }
}

void TestReceiptLayouts::dateOrDateAndTime()
{
    const QDateTime at(QDate(2024, 3, 9), QTime(14, 5, 30));
    const QString day = QLocale().toString(at.date(), QLocale::ShortFormat);
    QCOMPARE(receiptlayouts::dateText(ReceiptKind::Payment, at), day);
    for (ReceiptKind kind : {ReceiptKind::Recharge, ReceiptKind::NewCard}) {
        const QString text = receiptlayouts::dateText(kind, at);
        QVERIFY2(text.startsWith(day + u' ') && text.contains(QStringLiteral("05:30")), qPrintable(text));
    }
    // On a Chinese desktop: the short date and the long time, without a time zone.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    const QString payment = receiptlayouts::dateText(ReceiptKind::Payment, at);
    const QString recharge = receiptlayouts::dateText(ReceiptKind::Recharge, at);
    QLocale::setDefault(saved);
    QCOMPARE(payment, QStringLiteral("2024/3/9"));
    QCOMPARE(recharge, QStringLiteral("2024/3/9 14:05:30"));
}

void TestReceiptLayouts::testPages_data()
{
    QTest::addColumn<Paper>("paper");
    QTest::addColumn<QString>("title");
    QTest::addColumn<double>("pageWidth");
    QTest::addColumn<QString>("message");
    QTest::newRow("58") << Paper::W58 << "58毫米打印纸测试" << 58.0
                        << "恭喜你，如果你能看到这段文字，说明58毫米宽的打印是正常的！";
    QTest::newRow("76") << Paper::W76 << "76毫米宽度打印测试" << 76.0
                        << "恭喜你，如果你能看到这段完整的文字，说明76毫米宽的打印是正常的！";
    QTest::newRow("120") << Paper::W120 << "120毫米宽度打印测试" << 115.0
                         << "恭喜你，如果你能看到这段完整的文字，那就说明120毫米宽的打印是正常的！";
}

void TestReceiptLayouts::testPages()
{
    QFETCH(Paper, paper);
    QFETCH(QString, title);
    QFETCH(double, pageWidth);
    QFETCH(QString, message);
    const ReceiptLayout page = receiptlayouts::testPage(paper, QStringLiteral("未保存的店名"));
    QCOMPARE(page.title, title);
    QCOMPARE(page.paperWidth, pageWidth);
    QCOMPARE(page.margins, QMarginsF(5.5, 5.5, 5.5, 15.0));
    QCOMPARE(page.blocks.size(), 1);
    const LayoutBlock &block = page.blocks[0];
    QVERIFY(block.height >= 40.0 && block.height <= 41.5);
    QStringList texts;
    for (const LayoutItem &item : page.texts())
        texts << item.text;
    QCOMPARE(texts, QStringList({"欢迎光临", "未保存的店名", message}));
    const QList<LayoutItem> items = page.texts();
    QCOMPARE(items[0].font.face, QStringLiteral("黑体"));
    QCOMPARE(items[0].alignment, Qt::Alignment(Qt::AlignHCenter));
    QCOMPARE(items[1].font.face, QStringLiteral("黑体"));
    QCOMPARE(items[2].font.face, QStringLiteral("宋体"));
    QVERIFY(items[2].lines.size() >= 2);
    QCOMPARE(itemsOf(block, LayoutRole::Blank).size(), 1);
    checkFits(page);
}

void TestReceiptLayouts::pictureIsPaintedWithinPaper()
{
    // Painted at 203 dpi, a thermal printer's resolution: ink on the
    // paper's left and right edges would mean text ran past the margins.
    const ReceiptLayout layout = receiptlayouts::receipt(ReceiptKind::Recharge, Paper::W58, sample(),
                                                         QStringLiteral("W").repeated(250),
                                                         QStringLiteral("谢").repeated(250));
    const QImage image = ReceiptRenderer::toImage(layout, 203);
    QCOMPARE(image.width(), qCeil(58 * 203 / 25.4));
    const int marginPixels = int(1.4 * 203 / 25.4); // right margin 1.5 mm
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) > 128)
                continue;
            ++inked;
            QVERIFY2(x >= marginPixels && x < image.width() - marginPixels,
                     qPrintable(QStringLiteral("ink at %1,%2").arg(x).arg(y)));
        }
    }
    QVERIFY(inked > 1000);
}

QTEST_MAIN(TestReceiptLayouts)
#include "tst_receiptlayouts.moc"
