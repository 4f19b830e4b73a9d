#include "windows/finance/ReceivablesWords.h"

#include "report/forms/Udyfkfx1.h"
#include "report/forms/Udyyffx1.h"
#include "windows/finance/Ucxskfx1.h"
#include "windows/finance/Ucxysfx1.h"
#include "windows/finance/Utjskfx1.h"
#include "windows/finance/Uxzys1.h"
#include "windows/sales/Ullxsd1.h"

using namespace Qt::Literals::StringLiterals;

const SettlementWords &receivablesWords()
{
    static const SettlementWords w = [] {
        SettlementWords w;
        w.side = settlements::Side::Receivables;
        const int number = 80;
        w.owedCaption = u"销售应收明细表"_s;
        w.owedObjectName = u"TFysfx1"_s;
        w.owedColumns = {{u"rq"_s, u"日期"_s, 85},       {u"dh"_s, u"单号"_s, 125},
                         {u"kh"_s, u"客户"_s, 160},     {u"yse"_s, u"应收额"_s, number},
                         {u"sse"_s, u"实收额"_s, number}, {u"qk"_s, u"欠款"_s, number},
                         {u"jsr"_s, u"经办人"_s, 70},    {u"bz"_s, u"备注"_s, 160}};
        w.noneToView = u"没有明细可查阅！"_s;
        w.view = [](OwedListWindow &list) {
            DocumentViewer::open(&list, list.grid(), u"TFllxsd1"_s,
                                 [&list] { return new TFllxsd1(list.context()); });
        };
        w.owedPrintTitle = u"应收明细表"_s;
        w.owedPrintForm = []() -> std::unique_ptr<report::ListForm> {
            auto form = std::make_unique<TFdyyffx1>();
            form->showReceivables();
            return form;
        };
        w.owedQueryObjectName = u"TFcxysfx1"_s;
        w.partnerQueryCaption = u"客　　户"_s;
        w.owedTypes = {u"全部"_s, u"销售应收"_s, u"销售应退"_s};

        w.moneyCaption = u"销售收款明细表"_s;
        w.moneyObjectName = u"TFskfx1"_s;
        w.moneyColumns = {{u"rq"_s, u"日期"_s, 85},          {u"dh"_s, u"单号"_s, 125},
                          {u"kh"_s, u"客户"_s, 160},        {u"je"_s, u"收款金额"_s, number},
                          {u"jsr"_s, u"经办人"_s, 70},       {u"bz"_s, u"备注"_s, 160},
                          {u"shbj"_s, u"审核"_s, 55, Qt::AlignHCenter}};
        w.moneyPrintTitle = u"收款明细表"_s;
        w.moneyPrintForm = []() -> std::unique_ptr<report::ListForm> {
            auto form = std::make_unique<TFdyfkfx1>();
            form->showReceipts();
            return form;
        };
        w.moneyQueryObjectName = u"TFcxskfx1"_s;
        w.moneyTypes = {u"全部"_s, u"销售收款"_s, u"销售退款"_s};

        w.windowObjectName = u"TFtjskfx1"_s;
        w.addCaption = u"新增收款"_s;
        w.editCaption = u"修改收款"_s;
        w.browseCaption = u"浏览收款"_s;
        w.partnerLabel = u"客户"_s;
        w.amountName = u"sk"_s;
        w.legend = u"收款＜0：销售退款"_s;
        w.emptiedAmount = u"0.00"_s;
        w.pickerMode = u"tjskfx"_s;
        w.voucherTitle = u"收款单"_s;
        w.voucherPartner = u"客户名称"_s;
        w.voucherAmount = u"收款金额"_s;

        w.chooserObjectName = u"TFxzys1"_s;
        w.chooserCaption = u"选择应收帐单（销售欠款单）"_s;
        w.chooserColumns = {{u"rq"_s, u"日期"_s, 85},       {u"dh"_s, u"单号"_s, 125},
                            {u"kh"_s, u"客户"_s, 150},     {u"yse"_s, u"应收额"_s, number},
                            {u"sse"_s, u"实收额"_s, number}, {u"qk"_s, u"欠款"_s, number},
                            {u"jsr"_s, u"经办人"_s, 70}};

        w.makeOwedQuery = [](OwedListWindow &list) -> QueryDialog * { return new TFcxysfx1(list); };
        w.makeMoneyQuery = [](MoneyListWindow &list) -> QueryDialog * {
            return new TFcxskfx1(list);
        };
        w.makeMoneyWindow = [](const WindowContext &context, QWidget *parent) -> MoneyWindow * {
            return new TFtjskfx1(context, parent);
        };
        w.makeChooser = [](const WindowContext &context, MoneyWindow &window) -> OwedChooser * {
            return new TFxzys1(context, window);
        };
        return w;
    }();
    return w;
}
