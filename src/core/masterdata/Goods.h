#pragma once

#include "core/common/Outcome.h"
#include "core/money/Decimal.h"
#include "core/db/Sql.h"
#include "core/lists/ListQuery.h"

#include <QString>

#include <optional>
#include <vector>

class QSqlDatabase;
class Snapshot;

// The goods catalogue (table sp): one row per article with its category,
// name, code and unit, three prices, two commission rates, its stock and two
// free texts. Every statement here binds its values, so names, codes and
// units with an apostrophe (or a % or _) are stored and found like any other.
namespace goods {

// One row of sp.
struct Article {
    qint64 id = 0;
    QString lb, ppgg, txm, dw;
    Decimal jj, xjpf, xjls, slt, jet, kcsl, kcjg, kcje;
    QString ms, bz;
};

// The article of a fetched row (a statement over sp that selects its columns).
Article articleAt(const Snapshot &rows, int row);

// The article with this id, if it is still there. Throws DbError.
std::optional<Article> read(const QSqlDatabase &db, qint64 id);

// ---- Adding and editing ----------------------------------------------------------

// The goods dialog's fields as typed. The seven numbers are texts; an empty
// one counts as 0.
struct Input {
    QString lb, ppgg, txm, dw;
    QString jj, xjpf, xjls, slt, jet, kcsl, kcjg;
    QString ms, bz;
};

// The dialog's fields, for the focus after a refusal.
enum class Field { None, Lb, Ppgg, Txm, Dw, Jj, Xjpf, Xjls, Slt, Jet, Kcsl, Kcjg, Ms, Bz };

// An article's save: its outcome (the message, how it is shown, the field
// that takes the focus; empty when saved) and the article's id when saved.
using ::Severity;
using Outcome = ::Saved<Field>;

// The number fields in the dialog's order, with their captions.
struct NumberField {
    Field field;
    QString Input::*text;
    const char *column;
    QString caption;
};
const std::vector<NumberField> &numberFields();

// What a number field holds before it is used: more than two decimals become
// the "0.00" form, rounded from the digits typed (12.345 -> 12.34, 12.355 ->
// 12.36); anything else stays as typed.
QString tidyNumber(const QString &text);

// The stock value written with every save: kcsl × kcjg rounded to two
// decimals, ties to even. Invalid when it does not fit.
Decimal stockValue(const Decimal &kcsl, const Decimal &kcjg);

// True when an article with the same name, code and unit (trimmed; Latin
// letters without regard to case) is already in the catalogue. Throws DbError.
bool isDuplicate(const QSqlDatabase &db, const QString &ppgg, const QString &txm,
                 const QString &dw);

// Adds an article. In this order: the numbers are tidied; an empty category,
// name, code or unit is refused ("类别不可为空！", "商品名称不可为空！",
// "商品编码不可为空！", "计量单位不可为空！"); a number that cannot be read is
// refused; an article equal in name, code and unit to one in the catalogue is
// refused ("商品不可重复！"). Texts are stored trimmed and kcje = kcsl × kcjg.
Outcome add(const QSqlDatabase &db, const Input &in);

// Saves the fields over the article `id`, with the same rules except the
// duplicate check (editing does not check).
Outcome update(const QSqlDatabase &db, qint64 id, const Input &in);

// Deletes the article. Documents and ledgers that name it keep their rows.
::Outcome<Field> remove(const QSqlDatabase &db, qint64 id);

// Sets each article's code to the pinyin code of its name, in one
// transaction; an article whose name gives no code keeps the one it has.
// Returns how many codes were written. Throws DbError (nothing is changed).
int generateCodes(const QSqlDatabase &db, const std::vector<qint64> &ids);

// ---- Lists -------------------------------------------------------------------------

// Which articles a list shows: a condition over sp and its bound values. The
// lists show them ordered by name.
struct Filter {
    QString where;  // empty: every article
    sql::Binds binds;
};

Filter everything();
// The articles isDuplicate() finds: the same name, code and unit.
Filter sameArticle(const QString &ppgg, const QString &txm, const QString &dw);
// The articles of one category (the tree's node); an empty name is the root
// "全部类别", every article.
Filter inCategory(const QString &category);
// The pickers' search: the text anywhere in the name, the code or the
// category (taken literally, Latin letters without regard to case); an empty
// text lists everything. A text of three characters or more is looked up in
// the goods' text index, a shorter one tested against every article.
Filter search(const QString &text);
// The same articles as search(), always found by testing every article's
// name, code and category (LIKE), never through the text index.
Filter searchWithoutIndex(const QString &text);
// The same articles again, by whichever of the two is quicker for the text:
// the index when it finds fewer than a sixteenth of the catalogue, otherwise
// (and when the index cannot be read) testing every article, since walking
// the list in name order beats sorting that many rows found. What the
// pickers' search field runs.
Filter quickestSearch(const QSqlDatabase &db, const QString &text);

// The query dialog's stock choice ("全部", "库存＞0", "库存＝0", "库存＜0").
enum class Stock { Any, Positive, Zero, Negative };

struct Conditions {
    QString category;  // each text matches anywhere in its column; empty matches all
    QString code;
    QString name;
    Stock stock = Stock::Any;
};
Filter matching(const Conditions &c);

// The filter, and besides it these articles (those just added or edited
// through the list, which stay in sight until the list is queried anew).
Filter alsoShowing(const Filter &f, const std::vector<qint64> &ids);

// "SELECT * FROM sp ..." ordered by name.
QString listStatement(const Filter &f);
// The same as a list's statement: the articles of the filter, in name order
// (the PINYIN collation), articles of one name in the order of entry.
ListQuery listQuery(const Filter &f);

struct StockTotals {
    Decimal quantity;  // sum(kcsl)
    Decimal value;     // sum(kcje)
};
// The stock totals of the articles a filter lists. Throws DbError.
StockTotals stockTotals(const QSqlDatabase &db, const Filter &f);

// ---- Pickers -----------------------------------------------------------------------

// The document picker's modes and the price each shows and puts on a line:
// "tjcg" jj, "tjxs" xjls, "tjpf" xjpf, "tjrk" kcjg. Empty for another mode.
QString priceColumnOf(const QString &mode);
// That price of the article (zero for an unknown mode).
Decimal priceOf(const Article &a, const QString &mode);

}  // namespace goods
