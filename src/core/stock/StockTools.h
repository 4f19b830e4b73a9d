#pragma once

#include "core/common/Outcome.h"
#include "core/masterdata/Goods.h"
#include "core/money/Decimal.h"

#include <QString>

#include <optional>

class QSqlDatabase;

// The tools of the inventory list that change goods rows themselves, with no
// document and no ledger row: zeroing the listed stock, converting stock
// between two units of one article, and assembling wholes from parts or
// splitting wholes into parts by a stored recipe (tables zu and chai), with
// the edits of those recipes.
//
// Each tool is one transaction: when a statement fails part-way, nothing of
// the tool stays and the outcome carries the database's words (Error).
namespace stocktools {

using ::Severity;

// ---- Zeroing --------------------------------------------------------------------------

// "归零": kcsl and kcje of every article the filter lists become 0, in one
// statement; kcjg and every other column stay. `zeroed` is how many rows.
struct Zeroed {
    ::Outcome<QString> outcome;
    qint64 zeroed = 0;
};
Zeroed zeroListed(const QSqlDatabase &db, const goods::Filter &listed);

// ---- Unit conversion --------------------------------------------------------------------

// The fields of the conversion window a refusal puts the focus on.
enum class ConversionField { None, TargetName, SourceUnit, Base, Quantity };

struct ConversionInput {
    qint64 sourceId = 0;  // the goods row selected in the list
    QString sourceUnit;   // as the window shows it
    QString targetCode, targetName, targetUnit;
    QString base;         // 换算基数: target units per source unit
    QString quantity;     // 换算数量: source units converted
};

// What the number fields hold once they are tidied ("0.00" form past two
// decimals): the result 完成总量 = quantity × base in "0.00" form; invalid
// when a text is not a number.
Decimal conversionTotal(const QString &quantity, const QString &base);

struct Converted {
    ::Outcome<ConversionField> outcome;
    // The source row had no stock: the window closes after the message.
    bool closeWindow = false;
    // Done: the articles the list shows now (the target's name, code and
    // unit) and the target row's id.
    goods::Filter target;
    qint64 targetId = 0;
};

// "确定换算", checked in this order: the source's current stock 0 ("当前商品数
// 量为0，不可换算！", the window closes), an empty target name ("换算商品不可为
// 空！"), the same unit on both sides after trimming ("计量单位相同，不可转换！"),
// base 0 ("换算基数不可为0！"), quantity 0 ("换算数量不可为0"). Then the source
// loses the quantity and the target (the first row of its name, code and
// unit, or a new row of category "未知" priced 0) gains quantity × base; each
// side is revalued at its own stock unit price. The source may go negative.
Converted convert(const QSqlDatabase &db, const ConversionInput &in);

// ---- Assembly and splitting ---------------------------------------------------------------

enum class RecipeKind { Assembly, Splitting };

// What the two kinds differ in: the recipe table, which way stock moves, and
// the words of their refusals.
struct RecipeDescriptor {
    RecipeKind kind = RecipeKind::Assembly;
    QString table;            // zu, chai
    int wholeSign = 1;        // the whole gains (+1) or loses (-1) the quantity
    QString wholeMissing;     // "组装而成的整件不可为空！" / "拆分所需的整件不可为空！"
    QString quantityZero;     // "组装数量不可为零！" / "拆分数量不可为零！"
    QString partMissing;      // "组装所需的零件不可为空！" / "拆分而成的零件不可为空！"
    QString coefficientZero;  // "组装系数不可为零！" / "拆分系数不可为零！"
};
const RecipeDescriptor &recipeDescriptor(RecipeKind kind);

// "零件不可跟整件相同！", "零件不可为空！", "当前无数据，不可删除！": both kinds.
QString partIsWholeMessage();
QString noPartsMessage();
QString nothingToRemoveMessage();

enum class RecipeField { None, WholeCode, Quantity, PartCode, Coefficient };
using RecipeOutcome = ::Outcome<RecipeField>;

// The recipe list of a whole: txm, ppgg, dw, kc (the part's stock), xs, sl,
// spid2 and id (the recipe row), in the order the parts were added. A part
// whose goods row is gone shows empty texts and no stock.
QString recipeStatement(const RecipeDescriptor &d);  // bound: the whole's id

// The number of recipe rows of a whole. Throws DbError.
int partCount(const QSqlDatabase &db, const RecipeDescriptor &d, qint64 wholeId);

// A change of the quantity: sl = quantity × xs on every recipe row of the
// whole. A quantity that is not a number changes nothing (and is refused).
RecipeOutcome setQuantity(const QSqlDatabase &db, const RecipeDescriptor &d, qint64 wholeId,
                          const QString &quantity);

// "新增", checked in this order: no whole, quantity 0, no part, the part is the
// whole, coefficient 0. Adds the row spid1, spid2, xs, sl = quantity × xs (the
// same part may be added twice).
RecipeOutcome addPart(const QSqlDatabase &db, const RecipeDescriptor &d, qint64 wholeId,
                      const QString &quantity, qint64 partId, const QString &coefficient);

// "删除": the first recipe row of the whole with that part goes; the part
// stays in other wholes' recipes. None there: "当前无数据，不可删除！".
RecipeOutcome removePart(const QSqlDatabase &db, const RecipeDescriptor &d, qint64 wholeId,
                         qint64 partId);

// "确定组装" / "确定拆分", checked in this order: no whole (or its goods row is
// gone), quantity 0, a recipe without rows ("零件不可为空！"). The recipe's sl
// is written for the quantity, the whole moves by the quantity and every part
// found by the id the recipe stores the other way by its sl; a part whose
// goods row is gone is skipped. Each row is revalued at its own stock unit
// price; stock may go negative.
RecipeOutcome run(const QSqlDatabase &db, const RecipeDescriptor &d, qint64 wholeId,
                  const QString &quantity);

}  // namespace stocktools
