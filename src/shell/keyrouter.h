#pragma once

#include <QHash>
#include <QList>
#include <QObject>

#include <functional>

class QWidget;

// The keys a window handles itself on its boxes and buttons: Enter moving
// the focus to the next box, Enter pressing a focused button, arrow keys.
// A routed key is consumed; every other key goes on to the widget.
class KeyRouter : public QObject {
public:
    explicit KeyRouter(QObject *parent) : QObject(parent) {}

    void on(QWidget *widget, int key, std::function<void()> action);
    // Return and Enter (keypad).
    void onEnter(QWidget *widget, std::function<void()> action);
    void enterMovesTo(QWidget *from, QWidget *to);
    // Enter in each widget of the chain moves the focus to the next one.
    void enterChain(const QList<QWidget *> &chain);

    // The Tab order of a window, first to last.
    static void tabChain(const QList<QWidget *> &chain);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QHash<QObject *, QHash<int, std::function<void()>>> m_routes;
};
