#include "core/lists/SheetExport.h"

#include "core/db/Snapshot.h"

#include <QDir>
#include <QFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace sheetexport {

namespace {

// Characters a file name may not carry on the desktops the sheet may travel to.
QString fileNameSafe(const QString &name)
{
    QString out;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(c))
            out += QLatin1Char('_');
        else
            out += c;
    }
    out = out.trimmed();
    return out.isEmpty() ? QStringLiteral("导出数据") : out;
}

QByteArray cellBytes(const QString &shown)
{
    QString text = shown.trimmed();
    if (text.size() > MaxCellLength) {
        int cut = MaxCellLength;
        if (text.at(cut - 1).isHighSurrogate())
            --cut;
        text.truncate(cut);
    }
    return text.toUtf8();
}

QString errorText(lxw_error e)
{
    return QString::fromUtf8(lxw_strerror(e));
}

// Screen pixels to the sheet's column width, roughly what the grid shows.
double sheetWidth(int pixels)
{
    return pixels > 0 ? std::max(4.0, (pixels - 5) / 7.0) : LXW_DEF_COL_WIDTH;
}

}  // namespace

QString folderIn(const QString &programDir)
{
    return QDir(programDir).filePath(QStringLiteral("导出数据"));
}

QString reserveFile(const QString &folder, const QString &baseName, const QDateTime &now)
{
    if (!QDir().mkpath(folder))
        return QString();
    const QString stem = fileNameSafe(baseName) + QLatin1Char('_') +
                         now.toString(QStringLiteral("yyyyMMdd_hhmmss"));
    for (int n = 1; n < 1000; ++n) {
        QString name = stem;
        if (n > 1)
            name += QLatin1Char('_') + QString::number(n);
        name += QStringLiteral(".xlsx");
        const QString path = QDir(folder).filePath(name);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return path;
        if (f.exists())
            continue;
        return QString();  // the folder refuses new files
    }
    return QString();
}

std::optional<QString> write(const QString &path, const std::vector<GridColumn> &columns,
                             const Pieces &pieces, const Progress &progress, int sheetRows)
{
    const QByteArray file = QFile::encodeName(path);
    // Rows go to disk as they are written, so memory stays flat for long lists.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *book = workbook_new_opt(file.constData(), &options);
    if (!book)
        return QStringLiteral("cannot start the workbook");
    lxw_format *asText = workbook_add_format(book);
    if (!asText) {
        workbook_close(book);
        return QStringLiteral("cannot start the worksheet");
    }
    format_set_num_format_index(asText, 49);  // the built-in text format "@"

    std::optional<QString> failure;
    auto check = [&failure](lxw_error e) {
        if (e != LXW_NO_ERROR && !failure)
            failure = errorText(e);
        return e == LXW_NO_ERROR;
    };

    std::vector<lxw_col_t> shown;
    for (size_t c = 0; c < columns.size(); ++c)
        if (!columns[c].hidden)
            shown.push_back(lxw_col_t(c));
    // A sheet with the column formats and the title row; its rows follow.
    lxw_worksheet *sheet = nullptr;
    const auto startSheet = [&]() {
        sheet = workbook_add_worksheet(book, nullptr);
        if (!sheet) {
            if (!failure)
                failure = QStringLiteral("cannot start the worksheet");
            return false;
        }
        for (lxw_col_t c : shown)
            check(worksheet_set_column(sheet, c, c, sheetWidth(columns[c].width), asText));
        for (lxw_col_t c : shown)
            check(worksheet_write_string(sheet, 0, c, cellBytes(columns[c].title).constData(),
                                         asText));
        return !failure;
    };
    if (!startSheet()) {
        workbook_close(book);
        return failure;
    }
    const int rowsPerSheet = std::max(1, sheetRows - 1);
    int onSheet = 0;  // rows written on the current sheet, below its titles

    int written = 0;
    std::vector<int> fields(shown.size());
    while (!failure) {
        Snapshot piece;
        try {
            piece = pieces();
        } catch (const DbError &e) {
            failure = e.message();
            break;
        }
        if (piece.rowCount() == 0)
            break;
        for (size_t i = 0; i < shown.size(); ++i)
            fields[i] = piece.columnIndex(columns[shown[i]].field);
        for (int r = 0; r < piece.rowCount() && !failure; ++r) {
            if (onSheet == rowsPerSheet) {
                if (!startSheet())
                    break;
                onSheet = 0;
            }
            const lxw_row_t row = lxw_row_t(++onSheet);
            for (size_t i = 0; i < shown.size(); ++i) {
                const QString cell = fields[i] < 0 ? QString() : piece.displayText(r, fields[i]);
                if (!check(worksheet_write_string(sheet, row, shown[i], cellBytes(cell).constData(),
                                                  asText)))
                    break;
            }
            ++written;
            if (progress && written % 2000 == 0)
                progress(written);
        }
    }

    const lxw_error closed = workbook_close(book);
    if (!failure && closed != LXW_NO_ERROR)
        failure = errorText(closed);
    if (!failure && progress)
        progress(written);
    return failure;
}

std::optional<QString> write(const QString &path, const GridRows &rows, const QSqlDatabase &db,
                             const Progress &progress)
{
    if (const std::shared_ptr<const std::vector<qint64>> keys = rows.sortedKeys()) {
        // The keys in the order shown, their rows read a piece at a time.
        size_t next = 0;
        return write(
            path, rows.columns(),
            [&] {
                // A piece whose rows have all gone meanwhile does not end the rest.
                Snapshot piece;
                while (piece.rowCount() == 0 && next < keys->size()) {
                    const size_t count = std::min(keys->size() - next, size_t(PieceRows));
                    piece = rows.query().rowsOfKeys(db, keys->data() + next, count);
                    next += count;
                }
                return piece;
            },
            progress);
    }
    if (rows.isWindowed()) {
        std::unique_ptr<SnapshotStream> stream;
        try {
            stream = std::make_unique<SnapshotStream>(
                db, rows.query().statement(rows.shownOrder()), rows.query().binds());
        } catch (const DbError &e) {
            return e.message();
        }
        return write(path, rows.columns(), [&stream] { return stream->next(PieceRows); }, progress);
    }
    int next = 0;
    return write(
        path, rows.columns(),
        [&rows, &next] {
            Snapshot piece = rows.shownRows(next, PieceRows);
            next += piece.rowCount();
            return piece;
        },
        progress);
}

std::optional<QString> write(const QString &path, const GridRows &rows, const Progress &progress)
{
    return write(path, rows, QSqlDatabase::database(rows.connectionName(), false), progress);
}

}  // namespace sheetexport
