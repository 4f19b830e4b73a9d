#pragma once

#include "core/lists/ListQuery.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// The ledger reports, without the widgets: the rows of a ledger filtered as
// the query dialogs say (the detail tables), the same rows summed per article
// and optionally per partner or handler (the statistics), and the rows behind
// one statistics row (its drill-down). The three ledgers — sales `xsfx`,
// purchases `cgfx`, stock movements `rkfx` — differ only in their partner
// column and in whether they carry cost and gross profit.
namespace ledgers {

enum class Ledger { Sales, Purchases, Movements };

struct LedgerDescriptor {
    Ledger ledger = Ledger::Sales;
    QString table;          // xsfx, cgfx, rkfx
    QString partnerColumn;  // kh, ghs, lx
    bool withCost = false;  // cbje and maoli (sales only)
    // The detail's summed columns (sl, je[, cbje, maoli]) and the
    // statistics' (zsl, zje[, zcb, zmaoli]), in the same order.
    QStringList detailSums;
    QStringList groupSums;
};

const LedgerDescriptor &descriptor(Ledger ledger);

// The columns only the administrator sees (and whose totals only he gets).
bool isCostColumn(const QString &column);
// Whether an operator sees cost and gross profit: only "系统管理员".
bool showsCost(const QString &operatorName);

// The type list: every row, rows with a positive quantity (sold, bought,
// moved in) or a negative one (returns, moved out).
enum class Sign { All, Positive, Negative };

// A query dialog's conditions. Texts match any part of their column; an
// empty text matches every row.
struct Filter {
    QString partner;  // kh, ghs or lx
    QString handler;  // jsr
    QString code;     // txm
    QString name;     // ppgg
    QString number;   // dh
    Sign sign = Sign::All;
    std::optional<QDate> from, to;  // both set: rq within [from, to], both ends included
};

// The detail of one day's rows (what a detail window opens with), in the
// order of entry.
ListQuery dayList(const LedgerDescriptor &d, const QDate &day);
// The detail of a query, in the order of entry. Every typed text is bound.
ListQuery detailList(const LedgerDescriptor &d, const Filter &f);

// The statistics' groups: per article only, or per partner or handler and
// article.
enum class Grouping { None, Partner, Handler };

// The statistics of a query: one row per article (code, name and unit
// together: an article under two units gives two rows), with `fenzu` the
// partner or handler when grouped (empty otherwise), the summed quantity
// `zsl` and amount `zje` (and `zcb`, `zmaoli` for sales). Ordered by code, or
// by the group value when grouped; the key `id` is the group's first ledger
// row, so rows of equal order keep the order of entry.
ListQuery groupedList(const LedgerDescriptor &d, const Filter &f, Grouping g);

// The rows behind one statistics row: that article's, of that group value
// when the statistics were grouped, and within the statistics' date range
// when both ends were set. The other conditions of the statistics are not
// carried over.
struct DrillDown {
    QString txm, ppgg, dw;
    Grouping grouping = Grouping::None;
    QString group;                  // the row's fenzu
    std::optional<QDate> from, to;  // the statistics' range
};
ListQuery drillDownList(const LedgerDescriptor &d, const DrillDown &r);

}  // namespace ledgers
