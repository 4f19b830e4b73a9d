#include "core/db/Schema.h"

#include "core/admin/Permissions.h"
#include "core/db/Sql.h"
#include "core/db/SqlFunctions.h"
#include "core/db/TextSearch.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QUuid>

#include <iterator>

#include <sqlite3.h>

namespace schema {

namespace {

constexpr Kind C = Kind::Counter;
constexpr Kind T = Kind::Text;
constexpr Kind D = Kind::Decimal;
constexpr Kind R = Kind::Date;
constexpr Kind K = Kind::Key;

// The columns shared by the three document header tables, with the partner
// column and the money columns that differ between them.
std::vector<Column> headerColumns(const char *partner, bool withMoney, const char *due,
                                  const char *settled)
{
    std::vector<Column> cols{{"id", C},   {"dh", T},      {"rq", R},   {"kdrq", R},
                             {partner, T}, {"jsr", T},    {"hjsl", D}, {"hjje", D}};
    if (withMoney) {
        cols.push_back({"yhe", D});
        cols.push_back({due, D});
        cols.push_back({settled, D});
        cols.push_back({"qk", D});
    }
    cols.insert(cols.end(), {{"bz", T}, {"shbj", T}, {"zhidan", T}});
    return cols;
}

std::vector<Column> lineColumns(bool withCost)
{
    std::vector<Column> cols{{"id", C},   {"dh", T}, {"bj", T}, {"txm", T}, {"ppgg", T},
                             {"dw", T},   {"sl", D}, {"jg", D}, {"je", D}};
    if (withCost)
        cols.insert(cols.end(), {{"cbjg", D}, {"cbje", D}, {"maoli", D}});
    return cols;
}

std::vector<Column> ledgerColumns(const char *partner, bool withCost)
{
    std::vector<Column> cols{{"id", C},  {"dh", T},  {"rq", R},  {partner, T}, {"jsr", T},
                             {"txm", T}, {"ppgg", T}, {"dw", T}, {"sl", D},    {"jg", D},
                             {"je", D}};
    if (withCost)
        cols.insert(cols.end(), {{"cbjg", D}, {"cbje", D}, {"maoli", D}});
    return cols;
}

std::vector<Column> moneyColumns(const char *partner)
{
    return {{"id", C}, {"rq", R},  {"dh", T}, {partner, T},
            {"je", D}, {"jsr", T}, {"bz", T}, {"shbj", T}};
}

std::vector<Column> partnerColumns()
{
    return {{"id", C},   {"mc", T},   {"lxr", T},  {"lxdh", T}, {"lxcz", T},
            {"lxdz", T}, {"yb", T},   {"yhmc", T}, {"yhzh", T}, {"bz", T}};
}

std::vector<Table> makeTables()
{
    return {
        {"yhsz", {{"yhmc", T}, {"yhmm", T}}},
        {"quanxian", {{"yh", T}, {"qx", T}}},
        {"danwei",
         {{"mczc", T}, {"mcdy", T}, {"lxr", T}, {"dh", T}, {"cz", T}, {"dz", T}, {"bz1", T},
          {"bz2", T}, {"bz3", T}, {"bz4", T}}},
        {"sp",
         {{"id", C}, {"lb", T}, {"txm", T}, {"ppgg", T}, {"dw", T}, {"jj", D}, {"xjpf", D},
          {"xjls", D}, {"kcsl", D}, {"kcjg", D}, {"kcje", D}, {"slt", D}, {"jet", D}, {"ms", T},
          {"bz", T}}},
        {"lb", {{"id", C}, {"lb", T}}},
        {"dw", {{"id", C}, {"dw", T}}},
        {"ghs", partnerColumns()},
        {"kh", partnerColumns()},
        {"yg",
         {{"id", C}, {"xm", T}, {"xb", T}, {"zw", T}, {"bm", T}, {"dh", T}, {"dz", T},
          {"jbgz", D}, {"sfz", T}, {"bz", T}}},
        {"rklx", {{"id", C}, {"lx", T}}},
        {"szxm", {{"id", C}, {"lb", T}, {"xm", T}}},
        {"xsglz", headerColumns("kh", true, "yse", "sse")},
        {"cgglz", headerColumns("ghs", true, "yfe", "sfe")},
        {"rkglz", headerColumns("lx", false, nullptr, nullptr)},
        {"xsglc", lineColumns(true)},
        {"cgglc", lineColumns(false)},
        {"rkglc", lineColumns(false)},
        {"xsfx", ledgerColumns("kh", true)},
        {"cgfx", ledgerColumns("ghs", false)},
        {"rkfx", ledgerColumns("lx", false)},
        {"skfx", moneyColumns("kh")},
        {"fkfx", moneyColumns("ghs")},
        {"szfx",
         {{"id", C}, {"rq", R}, {"lb", T}, {"xm", T}, {"se", D}, {"ze", D}, {"jsr", T},
          {"bz", T}}},
        {"zu", {{"id", C}, {"spid1", K}, {"spid2", K}, {"xs", D}, {"sl", D}}},
        {"chai", {{"id", C}, {"spid1", K}, {"spid2", K}, {"xs", D}, {"sl", D}}},
        {"cghz",
         {{"fenzu", T}, {"txm", T}, {"ppgg", T}, {"dw", T}, {"zsl", D}, {"zje", D}}},
        {"xshz",
         {{"fenzu", T}, {"txm", T}, {"ppgg", T}, {"dw", T}, {"zsl", D}, {"zje", D},
          {"zcb", D}, {"zmaoli", D}}},
        {"rkhz",
         {{"fenzu", T}, {"txm", T}, {"ppgg", T}, {"dw", T}, {"zsl", D}, {"zje", D}}},
        {"xstj3", {{"yuangong", T}, {"sltc", D}, {"jetc", D}, {"ztc", D}}},
        {"kctj",
         {{"txm", T}, {"ppgg", T}, {"dw", T}, {"cgsl", D}, {"cgje", D}, {"xssl", D},
          {"xsje", D}, {"rksl", D}, {"rkje", D}, {"ysl", D}, {"yje", D}}},
    };
}

QString columnDdl(const Column &c)
{
    const QString name = QString::fromLatin1(c.name);
    switch (c.kind) {
    case Kind::Counter:
        return name + QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT");
    case Kind::Key:
    case Kind::Decimal:
        return name + QStringLiteral(" INTEGER NOT NULL DEFAULT 0");
    case Kind::Text:
    case Kind::Date:
        return name + QStringLiteral(" TEXT NOT NULL DEFAULT ''");
    }
    return name;
}

// The goods in the lists' order, by name (the PINYIN collation) and then by
// entry: the goods list and the pickers walk it instead of sorting the whole
// catalogue. It carries the columns their filters test (code, category,
// stock), so a search reads only the index and fetches just the rows found.
const char kGoodsByName[] =
    "CREATE INDEX IF NOT EXISTS sp_name ON sp(ppgg COLLATE PINYIN, id, txm, lb, kcsl)";
// A category's goods in the same order, for a click on the category tree.
const char kGoodsByCategory[] =
    "CREATE INDEX IF NOT EXISTS sp_lb_name ON sp(lb, ppgg COLLATE PINYIN)";
// The goods in code order (the same collation, then by entry), for a click on
// the code title of a long list.
const char kGoodsByCode[] = "CREATE INDEX IF NOT EXISTS sp_code ON sp(txm COLLATE PINYIN)";

// The management lists: the held documents by number (the list a management
// window opens with), the documents of one state in the order of entry (a
// query by state), and the headers of a date range.
const char *const kDocumentLists[] = {
    "CREATE INDEX IF NOT EXISTS xsglz_state ON xsglz(shbj, dh)",
    "CREATE INDEX IF NOT EXISTS cgglz_state ON cgglz(shbj, dh)",
    "CREATE INDEX IF NOT EXISTS rkglz_state ON rkglz(shbj, dh)",
    "CREATE INDEX IF NOT EXISTS xsglz_state_id ON xsglz(shbj, id)",
    "CREATE INDEX IF NOT EXISTS cgglz_state_id ON cgglz(shbj, id)",
    "CREATE INDEX IF NOT EXISTS rkglz_state_id ON rkglz(shbj, id)",
    "CREATE INDEX IF NOT EXISTS xsglz_rq ON xsglz(rq)",
    "CREATE INDEX IF NOT EXISTS cgglz_rq ON cgglz(rq)",
    "CREATE INDEX IF NOT EXISTS rkglz_rq ON rkglz(rq)",
};

QStringList documentListIndexes()
{
    QStringList all;
    for (const char *ddl : kDocumentLists)
        all << QString::fromLatin1(ddl);
    return all;
}

// The duplicate checks compare without regard to case (an article by name,
// code and unit; a supplier, customer or employee by the trimmed name): these
// indexes answer them without reading the table.
QString goodsIdentityIgnoringCase()
{
    using textsearch::ignoringCaseKey;
    return QStringLiteral("CREATE INDEX IF NOT EXISTS sp_identity_nocase ON sp(") +
           ignoringCaseKey(QStringLiteral("ppgg")) + QStringLiteral(", ") +
           ignoringCaseKey(QStringLiteral("txm")) + QStringLiteral(", ") +
           ignoringCaseKey(QStringLiteral("dw")) + QStringLiteral(")");
}

QString nameIgnoringCase(const char *table, const char *column)
{
    const QString t = QString::fromLatin1(table);
    const QString c = QString::fromLatin1(column);
    return QStringLiteral("CREATE INDEX IF NOT EXISTS ") + t + u'_' + c +
           QStringLiteral("_nocase ON ") + t + u'(' +
           textsearch::ignoringCaseKey(QStringLiteral("trim(") + c + u')') + u')';
}

// The inventory list's totals of a category (or of every article) read from
// an index alone, and a whole's recipe rows.
const char *const kStockIndexes[] = {
    "CREATE INDEX IF NOT EXISTS sp_lb_stock ON sp(lb, kcsl, kcje)",
    "CREATE INDEX IF NOT EXISTS zu_whole ON zu(spid1, spid2)",
    "CREATE INDEX IF NOT EXISTS chai_whole ON chai(spid1, spid2)",
};

QStringList stockIndexes()
{
    QStringList all;
    for (const char *ddl : kStockIndexes)
        all << QString::fromLatin1(ddl);
    return all;
}

QStringList duplicateCheckIndexes()
{
    return {goodsIdentityIgnoringCase(), nameIgnoringCase("ghs", "mc"),
            nameIgnoringCase("kh", "mc"), nameIgnoringCase("yg", "xm")};
}


// The payables and receivables lists and the document chooser: the approved
// documents with a balance, a small part of all documents, in the order of
// entry. The condition is the one their statements name; PostgreSQL takes
// partial indexes in the same words. The state leads, as in the index of all
// documents by state and entry: without statistics SQLite then takes the
// partial index, which it knows to hold fewer rows (a wider one it would
// leave for the narrower index of all documents).
QStringList owedDocumentIndexes()
{
    // The same documents by partner answer the count and the sum of one
    // partner's documents (the chooser, a query by name) from the index alone.
    return {QStringLiteral("CREATE INDEX IF NOT EXISTS cgglz_owed ON cgglz(shbj, id, qk)"
                           " WHERE shbj = '已审核' AND qk <> 0"),
            QStringLiteral("CREATE INDEX IF NOT EXISTS xsglz_owed ON xsglz(shbj, id, qk)"
                           " WHERE shbj = '已审核' AND qk <> 0"),
            QStringLiteral("CREATE INDEX IF NOT EXISTS cgglz_owed_partner ON cgglz(shbj, ghs, id, qk)"
                           " WHERE shbj = '已审核' AND qk <> 0"),
            QStringLiteral("CREATE INDEX IF NOT EXISTS xsglz_owed_partner ON xsglz(shbj, kh, id, qk)"
                           " WHERE shbj = '已审核' AND qk <> 0")};
}

// The look-ups the windows make: goods by code and by their identity, lines,
// ledgers and money rows by document number, headers by number and entry day,
// ledgers by date.
const char *const kIndexes[] = {
    kGoodsByName,
    kGoodsByCategory,
    kGoodsByCode,
    "CREATE INDEX sp_txm ON sp(txm)",
    "CREATE INDEX sp_identity ON sp(ppgg, txm, dw)",
    "CREATE INDEX xsglz_dh ON xsglz(dh)",
    "CREATE INDEX xsglz_kdrq ON xsglz(kdrq, dh)",
    "CREATE INDEX cgglz_dh ON cgglz(dh)",
    "CREATE INDEX cgglz_kdrq ON cgglz(kdrq, dh)",
    "CREATE INDEX rkglz_dh ON rkglz(dh)",
    "CREATE INDEX rkglz_kdrq ON rkglz(kdrq, dh)",
    "CREATE INDEX xsglc_dh ON xsglc(dh)",
    "CREATE INDEX cgglc_dh ON cgglc(dh)",
    "CREATE INDEX rkglc_dh ON rkglc(dh)",
    "CREATE INDEX xsfx_dh ON xsfx(dh)",
    "CREATE INDEX xsfx_rq ON xsfx(rq)",
    "CREATE INDEX cgfx_dh ON cgfx(dh)",
    "CREATE INDEX cgfx_rq ON cgfx(rq)",
    "CREATE INDEX rkfx_dh ON rkfx(dh)",
    "CREATE INDEX rkfx_rq ON rkfx(rq)",
    "CREATE INDEX skfx_dh ON skfx(dh)",
    "CREATE INDEX skfx_rq ON skfx(rq)",
    "CREATE INDEX fkfx_dh ON fkfx(dh)",
    "CREATE INDEX fkfx_rq ON fkfx(rq)",
    "CREATE INDEX szfx_rq ON szfx(rq)",
    "CREATE INDEX quanxian_yh ON quanxian(yh, qx)",
};

void insertStarterRows(const QSqlDatabase &db)
{
    sql::exec(db, QStringLiteral("INSERT INTO yhsz (yhmc, yhmm) VALUES (?, ?)"),
              {administratorName(), defaultAdministratorPassword()});
    for (const QString &qx : permissions::all())
        sql::exec(db, QStringLiteral("INSERT INTO quanxian (yh, qx) VALUES (?, ?)"),
                  {administratorName(), qx});

    sql::exec(db,
              QStringLiteral("INSERT INTO danwei (mczc, mcdy, lxr, dh, cz, dz, bz1, bz2, bz3, bz4)"
                             " VALUES (?, ?, '', '', '', '', '', '', ?, ?)"),
              {QStringLiteral("五金商行"), QStringLiteral("五金商行"),
               QStringLiteral("货物当面点清，售出商品凭此单退换。"),
               QStringLiteral("谢谢惠顾，欢迎再次光临！")});

    const QStringList categories{
        QStringLiteral("五金工具"), QStringLiteral("紧固件"),   QStringLiteral("水暖管件"),
        QStringLiteral("电工电料"), QStringLiteral("门窗五金"), QStringLiteral("建筑五金"),
        QStringLiteral("焊接材料"), QStringLiteral("油漆涂料"), QStringLiteral("劳保用品"),
        QStringLiteral("电动工具")};
    for (const QString &lb : categories)
        sql::exec(db, QStringLiteral("INSERT INTO lb (lb) VALUES (?)"), {lb});

    const QStringList units{
        QStringLiteral("个"), QStringLiteral("只"), QStringLiteral("把"), QStringLiteral("套"),
        QStringLiteral("件"), QStringLiteral("盒"), QStringLiteral("包"), QStringLiteral("箱"),
        QStringLiteral("根"), QStringLiteral("米"), QStringLiteral("卷"), QStringLiteral("张"),
        QStringLiteral("块"), QStringLiteral("片"), QStringLiteral("副"), QStringLiteral("对"),
        QStringLiteral("台"), QStringLiteral("桶"), QStringLiteral("袋"), QStringLiteral("公斤")};
    for (const QString &dw : units)
        sql::exec(db, QStringLiteral("INSERT INTO dw (dw) VALUES (?)"), {dw});

    const QStringList reasons{QStringLiteral("盘盈"), QStringLiteral("盘亏"),
                              QStringLiteral("报损"), QStringLiteral("赠送"),
                              QStringLiteral("自用"), QStringLiteral("调拨")};
    for (const QString &lx : reasons)
        sql::exec(db, QStringLiteral("INSERT INTO rklx (lx) VALUES (?)"), {lx});

    const QString income = QStringLiteral("收入");
    const QString expense = QStringLiteral("支出");
    const std::pair<QString, QString> items[] = {
        {income, QStringLiteral("废品回收")}, {income, QStringLiteral("加工服务")},
        {income, QStringLiteral("其他收入")}, {expense, QStringLiteral("房租")},
        {expense, QStringLiteral("水电费")},  {expense, QStringLiteral("员工工资")},
        {expense, QStringLiteral("运杂费")},  {expense, QStringLiteral("通讯费")},
        {expense, QStringLiteral("税费")},    {expense, QStringLiteral("其他支出")}};
    for (const auto &[lb, xm] : items)
        sql::exec(db, QStringLiteral("INSERT INTO szxm (lb, xm) VALUES (?, ?)"), {lb, xm});
}

// What a file of an older version lacks, step by step: each step brings a
// file from the version before it to its own. Statements are safe to run on a
// file that already has what they make.
struct Upgrade {
    int version;
    QStringList statements;
};

const std::vector<Upgrade> &upgrades()
{
    static const std::vector<Upgrade> steps = {
        {2, {QString::fromLatin1(kGoodsByName), QStringLiteral("DROP INDEX IF EXISTS sp_lb"),
             QString::fromLatin1(kGoodsByCategory)}},
        {3, {QString::fromLatin1(kGoodsByCode)}},
        {4, documentListIndexes()},
        {5, duplicateCheckIndexes()},
        {6, textsearch::creation(goodsTextIndex())},
        {7, ledgerReportIndexes()},
        {8, owedDocumentIndexes()},
        {9, stockIndexes()},
    };
    return steps;
}

// The version stamp of a file: SQLite keeps it in the file's header.
int storedVersion(const QSqlDatabase &db)
{
    return sql::scalar(db, QStringLiteral("PRAGMA user_version")).toInt();
}

void storeVersion(const QSqlDatabase &db, int version)
{
    sql::exec(db, QStringLiteral("PRAGMA user_version = %1").arg(version));
}

}  // namespace

// The ledger reports: the rows of one article (the drill-down of a statistics
// row, the per-article joins of the commissions and the stock statistics), and
// the rows of a date range with every column the detail sums and the grouped
// statistics read, so a year's statistics walk the index and not the table.
QStringList ledgerReportIndexes()
{
    return {
        QStringLiteral("CREATE INDEX IF NOT EXISTS xsfx_goods ON xsfx(txm, ppgg, dw, rq)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS cgfx_goods ON cgfx(txm, ppgg, dw, rq)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS rkfx_goods ON rkfx(txm, ppgg, dw, rq)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS xsfx_rq_rows ON xsfx(rq, txm, ppgg, dw, kh, jsr,"
                       " sl, je, cbje, maoli)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS cgfx_rq_rows ON cgfx(rq, txm, ppgg, dw, ghs, jsr,"
                       " sl, je)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS rkfx_rq_rows ON rkfx(rq, txm, ppgg, dw, lx, jsr,"
                       " sl, je)"),
    };
}

QStringList ledgerReportIndexNames()
{
    QStringList names;
    for (const QString &ddl : ledgerReportIndexes())
        names << ddl.section(u' ', 5, 5);
    return names;
}

const textsearch::TextIndex &goodsTextIndex()
{
    static const textsearch::TextIndex index{
        QStringLiteral("sp_search"),
        QStringLiteral("sp"),
        {QStringLiteral("ppgg"), QStringLiteral("txm"), QStringLiteral("lb")}};
    return index;
}

const std::vector<Table> &tables()
{
    static const std::vector<Table> all = makeTables();
    return all;
}

std::optional<QString> createOn(const QSqlDatabase &db)
{
    try {
        Transaction tx(db);
        for (const Table &t : tables()) {
            QStringList cols;
            for (const Column &c : t.columns)
                cols << columnDdl(c);
            sql::exec(db, QStringLiteral("CREATE TABLE ") + QString::fromLatin1(t.name) +
                              QStringLiteral(" (") + cols.join(QStringLiteral(", ")) +
                              QStringLiteral(")"));
        }
        for (const char *ddl : kIndexes)
            sql::exec(db, QString::fromLatin1(ddl));
        for (const QString &ddl : documentListIndexes() + duplicateCheckIndexes() +
                                      textsearch::creation(goodsTextIndex()) +
                                      ledgerReportIndexes() + owedDocumentIndexes() + stockIndexes())
            sql::exec(db, ddl);
        insertStarterRows(db);
        sql::exec(db, QStringLiteral("PRAGMA application_id = %1").arg(ApplicationId));
        storeVersion(db, SchemaVersion);
        tx.commit();
    } catch (const DbError &e) {
        return e.message();
    }
    return std::nullopt;
}

std::optional<QString> createDatabaseFile(const QString &filePath)
{
    if (QFileInfo::exists(filePath))
        return QStringLiteral("文件已存在：") + filePath;
    const QString name = QStringLiteral("create-") + QUuid::createUuid().toString();
    std::optional<QString> error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(filePath);
        if (!db.open())
            error = db.lastError().text();
        else if (!registerSqlFunctions(db))
            error = QStringLiteral("cannot register the SQL functions");
        else
            error = createOn(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (error)
        QFile::remove(filePath);
    return error;
}

std::optional<QString> upgrade(const QSqlDatabase &db)
{
    try {
        const int from = storedVersion(db);
        if (from >= SchemaVersion)
            return std::nullopt;
        Transaction tx(db);
        for (const Upgrade &step : upgrades()) {
            if (step.version <= from)
                continue;
            for (const QString &statement : step.statements)
                sql::exec(db, statement);
        }
        storeVersion(db, SchemaVersion);
        tx.commit();
    } catch (const DbError &e) {
        return e.message();
    }
    return std::nullopt;
}

bool isShopDatabase(const QSqlDatabase &db)
{
    try {
        return sql::scalar(db, QStringLiteral("PRAGMA application_id")).toInt() == ApplicationId;
    } catch (const DbError &) {
        return false;
    }
}

std::optional<QString> checkShopFile(const QString &filePath)
{
    // The header: SQLite's magic text, and the application id at offset 68
    // (big-endian), read as plain bytes before SQLite sees the file at all.
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read ") + filePath;
    const QByteArray header = file.read(100);
    file.close();
    if (header.size() < 100 || !header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return QStringLiteral("not an SQLite database: ") + filePath;
    const auto byte = [&header](int i) { return uint32_t(uint8_t(header[i])); };
    const uint32_t id = byte(68) << 24 | byte(69) << 16 | byte(70) << 8 | byte(71);
    if (id != uint32_t(ApplicationId))
        return QStringLiteral("not a shop database (no stamp): ") + filePath;

    // The tables, through a connection that cannot write.
    sqlite3 *handle = nullptr;
    const QByteArray path = QFile::encodeName(filePath);
    int rc = sqlite3_open_v2(path.constData(), &handle, SQLITE_OPEN_READONLY, nullptr);
    QSet<QString> present;
    sqlite3_stmt *stmt = nullptr;
    if (rc == SQLITE_OK)
        rc = sqlite3_prepare_v2(handle, "SELECT name FROM sqlite_master WHERE type = 'table'", -1,
                                &stmt, nullptr);
    while (rc == SQLITE_OK || rc == SQLITE_ROW) {
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW)
            present.insert(QString::fromUtf8(
                reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0))));
    }
    const QString engineError = rc == SQLITE_DONE ? QString() : QString::fromUtf8(sqlite3_errmsg(handle));
    sqlite3_finalize(stmt);
    sqlite3_close(handle);
    if (!engineError.isEmpty())
        return QStringLiteral("cannot read the tables of ") + filePath + QStringLiteral(": ") +
               engineError;
    for (const Table &t : tables()) {
        if (!present.contains(QString::fromLatin1(t.name)))
            return QStringLiteral("not a shop database (no table ") + QString::fromLatin1(t.name) +
                   QStringLiteral("): ") + filePath;
    }
    return std::nullopt;
}

}  // namespace schema
