#include "windows/sales/Uzhaoling1.h"

#include "core/money/Decimal.h"
#include "ui/FocusChain.h"
#include "ui/NumberEdit.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFzhaoling1::TFzhaoling1(QWidget *parent) : ChildWindow(QStringLiteral("计算零钱"), parent)
{
    Edit1 = new NumberEdit(this, true, NumberEdit::EmptyBecomesZero);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new NumberEdit(this, true, NumberEdit::EmptyBecomesZero);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit3 = new QLineEdit(QStringLiteral("0"), this);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Edit3->setReadOnly(true);
    Edit3->setFocusPolicy(Qt::NoFocus);
    QFont big = Edit3->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    for (QLineEdit *e : {static_cast<QLineEdit *>(Edit1), static_cast<QLineEdit *>(Edit2), Edit3}) {
        e->setFont(big);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->setMinimumWidth(200);
    }

    auto *form = new QFormLayout;
    const std::pair<const char16_t *, QWidget *> rows[] = {
        {u"应付/应收", Edit1}, {u"实付/实收", Edit2}, {u"找零金额", Edit3}};
    for (const auto &[caption, field] : rows) {
        auto *label = new QLabel(QString::fromUtf16(caption), this);
        label->setFont(big);
        label->setBuddy(field);
        form->addRow(label, field);
    }

    BitBtn1 = new QPushButton(QStringLiteral("关闭"), this);
    BitBtn1->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addStretch();

    connect(Edit1, &QLineEdit::textChanged, this, &TFzhaoling1::Edit1Change);
    connect(Edit2, &QLineEdit::textChanged, this, &TFzhaoling1::Edit2Change);

    // Enter in the amount due moves on; Enter in the amount tendered does nothing.
    auto *chain = new FocusChain(this);
    chain->then(Edit1).then(Edit2, [] {});
    setFocusProxy(Edit1);
    Edit1->setFocus();
}

void TFzhaoling1::Edit1Change()
{
    // While the amount due is a lone "-", the change shows the tendered text.
    if (Edit1->text().trimmed() == QStringLiteral("-"))
        Edit3->setText(Edit2->text());
    else
        recompute();
}

void TFzhaoling1::Edit2Change()
{
    if (Edit2->text().trimmed() == QStringLiteral("-"))
        Edit3->setText(QStringLiteral("0"));
    else
        recompute();
}

void TFzhaoling1::recompute()
{
    // A text that is not a number (a pasted one, "5-", a lone ".") leaves the
    // change as it was.
    const Decimal change = Decimal::parse(Edit2->text()) - Decimal::parse(Edit1->text());
    if (change.isValid())
        Edit3->setText(change.toFixed2());
}
