#pragma once

#include <QList>
#include <QWidget>

class ListGrid;
class PopupComboBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QuickSearch;
struct NewCardForm;

// The new card window: issues one stored-value card at a time, beside the list
// of all cards with its quick search.
class Txinkafafang : public QWidget {
    Q_OBJECT
public:
    static const QString kWindowKey; // "新增储值卡"

    explicit Txinkafafang(QWidget *parent = nullptr);

    // Prepares the window each time it is shown: the quick search, the list
    // of every card, the sex list, empty boxes, the focus in Edit1.
    Q_INVOKABLE void FormShow();

    QLabel *promptLabel = nullptr; // "直接刷卡或输入卡号后回车"
    QLineEdit *Edit1 = nullptr;       // 卡号
    QLineEdit *Edit2 = nullptr;       // 姓名
    QComboBox *ComboBox2 = nullptr;   // 性别
    PopupComboBox *ComboBox1 = nullptr; // 使用单位
    QLineEdit *Edit3 = nullptr;       // 首次充值
    QLineEdit *Edit4 = nullptr;       // 实收金额
    QLineEdit *Edit5 = nullptr;       // 密码
    QLineEdit *Edit6 = nullptr;       // 重复密码
    QPlainTextEdit *Memo1 = nullptr;  // 备注
    QLineEdit *Edit7 = nullptr;       // shop name for the receipt (hidden)
    QLineEdit *Edit10 = nullptr;      // receipt footer (hidden)
    QPushButton *BitBtn1 = nullptr;   // 保存
    QPushButton *BitBtn3 = nullptr;   // 批量发卡
    QPushButton *BitBtn5 = nullptr;   // 刷新
    QPushButton *BitBtn2 = nullptr;   // 退出
    QuickSearch *quickSearch = nullptr; // ComboBox3, Edit8, BitBtn4
    QGroupBox *GroupBox3 = nullptr;
    ListGrid *DBGridEh1 = nullptr;
    QLabel *noteLabel = nullptr;

    void BitBtn1Click(); // 保存
    void BitBtn3Click(); // 批量发卡
    void BitBtn5Click(); // 刷新
    void BitBtn2Click(); // 退出
    void BitBtn4Click(); // 查找
    void Edit1Exit();
    void Edit3Exit();
    void ComboBox1DropDown();
    void DBGridEh1DblClick();

signals:
    // The card edit and delete dialog was asked for, for this card.
    void cardEditRequested(const QString &number);
    void batchIssueRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Where the card edit and delete dialog is filled from the list's current
    // row and shown; it re-runs the list itself when it saves or deletes.
    void openCardEditDialog(const QString &number, const QString &organisation, const QString &name,
                            const QString &sex, const QString &remark);
    // Where the batch issue dialog is shown.
    void openBatchIssueDialog();

    NewCardForm formFromBoxes() const;
    void trimBoxes();
    void emptyBoxesAfterSave();
    bool leavesWithinWindow(QEvent *focusOut) const;
    void refuse(const QString &text);

    // Set while the window itself moves the focus (the number check, the
    // save): that is not the operator leaving a box.
    bool m_movingFocus = false;
};
