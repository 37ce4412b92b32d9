#pragma once

#include "data/result.h"
#include "receipts/receiptlayout.h"
#include "shell/printdocument.h"

#include <QImage>

class QPainter;

// Paints a layout on any device (printer, preview, PDF file, picture) at the
// device's own resolution, the page's top left corner at the painter's origin.
class ReceiptRenderer {
public:
    static void paint(QPainter &painter, const ReceiptLayout &layout);

    // The page the layout needs: its paper width, as long as its content.
    static QPageSize pageSize(const ReceiptLayout &layout);
    // A document for the preview and the printer.
    static PrintDocument document(const ReceiptLayout &layout);

    static Status writePdf(const ReceiptLayout &layout, const QString &path);
    static QImage toImage(const ReceiptLayout &layout, int dpi);
};
