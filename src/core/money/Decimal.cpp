#include "core/money/Decimal.h"

#include <limits>

namespace {

using i128 = __int128;

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();

bool fits(i128 v) { return v >= kMin && v <= kMax; }

// n / d rounded to the nearest integer, ties to even; d > 0.
i128 divRoundHalfEven(i128 n, i128 d)
{
    i128 q = n / d;
    i128 r = n % d;
    if (r < 0) {  // make the remainder non-negative: n = q*d + r, 0 <= r < d
        r += d;
        q -= 1;
    }
    const i128 twice = 2 * r;
    if (twice > d || (twice == d && (q % 2 != 0)))
        q += 1;
    return q;
}

// Reads the text exactly and rounds it to `places` decimals, ties to even.
// Gives the value in units of 10^-places, or nothing for a text that is not a
// number of the operator's form.
std::optional<i128> parseScaled(QStringView text, int places)
{
    text = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && text[i] == u'-') {
        negative = true;
        ++i;
    }
    i128 whole = 0;
    int wholeDigits = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        whole = whole * 10 + (text[i].unicode() - u'0');
        if (++wholeDigits > 20)
            return std::nullopt;  // far beyond any amount the program holds
    }
    i128 frac = 0;       // the first `places` decimals
    int fracDigits = 0;
    int roundDigit = -1; // the decimal right after them
    bool stickyBeyond = false;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
            const int d = text[i].unicode() - u'0';
            if (fracDigits < places) {
                frac = frac * 10 + d;
                ++fracDigits;
            } else if (roundDigit < 0) {
                roundDigit = d;
            } else if (d != 0) {
                stickyBeyond = true;
            }
        }
        if (wholeDigits == 0 && fracDigits == 0)
            return std::nullopt;  // a lone "." (or "-.")
    }
    if (i != text.size() || (wholeDigits == 0 && fracDigits == 0))
        return std::nullopt;
    for (int k = fracDigits; k < places; ++k)
        frac *= 10;
    i128 scale = 1;
    for (int k = 0; k < places; ++k)
        scale *= 10;
    i128 v = whole * scale + frac;
    if (roundDigit > 5 || (roundDigit == 5 && (stickyBeyond || v % 2 != 0)))
        v += 1;
    return negative ? -v : v;
}

QString formatUnits(int64_t units, int minDecimals)
{
    // units are ten-thousandths; write them with between minDecimals and 4 decimals.
    const bool negative = units < 0;
    const uint64_t mag = negative ? uint64_t(0) - uint64_t(units) : uint64_t(units);
    const uint64_t whole = mag / Decimal::Scale;
    uint64_t frac = mag % Decimal::Scale;
    int decimals = 4;
    while (decimals > minDecimals && frac % 10 == 0) {
        frac /= 10;
        --decimals;
    }
    QString out;
    if (negative && (whole != 0 || frac != 0))
        out += u'-';
    out += QString::number(whole);
    if (decimals > 0)
        out += u'.' + QStringLiteral("%1").arg(frac, decimals, 10, QChar(u'0'));
    return out;
}

}  // namespace

std::optional<Decimal> Decimal::fromInteger(int64_t whole)
{
    const i128 v = i128(whole) * Scale;
    if (!fits(v))
        return std::nullopt;
    return fromUnits(int64_t(v));
}

Decimal Decimal::parse(QStringView text)
{
    const auto v = parseScaled(text, 4);
    if (!v || !fits(*v))
        return invalid();
    return fromUnits(int64_t(*v));
}

Decimal Decimal::abs() const
{
    return isNegative() ? -*this : *this;
}

Decimal Decimal::operator-() const
{
    if (!m_valid || m_units == kMin)
        return invalid();
    return fromUnits(-m_units);
}

Decimal Decimal::operator+(const Decimal &o) const
{
    if (!m_valid || !o.m_valid)
        return invalid();
    const i128 v = i128(m_units) + o.m_units;
    return fits(v) ? fromUnits(int64_t(v)) : invalid();
}

Decimal Decimal::operator-(const Decimal &o) const
{
    if (!m_valid || !o.m_valid)
        return invalid();
    const i128 v = i128(m_units) - o.m_units;
    return fits(v) ? fromUnits(int64_t(v)) : invalid();
}

Decimal Decimal::operator*(const Decimal &o) const
{
    if (!m_valid || !o.m_valid)
        return invalid();
    const i128 v = divRoundHalfEven(i128(m_units) * o.m_units, Scale);
    return fits(v) ? fromUnits(int64_t(v)) : invalid();
}

Decimal Decimal::dividedTo2(const Decimal &divisor) const
{
    if (!m_valid || !divisor.m_valid || divisor.m_units == 0)
        return invalid();
    i128 n = i128(m_units) * 100;
    i128 d = divisor.m_units;
    if (d < 0) {
        n = -n;
        d = -d;
    }
    const i128 cents = divRoundHalfEven(n, d);
    const i128 v = cents * 100;
    return fits(v) ? fromUnits(int64_t(v)) : invalid();
}

Decimal Decimal::roundedTo2() const
{
    if (!m_valid)
        return invalid();
    const i128 v = divRoundHalfEven(m_units, 100) * 100;
    return fits(v) ? fromUnits(int64_t(v)) : invalid();
}

QString Decimal::toFixed2() const
{
    const Decimal r = roundedTo2();
    if (!r.isValid())
        return QString();
    return formatUnits(r.m_units, 2);
}

QString Decimal::toShortest() const
{
    if (!m_valid)
        return QString();
    return formatUnits(m_units, 0);
}

namespace decimaltext {

bool hasMoreThanTwoDecimals(QStringView text)
{
    const qsizetype dot = text.indexOf(u'.');
    return dot >= 0 && text.size() - (dot + 1) > 2;
}

Decimal parseRoundedTo2(QStringView text)
{
    // Held at four places first, like every stored value, then rounded to
    // two: 2.34501 is held as 2.3450 and so becomes 2.34, not 2.35.
    return Decimal::parse(text).roundedTo2();
}

QString rewriteTo2IfLonger(const QString &text)
{
    if (!hasMoreThanTwoDecimals(text))
        return text;
    const Decimal v = Decimal::parse(text);
    return v.isValid() ? v.toFixed2() : text;
}

}  // namespace decimaltext
