#include "shell/textutil.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>

namespace textutil {

QString trimmed(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first].unicode() <= 0x20)
        ++first;
    while (last > first && text[last - 1].unicode() <= 0x20)
        --last;
    return text.mid(first, last - first);
}

QString trimBox(QLineEdit *box)
{
    const QString t = trimmed(box->text());
    if (t != box->text())
        box->setText(t);
    return t;
}

QString trimBox(QPlainTextEdit *box)
{
    const QString t = trimmed(box->toPlainText());
    if (t != box->toPlainText())
        box->setPlainText(t);
    return t;
}

QString trimBox(QComboBox *box)
{
    const QString t = trimmed(box->currentText());
    if (t != box->currentText())
        box->setEditText(t);
    return t;
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, colour);
    widget->setPalette(palette);
}

void starEcho(QLineEdit *box)
{
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(box->styleSheet() + QStringLiteral(" QLineEdit { lineedit-password-character: 42; }"));
}

void closeWindow(QWidget *window)
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(window->parentWidget()))
        frame->close();
    else
        window->close();
}

} // namespace textutil
