#pragma once

#include "receipts/receiptlayout.h"

// Builds one block of a layout from its design: boxes at their designed
// places, in millimetres from the block's top and the print width's left
// edge. finish() wraps the texts that may wrap; where a box needs more lines
// than its design holds, it grows downwards and pushes everything below it
// down, and the block grows with it, so no text is cut or printed over.
class BlockBuilder {
public:
    BlockBuilder(QString name, double height);

    void text(LayoutRole role, const QRectF &box, const QString &text, const LayoutFont &font,
              Qt::Alignment alignment = Qt::AlignLeft, bool wrap = false);
    void rule(const QRectF &box, RuleEdge edge = RuleEdge::Bottom);
    void line(const QRectF &box);
    void blank(const QRectF &box);

    LayoutBlock finish() const;

private:
    QString m_name;
    double m_height;
    QList<LayoutItem> m_items;
};
