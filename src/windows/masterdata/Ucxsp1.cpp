#include "windows/masterdata/Ucxsp1.h"

#include "ui/Messages.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFcxsp1::TFcxsp1(const WindowContext &context, GoodsQueryTarget &target, QWidget *parent)
    : FormDialog(parent), m_context(context), m_target(target), ST1(target.goodsQueryMode())
{
    setWindowTitle(QStringLiteral("按条件查询"));

    auto *form = new QFormLayout;
    auto addField = [this, form](QWidget *field, const char *name, const QString &caption) {
        field->setObjectName(QString::fromLatin1(name));
        field->setAccessibleName(caption);
        field->setMinimumWidth(200);
        auto *label = new QLabel(caption, this);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    Edit1 = new QLineEdit(this);
    addField(Edit1, "Edit1", QStringLiteral("商品类别"));
    Edit2 = new QLineEdit(this);
    addField(Edit2, "Edit2", QStringLiteral("商品编码"));
    Edit3 = new QLineEdit(this);
    addField(Edit3, "Edit3", QStringLiteral("商品名称"));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setEditable(false);
    ComboBox1->addItems({QStringLiteral("全部"), QStringLiteral("库存＞0"), QStringLiteral("库存＝0"),
                         QStringLiteral("库存＜0")});
    addField(ComboBox1, "ComboBox1", QStringLiteral("库存数量"));

    setFields(form, QStringLiteral("查询"));
    connect(BitBtn1, &QPushButton::clicked, this, &TFcxsp1::BitBtn1Click);
    enterAlong(enterSteps({Edit1, Edit2, Edit3, ComboBox1}));
}

void TFcxsp1::showEvent(QShowEvent *event)
{
    FormDialog::showEvent(event);
    Edit1->clear();
    Edit2->clear();
    Edit3->clear();
    ComboBox1->setCurrentIndex(0);
    Edit1->setFocus();
}

goods::Conditions TFcxsp1::conditions() const
{
    goods::Conditions c;
    c.category = Edit1->text();
    c.code = Edit2->text();
    c.name = Edit3->text();
    switch (ComboBox1->currentIndex()) {
    case 1: c.stock = goods::Stock::Positive; break;
    case 2: c.stock = goods::Stock::Zero; break;
    case 3: c.stock = goods::Stock::Negative; break;
    default: c.stock = goods::Stock::Any; break;
    }
    return c;
}

void TFcxsp1::BitBtn1Click()
{
    const goods::Filter found = goods::matching(conditions());
    if (m_target.wantsStockTotals()) {
        try {
            m_target.showStockTotals(goods::stockTotals(m_context.DM1.ADOC1(), found));
        } catch (const DbError &e) {
            msg::error(this, e.message());
            return;
        }
    }
    if (m_target.showGoods(found))
        accept();
}
