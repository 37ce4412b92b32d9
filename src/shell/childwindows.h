#pragma once

#include <QString>

class QWidget;

// The windows the main window's commands open, by window key or menu item.
namespace childwindows {

// A new child window for the key, or nullptr while no window serves it yet.
QWidget *create(const QString &windowKey);

// Shows the modal dialog of a menu item; false when none serves it yet.
bool runModal(const QString &menuItem, QWidget *parent);

} // namespace childwindows
