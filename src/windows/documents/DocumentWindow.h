#pragma once

#include "windows/masterdata/Usp2.h"
#include "report/Report.h"
#include "core/documents/Documents.h"
#include "ui/ChildWindow.h"
#include "ui/WindowContext.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class ListGrid;
class NumberEdit;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

class HeldDocumentPicker;
class QDialog;
class TFxgmx1;
struct ShopRecord;

// What a document window hands its printed form: the header and the totals
// as the window shows them.
struct PrintedDocument {
    QString number;      // dh
    QString date;        // "yyyy-mm-dd"
    QString partner;     // customer, supplier or reason
    QString remark;      // bz
    QString handler;     // jsr
    QString preparedBy;  // the logged-in operator
    Decimal totalQuantity;
    Decimal totalAmount;
    Decimal due;         // amount due or payable ("0.00" form); zero for movements
    Decimal settled;     // amount received or paid ("0.00" form); zero for movements
};

class GoodsVoucherForm;

// The words and switches that make one document window of the family; the
// engine's Descriptor says what is stored, these say what is shown. Each
// member of the family fills its own, beside its thin class, and hands it to
// the frame; the frame knows no member.
struct DocumentWords {
    documents::DocumentKind kind = documents::DocumentKind::Retail;
    QString typeCaption;     // "零售出库单"
    QString newTitle;        // "新增零售出库单"
    QString editTitle;       // "修改零售出库单"
    QString pickerMode;      // the pickers' mode: "tjxs", "tjpf", "tjcg", "tjrk"

    QString partnerLabel;       // "客户", "厂商", "异动原因"
    QString partnerHint;
    QString partnerPickerHint;  // SpeedButton2: "选择客户", ...
    bool partnerTyped = true;   // free text, or only through the picker

    // The amount fields, shown for the kinds that carry money.
    QString dueLabel;        // "应收额"
    QString dueHint;
    QString roundingHint;
    QString settledLabel;    // "实收额"
    QString settledHint;

    QString quantityHint;    // "销售数量"
    // The read-only explanation `sm` under its label; none when empty.
    QString explanationLabel;
    QString explanation;

    // Enter in the unit price adds the line (the sales windows) or moves to
    // the quantity.
    bool priceEnterAddsLine = true;
    // Enter in the remark finalizes (F8) or moves to the code.
    bool remarkEnterFinalizes = true;
    // After a new document is saved, the remark stays for the next one.
    bool remarkKeptAfterSave = true;
    // "商品不可为空！" puts the focus into the code (or into the name).
    bool goodsRefusalFocusesCode = false;

    QString printCaption;    // BB3: "打印预览", "打印-F7"
    QString printHint;
    bool printAndFinalize = false;  // BB31 "打印结单"

    // The dialogs and the printed form of the kind. A dialog is made as a
    // child of `parent`, which owns it.
    std::function<HeldDocumentPicker *(const WindowContext &, QWidget *parent)> heldPicker;
    std::function<TFxgmx1 *(const WindowContext &, const QString &number, documents::Mode,
                            std::vector<documents::Line>, int current, QWidget *parent)>
        lineEditor;
    // The partner picker (SpeedButton2), writing its choice into the partner
    // field and, where the kind says so, the remark.
    std::function<QDialog *(const WindowContext &, const QString &pickerMode,
                            QLineEdit *partner, QLineEdit *remark, QWidget *parent)>
        partnerPicker;
    std::function<report::Form(const ShopRecord &, const PrintedDocument &, Snapshot lines)>
        printForm;
};

// The purchase and movement vouchers filled from a document window.
report::Form goodsVoucher(GoodsVoucherForm form, const ShopRecord &shop,
                          const PrintedDocument &doc, Snapshot lines);

// A document window: number, date, handler, partner, the amounts (where the
// kind carries money), the entry row of the next line, the line grid and the
// totals, driven from the keyboard (F5 new, F6 take a held document, F7
// preview, F8 finalize, F9 hold, F10/F11/F12 add/delete/edit a line, Esc
// close). What it stores goes through the document engine; the window only
// collects the fields and shows what the engine says. The retail, wholesale,
// purchase and stock movement windows are this window with their words.
// Every line action finds its line by its id.
class DocumentWindow : public ChildWindow, public GoodsReceiver
{
    Q_OBJECT
public:
    DocumentWindow(const WindowContext &context, const DocumentWords &words,
                   QWidget *parent = nullptr);
    ~DocumentWindow() override;

    const documents::Descriptor &descriptor() const { return m_d; }
    const DocumentWords &words() const { return m_words; }
    documents::Mode mode() const { return m_mode; }
    QString number() const;
    const std::vector<documents::Line> &lines() const { return m_lines; }

    // The clock the window reads "today" from (tests set their own).
    void setToday(std::function<QDate()> today) { m_today = std::move(today); }

    // The goods picker's choice: one line of quantity 1 at the window's price.
    void addChosenGoods(const documents::Goods &goods);
    QString goodsPickerMode() const override { return m_words.pickerMode; }
    void receiveGoods(const goods::Article &article) override;
    // The goods picker serving this window, while it is open.
    TFsp2 *goodsPicker() const { return m_goodsPicker; }

    // Runs instead of the preview window (tests look at the form here).
    void setPreviewer(std::function<void(report::Form &)> previewer)
    {
        m_previewer = std::move(previewer);
    }
    // Runs instead of the printer for "打印结单"; true when it printed.
    void setPrinter(std::function<bool(const report::Form &)> printer)
    {
        m_printer = std::move(printer);
    }

    // Operations behind the buttons and keys.
    void newDocument();           // `new`, also F5 after abandoning
    void BB1Click();              // F5
    void BB2Click();              // F6
    void BB3Click();              // F7
    void BB4Click();              // F8
    void BB5Click();              // F9
    void BB31Click();             // 打印结单 (sales windows only)
    void SB1Click();              // F10
    void SB2Click();              // F11
    void SB3Click();              // F12
    void pickHandler();           // SpeedButton1
    void pickPartner();           // SpeedButton2
    void openGoodsPicker();       // SpeedButton3
    // Takes a held document into the window (what the held-document picker
    // hands over).
    void takeHeld(const QString &heldNumber);

    // The fields, named as the logic refers to them. The partner field `kh`
    // is the supplier `ghs` of a purchase and the reason `lx` of a movement
    // (its object name says which); the amount fields `yhe`, `yse`, `sse`
    // (`yfe`, `sfe` of a purchase) are hidden on a movement, which has the
    // explanation `sm` instead.
    QLabel *ztbj = nullptr;
    QLabel *shbj = nullptr;
    QLineEdit *dh = nullptr;
    QDateEdit *DateTimePicker1 = nullptr;
    QLineEdit *jsr = nullptr;
    QLineEdit *kh = nullptr;
    NumberEdit *yhe = nullptr;
    QLineEdit *yse = nullptr;
    NumberEdit *sse = nullptr;
    QLineEdit *bz = nullptr;
    QLineEdit *sm = nullptr;  // null on the sales and purchase windows
    QLineEdit *txm = nullptr;
    QLineEdit *ppgg = nullptr;
    QLineEdit *dw = nullptr;
    NumberEdit *jg = nullptr;
    QLineEdit *kcsl = nullptr;
    NumberEdit *sl = nullptr;
    QLineEdit *cbjg = nullptr;
    QLineEdit *hjsl = nullptr;
    QLineEdit *hjje = nullptr;
    ListGrid *DBGrid1 = nullptr;
    QPushButton *BB1 = nullptr, *BB2 = nullptr, *BB3 = nullptr, *BB4 = nullptr,
                *BB5 = nullptr, *BB6 = nullptr;
    QPushButton *BB31 = nullptr;  // null where the kind has no print-and-finalize
    QToolButton *SB1 = nullptr, *SB2 = nullptr, *SB3 = nullptr;
    QToolButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr, *SpeedButton3 = nullptr;

Q_SIGNALS:
    // The goods picker, when open, closes with the window.
    void closing();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildFields();
    void buildKeys();
    void txmChange();
    void roundingChanged();
    void recomputeDue();
    void reloadLines();
    void showLines();
    void clearEntryRow();
    void clearAmounts();
    void setNumber(const QString &number);
    bool applyNumber(const numbering::Result &next);
    // Tells the operator when a new document starts with lines already
    // under its number.
    void tellOfLinesFound();
    void save(documents::SaveAs as);
    // The document as F7 and "打印结单" print it, once the lines and the
    // amounts pass their checks; none (after telling the operator) otherwise.
    std::optional<PrintedDocument> printableDocument();
    // The header and totals; the amounts are left to printableDocument().
    PrintedDocument printedDocument() const;
    report::Form printForm(const PrintedDocument &doc) const;
    void showOutcome(const documents::Outcome &outcome);
    QWidget *fieldWidget(documents::Field field) const;
    // The id of the grid's current line; none when there is no current line.
    std::optional<qint64> currentLineId() const;
    // The place of a line in the line set, or -1.
    int lineIndexOf(qint64 id) const;
    void startEditMode(const documents::Header &header);
    // A number field's value: empty or a lone "-" is 0, more than two
    // decimals are rounded; a text that is not a number is reported.
    std::optional<Decimal> fieldValue(QLineEdit *field, const QString &caption);

    // A field made without a parent, which the window owns without showing
    // it; a field with a parent is the parent's.
    template <class Field>
    Field *keptOff(Field *field);

    WindowContext m_context;
    const DocumentWords &m_words;
    const documents::Descriptor &m_d;
    documents::Mode m_mode = documents::Mode::New;
    std::vector<documents::Line> m_lines;
    std::function<QDate()> m_today;
    QPointer<TFsp2> m_goodsPicker;
    std::function<void(report::Form &)> m_previewer;
    std::function<bool(const report::Form &)> m_printer;
    std::vector<std::unique_ptr<QWidget>> m_keptOff;
};
