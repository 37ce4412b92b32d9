#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The receipt and shop settings dialog: shop name, slogan, background
// picture and the receipt settings in myini.ini, and a test page for the
// chosen paper width. Created for one showing; every opening starts from the
// settings file.
class Tdayinshezhi : public QDialog {
    Q_OBJECT
public:
    explicit Tdayinshezhi(QWidget *parent = nullptr);

    static constexpr int kMemoLimit = 250;
    // The notes shown in the 说明 box, line by line.
    static const QStringList kNotes;

    // Fills the controls from the settings file.
    void FormShow();

    void BitBtn1Click(); // 保存
    void BitBtn3Click(); // 小票打印测试
    void BitBtn2Click(); // 退出
    void Button1Click(); // ... (background picture)

    // 0: 58 mm, 1: 76 mm, 2: 120 mm.
    int widthIndex() const;
    void setWidthIndex(int index);
    // 0: 预览后打印, 1: 不预览直接打印.
    int previewIndex() const;

    QLineEdit *Edit1 = nullptr;      // 店铺名称
    QPlainTextEdit *Memo1 = nullptr; // 滚动字幕
    QLineEdit *Edit4 = nullptr;      // 背景图片
    QPushButton *Button1 = nullptr;  // ...
    QGroupBox *RadioGroup1 = nullptr;
    QRadioButton *widthButtons[3] = {};
    QPlainTextEdit *Memo2 = nullptr; // 小票尾
    QGroupBox *RadioGroup2 = nullptr;
    QRadioButton *previewButtons[2] = {};
    QLineEdit *Edit2 = nullptr;      // 份数
    QCheckBox *CheckBox1 = nullptr;  // 打印小票
    QComboBox *ComboBox1 = nullptr;  // 打印端口
    QPushButton *BitBtn1 = nullptr;  // 保存
    QPushButton *BitBtn3 = nullptr;  // 小票打印测试
    QPushButton *BitBtn2 = nullptr;  // 退出
    QPlainTextEdit *Memo3 = nullptr; // 说明

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void limitLength(QPlainTextEdit *memo);

    QButtonGroup *m_widthGroup = nullptr;
    QButtonGroup *m_previewGroup = nullptr;
};
