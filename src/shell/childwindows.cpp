#include "shell/childwindows.h"

#include "shell/guanyufrm.h"
#include "transactions/chongzhifrm.h"
#include "transactions/xiaofeifrm.h"

#include <QWidget>

namespace childwindows {

QWidget *create(const QString &windowKey)
{
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
    (void)parent;
    return false;
}

} // namespace childwindows
