#include "shell/childwindows.h"

#include "receipts/dayinshezhifrm.h"
#include "shell/guanyufrm.h"

#include <QWidget>

#include <memory>

namespace childwindows {

QWidget *create(const QString &windowKey)
{
    (void)windowKey;
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
