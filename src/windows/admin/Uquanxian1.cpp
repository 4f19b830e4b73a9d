#include "windows/admin/Uquanxian1.h"

#include "core/admin/Operators.h"
#include "core/admin/Permissions.h"
#include "core/db/Sql.h"
#include "core/db/Udm1.h"
#include "ui/Messages.h"
#include "ui/Outcomes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *button(QWidget *parent, const QString &caption, const char *name)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(caption);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TFquanxian1::TFquanxian1(TDM1 &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("TFquanxian1"));
    setWindowTitle(QStringLiteral("权限设置"));
    setModal(true);

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(false);
    ComboBox1->setMinimumWidth(180);
    auto *pick = new QLabel(QStringLiteral("选择操作员"), this);
    pick->setBuddy(ComboBox1);
    auto *top = new QHBoxLayout;
    top->addWidget(pick);
    top->addWidget(ComboBox1, 1);

    auto *group = new QGroupBox(QStringLiteral("选择权限"), this);
    auto *boxes = new QGridLayout(group);
    const QStringList &names = permissions::all();
    for (int i = 0; i < names.size(); ++i) {
        auto *box = new QCheckBox(names[i], group);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(i + 1));
        boxes->addWidget(box, i / 3, i % 3);
        CheckBoxes.push_back(box);
    }

    BitBtn1 = button(this, QStringLiteral("授权"), "BitBtn1");
    BitBtn2 = button(this, QStringLiteral("全选"), "BitBtn2");
    BitBtn3 = button(this, QStringLiteral("全否"), "BitBtn3");
    BitBtn4 = button(this, QStringLiteral("关闭"), "BitBtn4");
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton *b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4})
        row->addWidget(b);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(group);
    layout->addLayout(row);

    connect(BitBtn1, &QPushButton::clicked, this, &TFquanxian1::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, [this] { checkAll(true); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { checkAll(false); });
    connect(BitBtn4, &QPushButton::clicked, this, &QDialog::reject);
    connect(ComboBox1, &QComboBox::activated, this, &TFquanxian1::operatorChosen);
}

void TFquanxian1::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_filled) {
        m_filled = true;
        fill();
    }
}

void TFquanxian1::fill()
{
    ComboBox1->clear();
    try {
        ComboBox1->addItems(operators::names(m_dm.ADOC1()));
    } catch (const DbError &e) {
        msg::error(this, e.message());
    }
    ComboBox1->setCurrentIndex(-1);
    checkAll(false);
    ComboBox1->setFocus();
}

void TFquanxian1::checkAll(bool checked)
{
    for (QCheckBox *box : CheckBoxes)
        box->setChecked(checked);
}

void TFquanxian1::operatorChosen()
{
    QSet<QString> grants;
    try {
        grants = operators::grantsOf(m_dm.ADOC1(), ComboBox1->currentText());
    } catch (const DbError &e) {
        msg::error(this, e.message());
    }
    for (QCheckBox *box : CheckBoxes)
        box->setChecked(grants.contains(box->text()));
}

void TFquanxian1::BitBtn1Click()
{
    QSet<QString> granted;
    for (QCheckBox *box : CheckBoxes) {
        if (box->isChecked())
            granted.insert(box->text());
    }
    const QString name = ComboBox1->currentIndex() < 0 ? QString() : ComboBox1->currentText();
    if (!showOutcome(this, operators::setGrants(m_dm.ADOC1(), name, granted))) {
        ComboBox1->setFocus();
        return;
    }
    msg::info(this, QStringLiteral("权限设置成功！"));
}
