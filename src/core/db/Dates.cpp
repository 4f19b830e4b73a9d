#include "core/db/Dates.h"

namespace dates {

QString toDbText(const QDate &d)
{
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

QString toCompactText(const QDate &d)
{
    return d.toString(QStringLiteral("yyyyMMdd"));
}

QDate fromDbText(const QString &text)
{
    if (text.size() != 10)
        return QDate();
    return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}

}  // namespace dates
