#include "windows/admin/Udanwei1.h"

#include "core/admin/ShopInfo.h"
#include "core/db/Udm1.h"
#include "core/db/Sql.h"
#include "ui/Messages.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFdanwei1::TFdanwei1(TDM1 &dm, QWidget *parent) : FormDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("TFdanwei1"));
    setWindowTitle(QStringLiteral("填写店铺信息"));

    auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMinimumWidth(200);
        return e;
    };
    Edit1 = edit("Edit1");
    Edit2 = edit("Edit2");
    Edit3 = edit("Edit3");
    Edit4 = edit("Edit4");
    Edit5 = edit("Edit5");
    Edit6 = edit("Edit6");
    Edit7 = edit("Edit7");
    Edit8 = edit("Edit8");
    Edit9 = edit("Edit9");
    Edit10 = edit("Edit10");

    auto *grid = new QGridLayout;
    auto pair = [&](int row, int column, const QString &caption, QLineEdit *e) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(e);
        grid->addWidget(label, row, column * 2, Qt::AlignRight);
        grid->addWidget(e, row, column * 2 + 1);
    };
    pair(0, 0, QStringLiteral("店铺名称"), Edit1);
    pair(0, 1, QStringLiteral("打印抬头"), Edit2);
    pair(1, 0, QStringLiteral("负责人"), Edit3);
    pair(1, 1, QStringLiteral("电话"), Edit4);
    pair(2, 0, QStringLiteral("传真"), Edit5);
    pair(2, 1, QStringLiteral("地址"), Edit6);
    pair(3, 0, QStringLiteral("备注1"), Edit7);
    pair(3, 1, QStringLiteral("备注2"), Edit8);

    const QString footer = QStringLiteral("销售单据脚注（上下两行）");
    auto *footerLabel = new QLabel(footer, this);
    footerLabel->setBuddy(Edit9);
    grid->addWidget(footerLabel, 4, 0, 1, 4);
    grid->addWidget(Edit9, 5, 0, 1, 4);
    grid->addWidget(Edit10, 6, 0, 1, 4);
    // One caption over two lines: each line is named by its place.
    Edit9->setAccessibleName(footer + QStringLiteral("上行"));
    Edit10->setAccessibleName(footer + QStringLiteral("下行"));
    Edit9->setToolTip(Edit9->accessibleName());
    Edit10->setToolTip(Edit10->accessibleName());

    setFields(grid);
    connect(BitBtn1, &QPushButton::clicked, this, &TFdanwei1::BitBtn1Click);
    enterAlong(enterSteps({Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10}));
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, Edit4);
    setTabOrder(Edit4, Edit5);
    setTabOrder(Edit5, Edit6);
    setTabOrder(Edit6, Edit7);
    setTabOrder(Edit7, Edit8);
    setTabOrder(Edit8, Edit9);
    setTabOrder(Edit9, Edit10);
    setTabOrder(Edit10, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
}

void TFdanwei1::showEvent(QShowEvent *event)
{
    FormDialog::showEvent(event);
    if (!m_filled) {
        m_filled = true;
        fill();
    }
}

void TFdanwei1::fill()
{
    m_dm.reloadShop();
    const ShopRecord &shop = m_dm.ATdanwei1();
    Edit1->setText(shop.mczc);
    Edit2->setText(shop.mcdy);
    Edit3->setText(shop.lxr);
    Edit4->setText(shop.dh);
    Edit5->setText(shop.cz);
    Edit6->setText(shop.dz);
    Edit7->setText(shop.bz1);
    Edit8->setText(shop.bz2);
    Edit9->setText(shop.bz3);
    Edit10->setText(shop.bz4);
    Edit1->setFocus();
}

void TFdanwei1::BitBtn1Click()
{
    const ShopRecord values{Edit1->text(), Edit2->text(), Edit3->text(), Edit4->text(),
                            Edit5->text(), Edit6->text(), Edit7->text(), Edit8->text(),
                            Edit9->text(), Edit10->text()};
    shopinfo::Problem problem;
    try {
        problem = shopinfo::save(m_dm.ADOC1(), values);
    } catch (const DbError &e) {
        msg::error(this, e.message());  // nothing saved; the edits stay for another try
        return;
    }
    if (problem != shopinfo::Problem::None) {
        msg::info(this, shopinfo::message(problem));
        (problem == shopinfo::Problem::EmptyShopName ? Edit1 : Edit2)->setFocus();
        return;
    }
    m_dm.reloadShop();
    accept();
}

void TFdanwei1::done(int result)
{
    FormDialog::done(result);
    Q_EMIT closed();
}
