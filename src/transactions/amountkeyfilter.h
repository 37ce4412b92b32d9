#pragma once

#include <QObject>

class QLineEdit;

// The key filter of the money boxes: only the digits, "-", "." and Backspace
// are taken; every other character typed is discarded. The form of the
// number is checked only when it is converted.
class AmountKeyFilter : public QObject {
public:
    static void install(QLineEdit *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit AmountKeyFilter(QObject *parent) : QObject(parent) {}
};
