#pragma once

#include "data/records.h"
#include "shell/mainwindowsettings.h"

#include <QHash>
#include <QMainWindow>
#include <QTimer>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class TickerLabel;
class Tloginform;

// The main window: a frame whose commands open every other window, with the
// shop name and product title over a background picture and a status bar.
class TMAIN : public QMainWindow {
    Q_OBJECT
public:
    static const QString kTitle;   // "vadazored"
    static const QString kVersion; // "V8.0"

    explicit TMAIN(QWidget *parent = nullptr);
    ~TMAIN() override;

    // Creation, up to the login: opens the database beside the executable
    // and reads the settings file. False (after the message) when the
    // database cannot be opened. Runs before the interface is built.
    bool prepare();
    // Runs the login dialog modally; true when an operator logged in. The
    // main window's menus, tool bar, status bar and background are built
    // while the login dialog is up, once it has been painted.
    bool logIn();
    // Builds the menus, tool bar, status bar, labels and background now if
    // that has not happened yet.
    void ensureInterface();

    // Runs a menu item's action as a menu choice does; nothing while disabled.
    void invoke(const QString &menuItem);
    QAction *menuAction(const QString &menuItem);
    QAction *toolAction(const QString &caption);

    // Child window reuse: brings back the open child window captioned key, or
    // creates the command's window. nullptr when no window serves the key yet.
    QWidget *openChild(const QString &windowKey);
    QMdiArea *workArea() const { return m_workArea; }

    // Permission flags 1 to 11 of the logged-in operator, applied to the
    // menu items and tool buttons.
    void applyPermissions(const OperatorRecord &op);
    void setOperatorPane(const QString &operatorId);

    // Hides the background, loads the picture and shows it; it stays hidden
    // when the file cannot be loaded.
    void loadBackground(const QString &path);

    // The login dialog, alive for the whole run.
    Tloginform *loginForm() const { return m_login; }

    // Built by ensureInterface().
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Image1 = nullptr;
    TickerLabel *slogan = nullptr;
    QLabel *operatorPane = nullptr;
    QLabel *clockPane = nullptr;
    QTimer *Timer1 = nullptr;

    static TMAIN *instance();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildInterface();
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void centreLabels();
    void updateClock();
    void Timer1Timer();
    void runCommand(const QString &menuItem);

    QMdiArea *m_workArea = nullptr;
    QHash<QString, QAction *> m_menuActions;
    QHash<QString, QAction *> m_toolActions;
    QTimer m_clockTimer;
    Tloginform *m_login = nullptr;
    bool m_firstShowDone = false;
    bool m_built = false;
    MainWindowSettings m_settings; // as read at start
};
