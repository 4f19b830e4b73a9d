#include "windows/finance/PayablesWords.h"

#include "report/forms/Udyfkfx1.h"
#include "report/forms/Udyyffx1.h"
#include "windows/finance/Ucxfkfx1.h"
#include "windows/finance/Ucxyffx1.h"
#include "windows/finance/Utjfkfx1.h"
#include "windows/finance/Uxzyf1.h"
#include "windows/purchasing/Ullcgd1.h"

using namespace Qt::Literals::StringLiterals;

const SettlementWords &payablesWords()
{
    static const SettlementWords w = [] {
        SettlementWords w;
        w.side = settlements::Side::Payables;
        const int number = 80;
        w.owedCaption = u"采购应付明细表"_s;
        w.owedObjectName = u"TFyffx1"_s;
        w.owedColumns = {{u"rq"_s, u"日期"_s, 85},       {u"dh"_s, u"单号"_s, 125},
                         {u"ghs"_s, u"厂商"_s, 160},     {u"yfe"_s, u"应付额"_s, number},
                         {u"sfe"_s, u"实付额"_s, number}, {u"qk"_s, u"欠款"_s, number},
                         {u"jsr"_s, u"经办人"_s, 70},    {u"bz"_s, u"备注"_s, 160}};
        w.noneToView = u"没有单据可查阅！"_s;
        w.view = [](OwedListWindow &list) {
            DocumentViewer::open(&list, list.grid(), u"TFllcgd1"_s,
                                 [&list] { return new TFllcgd1(list.context()); });
        };
        w.owedPrintTitle = u"应付明细表"_s;
        w.owedPrintForm = []() -> std::unique_ptr<report::ListForm> {
            return std::make_unique<TFdyyffx1>();
        };
        w.owedQueryObjectName = u"TFcxyffx1"_s;
        w.partnerQueryCaption = u"厂　　商"_s;
        w.owedTypes = {u"全部"_s, u"采购应付"_s, u"采购应退"_s};

        w.moneyCaption = u"采购付款明细表"_s;
        w.moneyObjectName = u"TFfkfx1"_s;
        w.moneyColumns = {{u"rq"_s, u"日期"_s, 85},          {u"dh"_s, u"单号"_s, 125},
                          {u"ghs"_s, u"厂商"_s, 160},        {u"je"_s, u"付款金额"_s, number},
                          {u"jsr"_s, u"经办人"_s, 70},       {u"bz"_s, u"备注"_s, 160},
                          {u"shbj"_s, u"审核"_s, 55, Qt::AlignHCenter}};
        w.moneyPrintTitle = u"付款明细表"_s;
        w.moneyPrintForm = []() -> std::unique_ptr<report::ListForm> {
            return std::make_unique<TFdyfkfx1>();
        };
        w.moneyQueryObjectName = u"TFcxfkfx1"_s;
        w.moneyTypes = {u"全部"_s, u"采购付款"_s, u"采购退款"_s};

        w.windowObjectName = u"TFtjfkfx1"_s;
        w.addCaption = u"新增付款"_s;
        w.editCaption = u"修改付款"_s;
        w.browseCaption = u"浏览付款"_s;
        w.partnerLabel = u"厂商"_s;
        w.amountName = u"fk"_s;
        w.legend = u"付款＜0：采购退款"_s;
        w.emptiedAmount = u"0"_s;
        w.pickerMode = u"tjfkfx"_s;
        w.voucherTitle = u"付款单"_s;
        w.voucherPartner = u"厂商名称"_s;
        w.voucherAmount = u"付款金额"_s;

        w.chooserObjectName = u"TFxzyf1"_s;
        w.chooserCaption = u"选择应付帐单（采购欠款单）"_s;
        w.chooserColumns = {{u"rq"_s, u"日期"_s, 85},       {u"dh"_s, u"单号"_s, 125},
                            {u"ghs"_s, u"厂商"_s, 150},     {u"yfe"_s, u"应付额"_s, number},
                            {u"sfe"_s, u"实付额"_s, number}, {u"qk"_s, u"欠款"_s, number},
                            {u"jsr"_s, u"经办人"_s, 70}};

        w.makeOwedQuery = [](OwedListWindow &list) -> QueryDialog * { return new TFcxyffx1(list); };
        w.makeMoneyQuery = [](MoneyListWindow &list) -> QueryDialog * {
            return new TFcxfkfx1(list);
        };
        w.makeMoneyWindow = [](const WindowContext &context, QWidget *parent) -> MoneyWindow * {
            return new TFtjfkfx1(context, parent);
        };
        w.makeChooser = [](const WindowContext &context, MoneyWindow &window) -> OwedChooser * {
            return new TFxzyf1(context, window);
        };
        return w;
    }();
    return w;
}
