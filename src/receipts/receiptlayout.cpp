#include "receipts/receiptlayout.h"

#include <algorithm>

QList<LayoutItem> ReceiptLayout::texts() const
{
    QList<LayoutItem> result;
    for (const LayoutBlock &block : blocks) {
        QList<LayoutItem> items;
        for (const LayoutItem &item : block.items)
            if (item.isText())
                items.append(item);
        // Rows first, top to bottom; the boxes of one row (tops within a
        // millimetre of the row's first) left to right.
        std::stable_sort(items.begin(), items.end(),
                         [](const LayoutItem &a, const LayoutItem &b) { return a.box.top() < b.box.top(); });
        for (qsizetype start = 0; start < items.size();) {
            qsizetype end = start + 1;
            while (end < items.size() && items[end].box.top() < items[start].box.top() + 1.0)
                ++end;
            std::stable_sort(items.begin() + start, items.begin() + end,
                             [](const LayoutItem &a, const LayoutItem &b) { return a.box.left() < b.box.left(); });
            start = end;
        }
        result += items;
    }
    return result;
}

const LayoutBlock *ReceiptLayout::block(const QString &name) const
{
    for (const LayoutBlock &b : blocks)
        if (b.name == name)
            return &b;
    return nullptr;
}
