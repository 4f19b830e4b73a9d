#include "windows/documents/HeldDocumentPicker.h"

#include "core/db/Sql.h"
#include "ui/FocusChain.h"
#include "ui/ListGrid.h"
#include "ui/Messages.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

HeldDocumentPicker::HeldDocumentPicker(const WindowContext &context,
                                       const documents::Descriptor &descriptor,
                                       const QString &mode, const QString &caption,
                                       const QString &partnerCaption,
                                       const QString &partnerColumnTitle, QWidget *parent)
    : QDialog(parent), m_context(context), m_d(descriptor), xzbj(mode)
{
    setWindowTitle(caption);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    CheckBox1 = new QCheckBox(QStringLiteral("日期"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    const QDate today = QDate::currentDate();
    DateTimePicker1 = new QDateEdit(today.addMonths(-1), this);
    DateTimePicker2 = new QDateEdit(today, this);
    for (QDateEdit *d : {DateTimePicker1, DateTimePicker2}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setAccessibleName(QStringLiteral("起始日期"));
    DateTimePicker2->setObjectName(QStringLiteral("DateTimePicker2"));
    DateTimePicker2->setAccessibleName(QStringLiteral("截止日期"));
    // The from-date stays no later than the to-date.
    connect(DateTimePicker1, &QDateEdit::dateChanged, this, [this](const QDate &from) {
        if (from > DateTimePicker2->date())
            DateTimePicker2->setDate(from);
    });
    connect(DateTimePicker2, &QDateEdit::dateChanged, this, [this](const QDate &to) {
        if (to < DateTimePicker1->date())
            DateTimePicker1->setDate(to);
    });

    const auto button = [this](const QString &name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    cha = button(QStringLiteral("cha"), QStringLiteral("查询"));
    xuan = button(QStringLiteral("xuan"), QStringLiteral("选择"));
    guan = button(QStringLiteral("guan"), QStringLiteral("关闭"));
    connect(cha, &QPushButton::clicked, this, &HeldDocumentPicker::runQuery);
    connect(xuan, &QPushButton::clicked, this, &HeldDocumentPicker::chooseClick);
    connect(guan, &QPushButton::clicked, this, &QDialog::reject);

    DBGrid1 = new ListGrid(this);
    DBGrid1->setColumns({{QStringLiteral("shbj"), QStringLiteral("审核"), 60},
                         {QStringLiteral("rq"), QStringLiteral("日期"), 90},
                         {QStringLiteral("dh"), QStringLiteral("单号"), 130},
                         {QStringLiteral("partner"), partnerColumnTitle, 150},
                         {QStringLiteral("hjsl"), QStringLiteral("合计数量"), 80},
                         {QStringLiteral("hjje"), QStringLiteral("合计金额"), 90},
                         {QStringLiteral("jsr"), QStringLiteral("经办人"), 80}});
    connect(DBGrid1, &ListGrid::rowChosen, this, &HeldDocumentPicker::chooseClick);

    auto *filters = new QHBoxLayout;
    auto *partnerLabel = new QLabel(partnerCaption, this);
    partnerLabel->setBuddy(Edit2);
    filters->addWidget(partnerLabel);
    filters->addWidget(Edit2, 1);
    filters->addWidget(CheckBox1);
    filters->addWidget(DateTimePicker1);
    filters->addWidget(new QLabel(QStringLiteral("至"), this));
    filters->addWidget(DateTimePicker2);
    filters->addWidget(cha);
    filters->addWidget(xuan);
    filters->addWidget(guan);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(DBGrid1, 1);
    resize(820, 420);

    auto *chain = new FocusChain(this);
    chain->then(Edit2, [this] { runQuery(); })
        .then(CheckBox1)
        .then(DateTimePicker1)
        .then(DateTimePicker2)
        .then(cha);
}

void HeldDocumentPicker::runQuery()
{
    documents::HeldFilter filter;
    filter.partner = Edit2->text();
    if (CheckBox1->isChecked()) {
        filter.from = DateTimePicker1->date();
        filter.to = DateTimePicker2->date();
    }
    try {
        DBGrid1->openQuery(m_context.DM1.ADOC1(), documents::heldQuery(m_d, filter));
    } catch (const DbError &e) {
        msg::error(this, e.message());
        return;
    }
    DBGrid1->setFocus();
}

void HeldDocumentPicker::chooseClick()
{
    const QVariant number = DBGrid1->currentValue(QStringLiteral("dh"));
    if (DBGrid1->rowCount() == 0 || !number.isValid()) {
        msg::warning(this, QStringLiteral("没有单据可选择！"));
        return;
    }
    m_chosen = number.toString();
    accept();
}
