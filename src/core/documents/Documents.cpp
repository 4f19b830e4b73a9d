#include "core/documents/Documents.h"

#include "core/db/Dates.h"
#include "core/db/Sql.h"

#include <QSqlQuery>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace documents {

namespace {

const QString kHeld = u"未审核"_s;
const QString kPosted = u"已审核"_s;

const AmountMessages kSalesMessages = {
    u"总金额为零，抹零额只可为零！"_s,     u"总金额为零，实收额只可为零！"_s,
    u"收款单据，抹零额不可为负数！"_s,     u"收款单据，抹零额不可大于总金额！"_s,
    u"收款单据，实收额不可为负数！"_s,     u"收款单据，实收额不可大于应收额！"_s,
    u"退款单据，抹零额不可为正数！"_s,     u"退款单据，抹零额不可小于总金额！"_s,
    u"退款单据，实收额不可为正数！"_s,     u"退款单据，实收额不可小于应收额！"_s,
};

const AmountMessages kPurchaseMessages = {
    u"总金额为零，抹零额只可为零！"_s,     u"总金额为零，实付额只可为零！"_s,
    u"付款单据，抹零额不可为负数！"_s,     u"付款单据，抹零额不可大于总金额！"_s,
    u"付款单据，实付额不可为负数！"_s,     u"付款单据，实付额不可大于应付额！"_s,
    u"退款单据，抹零额不可为正数！"_s,     u"退款单据，抹零额不可小于总金额！"_s,
    u"退款单据，实付额不可为正数！"_s,     u"退款单据，实付额不可小于应付额！"_s,
};

// Each kind names what it differs in; the rest keeps the defaults.
Descriptor makeRetail()
{
    Descriptor d;
    d.kind = DocumentKind::Retail;
    d.numberingKind = numbering::Kind::Retail;
    d.prefix = u"XSD"_s;
    d.headerTable = u"xsglz"_s;
    d.lineTable = u"xsglc"_s;
    d.ledgerTable = u"xsfx"_s;
    d.partnerColumn = u"kh"_s;
    d.dueColumn = u"yse"_s;
    d.settledColumn = u"sse"_s;
    d.moneyTable = u"skfx"_s;
    d.moneyRemark = u"零售业务"_s;
    d.linesCarryCost = true;
    d.stockRule = stockrules::Rule::Sale;
    d.defaultPrice = &Goods::xjls;
    d.partnerMissing = u"客户不可为空！"_s;
    d.settledCaption = u"实收额"_s;
    d.lineEdited = u"销售明细修改成功！"_s;
    d.amountMessages = kSalesMessages;
    d.finalizeRoundingNegative = u"收款单据， 抹零额不可为负数！"_s;
    return d;
}

// The retail document at wholesale prices, under its own numbers.
Descriptor makeWholesale()
{
    Descriptor d = makeRetail();
    d.kind = DocumentKind::Wholesale;
    d.numberingKind = numbering::Kind::Wholesale;
    d.prefix = u"PFD"_s;
    d.moneyRemark = u"批发业务"_s;
    d.defaultPrice = &Goods::xjpf;
    d.lineEdited = u"批发明细修改成功！"_s;
    d.finalizeRoundingNegative.clear();
    return d;
}

Descriptor makePurchase()
{
    Descriptor d;
    d.kind = DocumentKind::Purchase;
    d.numberingKind = numbering::Kind::Purchase;
    d.prefix = u"CGD"_s;
    d.headerTable = u"cgglz"_s;
    d.lineTable = u"cgglc"_s;
    d.ledgerTable = u"cgfx"_s;
    d.partnerColumn = u"ghs"_s;
    d.dueColumn = u"yfe"_s;
    d.settledColumn = u"sfe"_s;
    d.moneyTable = u"fkfx"_s;
    d.moneyRemark = u"采购业务"_s;
    d.stockRule = stockrules::Rule::Purchase;
    d.defaultPrice = &Goods::jj;
    d.partnerMissing = u"厂商不可为空！"_s;
    d.settledCaption = u"实付额"_s;
    d.lineEdited = u"采购明细修改成功！"_s;
    d.amountMessages = kPurchaseMessages;
    return d;
}

// No money changes hands: no amount columns, money table or amount rules.
Descriptor makeMovement()
{
    Descriptor d;
    d.kind = DocumentKind::Movement;
    d.numberingKind = numbering::Kind::Movement;
    d.prefix = u"YDD"_s;
    d.headerTable = u"rkglz"_s;
    d.lineTable = u"rkglc"_s;
    d.ledgerTable = u"rkfx"_s;
    d.partnerColumn = u"lx"_s;
    d.stockRule = stockrules::Rule::Movement;
    d.defaultPrice = &Goods::kcjg;
    d.partnerMissing = u"异动原因不可为空！"_s;
    d.lineEdited = u"异动明细修改成功！"_s;
    return d;
}

Outcome refusal(const QString &message, Field focus = Field::None,
                Severity severity = Severity::Info)
{
    return Outcome{message, severity, focus};
}

Outcome databaseFailure(const DbError &e)
{
    return Outcome{u"数据库操作失败，本次操作未保存任何改动。\n"_s + e.message(), Severity::Error,
                   Field::None};
}

// Texts are stored as texts: a null QString would be bound as NULL.
QString textOf(const QString &s)
{
    return s.isNull() ? u""_s : s;
}

qint64 units(const Decimal &d)
{
    return d.units();
}

Decimal decimalAt(const sql::Query &q, int column)
{
    return Decimal::fromUnits(q.toLongLong(column));
}

// Reads a tidied number field; nothing (and the message in `refused`) when its
// text is not a number.
std::optional<Decimal> readNumber(const QString &text, const QString &caption, Field field,
                                  Outcome &refused)
{
    const Decimal v = fieldNumber(text);
    if (!v.isValid()) {
        refused = refusal(notANumberMessage(caption), field);
        return std::nullopt;
    }
    return v;
}

Outcome outOfRange()
{
    return refusal(u"数值超出范围，不能保存！"_s);
}

// ---- Statements built from the descriptor's names ----------------------------

QString lineColumns(const Descriptor &d)
{
    QString cols = u"id, dh, bj, txm, ppgg, dw, sl, jg, je"_s;
    if (d.linesCarryCost)
        cols += u", cbjg, cbje, maoli"_s;
    return cols;
}

Line lineFrom(const Descriptor &d, const sql::Query &q)
{
    Line l;
    l.id = q.toLongLong(0);
    l.dh = q.text(1);
    l.bj = q.text(2);
    l.txm = q.text(3);
    l.ppgg = q.text(4);
    l.dw = q.text(5);
    l.sl = decimalAt(q, 6);
    l.jg = decimalAt(q, 7);
    l.je = decimalAt(q, 8);
    if (d.linesCarryCost) {
        l.cbjg = decimalAt(q, 9);
        l.cbje = decimalAt(q, 10);
        l.maoli = decimalAt(q, 11);
    }
    return l;
}

std::vector<Line> linesWhere(const QSqlDatabase &db, const Descriptor &d, const QString &dh,
                             const QString &markCondition)
{
    sql::Query q = sql::exec(db,
                            u"SELECT "_s + lineColumns(d) + u" FROM "_s + d.lineTable +
                                u" WHERE dh = ? AND "_s + markCondition + u" ORDER BY id"_s,
                            {dh});
    std::vector<Line> out;
    while (q.next())
        out.push_back(lineFrom(d, q));
    return out;
}

std::optional<Line> lineById(const QSqlDatabase &db, const Descriptor &d, const QString &dh,
                             qint64 id)
{
    sql::Query q = sql::exec(db,
                            u"SELECT "_s + lineColumns(d) + u" FROM "_s + d.lineTable +
                                u" WHERE id = ? AND dh = ?"_s,
                            {id, dh});
    if (!q.next())
        return std::nullopt;
    return lineFrom(d, q);
}

QString headerColumns(const Descriptor &d)
{
    QString cols = u"id, dh, rq, kdrq, "_s + d.partnerColumn +
                   u", jsr, bz, shbj, zhidan, hjsl, hjje"_s;
    if (d.carriesMoney())
        cols += u", yhe, "_s + d.dueColumn + u", "_s + d.settledColumn + u", qk"_s;
    return cols;
}

Header headerFrom(const Descriptor &d, const sql::Query &q)
{
    Header h;
    h.id = q.toLongLong(0);
    h.dh = q.text(1);
    h.rq = dates::fromDbText(q.text(2));
    h.kdrq = dates::fromDbText(q.text(3));
    h.partner = q.text(4);
    h.jsr = q.text(5);
    h.bz = q.text(6);
    h.shbj = q.text(7);
    h.zhidan = q.text(8);
    h.hjsl = decimalAt(q, 9);
    h.hjje = decimalAt(q, 10);
    if (d.carriesMoney()) {
        h.yhe = decimalAt(q, 11);
        h.due = decimalAt(q, 12);
        h.settled = decimalAt(q, 13);
        h.qk = decimalAt(q, 14);
    }
    return h;
}

// A document whose header is posted accepts no line changes: its lines are
// what its ledger rows and stock were made from.
bool isPosted(const QSqlDatabase &db, const Descriptor &d, const QString &dh)
{
    return sql::exists(db,
                       u"SELECT 1 FROM "_s + d.headerTable + u" WHERE dh = ? AND shbj = ?"_s,
                       {dh, kPosted});
}

Outcome postedRefusal()
{
    return refusal(u"本单据已审核，不可修改明细！"_s, Field::None, Severity::Warning);
}

// ---- The steps every save, take and abandon share ------------------------------

void abandonIn(const QSqlDatabase &db, const Descriptor &d, const QString &dh)
{
    sql::exec(db, u"DELETE FROM "_s + d.lineTable + u" WHERE dh = ? AND bj = 'dz'"_s, {dh});
    sql::exec(db, u"UPDATE "_s + d.lineTable + u" SET bj = 'yz' WHERE dh = ? AND bj = 'ds'"_s,
              {dh});
}

void settleMarksIn(const QSqlDatabase &db, const Descriptor &d, const QString &dh)
{
    sql::exec(db, u"UPDATE "_s + d.lineTable + u" SET bj = 'yz' WHERE dh = ? AND bj = 'dz'"_s,
              {dh});
    sql::exec(db, u"DELETE FROM "_s + d.lineTable + u" WHERE dh = ? AND bj = 'ds'"_s, {dh});
}

stockrules::LineValues stockLine(const Line &l)
{
    return {l.txm, l.ppgg, l.dw, l.sl, l.jg, l.je, l.cbjg};
}

// The posting of a saved document: one ledger row and one stock change per
// line, then the receipt or payment row when money changed hands.
void postIn(const QSqlDatabase &db, const Descriptor &d, const QString &dh,
            const std::vector<Line> &lines, const QString &rq, const QString &partner,
            const QString &handler, const Decimal &settled)
{
    QString insert = u"INSERT INTO "_s + d.ledgerTable + u" (dh, rq, "_s + d.partnerColumn +
                     u", jsr, txm, ppgg, dw, sl, jg, je"_s;
    insert += d.linesCarryCost ? u", cbjg, cbje, maoli) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s
                               : u") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s;
    for (const Line &l : lines) {
        sql::Binds binds{dh,           rq,          partner,     handler,     textOf(l.txm),
                         textOf(l.ppgg), textOf(l.dw), units(l.sl), units(l.jg), units(l.je)};
        if (d.linesCarryCost) {
            binds.push_back(units(l.cbjg));
            binds.push_back(units(l.cbje));
            binds.push_back(units(l.maoli));
        }
        sql::exec(db, insert, binds);
        stockrules::apply(db, d.stockRule, stockrules::Direction::Post, stockLine(l));
    }
    if (d.carriesMoney() && !settled.isZero()) {
        sql::exec(db,
                  u"INSERT INTO "_s + d.moneyTable + u" (shbj, rq, dh, "_s + d.partnerColumn +
                      u", je, jsr, bz) VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
                  {kPosted, rq, dh, partner, units(settled), handler, d.moneyRemark});
    }
}

std::optional<Header> headerIn(const QSqlDatabase &db, const Descriptor &d, const QString &dh)
{
    sql::Query q = sql::exec(db,
                            u"SELECT "_s + headerColumns(d) + u" FROM "_s + d.headerTable +
                                u" WHERE dh = ? ORDER BY id LIMIT 1"_s,
                            {dh});
    if (!q.next())
        return std::nullopt;
    return headerFrom(d, q);
}

Outcome goneRefusal()
{
    return refusal(u"本单据已不存在！"_s, Field::None, Severity::Warning);
}

// Reverses a posted document inside the caller's transaction. Lines never
// saved ("dz") were not posted and are left out.
Outcome reverseIn(const QSqlDatabase &db, const Descriptor &d, const Header &h)
{
    if (h.shbj != kPosted)
        return refusal(u"本单据已经反审！"_s, Field::None, Severity::Warning);
    for (const Line &l : linesWhere(db, d, h.dh, u"bj <> 'dz'"_s))
        stockrules::apply(db, d.stockRule, stockrules::Direction::Reverse, stockLine(l));
    sql::exec(db, u"DELETE FROM "_s + d.ledgerTable + u" WHERE dh = ?"_s, {h.dh});
    if (d.carriesMoney())
        sql::exec(db, u"DELETE FROM "_s + d.moneyTable + u" WHERE dh = ?"_s, {h.dh});
    sql::exec(db, u"UPDATE "_s + d.headerTable + u" SET shbj = ? WHERE id = ?"_s, {kHeld, h.id});
    return {};
}

// A line's stored values from its quantity, price and unit cost.
bool priceLine(const Descriptor &d, Line &l)
{
    l.je = (l.sl * l.jg).roundedTo2();
    if (d.linesCarryCost) {
        l.cbje = (l.cbjg * l.sl).roundedTo2();
        l.maoli = l.je - l.cbje;
    } else {
        l.cbjg = l.cbje = l.maoli = Decimal();
    }
    return l.sl.isValid() && l.jg.isValid() && l.je.isValid() && l.cbjg.isValid() &&
           l.cbje.isValid() && l.maoli.isValid();
}

LineAdded insertLine(const QSqlDatabase &db, const Descriptor &d, Line l)
{
    LineAdded r;
    if (l.dh.trimmed().isEmpty()) {
        r.outcome = refusal(u"没有单号，不能添加明细！"_s, Field::None, Severity::Warning);
        return r;
    }
    if (!priceLine(d, l)) {
        r.outcome = outOfRange();
        return r;
    }
    try {
        // The check and the write see the same state, and a write that fails
        // part way leaves nothing.
        Transaction tx(db);
        if (isPosted(db, d, l.dh)) {
            r.outcome = postedRefusal();
            return r;
        }
        l.bj = u"dz"_s;
        QString statement = u"INSERT INTO "_s + d.lineTable +
                            u" (dh, bj, txm, ppgg, dw, sl, jg, je"_s;
        sql::Binds binds{l.dh, l.bj, textOf(l.txm), textOf(l.ppgg), textOf(l.dw),
                         units(l.sl), units(l.jg), units(l.je)};
        if (d.linesCarryCost) {
            statement += u", cbjg, cbje, maoli) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s;
            binds.push_back(units(l.cbjg));
            binds.push_back(units(l.cbje));
            binds.push_back(units(l.maoli));
        } else {
            statement += u") VALUES (?, ?, ?, ?, ?, ?, ?, ?)"_s;
        }
        const sql::Query q = sql::exec(db, statement, binds);
        l.id = q.lastInsertId().toLongLong();
        tx.commit();
    } catch (const DbError &e) {
        r.outcome = databaseFailure(e);
        return r;
    }
    r.line = l;
    return r;
}

}  // namespace

// ---- Number fields ----------------------------------------------------------------

Decimal fieldNumber(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t == u"-"_s)
        return Decimal();
    return Decimal::parse(decimaltext::rewriteTo2IfLonger(t));
}

QString notANumberMessage(const QString &caption)
{
    return caption + u"不是有效的数字！"_s;
}

// ---- Descriptors ------------------------------------------------------------------

const Descriptor &descriptor(DocumentKind kind)
{
    static const Descriptor retail = makeRetail();
    static const Descriptor wholesale = makeWholesale();
    static const Descriptor purchase = makePurchase();
    static const Descriptor movement = makeMovement();
    switch (kind) {
    case DocumentKind::Retail:
        return retail;
    case DocumentKind::Wholesale:
        return wholesale;
    case DocumentKind::Purchase:
        return purchase;
    case DocumentKind::Movement:
        return movement;
    }
    return retail;
}

std::optional<DocumentKind> kindOfNumber(const QString &dh)
{
    for (DocumentKind k : {DocumentKind::Retail, DocumentKind::Wholesale, DocumentKind::Purchase,
                           DocumentKind::Movement}) {
        if (dh.startsWith(descriptor(k).prefix))
            return k;
    }
    return std::nullopt;
}

// ---- Goods look-up ------------------------------------------------------------------

std::optional<Goods> findGoodsByCode(const QSqlDatabase &db, const QString &code)
{
    // An emptied code field is no code: goods without a code are chosen in the picker.
    if (code.isEmpty())
        return std::nullopt;
    sql::Query q = sql::exec(db,
                            u"SELECT id, lb, txm, ppgg, dw, jj, xjpf, xjls, kcsl, kcjg, kcje"
                            " FROM sp WHERE txm = ? LIMIT 2"_s,
                            {code});
    if (!q.next())
        return std::nullopt;
    Goods g;
    g.id = q.toLongLong(0);
    g.lb = q.text(1);
    g.txm = q.text(2);
    g.ppgg = q.text(3);
    g.dw = q.text(4);
    g.jj = decimalAt(q, 5);
    g.xjpf = decimalAt(q, 6);
    g.xjls = decimalAt(q, 7);
    g.kcsl = decimalAt(q, 8);
    g.kcjg = decimalAt(q, 9);
    g.kcje = decimalAt(q, 10);
    if (q.next())
        return std::nullopt;  // the code is shared: not one article
    return g;
}

Decimal defaultPrice(const Descriptor &d, const Goods &g)
{
    return g.*d.defaultPrice;
}

// ---- Lines --------------------------------------------------------------------------

std::vector<Line> lineSet(const QSqlDatabase &db, const Descriptor &d, const QString &dh,
                          Mode mode)
{
    return linesWhere(db, d, dh, mode == Mode::New ? u"bj = 'dz'"_s : u"bj <> 'ds'"_s);
}

Totals totalsOf(const std::vector<Line> &lines)
{
    Totals t;
    for (const Line &l : lines) {
        t.quantity += l.sl;
        t.amount += l.je;
    }
    return t;
}

LineAdded addLine(const QSqlDatabase &db, const Descriptor &d, const QString &dh,
                  const LineInput &in)
{
    LineAdded r;
    if (in.ppgg.trimmed().isEmpty()) {
        r.outcome = refusal(u"商品不可为空！"_s, Field::Goods);
        return r;
    }
    const auto sl = readNumber(in.quantity, u"数量"_s, Field::Quantity, r.outcome);
    if (!sl)
        return r;
    if (sl->isZero()) {
        r.outcome = refusal(u"数量不可为零！"_s, Field::Quantity);
        return r;
    }
    const auto jg = readNumber(in.price, u"单价"_s, Field::Price, r.outcome);
    if (!jg)
        return r;
    Line l;
    l.dh = dh;
    l.txm = in.txm;
    l.ppgg = in.ppgg;
    l.dw = in.dw;
    l.sl = *sl;
    l.jg = *jg;
    l.cbjg = d.linesCarryCost ? in.unitCost : Decimal();
    return insertLine(db, d, l);
}

LineAdded addGoodsLine(const QSqlDatabase &db, const Descriptor &d, const QString &dh,
                       const Goods &g)
{
    Line l;
    l.dh = dh;
    l.txm = g.txm;
    l.ppgg = g.ppgg;
    l.dw = g.dw;
    l.sl = Decimal::fromUnits(Decimal::Scale);
    l.jg = defaultPrice(d, g);
    l.cbjg = d.linesCarryCost ? g.kcjg : Decimal();
    return insertLine(db, d, l);
}

Outcome editLine(const QSqlDatabase &db, const Descriptor &d, const QString &dh, qint64 lineId,
                 const QString &price, const QString &quantity)
{
    Outcome refused;
    const auto jg = readNumber(price, u"单价"_s, Field::Price, refused);
    if (!jg)
        return refused;
    const auto sl = readNumber(quantity, u"数量"_s, Field::Quantity, refused);
    if (!sl)
        return refused;
    if (sl->isZero())
        return refusal(u"数量不可为零！"_s, Field::Quantity);
    try {
        Transaction tx(db);
        auto line = lineById(db, d, dh, lineId);
        if (!line || line->bj == u"ds"_s)
            return refusal(u"没有明细可修改！"_s, Field::None, Severity::Warning);
        if (isPosted(db, d, dh))
            return postedRefusal();
        Line l = *line;
        l.sl = *sl;
        l.jg = *jg;
        if (!priceLine(d, l))
            return outOfRange();
        if (d.linesCarryCost) {
            sql::exec(db,
                      u"UPDATE "_s + d.lineTable +
                          u" SET sl = ?, jg = ?, je = ?, cbje = ?, maoli = ? WHERE id = ?"_s,
                      {units(l.sl), units(l.jg), units(l.je), units(l.cbje), units(l.maoli), l.id});
        } else {
            sql::exec(db, u"UPDATE "_s + d.lineTable + u" SET sl = ?, jg = ?, je = ? WHERE id = ?"_s,
                      {units(l.sl), units(l.jg), units(l.je), l.id});
        }
        tx.commit();
    } catch (const DbError &e) {
        return databaseFailure(e);
    }
    return {};
}

Outcome deleteLine(const QSqlDatabase &db, const Descriptor &d, const QString &dh,
                   qint64 lineId)
{
    try {
        Transaction tx(db);
        const auto line = lineById(db, d, dh, lineId);
        if (!line || line->bj == u"ds"_s)
            return refusal(u"没有明细可删除！"_s, Field::None, Severity::Warning);
        if (isPosted(db, d, dh))
            return postedRefusal();
        if (line->bj == u"dz"_s)
            sql::exec(db, u"DELETE FROM "_s + d.lineTable + u" WHERE id = ?"_s, {lineId});
        else
            sql::exec(db, u"UPDATE "_s + d.lineTable + u" SET bj = 'ds' WHERE id = ?"_s,
                      {lineId});
        tx.commit();
    } catch (const DbError &e) {
        return databaseFailure(e);
    }
    return {};
}

// ---- Amount rules -----------------------------------------------------------------------

std::optional<QString> amountRuleBroken(const Descriptor &d, const Amounts &a, AmountCheck check)
{
    if (!d.carriesMoney())
        return std::nullopt;
    const AmountMessages &m = d.amountMessages;
    const Decimal &T = a.total;
    const Decimal &Y = a.rounding;
    const Decimal &P = a.due;
    const Decimal &S = a.settled;
    if (T.isZero()) {
        if (!Y.isZero())
            return m[0];
        if (!S.isZero())
            return m[1];
    } else if (T.isPositive()) {
        if (Y.isNegative())
            return check == AmountCheck::Finalize && !d.finalizeRoundingNegative.isEmpty()
                       ? d.finalizeRoundingNegative
                       : m[2];
        if (Y > T)
            return m[3];
        if (S.isNegative())
            return m[4];
        if (S > P)
            return m[5];
    } else {
        if (Y.isPositive())
            return m[6];
        if (Y < T)
            return m[7];
        if (S.isPositive())
            return m[8];
        if (S < P)
            return m[9];
    }
    return std::nullopt;
}

// ---- Saving ----------------------------------------------------------------------------

Saved save(const QSqlDatabase &db, const Descriptor &d, const QString &dh, Mode mode,
           const HeaderInput &h, SaveAs as, const QString &operatorName, const QDate &today)
{
    Saved r;
    const QString handler = textOf(h.handler.trimmed());
    const QString partner = textOf(h.partner.trimmed());
    const QString remark = textOf(h.remark.trimmed());
    const QString rq = dates::toDbText(h.date);
    if (handler.isEmpty()) {
        r.outcome = refusal(u"经办人不可为空！"_s, Field::Handler);
        return r;
    }
    if (partner.isEmpty()) {
        r.outcome = refusal(d.partnerMissing, Field::Partner);
        return r;
    }
    if (!h.date.isValid()) {
        r.outcome = refusal(u"日期无效！"_s);
        return r;
    }

    try {
        Transaction tx(db);
        const std::vector<Line> lines = lineSet(db, d, dh, mode);
        if (lines.empty()) {
            r.outcome = refusal(u"明细不可为空！"_s);
            return r;
        }
        Decimal rounding, settled;
        if (d.carriesMoney()) {
            const auto y = readNumber(h.rounding, u"抹零额"_s, Field::Rounding, r.outcome);
            if (!y)
                return r;
            const auto s = readNumber(h.settled, d.settledCaption, Field::Settled, r.outcome);
            if (!s)
                return r;
            rounding = *y;
            settled = *s;
        }
        const Totals totals = totalsOf(lines);
        const Decimal due = totals.amount - rounding;
        const Decimal owed = due - settled;
        if (!totals.quantity.isValid() || !totals.amount.isValid() || !due.isValid() ||
            !owed.isValid()) {
            r.outcome = outOfRange();
            return r;
        }
        const AmountCheck check =
            as == SaveAs::Finalize ? AmountCheck::Finalize : AmountCheck::HoldOrPrint;
        if (auto broken = amountRuleBroken(d, {totals.amount, rounding, due, settled}, check)) {
            r.outcome = refusal(*broken);
            return r;
        }

        const std::optional<Header> existing = headerIn(db, d, dh);
        if (mode == Mode::New && existing) {
            r.outcome = refusal(u"单号已被使用，请重新开单！"_s, Field::None, Severity::Warning);
            return r;
        }
        if (mode == Mode::Edit && (!existing || existing->shbj != kHeld)) {
            r.outcome = refusal(u"本挂单已不存在或已审核，不能保存！"_s, Field::None,
                                Severity::Warning);
            return r;
        }

        const QString shbj = as == SaveAs::Finalize ? kPosted : kHeld;
        sql::Binds binds{shbj,    textOf(operatorName), rq,
                         partner, handler,              remark,
                         units(totals.quantity),        units(totals.amount)};
        QString moneyAssign, moneyColumns, moneyMarks;
        if (d.carriesMoney()) {
            moneyAssign = u", yhe = ?, "_s + d.dueColumn + u" = ?, "_s + d.settledColumn +
                          u" = ?, qk = ?"_s;
            moneyColumns = u", yhe, "_s + d.dueColumn + u", "_s + d.settledColumn + u", qk"_s;
            moneyMarks = u", ?, ?, ?, ?"_s;
            binds.insert(binds.end(), {units(rounding), units(due), units(settled), units(owed)});
        }
        if (mode == Mode::New) {
            binds.push_back(dh);
            binds.push_back(dates::toDbText(today));
            sql::exec(db,
                      u"INSERT INTO "_s + d.headerTable + u" (shbj, zhidan, rq, "_s +
                          d.partnerColumn + u", jsr, bz, hjsl, hjje"_s + moneyColumns +
                          u", dh, kdrq) VALUES (?, ?, ?, ?, ?, ?, ?, ?"_s + moneyMarks +
                          u", ?, ?)"_s,
                      binds);
        } else {
            binds.push_back(existing->id);
            sql::exec(db,
                      u"UPDATE "_s + d.headerTable + u" SET shbj = ?, zhidan = ?, rq = ?, "_s +
                          d.partnerColumn + u" = ?, jsr = ?, bz = ?, hjsl = ?, hjje = ?"_s +
                          moneyAssign + u" WHERE id = ?"_s,
                      binds);
        }
        if (as == SaveAs::Finalize)
            postIn(db, d, dh, lines, rq, partner, handler, settled);
        settleMarksIn(db, d, dh);

        r.next = mode == Mode::New ? numbering::nextAfterSave(d.numberingKind, dh, today)
                                   : numbering::nextOfToday(db, d.numberingKind, today);
        tx.commit();
        r.totals = totals;
        r.due = due;
        r.settled = settled;
        r.owed = owed;
    } catch (const DbError &e) {
        r.outcome = databaseFailure(e);
        r.next = {};
    }
    return r;
}

// ---- Headers, held documents, abandoning ---------------------------------------------------

std::optional<Header> readHeader(const QSqlDatabase &db, const Descriptor &d, const QString &dh)
{
    return headerIn(db, d, dh);
}

namespace {

// Which headers are held documents of this kind that the filter takes.
QString heldCondition(const Descriptor &d, const HeldFilter &f, sql::Binds &binds)
{
    QString where = d.partnerColumn + u" LIKE '%' || ? || '%'"_s;
    binds.push_back(textOf(f.partner));
    if (f.from && f.to) {
        where += u" AND rq >= ? AND rq <= ?"_s;
        binds.push_back(dates::toDbText(*f.from));
        binds.push_back(dates::toDbText(*f.to));
    }
    where += u" AND shbj = ? AND substr(dh, 1, 3) = ?"_s;
    binds.push_back(kHeld);
    binds.push_back(d.prefix);
    return where;
}

}  // namespace

std::vector<Header> heldDocuments(const QSqlDatabase &db, const Descriptor &d,
                                  const HeldFilter &f)
{
    sql::Binds binds;
    const QString where = heldCondition(d, f, binds);
    sql::Query q = sql::exec(db,
                            u"SELECT "_s + headerColumns(d) + u" FROM "_s + d.headerTable +
                                u" WHERE "_s + where + u" ORDER BY id"_s,
                            binds);
    std::vector<Header> out;
    while (q.next())
        out.push_back(headerFrom(d, q));
    return out;
}

ListQuery heldQuery(const Descriptor &d, const HeldFilter &f)
{
    sql::Binds binds;
    const QString where = heldCondition(d, f, binds);
    return ListQuery(u"SELECT id, shbj, rq, dh, "_s + d.partnerColumn +
                         u" AS partner, hjsl, hjje, jsr FROM "_s + d.headerTable + u" WHERE "_s +
                         where,
                     binds, {});
}

Outcome abandon(const QSqlDatabase &db, const Descriptor &d, const QString &dh)
{
    try {
        Transaction tx(db);
        abandonIn(db, d, dh);
        tx.commit();
    } catch (const DbError &e) {
        return databaseFailure(e);
    }
    return {};
}

Taken takeHeld(const QSqlDatabase &db, const Descriptor &d, const QString &currentDh,
               const QString &heldDh)
{
    Taken r;
    try {
        Transaction tx(db);
        const std::optional<Header> held = headerIn(db, d, heldDh);
        if (!held || held->shbj != kHeld || !heldDh.startsWith(d.prefix)) {
            r.outcome = refusal(u"所选单据不是挂单，不能取单！"_s, Field::None, Severity::Warning);
            return r;
        }
        abandonIn(db, d, currentDh);
        // Leftovers of an edit that never ended (the program stopped midway)
        // are dropped too: the held document comes back as it was saved.
        abandonIn(db, d, heldDh);
        tx.commit();
        r.header = *held;
    } catch (const DbError &e) {
        r.outcome = databaseFailure(e);
    }
    return r;
}

// ---- Interrupted entries ------------------------------------------------------------------

std::optional<int> removeInterruptedEntries(const QSqlDatabase &db, const QDate &today)
{
    // A number is the kind's prefix, the day as yyyymmdd, the serial.
    const QString day = today.toString(u"yyyyMMdd"_s);
    int removed = 0;
    try {
        Transaction tx(db);
        for (DocumentKind k : {DocumentKind::Retail, DocumentKind::Purchase, DocumentKind::Movement}) {
            // Retail and wholesale share their tables.
            const Descriptor &d = descriptor(k);
            const sql::Query q = sql::exec(
                db,
                u"DELETE FROM "_s + d.lineTable + u" WHERE bj = 'dz' AND substr(dh, 4, 8) < ?"
                    " AND NOT EXISTS (SELECT 1 FROM "_s + d.headerTable + u" WHERE "_s +
                    d.headerTable + u".dh = "_s + d.lineTable + u".dh)"_s,
                {day});
            removed += std::max(q.numRowsAffected(), 0);
        }
        tx.commit();
    } catch (const DbError &e) {
        qWarning("could not remove the unsaved lines of interrupted entries: %s",
                 qPrintable(e.message()));
        return std::nullopt;
    }
    qInfo("removed %d unsaved lines of entries interrupted before %s", removed,
          qPrintable(dates::toDbText(today)));
    return removed;
}

// ---- Management --------------------------------------------------------------------------

Outcome reverse(const QSqlDatabase &db, const Descriptor &d, const QString &dh)
{
    try {
        Transaction tx(db);
        const std::optional<Header> h = headerIn(db, d, dh);
        if (!h)
            return goneRefusal();
        Outcome o = reverseIn(db, d, *h);
        if (!o.ok())
            return o;
        tx.commit();
    } catch (const DbError &e) {
        return databaseFailure(e);
    }
    return {};
}

Outcome deleteDocument(const QSqlDatabase &db, const Descriptor &d, const QString &dh,
                       Header *deleted)
{
    try {
        Transaction tx(db);
        const std::optional<Header> h = headerIn(db, d, dh);
        if (!h)
            return goneRefusal();
        if (h->shbj == kPosted) {
            Outcome o = reverseIn(db, d, *h);
            if (!o.ok())
                return o;
        }
        sql::exec(db, u"DELETE FROM "_s + d.lineTable + u" WHERE dh = ?"_s, {dh});
        sql::exec(db, u"DELETE FROM "_s + d.ledgerTable + u" WHERE dh = ?"_s, {dh});
        sql::exec(db, u"DELETE FROM "_s + d.headerTable + u" WHERE dh = ?"_s, {dh});
        tx.commit();
        if (deleted)
            *deleted = *h;
    } catch (const DbError &e) {
        return databaseFailure(e);
    }
    return {};
}

}  // namespace documents
