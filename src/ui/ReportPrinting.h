#pragma once

#include <QString>

class QWidget;

namespace report {

class Form;

// Whether any printer is installed.
bool printersAvailable();

// "找不到打印机，请安装打印机！"
QString noPrinterMessage();

// Shows the form in the preview window (modal) after setting its report
// title to "打印预览".
void preview(QWidget *parent, Form &form);

// Lays the form out and sends it to the default printer without a preview.
// False, after telling the operator, when there is no printer or printing
// failed.
bool printDirectly(QWidget *parent, const Form &form);

}  // namespace report
