#pragma once

#include <QApplication>
#include <QString>
#include <QTimer>

#include <functional>

class QWidget;

namespace windowtest {

// Runs action on the next modal dialog once it is up (from inside its exec()).
void onNextModal(std::function<void(QWidget *)> action);

// Types text into the focused widget, Chinese included.
void typeText(QWidget *widget, const QString &text);

} // namespace windowtest
