#pragma once

#include "core/common/Outcome.h"

#include <QString>

#include <functional>
#include <vector>

class QSqlDatabase;

// Goods, suppliers, customers and employees copied from a spreadsheet that a
// shop filled in after one of the program's templates.
//
// The data is on the worksheet "Sheet1" of an .xls or .xlsx workbook; its
// first row holds the column titles, each further row is one record. Every
// title of the table must be there (in any order); columns with other titles
// are ignored. The import is all or nothing: one transaction, and the first
// cell that cannot be taken stops it with the row and column it is in.
//
//  - Texts are stored as the sheet has them; a number in a text column as a
//    spreadsheet shows it (13800138000). A number column takes numbers, and
//    texts that read as one ("12.5"); a blank cell is 0; more than four
//    decimals are rounded to four, ties to even. Anything else fails.
//  - Rows whose cells are all blank are skipped.
//  - Suppliers, customers and employees: a row with a blank name is skipped,
//    and so is one whose name is already in the table (the same name as the
//    add dialog's check: trimmed, Latin letters without regard to case), also
//    when an earlier row of the same sheet brought it.
//  - Goods: every row is inserted, as written (the stock value too); an empty
//    code is filled with the pinyin code of the name.
namespace sheetimport {

struct Column {
    QString title;   // on the sheet's first row
    QString column;  // in the table
    bool decimal = false;
};

struct Target {
    QString table;        // "sp", "ghs", "kh", "yg"
    QString caption;      // the import dialog's caption
    QString templateName; // the template's file name, without its extension
    QString nameColumn;   // the name whose duplicates are skipped; empty for goods
    std::vector<Column> columns;
};

const Target &goods();
const Target &suppliers();
const Target &customers();
const Target &employees();

// The folder of the templates beside the program: "数据导入模版".
QString templateFolder(const QString &programDir);
// The template of a target (the .xls the shop is given to fill in).
QString templatePath(const QString &programDir, const Target &target);

// What an import did. On failure, the message reads "批量导入失败!" and then
// what failed and where, and nothing was inserted.
struct Imported : ::Outcome<QString> {
    int inserted = 0;
    int skipped = 0;  // rows left out: a blank name, a name already there
};

// Told now and then how far the import is, from 0 to 1000.
using Progress = std::function<void(int permille)>;

// The failure's first line.
QString failureText();

Imported importFile(const QSqlDatabase &db, const Target &target, const QString &path,
                    const Progress &progress = {});

}  // namespace sheetimport
