#include "transactions/chongzhifrm.h"

#include "cards/picklist.h"
#include "cards/quicksearch.h"
#include "data/cardstore.h"
#include "data/dm1frm.h"
#include "data/records.h"
#include "data/sqllistmodel.h"
#include "receipts/receiptprinter.h"
#include "shell/clock.h"
#include "shell/dialogs.h"
#include "shell/errordisplay.h"
#include "shell/fontfaces.h"
#include "shell/keyrouter.h"
#include "shell/listgrid.h"
#include "shell/session.h"
#include "shell/textutil.h"
#include "shell/amountkeyfilter.h"
#include "transactions/balanceclearing.h"
#include "transactions/cardrecharge.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString kCaption = QStringLiteral("提示");
const QString kNoSuchCard = QStringLiteral("此卡号不存在!");
const QString kSpecialCaption = QStringLiteral("特别提示");

// Runs an action when a box loses the focus, by whatever means.
class FocusOutWatcher : public QObject {
public:
    FocusOutWatcher(QWidget *box, std::function<void()> action)
        : QObject(box), m_action(std::move(action))
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut)
            m_action();
        return false;
    }

private:
    std::function<void()> m_action;
};
} // namespace

const QStringList Tchongzhi::kNotice{
    QStringLiteral("  特别说明："),
    QStringLiteral("   1、“本次充值”是指卡里充入的金额，而“实收金额”是指操作人员实际收取的金额，"),
    QStringLiteral("调整实收金额可实现不同的整体折扣，比如要实现8折优惠，本次充值100元、实收金额80"),
    QStringLiteral("元即可实现。"),
    QStringLiteral("   2、充值的同时可以修改卡的姓名,性别,使用单位和备注。"),
    QStringLiteral("   3、充值前可以点“手动清除卡内余额”清除卡内的少量余额，以方便实现充值后卡内"),
    QStringLiteral("金额为整数！"),
};

Tchongzhi::Tchongzhi(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("chongzhi"));
    setProperty("mdiLeft", 200);
    setProperty("noMaximize", true);
    resize(635, 456);

    Label7 = new QLabel(QStringLiteral("直接刷卡或输入卡号后回车"), this);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setFont(fontfaces::pixelFont(fontfaces::kKai, 19, true));
    textutil::setTextColour(Label7, Qt::red);

    m_inputArea = new QWidget(this);
    m_inputArea->setFont(fontfaces::pixelFont(fontfaces::kSong, 13));
    auto makeBox = [&](const char *name) {
        auto *box = new QLineEdit(m_inputArea);
        box->setObjectName(QString::fromLatin1(name));
        return box;
    };
    Edit1 = makeBox("Edit1");
    Edit7 = makeBox("Edit7");
    ComboBox2 = new QComboBox(m_inputArea);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setEditable(true);
    ComboBox2->setInsertPolicy(QComboBox::NoInsert);
    Edit2 = makeBox("Edit2");
    Edit3 = makeBox("Edit3");
    Edit3->setReadOnly(true);
    Edit4 = makeBox("Edit4");
    amountkeyfilter::install(Edit4);
    Edit5 = makeBox("Edit5");
    amountkeyfilter::install(Edit5);
    Memo1 = new QPlainTextEdit(m_inputArea);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setTabChangesFocus(true);
    Memo1->setMaximumHeight(60);
    BitBtn1 = new QPushButton(QStringLiteral("手动清除卡内余额"), m_inputArea);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));

    auto *fields = new QGridLayout(m_inputArea);
    auto add = [&](int row, int column, const QString &label, QWidget *box, bool unit = false) {
        fields->addWidget(new QLabel(label, m_inputArea), row, column);
        fields->addWidget(box, row, column + 1);
        if (unit)
            fields->addWidget(new QLabel(QStringLiteral("元"), m_inputArea), row, column + 2);
    };
    add(0, 0, QStringLiteral("卡   号"), Edit1);
    add(0, 3, QStringLiteral("卡内金额"), Edit3);
    add(1, 0, QStringLiteral("姓   名"), Edit7);
    add(1, 3, QStringLiteral("本次充值"), Edit4, true);
    add(2, 0, QStringLiteral("性   别"), ComboBox2);
    add(2, 3, QStringLiteral("实收金额"), Edit5, true);
    add(3, 0, QStringLiteral("使用单位"), Edit2);
    fields->addWidget(BitBtn1, 3, 4, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("备   注"), m_inputArea), 4, 0);
    fields->addWidget(Memo1, 4, 1, 1, 5);

    quickSearch = new QuickSearch(QStringLiteral("ComboBox1"), QStringLiteral("Edit8"), QStringLiteral("BitBtn2"),
                                  true, this);
    BitBtn4 = new QPushButton(QStringLiteral("确定充值"), this);
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    BitBtn3 = new QPushButton(QStringLiteral("退出"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    Label13 = new QLabel(kNotice.join(u'\n'), this);
    Label13->setObjectName(QStringLiteral("Label13"));
    Label13->setFont(fontfaces::pixelFont(fontfaces::kSong, 14, true));
    textutil::setTextColour(Label13, Qt::red);
    Label13->setWordWrap(false);
    auto *noticeFrame = new QGroupBox(this);
    auto *noticeLayout = new QVBoxLayout(noticeFrame);
    noticeLayout->addWidget(Label13);

    Edit6 = new QLineEdit(this);
    Edit6->setObjectName(QStringLiteral("Edit6"));
    Edit6->hide();
    Edit10 = new QLineEdit(this);
    Edit10->setObjectName(QStringLiteral("Edit10"));
    Edit10->hide();
    Edit11 = new QLineEdit(this);
    Edit11->setObjectName(QStringLiteral("Edit11"));
    Edit11->hide();

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn4);
    buttons->addWidget(BitBtn3);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label7);
    layout->addWidget(m_inputArea);
    layout->addWidget(quickSearch);
    layout->addLayout(buttons);
    layout->addWidget(noticeFrame);

    GroupBox4 = new PickList(m_inputArea, this);
    DBGridEh1 = GroupBox4->DBGridEh1;
    BitBtn5 = GroupBox4->BitBtn5;

    KeyRouter::tabChain({Edit1, Edit7, ComboBox2, Edit2, Edit3, Edit4, Edit5, Memo1, quickSearch->fieldChooser,
                         quickSearch->searchText, quickSearch->findButton, BitBtn1, BitBtn4, BitBtn3});

    m_keys = new KeyRouter(this);
    m_keys->onEnter(Edit1, [this] { errordisplay::guard(this, [this] { lookUp(); }); });
    m_keys->enterChain({Edit7, ComboBox2, Edit2, Edit4, Edit5, BitBtn4});
    for (QPushButton *b : {BitBtn1, BitBtn4, BitBtn3})
        b->setAutoDefault(true); // Enter on the focused button presses it

    new FocusOutWatcher(Edit4, [this] { Edit5->setText(Edit4->text()); });

    connect(BitBtn4, &QPushButton::clicked, this, &Tchongzhi::BitBtn4Click);
    connect(BitBtn1, &QPushButton::clicked, this, &Tchongzhi::BitBtn1Click);
    connect(BitBtn3, &QPushButton::clicked, this, [this] { textutil::closeWindow(this); });
    GroupBox4->serve(quickSearch, Edit1, [this] { lookUp(); });
    connect(GroupBox4, &PickList::closed, this, [this] { Edit1->setFocus(); });
}

void Tchongzhi::FormShow()
{
    ComboBox2->clear();
    ComboBox2->addItems({QStringLiteral("男"), QStringLiteral("女")});
    ComboBox2->setCurrentIndex(-1);
    ComboBox2->setEditText(QString());
    emptyCardBoxes(false);
    quickSearch->prepare();
    GroupBox4->hide();
    Edit1->setFocus();
}

void Tchongzhi::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    GroupBox4->cover();
}

void Tchongzhi::emptyCardBoxes(bool keepNumber)
{
    m_lookedUp.clear();
    if (!keepNumber)
        Edit1->clear();
    for (QLineEdit *box : {Edit2, Edit3, Edit4, Edit5, Edit7})
        box->clear();
    Memo1->clear();
    quickSearch->searchText->clear();
}

void Tchongzhi::fillFrom(const CardRecord &card)
{
    m_lookedUp = card.number;
    Edit2->setText(card.organisation);
    Edit3->setText(card.balance.toString());
    ComboBox2->setEditText(card.sex);
    Edit7->setText(card.name);
    Memo1->setPlainText(card.remark);
}

void Tchongzhi::lookUp()
{
    const QString number = textutil::trimBox(Edit1);
    const auto card = CardStore::find(number);
    if (!card)
        throw errordisplay::ActionError(card.errorText());
    if (!card.value()) {
        ui::error(this, kCaption, kNoSuchCard);
        emptyCardBoxes(false);
        Edit1->setFocus();
        return;
    }
    fillFrom(*card.value());
    Edit4->setFocus();
}

void Tchongzhi::BitBtn4Click()
{
    errordisplay::guard(this, [this] { save(); });
}

void Tchongzhi::save()
{
    const ReceiptSettings settings = ReceiptSettings::read();
    Edit6->setText(settings.shopName);
    Edit10->setText(settings.footer);
    const QString remark = textutil::trimBox(Memo1);
    const QString number = textutil::trimBox(Edit1);
    const QString name = textutil::trimBox(Edit7);
    const QString organisation = textutil::trimBox(Edit2);
    const QString amountText = textutil::trimBox(Edit4);
    const QString receivedText = textutil::trimBox(Edit5);

    if (number.isEmpty()) {
        ui::error(this, kCaption, QStringLiteral("卡号不能为空!"));
        Edit1->setFocus();
        return;
    }
    if (amountText.isEmpty()) {
        ui::error(this, kCaption, QStringLiteral("本次充值金额不能为空!"));
        Edit4->setFocus();
        return;
    }
    // Recharge only the card the boxes show: a number typed or changed
    // since the lookup is looked up first.
    if (number != m_lookedUp) {
        lookUp();
        return;
    }
    const auto newBalance = CardRecharge::newBalance(Edit3->text(), amountText);
    if (!newBalance)
        throw errordisplay::ActionError(newBalance.errorText());
    Edit11->setText(newBalance.value().toString());
    const Money amount = Money::parse(amountText).value();
    const auto received = Money::parse(receivedText);
    if (!received) {
        // The save cannot be booked: nothing is written.
        errordisplay::showRolledBack(this, received.errorText());
        return;
    }

    CardRecord holder;
    holder.number = number;
    holder.name = name;
    holder.sex = ComboBox2->currentText();
    holder.organisation = organisation;
    holder.remark = remark;
    const CardRecharge::Booking booking{holder, amount, received.value(), Session::operatorId()};
    const auto booked = CardRecharge::book(booking, [&]() -> Status {
        ui::info(this, kCaption, QStringLiteral("充值成功！"));
        ReceiptValues values;
        values.moment = Clock::now();
        values.cardNumber = Edit1->text();
        values.name = Edit7->text();
        values.balanceBefore = Edit3->text();
        values.amount = Edit4->text();
        values.received = Edit5->text();
        values.balanceAfter = Edit11->text();
        if (Status printed = ReceiptPrinter::print(this, ReceiptKind::Recharge, values, settings); !printed)
            return printed;
        emptyCardBoxes(false);
        Edit1->setFocus();
        return {};
    });
    if (!booked) {
        errordisplay::showRolledBack(this, booked.errorText());
        return;
    }
    if (booked.value() == CardRecharge::Outcome::NoSuchCard)
        lookUp();
}

void Tchongzhi::BitBtn1Click()
{
    errordisplay::guard(this, [this] { clearBalance(); });
}

void Tchongzhi::clearBalance()
{
    const auto permitted = BalanceClearing::permitted(Session::operatorId());
    if (!permitted)
        throw errordisplay::ActionError(permitted.errorText());
    if (!permitted.value()) {
        ui::error(this, kCaption, QStringLiteral("对不起！您没有手动清除卡内余额的权限!"));
        return;
    }
    const QString number = textutil::trimBox(Edit1);
    if (number.isEmpty())
        return;
    if (!ui::confirm(this, kSpecialCaption,
                     QStringLiteral("确实进行卡内金额手动清除？该操作将清空该卡内的全部余额，该操作不可恢复！请谨慎操作！")))
        return;
    const auto card = CardStore::find(number);
    if (!card)
        throw errordisplay::ActionError(card.errorText());
    if (!card.value()) {
        ui::error(this, kCaption, kNoSuchCard);
        emptyCardBoxes(true);
        Edit1->setFocus();
        return;
    }
    fillFrom(*card.value());
    if (BalanceClearing::needsSecondQuestion(card.value()->balance)
        && !ui::confirm(this, kSpecialCaption, QStringLiteral("卡内余额大于1元，是否还要手动清除？请谨慎操作！")))
        return;
    const auto cleared = BalanceClearing::clear(*card.value(), Session::operatorId());
    if (!cleared)
        throw errordisplay::ActionError(cleared.errorText());
    if (cleared.value() == BalanceClearing::Outcome::Changed) {
        lookUp();
        throw errordisplay::ActionError(QStringLiteral("卡内余额已经变化，请核对后重新操作"));
    }
    ui::info(this, kCaption, QStringLiteral("卡内余额清除成功！"));
    lookUp();
}
