#include "transactions/amountkeyfilter.h"

#include <QKeyEvent>
#include <QLineEdit>

void AmountKeyFilter::install(QLineEdit *box)
{
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->installEventFilter(new AmountKeyFilter(box));
}

bool AmountKeyFilter::eventFilter(QObject *, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const QString text = key->text();
    if (text.isEmpty() || key->key() == Qt::Key_Backspace)
        return false; // navigation, Backspace, shortcuts
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    for (QChar c : text) {
        if (!(c.isDigit() && c.unicode() < 0x80) && c != u'-' && c != u'.' && c.unicode() >= 0x20)
            return true; // discarded
    }
    return false;
}
