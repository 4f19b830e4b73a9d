#include "windows/admin/Ubeifen1.h"

#include "core/maintenance/Maintenance.h"
#include "ui/Messages.h"

#include <QDir>
#include <QLineEdit>

namespace {

BackupFileWords words()
{
    return {"TFbeifen1", QStringLiteral("数据备份（请先关闭其他窗口）"),
            QStringLiteral("保存数据备份文件"), QStringLiteral("备份"), true};
}

}  // namespace

TFbeifen1::TFbeifen1(TDM1 &dm, QWidget *parent, const QDate &today)
    : BackupFileDialog(dm, words(), parent), m_today(today)
{
    maintenance::makeBackupFolder(m_dm);
    Edit1->setText(QDir::toNativeSeparators(
        QDir(maintenance::backupFolder(m_dm)).filePath(maintenance::proposedName(m_today))));
}

QString TFbeifen1::proposedName() const
{
    return maintenance::proposedBaseName(m_today);
}

void TFbeifen1::act(const QString &path)
{
    maintenance::Result result;
    whileBusy([&](const maintenance::Progress &progress) {
        result = maintenance::backup(store(), path, progress);
    });
    msg::info(this, result.ok() ? maintenance::backupDone() : maintenance::backupFailed());
    accept();
}
