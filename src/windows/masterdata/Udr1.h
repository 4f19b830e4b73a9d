#pragma once

#include "core/masterdata/Import.h"
#include "ui/FormDialog.h"
#include "ui/WindowContext.h"

#include <functional>

class QLineEdit;
class QProgressDialog;
class QToolButton;

// The import dialog ("导入商品资料", "导入厂商资料", "导入客户资料", "导入员工资料"):
// step one shows the template to fill in and opens it; step two takes the
// filled-in workbook (.xls or .xlsx) and "导入" copies its Sheet1 into the
// table, all or nothing, with a progress dialog. Its opener re-opens its list
// afterwards, whatever the outcome.
class TFdr1 : public FormDialog
{
    Q_OBJECT
public:
    TFdr1(const WindowContext &context, const sheetimport::Target &target,
          QWidget *parent = nullptr);

    // The hidden table name `ST` ("sp", "ghs", "kh", "yg").
    QString ST() const { return m_target.table; }

    void BitBtn1Click();  // 导入
    void openTemplateClick();
    void chooseFileClick();

    // Runs once an import has been tried (done or not): the opener's list
    // shows the table anew.
    std::function<void()> onImported;
    // What opens the template and what chooses the source file; the desktop
    // and the file dialog unless replaced (tests).
    std::function<void(const QString &path)> templateOpener;
    std::function<QString()> fileChooser;

    QLineEdit *Edit1;  // the template, read only
    QLineEdit *Edit2;  // the source file
    QToolButton *SpeedButton1;  // 打开模版
    QToolButton *SpeedButton2;  // 选择文件

    // The file dialog's filter: both kinds of workbook.
    static QString fileFilter();

protected:
    void showEvent(QShowEvent *event) override;

private:
    WindowContext m_context;
    const sheetimport::Target &m_target;
};
