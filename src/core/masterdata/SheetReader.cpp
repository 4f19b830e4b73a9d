#include "core/masterdata/SheetReader.h"

#include <QFile>

#include <cmath>

namespace sheets {

bool Cell::isBlank() const
{
    switch (type) {
    case Type::Blank:
        return true;
    case Type::Text:
        return text.trimmed().isEmpty();
    default:
        return false;
    }
}

QString Cell::asText() const
{
    switch (type) {
    case Type::Blank:
        return QString();
    case Type::Number:
        // Whole numbers as they are typed (telephone numbers, bar codes),
        // others with up to 15 significant digits, as a sheet shows them.
        if (std::isfinite(number) && number == std::trunc(number) && std::fabs(number) < 1e15)
            return QString::number(qint64(number));
        return QString::number(number, 'g', 15);
    default:
        return text;
    }
}

const Cell &Row::cell(int column) const
{
    static const Cell blank;
    return column >= 0 && size_t(column) < cells.size() ? cells[size_t(column)] : blank;
}

bool Row::isBlank() const
{
    for (const Cell &c : cells)
        if (!c.isBlank())
            return false;
    return true;
}

QString columnLetters(int column)
{
    QString letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

std::unique_ptr<Workbook> open(const QString &path, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("无法打开文件：") + f.errorString();
        return nullptr;
    }
    const QByteArray head = f.read(8);
    f.close();
    // An .xls workbook is a compound document; an .xlsx one a zip.
    static const QByteArray compound("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    if (head == compound)
        return openXls(path, error);
    if (head.startsWith("PK\x03\x04"))
        return openXlsx(path, error);
    *error = QStringLiteral("文件不是Excel工作簿（.xls或.xlsx）。");
    return nullptr;
}

}  // namespace sheets
