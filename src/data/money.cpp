#include "data/money.h"

#include <limits>

namespace {

QString notANumber(const QString &text)
{
    return QStringLiteral("“%1”不是有效的金额").arg(text);
}

Error overflow()
{
    return Error{QStringLiteral("金额超出允许的范围")};
}

} // namespace

Result<Money> Money::parse(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }

    std::int64_t whole = 0;
    int wholeDigits = 0;
    std::int64_t fraction = 0;
    int fractionDigits = 0;
    bool pointSeen = false;
    bool fractionOverflow = false;
    bool wholeOverflow = false;

    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'.') {
            if (pointSeen)
                return Error{notANumber(text)};
            pointSeen = true;
            continue;
        }
        if (c < u'0' || c > u'9')
            return Error{notANumber(text)};
        const int digit = c.unicode() - u'0';
        if (!pointSeen) {
            ++wholeDigits;
            if (whole > kMaxTypedUnits / kUnitsPerYuan)
                wholeOverflow = true;
            else
                whole = whole * 10 + digit;
        } else {
            ++fractionDigits;
            if (fractionDigits <= kDecimals)
                fraction = fraction * 10 + digit;
            else if (digit != 0)
                fractionOverflow = true;
        }
    }
    if (wholeDigits + fractionDigits == 0)
        return Error{notANumber(text)};
    if (fractionOverflow)
        return Error{QStringLiteral("金额“%1”超过4位小数，无法精确记账").arg(text)};
    for (int d = std::min(fractionDigits, kDecimals); d < kDecimals; ++d)
        fraction *= 10;
    const std::int64_t units = whole * kUnitsPerYuan + fraction;
    if (wholeOverflow || units > kMaxTypedUnits)
        return Error{QStringLiteral("金额“%1”超出允许的范围").arg(text)};
    return Money(negative ? -units : units);
}

QString Money::toString() const
{
    // Work on the magnitude as unsigned so that the smallest int64 is safe too.
    const bool negative = m_units < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(m_units)
                                             : static_cast<std::uint64_t>(m_units);
    const std::uint64_t whole = magnitude / kUnitsPerYuan;
    std::uint64_t fraction = magnitude % kUnitsPerYuan;

    QString out;
    if (negative)
        out += u'-';
    out += QString::number(whole);
    if (fraction != 0) {
        int digits = kDecimals;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        out += u'.';
        out += QString::number(fraction).rightJustified(digits, u'0');
    }
    return out;
}

Result<Money> Money::plus(Money other) const
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(m_units, other.m_units, &sum))
        return overflow();
    return Money(sum);
}

Result<Money> Money::minus(Money other) const
{
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(m_units, other.m_units, &difference))
        return overflow();
    return Money(difference);
}

Result<Money> Money::times(std::int64_t factor) const
{
    std::int64_t product = 0;
    if (__builtin_mul_overflow(m_units, factor, &product))
        return overflow();
    return Money(product);
}
