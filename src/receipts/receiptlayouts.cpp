#include "receipts/receiptlayouts.h"

#include "receipts/blockbuilder.h"
#include "receipts/textmeasure.h"
#include "shell/clock.h"
#include "shell/fontfaces.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>

namespace receiptlayouts {

namespace {

constexpr double kTopMargin = 5.0;
constexpr double kBottomMargin = 15.0;
constexpr double kTitleBlock = 14.3;
constexpr double kRuleHeight = 0.5;
constexpr double kLineHeight = 1.6;
constexpr double kLabelHeight = 3.7;
constexpr double kWidestLabel = 17.2;
constexpr double kValueGap = 2.0;        // value boxes stop this far short of the right edge
constexpr double kFooterTop = 0.5;
constexpr double kFooterBlank = 9.0;     // paper left free under the footer
constexpr double kEdgeInset = 1.1;       // rules and lines of the narrow receipts

LayoutFont song(int pixels)
{
    return {fontfaces::kSong, pixels, false};
}

// One label and its value on a line: the label box runs up to the value, at
// most as wide as the widest label of the designs.
struct Row {
    double top;
    double labelLeft;
    QString label;
    double valueLeft;
    QString value;
};

void addRow(BlockBuilder &b, const Row &row, double valueRight, double height, const LayoutFont &font)
{
    const double labelWidth = std::min(row.valueLeft - row.labelLeft, kWidestLabel);
    b.text(LayoutRole::Label, QRectF(row.labelLeft, row.top, labelWidth, height), row.label, font);
    b.text(LayoutRole::Value, QRectF(row.valueLeft, row.top, valueRight - row.valueLeft, height), row.value,
           font, Qt::AlignLeft, true);
}

struct Frame {
    double paper;
    double left;
    double right;
    double width() const { return paper - left - right; }
};

Frame frameFor(ReceiptKind kind, Paper paper)
{
    switch (paper) {
    case Paper::W58:
        return kind == ReceiptKind::Payment ? Frame{58, 5.5, 5.5} : Frame{58, 4.0, 1.5};
    case Paper::W76:
        return {76, 5.5, 5.5};
    case Paper::W120:
        return kind == ReceiptKind::Payment ? Frame{120, 5.5, 5.5} : Frame{115, 5.5, 5.5};
    }
    return {76, 5.5, 5.5};
}

LayoutBlock titleBlock(ReceiptKind kind, Paper paper, const QString &shopName)
{
    double shopWidth = 0;
    double titleLeft = 0;
    switch (paper) {
    case Paper::W58:
        shopWidth = 41.3;
        titleLeft = 9.5;
        break;
    case Paper::W76:
        shopWidth = kind == ReceiptKind::Payment ? 57.2 : 58.2;
        titleLeft = kind == ReceiptKind::Payment ? 15.9 : 18.0;
        break;
    case Paper::W120:
        shopWidth = kind == ReceiptKind::Payment ? 103.7 : 96.3;
        titleLeft = kind == ReceiptKind::Payment ? 40.2 : 37.0;
        break;
    }
    BlockBuilder b(QStringLiteral("title"), kTitleBlock);
    b.text(LayoutRole::ShopName, QRectF(2.1, 1.1, shopWidth, 6.0), shopName, {fontfaces::kKai, 19, true},
           Qt::AlignHCenter, true);
    b.text(LayoutRole::Title, QRectF(titleLeft, 7.4, 27.5, 5.0), titleOf(kind), {fontfaces::kKai, 16, true});
    return b.finish();
}

LayoutBlock footerBlock(double printWidth, const QString &footer, int pixels)
{
    const LayoutFont font = song(pixels);
    const double oneLine = textmeasure::lineHeight(font);
    BlockBuilder b(QStringLiteral("footer"), kFooterTop + oneLine + kFooterBlank);
    b.text(LayoutRole::Footer, QRectF(0.5, kFooterTop, printWidth - 1.0, oneLine), footer, font, Qt::AlignLeft,
           true);
    return b.finish();
}

LayoutBlock paymentDetail(Paper paper, double w, const ReceiptValues &v, const QString &date)
{
    switch (paper) {
    case Paper::W58: {
        const LayoutFont font = song(12);
        BlockBuilder b(QStringLiteral("detail"), 29.4);
        b.rule(QRectF(kEdgeInset, 0.5, w - 2 * kEdgeInset, kRuleHeight));
        for (const Row &row : {Row{2.4, 1.1, QStringLiteral("日期:"), 10.6, date},
                               Row{6.3, 1.1, QStringLiteral("卡号:"), 10.6, v.cardNumber},
                               Row{10.3, 1.1, QStringLiteral("姓名:"), 10.6, v.name},
                               Row{14.3, 1.1, QStringLiteral("原有金额："), 16.9, v.balanceBefore},
                               Row{18.3, 1.1, QStringLiteral("本次消费："), 16.9, v.amount},
                               Row{25.1, 1.1, QStringLiteral("卡内余额:"), 16.9, v.balanceAfter}})
            addRow(b, row, w - kValueGap, kLabelHeight, font);
        b.line(QRectF(kEdgeInset, 22.5, w - kValueGap - kEdgeInset, kLineHeight));
        return b.finish();
    }
    case Paper::W76: {
        const LayoutFont font = song(13);
        BlockBuilder b(QStringLiteral("detail"), 34.7);
        for (const Row &row : {Row{2.4, 1.1, QStringLiteral("日   期:"), 17.7, date},
                               Row{7.1, 1.1, QStringLiteral("卡   号:"), 17.7, v.cardNumber},
                               Row{11.9, 1.1, QStringLiteral("姓   名:"), 17.7, v.name},
                               Row{16.7, 1.1, QStringLiteral("原有金额："), 17.7, v.balanceBefore},
                               Row{21.4, 1.1, QStringLiteral("本次消费："), 17.7, v.amount},
                               Row{28.8, 1.1, QStringLiteral("卡内余额:"), 17.7, v.balanceAfter}})
            addRow(b, row, w - kValueGap, kLabelHeight, font);
        b.line(QRectF(kEdgeInset, 26.2, w - kValueGap - kEdgeInset, kLineHeight));
        return b.finish();
    }
    case Paper::W120: {
        const LayoutFont font = song(14);
        constexpr double height = 4.8;
        constexpr double rightLabels = 59.0;
        BlockBuilder b(QStringLiteral("detail"), 20.9);
        for (const Row &row : {Row{1.9, 1.1, QStringLiteral("卡   号:"), 18.0, v.cardNumber},
                               Row{8.2, 1.1, QStringLiteral("原有金额："), 19.3, v.balanceBefore},
                               Row{15.1, 1.9, QStringLiteral("卡内余额:"), 19.3, v.balanceAfter}})
            addRow(b, row, rightLabels - 1.0, height, font);
        for (const Row &row : {Row{2.1, 59.0, QStringLiteral("姓   名:"), 76.2, v.name},
                               Row{8.5, 59.3, QStringLiteral("本次消费："), 77.0, v.amount},
                               Row{15.6, 59.0, QStringLiteral("日   期:"), 76.2, date}})
            addRow(b, row, w - kValueGap, height, font);
        b.line(QRectF(0, 14.3, w, 0.5));
        return b.finish();
    }
    }
    return {};
}

LayoutBlock rechargeDetail(Paper paper, double w, const ReceiptValues &v, const QString &date)
{
    const LayoutFont font = song(12);
    if (paper != Paper::W120) {
        BlockBuilder b(QStringLiteral("detail"), 35.7);
        b.rule(QRectF(kEdgeInset, 0.5, w - 2 * kEdgeInset, kRuleHeight));
        for (const Row &row : {Row{2.4, 1.1, QStringLiteral("日期:"), 10.6, date},
                               Row{6.3, 1.1, QStringLiteral("卡号:"), 10.6, v.cardNumber},
                               Row{10.3, 1.1, QStringLiteral("姓名:"), 10.6, v.name},
                               Row{14.3, 1.1, QStringLiteral("原有金额："), 16.9, v.balanceBefore},
                               Row{18.3, 1.1, QStringLiteral("本次充值："), 16.9, v.amount},
                               Row{22.5, 1.1, QStringLiteral("实收金额:"), 16.7, v.received},
                               Row{29.9, 1.1, QStringLiteral("卡内余额:"), 16.7, v.balanceAfter}})
            addRow(b, row, w - kValueGap, kLabelHeight, font);
        b.line(QRectF(kEdgeInset, 27.3, w - kValueGap - kEdgeInset, kLineHeight));
        b.rule(QRectF(kEdgeInset, 34.9, w - 2 * kEdgeInset, kRuleHeight), RuleEdge::Top);
        return b.finish();
    }
    constexpr double rightLabels = 59.5;
    BlockBuilder b(QStringLiteral("detail"), 27.3);
    b.rule(QRectF(0, 0.5, w, kRuleHeight));
    for (const Row &row : {Row{2.1, 1.1, QStringLiteral("日期:"), 18.0, date},
                           Row{6.9, 1.1, QStringLiteral("姓名:"), 18.0, v.name},
                           Row{11.9, 1.1, QStringLiteral("本次充值："), 18.0, v.amount},
                           Row{19.3, 1.1, QStringLiteral("卡内余额:"), 18.0, v.balanceAfter}})
        addRow(b, row, rightLabels - 1.0, kLabelHeight, font);
    for (const Row &row : {Row{2.4, 59.8, QStringLiteral("卡号:"), 77.0, v.cardNumber},
                           Row{7.1, 59.5, QStringLiteral("原有金额："), 77.0, v.balanceBefore},
                           Row{11.9, 59.5, QStringLiteral("实收金额:"), 77.0, v.received}})
        addRow(b, row, w - kValueGap, kLabelHeight, font);
    b.line(QRectF(0, 16.7, w, kLineHeight));
    b.rule(QRectF(0, 25.4, w, kRuleHeight), RuleEdge::Top);
    return b.finish();
}

LayoutBlock newCardDetail(Paper paper, double w, const ReceiptValues &v, const QString &date)
{
    const LayoutFont font = song(12);
    if (paper != Paper::W120) {
        const bool narrow = paper == Paper::W58;
        BlockBuilder b(QStringLiteral("detail"), narrow ? 25.7 : 25.1);
        b.rule(QRectF(kEdgeInset, 0.5, w - 2 * kEdgeInset, kRuleHeight));
        for (const Row &row : {Row{2.4, 1.1, QStringLiteral("日期:"), 10.6, date},
                               Row{6.3, 1.1, QStringLiteral("卡号:"), 10.6, v.cardNumber},
                               Row{10.3, 1.1, QStringLiteral("姓名:"), 10.6, v.name},
                               Row{narrow ? 14.8 : 14.6, 1.1, QStringLiteral("本次充值："), 16.9, v.amount},
                               Row{narrow ? 19.1 : 18.8, 1.1, QStringLiteral("实收金额:"), 16.9, v.received}})
            addRow(b, row, w - kValueGap, kLabelHeight, font);
        b.line(QRectF(kEdgeInset, narrow ? 23.8 : 23.5, w - kValueGap - kEdgeInset, kLineHeight));
        return b.finish();
    }
    constexpr double rightLabels = 59.5;
    BlockBuilder b(QStringLiteral("detail"), 18.3);
    b.rule(QRectF(0, 0.5, w, kRuleHeight));
    for (const Row &row : {Row{2.1, 1.1, QStringLiteral("日期:"), 18.0, date},
                           Row{6.9, 1.1, QStringLiteral("姓名:"), 18.0, v.name},
                           Row{12.2, 1.1, QStringLiteral("实收金额："), 18.0, v.received}})
        addRow(b, row, rightLabels - 1.0, kLabelHeight, font);
    for (const Row &row : {Row{2.4, 59.8, QStringLiteral("卡号:"), 77.0, v.cardNumber},
                           Row{7.1, 59.5, QStringLiteral("充值金额："), 77.0, v.amount}})
        addRow(b, row, w - kValueGap, kLabelHeight, font);
    b.rule(QRectF(0, 17.5, w, kRuleHeight), RuleEdge::Top);
    return b.finish();
}

// Blocks follow one another without space between them.
void stack(ReceiptLayout &layout, QList<LayoutBlock> blocks)
{
    double top = 0;
    for (LayoutBlock &block : blocks) {
        block.top = top;
        top += block.height;
        layout.blocks.append(block);
    }
}

QString longTimeFormat(const QLocale &locale)
{
    // The long form without the time zone, as a clock on the wall reads.
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b\\s*"));
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.replace(zone, QStringLiteral(" "));
    return format.trimmed();
}

} // namespace

std::optional<Paper> paperFor(const QString &width)
{
    if (width == QStringLiteral("58"))
        return Paper::W58;
    if (width == QStringLiteral("76"))
        return Paper::W76;
    if (width == QStringLiteral("120"))
        return Paper::W120;
    return std::nullopt;
}

QString titleOf(ReceiptKind kind)
{
    switch (kind) {
    case ReceiptKind::Payment: return QStringLiteral("刷卡消费凭证");
    case ReceiptKind::Recharge: return QStringLiteral("旧卡充值凭证");
    case ReceiptKind::NewCard: return QStringLiteral("新卡充值凭证");
    }
    return {};
}

QString dateText(ReceiptKind kind, const QDateTime &moment)
{
    const QDateTime at = moment.isValid() ? moment : Clock::now();
    const QLocale locale;
    const QString day = locale.toString(at.date(), QLocale::ShortFormat);
    if (kind == ReceiptKind::Payment)
        return day;
    return day + u' ' + locale.toString(at.time(), longTimeFormat(locale));
}

ReceiptLayout receipt(ReceiptKind kind, Paper paper, const ReceiptValues &values, const QString &shopName,
                      const QString &footer)
{
    const Frame frame = frameFor(kind, paper);
    ReceiptLayout layout;
    layout.title = titleOf(kind);
    layout.paperWidth = frame.paper;
    layout.margins = QMarginsF(frame.left, kTopMargin, frame.right, kBottomMargin);
    const double w = frame.width();
    const QString date = dateText(kind, values.moment);

    LayoutBlock detail;
    int footerPixels = 13;
    switch (kind) {
    case ReceiptKind::Payment:
        detail = paymentDetail(paper, w, values, date);
        if (paper == Paper::W120)
            footerPixels = 14;
        break;
    case ReceiptKind::Recharge:
        detail = rechargeDetail(paper, w, values, date);
        break;
    case ReceiptKind::NewCard:
        detail = newCardDetail(paper, w, values, date);
        break;
    }
    stack(layout, {titleBlock(kind, paper, shopName), detail, footerBlock(w, footer, footerPixels)});
    return layout;
}

ReceiptLayout testPage(Paper paper, const QString &shopName)
{
    struct Design {
        double paper;
        QString title;
        double welcome, shop, message, messageHeight, blank, blankHeight, block;
        QString text;
    };
    static const Design designs[] = {
        {58, QStringLiteral("58毫米打印纸测试"), 2.1, 7.4, 12.7, 13.2, 27.5, 10.1, 40.0,
         QStringLiteral("恭喜你，如果你能看到这段文字，说明58毫米宽的打印是正常的！")},
        {76, QStringLiteral("76毫米宽度打印测试"), 2.6, 9.0, 14.3, 13.2, 29.1, 10.1, 41.0,
         QStringLiteral("恭喜你，如果你能看到这段完整的文字，说明76毫米宽的打印是正常的！")},
        {115, QStringLiteral("120毫米宽度打印测试"), 2.6, 7.9, 13.2, 9.0, 23.8, 7.9, 40.0,
         QStringLiteral("恭喜你，如果你能看到这段完整的文字，那就说明120毫米宽的打印是正常的！")},
    };
    const Design &d = designs[static_cast<int>(paper)];
    ReceiptLayout layout;
    layout.title = d.title;
    layout.paperWidth = d.paper;
    layout.margins = QMarginsF(5.5, 5.5, 5.5, kBottomMargin);
    const double w = layout.printWidth();
    const LayoutFont hei{fontfaces::kHei, 13, false};
    BlockBuilder b(QStringLiteral("test"), d.block);
    b.text(LayoutRole::Text, QRectF(0, d.welcome, w, 4.6), QStringLiteral("欢迎光临"), hei, Qt::AlignHCenter);
    b.text(LayoutRole::ShopName, QRectF(0, d.shop, w, 4.6), shopName, hei, Qt::AlignHCenter, true);
    b.text(LayoutRole::Text, QRectF(0, d.message, w, d.messageHeight), d.text, song(13), Qt::AlignLeft, true);
    b.blank(QRectF(0, d.blank, w, d.blankHeight));
    stack(layout, {b.finish()});
    return layout;
}

} // namespace receiptlayouts
