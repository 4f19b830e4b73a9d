#pragma once

#include "windows/admin/MaintenanceDialog.h"

class QLineEdit;
class QToolButton;

// The words of a dialog that names a backup file: its caption, the label of
// the path field, the action button, and whether the file is written (a
// save dialog, proposing a name) or read (an open dialog).
struct BackupFileWords {
    const char *objectName;
    QString caption;
    QString label;
    QString action;
    bool writes = false;
};

// The path field `Edit1` with its browse button `SpeedButton1`, the action
// and "取消". Browsing starts in the backup folder with the filter of backup
// files. Enter in the field presses the action when the field is not empty
// (after trimming), otherwise it browses; Esc cancels. The action with an
// empty field says "数据库备份文件不可为空！" and browses.
class BackupFileDialog : public MaintenanceDialog
{
    Q_OBJECT
public:
    QLineEdit *Edit1 = nullptr;
    QToolButton *SpeedButton1 = nullptr;

    // The filter of backup files in the file dialogs.
    static QString filter();

protected:
    BackupFileDialog(TDM1 &dm, const BackupFileWords &words, QWidget *parent);

    // The action on the path as typed (not empty after trimming).
    virtual void act(const QString &path) = 0;
    // The name a save dialog proposes.
    virtual QString proposedName() const { return QString(); }

    void showEvent(QShowEvent *event) override;

private:
    void browse();
    void actionClick();

    BackupFileWords m_words;
};
