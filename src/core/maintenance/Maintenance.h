#pragma once

#include "core/maintenance/ShopStore.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <vector>

class QSqlDatabase;
class TDM1;

// Looking after the shop database as a whole: backup, restore, compaction
// and clearing. Nothing here can lose the shop: copies are whole and checked
// before they replace anything, restore and clearing first keep the shop as
// it stands in the backup folder, and clearing is one transaction.
namespace maintenance {

// The folder of the backups, "数据备份库" beside the shop database.
QString backupFolderName();
QString backupFolder(const TDM1 &dm);
// Makes the folder when it is missing; false when it cannot be made.
bool makeBackupFolder(const TDM1 &dm);

// The proposed backup name of a day: "QLX" + yyyymmdd, and with ".bak".
QString proposedBaseName(const QDate &day);
QString proposedName(const QDate &day);
// A chosen name with ".bak" added, unless it has ".bak" anywhere.
QString withBackupExtension(const QString &chosen);

// Where the shop as it stood before a restore or a clearing is kept:
// "QLX" + yyyymmdd-hhmmss + "-" + what + ".bak" in the backup folder ("-2",
// "-3", ... before ".bak" when that name is taken).
QString safetyCopyPath(const TDM1 &dm, const QDateTime &moment, const QString &what);

// What the operator reads.
QString backupDone();      // "数据库备份成功！"
QString backupFailed();    // "数据库备份失败！"
QString restoreDone();     // "数据库恢复成功！"
QString restoreFailed();   // "数据库恢复失败！"
QString compactDone();     // "数据库压缩成功！"
QString compactFailed();   // "数据库压缩失败！"
QString clearingDone();    // "数据清除完毕！"
QString clearingFailed();  // "数据清除失败！"

// The five kinds of data the clearing dialog offers, in its order.
enum class Box { Basics, Purchases, Sales, Stock, Finance };

// The statements that clear one kind, in order, and the tables they change.
struct Clearing {
    QString statement;
    std::vector<QVariant> values;
    QString table;
};
std::vector<Clearing> clearingOf(Box box);

// What an operation did: done, or failed with why (for the log; the
// operator reads the fixed message). `safetyCopy` names the copy of the
// shop kept first, when one was made.
struct Result {
    std::optional<QString> error;
    QString safetyCopy;
    bool ok() const { return !error; }
};

// A copy of the shop at `target`.
Result backup(ShopStore &store, const QString &target, const Progress &progress = {});
// The shop replaced by the backup at `file`, after a safety copy.
Result restore(TDM1 &dm, ShopStore &store, const QString &file, const QDateTime &moment,
               const Progress &progress = {});
// The shop compacted.
Result compact(ShopStore &store, const Progress &progress = {});
// Deletes the data of the boxes checked, in their order, all in one
// transaction, after a safety copy; nothing checked changes nothing and
// makes no copy.
Result clear(TDM1 &dm, ShopStore &store, const std::vector<Box> &boxes, const QDateTime &moment,
             const Progress &progress = {});
// The deleting itself, in one transaction on `db`: all of it or nothing.
std::optional<QString> clearTables(const QSqlDatabase &db, const std::vector<Box> &boxes);

}  // namespace maintenance
