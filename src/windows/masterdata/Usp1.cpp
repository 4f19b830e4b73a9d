#include "windows/masterdata/Usp1.h"

#include "windows/masterdata/CategoryTree.h"
#include "windows/masterdata/Udr1.h"
#include "windows/masterdata/Utjsp1.h"
#include "ui/ReportPrinting.h"
#include "report/forms/Udysp1.h"
#include "ui/Messages.h"
#include "ui/ModalDialog.h"
#include "ui/Outcomes.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include <memory>

namespace {

std::vector<GridColumn> columns()
{
    const int number = 70;
    return {
        {QStringLiteral("txm"), QStringLiteral("编码"), 110},
        {QStringLiteral("ppgg"), QStringLiteral("商品名称"), 230},
        {QStringLiteral("dw"), QStringLiteral("单位"), 43, Qt::AlignHCenter},
        {QStringLiteral("jj"), QStringLiteral("采购单价"), number},
        {QStringLiteral("xjpf"), QStringLiteral("批发单价"), number},
        {QStringLiteral("xjls"), QStringLiteral("零售单价"), number},
        {QStringLiteral("kcsl"), QStringLiteral("库存数量"), number},
        {QStringLiteral("kcjg"), QStringLiteral("库存单价"), number},
        {QStringLiteral("kcje"), QStringLiteral("库存金额"), number},
        {QStringLiteral("slt"), QStringLiteral("数量提成"), number},
        {QStringLiteral("jet"), QStringLiteral("金额提成"), number},
        {QStringLiteral("ms"), QStringLiteral("商品描述"), 200},
        {QStringLiteral("bz"), QStringLiteral("备注"), 150},
        {QStringLiteral("lb"), QStringLiteral("类别"), 120},
    };
}

}  // namespace

TFsp1::TFsp1(const WindowContext &context, QWidget *parent) : GoodsListWindow(context, parent)
{
    setWindowTitle(QStringLiteral("商品资料"));
    setObjectName(QStringLiteral("TFsp1"));
    // Cream, as the shop's list windows are.
    QPalette cream = palette();
    cream.setColor(QPalette::Window, QColor(0xff, 0xf8, 0xe7));
    setPalette(cream);
    setAutoFillBackground(true);

    importButton = addButton(QStringLiteral("导入"), [this] { importClick(); });
    addButton(QStringLiteral("新增"), [this] { addClick(); });
    addButton(QStringLiteral("修改"), [this] { editClick(); });
    addButton(QStringLiteral("删除"), [this] { deleteClick(); });
    addButton(QStringLiteral("查询"), [this] { queryClick(); });
    addButton(QStringLiteral("打印"), [this] { printClick(); });
    addButton(QStringLiteral("导出"), [this] { exportGrid(); });
    addButton(QStringLiteral("关闭"), [this] { closeWindow(); });
    showRecordCount();

    DBGrid1->setColumns(columns());
    // A double click edits the article.
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            editClick();
    });

    deleteAction = new QAction(QStringLiteral("删除"), this);
    deleteAction->setObjectName(QStringLiteral("N1"));
    connect(deleteAction, &QAction::triggered, this, &TFsp1::deleteClick);
    generateCodesAction = new QAction(QStringLiteral("批量生成拼音码"), this);
    generateCodesAction->setObjectName(QStringLiteral("N2"));
    connect(generateCodesAction, &QAction::triggered, this, &TFsp1::generateCodesClick);
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) {
        QMenu menu(DBGrid1);
        menu.addAction(deleteAction);
        menu.addAction(generateCodesAction);
        menu.exec(DBGrid1->viewport()->mapToGlobal(p));
    });
    resize(900, 520);
}

void TFsp1::showEvent(QShowEvent *event)
{
    GoodsListWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        showAll();
    }
}

void TFsp1::showAll()
{
    showFilter(goods::everything());
}

void TFsp1::categoryClick(const QString &category)
{
    showFilter(goods::inCategory(category));
}

bool TFsp1::showGoods(const goods::Filter &found)
{
    return showFilter(found);
}

void TFsp1::importClick()
{
    if (!checkOpen())
        return;
    ModalDialog<TFdr1> dialog(new TFdr1(m_context, sheetimport::goods(), this));
    dialog->onImported = [this] { showAll(); };
    dialog.exec();
}

void TFsp1::addClick()
{
    ModalDialog<TFtjsp1> dialog(new TFtjsp1(m_context, this));
    dialog->startAdd();
    connect(dialog.get(), &TFtjsp1::saved, this, &TFsp1::showSaved);
    dialog.exec();
}

void TFsp1::editClick()
{
    const std::optional<goods::Article> article = currentArticle();
    if (!article) {
        msg::warning(this, QStringLiteral("没有商品可修改！"));
        return;
    }
    ModalDialog<TFtjsp1> dialog(new TFtjsp1(m_context, this));
    dialog->startEdit(*article);
    connect(dialog.get(), &TFtjsp1::saved, this, &TFsp1::showSaved);
    dialog.exec();
}

void TFsp1::deleteClick()
{
    const std::optional<goods::Article> article = currentArticle();
    if (!article) {
        msg::warning(this, QStringLiteral("没有商品可删除！"));
        return;
    }
    if (!msg::confirmOkCancel(this, QStringLiteral("确定要删除此商品么？\n\n"
                                                   "一旦删除，对应的库存资料也会删除")))
        return;
    if (!showOutcome(this, goods::remove(m_context.DM1.ADOC1(), article->id)))
        return;
    refreshList();
}

void TFsp1::queryClick()
{
    ModalDialog<TFcxsp1> dialog(new TFcxsp1(m_context, *this, this));
    dialog.exec();
}

void TFsp1::printClick()
{
    if (!checkOpen())
        return;
    TFdysp1 form;
    form.setHeading(m_context.DM1.ATdanwei1(), TFdysp1::title());
    try {
        form.setDataset(DBGrid1->rows().shownRows());
    } catch (const DbError &e) {
        msg::error(this, e.message());
        return;
    }
    if (previewer)
        previewer(form);
    else
        report::preview(this, form);
}

void TFsp1::generateCodesClick()
{
    if (!checkOpen())
        return;
    try {
        goods::generateCodes(m_context.DM1.ADOC1(), listedIds());
    } catch (const DbError &e) {
        msg::error(this, e.message());
        return;
    }
    refreshList();
}
