#include "windows/util/Untoc1.h"

#include "core/money/Decimal.h"
#include "ui/FormDialog.h"
#include "ui/Messages.h"
#include "ui/NumberEdit.h"
#include "core/money/Capitals.h"

#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFntoc1::TFntoc1(QWidget *parent) : ChildWindow(QStringLiteral("人民币大小写转换"), parent)
{
    // Figures only: no sign, and an emptied field stays empty until it is left.
    Edit1 = new NumberEdit(this, false, NumberEdit::NoRules);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setText(QStringLiteral("0.00"));
    Edit1->installEventFilter(this);
    Edit2 = new QLineEdit(QStringLiteral("零"), this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setReadOnly(true);
    Edit2->setMinimumWidth(360);

    auto *form = new QFormLayout;
    auto *l1 = new QLabel(QStringLiteral("金额小写"), this);
    l1->setBuddy(Edit1);
    auto *l2 = new QLabel(QStringLiteral("金额大写"), this);
    l2->setBuddy(Edit2);
    form->addRow(l1, Edit1);
    form->addRow(l2, Edit2);

    auto *frame = new FormFrame(this, form, QStringLiteral("转换"), QStringLiteral("取消"));
    frame->layout()->addStretch();
    BitBtn1 = frame->actionButton();
    BitBtn2 = frame->closeButton();
    connect(BitBtn1, &QPushButton::clicked, this, &TFntoc1::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QWidget::close);
    frame->enterAlong({{Edit1}});
    setFocusProxy(Edit1);
    Edit1->setFocus();
}

bool TFntoc1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Edit1 && event->type() == QEvent::FocusOut)
        Edit1Exit();
    return ChildWindow::eventFilter(watched, event);
}

void TFntoc1::Edit1Exit()
{
    const QString text = Edit1->text().trimmed();
    if (text.isEmpty()) {
        Edit1->setText(QStringLiteral("0.00"));
        return;
    }
    const Decimal amount = decimaltext::parseRoundedTo2(text);
    if (amount.isValid())
        Edit1->setText(amount.toFixed2());
}

void TFntoc1::BitBtn1Click()
{
    const QString text = Edit1->text().trimmed();
    if (text.isEmpty()) {
        msg::info(this, QStringLiteral("小写金额不可为空！"));
        Edit1->setFocus();
        return;
    }
    const Decimal amount = Decimal::parse(text);
    if (!amount.isValid()) {
        // Only pasted text can get here: the keys allow nothing but a number.
        msg::info(this, QStringLiteral("小写金额不是有效的数字！"));
        Edit1->setFocus();
        return;
    }
    const std::optional<QString> capitals = amountInCapitals(amount.abs());
    if (!capitals) {
        msg::info(this, capitalsErrorText());
        Edit1->setFocus();
        return;
    }
    Edit2->setText(amount.isNegative() ? QStringLiteral("负") + *capitals : *capitals);
}
