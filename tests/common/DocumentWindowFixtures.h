#pragma once

// Helpers the document-window tests share: goods rows, scanning at the
// counter, bringing a window to the front; ModalDialogs.h answers the modal
// dialogs a key opens.
#include "core/money/Decimal.h"
#include "core/db/Sql.h"
#include "windows/documents/DocumentWindow.h"
#include "ui/NumberEdit.h"
#include "ModalDialogs.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace windowfixture {

using namespace Qt::Literals::StringLiterals;

inline qlonglong units(const QString &text)
{
    return Decimal::parse(text).units();
}

// A goods row with its prices "jj xjpf xjls" and stock "kcsl kcjg kcje".
inline void addGoods(const QSqlDatabase &db, const QString &txm, const QString &ppgg,
                     const QString &prices, const QString &stock)
{
    const QStringList p = prices.split(u' '), s = stock.split(u' ');
    sql::exec(db,
              u"INSERT INTO sp (lb, txm, ppgg, dw, jj, xjpf, xjls, kcsl, kcjg, kcje)"
              " VALUES ('五金工具', ?, ?, '个', ?, ?, ?, ?, ?, ?)"_s,
              {txm, ppgg, units(p[0]), units(p[1]), units(p[2]), units(s[0]), units(s[1]),
               units(s[2])});
}

// The goods row of a code as "kcsl kcjg kcje".
inline QString stockOf(const QSqlDatabase &db, const QString &txm)
{
    sql::Query q = sql::exec(db, u"SELECT kcsl, kcjg, kcje FROM sp WHERE txm = ?"_s, {txm});
    if (!q.next())
        return QString();
    QStringList v;
    for (int i = 0; i < 3; ++i)
        v << Decimal::fromUnits(q.value(i).toLongLong()).toShortest();
    return v.join(u' ');
}

inline int count(const QSqlDatabase &db, const QString &statement, const sql::Binds &binds = {})
{
    return sql::scalar(db, statement, binds).toInt();
}

inline QString decimalText(const QSqlDatabase &db, const QString &statement,
                           const sql::Binds &binds = {})
{
    return Decimal::fromUnits(sql::scalar(db, statement, binds).toLongLong()).toShortest();
}

// Types a code, Enter, the quantity (when given), Enter: one line as at the
// counter.
inline void scan(DocumentWindow &w, const QString &code, const QString &quantity = QString())
{
    w.txm->setFocus();
    w.txm->clear();
    QTest::keyClicks(w.txm, code);
    QTest::keyClick(w.txm, Qt::Key_Return);
    if (!quantity.isEmpty()) {
        w.sl->selectAll();
        QTest::keyClicks(w.sl, quantity);
    }
    QTest::keyClick(w.sl, Qt::Key_Return);
}

// Brings the window back to the front, as the desktop does when a dialog it
// opened closes (the offscreen platform does not), so that its keys work.
inline bool activate(QWidget *w)
{
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

// Shows the window and makes it the active one.
inline bool showActive(QWidget *w)
{
    w->show();
    return QTest::qWaitForWindowExposed(w) && activate(w);
}

// The caption of the label whose buddy is this field.
inline QString captionOf(QWidget *window, QWidget *field)
{
    for (QLabel *l : window->findChildren<QLabel *>()) {
        if (l->buddy() == field)
            return l->text();
    }
    return QString();
}

// One line through the entry row: code, price (when given), quantity, F10.
inline void addLine(DocumentWindow &w, const QString &code, const QString &quantity,
                    const QString &price = QString())
{
    w.txm->setText(code);
    if (!price.isEmpty())
        w.jg->setText(price);
    w.sl->setText(quantity);
    w.SB1Click();
}

}  // namespace windowfixture
