#include "shell/guanyufrm.h"

#include "shell/apppaths.h"

#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

Tguanyu *guanyu = nullptr;

Tguanyu::Tguanyu(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("guanyu"));
    setWindowTitle(QStringLiteral("关于本系统"));
    setModal(true);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    QPixmap pixmap(AppPaths::defaultBackground());
    if (!pixmap.isNull())
        picture->setPixmap(pixmap.scaled(320, 200, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    picture->setAlignment(Qt::AlignCenter);

    auto *title = new QLabel(QStringLiteral("vadazored"), this);
    title->setObjectName(QStringLiteral("Label1"));
    QFont big = title->font();
    big.setPointSize(16);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);

    auto *version = new QLabel(QStringLiteral("程序版本：8.0"), this);
    version->setObjectName(QStringLiteral("Label2"));
    version->setAlignment(Qt::AlignCenter);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(title);
    layout->addWidget(version);
    setFixedSize(sizeHint().expandedTo(QSize(360, 300)));
}
