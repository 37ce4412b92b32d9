#pragma once

#include "data/result.h"

#include <QGroupBox>

#include <functional>

class ListGrid;
class QLineEdit;
class QPushButton;
class QuickSearch;

// The pick list of the payment and recharge windows: a frame over the
// window's input fields showing the card list both windows share. A search
// shows it; a double-click or Enter on a card hands that card's number to
// the window (picked) and hides it; "×" only hides it (closed).
class PickList : public QGroupBox {
    Q_OBJECT
public:
    // covered: the window's input fields, which the frame lies over.
    PickList(QWidget *covered, QWidget *parent);

    // Runs the quick search on the shared list, then shows the frame with
    // the focus in the grid. On error the frame stays hidden.
    Status search(const QuickSearch &quickSearch);
    // Keeps the frame over the input fields (after the window is resized).
    void cover();
    // Serves a window: its quick search shows the list here; a picked card's
    // number goes into numberBox and lookUp runs. Errors of either end in
    // the window's general error display.
    void serve(QuickSearch *quickSearch, QLineEdit *numberBox, std::function<void()> lookUp);

    ListGrid *DBGridEh1 = nullptr;
    QPushButton *BitBtn5 = nullptr; // "×"

signals:
    void picked(const QString &cardNumber);
    void closed();

private:
    QWidget *m_covered;
};
