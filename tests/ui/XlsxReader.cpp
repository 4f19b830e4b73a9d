#include "XlsxReader.h"

#include <QFile>
#include <QVector>
#include <QXmlStreamReader>

#include <zlib.h>

namespace xlsxread {

namespace {

quint32 le32(const QByteArray &b, qsizetype at)
{
    if (at < 0 || at + 4 > b.size())
        return 0;
    const auto *p = reinterpret_cast<const uchar *>(b.constData() + at);
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

quint16 le16(const QByteArray &b, qsizetype at)
{
    if (at < 0 || at + 2 > b.size())
        return 0;
    const auto *p = reinterpret_cast<const uchar *>(b.constData() + at);
    return quint16(p[0] | p[1] << 8);
}

std::optional<QByteArray> inflateRaw(const QByteArray &in, quint32 size)
{
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
        return std::nullopt;
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.constData()));
    z.avail_in = uInt(in.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    const int rc = inflate(&z, Z_FINISH);
    inflateEnd(&z);
    if (rc != Z_STREAM_END || z.total_out != size)
        return std::nullopt;
    return out;
}

int rowOf(const QString &ref)
{
    int i = 0;
    while (i < ref.size() && ref.at(i).isUpper())
        ++i;
    return ref.mid(i).toInt();
}

// The text of the current element and its descendants' <t> elements.
QString readText(QXmlStreamReader &x)
{
    QString text;
    const QString end = x.name().toString();
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == u"t")
            text += x.readElementText();
        else if (x.isEndElement() && x.name() == end)
            break;
    }
    return text;
}

}  // namespace

std::optional<QMap<QString, QByteArray>> unzip(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray zip = f.readAll();
    qsizetype end = -1;
    for (qsizetype i = zip.size() - 22; i >= 0 && i >= zip.size() - 22 - 65535; --i)
        if (le32(zip, i) == 0x06054b50) {
            end = i;
            break;
        }
    if (end < 0)
        return std::nullopt;
    const int entries = le16(zip, end + 10);
    qsizetype at = le32(zip, end + 16);
    QMap<QString, QByteArray> out;
    for (int e = 0; e < entries; ++e) {
        if (le32(zip, at) != 0x02014b50)
            return std::nullopt;
        const quint16 method = le16(zip, at + 10);
        const quint32 packed = le32(zip, at + 20);
        const quint32 size = le32(zip, at + 24);
        const quint16 nameLength = le16(zip, at + 28);
        const quint16 extraLength = le16(zip, at + 30);
        const quint16 commentLength = le16(zip, at + 32);
        const quint32 local = le32(zip, at + 42);
        const QString name = QString::fromUtf8(zip.mid(at + 46, nameLength));
        at += 46 + nameLength + extraLength + commentLength;

        if (le32(zip, local) != 0x04034b50)
            return std::nullopt;
        const qsizetype data = local + 30 + le16(zip, local + 26) + le16(zip, local + 28);
        const QByteArray raw = zip.mid(data, packed);
        if (method == 0) {
            out.insert(name, raw);
        } else if (method == 8) {
            auto inflated = inflateRaw(raw, size);
            if (!inflated)
                return std::nullopt;
            out.insert(name, *inflated);
        } else {
            return std::nullopt;
        }
    }
    return out;
}

QString Sheet::reference(int row, int column)
{
    QString letters;
    for (int c = column; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    return letters + QString::number(row);
}

QString Sheet::cell(int row, int column) const
{
    return cells.value(reference(row, column));
}

int Sheet::cellFormat(int row, int column) const
{
    return cellFormats.value(reference(row, column), -1);
}

std::optional<Sheet> readFirstSheet(const QString &path)
{
    const auto files = unzip(path);
    if (!files || !files->contains(QStringLiteral("xl/worksheets/sheet1.xml")))
        return std::nullopt;

    QStringList shared;
    {
        QXmlStreamReader x(files->value(QStringLiteral("xl/sharedStrings.xml")));
        while (!x.atEnd())
            if (x.readNext() == QXmlStreamReader::StartElement && x.name() == u"si")
                shared << readText(x);
    }
    QVector<int> xfFormats;  // cell style index -> number format id
    {
        QXmlStreamReader x(files->value(QStringLiteral("xl/styles.xml")));
        bool inCellXfs = false;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == u"cellXfs")
                inCellXfs = true;
            else if (x.isEndElement() && x.name() == u"cellXfs")
                inCellXfs = false;
            else if (inCellXfs && x.isStartElement() && x.name() == u"xf")
                xfFormats << x.attributes().value(QLatin1StringView("numFmtId")).toInt();
        }
    }
    auto formatOf = [&xfFormats](int style) {
        return style >= 0 && style < xfFormats.size() ? xfFormats[style] : 0;
    };

    Sheet sheet;
    QXmlStreamReader x(files->value(QStringLiteral("xl/worksheets/sheet1.xml")));
    while (!x.atEnd()) {
        x.readNext();
        if (!x.isStartElement())
            continue;
        if (x.name() == u"col") {
            const auto a = x.attributes();
            if (!a.hasAttribute(QLatin1StringView("style")))
                continue;
            for (int c = a.value(QLatin1StringView("min")).toInt(); c <= a.value(QLatin1StringView("max")).toInt(); ++c)
                sheet.columnFormats.insert(c, formatOf(a.value(QLatin1StringView("style")).toInt()));
        } else if (x.name() == u"c") {
            const auto a = x.attributes();
            const QString ref = a.value(QLatin1StringView("r")).toString();
            const QString type = a.value(QLatin1StringView("t")).toString();
            const int style = a.value(QLatin1StringView("s")).toInt();
            QString value;
            if (type == u"inlineStr") {
                value = readText(x);
            } else {
                // <v> holds a number or an index into the shared strings.
                while (!x.atEnd()) {
                    x.readNext();
                    if (x.isStartElement() && x.name() == u"v")
                        value = x.readElementText();
                    else if (x.isEndElement() && x.name() == u"c")
                        break;
                }
                if (type == u"s")
                    value = shared.value(value.toInt());
            }
            sheet.cells.insert(ref, value);
            sheet.cellFormats.insert(ref, formatOf(style));
            sheet.lastRow = std::max(sheet.lastRow, rowOf(ref));
        }
    }
    if (x.hasError())
        return std::nullopt;
    return sheet;
}

}  // namespace xlsxread
