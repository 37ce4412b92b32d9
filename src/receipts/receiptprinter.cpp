#include "receipts/receiptprinter.h"

#include "receipts/receiptlayouts.h"
#include "receipts/receiptrenderer.h"
#include "shell/dialogs.h"

#include <QRegularExpression>

Result<int> ReceiptPrinter::copyCount(const QString &copies)
{
    static const QRegularExpression whole(QRegularExpression::anchoredPattern(QStringLiteral("[+-]?[0-9]+")));
    if (!whole.match(copies).hasMatch())
        return Error{QStringLiteral("小票份数“%1”不是有效的整数，请在“小票打印及店铺名称设置”中改正").arg(copies)};
    QString digits = copies;
    const bool negative = digits.startsWith(u'-');
    if (negative || digits.startsWith(u'+'))
        digits.remove(0, 1);
    while (digits.size() > 1 && digits.startsWith(u'0'))
        digits.remove(0, 1);
    // Beyond what an int holds, only the sign matters.
    if (digits.size() > 9)
        return negative ? 0 : kMostCopies + 1;
    const int n = digits.toInt();
    return negative ? -n : n;
}

Status ReceiptPrinter::print(QWidget *parent, ReceiptKind kind, const ReceiptValues &values,
                             const ReceiptSettings &settings)
{
    if (!settings.print)
        return {};
    const auto paper = receiptlayouts::paperFor(settings.width);
    if (!paper)
        return {};
    const Result<int> copies = copyCount(settings.copies);
    if (!copies)
        return copies.error();
    if (*copies > kMostCopies)
        return Error{QStringLiteral("小票份数“%1”太多，一次最多打印%2份，请在“小票打印及店铺名称设置”中改正")
                         .arg(settings.copies)
                         .arg(kMostCopies)};
    if (*copies <= 0)
        return {};

    const ReceiptLayout layout = receiptlayouts::receipt(kind, *paper, values, settings.shopName, settings.footer);
    const PrintDocument document = ReceiptRenderer::document(layout);
    const bool preview = settings.preview == QStringLiteral("是");
    for (int i = 0; i < *copies; ++i) {
        const Status done = preview ? ui::Dialogs::instance().preview(parent, document)
                                    : ui::Dialogs::instance().print(document);
        if (!done)
            return done;
    }
    return {};
}
