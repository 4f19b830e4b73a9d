#pragma once

#include "core/lists/GridRows.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QSqlDatabase;

// The spreadsheet copy of a list grid, without the widgets: an .xlsx whose
// first row holds the visible column titles and whose following rows hold the
// cells as shown, trimmed, in the grid's current order. Every visible column
// is formatted as text, so codes keep their leading zeros; a hidden grid
// column leaves its spreadsheet column empty.
namespace sheetexport {

// The folder of exported sheets inside the program's directory.
QString folderIn(const QString &programDir);

// A new, empty file in `folder` named after `baseName` and the time, with a
// number added when that name is taken. The file is created to reserve the
// name. Returns an empty text when the folder or file cannot be made.
QString reserveFile(const QString &folder, const QString &baseName,
                    const QDateTime &now = QDateTime::currentDateTime());

// Called now and then with the number of rows written so far.
using Progress = std::function<void(int rowsWritten)>;

// The rows to write, a piece at a time in the order they are written: each
// call gives the next piece, its cells found by the columns' fields; an empty
// piece ends them.
using Pieces = std::function<Snapshot()>;
// Rows in a piece.
constexpr int PieceRows = 2000;

// The rows a worksheet holds, its title row included. A longer list goes on
// over as many further sheets as it needs ("Sheet2", ...), each beginning
// with the titles again.
constexpr int MaxSheetRows = 1048576;

// Writes the sheet of these grid columns to `path` (replacing the file),
// piece after piece, so that only one piece is held at a time; after
// `sheetRows` rows (the titles included) a new sheet begins. Returns an error
// text, or nothing on success.
std::optional<QString> write(const QString &path, const std::vector<GridColumn> &columns,
                             const Pieces &pieces, const Progress &progress = {},
                             int sheetRows = MaxSheetRows);

// The rows of a grid as shown. Rows at hand are written from memory, which is
// safe on a worker thread over a copy of them; a window's statement is walked
// in its order, a piece at a time, on `db`, which must be a connection of the
// thread that writes (the first form uses the window's own).
std::optional<QString> write(const QString &path, const GridRows &rows,
                             const Progress &progress = {});
std::optional<QString> write(const QString &path, const GridRows &rows, const QSqlDatabase &db,
                             const Progress &progress = {});

// The longest text a spreadsheet cell holds; longer texts are cut there.
constexpr int MaxCellLength = 32767;

}  // namespace sheetexport
