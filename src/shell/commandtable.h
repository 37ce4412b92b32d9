#pragma once

#include <QList>
#include <QString>

// The main window's commands: every menu item in menu order, and the tool bar.
namespace commandtable {

enum class Mode {
    Child,        // a child window in the work area, reused by its window key
    Modal,        // a dialog shown modally over the main window
    Other,        // handled by the main window itself (backup, help, exit, ...)
    Separator,
};

struct MenuCommand {
    QString menu;
    QString item;       // caption, also the action's object name
    Mode mode;
    QString windowKey;  // child windows: the key and caption
    int flag;           // permission flag that enables it; 0: always enabled
};

struct ToolCommand {
    QString caption;    // empty: separator
    QString menuItem;   // the menu item it invokes; empty: its own action
    int flag;
};

const QList<MenuCommand> &menu();
const QList<ToolCommand> &toolBar();
QStringList menus();

} // namespace commandtable
