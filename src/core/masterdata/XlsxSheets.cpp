// Office Open XML workbooks (.xlsx): a zip, read with libzip, of XML parts,
// read with QXmlStreamReader. The parts are found as the package's
// relationships name them: the workbook, its worksheets, the shared strings
// and the styles (which tell the cells that hold a date).

#include "core/masterdata/SheetReader.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QIODevice>
#include <QSet>
#include <QXmlStreamReader>

#include <cmath>

#include <zip.h>

using namespace Qt::Literals::StringLiterals;

namespace sheets {

namespace {

// One member of the zip as a sequential device, read as the parser asks.
class MemberDevice final : public QIODevice
{
public:
    MemberDevice(zip_file_t *file, qint64 size) : m_file(file), m_size(size)
    {
        QIODevice::open(QIODevice::ReadOnly);
    }
    ~MemberDevice() override
    {
        close();
        zip_fclose(m_file);
    }

    bool isSequential() const override { return true; }
    qint64 bytesRead() const { return m_read; }
    qint64 size() const override { return m_size; }
    QString failure() const { return m_failure; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const zip_int64_t n = zip_fread(m_file, data, zip_uint64_t(maxSize));
        if (n < 0) {
            m_failure = QString::fromUtf8(zip_file_strerror(m_file));
            return -1;
        }
        m_read += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    zip_file_t *m_file;
    qint64 m_size;
    qint64 m_read = 0;
    QString m_failure;
};

// "xl/worksheets/../sharedStrings.xml" -> "xl/sharedStrings.xml".
QString normalisedPath(const QString &path)
{
    QStringList parts;
    for (const QString &p : path.split(u'/', Qt::SkipEmptyParts)) {
        if (p == u"..") {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (p != u".") {
            parts << p;
        }
    }
    return parts.join(u'/');
}

// A relationship's target, from the folder of the part that names it.
QString resolveTarget(const QString &fromFolder, const QString &target)
{
    if (target.startsWith(u'/'))
        return normalisedPath(target);
    return normalisedPath(fromFolder + u'/' + target);
}

QString folderOf(const QString &part)
{
    const qsizetype slash = part.lastIndexOf(u'/');
    return slash < 0 ? QString() : part.left(slash);
}

// "_rels/.rels" for "", "xl/_rels/workbook.xml.rels" for "xl/workbook.xml".
QString relationshipsOf(const QString &part)
{
    const QString folder = folderOf(part);
    const QString name = part.mid(folder.isEmpty() ? 0 : folder.size() + 1);
    return (folder.isEmpty() ? QString() : folder + u'/') + u"_rels/"_s + name + u".rels"_s;
}

struct Relationship {
    QString type;    // the last segment of the type, "worksheet", "sharedStrings", ...
    QString target;  // the part's path in the zip
};

// The built-in number formats that show dates and times.
bool isBuiltInDateFormat(int id)
{
    return (id >= 14 && id <= 22) || (id >= 45 && id <= 47) || (id >= 27 && id <= 36) ||
           (id >= 50 && id <= 58);
}

// A format code that shows a date or a time: d, m, y, h or s outside quoted
// texts, escaped characters and [colour] or [$-locale] brackets ([h] counts).
bool isDateFormatCode(const QString &code)
{
    bool quoted = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (quoted) {
            quoted = c != u'"';
            continue;
        }
        if (c == u'"') {
            quoted = true;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
        } else if (c == u'[') {
            const qsizetype end = code.indexOf(u']', i);
            const QString inside = code.mid(i + 1, end < 0 ? -1 : end - i - 1).toLower();
            if (!inside.isEmpty() && (inside.at(0) == u'h' || inside.at(0) == u'm' || inside.at(0) == u's'))
                return true;
            if (end < 0)
                return false;
            i = end;
        } else {
            switch (c.toLower().unicode()) {
            case u'd':
            case u'm':
            case u'y':
            case u'h':
            case u's':
                return true;
            default:
                break;
            }
        }
    }
    return false;
}

// A date serial as FreeXL gives an .xls date: "yyyy-mm-dd", with
// " hh:mm:ss" when it has a time of day, "hh:mm:ss" for a time alone.
QString dateText(double serial, bool from1904)
{
    if (!std::isfinite(serial) || serial < 0 || serial > 2958466)
        return QString::number(serial, 'g', 15);
    qint64 days = qint64(std::floor(serial));
    qint64 seconds = std::llround((serial - double(days)) * 86400.0);
    if (seconds >= 86400) {
        ++days;
        seconds -= 86400;
    }
    const QTime time = QTime(0, 0).addSecs(int(seconds));
    if (days == 0 && !from1904)
        return time.toString(u"HH:mm:ss"_s);
    // The 1900 system counts a 29 February 1900 that never was.
    const QDate base = from1904 ? QDate(1904, 1, 1) : QDate(1899, 12, days < 60 ? 31 : 30);
    const QDate date = base.addDays(days);
    const QString d = date.toString(u"yyyy-MM-dd"_s);
    return seconds == 0 ? d : d + u' ' + time.toString(u"HH:mm:ss"_s);
}

// "AB12" -> 27 (0-based column), -1 when it does not start with letters.
int columnOf(QStringView ref)
{
    int column = 0;
    qsizetype i = 0;
    for (; i < ref.size() && ref.at(i).isLetter(); ++i)
        column = column * 26 + (ref.at(i).toUpper().unicode() - u'A' + 1);
    return i == 0 || column > 16384 ? -1 : column - 1;
}

// The text of an <si> or <is>: its <t> elements, without phonetic runs.
QString readRichText(QXmlStreamReader &x)
{
    QString text;
    int depth = 1;
    int phonetic = 0;
    while (depth > 0 && !x.atEnd()) {
        switch (x.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (x.name() == u"rPh")
                ++phonetic;
            else if (x.name() == u"t") {
                const QString t = x.readElementText();
                --depth;
                if (phonetic == 0)
                    text += t;
            }
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            if (x.name() == u"rPh")
                --phonetic;
            break;
        default:
            break;
        }
    }
    return text;
}

class XlsxWorkbook final : public Workbook
{
public:
    explicit XlsxWorkbook(zip_t *zip) : m_zip(zip) {}
    ~XlsxWorkbook() override { zip_discard(m_zip); }

    bool load(QString *error)
    {
        QString workbook = u"xl/workbook.xml"_s;
        for (const Relationship &r : relationships(QString(), error))
            if (r.type == u"officeDocument") {
                workbook = r.target;
                break;
            }
        if (!error->isEmpty())
            return false;
        QHash<QString, QString> targets;  // relationship id -> part
        QString sharedStrings, styles;
        for (const Relationship &r : relationships(workbook, error, &targets)) {
            if (r.type == u"sharedStrings")
                sharedStrings = r.target;
            else if (r.type == u"styles")
                styles = r.target;
        }
        if (!error->isEmpty())
            return false;
        const std::optional<QByteArray> xml = member(workbook, error);
        if (!xml)
            return false;
        std::vector<std::pair<QString, QString>> sheets;  // name, relationship id
        QXmlStreamReader x(*xml);
        while (!x.atEnd()) {
            if (x.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (x.name() == u"sheet") {
                QString id;
                for (const QXmlStreamAttribute &a : x.attributes())
                    if (a.name() == u"id")
                        id = a.value().toString();
                sheets.emplace_back(x.attributes().value(QLatin1StringView("name")).toString(), id);
            } else if (x.name() == u"workbookPr") {
                const auto v = x.attributes().value(QLatin1StringView("date1904"));
                m_from1904 = v == u"1" || v == u"true";
            }
        }
        if (x.hasError()) {
            *error = badPart(workbook, x);
            return false;
        }
        for (const auto &[name, id] : sheets) {
            m_names << name;
            m_parts << targets.value(id);
        }
        return (sharedStrings.isEmpty() || readSharedStrings(sharedStrings, error)) &&
               (styles.isEmpty() || readStyles(styles, error));
    }

    QStringList sheetNames() const override { return m_names; }

    bool readSheet(int index, const std::function<bool(const Row &)> &take,
                   QString *error) override
    {
        if (index < 0 || index >= m_parts.size() || m_parts.at(index).isEmpty()) {
            *error = QStringLiteral("工作表不存在。");
            return false;
        }
        const QString part = m_parts.at(index);
        std::unique_ptr<MemberDevice> device = openMember(part, error);
        if (!device)
            return false;
        QXmlStreamReader x(device.get());
        Row row;
        int lastRow = 0;
        bool inData = false;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isEndElement() && x.name() == u"sheetData")
                break;
            if (!x.isStartElement())
                continue;
            if (x.name() == u"sheetData") {
                inData = true;
                continue;
            }
            if (!inData || x.name() != u"row")
                continue;
            const auto r = x.attributes().value(QLatin1StringView("r"));
            row.number = r.isEmpty() ? lastRow + 1 : r.toInt();
            if (row.number <= lastRow) {
                *error = QStringLiteral("工作表的行次序有误（第%1行）。").arg(row.number);
                return false;
            }
            lastRow = row.number;
            row.cells.clear();
            if (!readRow(x, row, error)) {
                if (error->isEmpty())
                    *error = badPart(part, x);
                return false;
            }
            while (!row.cells.empty() && row.cells.back().type == Cell::Type::Blank)
                row.cells.pop_back();
            if (row.cells.empty())
                continue;
            row.progress = device->size() > 0 ? double(device->bytesRead()) / double(device->size()) : 0;
            if (!take(row))
                return true;
        }
        if (x.hasError()) {
            *error = device->failure().isEmpty() ? badPart(part, x)
                                                 : QStringLiteral("无法读取工作表：") + device->failure();
            return false;
        }
        return true;
    }

private:
    bool readRow(QXmlStreamReader &x, Row &row, QString *error)
    {
        int column = -1;
        while (x.readNextStartElement()) {
            if (x.name() != u"c") {
                x.skipCurrentElement();
                continue;
            }
            const QXmlStreamAttributes a = x.attributes();
            const auto ref = a.value(QLatin1StringView("r"));
            column = ref.isEmpty() ? column + 1 : columnOf(ref);
            if (column < 0) {
                *error = QStringLiteral("第%1行的单元格引用“%2”有误。").arg(row.number).arg(ref);
                return false;
            }
            const QStringView type = a.value(QLatin1StringView("t"));
            const int style = a.value(QLatin1StringView("s")).toInt();
            QString value;
            QString inline_;
            bool hasValue = false;
            while (x.readNextStartElement()) {
                if (x.name() == u"v") {
                    value = x.readElementText();
                    hasValue = true;
                } else if (x.name() == u"is") {
                    inline_ = readRichText(x);
                    hasValue = true;
                } else {
                    x.skipCurrentElement();
                }
            }
            if (x.hasError())
                return false;
            if (!hasValue)
                continue;
            Cell cell;
            if (type == u"s") {
                bool ok = false;
                const int i = value.toInt(&ok);
                if (!ok || i < 0 || i >= m_strings.size()) {
                    *error = QStringLiteral("第%1行第%2列：共享字符串不存在。")
                                 .arg(row.number)
                                 .arg(columnLetters(column));
                    return false;
                }
                cell = Cell::ofText(m_strings.at(i));
            } else if (type == u"inlineStr") {
                cell = Cell::ofText(inline_);
            } else if (type == u"str" || type == u"d") {
                cell = Cell::ofText(value);
            } else if (type == u"b") {
                const bool on = value.trimmed() == u"1";
                cell = {Cell::Type::Boolean, on ? 1.0 : 0.0,
                        on ? QStringLiteral("TRUE") : QStringLiteral("FALSE")};
            } else if (type == u"e") {
                cell = {Cell::Type::Error, 0, value};
            } else {
                bool ok = false;
                const double d = QStringView(value).trimmed().toDouble(&ok);
                if (!ok) {
                    *error = QStringLiteral("第%1行第%2列的数值“%3”有误。")
                                 .arg(row.number)
                                 .arg(columnLetters(column))
                                 .arg(value);
                    return false;
                }
                cell = m_dateStyles.contains(style) ? Cell::ofText(dateText(d, m_from1904))
                                                    : Cell::ofNumber(d);
            }
            if (size_t(column) >= row.cells.size())
                row.cells.resize(size_t(column) + 1);
            row.cells[size_t(column)] = std::move(cell);
        }
        return !x.hasError();
    }

    bool readSharedStrings(const QString &part, QString *error)
    {
        std::unique_ptr<MemberDevice> device = openMember(part, error);
        if (!device)
            return false;
        QXmlStreamReader x(device.get());
        while (!x.atEnd()) {
            if (x.readNext() == QXmlStreamReader::StartElement && x.name() == u"si")
                m_strings << readRichText(x);
        }
        if (x.hasError()) {
            *error = badPart(part, x);
            return false;
        }
        return true;
    }

    bool readStyles(const QString &part, QString *error)
    {
        const std::optional<QByteArray> xml = member(part, error);
        if (!xml)
            return false;
        QSet<int> dateFormats;
        QXmlStreamReader x(*xml);
        int xf = 0;
        bool inCellXfs = false;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isEndElement() && x.name() == u"cellXfs")
                inCellXfs = false;
            if (!x.isStartElement())
                continue;
            if (x.name() == u"numFmt") {
                if (isDateFormatCode(x.attributes().value(QLatin1StringView("formatCode")).toString()))
                    dateFormats.insert(x.attributes().value(QLatin1StringView("numFmtId")).toInt());
            } else if (x.name() == u"cellXfs") {
                inCellXfs = true;
            } else if (inCellXfs && x.name() == u"xf") {
                const int id = x.attributes().value(QLatin1StringView("numFmtId")).toInt();
                if (isBuiltInDateFormat(id) || dateFormats.contains(id))
                    m_dateStyles.insert(xf);
                ++xf;
            }
        }
        if (x.hasError()) {
            *error = badPart(part, x);
            return false;
        }
        return true;
    }

    // The relationships of a part ("" for the package's own); the ids' parts
    // into `byId` when given.
    std::vector<Relationship> relationships(const QString &part, QString *error,
                                            QHash<QString, QString> *byId = nullptr)
    {
        std::vector<Relationship> out;
        const QString rels = relationshipsOf(part);
        if (zip_name_locate(m_zip, rels.toUtf8().constData(), 0) < 0)
            return out;  // a part without relationships
        const std::optional<QByteArray> xml = member(rels, error);
        if (!xml)
            return out;
        QXmlStreamReader x(*xml);
        const QString folder = folderOf(part);
        while (!x.atEnd()) {
            if (x.readNext() != QXmlStreamReader::StartElement || x.name() != u"Relationship")
                continue;
            const QXmlStreamAttributes a = x.attributes();
            if (a.value(QLatin1StringView("TargetMode")) == u"External")
                continue;
            const QString type = a.value(QLatin1StringView("Type")).toString();
            Relationship r{type.mid(type.lastIndexOf(u'/') + 1),
                           resolveTarget(folder, a.value(QLatin1StringView("Target")).toString())};
            if (byId)
                byId->insert(a.value(QLatin1StringView("Id")).toString(), r.target);
            out.push_back(std::move(r));
        }
        if (x.hasError())
            *error = badPart(rels, x);
        return out;
    }

    std::unique_ptr<MemberDevice> openMember(const QString &part, QString *error)
    {
        const QByteArray name = part.toUtf8();
        zip_stat_t st;
        zip_stat_init(&st);
        zip_file_t *file = nullptr;
        if (zip_stat(m_zip, name.constData(), 0, &st) == 0)
            file = zip_fopen(m_zip, name.constData(), 0);
        if (!file) {
            *error = QStringLiteral("工作簿缺少“%1”：").arg(part) +
                     QString::fromUtf8(zip_strerror(m_zip));
            return nullptr;
        }
        const qint64 size = (st.valid & ZIP_STAT_SIZE) ? qint64(st.size) : 0;
        return std::make_unique<MemberDevice>(file, size);
    }

    std::optional<QByteArray> member(const QString &part, QString *error)
    {
        std::unique_ptr<MemberDevice> device = openMember(part, error);
        if (!device)
            return std::nullopt;
        QByteArray data = device->readAll();
        if (!device->failure().isEmpty()) {
            *error = QStringLiteral("无法读取“%1”：").arg(part) + device->failure();
            return std::nullopt;
        }
        return data;
    }

    static QString badPart(const QString &part, const QXmlStreamReader &x)
    {
        return QStringLiteral("工作簿的“%1”有误（第%2行）：%3")
            .arg(part)
            .arg(x.lineNumber())
            .arg(x.errorString());
    }

    zip_t *m_zip;
    QStringList m_names;
    QStringList m_parts;
    QStringList m_strings;
    QSet<int> m_dateStyles;
    bool m_from1904 = false;
};

}  // namespace

std::unique_ptr<Workbook> openXlsx(const QString &path, QString *error)
{
    int code = 0;
    zip_t *zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!zip) {
        zip_error_t e;
        zip_error_init_with_code(&e, code);
        *error = QStringLiteral("文件不是可读的xlsx工作簿：") + QString::fromUtf8(zip_error_strerror(&e));
        zip_error_fini(&e);
        return nullptr;
    }
    auto book = std::make_unique<XlsxWorkbook>(zip);
    error->clear();
    if (!book->load(error))
        return nullptr;
    return book;
}

}  // namespace sheets
