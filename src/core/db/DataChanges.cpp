#include "core/db/DataChanges.h"

#include "core/db/SqlFunctions.h"

#include <QSqlDatabase>

#include <sqlite3.h>

#include <map>
#include <memory>

namespace {

std::map<QString, std::unique_ptr<DataChanges>> &announcers()
{
    static std::map<QString, std::unique_ptr<DataChanges>> all;
    return all;
}

DataChanges *existing(const QSqlDatabase &db)
{
    const auto it = announcers().find(db.connectionName());
    return it == announcers().end() ? nullptr : it->second.get();
}

}  // namespace

DataChanges *DataChanges::of(const QSqlDatabase &db)
{
    std::unique_ptr<DataChanges> &slot = announcers()[db.connectionName()];
    if (!slot)
        slot.reset(new DataChanges);
    return slot.get();
}

void DataChanges::watch(const QSqlDatabase &db)
{
    if (sqlite3 *handle = sqliteHandle(db))
        sqlite3_update_hook(handle, &DataChanges::noteRow, of(db));
}

void DataChanges::forget(const QString &connectionName)
{
    announcers().erase(connectionName);
}

void DataChanges::noteRow(void *self, int, const char *, const char *table, long long)
{
    auto *changes = static_cast<DataChanges *>(self);
    if (changes->m_last == table)
        return;
    changes->m_last = table;
    const QString name = QString::fromUtf8(table);
    if (!changes->m_pending.contains(name))
        changes->m_pending << name;
}

void DataChanges::declare(const QStringList &tables)
{
    for (const QString &t : tables)
        if (!m_pending.contains(t))
            m_pending << t;
}

void DataChanges::committed(const QSqlDatabase &db)
{
    DataChanges *changes = existing(db);
    if (!changes || changes->m_pending.isEmpty())
        return;
    const QStringList tables = changes->m_pending;
    changes->m_pending.clear();
    changes->m_last.clear();
    ++changes->m_sequence;
    Q_EMIT changes->tablesChanged(tables);
}

void DataChanges::rolledBack(const QSqlDatabase &db)
{
    if (DataChanges *changes = existing(db)) {
        changes->m_pending.clear();
        changes->m_last.clear();
    }
}
