#pragma once

#include "core/documents/Documents.h"
#include "ui/FormDialog.h"
#include "ui/WindowContext.h"

class NumberEdit;
class QLineEdit;
class QToolButton;

// The line editor of the retail, wholesale and purchase windows (mode "xsmx",
// "pfmx" or "cgmx"): price and quantity of the current line, the amount
// following them, a navigator over the document's lines. Saving changes only
// the line; nothing is posted. The movement window's editor (`TFxgmx2`) is
// the same dialog with the price read-only.
class TFxgmx1 : public FormDialog
{
    Q_OBJECT
public:
    TFxgmx1(const WindowContext &context, const documents::Descriptor &descriptor,
            const QString &mode, const QString &number, documents::Mode documentMode,
            std::vector<documents::Line> lines, int current, QWidget *parent = nullptr);

    QString mode() const { return ST1; }
    int currentIndex() const { return m_current; }

    QLineEdit *txm = nullptr;
    QLineEdit *ppgg = nullptr;
    QLineEdit *dw = nullptr;
    NumberEdit *jg = nullptr;
    NumberEdit *sl = nullptr;
    QLineEdit *je = nullptr;
    // BitBtn1 "保存", BitBtn2 "关闭"
    QToolButton *first = nullptr, *prior = nullptr, *next = nullptr, *last = nullptr;  // DBN1

    void BitBtn1Click();
    void moveTo(int index);

protected:
    // What the members of the family differ in: the note beside the quantity
    // ("数量＜0：退货") and whether the price may be changed.
    struct Look {
        QString quantityNote;
        bool priceEditable = true;
    };
    TFxgmx1(const WindowContext &context, const documents::Descriptor &descriptor,
            const QString &mode, const QString &number, documents::Mode documentMode,
            std::vector<documents::Line> lines, int current, const Look &look,
            QWidget *parent);

private:
    void fillFromLine();
    void recomputeAmount();

    WindowContext m_context;
    const documents::Descriptor &m_d;
    QString ST1;
    QString m_number;
    documents::Mode m_documentMode;
    std::vector<documents::Line> m_lines;
    int m_current = 0;
};
