#include "shell/gridfooter.h"

#include "data/sqllistmodel.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

GridFooter::GridFooter(QTableView *view, SqlListModel *model, QWidget *parent)
    : QWidget(parent)
    , m_view(view)
    , m_model(model)
{
    setObjectName(QStringLiteral("footer"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto repaint = [this] { update(); };
    QHeaderView *header = view->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, repaint);
    connect(header, &QHeaderView::geometriesChanged, this, repaint);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
    connect(model, &QAbstractItemModel::modelReset, this, repaint);
    connect(model, &QAbstractItemModel::headerDataChanged, this, repaint);
}

QSize GridFooter::sizeHint() const
{
    return {100, fontMetrics().height() + 8};
}

QRect GridFooter::cellRect(int column) const
{
    const QHeaderView *header = m_view->horizontalHeader();
    const QWidget *viewport = m_view->viewport();
    // The footer and the grid share a parent; cells start where the grid's
    // viewport starts.
    const int origin = viewport->mapTo(m_view->parentWidget(), QPoint(0, 0)).x() - x();
    return {origin + header->sectionViewportPosition(column), 0, header->sectionSize(column), height()};
}

void GridFooter::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const QWidget *viewport = m_view->viewport();
    const int origin = viewport->mapTo(m_view->parentWidget(), QPoint(0, 0)).x() - x();
    p.setClipRect(QRect(origin, 0, viewport->width(), height()));
    const QColor line = palette().color(QPalette::Mid);
    for (int c = 0; c < m_model->columnCount(); ++c) {
        if (m_view->isColumnHidden(c))
            continue;
        const QRect cell = cellRect(c);
        p.fillRect(cell, QColor(Qt::yellow));
        p.setPen(line);
        p.drawRect(cell.adjusted(0, 0, -1, -1));
        p.setPen(palette().color(QPalette::WindowText));
        const QString text = m_model->footerText(c);
        p.drawText(cell.adjusted(2, 0, -2, 0), Qt::AlignCenter,
                   fontMetrics().elidedText(text, Qt::ElideRight, cell.width() - 4));
    }
}
