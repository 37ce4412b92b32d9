#include "receipts/receiptprinter.h"

#include "shell/dialogs.h"

#include <QPainter>

// Provisional: the layouts come with the receipts work.
Status ReceiptPrinter::print(QWidget *parent, ReceiptKind kind, const ReceiptValues &values,
                             const ReceiptSettings &settings)
{
    if (!settings.print)
        return {};
    if (settings.width != QStringLiteral("58") && settings.width != QStringLiteral("76")
        && settings.width != QStringLiteral("120"))
        return {};
    bool ok = false;
    const int copies = settings.copies.toInt(&ok);
    if (!ok)
        return Error{QStringLiteral("“%1”不是有效的份数").arg(settings.copies)};
    PrintDocument document;
    document.title = kind == ReceiptKind::Payment ? QStringLiteral("刷卡消费凭证")
                     : kind == ReceiptKind::Recharge ? QStringLiteral("旧卡充值凭证")
                                                      : QStringLiteral("新卡充值凭证");
    document.pageSize = QPageSize(QSizeF(settings.width.toDouble(), 100), QPageSize::Millimeter);
    document.paint = [values, settings](QPainter &p) {
        p.drawText(QPointF(10, 20), settings.shopName + u' ' + values.cardNumber);
    };
    for (int i = 0; i < copies; ++i) {
        Status s = settings.preview == QStringLiteral("是") ? ui::Dialogs::instance().preview(parent, document)
                                                            : ui::Dialogs::instance().print(document);
        if (!s)
            return s;
    }
    return {};
}
