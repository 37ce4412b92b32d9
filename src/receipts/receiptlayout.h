#pragma once

#include <QList>
#include <QMarginsF>
#include <QRectF>
#include <QString>
#include <QStringList>

// A printed slip (receipt or test page) as plain data: the paper, and blocks
// printed one under the other, each holding boxes positioned in millimetres.
// One renderer paints any layout; tests read it without a printer.

// A face as the designs name it ("宋体", "黑体", "楷体_GB2312") at a size in
// design pixels (96 to the inch).
struct LayoutFont {
    QString face;
    int pixels = 12;
    bool bold = false;
};

enum class LayoutRole {
    ShopName, // the shop name at the head
    Title,    // the slip's own title
    Label,    // a label before a value ("日期:")
    Value,    // the value after a label
    Footer,   // the footer text
    Text,     // other text (test pages)
    Rule,     // a solid black line along one edge of a thin box
    Line,     // a horizontal line through the middle of its box
    Blank,    // an empty box that keeps paper free
};

enum class RuleEdge { Top, Bottom };

struct LayoutItem {
    LayoutRole role = LayoutRole::Text;
    // Millimetres from the left edge of the print width and from the top of
    // the item's block.
    QRectF box;
    QString text;
    // The text as printed: one entry per printed line (wrapped at the box's
    // width when wrap is set, and at the text's own line breaks).
    QStringList lines;
    LayoutFont font;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool wrap = false;
    double lineHeight = 0; // mm from one printed line to the next
    RuleEdge edge = RuleEdge::Bottom;

    bool isText() const
    {
        return role != LayoutRole::Rule && role != LayoutRole::Line && role != LayoutRole::Blank;
    }
};

struct LayoutBlock {
    QString name;   // "title", "detail", "footer", "test"
    double top = 0; // mm below the top margin
    double height = 0;
    QList<LayoutItem> items;
};

struct ReceiptLayout {
    QString title;       // the document's name, e.g. "刷卡消费凭证"
    double paperWidth = 0; // mm
    // mm. The bottom margin is the design's; a receipt's page ends right
    // after its last block (whose blank space feeds the paper out), so it
    // leaves no mark on the roll.
    QMarginsF margins;
    QList<LayoutBlock> blocks;

    double printWidth() const { return paperWidth - margins.left() - margins.right(); }
    // The page ends right after the last block: a receipt is as long as its
    // content, not the design's endless page.
    double pageHeight() const
    {
        return blocks.isEmpty() ? margins.top() : margins.top() + blocks.back().top + blocks.back().height;
    }

    // Every text item in printing order (block by block, top to bottom, left
    // to right).
    QList<LayoutItem> texts() const;
    const LayoutBlock *block(const QString &name) const;
};
