#include "support/windowtest.h"

#include <QTest>
#include <QWidget>

namespace windowtest {

void onNextModal(std::function<void(QWidget *)> action)
{
    auto poll = std::make_shared<std::function<void(int)>>();
    *poll = [action, poll](int triesLeft) {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            action(modal);
            return;
        }
        if (triesLeft > 0)
            QTimer::singleShot(10, [poll, triesLeft] { (*poll)(triesLeft - 1); });
    };
    QTimer::singleShot(0, [poll] { (*poll)(500); });
}

void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace windowtest
