#include "cards/xinkafafangfrm.h"

#include "cards/newcardissue.h"
#include "cards/quicksearch.h"
#include "data/cardlists.h"
#include "data/cardstore.h"
#include "data/dm1frm.h"
#include "data/sqllistmodel.h"
#include "receipts/receiptprinter.h"
#include "receipts/receiptsettings.h"
#include "shell/amountkeyfilter.h"
#include "shell/dialogs.h"
#include "shell/errordisplay.h"
#include "shell/keyrouter.h"
#include "shell/listgrid.h"
#include "shell/popupcombobox.h"
#include "shell/textutil.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTableView>
#include <QVBoxLayout>

const QString Txinkafafang::kWindowKey = QStringLiteral("新增储值卡");

namespace {

const QString kCaption = QStringLiteral("提示");
const QString kRedBold = QStringLiteral("color: red; font-weight: bold;");

const QString kNote = QStringLiteral("    说明：“首次充值”是指卡里充入的\n"
                                     "金额，“实收金额”是指操作人员实际收\n"
                                     "取的金额，调整实收金额可实现不同的\n"
                                     "整体折扣，比如要实现8折优惠，首次充\n"
                                     "值100元、实收金额80元即可实现。");

QLineEdit *lineEdit(const QString &name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

QPushButton *button(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    // Enter on the focused button presses it.
    b->setAutoDefault(true);
    return b;
}

} // namespace

Txinkafafang::Txinkafafang(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("xinkafafang"));
    setWindowTitle(kWindowKey);
    setProperty("mdiLeft", 50);

    promptLabel = new QLabel(QStringLiteral("直接刷卡或输入卡号后回车"), this);
    promptLabel->setStyleSheet(kRedBold);
    Edit1 = lineEdit(QStringLiteral("Edit1"), this);
    Edit2 = lineEdit(QStringLiteral("Edit2"), this);
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setEditable(true);
    ComboBox2->setInsertPolicy(QComboBox::NoInsert);
    ComboBox2->setCompleter(nullptr);
    ComboBox1 = new PopupComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    Edit3 = lineEdit(QStringLiteral("Edit3"), this);
    Edit4 = lineEdit(QStringLiteral("Edit4"), this);
    // The amount received takes only digits, "." and "-", typed or pasted;
    // whether they form a number is checked when the amount is converted.
    amountkeyfilter::install(Edit4);
    Edit5 = lineEdit(QStringLiteral("Edit5"), this);
    textutil::starEcho(Edit5);
    Edit6 = lineEdit(QStringLiteral("Edit6"), this);
    textutil::starEcho(Edit6);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setTabChangesFocus(true);
    Memo1->setFixedHeight(Memo1->fontMetrics().height() * 3 + 12);
    Edit7 = lineEdit(QStringLiteral("Edit7"), this);
    Edit7->hide();
    Edit10 = lineEdit(QStringLiteral("Edit10"), this);
    Edit10->hide();

    BitBtn1 = button(QStringLiteral("BitBtn1"), QStringLiteral("保存"), this);
    BitBtn3 = button(QStringLiteral("BitBtn3"), QStringLiteral("批量发卡"), this);
    BitBtn5 = button(QStringLiteral("BitBtn5"), QStringLiteral("刷新"), this);
    BitBtn2 = button(QStringLiteral("BitBtn2"), QStringLiteral("退出"), this);

    quickSearch = new QuickSearch(QStringLiteral("ComboBox3"), QStringLiteral("Edit8"), QStringLiteral("BitBtn4"),
                                  true, this);
    quickSearch->setObjectName(QStringLiteral("quickSearch"));

    noteLabel = new QLabel(kNote, this);
    noteLabel->setStyleSheet(kRedBold);

    GroupBox3 = new QGroupBox(QStringLiteral("全部卡信息(请双击需要修改信息或者需要删除的卡号！）"), this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    DBGridEh1 = new ListGrid(DM1->ADOQuery5, {80, 80, 60, 80, 70, 100}, GroupBox3);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setFooterVisible(true);
    GroupBox3->setMinimumSize(520, 480);
    auto *gridLayout = new QVBoxLayout(GroupBox3);
    gridLayout->addWidget(DBGridEh1);

    // The input fields, label and box, with "元" after the two amounts.
    auto *fields = new QGridLayout;
    fields->addWidget(promptLabel, 0, 0, 1, 3);
    const QList<std::pair<QString, QWidget *>> rows{
        {QStringLiteral("卡   号"), Edit1},     {QStringLiteral("姓   名"), Edit2},
        {QStringLiteral("性   别"), ComboBox2}, {QStringLiteral("使用单位"), ComboBox1},
        {QStringLiteral("首次充值"), Edit3},    {QStringLiteral("实收金额"), Edit4},
        {QStringLiteral("密   码"), Edit5},     {QStringLiteral("重复密码"), Edit6},
        {QStringLiteral("备   注"), Memo1},
    };
    int row = 1;
    for (const auto &[caption, box] : rows) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(box);
        fields->addWidget(label, row, 0, box == Memo1 ? Qt::AlignTop : Qt::Alignment());
        fields->addWidget(box, row, 1);
        if (box == Edit3 || box == Edit4)
            fields->addWidget(new QLabel(QStringLiteral("元"), this), row, 2);
        ++row;
    }
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {BitBtn1, BitBtn3, BitBtn5, BitBtn2})
        buttons->addWidget(b);

    auto *left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(buttons);
    left->addWidget(quickSearch);
    left->addWidget(noteLabel);
    left->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 0);
    layout->addWidget(GroupBox3, 1);

    const QList<QWidget *> enterOrder{Edit1, Edit2, ComboBox2, ComboBox1, Edit3, Edit4, Edit5, Edit6, Memo1, BitBtn1};
    auto *keys = new KeyRouter(this);
    keys->enterChain(enterOrder);
    KeyRouter::tabChain(enterOrder + QList<QWidget *>{BitBtn3, BitBtn5, BitBtn2, quickSearch->fieldChooser,
                                                      quickSearch->searchText, quickSearch->findButton,
                                                      DBGridEh1->view()});
    for (QWidget *box : {static_cast<QWidget *>(Edit1), static_cast<QWidget *>(Edit3)})
        box->installEventFilter(this);

    connect(BitBtn1, &QPushButton::clicked, this, &Txinkafafang::BitBtn1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &Txinkafafang::BitBtn3Click);
    connect(BitBtn5, &QPushButton::clicked, this, &Txinkafafang::BitBtn5Click);
    connect(BitBtn2, &QPushButton::clicked, this, &Txinkafafang::BitBtn2Click);
    connect(quickSearch, &QuickSearch::searchRequested, this, &Txinkafafang::BitBtn4Click);
    connect(ComboBox1, &PopupComboBox::aboutToDropDown, this, &Txinkafafang::ComboBox1DropDown);
    connect(DBGridEh1, &ListGrid::doubleClicked, this, &Txinkafafang::DBGridEh1DblClick);
}

void Txinkafafang::FormShow()
{
    errordisplay::guard(this, [&] {
        quickSearch->prepare();
        ComboBox2->clear();
        ComboBox2->addItems({QStringLiteral("男"), QStringLiteral("女")});
        ComboBox2->setCurrentIndex(0);
        for (QLineEdit *box : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6})
            box->clear();
        ComboBox1->setEditText(QString());
        Memo1->clear();
        Edit1->setFocus();
        if (Status opened = DM1->ADOQuery5->open(cardlists::all()); !opened)
            throw errordisplay::ActionError(opened.errorText());
    });
}

bool Txinkafafang::leavesWithinWindow(QEvent *event) const
{
    // Leaving a box means the focus moving to another control of this window;
    // switching to another window or a message box is not leaving it.
    const auto reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
        || reason == Qt::MenuBarFocusReason)
        return false;
    QWidget *next = QApplication::focusWidget();
    return next && isAncestorOf(next) && isVisible();
}

bool Txinkafafang::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        if (!m_movingFocus && watched == Edit1 && leavesWithinWindow(event))
            Edit1Exit();
        else if (!m_movingFocus && watched == Edit3 && leavesWithinWindow(event))
            Edit3Exit();
    }
    return QWidget::eventFilter(watched, event);
}

void Txinkafafang::Edit1Exit()
{
    const QScopedValueRollback movingFocus(m_movingFocus, true);
    errordisplay::guard(this, [&] {
        const Result<bool> inUse = NewCardIssue::numberInUse(textutil::trimBox(Edit1));
        if (!inUse)
            throw errordisplay::ActionError(inUse.errorText());
        if (!inUse.value()) {
            Edit2->setFocus();
            return;
        }
        ui::error(this, kCaption, NewCardIssue::kNumberInUse);
        Edit1->clear();
        Edit1->setFocus();
    });
}

void Txinkafafang::Edit3Exit()
{
    Edit4->setText(Edit3->text());
}

void Txinkafafang::ComboBox1DropDown()
{
    errordisplay::guard(this, [&] {
        const Result<QStringList> organisations = CardStore::organisations();
        if (!organisations)
            throw errordisplay::ActionError(organisations.errorText());
        ComboBox1->replaceItems(organisations.value());
    });
}

void Txinkafafang::trimBoxes()
{
    for (QLineEdit *box : {Edit1, Edit5, Edit6, Edit3, Edit4})
        textutil::trimBox(box);
    textutil::trimBox(Memo1);
}

NewCardForm Txinkafafang::formFromBoxes() const
{
    NewCardForm form;
    form.number = Edit1->text();
    form.name = Edit2->text();
    form.sex = ComboBox2->currentText();
    form.organisation = ComboBox1->currentText();
    form.firstRecharge = Edit3->text();
    form.received = Edit4->text();
    form.password = Edit5->text();
    form.passwordAgain = Edit6->text();
    form.remark = Memo1->toPlainText();
    return form;
}

void Txinkafafang::emptyBoxesAfterSave()
{
    for (QLineEdit *box : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6})
        box->clear();
    Memo1->clear();
    Edit1->setFocus();
}

void Txinkafafang::refuse(const QString &text)
{
    ui::error(this, kCaption, text);
}

void Txinkafafang::BitBtn1Click()
{
    const QScopedValueRollback movingFocus(m_movingFocus, true);
    errordisplay::guard(this, [&] {
        const ReceiptSettings settings = ReceiptSettings::read();
        Edit7->setText(settings.shopName);
        Edit10->setText(settings.footer);
        trimBoxes();

        const NewCardForm form = formFromBoxes();
        const Result<std::optional<NewCardRefusal>> checked = NewCardIssue::check(form);
        if (!checked)
            throw errordisplay::ActionError(checked.errorText());
        if (const std::optional<NewCardRefusal> &refusal = checked.value()) {
            refuse(refusal->message);
            switch (refusal->focus) {
            case NewCardRefusal::Focus::Number:
                Edit1->setFocus();
                break;
            case NewCardRefusal::Focus::FirstRecharge:
                Edit3->setFocus();
                break;
            case NewCardRefusal::Focus::Password:
                Edit5->setFocus();
                break;
            }
            if (refusal->emptyNumber)
                Edit1->clear();
            return;
        }

        const Status saved = NewCardIssue::save(form, [&](const QDateTime &moment) -> Status {
            ui::info(this, kCaption, NewCardIssue::kIssued);
            if (Status listed = DM1->ADOQuery5->rerun(); !listed)
                return listed;
            ReceiptValues values;
            values.moment = moment;
            values.cardNumber = Edit1->text();
            values.name = Edit2->text();
            values.amount = Edit3->text();
            values.received = Edit4->text();
            if (Status printed = ReceiptPrinter::print(this, ReceiptKind::NewCard, values, settings); !printed)
                return printed;
            emptyBoxesAfterSave();
            return {};
        });
        if (saved)
            return;
        // Rolled back: the list must not keep showing the card that was not
        // issued.
        const Status listed = DM1->ADOQuery5->rerun();
        errordisplay::showRolledBack(this, saved.errorText());
        if (!listed)
            throw errordisplay::ActionError(listed.errorText());
    });
}

void Txinkafafang::BitBtn3Click()
{
    errordisplay::guard(this, [&] { openBatchIssueDialog(); });
}

void Txinkafafang::BitBtn5Click()
{
    errordisplay::guard(this, [&] {
        if (Status listed = DM1->ADOQuery5->rerun(); !listed)
            throw errordisplay::ActionError(listed.errorText());
    });
}

void Txinkafafang::BitBtn2Click()
{
    textutil::closeWindow(this);
}

void Txinkafafang::BitBtn4Click()
{
    errordisplay::guard(this, [&] {
        if (Status found = quickSearch->runOn(DM1->ADOQuery5); !found)
            throw errordisplay::ActionError(found.errorText());
    });
}

void Txinkafafang::DBGridEh1DblClick()
{
    errordisplay::guard(this, [&] {
        if (DBGridEh1->currentRow() < 0)
            return;
        const Result<bool> allowed = NewCardIssue::mayEditCards();
        if (!allowed)
            throw errordisplay::ActionError(allowed.errorText());
        if (!allowed.value()) {
            ui::error(this, kCaption, NewCardIssue::kNoEditPermission);
            return;
        }
        openCardEditDialog(textutil::trimmed(DBGridEh1->currentValue(QStringLiteral("卡号")).toString()),
                           DBGridEh1->currentValue(QStringLiteral("使用单位")).toString(),
                           DBGridEh1->currentValue(QStringLiteral("姓名")).toString(),
                           DBGridEh1->currentValue(QStringLiteral("性别")).toString(),
                           DBGridEh1->currentValue(QStringLiteral("备注")).toString());
    });
}

void Txinkafafang::openCardEditDialog(const QString &number, const QString &organisation, const QString &name,
                                      const QString &sex, const QString &remark)
{
    // The card edit and delete dialog is filled here from these values (its
    // old number and its number box both take the number) and shown modally.
    (void)organisation;
    (void)name;
    (void)sex;
    (void)remark;
    emit cardEditRequested(number);
}

void Txinkafafang::openBatchIssueDialog()
{
    // The batch issue dialog, which lives for the whole run, is shown
    // modally here.
    emit batchIssueRequested();
}
