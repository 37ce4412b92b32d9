#pragma once

#include "receipts/receiptlayout.h"
#include "receipts/receiptprinter.h"

#include <optional>

// The nine receipt designs (three kinds on 58, 76 and 120 mm paper) and the
// three test pages of the settings dialog, built as layouts from the values
// they print.
namespace receiptlayouts {

// The paper a "宽度" setting names: "58", "76" or "120" exactly; nothing for
// any other text.
enum class Paper { W58, W76, W120 };
std::optional<Paper> paperFor(const QString &width);

QString titleOf(ReceiptKind kind); // "刷卡消费凭证", "旧卡充值凭证", "新卡充值凭证"

// The date a receipt prints: the day in the system's short form for a
// payment; day and time (long form) for a recharge and a new card.
QString dateText(ReceiptKind kind, const QDateTime &moment);

ReceiptLayout receipt(ReceiptKind kind, Paper paper, const ReceiptValues &values, const QString &shopName,
                      const QString &footer);

// The settings dialog's test page for a paper width, with the shop name as
// the dialog's box holds it.
ReceiptLayout testPage(Paper paper, const QString &shopName);

} // namespace receiptlayouts
