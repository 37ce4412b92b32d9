#include "shell/keyrouter.h"

#include <QKeyEvent>
#include <QWidget>

void KeyRouter::on(QWidget *widget, int key, std::function<void()> action)
{
    if (!m_routes.contains(widget)) {
        widget->installEventFilter(this);
        connect(widget, &QObject::destroyed, this, [this, widget] { m_routes.remove(widget); });
    }
    m_routes[widget].insert(key, std::move(action));
}

void KeyRouter::onEnter(QWidget *widget, std::function<void()> action)
{
    on(widget, Qt::Key_Return, action);
    on(widget, Qt::Key_Enter, std::move(action));
}

void KeyRouter::enterMovesTo(QWidget *from, QWidget *to)
{
    onEnter(from, [to] { to->setFocus(Qt::TabFocusReason); });
}

void KeyRouter::enterChain(const QList<QWidget *> &chain)
{
    for (qsizetype i = 0; i + 1 < chain.size(); ++i)
        enterMovesTo(chain[i], chain[i + 1]);
}

void KeyRouter::tabChain(const QList<QWidget *> &chain)
{
    for (qsizetype i = 0; i + 1 < chain.size(); ++i)
        QWidget::setTabOrder(chain[i], chain[i + 1]);
}

bool KeyRouter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto routes = m_routes.constFind(watched);
    if (routes == m_routes.constEnd())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    const auto action = routes->constFind(key->key());
    if (action == routes->constEnd())
        return false;
    const auto run = action.value(); // the action may change the routes
    run();
    return true;
}
