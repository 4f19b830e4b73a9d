#include "windows/admin/BackupFileDialog.h"

#include "core/maintenance/Maintenance.h"
#include "ui/FileChoice.h"
#include "ui/Messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

BackupFileDialog::BackupFileDialog(TDM1 &dm, const BackupFileWords &words, QWidget *parent)
    : MaintenanceDialog(dm, parent), m_words(words)
{
    setObjectName(QString::fromLatin1(words.objectName));
    setWindowTitle(words.caption);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMinimumWidth(480);
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("…"));
    SpeedButton1->setAccessibleName(QStringLiteral("浏览"));
    SpeedButton1->setToolTip(QStringLiteral("浏览"));
    auto *label = new QLabel(words.label, this);
    label->setBuddy(Edit1);

    auto *fields = new QVBoxLayout;
    fields->addWidget(label);
    auto *row = new QHBoxLayout;
    row->addWidget(Edit1, 1);
    row->addWidget(SpeedButton1);
    fields->addLayout(row);
    setFields(fields, words.action, QStringLiteral("取消"));
    addProgressBar();

    connect(SpeedButton1, &QToolButton::clicked, this, &BackupFileDialog::browse);
    connect(BitBtn1, &QPushButton::clicked, this, &BackupFileDialog::actionClick);
    enterAlong({{Edit1, [this] {
                     if (Edit1->text().trimmed().isEmpty())
                         browse();
                     else
                         BitBtn1->click();
                 }}});
    setTabOrder(Edit1, SpeedButton1);
    setTabOrder(SpeedButton1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
}

QString BackupFileDialog::filter()
{
    return QStringLiteral("数据备份文件（*.bak） (*.bak)");
}

void BackupFileDialog::showEvent(QShowEvent *event)
{
    MaintenanceDialog::showEvent(event);
    Edit1->setFocus();
}

void BackupFileDialog::browse()
{
    maintenance::makeBackupFolder(m_dm);
    filechoice::Asked asked;
    asked.save = m_words.writes;
    asked.caption = m_words.caption;
    asked.folder = maintenance::backupFolder(m_dm);
    asked.proposed = proposedName();
    asked.filter = filter();
    const QString chosen = filechoice::choose(this, asked);
    if (chosen.isEmpty())
        return;
    Edit1->setText(m_words.writes ? maintenance::withBackupExtension(chosen) : chosen);
    Edit1->setFocus();
}

void BackupFileDialog::actionClick()
{
    if (Edit1->text().trimmed().isEmpty()) {
        msg::info(this, QStringLiteral("数据库备份文件不可为空！"));
        browse();
        return;
    }
    act(Edit1->text());
}
