#include "windows/masterdata/GoodsPicker.h"

#include "windows/masterdata/Utjsp1.h"
#include "ui/FocusChain.h"
#include "ui/Messages.h"
#include "ui/ModalDialog.h"

#include <QBoxLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

namespace {

GridColumn number(const char *field, const char *title)
{
    return {QString::fromLatin1(field), QString::fromUtf8(title), 70};
}

}  // namespace

const GoodsPickerColumns &GoodsPickerColumns::withPrices()
{
    static const GoodsPickerColumns c{{
        {QStringLiteral("txm"), QStringLiteral("编码"), 110},
        {QStringLiteral("ppgg"), QStringLiteral("商品名称"), 230},
        {QStringLiteral("dw"), QStringLiteral("单位"), 53},
        number("kcsl", "库存数量"),
        number("jj", "采购单价"),
        number("xjpf", "批发单价"),
        number("xjls", "零售单价"),
        number("kcjg", "库存单价"),
        {QStringLiteral("ms"), QStringLiteral("商品描述"), 200},
        {QStringLiteral("bz"), QStringLiteral("备注"), 150},
        {QStringLiteral("lb"), QStringLiteral("类别"), 120},
    }};
    return c;
}

const GoodsPickerColumns &GoodsPickerColumns::withoutPrices()
{
    static const GoodsPickerColumns c{{
        {QStringLiteral("txm"), QStringLiteral("编码"), 110},
        {QStringLiteral("ppgg"), QStringLiteral("商品名称"), 230},
        {QStringLiteral("dw"), QStringLiteral("单位"), 53},
        number("kcsl", "库存数量"),
        number("kcjg", "库存单价"),
        {QStringLiteral("ms"), QStringLiteral("商品描述"), 200},
        {QStringLiteral("bz"), QStringLiteral("备注"), 150},
        {QStringLiteral("lb"), QStringLiteral("类别"), 120},
    }};
    return c;
}

GoodsPicker::GoodsPicker(const WindowContext &context, const GoodsPickerColumns &columns,
                         QWidget *parent)
    : GoodsListWindow(context, parent)
{
    // The search row above the buttons.
    auto *label = new QLabel(QStringLiteral("录入编码、品名、类别查询"), this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setAccessibleName(label->text());
    Edit1->setMinimumWidth(220);
    label->setBuddy(Edit1);
    auto *search = new QHBoxLayout;
    search->setSpacing(6);
    search->addWidget(label);
    search->addWidget(Edit1);
    search->addStretch();
    static_cast<QBoxLayout *>(layout())->insertLayout(0, search);

    chooseButton = addButton(QStringLiteral("选择"), [this] { chooseClick(); });
    addButton(QStringLiteral("新增"), [this] { addClick(); });
    addButton(QStringLiteral("关闭"), [this] { closeWindow(); });

    DBGrid1->setColumns(columns.columns);
    connect(DBGrid1, &ListGrid::rowChosen, this, &GoodsPicker::chooseClick);
    m_searchTimer = new QTimer(this);
    m_searchTimer->setSingleShot(true);
    m_searchTimer->setInterval(searchPause);
    connect(m_searchTimer, &QTimer::timeout, this, &GoodsPicker::runSearch);
    connect(Edit1, &QLineEdit::textChanged, this, &GoodsPicker::Edit1Change);
    auto *chain = new FocusChain(this);
    chain->then(Edit1, [this] { chooseClick(); });
}

void GoodsPicker::setChoiceHandler(std::function<void(const goods::Article &)> handler)
{
    m_handler = std::move(handler);
}

void GoodsPicker::startList()
{
    dropWaitingSearch();
    {
        const QSignalBlocker quiet(Edit1);
        Edit1->clear();
    }
    showFilter(goods::everything());
}

void GoodsPicker::Edit1Change()
{
    m_searchTimer->start();  // again from the start at every keystroke
}

void GoodsPicker::searchNow()
{
    if (!m_searchTimer->isActive())
        return;
    m_searchTimer->stop();
    runSearch();
}

void GoodsPicker::runSearch()
{
    showFilter(goods::quickestSearch(m_context.DM1.ADOC1(), Edit1->text()));
}

void GoodsPicker::dropWaitingSearch()
{
    m_searchTimer->stop();
}

void GoodsPicker::categoryClick(const QString &category)
{
    dropWaitingSearch();
    {
        const QSignalBlocker quiet(Edit1);
        Edit1->clear();
    }
    showFilter(goods::inCategory(category));
    DBGrid1->setFocus();
}

void GoodsPicker::chooseClick()
{
    searchNow();  // the article chosen is one of the text typed
    const std::optional<goods::Article> article = currentArticle();
    if (!article) {
        msg::warning(this, QStringLiteral("没有商品可选择！"));
        return;
    }
    if (m_handler)
        m_handler(*article);
}

void GoodsPicker::addClick()
{
    searchNow();
    ModalDialog<TFtjsp1> dialog(new TFtjsp1(m_context, this));
    dialog->startAdd();
    connect(dialog.get(), &TFtjsp1::saved, this, &GoodsPicker::showSaved);
    dialog.exec();
}
