#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

// Reading the cells of a spreadsheet, row by row: Excel 97–2003 workbooks
// (.xls, through FreeXL) and Office Open XML workbooks (.xlsx, a zip of XML
// parts, through libzip and QXmlStreamReader). Which of the two a file is, is
// told by its first bytes, not by its name.
namespace sheets {

struct Cell {
    enum class Type : unsigned char {
        Blank,    // no value
        Text,     // text, also a date or time (as "yyyy-mm-dd", "hh:mm:ss")
        Number,
        Boolean,  // text "TRUE" or "FALSE", number 1 or 0
        Error,    // a formula's error ("#N/A"), as text
    };
    Type type = Type::Blank;
    double number = 0;
    QString text;

    static Cell ofText(const QString &text) { return {Type::Text, 0, text}; }
    static Cell ofNumber(double value) { return {Type::Number, value, QString()}; }

    // No value, or a text of nothing but spaces.
    bool isBlank() const;
    // The cell as a text: a number in the shortest form that gives it back
    // (13800138000, 1.5, 0.1), at most 15 significant digits as a
    // spreadsheet shows it.
    QString asText() const;
};

// One row of a sheet: its 1-based number and its cells from column A on (a
// column past the last cell given is blank).
struct Row {
    int number = 0;
    std::vector<Cell> cells;
    // How much of the sheet has been read with this row, 0 to 1.
    double progress = 0;

    const Cell &cell(int column) const;  // 0-based; a blank cell past the end
    bool isBlank() const;                // every cell blank
};

// "A", "B", ... "Z", "AA": the letters of a 0-based column.
QString columnLetters(int column);

// An opened workbook.
class Workbook
{
public:
    virtual ~Workbook() = default;

    // The names of the worksheets, in the workbook's order.
    virtual QStringList sheetNames() const = 0;

    // Hands the rows of the worksheet `index` to `take`, in order, skipping
    // rows that hold no cell at all; stops when `take` answers false. False
    // when the sheet cannot be read to its end, with what went wrong in
    // `error` (rows already handed over were read as they stand).
    virtual bool readSheet(int index, const std::function<bool(const Row &)> &take,
                           QString *error) = 0;
};

// Opens a workbook of either kind. Nothing, with the reason in `error`,
// when the file cannot be read or is neither kind of spreadsheet.
std::unique_ptr<Workbook> open(const QString &path, QString *error);

// The two kinds; open() chooses between them.
std::unique_ptr<Workbook> openXls(const QString &path, QString *error);
std::unique_ptr<Workbook> openXlsx(const QString &path, QString *error);

}  // namespace sheets
