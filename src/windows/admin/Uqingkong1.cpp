#include "windows/admin/Uqingkong1.h"

#include "core/maintenance/Maintenance.h"
#include "ui/Messages.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

TFqingkong1::TFqingkong1(TDM1 &dm, QWidget *parent) : MaintenanceDialog(dm, parent)
{
    setObjectName(QStringLiteral("TFqingkong1"));
    setWindowTitle(QStringLiteral("数据清空（请先关闭其他窗口）"));
    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto *boxes = new QVBoxLayout(GroupBox1);
    auto box = [&](const char *name, const QString &caption) {
        auto *b = new QCheckBox(caption, GroupBox1);
        b->setObjectName(QString::fromLatin1(name));
        boxes->addWidget(b);
        return b;
    };
    CB1 = box("CB1", QStringLiteral("清除所有基本数据（厂商、客户、商品等）"));
    CB2 = box("CB2", QStringLiteral("清除所有采购数据（采购、退货、统计等）"));
    CB3 = box("CB3", QStringLiteral("清除所有销售数据（销售、退货、统计等）"));
    CB4 = box("CB4", QStringLiteral("清除所有库存数据（异动、库存、统计等）"));
    CB5 = box("CB5", QStringLiteral("清除所有财务数据（应付、付款、收支等）"));
    auto *fields = new QVBoxLayout;
    fields->addWidget(GroupBox1);
    setFields(fields, QStringLiteral("清除"), QStringLiteral("取消"));
    addProgressBar();
    connect(BitBtn1, &QPushButton::clicked, this, &TFqingkong1::BitBtn1Click);
}

std::vector<maintenance::Box> TFqingkong1::checked() const
{
    using maintenance::Box;
    std::vector<Box> boxes;
    const std::pair<QCheckBox *, Box> all[] = {{CB1, Box::Basics},
                                               {CB2, Box::Purchases},
                                               {CB3, Box::Sales},
                                               {CB4, Box::Stock},
                                               {CB5, Box::Finance}};
    for (const auto &[cb, kind] : all)
        if (cb->isChecked())
            boxes.push_back(kind);
    return boxes;
}

void TFqingkong1::BitBtn1Click()
{
    maintenance::Result result;
    const std::vector<maintenance::Box> boxes = checked();
    whileBusy([&](const maintenance::Progress &progress) {
        result = maintenance::clear(m_dm, store(), boxes, QDateTime::currentDateTime(), progress);
    });
    if (!result.ok()) {
        msg::info(this, maintenance::clearingFailed());
        return;
    }
    QString text = maintenance::clearingDone();
    if (!result.safetyCopy.isEmpty())
        text += QStringLiteral("\n清除前的数据已备份为：") +
                QDir::toNativeSeparators(result.safetyCopy);
    msg::info(this, text);
    accept();
}
