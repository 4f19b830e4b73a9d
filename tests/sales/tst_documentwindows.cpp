// What the four document windows share, tried on each of them: the line
// actions find their line, the keys, the lines a new document finds, the
// dialogs they open.
#include "DocumentWindowFixtures.h"
#include "TestSupport.h"

#include "windows/documents/HeldDocumentPicker.h"
#include "windows/documents/Uxgmx1.h"
#include "windows/purchasing/Utjcgd1.h"
#include "windows/sales/Utjpfd1.h"
#include "windows/sales/Utjxsd1.h"
#include "windows/stock/Utjrkd1.h"
#include "ui/ListGrid.h"

#include <QAccessible>
#include <QDateEdit>
#include <QHeaderView>
#include <QToolButton>
#include <QMdiArea>
#include <QMdiSubWindow>

using namespace windowfixture;

namespace {

const QDate kToday{2024, 3, 15};

enum class Kind { Retail, Wholesale, Purchase, Movement };

}  // namespace

Q_DECLARE_METATYPE(Kind)

class TestDocumentWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void lineActionsFollowTheChosenLine_data();
    void lineActionsFollowTheChosenLine();
    void keysWorkWhileAnotherWindowIsActive_data();
    void keysWorkWhileAnotherWindowIsActive();
    void keysWorkInAnInactiveMainWindow();
    void linesFoundUnderANewNumberAreTold_data();
    void linesFoundUnderANewNumberAreTold();
    void windowMayGoWhileItsDialogRuns_data();
    void windowMayGoWhileItsDialogRuns();
    void fieldsAreNamedByTheirCaptions_data();
    void fieldsAreNamedByTheirCaptions();

private:
    void kinds();
    std::unique_ptr<DocumentWindow> window(Kind kind);

    std::unique_ptr<FreshShop> m_shop;
    Session m_session = Session::forOperator(u"系统管理员"_s, {});
    std::unique_ptr<ScriptedMessages> m_messages;
};

void TestDocumentWindows::init()
{
    m_shop = std::make_unique<FreshShop>();
    m_messages = std::make_unique<ScriptedMessages>();
    addGoods(m_shop->db(), u"AAA"_s, u"甲货"_s, u"3 4 5"_s, u"10 2 20"_s);
    addGoods(m_shop->db(), u"BBB"_s, u"乙货"_s, u"6 7 8"_s, u"10 3 30"_s);
}

void TestDocumentWindows::cleanup()
{
    m_messages.reset();
    m_shop.reset();
}

void TestDocumentWindows::kinds()
{
    QTest::addColumn<Kind>("kind");
    QTest::newRow("retail") << Kind::Retail;
    QTest::newRow("wholesale") << Kind::Wholesale;
    QTest::newRow("purchase") << Kind::Purchase;
    QTest::newRow("movement") << Kind::Movement;
}

std::unique_ptr<DocumentWindow> TestDocumentWindows::window(Kind kind)
{
    const WindowContext context{m_shop->dm(), m_session};
    std::unique_ptr<DocumentWindow> w;
    switch (kind) {
    case Kind::Retail:
        w = std::make_unique<TFtjxsd1>(context);
        break;
    case Kind::Wholesale:
        w = std::make_unique<TFtjpfd1>(context);
        break;
    case Kind::Purchase:
        w = std::make_unique<TFtjcgd1>(context);
        break;
    case Kind::Movement:
        w = std::make_unique<TFtjrkd1>(context);
        break;
    }
    w->setToday([] { return kToday; });
    w->newDocument();
    return w;
}

void TestDocumentWindows::lineActionsFollowTheChosenLine_data()
{
    kinds();
}

void TestDocumentWindows::lineActionsFollowTheChosenLine()
{
    QFETCH(Kind, kind);
    const auto w = window(kind);
    QVERIFY(showActive(w.get()));
    addLine(*w, u"AAA"_s, u"4"_s);
    addLine(*w, u"BBB"_s, u"1"_s);
    QCOMPARE(w->lines().size(), size_t(2));

    // A click on the "数量" title would put BBB first; the lines keep the
    // order they were entered in.
    QTest::mouseClick(w->DBGrid1->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(w->DBGrid1->horizontalHeader()->sectionViewportPosition(3) + 5, 5));
    QVERIFY(w->DBGrid1->selectWhere(u"txm"_s, u"BBB"_s));

    // F12 edits BBB, the line chosen.
    QString edited;
    int editorIndex = -1;
    ModalAnswer<TFxgmx1> editor([&](TFxgmx1 &e) {
        edited = e.txm->text();
        editorIndex = e.currentIndex();
        e.reject();
    });
    QTest::keyClick(w->txm, Qt::Key_F12);
    QVERIFY(editor.seen());
    QCOMPARE(edited, u"BBB"_s);
    QCOMPARE(editorIndex, 1);
    QVERIFY(activate(w.get()));

    QCOMPARE(w->DBGrid1->rows().value(0, u"txm"_s).toString(), u"AAA"_s);
    QCOMPARE(w->DBGrid1->rows().value(1, u"txm"_s).toString(), u"BBB"_s);
    QCOMPARE(w->DBGrid1->boldColumn(), -1);

    // F11 deletes the chosen line too, and the other stays current.
    QCOMPARE(w->DBGrid1->currentValue(u"txm"_s).toString(), u"BBB"_s);
    QTest::keyClick(w->txm, Qt::Key_F11);
    QCOMPARE(w->lines().size(), size_t(1));
    QCOMPARE(w->lines()[0].txm, u"AAA"_s);
    QCOMPARE(w->DBGrid1->currentValue(u"txm"_s).toString(), u"AAA"_s);
}

void TestDocumentWindows::keysWorkWhileAnotherWindowIsActive_data()
{
    kinds();
}

void TestDocumentWindows::keysWorkWhileAnotherWindowIsActive()
{
    QFETCH(Kind, kind);
    QPointer<DocumentWindow> w = window(kind).release();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    // Another top-level window is the active one, as when the desktop does
    // not bring the main window back after a picker closed.
    QWidget other;
    QVERIFY(showActive(&other));
    QVERIFY(!w->isActiveWindow());
    w->txm->setFocus();
    const QString lineTable = w->descriptor().lineTable;
    const auto lineCount = [&] {
        return count(m_shop->db(), u"SELECT count(*) FROM "_s + lineTable);
    };

    QTest::keyClick(w->txm, Qt::Key_F7);
    QCOMPARE(m_messages->last(), u"明细不可为空！"_s);
    w->txm->setText(u"AAA"_s);
    w->sl->setText(u"2"_s);
    QTest::keyClick(w->sl, Qt::Key_F10);
    QCOMPARE(w->lines().size(), size_t(1));
    QTest::keyClick(w->sl, Qt::Key_F8);
    QCOMPARE(m_messages->last(), u"经办人不可为空！"_s);
    m_messages->clear();
    QTest::keyClick(w->DBGrid1, Qt::Key_F9);
    QCOMPARE(m_messages->last(), u"经办人不可为空！"_s);
    ModalAnswer<TFxgmx1> editor([](TFxgmx1 &e) { e.reject(); });
    QTest::keyClick(w->DBGrid1, Qt::Key_F12);
    QVERIFY(editor.seen());
    ModalAnswer<HeldDocumentPicker> picker([](HeldDocumentPicker &p) { p.reject(); });
    QTest::keyClick(w->jsr, Qt::Key_F6);
    QVERIFY(picker.seen());
    QTest::keyClick(w->txm, Qt::Key_F11);
    QCOMPARE(m_messages->last(), u"确定要删除此明细么？"_s);
    QVERIFY(w->lines().empty());
    QTest::keyClick(w->txm, Qt::Key_F10);
    QCOMPARE(m_messages->last(), u"商品不可为空！"_s);

    // Keys pressed in another top-level window are that window's.
    w->txm->setText(u"AAA"_s);
    QTest::keyClick(&other, Qt::Key_F10);
    QVERIFY(w->lines().empty());
    QTest::keyClick(w->txm, Qt::Key_F10);
    QCOMPARE(lineCount(), 1);
    QTest::keyClick(w->txm, Qt::Key_F5);
    QCOMPARE(lineCount(), 0);

    // Active again, a key acts once.
    QVERIFY(activate(w));
    w->txm->setText(u"AAA"_s);
    w->sl->setText(u"1"_s);  // the new document cleared it
    QTest::keyClick(w->txm, Qt::Key_F10);
    QCOMPARE(lineCount(), 1);
    // Esc closes the window, as before.
    QTest::keyClick(w->txm, Qt::Key_Escape);
    QTRY_VERIFY(w.isNull());
    QCOMPARE(lineCount(), 0);
}

void TestDocumentWindows::keysWorkInAnInactiveMainWindow()
{
    // The retail window as the program shows it: a child of the main
    // window's work area, the main window not the active one.
    QMdiArea main;
    QMdiSubWindow *sub = main.addSubWindow(window(Kind::Retail).release());
    auto *w = qobject_cast<DocumentWindow *>(sub->widget());
    main.resize(1000, 700);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QWidget other;
    QVERIFY(showActive(&other));
    QVERIFY(!w->isActiveWindow());
    w->txm->setText(u"AAA"_s);
    w->sl->setText(u"3"_s);
    QTest::keyClick(w->sl, Qt::Key_F10);
    QCOMPARE(w->lines().size(), size_t(1));
    QTest::keyClick(w->txm, Qt::Key_F8);
    QCOMPARE(m_messages->last(), u"经办人不可为空！"_s);
}

void TestDocumentWindows::linesFoundUnderANewNumberAreTold_data()
{
    kinds();
}

void TestDocumentWindows::linesFoundUnderANewNumberAreTold()
{
    QFETCH(Kind, kind);
    const auto w = window(kind);
    const documents::Descriptor &d = w->descriptor();
    const QString first = d.prefix + u"20240315001"_s, second = d.prefix + u"20240315002"_s;
    // The program stopped while today's first and second documents were
    // being entered.
    const auto leave = [&](const QString &dh, const QString &quantity) {
        QVERIFY(documents::addLine(m_shop->db(), d, dh,
                                   {u"AAA"_s, u"甲货"_s, u"个"_s, quantity, u"1"_s, Decimal()})
                    .outcome.ok());
    };
    leave(first, u"2"_s);
    leave(first, u"3"_s);
    leave(second, u"4"_s);
    const QString foundText =
        u"单号%1下有上次未保存的明细%2条，已列入本单，请核对！不需要时可删除明细或按F5重新开单。"_s;

    // The new document shows them and says so.
    m_messages->clear();
    w->newDocument();
    QCOMPARE(w->number(), first);
    QCOMPARE(w->lines().size(), size_t(2));
    QCOMPARE(m_messages->texts(), QStringList{foundText.arg(first).arg(2)});
    QCOMPARE(m_messages->shown().back().caption, u"提示"_s);

    // Saved with the document, the next number's lines are told in turn.
    w->jsr->setText(u"张三"_s);
    w->kh->setText(u"王五"_s);
    m_messages->clear();
    w->BB4Click();
    QCOMPARE(w->number(), second);
    QCOMPARE(m_messages->texts(), QStringList{foundText.arg(second).arg(1)});
    QCOMPARE(w->lines().size(), size_t(1));

    // F5 drops them, and the fresh document under the same number has none.
    m_messages->clear();
    w->BB1Click();
    QCOMPARE(w->number(), second);
    QVERIFY(w->lines().empty());
    QVERIFY(m_messages->shown().empty());
}

void TestDocumentWindows::windowMayGoWhileItsDialogRuns_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("dialog");
    const std::pair<const char *, Kind> kinds[] = {{"retail", Kind::Retail},
                                                   {"wholesale", Kind::Wholesale},
                                                   {"purchase", Kind::Purchase},
                                                   {"movement", Kind::Movement}};
    for (const auto &[name, kind] : kinds) {
        for (const char *dialog : {"line editor", "held documents", "handler", "partner"})
            QTest::addRow("%s %s", name, dialog) << kind << QString::fromLatin1(dialog);
    }
}

void TestDocumentWindows::windowMayGoWhileItsDialogRuns()
{
    QFETCH(Kind, kind);
    QFETCH(QString, dialog);
    QPointer<DocumentWindow> w = window(kind).release();
    addLine(*w, u"AAA"_s, u"1"_s);
    // The window is destroyed while its modal dialog runs (the dialog with
    // it, as its child): each is deleted once, and the window's code after
    // the dialog touches nothing.
    ModalAnswer<QDialog> answer([&](QDialog &) { delete w.data(); });
    if (dialog == u"line editor"_s)
        w->SB3Click();
    else if (dialog == u"held documents"_s)
        w->BB2Click();
    else if (dialog == u"handler"_s)
        w->SpeedButton1->click();
    else
        w->SpeedButton2->click();
    QVERIFY(answer.seen());
    QVERIFY(w.isNull());
}

void TestDocumentWindows::fieldsAreNamedByTheirCaptions_data()
{
    kinds();
}

void TestDocumentWindows::fieldsAreNamedByTheirCaptions()
{
    QFETCH(Kind, kind);
    const auto w = window(kind);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    // What the accessibility bridge offers a screen reader: the window's
    // accessible tree, every editable field in it named.
    QMap<QObject *, QString> named;
    QStringList nameless;
    std::function<void(QAccessibleInterface *)> visit = [&](QAccessibleInterface *node) {
        if (!node)
            return;
        const QString name = node->text(QAccessible::Name);
        if (node->role() == QAccessible::EditableText || node->role() == QAccessible::SpinBox) {
            named[node->object()] = name;
            if (name.isEmpty())
                nameless << node->object()->objectName();
        }
        for (int i = 0; i < node->childCount(); ++i)
            visit(node->child(i));
    };
    visit(QAccessible::queryAccessibleInterface(w.get()));
    QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u", "_s)));

    // The three fields beside a "…" button, named by their labels.
    QCOMPARE(named.value(w->jsr), u"经办人"_s);
    QCOMPARE(named.value(w->kh), w->words().partnerLabel);
    QCOMPARE(named.value(w->txm), u"编码"_s);
    QCOMPARE(captionOf(w.get(), w->jsr), u"经办人"_s);  // still the label's buddy
    // Every field shown is named by its caption, or by its hint where it has
    // none; the fields the window never shows are not offered at all.
    for (QWidget *f : w->findChildren<QWidget *>()) {
        if (!(qobject_cast<QLineEdit *>(f) || qobject_cast<QDateEdit *>(f)) ||
            !f->isVisibleTo(w.get()) || qobject_cast<QDateEdit *>(f->parentWidget()))
            continue;
        const QString caption = captionOf(w.get(), f);
        QVERIFY2(named.contains(f), qPrintable(f->objectName()));
        QCOMPARE(named.value(f), f == w->kcsl ? u"库存数量"_s : caption);
    }
    QList<QWidget *> hidden{w->dw, w->cbjg};
    if (!w->descriptor().carriesMoney())
        hidden << w->yhe << w->yse << w->sse;
    for (QWidget *f : hidden)
        QVERIFY2(!named.contains(f), qPrintable(f->objectName()));
}

QTEST_MAIN(TestDocumentWindows)
#include "tst_documentwindows.moc"
