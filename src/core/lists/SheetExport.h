#pragma once

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

class GridRows;

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

// Writes the sheet to `path` (replacing the file). Returns an error text, or
// nothing on success. Safe to run on a worker thread over a copy of the rows.
std::optional<QString> write(const QString &path, const GridRows &rows,
                             const Progress &progress = {});

// The longest text a spreadsheet cell holds; longer texts are cut there.
constexpr int MaxCellLength = 32767;

}  // namespace sheetexport
