#pragma once

#include <QDate>
#include <QString>

class QSqlDatabase;

// Document numbers: prefix + the day the number was made ("yyyymmdd") + a
// three-digit daily serial, at most 999 per kind and entry day.
namespace numbering {

enum class Kind { Retail, Wholesale, Purchase, Movement };

QString prefix(Kind kind);       // "XSD", "PFD", "CGD", "YDD"
QString headerTable(Kind kind);  // "xsglz", "xsglz", "cgglz", "rkglz"

struct Result {
    enum Status {
        Made,        // `number` holds the new number
        DailyLimit,  // the day's 999th document exists: no number, the window closes
        Unchanged,   // a serial of 0 was read: the number field keeps its text
        Unreadable,  // the last number's serial is not three digits: no number
    };
    Status status = Unchanged;
    QString number;
};

QString dailyLimitMessage();  // "每天录入不可超过999单！"

// The serial rule: the number after serial s, made today.
Result afterSerial(Kind kind, int serial, const QDate &today);

// The number a new document starts with: after the highest number among the
// headers of this kind whose entry day is today. Throws DbError.
Result nextOfToday(const QSqlDatabase &db, Kind kind, const QDate &today);

// The number after the one just saved; reads no table.
Result nextAfterSave(Kind kind, const QString &savedNumber, const QDate &today);

}  // namespace numbering
