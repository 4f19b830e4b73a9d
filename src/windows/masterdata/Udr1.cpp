#include "windows/masterdata/Udr1.h"

#include "ui/Messages.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

QToolButton *stepButton(QWidget *parent, const QString &name, const QString &tip)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(u"…"_s);
    b->setToolTip(tip);
    b->setAccessibleName(tip);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QGroupBox *step(QWidget *parent, const QString &caption, QLineEdit *edit, QToolButton *button)
{
    auto *box = new QGroupBox(caption, parent);
    auto *row = new QHBoxLayout(box);
    row->addWidget(edit, 1);
    row->addWidget(button);
    edit->setAccessibleName(caption);
    return box;
}

}  // namespace

TFdr1::TFdr1(const WindowContext &context, const sheetimport::Target &target, QWidget *parent)
    : FormDialog(parent), m_context(context), m_target(target)
{
    setObjectName(u"TFdr1"_s);
    setWindowTitle(target.caption);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(u"Edit1"_s);
    Edit1->setReadOnly(true);
    Edit1->setText(
        QDir::toNativeSeparators(sheetimport::templatePath(QCoreApplication::applicationDirPath(), target)));
    Edit1->setMinimumWidth(380);
    SpeedButton1 = stepButton(this, u"SpeedButton1"_s, u"打开模版"_s);

    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(u"Edit2"_s);
    SpeedButton2 = stepButton(this, u"SpeedButton2"_s, u"选择文件"_s);

    auto *fields = new QVBoxLayout;
    fields->addWidget(step(this, u"步骤一：参考此文件模版制作导入源文件"_s, Edit1, SpeedButton1));
    fields->addWidget(step(this, u"步骤二：选择正确的源文件进行导入操作"_s, Edit2, SpeedButton2));
    setFields(fields, u"导入"_s, u"取消"_s);

    connect(SpeedButton1, &QToolButton::clicked, this, &TFdr1::openTemplateClick);
    connect(SpeedButton2, &QToolButton::clicked, this, &TFdr1::chooseFileClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TFdr1::BitBtn1Click);
    // Enter imports the file named, or asks for one.
    enterAlong({{Edit2, [this] {
                     if (Edit2->text().trimmed().isEmpty())
                         chooseFileClick();
                     else
                         BitBtn1->click();
                 }}});
}

QString TFdr1::fileFilter()
{
    return u"Excel文件(*.xls *.xlsx);;Excel 97-2003文件(*.xls);;Excel工作簿(*.xlsx)"_s;
}

void TFdr1::showEvent(QShowEvent *event)
{
    FormDialog::showEvent(event);
    Edit2->clear();
    Edit2->setFocus();
}

void TFdr1::openTemplateClick()
{
    const QString path = Edit1->text().trimmed();
    if (path.isEmpty())
        return;
    if (templateOpener)
        templateOpener(QDir::fromNativeSeparators(path));
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::fromNativeSeparators(path)));
}

void TFdr1::chooseFileClick()
{
    QString path;
    if (fileChooser) {
        path = fileChooser();
    } else {
        const QString from = Edit2->text().trimmed().isEmpty()
                                 ? QFileInfo(QDir::fromNativeSeparators(Edit1->text())).path()
                                 : QFileInfo(Edit2->text().trimmed()).path();
        path = QFileDialog::getOpenFileName(this, u"选择正确的源文件"_s, from, fileFilter());
    }
    if (!path.isEmpty())
        Edit2->setText(QDir::toNativeSeparators(path));
    Edit2->setFocus();
}

void TFdr1::BitBtn1Click()
{
    const QString path = QDir::fromNativeSeparators(Edit2->text().trimmed());
    if (path.isEmpty()) {
        msg::info(this, u"导入源文件不可为空！"_s);
        Edit2->setFocus();
        return;
    }

    QProgressDialog progress(u"正在导入数据，请稍候……"_s, QString(), 0, 1000, this);
    progress.setObjectName(u"importProgress"_s);
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setCancelButton(nullptr);
    progress.setMinimumDuration(300);
    progress.setAutoClose(false);
    progress.setValue(0);
    const sheetimport::Imported done = sheetimport::importFile(
        m_context.DM1.ADOC1(), m_target, path, [&progress](int permille) {
            progress.setValue(permille);
        });
    progress.close();

    if (onImported)
        onImported();
    if (!done.ok()) {
        msg::warning(this, done.message);
        Edit2->setFocus();
        return;
    }
    msg::info(this, u"批量导入成功!"_s);
    accept();
}
