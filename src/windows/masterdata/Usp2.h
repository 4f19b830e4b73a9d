#pragma once

#include "windows/masterdata/GoodsPicker.h"

#include <QPointer>

class TFsp2;

// A document window that takes articles from the document picker: the
// retail ("tjxs"), wholesale ("tjpf"), purchase ("tjcg") and stock movement
// ("tjrk") documents. The picker shows the one price column of the mode and
// hands over each article chosen; the window appends a line of quantity 1 for
// it at that price and refreshes its totals (hjsl, hjje). When the window
// goes, the picker serving it closes.
class GoodsReceiver
{
public:
    GoodsReceiver() = default;
    GoodsReceiver(const GoodsReceiver &) = delete;
    GoodsReceiver &operator=(const GoodsReceiver &) = delete;
    virtual ~GoodsReceiver();

    // The picker's mode text `xzbj` for this window.
    virtual QString goodsPickerMode() const = 0;
    // The price column the picker shows: by default the mode's
    // (goods::priceColumnOf).
    virtual QString goodsPriceColumn() const;
    // One more line for the article, quantity 1, and the totals refreshed.
    virtual void receiveGoods(const goods::Article &article) = 0;

private:
    friend class TFsp2;
    QPointer<TFsp2> m_picker;
};

// "选择商品资料": the document picker. It stays open beside the document
// window, adding one line per article chosen (also for an article already on
// the document). One window at a time is served: the last to call
// setReceiver().
class TFsp2 : public GoodsPicker
{
    Q_OBJECT
public:
    explicit TFsp2(const WindowContext &context, QWidget *parent = nullptr);
    ~TFsp2() override;

    // Serve this window: take its mode and show its price column only.
    void setReceiver(GoodsReceiver *receiver);
    GoodsReceiver *receiver() const { return m_receiver; }
    QString mode() const { return xzbj; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    friend class GoodsReceiver;
    void receiverGone();
    void handOver(const goods::Article &article);

    GoodsReceiver *m_receiver = nullptr;
    QString xzbj;
    bool m_shown = false;
};
