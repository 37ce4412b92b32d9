#include "cards/picklist.h"

#include "cards/quicksearch.h"
#include "data/dm1frm.h"
#include "shell/errordisplay.h"
#include "shell/fontfaces.h"
#include "shell/listgrid.h"
#include "shell/textutil.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

PickList::PickList(QWidget *covered, QWidget *parent)
    : QGroupBox(QStringLiteral("请鼠标双击选中的储值卡"), parent)
    , m_covered(covered)
{
    setObjectName(QStringLiteral("GroupBox4"));
    setAutoFillBackground(true);
    DBGridEh1 = new ListGrid(DM1->ADOQuery9, {80, 80, 60, 80, 70, 100}, this);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setFooterVisible(false);
    BitBtn5 = new QPushButton(QStringLiteral("×"), this);
    BitBtn5->setObjectName(QStringLiteral("BitBtn5"));
    BitBtn5->setFont(fontfaces::pixelFont(fontfaces::kSong, 20, true));
    textutil::setTextColour(BitBtn5, Qt::red);
    BitBtn5->setFixedSize(28, 24);

    auto *top = new QHBoxLayout;
    top->addStretch();
    top->addWidget(BitBtn5);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(DBGridEh1);
    hide();

    connect(BitBtn5, &QPushButton::clicked, this, [this] {
        hide();
        emit closed();
    });
    connect(DBGridEh1, &ListGrid::activated, this, [this] {
        // An empty list hands over an empty number; the window's lookup
        // then says that the card does not exist.
        const QString number = DBGridEh1->currentValue(QStringLiteral("卡号")).toString();
        hide();
        emit picked(number);
    });
}

void PickList::cover()
{
    setGeometry(m_covered->geometry());
    raise();
}

Status PickList::search(const QuickSearch &quickSearch)
{
    if (Status searched = quickSearch.runOn(DM1->ADOQuery9); !searched)
        return searched;
    cover();
    show();
    DBGridEh1->view()->setFocus();
    return {};
}

void PickList::serve(QuickSearch *quickSearch, QLineEdit *numberBox, std::function<void()> lookUp)
{
    QWidget *window = parentWidget();
    connect(quickSearch, &QuickSearch::searchRequested, this, [this, window, quickSearch] {
        errordisplay::guard(window, [&] {
            if (Status searched = search(*quickSearch); !searched)
                throw errordisplay::ActionError(searched.errorText());
        });
    });
    connect(this, &PickList::picked, this, [window, numberBox, lookUp = std::move(lookUp)](const QString &number) {
        numberBox->setText(number);
        errordisplay::guard(window, lookUp);
    });
}
