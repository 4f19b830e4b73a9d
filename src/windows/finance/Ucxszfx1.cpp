#include "windows/finance/Ucxszfx1.h"

#include "windows/finance/Uszfx1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>

using namespace Qt::Literals::StringLiterals;

TFcxszfx1::TFcxszfx1(TFszfx1 &list) : QueryDialog(&list)
{
    setObjectName(u"TFcxszfx1"_s);
    Edit1 = addText(u"Edit1"_s, u"收支项目"_s);
    Edit2 = addText(u"Edit2"_s, u"员　　工"_s);
    ComboBox1 = addChoice(u"ComboBox1"_s, u"类　别"_s, {u"全部"_s, u"收入"_s, u"支出"_s});
    const DateRange r = addDateRange(u"CheckBox1"_s, u"日期从"_s, u"DateTimePicker1"_s, u"至"_s,
                                     u"DateTimePicker2"_s);
    CheckBox1 = r.check;
    DateTimePicker1 = r.from;
    DateTimePicker2 = r.to;
    enterRuns(Edit2);
    setFirstField(Edit1);
    setQuery([this, l = &list] { return l->showFilter(filter()); });
    finish();
}

incomeexpense::Filter TFcxszfx1::filter() const
{
    incomeexpense::Filter f;
    f.item = Edit1->text();
    f.handler = Edit2->text();
    const int c = ComboBox1->currentIndex();
    f.category = c == 1   ? incomeexpense::Category::Income
                 : c == 2 ? incomeexpense::Category::Expense
                          : incomeexpense::Category::All;
    if (CheckBox1->isChecked()) {
        f.from = DateTimePicker1->date();
        f.to = DateTimePicker2->date();
    }
    return f;
}

void TFcxszfx1::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QueryDialog::keyPressEvent(event);
}
