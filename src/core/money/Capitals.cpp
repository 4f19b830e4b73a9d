#include "core/money/Capitals.h"

#include "core/money/Decimal.h"

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr char16_t kDigits[] = u"零壹贰叁肆伍陆柒捌玖";
// Unit of integer digit i (1 = units digit) at index i - 1.
constexpr char16_t kIntegerUnits[] = u"圆拾佰仟万拾佰仟亿拾佰仟万";
constexpr int kMaxIntegerDigits = 13;

} // namespace

std::optional<QString> amountInCapitals(const Decimal &nonNegative)
{
    if (!nonNegative.isValid() || nonNegative.isNegative())
        return std::nullopt;
    const QString fixed = nonNegative.toFixed2();   // "1234.50"
    const qsizetype intDigits = fixed.size() - 3;
    if (intDigits < 1 || intDigits > kMaxIntegerDigits || fixed.at(intDigits) != u'.')
        return std::nullopt;

    // Decided on the rounded digits: an amount that rounds to 0.00 is 零,
    // not a lone 整.
    bool allZero = true;
    for (QChar c : fixed)
        allZero = allZero && (c == u'0' || c == u'.');
    if (allZero)
        return u"零"_s;

    const auto digit = [&](qsizetype pos) { return fixed.at(pos).unicode() - u'0'; };
    const bool small = intDigits == 1 && digit(0) == 0;   // below one 圆

    QString text;
    text.reserve(2 * intDigits + 6);
    // Integer digits from the highest down; digit i (1 = units) is at
    // position intDigits - i, and the digit below it decides whether a 零
    // is needed. Below the units digit stands "small": an amount under one
    // 圆 writes neither its 0 nor 圆.
    for (qsizetype i = intDigits; i >= 1; --i) {
        const int d = digit(intDigits - i);
        const bool lowerIsZero = i == 1 ? small : digit(intDigits - i + 1) == 0;
        const bool groupUnit = i == 5 || i == 9;   // 万 and 亿 stay even over a 0
        if (d != 0) {
            text += QChar(kDigits[d]);
            text += QChar(kIntegerUnits[i - 1]);
        } else if (i == 1) {
            if (!small)
                text += QChar(kIntegerUnits[0]);
        } else if (groupUnit) {
            text += QChar(kIntegerUnits[i - 1]);
        } else if (!lowerIsZero) {
            text += QChar(kDigits[0]);
        }
    }
    // An all-zero 万 group under a 亿 leaves no 万.
    text.replace(u"亿万"_s, u"亿"_s);

    const int jiao = digit(intDigits + 1);
    const int fen = digit(intDigits + 2);
    if (jiao != 0)
        text += QChar(kDigits[jiao]) + u"角"_s;
    else if (fen != 0 && !small)
        text += QChar(kDigits[0]);   // 12.05: 壹拾贰圆零伍分
    if (fen != 0)
        text += QChar(kDigits[fen]) + u"分"_s;
    else
        text += u"整"_s;
    return text;
}

QString capitalsErrorText()
{
    return u"金额太大，无法写成大写金额（整数部分最多13位）！"_s;
}
