#include "core/db/Numbering.h"

#include "core/db/Dates.h"
#include "core/db/Sql.h"

namespace numbering {

namespace {

Result serialOf(Kind kind, const QString &number, const QDate &today)
{
    const QStringView digits = QStringView(number).mid(11, 3);
    bool ok = digits.size() == 3;
    for (QChar c : digits)
        ok = ok && c.isDigit() && c.unicode() < 128;
    if (!ok)
        return {Result::Unreadable, QString()};
    return afterSerial(kind, digits.toInt(), today);
}

}  // namespace

QString prefix(Kind kind)
{
    switch (kind) {
    case Kind::Retail:
        return QStringLiteral("XSD");
    case Kind::Wholesale:
        return QStringLiteral("PFD");
    case Kind::Purchase:
        return QStringLiteral("CGD");
    case Kind::Movement:
        return QStringLiteral("YDD");
    }
    return QString();
}

QString headerTable(Kind kind)
{
    switch (kind) {
    case Kind::Retail:
    case Kind::Wholesale:
        return QStringLiteral("xsglz");
    case Kind::Purchase:
        return QStringLiteral("cgglz");
    case Kind::Movement:
        return QStringLiteral("rkglz");
    }
    return QString();
}

QString dailyLimitMessage()
{
    return QStringLiteral("每天录入不可超过999单！");
}

Result afterSerial(Kind kind, int serial, const QDate &today)
{
    if (serial >= 999)
        return {Result::DailyLimit, QString()};
    if (serial < 1)
        return {Result::Unchanged, QString()};
    return {Result::Made, prefix(kind) + dates::toCompactText(today) +
                              QStringLiteral("%1").arg(serial + 1, 3, 10, QChar(u'0'))};
}

Result nextOfToday(const QSqlDatabase &db, Kind kind, const QDate &today)
{
    // Retail and wholesale share one header table and count apart by prefix.
    const QVariant last = sql::scalar(
        db,
        QStringLiteral("SELECT dh FROM ") + headerTable(kind) +
            QStringLiteral(" WHERE kdrq = ? AND substr(dh, 1, 3) = ? ORDER BY dh DESC LIMIT 1"),
        {dates::toDbText(today), prefix(kind)});
    if (!last.isValid())
        return {Result::Made, prefix(kind) + dates::toCompactText(today) + QStringLiteral("001")};
    return serialOf(kind, last.toString(), today);
}

Result nextAfterSave(Kind kind, const QString &savedNumber, const QDate &today)
{
    return serialOf(kind, savedNumber, today);
}

}  // namespace numbering
