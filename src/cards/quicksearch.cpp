#include "cards/quicksearch.h"

#include "data/cardlists.h"
#include "data/sqllistmodel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

const QStringList QuickSearch::kFields{QStringLiteral("卡号"), QStringLiteral("姓名"), QStringLiteral("性别"),
                                       QStringLiteral("使用单位"), QStringLiteral("备注")};

QuickSearch::QuickSearch(QString chooserName, QString textName, QString buttonName, bool enterSearches,
                         QWidget *parent)
    : QGroupBox(QStringLiteral("快速查找"), parent)
{
    fieldChooser = new QComboBox(this);
    fieldChooser->setObjectName(chooserName);
    fieldChooser->setEditable(true);
    fieldChooser->setInsertPolicy(QComboBox::NoInsert);
    fieldChooser->setCompleter(nullptr);
    fieldChooser->setMinimumContentsLength(6);
    containsLabel = new QLabel(QStringLiteral("包含"), this);
    containsLabel->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    searchText = new QLineEdit(this);
    searchText->setObjectName(textName);
    findButton = new QPushButton(QStringLiteral("查找"), this);
    findButton->setObjectName(buttonName);
    // Enter on the focused button presses it, as on the desktop the program
    // comes from.
    findButton->setAutoDefault(true);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(fieldChooser);
    layout->addWidget(containsLabel);
    layout->addWidget(searchText, 1);
    layout->addWidget(findButton);

    connect(findButton, &QPushButton::clicked, this, &QuickSearch::searchRequested);
    if (enterSearches)
        connect(searchText, &QLineEdit::returnPressed, this, &QuickSearch::searchRequested);
}

void QuickSearch::prepare()
{
    fieldChooser->clear();
    fieldChooser->addItems(kFields);
    fieldChooser->setCurrentIndex(1);
    searchText->clear();
}

Status QuickSearch::runOn(SqlListModel *model) const
{
    return model->open(cardlists::contains(fieldChooser->currentText(), searchText->text()));
}
