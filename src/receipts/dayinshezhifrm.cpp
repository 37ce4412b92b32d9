#include "receipts/dayinshezhifrm.h"

#include "receipts/receiptlayouts.h"
#include "receipts/receiptprinter.h"
#include "receipts/receiptrenderer.h"
#include "receipts/shopsettings.h"
#include "shell/apppaths.h"
#include "shell/dialogs.h"
#include "shell/errordisplay.h"
#include "shell/mainfrm.h"
#include "shell/textutil.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("提示");
const QString kWidths[] = {QStringLiteral("58"), QStringLiteral("76"), QStringLiteral("120")};

bool isEnter(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// What the copies box takes: the digits, the point and control keys.
bool copiesAccepts(const QString &text)
{
    for (const QChar c : text) {
        const bool digit = c >= u'0' && c <= u'9';
        if (!digit && c != u'.' && c.unicode() >= 0x20 && c.unicode() != 0x7f)
            return false;
    }
    return true;
}

QLabel *label(const QString &text, QWidget *parent, const QString &name)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

} // namespace

const QStringList Tdayinshezhi::kNotes = {
    QStringLiteral("  "),
    QStringLiteral(" 1、请正确填写你的店铺"),
    QStringLiteral("名称，该名称将出现在打"),
    QStringLiteral("印的小票上； "),
    QString(),
    QStringLiteral("  2、如果想要打印小票，"),
    QStringLiteral("请您选择使用热敏或针式"),
    QStringLiteral("打印机，需要你正确地安"),
    QStringLiteral("装准备用来打印小票的打"),
    QStringLiteral("印机的驱动，并把该打印"),
    QStringLiteral("机设置为默认打印机；然"),
    QStringLiteral("后选择你准备使用的打印"),
    QStringLiteral("纸张的宽度（请选用该宽"),
    QStringLiteral("度的连续打印纸），然后"),
    QStringLiteral("填写准备打印的小票尾部"),
    QStringLiteral("的文字，填写准备同时打"),
    QStringLiteral("印几张小票，全部填写正"),
    QStringLiteral("确后，点保存即可；"),
    QString(),
    QStringLiteral(" 3：信息保存后，可以点"),
    QStringLiteral("“小票打印测试”来测试"),
    QStringLiteral("该打印机是否工作正常。"),
    QStringLiteral("  "),
    QString(),
};

Tdayinshezhi::Tdayinshezhi(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("dayinshezhi"));
    setWindowTitle(QStringLiteral("小票打印及店铺名称设置"));
    setModal(true);
    QFont f = font();
    f.setPixelSize(13);
    setFont(f);
    buildControls();
    setFixedSize(509, 522);
    FormShow();
}

void Tdayinshezhi::buildControls()
{
    // Top left, no caption: shop name, slogan, background picture.
    auto *shopFrame = new QGroupBox(this);
    shopFrame->setObjectName(QStringLiteral("GroupBox1"));
    Edit1 = new QLineEdit(shopFrame);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Memo1 = new QPlainTextEdit(shopFrame);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setFixedHeight(64);
    Edit4 = new QLineEdit(shopFrame);
    Edit4->setObjectName(QStringLiteral("Edit4"));
    Button1 = new QPushButton(QStringLiteral("..."), shopFrame);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFixedWidth(28);
    auto *shopGrid = new QGridLayout(shopFrame);
    shopGrid->addWidget(label(QStringLiteral("店铺名称"), shopFrame, QStringLiteral("Label1")), 0, 0);
    shopGrid->addWidget(Edit1, 0, 1, 1, 2);
    shopGrid->addWidget(label(QStringLiteral("滚动字幕"), shopFrame, QStringLiteral("Label2")), 1, 0,
                        Qt::AlignTop);
    shopGrid->addWidget(Memo1, 1, 1, 1, 2);
    shopGrid->addWidget(label(QStringLiteral("背景图片"), shopFrame, QStringLiteral("Label3")), 2, 0);
    shopGrid->addWidget(Edit4, 2, 1);
    shopGrid->addWidget(Button1, 2, 2);

    // The receipt settings.
    auto *receiptFrame = new QGroupBox(QStringLiteral("小票详细信息"), this);
    receiptFrame->setObjectName(QStringLiteral("GroupBox2"));

    RadioGroup1 = new QGroupBox(QStringLiteral("请选择您使用的打印纸张的宽度"), receiptFrame);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    m_widthGroup = new QButtonGroup(this);
    auto *widthRow = new QHBoxLayout(RadioGroup1);
    const QString widthCaptions[] = {QStringLiteral("58 毫米"), QStringLiteral("76 毫米"),
                                     QStringLiteral("120 毫米")};
    for (int i = 0; i < 3; ++i) {
        widthButtons[i] = new QRadioButton(widthCaptions[i], RadioGroup1);
        m_widthGroup->addButton(widthButtons[i], i);
        widthRow->addWidget(widthButtons[i], 1);
    }

    Memo2 = new QPlainTextEdit(receiptFrame);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setFixedHeight(64);
    auto *footerRow = new QHBoxLayout;
    footerRow->addWidget(label(QStringLiteral("小票尾"), receiptFrame, QStringLiteral("Label4")), 0, Qt::AlignTop);
    footerRow->addWidget(Memo2);

    RadioGroup2 = new QGroupBox(QStringLiteral("打印是否预览"), receiptFrame);
    RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
    m_previewGroup = new QButtonGroup(this);
    auto *previewRow = new QHBoxLayout(RadioGroup2);
    const QString previewCaptions[] = {QStringLiteral("预览后打印"), QStringLiteral("不预览直接打印")};
    for (int i = 0; i < 2; ++i) {
        previewButtons[i] = new QRadioButton(previewCaptions[i], RadioGroup2);
        m_previewGroup->addButton(previewButtons[i], i);
        previewRow->addWidget(previewButtons[i], 1);
    }

    Edit2 = new QLineEdit(receiptFrame);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setFixedWidth(48);
    CheckBox1 = new QCheckBox(QStringLiteral("打印小票"), receiptFrame);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setLayoutDirection(Qt::RightToLeft); // caption on the left
    auto *copiesRow = new QHBoxLayout;
    copiesRow->addWidget(label(QStringLiteral("小票同时打印"), receiptFrame, QStringLiteral("Label5")));
    copiesRow->addWidget(Edit2);
    copiesRow->addWidget(label(QStringLiteral("份"), receiptFrame, QStringLiteral("Label6")));
    copiesRow->addStretch(1);
    copiesRow->addWidget(CheckBox1);

    // The cash drawer port: kept and saved, never shown.
    auto *portFrame = new QGroupBox(receiptFrame);
    portFrame->setObjectName(QStringLiteral("GroupBox4"));
    ComboBox1 = new QComboBox(portFrame);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    auto *portRow = new QHBoxLayout(portFrame);
    portRow->addWidget(label(QStringLiteral("控制钱箱的打印端口"), portFrame, QStringLiteral("Label7")));
    portRow->addWidget(ComboBox1);
    portFrame->hide();

    auto *receiptColumn = new QVBoxLayout(receiptFrame);
    receiptColumn->addWidget(RadioGroup1);
    receiptColumn->addLayout(footerRow);
    receiptColumn->addWidget(RadioGroup2);
    receiptColumn->addLayout(copiesRow);
    receiptColumn->addWidget(portFrame);

    // Notes, blue, read only.
    auto *notesFrame = new QGroupBox(QStringLiteral("说明"), this);
    notesFrame->setObjectName(QStringLiteral("GroupBox3"));
    Memo3 = new QPlainTextEdit(notesFrame);
    Memo3->setObjectName(QStringLiteral("Memo3"));
    Memo3->setReadOnly(true);
    Memo3->setPlainText(kNotes.join(u'\n'));
    Memo3->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    textutil::setTextColour(Memo3, Qt::blue);
    auto *notesColumn = new QVBoxLayout(notesFrame);
    notesColumn->addWidget(Memo3);
    // Wide enough for the longest note line beside the scroll bar.
    notesFrame->setFixedWidth(Memo3->fontMetrics().horizontalAdvance(QStringLiteral("度的连续打印纸），然后"))
                              + 56);

    BitBtn1 = new QPushButton(QStringLiteral("保存"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn3 = new QPushButton(QStringLiteral("小票打印测试"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn2 = new QPushButton(QStringLiteral("退出"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    for (QPushButton *b : {Button1, BitBtn1, BitBtn3, BitBtn2}) {
        // Enter moves between the boxes; it never presses a button by itself.
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto *leftColumn = new QVBoxLayout;
    leftColumn->addWidget(shopFrame);
    leftColumn->addWidget(receiptFrame, 1);
    auto *top = new QHBoxLayout;
    top->addLayout(leftColumn, 1);
    top->addWidget(notesFrame);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn3);
    buttons->addWidget(BitBtn2);
    buttons->addStretch(1);
    auto *page = new QVBoxLayout(this);
    page->addLayout(top, 1);
    page->addLayout(buttons);

    setTabOrder(Edit1, Memo1);
    setTabOrder(Memo1, Edit4);
    setTabOrder(Edit4, Button1);

    for (QWidget *w : {static_cast<QWidget *>(Edit1), static_cast<QWidget *>(Memo1),
                       static_cast<QWidget *>(Edit4), static_cast<QWidget *>(Memo2),
                       static_cast<QWidget *>(Edit2), static_cast<QWidget *>(BitBtn1),
                       static_cast<QWidget *>(BitBtn3), static_cast<QWidget *>(BitBtn2),
                       static_cast<QWidget *>(Button1)})
        w->installEventFilter(this);
    limitLength(Memo1);
    limitLength(Memo2);

    connect(BitBtn1, &QPushButton::clicked, this, &Tdayinshezhi::BitBtn1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &Tdayinshezhi::BitBtn3Click);
    connect(BitBtn2, &QPushButton::clicked, this, &Tdayinshezhi::BitBtn2Click);
    connect(Button1, &QPushButton::clicked, this, &Tdayinshezhi::Button1Click);
}

void Tdayinshezhi::limitLength(QPlainTextEdit *memo)
{
    connect(memo, &QPlainTextEdit::textChanged, this, [memo] {
        const QString text = memo->toPlainText();
        if (text.size() <= kMemoLimit)
            return;
        // What was typed or pasted beyond the limit is dropped where it went in.
        QTextCursor cursor = memo->textCursor();
        const int excess = int(text.size()) - kMemoLimit;
        const int at = std::max(0, cursor.position() - excess);
        cursor.setPosition(at);
        cursor.setPosition(at + excess, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        memo->setTextCursor(cursor);
    });
}

void Tdayinshezhi::FormShow()
{
    const ShopSettings s = ShopSettings::read();
    ComboBox1->clear();
    ComboBox1->addItems({QStringLiteral("无"), QStringLiteral("LPT1"), QStringLiteral("LPT2"),
                         QStringLiteral("LPT3"), QStringLiteral("LPT4")});
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(s.port);
    const QSignalBlocker block1(Memo1);
    const QSignalBlocker block2(Memo2);
    Edit1->setText(s.shopName);
    Memo1->setPlainText(s.slogan);
    Memo2->setPlainText(s.footer);
    Edit4->setText(s.background);
    Edit2->setText(s.copies);
    CheckBox1->setChecked(s.printReceipts);
    previewButtons[s.preview == QStringLiteral("是") ? 0 : 1]->setChecked(true);
    setWidthIndex(1);
    for (int i = 0; i < 3; ++i)
        if (s.width == kWidths[i])
            setWidthIndex(i);
}

void Tdayinshezhi::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Edit1->setFocus();
}

int Tdayinshezhi::widthIndex() const
{
    return std::max(0, m_widthGroup->checkedId());
}

void Tdayinshezhi::setWidthIndex(int index)
{
    widthButtons[index]->setChecked(true);
}

int Tdayinshezhi::previewIndex() const
{
    return std::max(0, m_previewGroup->checkedId());
}

void Tdayinshezhi::BitBtn1Click()
{
    errordisplay::guard(this, [&] {
        if (ComboBox1->currentText().trimmed().isEmpty()) {
            ComboBox1->setCurrentIndex(0);
            ComboBox1->setEditText(QStringLiteral("无"));
        }
        Edit1->setText(Edit1->text().trimmed());
        if (Edit1->text().isEmpty()) {
            ui::error(this, kCaption, QStringLiteral("店铺名称不能为空！"));
            Edit1->setFocus();
            return;
        }
        if (Edit2->text().isEmpty())
            Edit2->setText(QStringLiteral("1"));
        // A number of copies the receipts could not print would make every
        // later new card and recharge fail: refused here, nothing written.
        if (const Result<int> copies = ReceiptPrinter::copyCount(Edit2->text());
            !copies || *copies > ReceiptPrinter::kMostCopies) {
            ui::error(this, kCaption, QStringLiteral("小票份数必须是0到%1之间的整数！").arg(ReceiptPrinter::kMostCopies));
            Edit2->setFocus();
            Edit2->selectAll();
            return;
        }

        ShopSettings s;
        s.port = ComboBox1->currentText();
        s.shopName = Edit1->text();
        s.slogan = Memo1->toPlainText();
        s.background = Edit4->text();
        s.footer = Memo2->toPlainText();
        s.copies = Edit2->text();
        s.printReceipts = CheckBox1->isChecked();
        s.width = kWidths[widthIndex()];
        s.preview = previewIndex() == 0 ? QStringLiteral("是") : QStringLiteral("否");
        if (!s.write()) {
            ui::error(this, kCaption, QStringLiteral("保存失败！"));
            return;
        }
        ui::info(this, kCaption, QStringLiteral("保存成功,修改后的软件界面效果重新启动软件后体现！"));
    });
}

void Tdayinshezhi::BitBtn3Click()
{
    errordisplay::guard(this, [&] {
        const auto paper = static_cast<receiptlayouts::Paper>(widthIndex());
        PrintDocument page = ReceiptRenderer::document(receiptlayouts::testPage(paper, Edit1->text()));
        page.printWithoutDialog = true;
        const Status shown = ui::Dialogs::instance().preview(this, page);
        if (!shown)
            throw errordisplay::ActionError(shown.errorText());
    });
}

void Tdayinshezhi::BitBtn2Click()
{
    reject();
}

void Tdayinshezhi::Button1Click()
{
    errordisplay::guard(this, [&] {
        const QString current = Edit4->text();
        const QFileInfo currentFile(current);
        ui::FileRequest request;
        request.directory = !current.isEmpty() && currentFile.absoluteDir().exists()
            ? currentFile.absolutePath()
            : AppPaths::exeDir();
        const QString picked = ui::Dialogs::instance().openFile(this, request);
        if (!picked.isEmpty())
            Edit4->setText(QFileInfo(picked).absoluteFilePath());
        const Status written = ShopSettings::writeBackground(Edit4->text());
        if (TMAIN *main = TMAIN::instance())
            main->loadBackground(Edit4->text());
        if (!written)
            ui::error(this, kCaption, QStringLiteral("保存失败！"));
    });
}

bool Tdayinshezhi::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == Edit2 && !key->text().isEmpty() && !copiesAccepts(key->text()))
            return true;
        if (isEnter(key)) {
            const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier));
            if (auto *memo = qobject_cast<QPlainTextEdit *>(watched); memo && !plain) {
                // Ctrl+Enter or Shift+Enter: a line break inside the slogan or footer.
                memo->insertPlainText(QStringLiteral("\n"));
                return true;
            }
            if (watched == Edit1) {
                Memo1->setFocus();
                return true;
            }
            if (watched == Memo1) {
                Edit4->setFocus();
                return true;
            }
            if (watched == Edit4) {
                widthButtons[widthIndex()]->setFocus();
                return true;
            }
            if (watched == Memo2) {
                Edit2->setFocus();
                return true;
            }
            if (watched == Edit2) {
                BitBtn1->setFocus();
                return true;
            }
            if (auto *button = qobject_cast<QPushButton *>(watched)) {
                button->click();
                return true;
            }
        }
    } else if (event->type() == QEvent::InputMethod && watched == Edit2) {
        if (!copiesAccepts(static_cast<QInputMethodEvent *>(event)->commitString()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}
