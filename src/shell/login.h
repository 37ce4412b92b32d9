#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QPushButton;
class TMAIN;

// The login dialog. It runs once, before the main window shows, and then
// stays alive, hidden, for the whole run.
class Tloginform : public QDialog {
    Q_OBJECT
public:
    // mainWindow receives the operator pane and the permissions; may be null.
    explicit Tloginform(TMAIN *mainWindow, QWidget *parent = nullptr);

    int wrongPasswords() const { return m_wrongPasswords; }

    QComboBox *cbusername = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *edtpassword = nullptr;
    QPushButton *button1 = nullptr;
    QPushButton *button2 = nullptr;

signals:
    // The dialog has been painted for the first time.
    void firstPainted();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void operatorChanged(const QString &text);
    void operatorTyped(const QString &typed);
    void operatorLeft();
    int selectedOperator() const;
    void button1Click();
    void showName(const QString &id);

    TMAIN *m_main = nullptr;
    QStringList m_ids;
    QStringList m_passwords;
    QString m_lastText;
    int m_wrongPasswords = 0;
    bool m_loading = false;
    bool m_painted = false;
};
