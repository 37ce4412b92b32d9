#include "shell/application.h"

#include "data/dm1frm.h"
#include "shell/fontfaces.h"
#include "shell/guanyufrm.h"
#include "shell/login.h"
#include "shell/mainfrm.h"
#include "shell/singleinstance.h"
#include "transactions/mimafrm.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <memory>

namespace application {

namespace {

// Tells the hook when the login dialog first shows.
class LoginShownWatcher : public QObject {
public:
    explicit LoginShownWatcher(std::function<void(QDialog *)> hook) : m_hook(std::move(hook)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && m_hook) {
            if (auto *dialog = qobject_cast<Tloginform *>(watched)) {
                auto hook = std::move(m_hook);
                m_hook = nullptr;
                QTimer::singleShot(0, dialog, [hook, dialog] { hook(dialog); });
            }
        }
        return false;
    }

private:
    std::function<void(QDialog *)> m_hook;
};

} // namespace

int run(int &argc, char **argv, const Hooks &hooks)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vadazored"));
    QApplication::setQuitOnLastWindowClosed(false);

    SingleInstance instance;
    if (!instance.tryAcquire())
        return 0; // another copy runs: end at once, silently

    fontfaces::install();
    std::unique_ptr<LoginShownWatcher> watcher;
    if (hooks.loginShown) {
        watcher = std::make_unique<LoginShownWatcher>(hooks.loginShown);
        app.installEventFilter(watcher.get());
    }

    TDM1 dataModule;
    TMAIN mainWindow;
    if (!mainWindow.prepare())
        return 0;
    if (!mainWindow.logIn())
        return 0;

    // The dialogs that live for the whole run.
    Tguanyu about(&mainWindow);
    guanyu = &about;
    Tmima password;
    mima = &password;

    mainWindow.showMaximized();
    const int code = QApplication::exec();
    guanyu = nullptr;
    mima = nullptr;
    return code;
}

} // namespace application
