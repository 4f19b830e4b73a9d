// Excel 97–2003 workbooks (.xls) through FreeXL.

#include "core/masterdata/SheetReader.h"

#include <QFile>

#include <freexl.h>

namespace sheets {

namespace {

QString freexlError(int code)
{
    switch (code) {
    case FREEXL_FILE_NOT_FOUND:
        return QStringLiteral("文件不存在。");
    case FREEXL_INSUFFICIENT_MEMORY:
        return QStringLiteral("内存不足。");
    case FREEXL_INVALID_CHARACTER:
    case FREEXL_UNSUPPORTED_CHARSET:
        return QStringLiteral("工作簿的文字编码无法读取。");
    default:
        return QStringLiteral("文件已损坏或不是Excel 97-2003工作簿（错误代码 %1）。").arg(code);
    }
}

class XlsWorkbook final : public Workbook
{
public:
    explicit XlsWorkbook(const void *handle) : m_handle(handle) {}
    ~XlsWorkbook() override { freexl_close(m_handle); }

    bool load(QString *error)
    {
        unsigned int value = 0;
        if (freexl_get_info(m_handle, FREEXL_BIFF_PASSWORD, &value) == FREEXL_OK &&
            value == FREEXL_BIFF_OBFUSCATED) {
            *error = QStringLiteral("工作簿有密码保护，无法读取。");
            return false;
        }
        unsigned int count = 0;
        if (const int rc = freexl_get_info(m_handle, FREEXL_BIFF_SHEET_COUNT, &count);
            rc != FREEXL_OK) {
            *error = freexlError(rc);
            return false;
        }
        for (unsigned int i = 0; i < count; ++i) {
            const char *name = nullptr;
            if (const int rc = freexl_get_worksheet_name(m_handle, static_cast<unsigned short>(i), &name);
                rc != FREEXL_OK) {
                *error = freexlError(rc);
                return false;
            }
            m_names << QString::fromUtf8(name ? name : "");
        }
        return true;
    }

    QStringList sheetNames() const override { return m_names; }

    bool readSheet(int index, const std::function<bool(const Row &)> &take,
                   QString *error) override
    {
        if (index < 0 || index >= m_names.size()) {
            *error = QStringLiteral("工作表不存在。");
            return false;
        }
        unsigned int rows = 0;
        unsigned short columns = 0;
        int rc = freexl_select_active_worksheet(m_handle, static_cast<unsigned short>(index));
        if (rc == FREEXL_OK)
            rc = freexl_worksheet_dimensions(m_handle, &rows, &columns);
        if (rc != FREEXL_OK) {
            *error = freexlError(rc);
            return false;
        }
        Row row;
        for (unsigned int r = 0; r < rows; ++r) {
            row.number = int(r) + 1;
            row.cells.assign(columns, Cell());
            int last = -1;
            for (unsigned short c = 0; c < columns; ++c) {
                FreeXL_CellValue v;
                rc = freexl_get_cell_value(m_handle, r, c, &v);
                if (rc != FREEXL_OK) {
                    *error = QStringLiteral("第%1行第%2列：").arg(r + 1).arg(columnLetters(c)) +
                             freexlError(rc);
                    return false;
                }
                Cell &cell = row.cells[c];
                switch (v.type) {
                case FREEXL_CELL_INT:
                    cell = Cell::ofNumber(v.value.int_value);
                    break;
                case FREEXL_CELL_DOUBLE:
                    cell = Cell::ofNumber(v.value.double_value);
                    break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME:
                    cell = Cell::ofText(QString::fromUtf8(v.value.text_value ? v.value.text_value : ""));
                    break;
                default:
                    continue;
                }
                last = c;
            }
            if (last < 0)
                continue;
            row.cells.resize(size_t(last) + 1);
            row.progress = double(r + 1) / rows;
            if (!take(row))
                return true;
        }
        return true;
    }

private:
    const void *m_handle;
    QStringList m_names;
};

}  // namespace

std::unique_ptr<Workbook> openXls(const QString &path, QString *error)
{
    const void *handle = nullptr;
    const int rc = freexl_open(QFile::encodeName(path).constData(), &handle);
    if (rc != FREEXL_OK) {
        if (handle)
            freexl_close(handle);
        *error = freexlError(rc);
        return nullptr;
    }
    auto book = std::make_unique<XlsWorkbook>(handle);
    if (!book->load(error))
        return nullptr;
    return book;
}

}  // namespace sheets
