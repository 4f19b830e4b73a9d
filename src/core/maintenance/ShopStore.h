#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class TDM1;

namespace maintenance {

// How far a long operation has come: `done` of `total` (0 while unknown).
// Called on the thread the operation's heavy part runs on.
using Progress = std::function<void(qint64 done, qint64 total)>;

// The points at which an operation on the store can be made to fail, to see
// that a failure at any of them leaves the shop as it was.
enum class Step {
    Room,     // the room for a copy was checked
    Copy,     // the copy (or the compacted copy) was written
    Verify,   // the copy was checked
    Replace,  // the shop is about to be replaced by the copy
    Reopen,   // the shop was replaced and opened again
};

// The shop's store as a whole: what the engine behind the data module does
// with all of it at once. The file engine is one; a database server is
// another. Every operation either finishes or leaves the shop as it was.
// Operations are called on the thread of the data module and keep its event
// loop turning while their heavy part runs on a thread of its own.
class ShopStore
{
public:
    virtual ~ShopStore() = default;

    // Writes a consistent copy of the shop as it stands at `target`,
    // replacing a file there only once the copy is complete and checked.
    // The shop's own files are never a target. Returns why it failed.
    virtual std::optional<QString> backupTo(const QString &target, const Progress &progress) = 0;

    // Puts the copy `backup` in place of the shop, once it is known to be a
    // shop of this program (brought up to this program's version on the
    // way), after writing the shop as it stands to `safetyCopy`. The data
    // module is open on the result. Returns why it failed: then the shop is
    // as it was.
    virtual std::optional<QString> restoreFrom(const QString &backup, const QString &safetyCopy,
                                               const Progress &progress) = 0;

    // Gives the room taken by deleted rows back. Returns why it failed: then
    // the shop is as it was.
    virtual std::optional<QString> compact(const Progress &progress) = 0;

    // For trying failures: a step for which this answers true fails there.
    std::function<bool(Step)> failAt;

protected:
    bool failsAt(Step step) const { return failAt && failAt(step); }
};

// The store behind the data module's connection.
std::unique_ptr<ShopStore> storeOf(TDM1 &dm);

}  // namespace maintenance
