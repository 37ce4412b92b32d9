#pragma once

#include <QString>

// The one section of myini.ini and its keys.
namespace settingskeys {

inline const QString kSection = QStringLiteral("程序参数");

inline const QString kShopName = QStringLiteral("店铺名称");
inline const QString kSlogan = QStringLiteral("广告语");
inline const QString kBackground = QStringLiteral("背景");
inline const QString kPort = QStringLiteral("打印端口");
inline const QString kFooter = QStringLiteral("小票尾");
inline const QString kPrintReceipts = QStringLiteral("打印小票");
inline const QString kPreview = QStringLiteral("预览");
inline const QString kCopies = QStringLiteral("份数");
inline const QString kWidth = QStringLiteral("宽度");

inline const QString kDefaultShopName = QStringLiteral("澄溪软件工作室");

} // namespace settingskeys
