#pragma once

#include <QMetaType>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// A quantity, price or amount: a signed 64-bit count of ten-thousandths.
//
// The value is exact. Every operation that could overflow, divide by zero or
// read a text that is not a number gives the invalid value instead, and the
// invalid value stays invalid through further arithmetic, so callers check
// isValid() once before they store or show a result.
class Decimal
{
public:
    static constexpr int64_t Scale = 10000;  // units per 1

    constexpr Decimal() = default;

    static constexpr Decimal fromUnits(int64_t units) { return Decimal(units, true); }
    static std::optional<Decimal> fromInteger(int64_t whole);
    static constexpr Decimal invalid() { return Decimal(0, false); }

    // Strict reading of what an operator typed: optional surrounding spaces, an
    // optional leading "-", digits with at most one ".", at least one digit.
    // More than four decimals are rounded to four, ties to even. Anything else
    // (a lone ".", a "-" after digits, letters, an empty text) is invalid.
    static Decimal parse(QStringView text);

    bool isValid() const { return m_valid; }
    int64_t units() const { return m_units; }

    bool isZero() const { return m_valid && m_units == 0; }
    bool isNegative() const { return m_valid && m_units < 0; }
    bool isPositive() const { return m_valid && m_units > 0; }
    Decimal abs() const;

    Decimal operator-() const;
    Decimal operator+(const Decimal &o) const;
    Decimal operator-(const Decimal &o) const;
    Decimal &operator+=(const Decimal &o) { return *this = *this + o; }
    Decimal &operator-=(const Decimal &o) { return *this = *this - o; }

    // Product rounded to four decimals, ties to even.
    Decimal operator*(const Decimal &o) const;

    // Quotient rounded to two decimals, ties to even (the moving average's
    // unit cost). Invalid for a zero divisor.
    Decimal dividedTo2(const Decimal &divisor) const;

    // Rounded to two decimals, ties to even.
    Decimal roundedTo2() const;

    // "0.00" form: rounded to two decimals, ties to even, always two decimals.
    QString toFixed2() const;
    // Shortest form: no trailing zeros, at most four decimals ("12.5", "3", "-0.25").
    QString toShortest() const;

    // Comparisons are between valid values; an invalid value equals nothing.
    bool operator==(const Decimal &o) const { return m_valid && o.m_valid && m_units == o.m_units; }
    bool operator!=(const Decimal &o) const { return !(*this == o); }
    bool operator<(const Decimal &o) const { return m_valid && o.m_valid && m_units < o.m_units; }
    bool operator>(const Decimal &o) const { return o < *this; }
    bool operator<=(const Decimal &o) const { return m_valid && o.m_valid && m_units <= o.m_units; }
    bool operator>=(const Decimal &o) const { return o <= *this; }

private:
    constexpr Decimal(int64_t units, bool valid) : m_units(units), m_valid(valid) {}

    int64_t m_units = 0;
    bool m_valid = true;
};

Q_DECLARE_METATYPE(Decimal)

namespace decimaltext {

// True when an edited number has more than two characters after its decimal
// point (the point's 1-based position p, and length - p > 2).
bool hasMoreThanTwoDecimals(QStringView text);

// The rewrite that number fields apply before a value is used: a text with more
// than two characters after its point becomes its "0.00" form. The typed text
// is held at four places first (ties to even), and that held value is rounded
// to two, ties to even: 2.345 -> 2.34, 2.355 -> 2.36, 2.34501 -> 2.3450 -> 2.34.
// Other texts come back unchanged; a text that is not a number is also left as
// it is, so that the caller's own reading reports it.
QString rewriteTo2IfLonger(const QString &text);

// The typed value held at four places, then rounded to two, both ties to even.
Decimal parseRoundedTo2(QStringView text);

}  // namespace decimaltext
