#include "receipts/receiptrenderer.h"

#include "receipts/textmeasure.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QtMath>

#include <cmath>

namespace {

constexpr double kRulePen = 0.265; // mm: one design pixel

struct Scale {
    double x; // device units per mm
    double y;
    double pixel; // device units per design pixel (96 to the inch)
};

Scale scaleOf(const QPaintDevice *device)
{
    const double dpiX = device ? device->logicalDpiX() : 96.0;
    const double dpiY = device ? device->logicalDpiY() : 96.0;
    return {dpiX / 25.4, dpiY / 25.4, dpiY / 96.0};
}

} // namespace

void ReceiptRenderer::paint(QPainter &painter, const ReceiptLayout &layout)
{
    const Scale s = scaleOf(painter.device());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const QColor ink(Qt::black);
    QPen pen(ink);
    pen.setWidthF(kRulePen * s.y);
    pen.setCapStyle(Qt::FlatCap);

    for (const LayoutBlock &block : layout.blocks) {
        const double originX = layout.margins.left();
        const double originY = layout.margins.top() + block.top;
        for (const LayoutItem &item : block.items) {
            const QRectF mm = item.box.translated(originX, originY);
            const QRectF box(mm.left() * s.x, mm.top() * s.y, mm.width() * s.x, mm.height() * s.y);
            switch (item.role) {
            case LayoutRole::Blank:
                break;
            case LayoutRole::Rule: {
                painter.setPen(pen);
                const double y = item.edge == RuleEdge::Top ? box.top() : box.bottom();
                painter.drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
                break;
            }
            case LayoutRole::Line:
                painter.setPen(pen);
                painter.drawLine(QPointF(box.left(), box.center().y()), QPointF(box.right(), box.center().y()));
                break;
            default: {
                painter.setPen(ink);
                painter.setFont(textmeasure::font(item.font, item.font.pixels * s.pixel));
                const double step = item.lineHeight * s.y;
                for (qsizetype i = 0; i < item.lines.size(); ++i) {
                    const QRectF lineBox(box.left(), box.top() + i * step, box.width(), step);
                    painter.drawText(lineBox, int(item.alignment | Qt::AlignTop) | Qt::TextDontClip
                                                  | Qt::TextSingleLine,
                                     item.lines[i]);
                }
                break;
            }
            }
        }
    }
    painter.restore();
}

QPageSize ReceiptRenderer::pageSize(const ReceiptLayout &layout)
{
    // Tenths of a millimetre: what a printer driver can be asked for.
    const double height = std::ceil(layout.pageHeight() * 10.0) / 10.0;
    return QPageSize(QSizeF(layout.paperWidth, height), QPageSize::Millimeter, QString(),
                     QPageSize::ExactMatch);
}

PrintDocument ReceiptRenderer::document(const ReceiptLayout &layout)
{
    PrintDocument document;
    document.title = layout.title;
    document.pageSize = pageSize(layout);
    document.paint = [layout](QPainter &painter) { paint(painter, layout); };
    return document;
}

Status ReceiptRenderer::writePdf(const ReceiptLayout &layout, const QString &path)
{
    QPdfWriter writer(path);
    writer.setTitle(layout.title);
    writer.setCreator(QStringLiteral("vadazored"));
    writer.setPageSize(pageSize(layout));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&writer))
        return Error{QStringLiteral("无法写入文件“%1”").arg(path)};
    paint(painter, layout);
    if (!painter.end())
        return Error{QStringLiteral("无法写入文件“%1”").arg(path)};
    return {};
}

QImage ReceiptRenderer::toImage(const ReceiptLayout &layout, int dpi)
{
    const double perMm = dpi / 25.4;
    QImage image(qCeil(layout.paperWidth * perMm), qCeil(layout.pageHeight() * perMm), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter, layout);
    painter.end();
    return image;
}
