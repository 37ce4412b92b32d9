#include "receipts/textmeasure.h"

#include <QFontMetricsF>
#include <QRegularExpression>
#include <QTextLayout>
#include <QTextOption>

namespace textmeasure {

namespace {

// Measuring at a large size keeps hinting and rounding out of the figures.
constexpr double kScale = 16.0;
constexpr double kMmPerPixel = 25.4 / 96.0;

QFont measuringFont(const LayoutFont &f)
{
    return font(f, f.pixels * kScale);
}

double toMm(double scaledPixels)
{
    return scaledPixels / kScale * kMmPerPixel;
}

} // namespace

QFont font(const LayoutFont &f, double pixelSize)
{
    QFont result(f.face);
    result.setPixelSize(qMax(1, qRound(pixelSize)));
    result.setBold(f.bold);
    result.setKerning(false);
    result.setHintingPreference(QFont::PreferNoHinting);
    return result;
}

double lineHeight(const LayoutFont &f)
{
    return toMm(QFontMetricsF(measuringFont(f)).lineSpacing());
}

double width(const LayoutFont &f, const QString &text)
{
    return toMm(QFontMetricsF(measuringFont(f)).horizontalAdvance(text));
}

QStringList wrap(const QString &text, const LayoutFont &f, double widthMm)
{
    QStringList lines;
    if (text.isEmpty())
        return lines;
    const QFont measuring = measuringFont(f);
    const double limit = widthMm / kMmPerPixel * kScale;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n|\u2028|\u2029"));
    for (const QString &paragraph : text.split(breaks)) {
        if (paragraph.isEmpty()) {
            lines.append(QString());
            continue;
        }
        QTextLayout layout(paragraph, measuring);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(limit);
            QString piece = paragraph.mid(line.textStart(), line.textLength());
            // Blanks where a line breaks take no room on paper.
            while (!piece.isEmpty() && piece.back().isSpace()
                   && line.textStart() + line.textLength() < paragraph.size())
                piece.chop(1);
            lines.append(piece);
        }
        layout.endLayout();
    }
    return lines;
}

} // namespace textmeasure
