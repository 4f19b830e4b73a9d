#include "ui/ReportPrinting.h"

#include "report/ReportLayout.h"
#include "ui/UdyPreview1.h"
#include "ui/Messages.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace report {

bool printersAvailable()
{
    return !QPrinterInfo::availablePrinters().isEmpty();
}

QString noPrinterMessage()
{
    return QStringLiteral("找不到打印机，请安装打印机！");
}

void preview(QWidget *parent, Form &form)
{
    form.setReportTitle(QStringLiteral("打印预览"));
    auto *window = new TFdyPreview1(form, parent);
    window->exec();  // freed when it closes
}

bool printDirectly(QWidget *parent, const Form &form)
{
    if (!printersAvailable()) {
        msg::warning(parent, noPrinterMessage());
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setDocName(form.reportTitle().isEmpty() ? form.name() : form.reportTitle());
    if (!printer.isValid() || !render(form, printer)) {
        msg::warning(parent, QStringLiteral("打印失败，请检查打印机！"));
        return false;
    }
    return true;
}

}  // namespace report
