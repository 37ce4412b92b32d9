#include "shell/childwindows.h"

#include "cards/xinkafafangfrm.h"
#include "receipts/dayinshezhifrm.h"
#include "shell/guanyufrm.h"
#include "transactions/chongzhifrm.h"
#include "transactions/xiaofeifrm.h"

#include <QWidget>

#include <memory>

namespace childwindows {

QWidget *create(const QString &windowKey)
{
    if (windowKey == Txinkafafang::kWindowKey)
        return new Txinkafafang;
    if (windowKey == QStringLiteral("刷卡消费"))
        return new Txiaofei;
    if (windowKey == QStringLiteral("旧卡充值"))
        return new Tchongzhi;
    return nullptr;
}

bool runModal(const QString &menuItem, QWidget *parent)
{
    if (menuItem == QStringLiteral("关于")) {
        if (guanyu)
            guanyu->exec();
        return true;
    }
    if (menuItem == QStringLiteral("小票打印及店铺名称设置")) {
        // Created for this showing only, so it starts from the settings file.
        const auto dialog = std::make_unique<Tdayinshezhi>(parent);
        dialog->exec();
        return true;
    }
    return false;
}

} // namespace childwindows
