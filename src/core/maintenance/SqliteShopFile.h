#pragma once

#include "core/maintenance/ShopStore.h"

class TDM1;

namespace maintenance {

// The shop kept in one SQLite file (with its write-ahead log beside it while
// it is open). Copies are made with SQLite's online backup from one
// snapshot, so the program may go on writing meanwhile; every copy is
// written under a temporary name beside where it goes, checked, then renamed
// into place, so that a file is replaced only by a whole, sound one.
class SqliteShopFile : public ShopStore
{
public:
    explicit SqliteShopFile(TDM1 &dm);

    std::optional<QString> backupTo(const QString &target, const Progress &progress) override;
    std::optional<QString> restoreFrom(const QString &backup, const QString &safetyCopy,
                                       const Progress &progress) override;
    std::optional<QString> compact(const Progress &progress) override;

    // Whether the file at `path` is a shop database this program can open:
    // our stamp, every table with its columns, the shop's record, an
    // operator, no newer version than ours, and SQLite's quick check. The file
    // is only read. Returns why it is refused.
    static std::optional<QString> checkCandidate(const QString &path);

    // The temporary names the copies are written under.
    static QString partName(const QString &target) { return target + QStringLiteral(".part"); }
    QString compactedName() const;
    QString restoredName() const;

private:
    // Replaces the shop file by `replacement` (a checked file beside it) and
    // opens the data module on it; on any failure puts the old file back.
    std::optional<QString> replaceShopBy(const QString &replacement);

    TDM1 &m_dm;
};

}  // namespace maintenance
