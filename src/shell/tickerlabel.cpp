#include "shell/tickerlabel.h"

#include <QPainter>

TickerLabel::TickerLabel(QWidget *parent)
    : QWidget(parent)
{
    m_timer.setInterval(kStepDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &TickerLabel::step);
}

void TickerLabel::setText(const QString &text)
{
    // One line: line breaks in the slogan scroll past as blanks.
    m_text = QString(text).replace(u'\n', u' ').replace(u'\r', u' ');
    m_offset = width();
    update();
    if (isVisible() && !m_text.isEmpty())
        m_timer.start();
    else if (m_text.isEmpty())
        m_timer.stop();
}

void TickerLabel::step()
{
    const int textWidth = fontMetrics().horizontalAdvance(m_text);
    --m_offset;
    if (m_offset < -textWidth)
        m_offset = width();
    update();
}

void TickerLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(Qt::red);
    p.setFont(font());
    p.drawText(QRect(m_offset, 0, fontMetrics().horizontalAdvance(m_text) + 2, height()),
               Qt::AlignVCenter | Qt::AlignLeft, m_text);
}

void TickerLabel::showEvent(QShowEvent *)
{
    if (!m_text.isEmpty())
        m_timer.start();
}

void TickerLabel::hideEvent(QHideEvent *)
{
    m_timer.stop();
}
