#include "core/maintenance/Maintenance.h"

#include "core/db/DataChanges.h"
#include "core/db/Schema.h"
#include "core/db/Sql.h"
#include "core/db/Udm1.h"

#include <QDir>
#include <QtDebug>

namespace maintenance {

QString backupFolderName()
{
    return QStringLiteral("数据备份库");
}

QString backupFolder(const TDM1 &dm)
{
    return QDir(dm.dataDir()).filePath(backupFolderName());
}

bool makeBackupFolder(const TDM1 &dm)
{
    return QDir().mkpath(backupFolder(dm));
}

QString proposedBaseName(const QDate &day)
{
    return QStringLiteral("QLX") + day.toString(QStringLiteral("yyyyMMdd"));
}

QString proposedName(const QDate &day)
{
    return proposedBaseName(day) + QStringLiteral(".bak");
}

QString withBackupExtension(const QString &chosen)
{
    if (chosen.isEmpty() || chosen.contains(QStringLiteral(".bak")))
        return chosen;
    return chosen + QStringLiteral(".bak");
}

QString safetyCopyPath(const TDM1 &dm, const QDateTime &moment, const QString &what)
{
    const QString base = QStringLiteral("QLX") +
                         moment.toString(QStringLiteral("yyyyMMdd-HHmmss")) +
                         QStringLiteral("-") + what;
    const QDir folder(backupFolder(dm));
    // A copy kept earlier in the same second is never overwritten.
    QString name = base + QStringLiteral(".bak");
    for (int n = 2; folder.exists(name); ++n)
        name = base + QStringLiteral("-%1.bak").arg(n);
    return folder.filePath(name);
}

QString backupDone() { return QStringLiteral("数据库备份成功！"); }
QString backupFailed() { return QStringLiteral("数据库备份失败！"); }
QString restoreDone() { return QStringLiteral("数据库恢复成功！"); }
QString restoreFailed() { return QStringLiteral("数据库恢复失败！"); }
QString compactDone() { return QStringLiteral("数据库压缩成功！"); }
QString compactFailed() { return QStringLiteral("数据库压缩失败！"); }
QString clearingDone() { return QStringLiteral("数据清除完毕！"); }
QString clearingFailed() { return QStringLiteral("数据清除失败！"); }

std::vector<Clearing> clearingOf(Box box)
{
    const auto all = [](std::initializer_list<const char *> tables) {
        std::vector<Clearing> statements;
        for (const char *t : tables)
            statements.push_back({QStringLiteral("DELETE FROM ") + QString::fromLatin1(t), {},
                                  QString::fromLatin1(t)});
        return statements;
    };
    switch (box) {
    case Box::Basics: {
        std::vector<Clearing> s = all({"ghs", "kh", "yg", "sp", "lb", "dw"});
        // The administrator stays, with his password and his grants.
        s.push_back({QStringLiteral("DELETE FROM yhsz WHERE yhmc <> ?"),
                     {schema::administratorName()}, QStringLiteral("yhsz")});
        s.push_back({QStringLiteral("DELETE FROM quanxian WHERE yh <> ?"),
                     {schema::administratorName()}, QStringLiteral("quanxian")});
        return s;
    }
    case Box::Purchases:
        return all({"cgglz", "cgglc", "cgfx", "cghz"});
    case Box::Sales:
        return all({"xsglz", "xsglc", "xsfx", "xshz", "xstj3"});
    case Box::Stock: {
        // The goods stay with their prices and unit cost; only what is in
        // stock goes.
        std::vector<Clearing> s{
            {QStringLiteral("UPDATE sp SET kcsl = 0, kcje = 0"), {}, QStringLiteral("sp")}};
        for (Clearing &c : all({"kctj", "zu", "chai", "rkglz", "rkglc", "rkfx", "rkhz", "rklx"}))
            s.push_back(std::move(c));
        return s;
    }
    case Box::Finance:
        return all({"fkfx", "skfx", "szxm", "szfx"});
    }
    return {};
}

Result backup(ShopStore &store, const QString &target, const Progress &progress)
{
    Result r;
    r.error = store.backupTo(target, progress);
    if (r.error)
        qWarning("backup to %s failed: %s", qPrintable(target), qPrintable(*r.error));
    return r;
}

Result restore(TDM1 &dm, ShopStore &store, const QString &file, const QDateTime &moment,
               const Progress &progress)
{
    Result r;
    if (!makeBackupFolder(dm)) {
        r.error = QStringLiteral("cannot make the backup folder ") + backupFolder(dm);
    } else {
        r.safetyCopy = safetyCopyPath(dm, moment, QStringLiteral("恢复前"));
        r.error = store.restoreFrom(file, r.safetyCopy, progress);
    }
    if (r.error) {
        qWarning("restore from %s failed: %s", qPrintable(file), qPrintable(*r.error));
        r.safetyCopy.clear();
    }
    return r;
}

Result compact(ShopStore &store, const Progress &progress)
{
    Result r;
    r.error = store.compact(progress);
    if (r.error)
        qWarning("compaction failed: %s", qPrintable(*r.error));
    return r;
}

std::optional<QString> clearTables(const QSqlDatabase &db, const std::vector<Box> &boxes)
{
    try {
        Transaction tx(db);
        QStringList changed;
        for (Box box : boxes) {
            for (const Clearing &c : clearingOf(box)) {
                sql::exec(db, c.statement, sql::Values(c.values));
                if (!changed.contains(c.table))
                    changed << c.table;
            }
        }
        // Emptying a table at once is not seen row by row.
        DataChanges::of(db)->declare(changed);
        tx.commit();
    } catch (const DbError &e) {
        return e.message();
    }
    return std::nullopt;
}

Result clear(TDM1 &dm, ShopStore &store, const std::vector<Box> &boxes, const QDateTime &moment,
             const Progress &progress)
{
    Result r;
    if (boxes.empty())
        return r;
    if (!makeBackupFolder(dm)) {
        r.error = QStringLiteral("cannot make the backup folder ") + backupFolder(dm);
    } else {
        r.safetyCopy = safetyCopyPath(dm, moment, QStringLiteral("清除前"));
        r.error = store.backupTo(r.safetyCopy, progress);
        if (!r.error)
            r.error = clearTables(dm.ADOC1(), boxes);
    }
    // A copy made before a failed clearing stays: it is the shop as it was.
    if (r.error)
        qWarning("clearing failed: %s", qPrintable(*r.error));
    return r;
}

}  // namespace maintenance
