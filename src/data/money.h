#pragma once

#include "data/result.h"

#include <QString>

#include <compare>
#include <cstdint>

// An amount of yuan held exactly as a whole number of 1/10000 yuan.
// Amounts are typed as text; parse() refuses what cannot be held exactly
// instead of rounding it.
class Money {
public:
    static constexpr std::int64_t kUnitsPerYuan = 10000;
    static constexpr int kDecimals = 4;
    // Largest magnitude a typed amount may have: 9,999,999,999.9999 yuan.
    static constexpr std::int64_t kMaxTypedUnits = 99'999'999'999'999;

    constexpr Money() = default;
    static constexpr Money fromUnits(std::int64_t units) { return Money(units); }
    static constexpr Money fromYuan(std::int64_t yuan) { return Money(yuan * kUnitsPerYuan); }

    // Accepts an optional sign, digits and at most one point ("12", "12.5",
    // ".5", "5."). Refuses anything else, more than four non-zero decimals and
    // amounts beyond kMaxTypedUnits, with a message for the operator.
    static Result<Money> parse(const QString &text);

    constexpr std::int64_t units() const { return m_units; }
    constexpr bool isZero() const { return m_units == 0; }
    constexpr bool isNegative() const { return m_units < 0; }

    // Shortest decimal form: "37.5", "0", "-35.5", "100".
    QString toString() const;

    // Checked arithmetic for worked-out amounts (new balance, batch totals).
    Result<Money> plus(Money other) const;
    Result<Money> minus(Money other) const;
    Result<Money> times(std::int64_t factor) const;

    constexpr Money operator-() const { return Money(-m_units); }
    constexpr auto operator<=>(const Money &) const = default;

private:
    constexpr explicit Money(std::int64_t units) : m_units(units) {}
    std::int64_t m_units = 0;
};
