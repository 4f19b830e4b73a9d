#include "windows/admin/Uyasuo1.h"

#include "core/maintenance/Maintenance.h"
#include "ui/Messages.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFyasuo1::TFyasuo1(TDM1 &dm, QWidget *parent) : MaintenanceDialog(dm, parent)
{
    setObjectName(QStringLiteral("TFyasuo1"));
    setWindowTitle(QStringLiteral("压缩数据（请先关闭其他窗口）"));
    auto *fields = new QVBoxLayout;
    auto *line1 = new QLabel(QStringLiteral("1、压缩数据能有效减少数据文件大小，提高软件运行速度"), this);
    line1->setObjectName(QStringLiteral("Label1"));
    auto *line2 = new QLabel(QStringLiteral("2、软件使用一段时间后，数据会越来越多，文件越来越大"), this);
    line2->setObjectName(QStringLiteral("Label2"));
    fields->addWidget(line1);
    fields->addWidget(line2);
    setFields(fields, QStringLiteral("压缩"), QStringLiteral("取消"));
    addProgressBar();
    connect(BitBtn1, &QPushButton::clicked, this, &TFyasuo1::BitBtn1Click);
}

void TFyasuo1::BitBtn1Click()
{
    if (msg::confirmOkCancel(this, QStringLiteral("确定要压缩当前数据库吗？"))) {
        maintenance::Result result;
        whileBusy([&](const maintenance::Progress &progress) {
            result = maintenance::compact(store(), progress);
        });
        msg::info(this, result.ok() ? maintenance::compactDone() : maintenance::compactFailed());
    }
    accept();
}
