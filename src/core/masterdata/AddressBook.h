#pragma once

#include "core/common/Outcome.h"
#include "core/money/Decimal.h"
#include "core/db/Sql.h"
#include "core/lists/ListQuery.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// The shop's three address books: suppliers (ghs), customers (kh) and
// employees (yg). Each row has an automatic id (the order of entry), a name
// and further text columns; an employee also has a sex that must be given and
// a basic wage (a decimal). Documents and payments copy the name, so renaming
// or deleting a row leaves them as they were.
//
// Everything that writes to or reads from these tables for the windows is
// here: adding and editing with their checks, deleting, and the statements of
// the lists, the query dialogs and the pickers' search. Values are always
// bound, so names with an apostrophe work like any other.

// One line of a query dialog's statement.
struct QueryField {
    enum class When {
        Always,             // the line is always there (an empty text matches all)
        IfNotEmpty,         // only when the text is not empty
        IfTrimmedNotEmpty,  // only when the text, trimmed, is not empty
        Choice,             // a fixed list: its first item means "all", the others match exactly
    };
    QString column;
    When when = When::Always;
    QStringList choices;  // for Choice
};

struct AddressBook {
    QString table;
    QString nameColumn;
    // The columns the add/edit dialog writes, in the order of its fields.
    QStringList columns;
    // A column other than the name that must not be empty (the employee's sex).
    QString requiredColumn;
    // The decimal column (the employee's basic wage), written from its text.
    QString wageColumn;

    // The lines of the query dialog, in the order of its fields.
    std::vector<QueryField> queryFields;

    // The openers the picker serves, by their mode text.
    QStringList pickModes;
    // The mode in which the picker also hands over the address immediately
    // followed by the telephone (the wholesale document's remark).
    QString remarkMode;
    QString addressColumn;
    QString phoneColumn;

    // What a refused save says: an empty name, an empty required column and a
    // bad wage are put right ("提示"), a name already in the book is refused
    // ("警告").
    QString emptyName;
    QString emptyRequired;
    QString badWage;
    QString duplicateName;

    int columnIndex(const QString &column) const { return int(columns.indexOf(column)); }
};

namespace addressbook {

const AddressBook &suppliers();  // ghs
const AddressBook &customers();  // kh
const AddressBook &employees();  // yg

// A statement as the lines it is made of, with its values.
struct Query {
    QStringList lines;
    sql::Binds binds;
    QString statement() const { return lines.join(QLatin1Char('\n')); }
    // The statement as a list shows it: the lines before its closing order,
    // in the order of entry (by id).
    ListQuery list() const;
};

// The whole book in the order of entry.
Query listQuery(const AddressBook &book);
// The query dialog: one text per query field, in their order (a Choice
// field's text is the item chosen).
Query conditionQuery(const AddressBook &book, const QStringList &texts);
// The picker's search: the names containing the text, in the order of entry.
Query searchQuery(const AddressBook &book, const QString &text);

// A LIKE pattern matching the text anywhere, the text taken literally
// ("%" and "_" in it are not wildcards). Statements use ESCAPE '\'.
QString containsPattern(const QString &text);

enum class Check {
    Done,
    EmptyName,
    EmptyRequired,  // the required column (sex) is empty
    BadWage,        // the wage is not a number of at most two decimals, or negative
    Duplicate,
    Failed,         // the database failed; nothing was written
};

// A save's answer: its outcome (the book's message, the column whose field
// takes the focus), the row's id when done, and which check refused it.
struct Saved : ::Saved<QString> {
    Check check = Check::Done;
};

// The wage as it is stored: a text with more than two characters after its
// point is first rounded to the "0.00" form (ties to even), an empty text is
// 0. Invalid for anything else that is not a number, or a negative one.
Decimal wageValue(const QString &text);

// True when a row's name, both trimmed, equals the name (Latin letters
// without regard to case). Throws DbError.
bool nameTaken(const QSqlDatabase &db, const AddressBook &book, const QString &name);
// The statement of that check.
Query nameTakenQuery(const AddressBook &book, const QString &name);

// Adds a row from one text per column (book.columns), each stored trimmed,
// in one transaction. Refuses, in this order, an empty name, an empty
// required column, a bad wage and a name already in the book.
Saved add(const QSqlDatabase &db, const AddressBook &book, const QStringList &values);

// Rewrites a row the same way. The name may equal another row's: only adding
// checks for duplicates.
Saved update(const QSqlDatabase &db, const AddressBook &book, qint64 id,
             const QStringList &values);

// Deletes a row.
Outcome<QString> remove(const QSqlDatabase &db, const AddressBook &book, qint64 id);

// What the picker hands to its opener.
struct Choice {
    QString name;
    bool writesRemark = false;
    QString remark;  // the address immediately followed by the telephone
};

bool servesMode(const AddressBook &book, const QString &mode);
// The choice of a row (its fields read through `field`) for an opener in
// `mode`, which the book must serve.
Choice choiceFor(const AddressBook &book, const QString &mode,
                 const std::function<QString(const QString &column)> &field);

}  // namespace addressbook
