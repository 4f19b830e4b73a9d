#pragma once

#include <QString>

#include <optional>

class Decimal;

// Money amounts in Chinese capital numerals (大写), as documents state their
// totals: 1010.00 gives 壹仟零壹拾圆整, 12.05 gives 壹拾贰圆零伍分.
//
// The amount is first rounded to two decimals (ties to even) and written from
// those digits. Units go up to 万亿, so the integer part may have at most 13
// digits; a larger amount, a negative one or an invalid one gives nothing, and
// the caller shows capitalsErrorText(). An amount that rounds to 0.00 gives 零.
// Callers put any sign ("负") or heading ("(大写)") in front themselves.
std::optional<QString> amountInCapitals(const Decimal &nonNegative);

// The message for an amount that amountInCapitals() cannot write.
QString capitalsErrorText();
