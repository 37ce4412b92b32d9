#pragma once

#include "data/result.h"
#include "receipts/receiptsettings.h"

#include <QDateTime>
#include <QString>

class QWidget;

enum class ReceiptKind {
    Payment,  // "刷卡消费凭证"
    Recharge, // "旧卡充值凭证"
    NewCard,  // "新卡充值凭证"
};

// What a receipt prints, as the window's boxes hold it at the save (texts are
// printed as they are, numbers are not reformatted).
struct ReceiptValues {
    QDateTime moment;      // the save's date (payment) or date and time
    QString cardNumber;
    QString name;
    QString balanceBefore; // payment, recharge
    QString amount;        // payment amount / recharge amount / first recharge
    QString received;      // recharge, new card
    QString balanceAfter;  // payment, recharge
};

// The receipt printing procedure that the new card, recharge and payment saves
// run: nothing when printing is off or the width is unknown; otherwise N copies
// (份数), each shown in a modal preview when 预览 is exactly "是", else each
// printed as its own job on the default printer without a dialog; 0 copies or
// fewer print nothing. An error (份数 not a whole number or more than 99, no
// default printer, a printer that fails) is returned for the calling save to
// handle at its point.
class ReceiptPrinter {
public:
    static constexpr int kMostCopies = 99;

    static Status print(QWidget *parent, ReceiptKind kind, const ReceiptValues &values,
                        const ReceiptSettings &settings);

    // 份数 as a whole number: an optional sign and decimal digits, nothing
    // else ("2.5", "abc" and "" are errors). A number too large for an int
    // reads as more than any receipt may have copies.
    static Result<int> copyCount(const QString &copies);
};
