#pragma once

#include "windows/admin/BackupFileDialog.h"

#include <QDate>

// "数据备份": a consistent copy of the shop into the file named, proposed as
// the backup folder with "QLX" + the day + ".bak". Closes after "备份".
class TFbeifen1 : public BackupFileDialog
{
    Q_OBJECT
public:
    explicit TFbeifen1(TDM1 &dm, QWidget *parent = nullptr,
                       const QDate &today = QDate::currentDate());

protected:
    void act(const QString &path) override;
    QString proposedName() const override;

private:
    QDate m_today;
};
