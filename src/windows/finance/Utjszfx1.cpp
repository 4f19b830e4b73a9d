#include "windows/finance/Utjszfx1.h"

#include "core/db/Dates.h"
#include "report/forms/Udyszd1.h"
#include "ui/Messages.h"
#include "ui/ModalDialog.h"
#include "ui/NumberEdit.h"
#include "ui/Outcomes.h"
#include "ui/PickerField.h"
#include "ui/ReportPrinting.h"
#include "windows/masterdata/Uszxm1.h"
#include "windows/masterdata/Uyg2.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// A double click on a read-only field opens its picker.
class OpensOnDoubleClick : public QObject
{
public:
    OpensOnDoubleClick(QWidget *field, std::function<void()> open)
        : QObject(field), m_open(std::move(open))
    {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::MouseButtonDblClick)
            return false;
        m_open();
        return true;
    }

private:
    std::function<void()> m_open;
};

}  // namespace

TFtjszfx1::TFtjszfx1(const WindowContext &context, QWidget *parent)
    : FormDialog(parent), m_context(context)
{
    setObjectName(u"TFtjszfx1"_s);
    auto *grid = new QGridLayout;
    int row = 0;
    const auto addField = [&](const QString &caption, QWidget *field, QWidget *shown = nullptr) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(field);
        field->setAccessibleName(caption);
        grid->addWidget(label, row, 0);
        grid->addWidget(shown ? shown : field, row, 1);
        ++row;
        return label;
    };
    DateTimePicker1 = new QDateEdit(this);
    DateTimePicker1->setObjectName(u"DateTimePicker1"_s);
    DateTimePicker1->setDisplayFormat(u"yyyy-MM-dd"_s);
    DateTimePicker1->setCalendarPopup(true);
    addField(u"日期"_s, DateTimePicker1);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(u"ComboBox1"_s);
    ComboBox1->setEditable(true);
    ComboBox1->addItems({incomeexpense::income(), incomeexpense::expense()});
    addField(u"类别"_s, ComboBox1);
    xm = new QLineEdit(this);
    xm->setObjectName(u"xm"_s);
    xm->setReadOnly(true);
    auto *itemPicker = new PickerField(xm, u"SpeedButton1"_s, u"选择收支项目"_s, this);
    SpeedButton1 = itemPicker->button();
    itemPicker->setLabel(addField(u"项目"_s, xm, itemPicker));
    je = new NumberEdit(this, false, NumberEdit::EmptyBecomesZero);
    je->setObjectName(u"je"_s);
    addField(u"金额"_s, je);
    jsr = new QLineEdit(this);
    jsr->setObjectName(u"jsr"_s);
    jsr->setReadOnly(true);
    auto *handlerPicker = new PickerField(jsr, u"SpeedButton2"_s, u"选择经办人"_s, this);
    SpeedButton2 = handlerPicker->button();
    handlerPicker->setLabel(addField(u"经办人"_s, jsr, handlerPicker));
    bz = new QLineEdit(this);
    bz->setObjectName(u"bz"_s);
    bz->setMinimumWidth(260);
    addField(u"备注说明"_s, bz);

    FormFrame &f = setFields(grid);
    BitBtn3 = new QPushButton(u"打印"_s, this);
    BitBtn3->setObjectName(u"BitBtn3"_s);
    BitBtn3->setAutoDefault(false);
    f.buttonRow()->insertWidget(1, BitBtn3);
    connect(BitBtn1, &QPushButton::clicked, this, &TFtjszfx1::BitBtn1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TFtjszfx1::BitBtn3Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TFtjszfx1::pickItem);
    connect(SpeedButton2, &QToolButton::clicked, this, &TFtjszfx1::pickHandler);
    new OpensOnDoubleClick(xm, [this] { pickItem(); });
    new OpensOnDoubleClick(jsr, [this] { pickHandler(); });

    enterAlong({{ComboBox1, [this] { xm->setFocus(); }},
                {xm,
                 [this] {
                     if (xm->text().trimmed().isEmpty())
                         pickItem();
                     else
                         DateTimePicker1->setFocus();
                 }},
                {DateTimePicker1},
                {je},
                {jsr,
                 [this] {
                     if (jsr->text().trimmed().isEmpty())
                         pickHandler();
                     else
                         bz->setFocus();
                 }},
                {bz}});
    startAdd();
}

void TFtjszfx1::startAdd()
{
    ST1 = u"新增"_s;
    m_id = 0;
    setFormMode(FormMode::Add, u"新增其他收支"_s);
    DateTimePicker1->setDate(QDate::currentDate());
    ComboBox1->setCurrentText(incomeexpense::expense());
    xm->clear();
    je->setText(u"0"_s);
    jsr->clear();
    bz->clear();
    ComboBox1->setFocus();
}

void TFtjszfx1::startEdit(const incomeexpense::Entry &entry)
{
    ST1 = u"修改"_s;
    m_id = entry.id;
    setFormMode(FormMode::Edit, u"修改其他收支"_s);
    DateTimePicker1->setDate(entry.rq.isValid() ? entry.rq : QDate::currentDate());
    ComboBox1->setCurrentText(entry.lb);
    xm->setText(entry.xm);
    je->setText(entry.amount().toShortest());
    jsr->setText(entry.jsr);
    bz->setText(entry.bz);
    ComboBox1->setFocus();
}

void TFtjszfx1::BitBtn1Click()
{
    je->tidy();
    const auto r = incomeexpense::save(
        m_context.DM1.ADOC1(), m_id,
        {DateTimePicker1->date(), ComboBox1->currentText(), xm->text(), je->text(), jsr->text(),
         bz->text()});
    if (!showOutcome(this, r)) {
        switch (r.focus) {
        case incomeexpense::Field::Category:
            ComboBox1->setFocus();
            break;
        case incomeexpense::Field::Item:
            xm->setFocus();
            break;
        case incomeexpense::Field::Amount:
            je->setFocus();
            break;
        case incomeexpense::Field::Handler:
            jsr->setFocus();
            break;
        case incomeexpense::Field::None:
            break;
        }
        return;
    }
    if (ST1 == u"修改"_s) {
        accept();
        return;
    }
    xm->clear();
    je->setText(u"0"_s);
    xm->setFocus();
}

void TFtjszfx1::BitBtn3Click()
{
    je->tidy();
    TFdyszd1 form;
    MoneyVoucherValues v;
    v.title = u" 其他收支单"_s;
    v.party = xm->text();
    v.second = ComboBox1->currentText();
    v.amountText = je->text();
    v.remark = bz->text();
    v.date = dates::toDbText(DateTimePicker1->date());
    v.handler = jsr->text();
    v.preparedBy = m_context.session.STyhm1;
    form.fill(m_context.DM1.ATdanwei1(), v);
    if (previewer) {
        form.setReportTitle(u"打印预览"_s);
        previewer(form);
    } else {
        report::preview(this, form);
    }
}

void TFtjszfx1::pickItem()
{
    ModalDialog<TFszxm1> list(new TFszxm1(m_context, this));
    list->setChoiceTarget(xm);
    if (list.exec() == QDialog::Accepted)
        DateTimePicker1->setFocus();
}

void TFtjszfx1::pickHandler()
{
    ModalDialog<TFyg2> picker(new TFyg2(m_context, this));
    picker->setChoiceTarget(u"tjszfx"_s, PickTarget::fields(jsr));
    if (picker.exec() == QDialog::Accepted)
        bz->setFocus();
}
