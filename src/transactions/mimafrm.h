#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The card password prompt: the holder types the card's password before a
// payment. It only keeps what was typed; the caller compares it. One
// instance lives for the whole run and is shown again for every payment.
class Tmima : public QDialog {
    Q_OBJECT
public:
    explicit Tmima(QWidget *parent = nullptr);

    // Shows the prompt modally and answers the entered password: the text as
    // typed on "确定" or Enter, empty on "退出" or the close box.
    QString ask();
    const QString &enteredPassword() const { return m_entered; }

    QLineEdit *Edit1 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void BitBtn1Click();
    QString m_entered;
};

// The one password prompt of the run.
extern Tmima *mima;
