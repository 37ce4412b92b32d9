#pragma once

#include <QTimer>
#include <QWidget>

// A status bar pane that scrolls its text from right to left without end.
class TickerLabel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kStepDelayMs = 18;

    explicit TickerLabel(QWidget *parent = nullptr);
    void setText(const QString &text);
    QString text() const { return m_text; }
    int offset() const { return m_offset; }
    bool isScrolling() const { return m_timer.isActive(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void step();

    QString m_text;
    int m_offset = 0;
    QTimer m_timer;
};
