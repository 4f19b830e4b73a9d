#include "windows/masterdata/Usp2.h"

GoodsReceiver::~GoodsReceiver()
{
    if (m_picker)
        m_picker->receiverGone();
}

QString GoodsReceiver::goodsPriceColumn() const
{
    return goods::priceColumnOf(goodsPickerMode());
}

TFsp2::TFsp2(const WindowContext &context, QWidget *parent)
    : GoodsPicker(context, GoodsPickerColumns::withPrices(), parent)
{
    setWindowTitle(QStringLiteral("选择商品资料"));
    setObjectName(QStringLiteral("TFsp2"));
    setChoiceHandler([this](const goods::Article &a) { handOver(a); });
    resize(860, 480);
}

TFsp2::~TFsp2()
{
    if (m_receiver)
        m_receiver->m_picker = nullptr;
}

void TFsp2::setReceiver(GoodsReceiver *receiver)
{
    if (m_receiver && m_receiver != receiver)
        m_receiver->m_picker = nullptr;
    m_receiver = receiver;
    if (!receiver)
        return;
    receiver->m_picker = this;
    xzbj = receiver->goodsPickerMode();
    // Of the four prices only the window's own shows.
    const QString shown = receiver->goodsPriceColumn();
    const GridRows &rows = DBGrid1->rows();
    for (int c = 0; c < rows.columnCount(); ++c) {
        const QString field = rows.column(c).field;
        if (field == QStringLiteral("jj") || field == QStringLiteral("xjpf") ||
            field == QStringLiteral("xjls") || field == QStringLiteral("kcjg"))
            DBGrid1->setColumnHidden(c, field != shown);
    }
}

void TFsp2::showEvent(QShowEvent *event)
{
    GoodsPicker::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        startList();
    }
}

void TFsp2::receiverGone()
{
    m_receiver = nullptr;
    // Nothing is left to add lines to.
    close();
}

void TFsp2::handOver(const goods::Article &article)
{
    if (m_receiver)
        m_receiver->receiveGoods(article);
}
