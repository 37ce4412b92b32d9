#include "receipts/blockbuilder.h"

#include "receipts/textmeasure.h"

#include <algorithm>
#include <numeric>

BlockBuilder::BlockBuilder(QString name, double height)
    : m_name(std::move(name))
    , m_height(height)
{
}

void BlockBuilder::text(LayoutRole role, const QRectF &box, const QString &text, const LayoutFont &font,
                        Qt::Alignment alignment, bool wrap)
{
    LayoutItem item;
    item.role = role;
    item.box = box;
    item.text = text;
    item.font = font;
    item.alignment = alignment;
    item.wrap = wrap;
    m_items.append(item);
}

void BlockBuilder::rule(const QRectF &box, RuleEdge edge)
{
    LayoutItem item;
    item.role = LayoutRole::Rule;
    item.box = box;
    item.edge = edge;
    m_items.append(item);
}

void BlockBuilder::line(const QRectF &box)
{
    LayoutItem item;
    item.role = LayoutRole::Line;
    item.box = box;
    m_items.append(item);
}

void BlockBuilder::blank(const QRectF &box)
{
    LayoutItem item;
    item.role = LayoutRole::Blank;
    item.box = box;
    m_items.append(item);
}

LayoutBlock BlockBuilder::finish() const
{
    QList<LayoutItem> items = m_items;
    const qsizetype n = items.size();

    // How much each box grows: a box keeps its designed height for one line
    // and grows to hold its lines when it has more.
    QList<double> growth(n, 0.0);
    for (qsizetype i = 0; i < n; ++i) {
        LayoutItem &item = items[i];
        if (!item.isText())
            continue;
        item.lineHeight = textmeasure::lineHeight(item.font);
        item.lines = item.wrap ? textmeasure::wrap(item.text, item.font, item.box.width())
                               : (item.text.isEmpty() ? QStringList() : QStringList{item.text});
        if (item.lines.size() > 1)
            growth[i] = std::max(0.0, item.lines.size() * item.lineHeight - item.box.height());
    }

    // Rows: boxes whose designed extents overlap vertically sit side by side
    // and grow together; a row pushes down every row below it by its tallest
    // growth.
    QList<qsizetype> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return m_items[a].box.top() < m_items[b].box.top(); });
    QList<double> shift(n, 0.0);
    double pushed = 0;
    for (qsizetype start = 0; start < n;) {
        double bottom = m_items[order[start]].box.bottom();
        qsizetype end = start + 1;
        while (end < n && m_items[order[end]].box.top() < bottom) {
            bottom = std::max(bottom, m_items[order[end]].box.bottom());
            ++end;
        }
        double rowGrowth = 0;
        for (qsizetype k = start; k < end; ++k) {
            shift[order[k]] = pushed;
            rowGrowth = std::max(rowGrowth, growth[order[k]]);
        }
        pushed += rowGrowth;
        start = end;
    }

    LayoutBlock block;
    block.name = m_name;
    block.height = m_height + pushed;
    for (qsizetype i = 0; i < n; ++i) {
        LayoutItem item = items[i];
        item.box.translate(0, shift[i]);
        item.box.setHeight(item.box.height() + growth[i]);
        block.items.append(item);
    }
    return block;
}
