#include "shell/login.h"

#include "data/operatorstore.h"
#include "shell/dialogs.h"
#include "shell/errordisplay.h"
#include "shell/loginrules.h"
#include "shell/mainfrm.h"
#include "shell/session.h"
#include "shell/textutil.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {
const QString kCaption = QStringLiteral("提示");
const QString kNoSuchUser = QStringLiteral("不存在的用户！");
} // namespace

Tloginform::Tloginform(TMAIN *mainWindow, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_main(mainWindow)
{
    setObjectName(QStringLiteral("loginform"));
    setWindowTitle(QStringLiteral("系统登陆"));
    setModal(true);

    cbusername = new QComboBox(this);
    cbusername->setObjectName(QStringLiteral("cbusername"));
    cbusername->setEditable(true);
    cbusername->setInsertPolicy(QComboBox::NoInsert);
    cbusername->setCompleter(nullptr);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);
    Edit1->setFocusPolicy(Qt::NoFocus);
    edtpassword = new QLineEdit(this);
    edtpassword->setObjectName(QStringLiteral("edtpassword"));
    textutil::starEcho(edtpassword);
    button1 = new QPushButton(QStringLiteral("登陆"), this);
    button1->setObjectName(QStringLiteral("button1"));
    button2 = new QPushButton(QStringLiteral("退出"), this);
    button2->setObjectName(QStringLiteral("button2"));
    for (QPushButton *b : {button1, button2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("操作员编号"), this), 0, 0);
    grid->addWidget(cbusername, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("操作员姓名"), this), 1, 0);
    grid->addWidget(Edit1, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("操作员密码"), this), 2, 0);
    grid->addWidget(edtpassword, 2, 1);
    auto *hint = new QLabel(QStringLiteral("系统管理员初始密码为 空"), this);
    grid->addWidget(hint, 3, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(button1);
    buttons->addWidget(button2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    setTabOrder(cbusername, edtpassword);
    setTabOrder(edtpassword, button1);
    setTabOrder(button1, button2);

    connect(cbusername, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_loading && index >= 0)
            operatorChanged(cbusername->itemText(index));
    });
    connect(cbusername->lineEdit(), &QLineEdit::textEdited, this, &Tloginform::operatorTyped);
    cbusername->installEventFilter(this);
    connect(edtpassword, &QLineEdit::returnPressed, button1, &QPushButton::click);
    connect(button1, &QPushButton::clicked, this, [this] { errordisplay::guard(this, [this] { button1Click(); }); });
    connect(button2, &QPushButton::clicked, this, &QDialog::reject);
}

void Tloginform::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        errordisplay::guard(this, [this] { FormShow(); });
}

void Tloginform::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    if (!m_painted) {
        m_painted = true;
        emit firstPainted();
    }
}

void Tloginform::keyPressEvent(QKeyEvent *event)
{
    // Neither Enter nor Esc closes the dialog; only its buttons and close box do.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Tloginform::FormShow()
{
    m_loading = true;
    cbusername->clear();
    m_ids.clear();
    m_passwords.clear();
    auto operators = OperatorStore::all();
    m_loading = false;
    if (!operators)
        throw errordisplay::ActionError(operators.errorText());
    m_loading = true;
    for (const OperatorRecord &op : operators.value()) {
        m_ids << op.id;
        m_passwords << op.password;
        cbusername->addItem(op.id);
    }
    cbusername->setCurrentIndex(-1);
    m_loading = false;
    if (!m_ids.isEmpty())
        cbusername->setCurrentIndex(0);
    edtpassword->clear();
    cbusername->setFocus();
    Edit1->clear();
    showName(cbusername->currentText());
    m_lastText = cbusername->currentText();
}

void Tloginform::showName(const QString &id)
{
    auto op = OperatorStore::find(id);
    if (!op)
        throw errordisplay::ActionError(op.errorText());
    Edit1->setText(op.value() ? op.value()->name : QString());
}

void Tloginform::operatorChanged(const QString &text)
{
    errordisplay::guard(this, [&] {
        m_lastText = text;
        showName(text);
        edtpassword->setFocus();
    });
}

void Tloginform::operatorTyped(const QString &typed)
{
    // Complete the typed text to the first id that begins with it.
    QString text = typed;
    for (const QString &id : m_ids) {
        if (!typed.isEmpty() && id.startsWith(typed, Qt::CaseInsensitive)) {
            QLineEdit *line = cbusername->lineEdit();
            const QSignalBlocker block(line);
            line->setText(id);
            line->setSelection(static_cast<int>(typed.size()), static_cast<int>(id.size() - typed.size()));
            text = id;
            break;
        }
    }
    if (text != m_lastText)
        operatorChanged(text);
}

bool Tloginform::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == cbusername && event->type() == QEvent::FocusOut) {
        // Checked once the focus has arrived where it was going.
        QTimer::singleShot(0, this, &Tloginform::operatorLeft);
    }
    return QDialog::eventFilter(watched, event);
}

void Tloginform::operatorLeft()
{
    if (!isVisible())
        return;
    const QString text = cbusername->currentText();
    for (int i = 0; i < m_ids.size(); ++i) {
        if (m_ids[i].compare(text, Qt::CaseInsensitive) == 0) {
            if (cbusername->currentIndex() != i || text != m_ids[i]) {
                m_loading = true;
                cbusername->setCurrentIndex(i);
                cbusername->setEditText(m_ids[i]);
                m_loading = false;
                m_lastText = m_ids[i];
            }
            return;
        }
    }
    if (QApplication::focusWidget() == edtpassword) {
        ui::error(this, kCaption, kNoSuchUser);
        cbusername->setFocus();
        cbusername->lineEdit()->selectAll();
    }
}

int Tloginform::selectedOperator() const
{
    const QString text = cbusername->currentText();
    const int exact = static_cast<int>(m_ids.indexOf(text));
    if (exact >= 0)
        return exact;
    for (int i = 0; i < m_ids.size(); ++i) {
        if (m_ids[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void Tloginform::button1Click()
{
    const int selected = selectedOperator();
    if (selected < 0) {
        ui::error(this, kCaption, kNoSuchUser);
        cbusername->setFocus();
        cbusername->lineEdit()->selectAll();
        return;
    }
    const QString typed = edtpassword->text();
    if (!loginrules::passwordsMatch(typed, m_passwords[selected])) {
        ++m_wrongPasswords;
        if (m_wrongPasswords > loginrules::kMaxWrongPasswords) {
            ui::error(this, kCaption, QStringLiteral("密码错误超过五次，软件将被关闭！"));
            reject();
            return;
        }
        ui::error(this, kCaption, QStringLiteral("密码错误，请重新输入！"));
        edtpassword->clear();
        edtpassword->setFocus();
        return;
    }
    const QString id = m_ids[selected];
    Session::logIn(id, typed);
    if (m_main) {
        m_main->setOperatorPane(id);
        auto op = OperatorStore::find(id);
        if (!op)
            throw errordisplay::ActionError(op.errorText());
        m_main->applyPermissions(op.value().value_or(OperatorRecord{}));
    }
    accept();
}
