#include "windows/reports/LedgerQueryDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>

LedgerQueryDialog::LedgerQueryDialog(const LedgerQueryWords &words, Runner run, QWidget *parent)
    : QueryDialog(parent, words.caption), m_run(std::move(run))
{
    setObjectName(words.objectName);
    for (const auto &[field, caption] : words.fields) {
        switch (field) {
        case LedgerQueryField::Partner:
            Edit1 = addText(QStringLiteral("Edit1"), caption);
            break;
        case LedgerQueryField::Handler:
            Edit2 = addText(QStringLiteral("Edit2"), caption);
            break;
        case LedgerQueryField::Code:
            Edit3 = addText(QStringLiteral("Edit3"), caption);
            break;
        case LedgerQueryField::Name:
            Edit4 = addText(QStringLiteral("Edit4"), caption);
            break;
        case LedgerQueryField::Number:
            Edit5 = addText(QStringLiteral("Edit5"), caption);
            break;
        case LedgerQueryField::Sign:
            ComboBox1 = addChoice(QStringLiteral("ComboBox1"), caption, words.signItems);
            break;
        case LedgerQueryField::Dates: {
            const DateRange r =
                addDateRange(QStringLiteral("CheckBox1"), caption, QStringLiteral("DateTimePicker1"),
                             words.toCaption, QStringLiteral("DateTimePicker2"));
            CheckBox1 = r.check;
            DateTimePicker1 = r.from;
            DateTimePicker2 = r.to;
            break;
        }
        }
    }
    QRadioButton **options[] = {&RB1, &RB2, &RB3};
    for (int i = 0; i < words.groupings.size() && i < 3; ++i) {
        *options[i] = addOption(QStringLiteral("RB%1").arg(i + 1), words.groupings.at(i));
        const auto g = ledgers::Grouping(i);
        connect(*options[i], &QRadioButton::toggled, this, [this, g](bool on) {
            if (on)
                Q_EMIT groupingChosen(g);
        });
        if (Edit1)
            enterMovesTo(*options[i], Edit1);
    }
    if (ComboBox1 && Edit1)
        enterMovesTo(ComboBox1, Edit1);
    if (Edit5)
        enterRuns(Edit5);
    setFirstField(Edit1);
    setActionCaption(words.action);
    setQuery([this] { return m_run && m_run(filter(), grouping()); });
    finish();
}

ledgers::Filter LedgerQueryDialog::filter() const
{
    ledgers::Filter f;
    const auto text = [](const QLineEdit *e) { return e ? e->text() : QString(); };
    f.partner = text(Edit1);
    f.handler = text(Edit2);
    f.code = text(Edit3);
    f.name = text(Edit4);
    f.number = text(Edit5);
    if (ComboBox1) {
        const int sign = ComboBox1->currentIndex();
        f.sign = sign == 1   ? ledgers::Sign::Positive
                 : sign == 2 ? ledgers::Sign::Negative
                             : ledgers::Sign::All;
    }
    if (CheckBox1 && CheckBox1->isChecked()) {
        f.from = DateTimePicker1->date();
        f.to = DateTimePicker2->date();
    }
    return f;
}

ledgers::Grouping LedgerQueryDialog::grouping() const
{
    if (RB2 && RB2->isChecked())
        return ledgers::Grouping::Partner;
    if (RB3 && RB3->isChecked())
        return ledgers::Grouping::Handler;
    return ledgers::Grouping::None;
}
