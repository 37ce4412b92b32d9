#pragma once

#include "receipts/receiptlayout.h"

#include <QFont>
#include <QStringList>

// Text measured in millimetres, the same on every device: the wrapping that a
// layout records is what every printer, preview and PDF prints.
namespace textmeasure {

// The installed face that stands for a design's face at a pixel size.
QFont font(const LayoutFont &font, double pixelSize);

// Millimetres from one printed line to the next.
double lineHeight(const LayoutFont &font);
// Width of a single line of text in millimetres.
double width(const LayoutFont &font, const QString &text);

// The text broken into printed lines no wider than widthMm: at its own line
// breaks, then between words or, where a word is too long, between
// characters. Empty text gives no lines.
QStringList wrap(const QString &text, const LayoutFont &font, double widthMm);

} // namespace textmeasure
