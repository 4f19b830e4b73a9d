#pragma once

#include "core/db/TextSearch.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QSqlDatabase;

// The shop database: its tables, their columns, and the making of a fresh one.
namespace schema {

enum class Kind {
    Counter,  // autoincrement key, order of entry
    Text,
    Decimal,  // Decimal stored as its scaled integer
    Date,     // text "yyyy-mm-dd"
    Key,      // integer reference to another table's counter
};

struct Column {
    const char *name;
    Kind kind;
};

struct Table {
    const char *name;
    std::vector<Column> columns;
};

const std::vector<Table> &tables();

// File name of the shop database in its directory.
inline QString databaseFileName() { return QStringLiteral("QLXData1.db"); }

// Stamped into every shop database this program makes, so that a file chosen
// for restoring can be recognised as one.
constexpr int ApplicationId = 0x56424c52;  // "VBLR"
// The version of what a file holds besides its tables (indexes, later
// additions), kept in the file and raised by upgrade():
//   1  the tables and look-up indexes of the first program
//   2  the goods indexes in name order (the PINYIN collation)
//   3  the goods index in code order (the same collation)
//   4  the document headers by state (with number, with entry) and by date
//   5  the indexes of the duplicate checks (texts compared without regard to case)
//   6  the text index of the goods search (name, code, category), with its triggers
//   7  the ledgers by article and by date with the columns their reports read
//   8  the approved purchase and sales documents with a balance
//   9  the goods by category with their stock (the inventory totals), the recipes by whole
constexpr int SchemaVersion = 9;

// The ledger indexes of version 7, and their names (a generator filling a
// fresh shop in bulk drops them first and makes them again at the end).
QStringList ledgerReportIndexes();
QStringList ledgerReportIndexNames();

// The text index the pickers search goods with: their name, code and category.
const textsearch::TextIndex &goodsTextIndex();

// The administrator of a fresh database and the password the login dialog names.
inline QString administratorName() { return QStringLiteral("系统管理员"); }
inline QString defaultAdministratorPassword() { return QStringLiteral("888"); }

// Creates tables, indexes and initial content on an open, empty connection, in
// one transaction. Returns an error text, or nothing on success.
std::optional<QString> createOn(const QSqlDatabase &db);

// Writes a fresh shop database at filePath. Refuses to touch an existing file.
std::optional<QString> createDatabaseFile(const QString &filePath);

// Brings a shop file of an older version up to SchemaVersion in one
// transaction: all of it or nothing. The connection needs the program's SQL
// functions. Returns an error text, or nothing on success (and for a file
// that is up to date).
std::optional<QString> upgrade(const QSqlDatabase &db);

// True when the open connection carries this program's stamp.
bool isShopDatabase(const QSqlDatabase &db);

// Whether the file at filePath is a shop database: an SQLite file carrying
// this program's stamp and holding every table of the shop. The file is read
// and never written (the stamp straight from its header, the tables through a
// read-only connection), so a file that is refused stays exactly as it was.
// Returns why it is refused, or nothing for a shop database.
std::optional<QString> checkShopFile(const QString &filePath);

}  // namespace schema
