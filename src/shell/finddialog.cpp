#include "shell/finddialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FindDialog::FindDialog(const QStringList &columnTitles, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(QStringLiteral("查找"));

    textBox = new QLineEdit(this);
    textBox->setObjectName(QStringLiteral("findText"));
    columnBox = new QComboBox(this);
    columnBox->setObjectName(QStringLiteral("findColumn"));
    columnBox->addItem(QStringLiteral("全部列"));
    columnBox->addItems(columnTitles);
    matchBox = new QComboBox(this);
    matchBox->setObjectName(QStringLiteral("findMatch"));
    matchBox->addItems({QStringLiteral("字段任意部分"), QStringLiteral("整个字段"), QStringLiteral("字段开头")});
    directionBox = new QComboBox(this);
    directionBox->setObjectName(QStringLiteral("findDirection"));
    directionBox->addItems({QStringLiteral("向下"), QStringLiteral("向上"), QStringLiteral("全部")});
    caseBox = new QCheckBox(QStringLiteral("区分大小写"), this);
    caseBox->setObjectName(QStringLiteral("findCase"));
    findNextButton = new QPushButton(QStringLiteral("查找下一个"), this);
    findNextButton->setObjectName(QStringLiteral("findNext"));
    findNextButton->setDefault(true);
    closeButton = new QPushButton(QStringLiteral("关闭"), this);
    closeButton->setObjectName(QStringLiteral("findClose"));
    closeButton->setAutoDefault(false);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("查找内容:"), textBox);
    form->addRow(QStringLiteral("查找范围:"), columnBox);
    form->addRow(QStringLiteral("匹配方式:"), matchBox);
    form->addRow(QStringLiteral("查找方向:"), directionBox);
    form->addRow(QString(), caseBox);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(findNextButton);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(findNextButton, &QPushButton::clicked, this, &FindDialog::findNextRequested);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
}

SqlListModel::FindRequest FindDialog::request() const
{
    using M = SqlListModel;
    M::FindRequest r;
    r.text = textBox->text();
    r.column = columnBox->currentIndex() - 1;
    static const M::Match matches[] = {M::Match::Anywhere, M::Match::WholeField, M::Match::FromBeginning};
    static const M::Direction directions[] = {M::Direction::Down, M::Direction::Up, M::Direction::All};
    r.match = matches[std::clamp(matchBox->currentIndex(), 0, 2)];
    r.direction = directions[std::clamp(directionBox->currentIndex(), 0, 2)];
    r.caseSensitive = caseBox->isChecked();
    return r;
}
