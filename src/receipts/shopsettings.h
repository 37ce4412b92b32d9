#pragma once

#include "data/result.h"

#include <QString>

// The shop and receipt settings as the settings dialog shows and saves them,
// with the dialog's own defaults (which differ from the receipt printing
// saves': a missing 宽度 shows 58 mm here).
struct ShopSettings {
    QString port;                           // 打印端口
    QString shopName;                       // 店铺名称
    QString slogan;                         // 广告语 (line breaks restored)
    QString background;                     // 背景
    QString footer;                         // 小票尾 (line breaks restored)
    QString copies = QStringLiteral("1");   // 份数
    bool printReceipts = false;             // 打印小票
    QString width = QStringLiteral("58");   // 宽度 as stored
    QString preview = QStringLiteral("是"); // 预览 as stored

    static ShopSettings read();

    // Writes every key in one go, in the order 打印端口, 店铺名称, 广告语,
    // 背景, 小票尾, 份数, 打印小票, 宽度, 预览. Nothing is written when the
    // file cannot be written.
    Status write() const;

    // The browse button's write of 背景 alone.
    static Status writeBackground(const QString &path);
};
