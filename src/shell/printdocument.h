#pragma once

#include <QMarginsF>
#include <QPageSize>
#include <QString>

#include <functional>

class QPainter;

// One page to print or preview: its size and a function that paints it on
// whatever device the painter is open on (printer, PDF, image). Painting uses
// the device's resolution; coordinates start at the page's top left corner.
struct PrintDocument {
    QString title;
    QPageSize pageSize;
    std::function<void(QPainter &)> paint;
    // In the preview, the print button sends the page straight to the
    // default printer instead of asking with the print dialog.
    bool printWithoutDialog = false;
};
