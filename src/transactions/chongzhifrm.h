#pragma once

#include <QWidget>

class KeyRouter;
class ListGrid;
class QComboBox;
class PickList;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QuickSearch;

// The recharge window: money loaded onto an existing card, the holder's
// data corrected on the way; and clearing a card's balance by hand.
class Tchongzhi : public QWidget {
    Q_OBJECT
public:
    explicit Tchongzhi(QWidget *parent = nullptr);

    Q_INVOKABLE void FormShow();

    void lookUp();
    void BitBtn4Click(); // "确定充值"
    void BitBtn1Click(); // "手动清除卡内余额"

    QLabel *Label7 = nullptr;
    QLineEdit *Edit1 = nullptr;     // card number
    QLineEdit *Edit7 = nullptr;     // name
    QComboBox *ComboBox2 = nullptr; // sex
    QLineEdit *Edit2 = nullptr;     // organisation
    QLineEdit *Edit3 = nullptr;     // balance
    QLineEdit *Edit4 = nullptr;     // recharge amount
    QLineEdit *Edit5 = nullptr;     // amount received
    QPlainTextEdit *Memo1 = nullptr;
    QPushButton *BitBtn1 = nullptr; // "手动清除卡内余额"
    QuickSearch *quickSearch = nullptr;
    PickList *GroupBox4 = nullptr;
    ListGrid *DBGridEh1 = nullptr;
    QPushButton *BitBtn5 = nullptr; // "×"
    QPushButton *BitBtn4 = nullptr; // "确定充值"
    QPushButton *BitBtn3 = nullptr; // "退出"
    QLabel *Label13 = nullptr;      // the notice
    QLineEdit *Edit6 = nullptr;     // shop name for the receipt (hidden)
    QLineEdit *Edit10 = nullptr;    // receipt footer (hidden)
    QLineEdit *Edit11 = nullptr;    // new balance for the receipt (hidden)

    static const QStringList kNotice;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fillFrom(const struct CardRecord &card);
    void emptyCardBoxes(bool keepNumber);
    void save();
    void clearBalance();

    KeyRouter *m_keys = nullptr;
    QWidget *m_inputArea = nullptr;
    QString m_lookedUp;
};
