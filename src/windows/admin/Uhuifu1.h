#pragma once

#include "windows/admin/BackupFileDialog.h"


// "数据恢复": the shop replaced by a backup chosen, once it is known to be a
// shop of this program, after the shop as it stands is kept in the backup
// folder. Stays open when it fails; the shop is then as it was.
class TFhuifu1 : public BackupFileDialog
{
    Q_OBJECT
public:
    explicit TFhuifu1(TDM1 &dm, QWidget *parent = nullptr);

Q_SIGNALS:
    // The shop was replaced: whoever shows its data reads it again.
    void restored();

protected:
    void act(const QString &path) override;
};
