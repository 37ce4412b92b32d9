#include "transactions/mimafrm.h"

#include "shell/textutil.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

Tmima *mima = nullptr;

Tmima::Tmima(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("mima"));
    setWindowTitle(QStringLiteral("请输入储值卡密码"));
    setModal(true);
    setFixedSize(355, 139);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(240, 202, 166));
    setPalette(pal);

    auto *label = new QLabel(QStringLiteral("储值卡密码"), this);
    label->setObjectName(QStringLiteral("Label1"));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    QPalette navy = label->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    label->setPalette(navy);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    textutil::starEcho(Edit1);
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("确定"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("退出"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    for (QPushButton *b : {BitBtn1, BitBtn2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(Edit1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);

    connect(BitBtn1, &QPushButton::clicked, this, &Tmima::BitBtn1Click);
    connect(Edit1, &QLineEdit::returnPressed, this, &Tmima::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

QString Tmima::ask()
{
    exec();
    return m_entered;
}

void Tmima::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    Edit1->clear();
    m_entered.clear();
    Edit1->setFocus();
}

void Tmima::keyPressEvent(QKeyEvent *event)
{
    // Esc does nothing here; Enter is handled by the text box.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Tmima::BitBtn1Click()
{
    m_entered = Edit1->text();
    accept();
}
