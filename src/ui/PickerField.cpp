#include "ui/PickerField.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

PickerField::PickerField(QLineEdit *field, const QString &buttonName, const QString &buttonHint,
                         QWidget *parent)
    : QWidget(parent), m_field(field), m_button(new QToolButton(this))
{
    m_button->setObjectName(buttonName);
    m_button->setText(QStringLiteral("…"));
    m_button->setToolTip(buttonHint);
    m_button->setAccessibleName(buttonHint);
    m_button->setFocusPolicy(Qt::NoFocus);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(field, 1);
    row->addWidget(m_button);
}

void PickerField::setLabel(QLabel *label)
{
    label->setBuddy(m_field);
    QString caption = label->text();
    caption.remove(QLatin1Char('&'));
    m_field->setAccessibleName(caption);
}
