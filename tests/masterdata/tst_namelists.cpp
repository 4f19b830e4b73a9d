// The name lists: categories and units (windows and dialogs), and the shared
// operations under them that also serve movement reasons and income/expense
// items.
#include "ModalDialogs.h"
#include "TestSupport.h"

#include "core/db/Sql.h"
#include "core/masterdata/NameLists.h"
#include "windows/masterdata/Udw1.h"
#include "windows/masterdata/Ulb1.h"
#include "windows/masterdata/Utjdw1.h"
#include "windows/masterdata/Utjlb1.h"
#include "ui/ListGrid.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTimer>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;
using namelists::Check;

Q_DECLARE_METATYPE(const NameTable *)

namespace {

QStringList namesIn(QSqlDatabase db, const NameTable &t)
{
    QStringList out;
    sql::Query q = sql::exec(db, u"SELECT "_s + t.column + u" FROM "_s + t.table +
                                    u" ORDER BY id"_s);
    while (q.next())
        out << q.value(0).toString();
    return out;
}

QStringList shownNames(const ListGrid &g, int column = 0)
{
    QStringList out;
    for (int r = 0; r < g.rowCount(); ++r)
        out << g.model()->index(r, column).data().toString();
    return out;
}

QPushButton *button(QWidget *w, const QString &caption)
{
    for (QPushButton *b : w->findChildren<QPushButton *>())
        if (b->text() == caption)
            return b;
    qFatal("no button %s", qPrintable(caption));
}

}  // namespace

class TestNameLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addTrimsAndRefusesDuplicates_data();
    void addTrimsAndRefusesDuplicates();
    void kindIsPartOfTheItemKey();
    void renameAllowsExistingNamesOnly();
    void deletingLeavesGoodsTheirName();
    void refusalsCarryTheirWords_data();
    void refusalsCarryTheirWords();

    void categoriesWindowShowsAndChooses();
    void emptyListsRefuseWithTheirWords_data();
    void emptyListsRefuseWithTheirWords();
    void addingThroughTheDialogStaysOpen();
    void editThroughPopupClosesAfterSave();
    void deleteAsksFirst();
    void unitsAreNotSortedByTitle();
    void listWithAKindAddsUnderIt();

private:
    Session m_session;
};

// ---- operations ----------------------------------------------------------------

void TestNameLists::refusalsCarryTheirWords_data()
{
    QTest::addColumn<const NameTable *>("table");
    QTest::addColumn<QString>("emptyName");
    QTest::addColumn<QString>("duplicate");
    QTest::newRow("categories") << &namelists::categories() << u"商品类别不可为空！"_s
                                << u"商品类别不可重复！"_s;
    QTest::newRow("units") << &namelists::units() << u"计量单位不可为空！"_s
                           << u"计量单位不可重复！"_s;
    QTest::newRow("reasons") << &namelists::reasons() << u"异动原因不可为空！"_s
                             << u"异动原因不可重复！"_s;
    QTest::newRow("income/expense items") << &namelists::incomeExpenseItems()
                                          << u"项目不可为空！"_s << u"项目不可重复！"_s;
}

// A refused save answers with the list's words, how they are shown and the
// field that takes the focus; a database failure is answered too.
void TestNameLists::refusalsCarryTheirWords()
{
    QFETCH(const NameTable *, table);
    QFETCH(QString, emptyName);
    QFETCH(QString, duplicate);
    FreshShop shop;
    const QString kind = table->groupColumn.isEmpty() ? QString() : u"支出"_s;
    const namelists::Saved added = namelists::add(shop.db(), *table, u"新名字"_s, kind);
    QVERIFY(added.ok());
    QVERIFY(added.id > 0);

    namelists::Saved s = namelists::add(shop.db(), *table, u"  "_s, kind);
    QCOMPARE(s.message, emptyName);
    QCOMPARE(s.severity, Severity::Info);
    QCOMPARE(s.focus, namelists::Field::Name);
    s = namelists::add(shop.db(), *table, u"新名字"_s, kind);
    QCOMPARE(s.message, duplicate);
    QCOMPARE(s.severity, Severity::Warning);
    QCOMPARE(s.focus, namelists::Field::Name);
    s = namelists::rename(shop.db(), *table, added.id, u" "_s);
    QCOMPARE(s.message, emptyName);
    if (!kind.isEmpty()) {
        s = namelists::add(shop.db(), *table, u"押金"_s, u" "_s);
        QCOMPARE(s.message, u"类别不可为空！"_s);
        QCOMPARE(s.focus, namelists::Field::Group);
    }

    sql::exec(shop.db(), u"ALTER TABLE "_s + table->table + u" RENAME TO gone"_s);
    s = namelists::add(shop.db(), *table, u"别的"_s, kind);
    QCOMPARE(s.check, Check::Failed);
    QCOMPARE(s.severity, Severity::Error);
    QVERIFY(!s.ok());
    QCOMPARE(namelists::rename(shop.db(), *table, added.id, u"别的"_s).severity, Severity::Error);
    QCOMPARE(namelists::remove(shop.db(), *table, added.id).severity, Severity::Error);
}

void TestNameLists::addTrimsAndRefusesDuplicates_data()
{
    QTest::addColumn<const NameTable *>("table");
    QTest::newRow("categories") << &namelists::categories();
    QTest::newRow("units") << &namelists::units();
    QTest::newRow("movement reasons") << &namelists::reasons();
}

void TestNameLists::addTrimsAndRefusesDuplicates()
{
    QFETCH(const NameTable *, table);
    FreshShop shop;
    const QStringList before = namesIn(shop.db(), *table);

    const namelists::Added added = namelists::add(shop.db(), *table, u"  五金 \t"_s);
    QCOMPARE(added.check, Check::Done);
    QVERIFY(added.id > 0);
    QCOMPARE(namesIn(shop.db(), *table), before + QStringList(u"五金"_s));
    QCOMPARE(namelists::add(shop.db(), *table, u"五金"_s).check, Check::Duplicate);
    QCOMPARE(namelists::add(shop.db(), *table, u" 五金"_s).check, Check::Duplicate);
    QCOMPARE(namelists::add(shop.db(), *table, u"   "_s).check, Check::EmptyName);
    QCOMPARE(namelists::add(shop.db(), *table, QString()).check, Check::EmptyName);

    // An apostrophe is stored and found like any other character.
    QCOMPARE(namelists::add(shop.db(), *table, u"O'Brien's"_s).check, Check::Done);
    QVERIFY(namelists::contains(shop.db(), *table, u"O'Brien's"_s));
    QCOMPARE(namelists::add(shop.db(), *table, u"O'Brien's"_s).check, Check::Duplicate);
    // Latin letters are one name whatever their case.
    QCOMPARE(namelists::add(shop.db(), *table, u"PCS"_s).check, Check::Done);
    QCOMPARE(namelists::add(shop.db(), *table, u"pcs"_s).check, Check::Duplicate);
    const QStringList added3{u"五金"_s, u"O'Brien's"_s, u"PCS"_s};
    QCOMPARE(namesIn(shop.db(), *table), before + added3);
}

void TestNameLists::kindIsPartOfTheItemKey()
{
    FreshShop shop;
    const NameTable &items = namelists::incomeExpenseItems();
    QCOMPARE(namelists::add(shop.db(), items, u"房租"_s, u"支出"_s).check, Check::Duplicate);
    QCOMPARE(namelists::add(shop.db(), items, u" 房租 "_s, u"收入"_s).check, Check::Done);
    QCOMPARE(namelists::add(shop.db(), items, u"房租"_s, u"收入"_s).check, Check::Duplicate);
    QCOMPARE(namelists::add(shop.db(), items, u"押金"_s, u"  "_s).check, Check::EmptyGroup);
    QCOMPARE(namelists::add(shop.db(), items, u"  "_s, u"支出"_s).check, Check::EmptyName);
    const QVariant stored = sql::scalar(
        shop.db(), u"SELECT count(*) FROM szxm WHERE xm = ? AND lb = ?"_s, {u"房租"_s, u"收入"_s});
    QCOMPARE(stored.toInt(), 1);
    QVERIFY(!namelists::contains(shop.db(), items, u"押金"_s, u"支出"_s));
}

void TestNameLists::renameAllowsExistingNamesOnly()
{
    FreshShop shop;
    const NameTable &t = namelists::categories();
    const qint64 id = namelists::add(shop.db(), t, u"五金"_s).id;
    // Renaming to a name another category has is accepted.
    QCOMPARE(namelists::rename(shop.db(), t, id, u" 紧固件 "_s).check, Check::Done);
    QCOMPARE(namesIn(shop.db(), t).count(u"紧固件"_s), 2);
    QCOMPARE(namelists::rename(shop.db(), t, id, u" "_s).check, Check::EmptyName);
    QCOMPARE(namesIn(shop.db(), t).count(u"紧固件"_s), 2);
    QCOMPARE(namelists::rename(shop.db(), t, id, u"It's"_s).check, Check::Done);
    QVERIFY(namelists::contains(shop.db(), t, u"It's"_s));
}

void TestNameLists::deletingLeavesGoodsTheirName()
{
    FreshShop shop;
    const NameTable &t = namelists::categories();
    const qint64 id = namelists::add(shop.db(), t, u"五金"_s).id;
    sql::exec(shop.db(), u"INSERT INTO sp (lb, txm, ppgg, dw) VALUES ('五金', '01', '扳手', '把')"_s);
    namelists::remove(shop.db(), t, id);
    QVERIFY(!namelists::contains(shop.db(), t, u"五金"_s));
    QCOMPARE(sql::scalar(shop.db(), u"SELECT lb FROM sp WHERE txm = '01'"_s).toString(), u"五金"_s);
}

// ---- windows ---------------------------------------------------------------

void TestNameLists::categoriesWindowShowsAndChooses()
{
    FreshShop shop;
    const WindowContext ctx{shop.dm(), m_session};
    const QStringList starters = namesIn(shop.db(), namelists::categories());
    QVERIFY(starters.size() > 2);

    QLineEdit lb;
    lb.setText(u"旧的"_s);
    TFlb1 w(ctx);
    w.setChoiceTarget(&lb);
    QCOMPARE(w.windowTitle(), u"商品类别设置"_s);
    QCOMPARE(w.grid()->model()->headerData(0, Qt::Horizontal).toString(), u"类别"_s);
    QCOMPARE(shownNames(*w.grid()), starters);
    for (const QString &caption : {u"新增"_s, u"删除"_s, u"关闭"_s, u"选择"_s})
        QVERIFY(button(&w, caption));

    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.grid()->setFocus();
    QTest::keyClick(w.grid(), Qt::Key_Down);
    QTest::keyClick(w.grid(), Qt::Key_Return);
    QCOMPARE(lb.text(), starters[1]);
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QVERIFY(!w.isVisible());

    // A function may take the choice instead of a field.
    TFlb1 again(ctx);
    QString taken;
    again.setChoiceHandler([&taken](const QString &name) { taken = name; });
    again.grid()->setCurrentRow(2);
    button(&again, u"选择"_s)->click();
    QCOMPARE(taken, starters[2]);

    // Esc closes without choosing.
    TFlb1 third(ctx);
    third.setChoiceTarget(&lb);
    third.show();
    QVERIFY(QTest::qWaitForWindowExposed(&third));
    third.grid()->setFocus();
    QTest::keyClick(third.grid(), Qt::Key_Escape);
    QVERIFY(!third.isVisible());
    QCOMPARE(third.result(), int(QDialog::Rejected));
    QCOMPARE(lb.text(), starters[1]);
}

void TestNameLists::emptyListsRefuseWithTheirWords_data()
{
    QTest::addColumn<bool>("units");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("categories") << false
                                << QStringList{u"没有类别可选择！"_s, u"没有类别可修改！"_s,
                                               u"没有类别可删除！"_s};
    QTest::newRow("units") << true
                           << QStringList{u"没有单位可选择！"_s, u"没有单位可修改！"_s,
                                          u"没有单位可删除！"_s};
}

void TestNameLists::emptyListsRefuseWithTheirWords()
{
    QFETCH(bool, units);
    QFETCH(QStringList, messages);
    FreshShop shop;
    sql::exec(shop.db(), units ? u"DELETE FROM dw"_s : u"DELETE FROM lb"_s);
    const WindowContext ctx{shop.dm(), m_session};
    std::unique_ptr<NameListWindow> w;
    if (units)
        w = std::make_unique<TFdw1>(ctx);
    else
        w = std::make_unique<TFlb1>(ctx);
    QLineEdit field;
    field.setText(u"不动"_s);
    w->setChoiceTarget(&field);

    ScriptedMessages shown;
    w->grid()->setFocus();
    QTest::keyClick(w->grid(), Qt::Key_Return);
    w->findChild<QAction *>(u"editAction"_s)->trigger();
    w->findChild<QAction *>(u"deleteAction"_s)->trigger();
    QCOMPARE(shown.texts(), messages);
    for (const msg::Shown &m : shown.shown()) {
        QCOMPARE(m.caption, u"警告"_s);
        QCOMPARE(m.icon, msg::Icon::Warning);
    }
    QCOMPARE(field.text(), u"不动"_s);
    QVERIFY(w->result() != QDialog::Accepted);
}

void TestNameLists::addingThroughTheDialogStaysOpen()
{
    FreshShop shop;
    const WindowContext ctx{shop.dm(), m_session};
    TFlb1 w(ctx);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const int before = w.grid()->rowCount();
    ScriptedMessages messages;
    QStringList seen;

    whenShown<TFtjlb1>([&](TFtjlb1 *d) {
        QCOMPARE(d->windowTitle(), u"新增商品类别"_s);
        QCOMPARE(d->formMode(), FormMode::Add);
        QCOMPARE(d->focusWidget(), d->Edit1);
        // Spaces around are dropped; the dialog stays open, emptied.
        d->Edit1->setText(u"  五金  "_s);
        QTest::keyClick(d->Edit1, Qt::Key_Return);
        QVERIFY(d->isVisible());
        QCOMPARE(d->Edit1->text(), QString());
        seen << w.grid()->currentValue(u"lb"_s).toString();
        // The same name again is refused and nothing is written.
        d->Edit1->setText(u"五金"_s);
        d->BitBtn1->click();
        // Empty is refused too.
        d->Edit1->setText(u"   "_s);
        d->BitBtn1->click();
        // A name with an apostrophe.
        d->Edit1->setText(u"Bob's 工具"_s);
        d->BitBtn1->click();
        seen << w.grid()->currentValue(u"lb"_s).toString();
        QTest::keyClick(d->Edit1, Qt::Key_Escape);
    });
    button(&w, u"新增"_s)->click();

    QCOMPARE(seen, (QStringList{u"五金"_s, u"Bob's 工具"_s}));
    QCOMPARE(messages.texts(), (QStringList{u"商品类别不可重复！"_s, u"商品类别不可为空！"_s}));
    QCOMPARE(messages.shown()[0].caption, u"警告"_s);
    QCOMPARE(messages.shown()[1].caption, u"提示"_s);
    QCOMPARE(w.grid()->rowCount(), before + 2);
    QCOMPARE(namesIn(shop.db(), namelists::categories()).mid(before),
             (QStringList{u"五金"_s, u"Bob's 工具"_s}));
    QVERIFY(namelists::contains(shop.db(), namelists::categories(), u"Bob's 工具"_s));
}

void TestNameLists::editThroughPopupClosesAfterSave()
{
    FreshShop shop;
    const WindowContext ctx{shop.dm(), m_session};
    const QStringList starters = namesIn(shop.db(), namelists::categories());
    TFlb1 w(ctx);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.grid()->titleClick(0);  // sorted by name; the edit keeps the sort
    w.grid()->selectWhere(u"lb"_s, starters[0]);
    bool closed = false;
    whenShown<TFtjlb1>([&](TFtjlb1 *d) {
        QCOMPARE(d->windowTitle(), u"修改商品类别"_s);
        QCOMPARE(d->formMode(), FormMode::Edit);
        QCOMPARE(d->Edit1->text(), starters[0]);
        d->Edit1->setText(u" "_s);
        d->BitBtn1->click();
        QVERIFY(d->isVisible());
        // Renaming to another category's name is accepted.
        d->Edit1->setText(u" "_s + starters[1] + u" "_s);
        d->BitBtn1->click();
        closed = !d->isVisible();
    });
    {
        ScriptedMessages messages;
        w.findChild<QAction *>(u"editAction"_s)->trigger();
        QCOMPARE(messages.texts(), QStringList{u"商品类别不可为空！"_s});
    }
    QVERIFY(closed);
    QStringList expected = starters;
    expected[0] = starters[1];
    QCOMPARE(namesIn(shop.db(), namelists::categories()), expected);
    QCOMPARE(w.grid()->rows().sortOrder(), GridRows::Order::Ascending);
    QCOMPARE(w.grid()->currentValue(u"lb"_s).toString(), starters[1]);
    QCOMPARE(w.grid()->currentValue(u"id"_s).toLongLong(), 1);
}

void TestNameLists::deleteAsksFirst()
{
    FreshShop shop;
    const WindowContext ctx{shop.dm(), m_session};
    const QStringList starters = namesIn(shop.db(), namelists::categories());
    TFlb1 w(ctx);
    w.grid()->setCurrentRow(1);
    ScriptedMessages messages;
    messages.answer(msg::Answer::Cancel);
    button(&w, u"删除"_s)->click();
    QCOMPARE(namesIn(shop.db(), namelists::categories()), starters);
    button(&w, u"删除"_s)->click();
    QCOMPARE(messages.texts(),
             (QStringList{u"确定要删除此类别么？"_s, u"确定要删除此类别么？"_s}));
    QCOMPARE(messages.shown()[0].icon, msg::Icon::Question);
    QCOMPARE(messages.shown()[0].buttons, msg::Buttons::OkCancel);
    QStringList expected = starters;
    expected.removeAt(1);
    QCOMPARE(namesIn(shop.db(), namelists::categories()), expected);
    QCOMPARE(shownNames(*w.grid()), expected);
    // The row after the deleted one is current.
    QCOMPARE(w.grid()->currentValue(u"lb"_s).toString(), starters[2]);
}

void TestNameLists::unitsAreNotSortedByTitle()
{
    FreshShop shop;
    const WindowContext ctx{shop.dm(), m_session};
    TFdw1 units(ctx);
    QCOMPARE(units.windowTitle(), u"计量单位设置"_s);
    QCOMPARE(units.grid()->model()->headerData(0, Qt::Horizontal).toString(), u"计量单位"_s);
    const QStringList before = shownNames(*units.grid());
    units.grid()->titleClick(0);
    QCOMPARE(shownNames(*units.grid()), before);
    QCOMPARE(units.grid()->boldColumn(), -1);

    TFlb1 categories(ctx);
    const QStringList unsorted = shownNames(*categories.grid());
    categories.grid()->titleClick(0);
    QVERIFY(shownNames(*categories.grid()) != unsorted);
    QCOMPARE(categories.grid()->boldColumn(), 0);

    // The unit dialog speaks of units.
    TFtjdw1 d(ctx);
    QCOMPARE(d.windowTitle(), u"新增计量单位"_s);
    ScriptedMessages messages;
    d.BitBtn1->click();
    d.Edit1->setText(before[0]);
    d.BitBtn1->click();
    QCOMPARE(messages.texts(), (QStringList{u"计量单位不可为空！"_s, u"计量单位不可重复！"_s}));
    d.startEdit(1, before[0]);
    QCOMPARE(d.windowTitle(), u"修改计量单位"_s);
}

void TestNameLists::listWithAKindAddsUnderIt()
{
    // The income/expense items are a list of the same family with a kind.
    NameListWords words;
    words.table = &namelists::incomeExpenseItems();
    words.caption = u"收支项目设置"_s;
    words.columnTitle = u"收支项目"_s;
    words.groupTitle = u"类别"_s;
    words.noneToChoose = u"没有项目可选择！"_s;
    words.noneToDelete = u"没有项目可删除！"_s;
    words.deleteQuestion = u"确定要删除此项目么？"_s;
    words.addCaption = u"新增收支项目"_s;
    words.fieldLabel = u"项目"_s;
    words.groupLabel = u"类别"_s;
    words.groups = QStringList{u"收入"_s, u"支出"_s};

    FreshShop shop;
    const WindowContext ctx{shop.dm(), m_session};
    NameListWindow w(ctx, words);
    QCOMPARE(w.grid()->model()->columnCount(), 2);
    QCOMPARE(w.grid()->model()->headerData(0, Qt::Horizontal).toString(), u"类别"_s);
    QVERIFY(!w.findChild<QAction *>(u"editAction"_s));
    const int before = w.grid()->rowCount();

    ScriptedMessages messages;
    whenShown<NameEditDialog>([&](NameEditDialog *d) {
        QVERIFY(d->ComboBox1);
        QCOMPARE(d->ComboBox1->currentText(), u"收入"_s);
        d->ComboBox1->setCurrentIndex(1);
        d->Edit1->setText(u"房租"_s);  // already an expense item
        d->BitBtn1->click();
        d->ComboBox1->setCurrentIndex(0);
        d->BitBtn1->click();
        QVERIFY(d->isVisible());
        d->BitBtn2->click();
    });
    button(&w, u"新增"_s)->click();
    QCOMPARE(messages.texts(), QStringList{u"项目不可重复！"_s});
    QCOMPARE(w.grid()->rowCount(), before + 1);
    QCOMPARE(w.grid()->currentValue(u"lb"_s).toString(), u"收入"_s);
    QCOMPARE(w.grid()->currentValue(u"xm"_s).toString(), u"房租"_s);

    // "选择" hands over the item's name, not its kind.
    QString chosen;
    w.setChoiceHandler([&chosen](const QString &name) { chosen = name; });
    button(&w, u"选择"_s)->click();
    QCOMPARE(chosen, u"房租"_s);
}

QTEST_MAIN(TestNameLists)
#include "tst_namelists.moc"
