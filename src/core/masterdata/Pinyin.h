#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringView>

// Pinyin codes of Chinese text: 不锈钢螺丝 gives BXGLS.
//
// The rules are those of walking the text as GBK, the shop's traditional
// encoding; the text is taken as Unicode and each character is looked up by
// code point in a table generated from the GBK repertoire (see
// tools/pinyin/gen_pinyin_table.py), with the same results:
//
//  - ASCII stands for itself: letters and digits are kept (letters in
//    capitals); every other ASCII character is kept only with KeepAll.
//  - A Chinese character gives its syllable in capitals, or only the first
//    letter of it without FullSyllables. Each character has one fixed reading
//    (重 ZHONG, 长 ZHANG, 行 HANG, 藏 CANG, 乐 LE).
//  - Enumerated symbols (ⅰ, ⒈, ⑴, ①, ㈠, Ⅰ …) give their number ("3" for Ⅲ).
//  - Greek letters give their Latin transliteration in capitals (θ gives TH).
//  - Full-width ASCII gives the plain character, without changing its case
//    (ＡＢｃ１２ gives ABc12); other than letters and digits only with KeepAll.
//  - The euro sign, the one GBK character of a single byte above ASCII, is
//    kept as it is with KeepAll.
//  - Every other character, including those outside GBK and an unpaired
//    surrogate (the Unicode counterpart of a broken double-byte code),
//    has no reading: "?" with MarkUnknown, otherwise nothing.
//
// The result is cut to maxLength characters.
namespace pinyin {

enum Option : int {
    FullSyllables = 1,  // whole syllables instead of initials
    MarkUnknown = 2,    // "?" for a character without a reading
    KeepAll = 4,        // keep every ASCII character, not only letters and digits
};

// A negative options value gives an empty result.
QString convert(QStringView text, int options, int maxLength);

// The goods catalogue's article code: initials, unknown characters dropped,
// spaces and punctuation kept, at most 255 characters.
QString goodsCode(QStringView name);

// The fixed reading of a character, lowercase with ü as "v" ("lv"), or an
// empty view when it has none.
QLatin1StringView reading(char32_t ch);

// How many characters have a reading.
int readableCount();

} // namespace pinyin
