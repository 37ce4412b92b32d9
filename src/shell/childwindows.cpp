#include "shell/childwindows.h"

#include "cards/xinkafafangfrm.h"
#include "shell/guanyufrm.h"

#include <QWidget>

namespace childwindows {

QWidget *create(const QString &windowKey)
{
    if (windowKey == Txinkafafang::kWindowKey)
        return new Txinkafafang;
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
