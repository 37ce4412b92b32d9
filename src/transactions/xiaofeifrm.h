#pragma once

#include <QWidget>

class KeyRouter;
class ListGrid;
class PickList;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QuickSearch;

// The payment window: a card is swiped (or picked from the pick list), the
// amount typed, and the holder's card password confirms the payment.
class Txiaofei : public QWidget {
    Q_OBJECT
public:
    explicit Txiaofei(QWidget *parent = nullptr);

    // Prepares the window for a new card; the main window calls it once
    // after creating the window.
    Q_INVOKABLE void FormShow();

    // Card lookup: Enter in the card number box, or a pick from the list.
    void lookUp();
    // The save: "保存(F2)", F2 anywhere, Enter on the focused button.
    void BitBtn1Click();

    QLabel *Label18 = nullptr;
    QLabel *Label6 = nullptr;
    QLineEdit *Edit1 = nullptr; // card number, shown as "*"
    QLineEdit *Edit7 = nullptr; // balance
    QLineEdit *Edit4 = nullptr; // name
    QLineEdit *Edit5 = nullptr; // sex
    QLineEdit *Edit9 = nullptr; // organisation
    QLineEdit *Edit3 = nullptr; // amount of this payment
    QLineEdit *Edit2 = nullptr; // remaining balance
    QPlainTextEdit *Memo1 = nullptr; // remark
    QuickSearch *quickSearch = nullptr;
    PickList *GroupBox4 = nullptr; // pick list frame
    ListGrid *DBGridEh1 = nullptr;
    QPushButton *BitBtn5 = nullptr; // "×"
    QPushButton *BitBtn1 = nullptr; // "保存(F2)"
    QPushButton *BitBtn2 = nullptr; // "退出(ESC)"
    QLineEdit *Edit6 = nullptr;  // shop name for the receipt (hidden)
    QLineEdit *Edit10 = nullptr; // receipt footer (hidden)

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void emptyCardBoxes();
    void amountChanged();
    void save();

    KeyRouter *m_keys = nullptr;
    QWidget *m_inputArea = nullptr;
    // The card number the boxes were filled from; a save pays from this
    // card only.
    QString m_lookedUp;
};
