#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

#include <optional>

// Reads back what the export wrote: the entries of an .xlsx (a zip of stored
// or deflated members) and the first worksheet's cells, their number formats
// and the formats of whole columns.
namespace xlsxread {

// Every member of the zip by name; nothing when the file is not a readable zip.
std::optional<QMap<QString, QByteArray>> unzip(const QString &path);

struct Sheet {
    QMap<QString, QString> cells;       // "B2" -> text
    QMap<QString, int> cellFormats;     // "B2" -> number format id
    QMap<int, int> columnFormats;       // 1-based column -> number format id
    int lastRow = 0;

    // A cell by 1-based row and column; empty when absent.
    QString cell(int row, int column) const;
    int cellFormat(int row, int column) const;  // -1 when the cell is absent
    static QString reference(int row, int column);
};

// The first worksheet; nothing when the file cannot be read.
std::optional<Sheet> readFirstSheet(const QString &path);

// The number format id Excel gives to "@" (text).
constexpr int TextFormat = 49;

}  // namespace xlsxread
