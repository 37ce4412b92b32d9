#include "shell/mainfrm.h"

#include "data/dm1frm.h"
#include "shell/apppaths.h"
#include "shell/childwindows.h"
#include "shell/commandtable.h"
#include "shell/dialogs.h"
#include "shell/errordisplay.h"
#include "shell/fontfaces.h"
#include "shell/login.h"
#include "shell/mainwindowsettings.h"
#include "shell/session.h"
#include "shell/settingskeys.h"
#include "shell/tickerlabel.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QImageReader>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

const QString TMAIN::kTitle = QStringLiteral("vadazored");
const QString TMAIN::kVersion = QStringLiteral("V8.0");

namespace {
TMAIN *g_main = nullptr;

QIcon iconFor(const QString &caption, QStyle *style)
{
    static const QHash<QString, QStyle::StandardPixmap> icons{
        {QStringLiteral("刷卡消费"), QStyle::SP_DialogApplyButton},
        {QStringLiteral("新增储值卡"), QStyle::SP_FileDialogNewFolder},
        {QStringLiteral("旧卡充值"), QStyle::SP_ArrowUp},
        {QStringLiteral("流水记录"), QStyle::SP_FileDialogDetailedView},
        {QStringLiteral("系统帮助"), QStyle::SP_DialogHelpButton},
        {QStringLiteral("临时离开"), QStyle::SP_MediaPause},
        {QStringLiteral("退出系统"), QStyle::SP_DialogCloseButton},
    };
    return style->standardIcon(icons.value(caption, QStyle::SP_FileIcon));
}
} // namespace

TMAIN *TMAIN::instance()
{
    return g_main;
}

TMAIN::TMAIN(QWidget *parent)
    : QMainWindow(parent)
{
    g_main = this;
    setObjectName(QStringLiteral("MAIN"));
    resize(1022, 736);

    m_workArea = new QMdiArea(this);
    m_workArea->setObjectName(QStringLiteral("workArea"));
    setCentralWidget(m_workArea);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TMAIN::Timer1Timer);
}

void TMAIN::ensureInterface()
{
    if (!m_built)
        buildInterface();
}

void TMAIN::buildInterface()
{
    m_built = true;
    m_workArea->viewport()->installEventFilter(this);
    Image1 = new QLabel(m_workArea->viewport());
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->hide();

    const QFont labelFont = fontfaces::pixelFont(fontfaces::kXingKai, 53);
    Label1 = new QLabel(m_settings.shopName, m_workArea->viewport());
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(kTitle, m_workArea->viewport());
    Label2->setObjectName(QStringLiteral("Label2"));
    for (QLabel *label : {Label1, Label2}) {
        label->setFont(labelFont);
        label->setStyleSheet(QStringLiteral("color: yellow; background: transparent;"));
        label->setAlignment(Qt::AlignCenter);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->adjustSize();
    }

    buildMenus();
    buildToolBar();
    buildStatusBar();
    slogan->setText(m_settings.slogan);
    loadBackground(m_settings.background);
    centreLabels();
}

TMAIN::~TMAIN()
{
    delete m_login;
    if (g_main == this)
        g_main = nullptr;
}

void TMAIN::buildMenus()
{
    QHash<QString, QMenu *> menus;
    for (const QString &title : commandtable::menus())
        menus.insert(title, menuBar()->addMenu(title));
    for (const auto &command : commandtable::menu()) {
        QMenu *menu = menus.value(command.menu);
        if (command.mode == commandtable::Mode::Separator) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addAction(command.item);
        action->setObjectName(command.item);
        const QString item = command.item;
        connect(action, &QAction::triggered, this, [this, item] { runCommand(item); });
        m_menuActions.insert(item, action);
    }
}

void TMAIN::buildToolBar()
{
    QToolBar *bar = addToolBar(QStringLiteral("工具栏"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(32, 32));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->setFixedHeight(38);
    for (const auto &tool : commandtable::toolBar()) {
        if (tool.caption.isEmpty()) {
            bar->addSeparator();
            continue;
        }
        auto *action = new QAction(iconFor(tool.caption, style()), tool.caption, this);
        action->setObjectName(QStringLiteral("tool_") + tool.caption);
        const QString caption = tool.caption;
        const QString menuItem = tool.menuItem;
        connect(action, &QAction::triggered, this, [this, caption, menuItem] {
            if (!menuItem.isEmpty())
                invoke(menuItem);
            else if (caption == QStringLiteral("系统帮助"))
                runCommand(QStringLiteral("帮助"));
            else if (caption == QStringLiteral("退出系统"))
                close();
            // "临时离开" opens the screen lock.
        });
        bar->addAction(action);
        if (auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(action)))
            button->setFixedSize(tool.caption == QStringLiteral("新增储值卡") ? 114 : 100, 34);
        m_toolActions.insert(caption, action);
    }
}

void TMAIN::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setFixedHeight(23);
    bar->setSizeGripEnabled(false);

    operatorPane = new QLabel(bar);
    operatorPane->setObjectName(QStringLiteral("operatorPane"));
    operatorPane->setFixedWidth(227);
    operatorPane->setAlignment(Qt::AlignCenter);
    bar->addWidget(operatorPane);

    slogan = new TickerLabel(bar);
    slogan->setObjectName(QStringLiteral("slogan"));
    slogan->setFixedWidth(404);
    QFont tickerFont = slogan->font();
    tickerFont.setPixelSize(14);
    slogan->setFont(tickerFont);
    bar->addWidget(slogan);

    clockPane = new QLabel(bar);
    clockPane->setObjectName(QStringLiteral("clockPane"));
    clockPane->setFixedWidth(249);
    clockPane->setAlignment(Qt::AlignCenter);
    bar->addWidget(clockPane);

    updateClock();
    m_clockTimer.setInterval(1000);
    connect(&m_clockTimer, &QTimer::timeout, this, &TMAIN::updateClock);
    m_clockTimer.start();
}

void TMAIN::updateClock()
{
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    clockPane->setText(locale.toString(now.date(), QLocale::LongFormat) + u' '
                       + locale.toString(now.time(), QLocale::LongFormat));
}

bool TMAIN::prepare()
{
    if (Status opened = DM1->openDatabase(AppPaths::databaseFile()); !opened) {
        ui::error(this, QStringLiteral("错误"), QStringLiteral("无法连接到指定的数据库！请重试！"));
        return false;
    }
    m_settings = MainWindowSettings::read();
    setWindowTitle(m_settings.shopName + kTitle + kVersion);
    return true;
}

bool TMAIN::logIn()
{
    if (!m_login) {
        m_login = new Tloginform(this, nullptr);
        connect(m_login, &Tloginform::firstPainted, this, [this] {
            QTimer::singleShot(0, this, &TMAIN::ensureInterface);
        });
    }
    return m_login->exec() == QDialog::Accepted;
}

void TMAIN::loadBackground(const QString &path)
{
    ensureInterface();
    Image1->hide();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        return;
    Image1->setPixmap(QPixmap::fromImage(image));
    Image1->setGeometry(m_workArea->viewport()->rect());
    Image1->lower();
    Image1->show();
}

void TMAIN::centreLabels()
{
    if (!m_built)
        return;
    // Integer halving, from the window's outer size.
    const int w = frameGeometry().width();
    const int h = frameGeometry().height();
    Label1->move((w - Label1->width()) / 2, (h - 4 * Label1->height()) / 2);
    Label2->move((w - Label2->width()) / 2, (h - Label2->height()) / 2);
}

void TMAIN::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    centreLabels();
}

bool TMAIN::eventFilter(QObject *watched, QEvent *event)
{
    if (m_built && watched == m_workArea->viewport() && event->type() == QEvent::Resize)
        Image1->setGeometry(m_workArea->viewport()->rect());
    return QMainWindow::eventFilter(watched, event);
}

void TMAIN::showEvent(QShowEvent *event)
{
    ensureInterface();
    QMainWindow::showEvent(event);
    centreLabels();
    if (!m_firstShowDone) {
        m_firstShowDone = true;
        Timer1->start();
    }
}

void TMAIN::Timer1Timer()
{
    Timer1->stop();
    ensureInterface();
    if (Label1->text() == settingskeys::kDefaultShopName) {
        ui::error(this, QStringLiteral("提示"), QStringLiteral("请设置您的店铺名称！"));
        invoke(QStringLiteral("小票打印及店铺名称设置"));
    }
}

QAction *TMAIN::menuAction(const QString &menuItem)
{
    ensureInterface();
    return m_menuActions.value(menuItem);
}

QAction *TMAIN::toolAction(const QString &caption)
{
    ensureInterface();
    return m_toolActions.value(caption);
}

void TMAIN::invoke(const QString &menuItem)
{
    if (QAction *action = menuAction(menuItem); action && action->isEnabled())
        action->trigger();
}

void TMAIN::runCommand(const QString &menuItem)
{
    errordisplay::guard(this, [&] {
        for (const auto &command : commandtable::menu()) {
            if (command.item != menuItem)
                continue;
            switch (command.mode) {
            case commandtable::Mode::Child:
                if (menuItem == QStringLiteral("储值卡密码忘记，找回密码")
                    && Session::operatorId() != QStringLiteral("0001")) {
                    ui::error(this, QStringLiteral("提示"),
                              QStringLiteral("对不起，只有系统管理员有找回储值卡密码的权限！"));
                    return;
                }
                openChild(command.windowKey);
                return;
            case commandtable::Mode::Modal:
                childwindows::runModal(menuItem, this);
                return;
            case commandtable::Mode::Other:
                if (menuItem == QStringLiteral("退出系统"))
                    close();
                else if (menuItem == QStringLiteral("帮助"))
                    ui::Dialogs::instance().openDocument(AppPaths::helpFile());
                return;
            case commandtable::Mode::Separator:
                return;
            }
        }
    });
}

QWidget *TMAIN::openChild(const QString &windowKey)
{
    for (QMdiSubWindow *sub : m_workArea->subWindowList(QMdiArea::StackingOrder)) {
        if (sub->windowTitle() != windowKey)
            continue;
        sub->showNormal();
        sub->setEnabled(true);
        sub->show();
        m_workArea->setActiveSubWindow(sub);
        sub->widget()->setFocus();
        return sub->widget();
    }
    QWidget *window = childwindows::create(windowKey);
    if (!window)
        return nullptr;
    // The window's designed size, or what its layout needs if that is more.
    const QSize designed = window->size().expandedTo(window->minimumSizeHint());
    auto *sub = m_workArea->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(windowKey);
    sub->setObjectName(window->objectName());
    if (window->property("noMaximize").toBool())
        sub->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                            | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    sub->adjustSize();
    sub->resize(sub->size() - window->size() + designed);
    sub->move(window->property("mdiLeft").toInt(), 0);
    sub->show();
    m_workArea->setActiveSubWindow(sub);
    QMetaObject::invokeMethod(window, "FormShow", Qt::DirectConnection);
    return window;
}

void TMAIN::setOperatorPane(const QString &operatorId)
{
    ensureInterface();
    operatorPane->setText(QStringLiteral("当前用户为:") + operatorId);
}

void TMAIN::applyPermissions(const OperatorRecord &op)
{
    ensureInterface();
    for (const auto &command : commandtable::menu()) {
        if (command.flag > 0)
            menuAction(command.item)->setEnabled(op.flag(command.flag));
    }
    for (const auto &tool : commandtable::toolBar()) {
        if (tool.flag > 0)
            toolAction(tool.caption)->setEnabled(op.flag(tool.flag));
    }
}

void TMAIN::closeEvent(QCloseEvent *event)
{
    if (!ui::confirm(this, QStringLiteral("系统提示"), QStringLiteral("确实要退出本系统吗？"))) {
        event->ignore();
        return;
    }
    event->accept();
    QApplication::quit();
}
