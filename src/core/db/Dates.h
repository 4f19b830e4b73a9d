#pragma once

#include <QDate>
#include <QString>

// Dates are stored and compared as texts "yyyy-mm-dd"; document numbers carry
// them as "yyyymmdd".
namespace dates {

QString toDbText(const QDate &d);       // "2014-01-05"
QString toCompactText(const QDate &d);  // "20140105"
// The stored form read back; an invalid QDate for any other text.
QDate fromDbText(const QString &text);

}  // namespace dates
