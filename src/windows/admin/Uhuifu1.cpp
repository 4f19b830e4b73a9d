#include "windows/admin/Uhuifu1.h"

#include "core/maintenance/Maintenance.h"
#include "ui/Messages.h"

#include <QLineEdit>

namespace {

BackupFileWords words()
{
    return {"TFhuifu1", QStringLiteral("数据恢复（请先关闭其他窗口）"),
            QStringLiteral("打开数据备份文件"), QStringLiteral("恢复"), false};
}

}  // namespace

TFhuifu1::TFhuifu1(TDM1 &dm, QWidget *parent) : BackupFileDialog(dm, words(), parent) {}

void TFhuifu1::act(const QString &path)
{
    if (!msg::confirmOkCancel(this, QStringLiteral("真的要恢复数据库吗？")))
        return;
    maintenance::Result result;
    whileBusy([&](const maintenance::Progress &progress) {
        result = maintenance::restore(m_dm, store(), path, QDateTime::currentDateTime(), progress);
    });
    if (!result.ok()) {
        msg::info(this, maintenance::restoreFailed());
        return;
    }
    msg::info(this, maintenance::restoreDone());
    Q_EMIT restored();
    accept();
}
