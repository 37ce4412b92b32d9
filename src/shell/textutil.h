#pragma once

#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QColor;
class QComboBox;
class QWidget;

namespace textutil {

// Removes blanks and control characters (everything up to U+0020) from both
// ends, the way the windows trim what is typed.
QString trimmed(const QString &text);

// Trims a box and writes the trimmed text back; answers it.
QString trimBox(QLineEdit *box);
QString trimBox(QPlainTextEdit *box);
QString trimBox(QComboBox *box);

// Colours a control's text: a label's, a box's or a button's caption.
void setTextColour(QWidget *widget, const QColor &colour);

// Shows every character of a password box as "*".
void starEcho(QLineEdit *box);

// Closes a child window: its frame in the main window when it has one.
void closeWindow(QWidget *window);

} // namespace textutil
