#include "ui/PickerField.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

PickerField::PickerField(QLineEdit *field, const QString &buttonName, const QString &buttonHint,
                         QWidget *parent)
    : QWidget(parent), m_field(field), m_button(makeButton(buttonName, buttonHint, this))
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(field, 1);
    row->addWidget(m_button);
}

QToolButton *PickerField::makeButton(const QString &name, const QString &hint, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(QStringLiteral("…"));
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

void PickerField::setLabel(QLabel *label)
{
    label->setBuddy(m_field);
    QString caption = label->text();
    caption.remove(QLatin1Char('&'));
    m_field->setAccessibleName(caption);
}
