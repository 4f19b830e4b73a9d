#pragma once

#include "core/finance/Settlements.h"
#include "report/Report.h"
#include "ui/FormDialog.h"
#include "ui/QueryDialog.h"
#include "ui/SummedListWindow.h"
#include "ui/WindowContext.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <memory>

class ListWindow;
class NumberEdit;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace report {
class ListForm;
}

class OwedListWindow;
class MoneyListWindow;
class MoneyWindow;
class OwedChooser;

// The words and parts that make one side of the settlements (payables and
// payments, receivables and receipts); each side fills its own beside its
// thin classes, and the frame knows neither.
struct SettlementWords {
    settlements::Side side = settlements::Side::Payables;

    // The list of documents with a balance.
    QString owedCaption;     // "采购应付明细表"
    QString owedObjectName;  // "TFyffx1"
    std::vector<GridColumn> owedColumns;
    QString noneToView;      // "没有单据可查阅！", "没有明细可查阅！"
    // Opens (or brings forward) the side's document viewer on the list's row.
    std::function<void(OwedListWindow &list)> view;
    QString owedPrintTitle;  // after the shop's print name: "应付明细表"
    std::function<std::unique_ptr<report::ListForm>()> owedPrintForm;

    // Its condition dialog.
    QString owedQueryObjectName;  // "TFcxyffx1"
    QString partnerQueryCaption;  // "厂　　商"
    QStringList owedTypes;        // "全部", "采购应付", "采购应退"

    // The list of payments or receipts.
    QString moneyCaption;     // "采购付款明细表"
    QString moneyObjectName;  // "TFfkfx1"
    std::vector<GridColumn> moneyColumns;
    QString moneyPrintTitle;  // "付款明细表"
    std::function<std::unique_ptr<report::ListForm>()> moneyPrintForm;
    QString moneyQueryObjectName;  // "TFcxfkfx1"
    QStringList moneyTypes;        // "全部", "采购付款", "采购退款"

    // The payment or receipt window.
    QString windowObjectName;  // "TFtjfkfx1"
    QString addCaption, editCaption, browseCaption;  // "新增付款", "修改付款", "浏览付款"
    QString partnerLabel;      // "厂商"
    QString amountName;        // "fk", "sk"
    QString legend;            // "付款＜0：采购退款"
    QString emptiedAmount;     // what an emptied amount shows: "0", "0.00"
    QString pickerMode;        // the employee picker's mode: "tjfkfx"
    // Its printed voucher: the title after the shop's print name, the party
    // and amount captions.
    QString voucherTitle;      // "付款单"
    QString voucherPartner;    // "厂商名称"
    QString voucherAmount;     // "付款金额"

    // The document chooser.
    QString chooserObjectName;  // "TFxzyf1"
    QString chooserCaption;     // "选择应付帐单（采购欠款单）"
    std::vector<GridColumn> chooserColumns;

    // The thin classes of the side, made by the frame where it needs them.
    std::function<QueryDialog *(OwedListWindow &list)> makeOwedQuery;
    std::function<QueryDialog *(MoneyListWindow &list)> makeMoneyQuery;
    std::function<MoneyWindow *(const WindowContext &context, QWidget *parent)> makeMoneyWindow;
    std::function<OwedChooser *(const WindowContext &context, MoneyWindow &window)> makeChooser;
};

// The documents with a balance (`TFyffx1`, `TFysfx1`): approved documents
// whose qk is not 0, in the order of entry, the total of qk in panel 2 and
// the hint "默认显示全部数据" in panel 4; a document refunding (qk < 0) is
// red. 查单 (also a double click) opens the document's viewer, 查询 the
// condition dialog, 打印 prints the list, 导出 exports it, 关闭 and Esc close.
class OwedListWindow : public SummedListWindow
{
    Q_OBJECT
public:
    OwedListWindow(const WindowContext &context, const SettlementWords &words,
                   QWidget *parent = nullptr);

    const SettlementWords &words() const { return m_words; }
    const WindowContext &context() const { return m_context; }

    // The list the window opens with, and that of a query.
    bool showAll();
    bool showFilter(const settlements::OwedFilter &filter);

    void SB66Click();  // 查单
    void SB77Click();  // 查询
    void SB88Click();  // 打印

    // Runs instead of the preview window (tests look at the form here).
    std::function<void(report::Form &)> previewer;

    QPushButton *SB66 = nullptr, *SB77 = nullptr, *SB88 = nullptr, *SB99 = nullptr,
                *SB100 = nullptr;

protected:
    void requery() override;

private:
    bool opened(bool ok);

    WindowContext m_context;
    const SettlementWords &m_words;
    const settlements::Descriptor &m_d;
};

// The condition dialog of the documents with a balance (`TFcxyffx1`,
// `TFcxysfx1`): partner, handler, number, the type and the dates. Enter in
// the number runs the query, Enter in the type goes back to the partner.
class OwedQueryDialog : public QueryDialog
{
    Q_OBJECT
public:
    OwedQueryDialog(const SettlementWords &words, OwedListWindow &list);

    settlements::OwedFilter filter() const;

    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QDateEdit *DateTimePicker1 = nullptr, *DateTimePicker2 = nullptr;
};

// The payments or receipts (`TFfkfx1`, `TFskfx1`): opened on today's rows,
// the total of je in panel 2; a refund (je < 0) is red and an un-approved row
// light green. 反审, 新增, 修改 and 删除 act through the settlement engine; a
// double click shows the row read-only.
class MoneyListWindow : public SummedListWindow
{
    Q_OBJECT
public:
    MoneyListWindow(const WindowContext &context, const SettlementWords &words,
                    QWidget *parent = nullptr);

    const SettlementWords &words() const { return m_words; }
    const WindowContext &context() const { return m_context; }

    bool showDay(const QDate &day);
    bool showFilter(const settlements::MoneyFilter &filter);

    void SB33Click();  // 反审
    void SB44Click();  // 新增
    void SB55Click();  // 修改
    void SB66Click();  // 删除
    void SB77Click();  // 查询
    void SB88Click();  // 打印
    void browseClick();  // a double click

    // "Today" for the opening list (tests set their own).
    static std::function<QDate()> &today();
    std::function<void(report::Form &)> previewer;

    QPushButton *SB33 = nullptr, *SB44 = nullptr, *SB55 = nullptr, *SB66 = nullptr,
                *SB77 = nullptr, *SB88 = nullptr, *SB99 = nullptr, *SB100 = nullptr;

private:
    // The current row's money record; false after the message when the list
    // is closed or empty.
    bool current(const QString &noneMessage, settlements::MoneyRow &row);
    void openWindow(const QString &mode, const settlements::MoneyRow *row);

    WindowContext m_context;
    const SettlementWords &m_words;
    const settlements::Descriptor &m_d;
};

// The condition dialog of the payments or receipts (`TFcxfkfx1`,
// `TFcxskfx1`): partner, handler, number, the approval, the type and the
// dates. Enter in the number runs the query; Enter in the approval goes to
// the type, in the type back to the partner.
class MoneyQueryDialog : public QueryDialog
{
    Q_OBJECT
public:
    MoneyQueryDialog(const SettlementWords &words, MoneyListWindow &list);

    settlements::MoneyFilter filter() const;

    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr;
    QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QDateEdit *DateTimePicker1 = nullptr, *DateTimePicker2 = nullptr;
};

// The payment or receipt window (`TFtjfkfx1`, `TFtjskfx1`), modal, in mode
// "新增", "修改" or "浏览" (read only). Every change of the number looks up
// the approved document with a balance: its partner and balance, or nothing
// and "0". "保存" applies the amount through the settlement engine; after an
// add the window stays open for the next one, with the same date and
// handler; after a change it closes. "打印" prints the voucher of what the
// fields hold.
class MoneyWindow : public FormDialog
{
    Q_OBJECT
public:
    MoneyWindow(const WindowContext &context, const SettlementWords &words,
                QWidget *parent = nullptr);

    // The mode text `ST1` and the row changed or shown.
    void start(const QString &mode, const settlements::MoneyRow *row = nullptr);
    QString mode() const { return ST1; }

    void BitBtn1Click();  // 保存
    void BitBtn3Click();  // 打印
    void chooseDocument();  // SpeedButton1
    void pickHandler();     // SpeedButton2

    // Sets the number (as the chooser does) and looks it up.
    void setNumber(const QString &dh);
    QString partner() const;

    std::function<void(report::Form &)> previewer;

    QDateEdit *DateTimePicker1 = nullptr;
    QLineEdit *dh = nullptr;
    QLineEdit *partnerField = nullptr;  // ghs, kh
    QLineEdit *qk = nullptr;
    NumberEdit *amount = nullptr;       // fk, sk
    QLineEdit *jsr = nullptr;
    QLineEdit *bz = nullptr;
    QPushButton *BitBtn3 = nullptr;
    QToolButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr;

private:
    void lookUp();
    void focusOn(settlements::Field field);

    WindowContext m_context;
    const SettlementWords &m_words;
    const settlements::Descriptor &m_d;
    QString ST1;
    qint64 m_id = 0;
};

// The document chooser (`TFxzyf1`, `TFxzys1`), modal: the approved documents
// with a balance of the payment window's partner (a part of it; the field
// `Edit2` can be changed), optionally within dates. "选择" (also Enter or a
// double click in the grid) hands the number to the payment window.
class OwedChooser : public QDialog
{
    Q_OBJECT
public:
    OwedChooser(const WindowContext &context, const SettlementWords &words, MoneyWindow &window);

    ListGrid *grid() const;

    void chaClick();   // 查询
    void xuanClick();  // 选择

    QLineEdit *Edit2 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QDateEdit *DateTimePicker1 = nullptr, *DateTimePicker2 = nullptr;

private:
    WindowContext m_context;
    const SettlementWords &m_words;
    const settlements::Descriptor &m_d;
    QPointer<MoneyWindow> m_window;
    ListWindow *m_list;
};
