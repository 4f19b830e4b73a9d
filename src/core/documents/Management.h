#pragma once

#include "core/documents/Documents.h"
#include "core/lists/ListQuery.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QSqlDatabase;
class Snapshot;

// The management of finished and held documents: the lists of the sales,
// purchase and movement headers, filtered as the query dialogs say, with
// their sums, how a row is marked, what the viewer shows, and deleting or
// reversing the document of a row through the document engine.
namespace management {

// The three lists: sales (retail and wholesale together), purchases and
// stock movements.
enum class Book { Sales, Purchases, Movements };

// The state a query asks for: "全部", "未审核" or "已审核".
enum class State { All, Held, Posted };

// The query dialog's conditions. Texts match any part of their column; an
// empty text matches every row.
struct Filter {
    QString partner;  // kh, ghs or lx
    QString handler;  // jsr
    QString number;   // dh
    State state = State::All;
    std::optional<QDate> from, to;  // both set: rq within [from, to]
    bool owedOnly = false;          // only qk <> 0 (sales and purchases)
};

// What one list is: its header and line tables, the engine's descriptor of
// its documents, the columns its status bar sums and where, and what its
// viewer shows.
struct ListDescriptor {
    Book book = Book::Sales;
    const documents::Descriptor *engine = nullptr;
    // The engine's: xsglz/xsglc/kh, cgglz/cgglc/ghs, rkglz/rkglc/lx.
    QString headerTable;
    QString lineTable;
    QString partnerColumn;
    // The status bar: panelCount panels, panel 0 "总计", the sum of
    // sumColumns[i] in sumPanels[i].
    int panelCount = 9;
    QStringList sumColumns;
    std::vector<int> sumPanels;
    // A row owing money (qk not 0) is marked; movements carry no debt.
    bool marksDebt = true;
    // The header fields the viewer shows, in its order.
    QStringList viewerFields;
};

const ListDescriptor &listDescriptor(Book book);

// The list a window opens with: the held documents, by number.
ListQuery heldList(const ListDescriptor &d);
// The list of a query: the documents matching the filter, in the order of
// entry. Every typed text is bound.
ListQuery filteredList(const ListDescriptor &d, const Filter &f);

// The sums of the status bar over a whole list, in sumColumns' order (0 for
// no rows). Throws DbError.
std::vector<Decimal> sums(const QSqlDatabase &db, const ListDescriptor &d, const ListQuery &list);
// A header's own values of the summed columns, in sumColumns' order.
std::vector<Decimal> sumsOf(const ListDescriptor &d, const documents::Header &h);

// How a row is drawn: owing money, and held (not yet finalized).
struct RowMarks {
    bool owing = false;
    bool held = false;
};
RowMarks marksOf(const ListDescriptor &d, const Decimal &qk, const QString &shbj);

// A held document's state text, "未审核".
QString heldState();

// The viewer's lines of a document: every line of its number, whatever its
// mark, in the order of entry (id, txm, ppgg, dw, sl, jg, je, ...). Throws
// DbError.
Snapshot viewerLines(const QSqlDatabase &db, const ListDescriptor &d, const QString &dh);

// "删除": the document goes with its lines and ledger rows; a posted one is
// reversed first, in the same transaction. `removed` holds the deleted
// header's values of the summed columns, for the status bar.
struct Removed {
    documents::Outcome outcome;
    std::vector<Decimal> removed;
};
Removed remove(const QSqlDatabase &db, const ListDescriptor &d, const QString &dh);

// "反审": the posting of the document is undone and it is held again; a held
// document is refused with "本单据已经反审！".
documents::Outcome reverse(const QSqlDatabase &db, const ListDescriptor &d, const QString &dh);

}  // namespace management
