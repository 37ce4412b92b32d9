#pragma once

#include <QString>

// The receipt settings as the saves that print receipts read them (new card,
// recharge, payment), at the start of every save, with these readers' own
// defaults.
struct ReceiptSettings {
    QString shopName;                       // 店铺名称, default empty
    QString footer;                         // 小票尾, default empty (line breaks restored)
    QString port;                           // 打印端口, default empty; plays no part in printing
    bool print = false;                     // 打印小票
    QString preview = QStringLiteral("是"); // 预览: exactly "是" previews
    QString copies = QStringLiteral("1");   // 份数, made a whole number when printing
    QString width = QStringLiteral("76");   // 宽度: "58", "76" or "120"; else nothing prints

    static ReceiptSettings read();
};
