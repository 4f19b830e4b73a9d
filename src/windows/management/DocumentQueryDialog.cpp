#include "windows/management/DocumentQueryDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>

DocumentQueryDialog::DocumentQueryDialog(const DocumentQueryWords &words, Runner run,
                                         QWidget *parent)
    : QueryDialog(parent), m_run(std::move(run))
{
    for (const auto &[field, caption] : words.fields) {
        switch (field) {
        case DocumentQueryField::Partner:
            Edit1 = addText(QStringLiteral("Edit1"), caption);
            break;
        case DocumentQueryField::Handler:
            Edit2 = addText(QStringLiteral("Edit2"), caption);
            break;
        case DocumentQueryField::Number:
            Edit3 = addText(QStringLiteral("Edit3"), caption);
            break;
        case DocumentQueryField::State:
            ComboBox1 = addChoice(QStringLiteral("ComboBox1"), caption,
                                  {QStringLiteral("全部"), QStringLiteral("未审核"),
                                   QStringLiteral("已审核")});
            break;
        case DocumentQueryField::Dates: {
            const DateRange r =
                addDateRange(QStringLiteral("CheckBox1"), caption, QStringLiteral("DateTimePicker1"),
                             words.toCaption, QStringLiteral("DateTimePicker2"));
            CheckBox1 = r.check;
            DateTimePicker1 = r.from;
            DateTimePicker2 = r.to;
            break;
        }
        case DocumentQueryField::Owed:
            CheckBox2 = addCheck(QStringLiteral("CheckBox2"), caption);
            break;
        }
    }
    if (words.stateEnterToPartner && ComboBox1 && Edit1)
        enterMovesTo(ComboBox1, Edit1);
    if (Edit3)
        enterRuns(Edit3);
    setFirstField(Edit1);
    setQuery([this] { return m_run && m_run(filter()); });
    finish();
}

management::Filter DocumentQueryDialog::filter() const
{
    management::Filter f;
    if (Edit1)
        f.partner = Edit1->text();
    if (Edit2)
        f.handler = Edit2->text();
    if (Edit3)
        f.number = Edit3->text();
    if (ComboBox1) {
        const int state = ComboBox1->currentIndex();
        f.state = state == 1 ? management::State::Held
                  : state == 2 ? management::State::Posted
                               : management::State::All;
    }
    if (CheckBox1 && CheckBox1->isChecked()) {
        f.from = DateTimePicker1->date();
        f.to = DateTimePicker2->date();
    }
    f.owedOnly = CheckBox2 && CheckBox2->isChecked();
    return f;
}
