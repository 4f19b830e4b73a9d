#include "Pinyin.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace pinyin {
namespace {

#include "PinyinTable.inc"

// Kinds of table value (see the generator).
constexpr uint16_t KindMask = 0xF000;
constexpr uint16_t Syllable = 0x0000;   // 0 = no reading, else a syllable index
constexpr uint16_t Literal = 0x1000;
constexpr uint16_t FullWidth = 0x2000;
constexpr uint16_t HighByte = 0x3000;

uint16_t lookup(char32_t ch)
{
    if (ch >= kCjkFirst && ch <= kCjkLast)
        return kCjkValues[ch - kCjkFirst];
    if (ch > 0xFFFF)
        return 0;
    const auto code = static_cast<uint16_t>(ch);
    const uint16_t *end = std::end(kOtherCodes);
    const uint16_t *it = std::lower_bound(std::begin(kOtherCodes), end, code);
    if (it == end || *it != code)
        return 0;
    return kOtherValues[it - std::begin(kOtherCodes)];
}

bool isAsciiAlnum(char32_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Writes into a buffer sized beforehand and stops at the maximum length.
struct Writer
{
    QChar *out;
    qsizetype room;

    bool full() const { return room == 0; }
    void put(char16_t c)
    {
        if (room > 0) {
            *out++ = QChar(c);
            --room;
        }
    }
    void put(const char *s)
    {
        for (; *s && room > 0; ++s, --room)
            *out++ = QChar(char16_t(*s));
    }
    void putCapitals(const char *lowercase)
    {
        for (; *lowercase && room > 0; ++lowercase, --room)
            *out++ = QChar(char16_t(*lowercase - ('a' - 'A')));
    }
};

} // namespace

QString convert(QStringView text, int options, int maxLength)
{
    if (options < 0 || maxLength <= 0 || text.isEmpty())
        return QString();
    const bool full = options & FullSyllables;
    const bool mark = options & MarkUnknown;
    const bool keepAll = options & KeepAll;

    // A character gives at most a whole syllable (6 letters) or, with
    // initials, two characters ("10", "TH").
    const qsizetype bound = text.size() * (full ? 6 : 2);
    QString result(std::min<qsizetype>(bound, maxLength), Qt::Uninitialized);
    Writer w{result.data(), result.size()};

    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
    while (p < end && !w.full()) {
        char32_t ch = *p++;
        if (ch < 0x80) {
            if (keepAll || isAsciiAlnum(ch))
                w.put(ch >= 'a' && ch <= 'z' ? char16_t(ch - 0x20) : char16_t(ch));
            continue;
        }
        if (QChar::isHighSurrogate(ch) && p < end && QChar::isLowSurrogate(*p))
            ch = QChar::surrogateToUcs4(char16_t(ch), *p++);

        const uint16_t v = lookup(ch);
        switch (v & KindMask) {
        case Syllable:
            if (v == 0) {
                if (mark)
                    w.put(u'?');
            } else {
                const char *s = kSyllables[v];
                if (full)
                    w.putCapitals(s);
                else
                    w.put(char16_t(s[0] - ('a' - 'A')));
            }
            break;
        case Literal:
            w.put(kLiterals[v & ~KindMask]);
            break;
        case FullWidth:
            if (keepAll || isAsciiAlnum(v & 0x7F))
                w.put(char16_t(v & 0x7F));
            break;
        case HighByte:
            if (keepAll)
                w.put(char16_t(ch));
            break;
        }
    }
    result.truncate(w.out - result.data());
    return result;
}

QString goodsCode(QStringView name)
{
    return convert(name, KeepAll, 255);
}

QLatin1StringView reading(char32_t ch)
{
    const uint16_t v = lookup(ch);
    if ((v & KindMask) != Syllable || v == 0)
        return {};
    return QLatin1StringView(kSyllables[v]);
}

int readableCount()
{
    return kReadableCount;
}

} // namespace pinyin
