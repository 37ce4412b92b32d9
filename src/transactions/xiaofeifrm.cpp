#include "transactions/xiaofeifrm.h"

#include "cards/picklist.h"
#include "cards/quicksearch.h"
#include "data/cardstore.h"
#include "data/dm1frm.h"
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
#include "transactions/cardpayment.h"
#include "transactions/mimafrm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("提示");
const QString kNotEnough = QStringLiteral("卡内金额不足以支付本次消费，请先充值！");

QLabel *unitLabel(QWidget *parent)
{
    return new QLabel(QStringLiteral("元"), parent);
}

} // namespace

Txiaofei::Txiaofei(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("xiaofei"));
    setProperty("mdiLeft", 150);
    setProperty("noMaximize", true);
    resize(746, 491);

    Label18 = new QLabel(QStringLiteral("储 值 卡 刷 卡 消 费"), this);
    Label18->setObjectName(QStringLiteral("Label18"));
    Label18->setFont(fontfaces::pixelFont(fontfaces::kKai, 32, true));
    Label18->setAlignment(Qt::AlignCenter);
    textutil::setTextColour(Label18, Qt::blue);
    Label6 = new QLabel(QStringLiteral("直接刷卡或输入卡号后回车"), this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setFont(fontfaces::pixelFont(fontfaces::kKai, 20, true));
    textutil::setTextColour(Label6, Qt::red);

    const QFont inputFont = fontfaces::pixelFont(fontfaces::kSong, 19, true);
    auto makeBox = [&](const char *name, bool readOnly) {
        auto *box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setReadOnly(readOnly);
        box->setFont(inputFont);
        return box;
    };
    Edit1 = makeBox("Edit1", false);
    textutil::starEcho(Edit1);
    Edit7 = makeBox("Edit7", true);
    textutil::setTextColour(Edit7, Qt::blue);
    Edit4 = makeBox("Edit4", true);
    Edit5 = makeBox("Edit5", true);
    Edit9 = makeBox("Edit9", true);
    Edit3 = makeBox("Edit3", false);
    textutil::setTextColour(Edit3, Qt::red);
    amountkeyfilter::install(Edit3);
    Edit2 = makeBox("Edit2", true);
    textutil::setTextColour(Edit2, QColor(255, 0, 255));
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setFont(inputFont);
    Memo1->setTabChangesFocus(true);
    Memo1->setMaximumHeight(70);
    Edit6 = new QLineEdit(this);
    Edit6->setObjectName(QStringLiteral("Edit6"));
    Edit6->hide();
    Edit10 = new QLineEdit(this);
    Edit10->setObjectName(QStringLiteral("Edit10"));
    Edit10->hide();

    m_inputArea = new QWidget(this);
    auto *fields = new QGridLayout(m_inputArea);
    int row = 0;
    auto addRow = [&](const QString &label, QWidget *box, bool unit) {
        fields->addWidget(new QLabel(label, m_inputArea), row, 0);
        fields->addWidget(box, row, 1);
        if (unit)
            fields->addWidget(unitLabel(m_inputArea), row, 2);
        ++row;
    };
    for (QWidget *w : {static_cast<QWidget *>(Edit1), static_cast<QWidget *>(Edit7), static_cast<QWidget *>(Edit4),
                       static_cast<QWidget *>(Edit5), static_cast<QWidget *>(Edit9), static_cast<QWidget *>(Edit3),
                       static_cast<QWidget *>(Edit2), static_cast<QWidget *>(Memo1)})
        w->setParent(m_inputArea);
    addRow(QStringLiteral("卡   号"), Edit1, false);
    addRow(QStringLiteral("卡内金额"), Edit7, true);
    addRow(QStringLiteral("姓   名"), Edit4, false);
    addRow(QStringLiteral("性   别"), Edit5, false);
    addRow(QStringLiteral("使用单位"), Edit9, false);
    addRow(QStringLiteral("本次消费"), Edit3, true);
    addRow(QStringLiteral("卡内余额"), Edit2, true);
    addRow(QStringLiteral("备 注"), Memo1, false);

    quickSearch = new QuickSearch(QStringLiteral("ComboBox1"), QStringLiteral("Edit8"), QStringLiteral("BitBtn3"),
                                  false, this);
    BitBtn1 = new QPushButton(QStringLiteral("保存(F2)"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(QStringLiteral("退出(ESC)"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    for (QPushButton *b : {BitBtn1, BitBtn2})
        b->setAutoDefault(true); // Enter on the focused button presses it

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label18);
    layout->addWidget(Label6);
    layout->addWidget(m_inputArea);
    layout->addWidget(quickSearch);
    layout->addLayout(buttons);

    // The pick list frame lies over the input fields.
    GroupBox4 = new PickList(m_inputArea, this);
    DBGridEh1 = GroupBox4->DBGridEh1;
    BitBtn5 = GroupBox4->BitBtn5;

    KeyRouter::tabChain({Edit1, Edit7, Edit4, Edit5, Edit9, Edit3, Edit2, Memo1, quickSearch->fieldChooser,
                         quickSearch->searchText, quickSearch->findButton, BitBtn1, BitBtn2});

    m_keys = new KeyRouter(this);
    m_keys->onEnter(Edit1, [this] { errordisplay::guard(this, [this] { lookUp(); }); });
    m_keys->enterChain({Edit7, Edit4, Edit5, Edit9, Edit3, BitBtn1});
    m_keys->on(Edit3, Qt::Key_Down, [this] { BitBtn1->setFocus(); });
    m_keys->on(Edit3, Qt::Key_Up, [this] { Edit1->setFocus(); });
    m_keys->on(BitBtn1, Qt::Key_Up, [this] { Edit3->setFocus(); });

    auto *f2 = new QShortcut(QKeySequence(Qt::Key_F2), this);
    f2->setContext(Qt::WidgetWithChildrenShortcut);
    connect(f2, &QShortcut::activated, BitBtn1, &QPushButton::click);
    auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WidgetWithChildrenShortcut);
    connect(esc, &QShortcut::activated, BitBtn2, &QPushButton::click);

    connect(BitBtn1, &QPushButton::clicked, this, &Txiaofei::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, [this] { textutil::closeWindow(this); });
    connect(Edit3, &QLineEdit::textChanged, this, [this] { errordisplay::guard(this, [this] { amountChanged(); }); });
    GroupBox4->serve(quickSearch, Edit1, [this] { lookUp(); });
}

void Txiaofei::FormShow()
{
    emptyCardBoxes();
    quickSearch->prepare();
    GroupBox4->hide();
    Edit1->setFocus();
}

void Txiaofei::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    GroupBox4->cover();
}

void Txiaofei::emptyCardBoxes()
{
    m_lookedUp.clear();
    for (QLineEdit *box : {Edit1, Edit7, Edit9, Edit3, Edit2, Edit4, Edit5})
        box->clear();
    Memo1->clear();
    quickSearch->searchText->clear();
}

void Txiaofei::lookUp()
{
    const QString number = textutil::trimBox(Edit1);
    const auto card = CardStore::find(number);
    if (!card)
        throw errordisplay::ActionError(card.errorText());
    if (!card.value()) {
        ui::error(this, kCaption, QStringLiteral("此卡号不存在！"));
        emptyCardBoxes();
        Edit1->setFocus();
        return;
    }
    const CardRecord &c = *card.value();
    m_lookedUp = c.number;
    Edit7->setText(c.balance.toString());
    Edit9->setText(c.organisation);
    Edit4->setText(c.name);
    Edit5->setText(c.sex);
    Memo1->setPlainText(c.remark);
    Edit3->setFocus();
}

void Txiaofei::amountChanged()
{
    const auto live = CardPayment::liveCheck(Edit7->text(), Edit3->text());
    if (!live)
        throw errordisplay::ActionError(live.errorText());
    switch (live->kind) {
    case CardPayment::Live::Kind::Nothing:
        return;
    case CardPayment::Live::Kind::AboveBalance:
        ui::Dialogs::instance().message(this, {kCaption, kNotEnough, ui::Icon::None, ui::Buttons::Ok});
        Edit3->clear();
        Edit2->clear();
        return;
    case CardPayment::Live::Kind::Remaining:
        Edit2->setText(live->remaining.toString());
        return;
    }
}

void Txiaofei::BitBtn1Click()
{
    errordisplay::guard(this, [this] { save(); });
}

void Txiaofei::save()
{
    const ReceiptSettings settings = ReceiptSettings::read();
    Edit6->setText(settings.shopName);
    Edit10->setText(settings.footer);
    const QString amountText = textutil::trimBox(Edit3);
    const QString remark = textutil::trimBox(Memo1);

    // Pay only from the card the boxes show: a number changed since the
    // lookup is looked up first.
    if (!m_lookedUp.isEmpty() && textutil::trimmed(Edit1->text()) != m_lookedUp) {
        lookUp();
        return;
    }

    const auto check = CardPayment::checkSave(Edit7->text(), amountText);
    if (!check)
        throw errordisplay::ActionError(check.errorText());
    switch (check->kind) {
    case CardPayment::Check::Kind::NoCard:
        ui::error(this, kCaption, QStringLiteral("请先刷卡或输入卡号回车！"));
        Edit1->setFocus();
        return;
    case CardPayment::Check::Kind::NoAmount:
        ui::error(this, kCaption, QStringLiteral("请输入消费金额！"));
        Edit3->setFocus();
        return;
    case CardPayment::Check::Kind::Negative:
        ui::error(this, kCaption, QStringLiteral("消费金额不能为负数！"));
        Edit3->setFocus();
        return;
    case CardPayment::Check::Kind::AboveBalance:
        ui::error(this, kCaption, kNotEnough);
        Edit3->clear();
        Edit2->clear();
        return;
    case CardPayment::Check::Kind::Ok:
        break;
    }

    const QString entered = mima ? mima->ask() : QString();
    const QString number = m_lookedUp;
    const auto matches = CardPayment::passwordMatches(number, entered);
    if (!matches)
        throw errordisplay::ActionError(matches.errorText());
    if (!matches.value()) {
        lookUp(); // the card is gone: say so
        return;
    }
    if (!*matches.value()) {
        ui::error(this, kCaption, QStringLiteral("储值卡密码不正确，无法使用！"));
        return;
    }

    CardRecord holder;
    holder.number = number;
    holder.name = Edit4->text();
    holder.sex = Edit5->text();
    holder.organisation = Edit9->text();
    holder.remark = remark;
    const CardPayment::Booking booking{holder, check->amount, Session::operatorId()};
    const auto booked = CardPayment::book(booking, [this] {
        ui::info(this, kCaption, QStringLiteral("刷卡消费完成！"));
        return Status();
    });
    if (!booked) {
        errordisplay::showRolledBack(this, booked.errorText());
        return;
    }
    if (booked.value() == CardPayment::Outcome::NoSuchCard) {
        lookUp();
        return;
    }
    if (booked.value() == CardPayment::Outcome::NotCovered) {
        ui::error(this, kCaption, kNotEnough);
        lookUp(); // show the balance the card really has
        Edit3->clear();
        Edit2->clear();
        return;
    }

    // Booked and committed: the receipt, then the window is ready for the next card.
    ReceiptValues values;
    values.moment = Clock::now();
    values.cardNumber = Edit1->text();
    values.name = Edit4->text();
    values.balanceBefore = Edit7->text();
    values.amount = Edit3->text();
    values.balanceAfter = Edit2->text();
    if (Status printed = ReceiptPrinter::print(this, ReceiptKind::Payment, values, settings); !printed)
        throw errordisplay::ActionError(printed.errorText());
    emptyCardBoxes();
    Edit1->setFocus();
}
