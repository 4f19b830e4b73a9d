#include "windows/masterdata/Utjsp1.h"

#include "core/masterdata/Pinyin.h"
#include "windows/masterdata/Udw1.h"
#include "windows/masterdata/Ulb1.h"
#include "ui/ModalDialog.h"
#include "ui/Outcomes.h"
#include "ui/NumberEdit.h"
#include "ui/PickerField.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TFtjsp1::TFtjsp1(const WindowContext &context, QWidget *parent)
    : FormDialog(parent), m_context(context)
{

    auto makeText = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    auto makeNumber = [this](const char *name) {
        // Digits and one point; no sign.
        auto *e = new NumberEdit(this, false);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    lb = makeText("lb");
    lb->setReadOnly(true);
    ppgg = makeText("ppgg");
    txm = makeText("txm");
    dw = makeText("dw");
    dw->setReadOnly(true);
    jj = makeNumber("jj");
    xjpf = makeNumber("xjpf");
    xjls = makeNumber("xjls");
    slt = makeNumber("slt");
    jet = makeNumber("jet");
    kcsl = makeNumber("kcsl");
    kcjg = makeNumber("kcjg");
    ms = makeText("ms");
    bz = makeText("bz");

    SpeedButton1 = PickerField::makeButton(QStringLiteral("SpeedButton1"),
                                           QStringLiteral("选择商品类别"), this);
    SpeedButton2 = PickerField::makeButton(QStringLiteral("SpeedButton2"),
                                           QStringLiteral("选择计量单位"), this);
    connect(SpeedButton1, &QToolButton::clicked, this, &TFtjsp1::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TFtjsp1::SpeedButton2Click);

    const struct {
        QLineEdit *field;
        const char *caption;
        QToolButton *picker;
    } rows[] = {
        {lb, "商品类别", SpeedButton1}, {ppgg, "商品名称", nullptr}, {txm, "商品编码", nullptr},
        {dw, "计量单位", SpeedButton2}, {jj, "采购单价", nullptr},   {xjpf, "批发单价", nullptr},
        {xjls, "零售单价", nullptr},    {slt, "数量提成", nullptr},  {jet, "金额提成", nullptr},
        {kcsl, "库存数量", nullptr},    {kcjg, "库存单价", nullptr}, {ms, "商品描述", nullptr},
        {bz, "备注说明", nullptr},
    };
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(5);
    int row = 0;
    QWidget *previous = nullptr;
    for (const auto &r : rows) {
        const QString caption = QString::fromUtf8(r.caption);
        auto *label = new QLabel(caption, this);
        label->setBuddy(r.field);
        r.field->setAccessibleName(caption);
        r.field->setMinimumWidth(260);
        grid->addWidget(label, row, 0, Qt::AlignRight);
        grid->addWidget(r.field, row, 1);
        if (r.picker)
            grid->addWidget(r.picker, row, 2);
        if (previous)
            setTabOrder(previous, r.field);
        previous = r.field;
        ++row;
    }

    setFields(grid).layout()->insertSpacing(1, 6);
    setTabOrder(bz, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    connect(BitBtn1, &QPushButton::clicked, this, &TFtjsp1::BitBtn1Click);

    // Enter: an empty category or unit opens its list, a filled one moves
    // on; the remark saves.
    enterAlong({{lb,
                 [this] {
                     if (lb->text().trimmed().isEmpty())
                         SpeedButton1Click();
                     else
                         ppgg->setFocus(Qt::TabFocusReason);
                 }},
                {ppgg},
                {txm},
                {dw,
                 [this] {
                     if (dw->text().trimmed().isEmpty())
                         SpeedButton2Click();
                     else
                         jj->setFocus(Qt::TabFocusReason);
                 }},
                {jj}, {xjpf}, {xjls}, {slt}, {jet}, {kcsl}, {kcjg}, {ms}, {bz}});

    lb->installEventFilter(this);
    dw->installEventFilter(this);
    connect(ppgg, &QLineEdit::textChanged, this, &TFtjsp1::ppggChange);

    startAdd();
}

void TFtjsp1::startAdd()
{
    setFormMode(FormMode::Add, QStringLiteral("新增商品资料"));
    m_id = 0;
    for (QLineEdit *e : {lb, ppgg, txm, dw, ms, bz})
        e->clear();
    for (NumberEdit *e : {jj, xjpf, xjls, slt, jet, kcsl, kcjg})
        e->setText(QStringLiteral("0"));
}

void TFtjsp1::startEdit(const goods::Article &a)
{
    setFormMode(FormMode::Edit, QStringLiteral("修改商品资料"));
    m_id = a.id;
    // In this order: the code is set after the name, so the stored code shows
    // rather than one made from the name.
    lb->setText(a.lb);
    ppgg->setText(a.ppgg);
    txm->setText(a.txm);
    dw->setText(a.dw);
    jj->setText(a.jj.toShortest());
    xjpf->setText(a.xjpf.toShortest());
    xjls->setText(a.xjls.toShortest());
    slt->setText(a.slt.toShortest());
    jet->setText(a.jet.toShortest());
    kcsl->setText(a.kcsl.toShortest());
    kcjg->setText(a.kcjg.toShortest());
    ms->setText(a.ms);
    bz->setText(a.bz);
}

void TFtjsp1::showEvent(QShowEvent *event)
{
    FormDialog::showEvent(event);
    lb->setFocus();
}

bool TFtjsp1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == lb) {
            SpeedButton1Click();
            return true;
        }
        if (watched == dw) {
            SpeedButton2Click();
            return true;
        }
    }
    return FormDialog::eventFilter(watched, event);
}

void TFtjsp1::ppggChange()
{
    txm->setText(pinyin::goodsCode(ppgg->text()));
}

void TFtjsp1::SpeedButton1Click()
{
    ModalDialog<TFlb1> categories(new TFlb1(m_context, this));
    categories->setChoiceTarget(lb);
    categories.exec();
}

void TFtjsp1::SpeedButton2Click()
{
    ModalDialog<TFdw1> units(new TFdw1(m_context, this));
    units->setChoiceTarget(dw);
    units.exec();
}

goods::Input TFtjsp1::input() const
{
    goods::Input in;
    in.lb = lb->text();
    in.ppgg = ppgg->text();
    in.txm = txm->text();
    in.dw = dw->text();
    in.jj = jj->text();
    in.xjpf = xjpf->text();
    in.xjls = xjls->text();
    in.slt = slt->text();
    in.jet = jet->text();
    in.kcsl = kcsl->text();
    in.kcjg = kcjg->text();
    in.ms = ms->text();
    in.bz = bz->text();
    return in;
}

NumberEdit *TFtjsp1::numberEdit(goods::Field field) const
{
    return qobject_cast<NumberEdit *>(widgetOf(field));
}

QWidget *TFtjsp1::widgetOf(goods::Field field) const
{
    using goods::Field;
    switch (field) {
    case Field::Lb: return lb;
    case Field::Ppgg: return ppgg;
    case Field::Txm: return txm;
    case Field::Dw: return dw;
    case Field::Jj: return jj;
    case Field::Xjpf: return xjpf;
    case Field::Xjls: return xjls;
    case Field::Slt: return slt;
    case Field::Jet: return jet;
    case Field::Kcsl: return kcsl;
    case Field::Kcjg: return kcjg;
    case Field::Ms: return ms;
    case Field::Bz: return bz;
    case Field::None: break;
    }
    return nullptr;
}

void TFtjsp1::BitBtn1Click()
{
    // More than two decimals become the "0.00" form, in the fields themselves.
    for (const goods::NumberField &f : goods::numberFields()) {
        NumberEdit *e = numberEdit(f.field);
        const QString tidied = goods::tidyNumber(e->text());
        if (tidied != e->text())
            e->setText(tidied);
    }
    const QSqlDatabase db = m_context.DM1.ADOC1();
    const bool adding = formMode() == FormMode::Add;
    const goods::Outcome outcome = adding ? goods::add(db, input()) : goods::update(db, m_id, input());
    if (!showOutcome(this, outcome)) {
        if (QWidget *w = widgetOf(outcome.focus))
            w->setFocus();
        return;
    }
    Q_EMIT saved(outcome.id);
    if (adding) {
        ppgg->setFocus();
    } else {
        accept();
    }
}
