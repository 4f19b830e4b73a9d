#include "report/PdfUnicode.h"

#include <QFont>
#include <QRawFont>
#include <QString>

#include <vector>

namespace pdfunicode {

namespace {

constexpr char16_t kRadicalsFirst = 0x2E80;  // CJK Radicals Supplement, Kangxi Radicals
constexpr char16_t kRadicalsLast = 0x2FDF;
constexpr char16_t kIdeographsFirst = 0x4E00;  // CJK Unified Ideographs
constexpr char16_t kIdeographsLast = 0x9FFF;

QByteArray hex4(uint value)
{
    return QByteArray::number(value, 16).toUpper().rightJustified(4, '0');
}

struct Token {
    qsizetype begin;  // position of '<'
    qsizetype end;    // position after '>'
    QByteArray hex;
};

std::vector<Token> hexTokens(const QByteArray &line)
{
    std::vector<Token> out;
    qsizetype i = 0;
    while ((i = line.indexOf('<', i)) >= 0) {
        const qsizetype close = line.indexOf('>', i);
        if (close < 0)
            break;
        out.push_back(Token{i, close + 1, line.mid(i + 1, close - i - 1)});
        i = close + 1;
    }
    return out;
}

// The replacement of one destination code, or the code itself.
QByteArray replaced(const QByteArray &hex, const Equivalents &equivalents)
{
    if (hex.size() != 4)
        return hex;  // surrogate pairs and ligatures: never a radical
    bool ok = false;
    const uint value = hex.toUInt(&ok, 16);
    if (!ok)
        return hex;
    const auto it = equivalents.constFind(char16_t(value));
    return it == equivalents.constEnd() ? hex : hex4(*it);
}

// Replaces the tokens from index `first` on.
QByteArray replaceFrom(const QByteArray &line, const std::vector<Token> &tokens, size_t first,
                       const Equivalents &equivalents)
{
    QByteArray out;
    qsizetype copied = 0;
    for (size_t t = first; t < tokens.size(); ++t) {
        out += line.mid(copied, tokens[t].begin - copied);
        out += '<' + replaced(tokens[t].hex, equivalents) + '>';
        copied = tokens[t].end;
    }
    out += line.mid(copied);
    return out;
}

QByteArray rewriteRangeLine(const QByteArray &line, const Equivalents &equivalents)
{
    const std::vector<Token> tokens = hexTokens(line);
    if (tokens.size() < 3)
        return line;
    if (line.indexOf('[', tokens[1].end) >= 0)
        return replaceFrom(line, tokens, 2, equivalents);  // <a> <b> [<d1> <d2> ...]

    // <a> <b> <d>: codes a..b stand for d, d+1, ...; when any of them is to
    // be replaced the range is written out as an array.
    bool ok1 = false, ok2 = false, ok3 = false;
    const uint a = tokens[0].hex.toUInt(&ok1, 16);
    const uint b = tokens[1].hex.toUInt(&ok2, 16);
    const uint d = tokens[2].hex.toUInt(&ok3, 16);
    if (!ok1 || !ok2 || !ok3 || b < a || tokens[2].hex.size() != 4)
        return line;
    bool any = false;
    for (uint k = 0; k <= b - a && !any; ++k)
        any = equivalents.contains(char16_t(d + k));
    if (!any)
        return line;
    if (a == b)
        return replaceFrom(line, tokens, 2, equivalents);
    QByteArray out = line.left(tokens[1].end) + " [";
    for (uint k = 0; k <= b - a; ++k) {
        if (k > 0)
            out += ' ';
        out += '<' + replaced(hex4(d + k), equivalents) + '>';
    }
    out += ']';
    return out;
}

qsizetype digitsAt(const QByteArray &data, qsizetype pos)
{
    qsizetype n = 0;
    while (pos + n < data.size() && data.at(pos + n) >= '0' && data.at(pos + n) <= '9')
        ++n;
    return n;
}

}  // namespace

Equivalents radicalEquivalents(const QList<QFont> &fonts)
{
    Equivalents out;
    QString ideographs;
    for (char16_t c = kIdeographsFirst; c <= kIdeographsLast; ++c)
        ideographs += QChar(c);
    QString radicals;
    for (char16_t c = kRadicalsFirst; c <= kRadicalsLast; ++c)
        radicals += QChar(c);

    for (const QFont &font : fonts) {
        const QRawFont raw = QRawFont::fromFont(font);
        if (!raw.isValid())
            continue;
        const QList<quint32> radicalGlyphs = raw.glyphIndexesForString(radicals);
        QHash<quint32, char16_t> wanted;
        for (qsizetype i = 0; i < radicalGlyphs.size(); ++i) {
            const char16_t r = char16_t(kRadicalsFirst + i);
            if (radicalGlyphs[i] != 0 && !out.contains(r))
                wanted.insert(radicalGlyphs[i], r);
        }
        if (wanted.isEmpty())
            continue;
        const QList<quint32> ideographGlyphs = raw.glyphIndexesForString(ideographs);
        for (qsizetype i = 0; i < ideographGlyphs.size(); ++i) {
            const auto it = wanted.constFind(ideographGlyphs[i]);
            if (it != wanted.constEnd() && !out.contains(*it))
                out.insert(*it, char16_t(kIdeographsFirst + i));
        }
    }
    return out;
}

QByteArray rewriteCMap(const QByteArray &cmap, const Equivalents &equivalents)
{
    enum class Section { None, Range, Char } section = Section::None;
    const QList<QByteArray> lines = cmap.split('\n');
    QByteArrayList out;
    out.reserve(lines.size());
    for (const QByteArray &line : lines) {
        const QByteArray t = line.trimmed();
        if (t.endsWith("beginbfrange")) {
            section = Section::Range;
        } else if (t.endsWith("beginbfchar")) {
            section = Section::Char;
        } else if (t == "endbfrange" || t == "endbfchar") {
            section = Section::None;
        } else if (section == Section::Range) {
            out << rewriteRangeLine(line, equivalents);
            continue;
        } else if (section == Section::Char) {
            out << replaceFrom(line, hexTokens(line), 1, equivalents);  // <code> <character>
            continue;
        }
        out << line;
    }
    return out.join('\n');
}

bool rewriteToUnicode(QByteArray &pdf, const Equivalents &equivalents)
{
    if (equivalents.isEmpty())
        return true;

    struct Edit {
        qsizetype pos;
        qsizetype length;
        QByteArray text;
    };
    std::vector<Edit> edits;

    // Qt writes each map as an uncompressed stream with a direct length:
    // "<< /Length 1021 >>\nstream\n/CIDInit /ProcSet findresource begin ...".
    static const QByteArray marker = "stream\n/CIDInit /ProcSet findresource begin";
    qsizetype from = 0;
    qsizetype at;
    while ((at = pdf.indexOf(marker, from)) >= 0) {
        const qsizetype dict = pdf.lastIndexOf("<<", at);
        const qsizetype lengthKey = dict < 0 ? -1 : pdf.indexOf("/Length ", dict);
        if (lengthKey < 0 || lengthKey > at)
            return false;
        const qsizetype numberPos = lengthKey + 8;
        const qsizetype digits = digitsAt(pdf, numberPos);
        if (digits == 0 || pdf.mid(numberPos + digits, 3) != " >>")
            return false;  // an indirect length, or something else
        const qsizetype length = pdf.mid(numberPos, digits).toLongLong();
        const qsizetype data = at + 7;  // after "stream\n"
        if (data + length > pdf.size())
            return false;
        const QByteArray cmap = pdf.mid(data, length);
        const QByteArray fixed = rewriteCMap(cmap, equivalents);
        if (fixed != cmap) {
            edits.push_back({numberPos, digits, QByteArray::number(fixed.size())});
            edits.push_back({data, length, fixed});
        }
        from = data + length;
    }
    if (edits.empty())
        return true;

    // The one cross-reference table: "xref\n0 N\n" and N entries of 20 bytes,
    // "oooooooooo ggggg n \n", found through "startxref\nOFFSET".
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    if (startxref < 0)
        return false;
    qsizetype p = startxref + 9;
    while (p < pdf.size() && (pdf.at(p) == '\n' || pdf.at(p) == '\r' || pdf.at(p) == ' '))
        ++p;
    const qsizetype xrefDigits = digitsAt(pdf, p);
    const qsizetype xref = pdf.mid(p, xrefDigits).toLongLong();
    if (xrefDigits == 0 || pdf.mid(xref, 7) != "xref\n0 " || xref < edits.back().pos)
        return false;
    const qsizetype countPos = xref + 7;
    const qsizetype countDigits = digitsAt(pdf, countPos);
    const qsizetype count = pdf.mid(countPos, countDigits).toLongLong();
    qsizetype entries = countPos + countDigits;
    while (entries < pdf.size() && (pdf.at(entries) == ' ' || pdf.at(entries) == '\r' ||
                                    pdf.at(entries) == '\n'))
        ++entries;
    if (countDigits == 0 || entries + count * 20 > startxref)
        return false;

    auto shifted = [&](qsizetype offset) {
        qsizetype delta = 0;
        for (const Edit &e : edits)
            if (e.pos < offset)
                delta += e.text.size() - e.length;
        return offset + delta;
    };

    QByteArray table = pdf.mid(entries, count * 20);
    for (qsizetype i = 0; i < count; ++i) {
        QByteArray entry = table.mid(i * 20, 20);
        if (entry.size() != 20 || entry.at(10) != ' ')
            return false;
        if (entry.at(17) != 'n')
            continue;  // free entries keep their zeros
        const qsizetype offset = entry.left(10).toLongLong();
        table.replace(i * 20, 10, QByteArray::number(shifted(offset)).rightJustified(10, '0'));
    }

    QByteArray out;
    out.reserve(pdf.size() + 1024);
    qsizetype copied = 0;
    for (const Edit &e : edits) {
        out += pdf.mid(copied, e.pos - copied);
        out += e.text;
        copied = e.pos + e.length;
    }
    out += pdf.mid(copied, entries - copied);
    out += table;
    out += pdf.mid(entries + count * 20, p - (entries + count * 20));
    out += QByteArray::number(shifted(xref));
    out += pdf.mid(p + xrefDigits);
    pdf = std::move(out);
    return true;
}

}  // namespace pdfunicode
