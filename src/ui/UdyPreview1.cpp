#include "ui/UdyPreview1.h"

#include "report/ReportLayout.h"
#include "ui/ReportPrinting.h"
#include "ui/Messages.h"
#include "ui/ModalDialog.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QScopedValueRollback>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

TFdyPreview1::TFdyPreview1(const report::Form &form, QWidget *parent)
    : QDialog(parent, Qt::Window), m_form(form), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("TFdyPreview1"));
    setWindowTitle(QStringLiteral("打印预览"));
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowState(Qt::WindowMaximized);

    m_printer->setFullPage(true);
    m_printer->setDocName(form.reportTitle().isEmpty() ? form.name() : form.reportTitle());
    // Without a printer the pages are measured as for a PDF file.
    if (!report::printersAvailable())
        m_printer->setOutputFormat(QPrinter::PdfFormat);

    auto button = [this](const char *name, const QString &caption) {
        auto *b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(caption);
        b->setAccessibleName(caption);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setMinimumWidth(56);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    SB1 = button("SB1", QStringLiteral("首页"));
    SB2 = button("SB2", QStringLiteral("上页"));
    SB3 = button("SB3", QStringLiteral("下页"));
    SB4 = button("SB4", QStringLiteral("尾页"));
    SB5 = button("SB5", QStringLiteral("缩放"));
    SB6 = button("SB6", QStringLiteral("设置"));
    SB7 = button("SB7", QStringLiteral("打印"));
    SB9 = button("SB9", QStringLiteral("保存PDF"));
    SB8 = button("SB8", QStringLiteral("关闭"));
    connect(SB1, &QToolButton::clicked, this, &TFdyPreview1::SB1Click);
    connect(SB2, &QToolButton::clicked, this, &TFdyPreview1::SB2Click);
    connect(SB3, &QToolButton::clicked, this, &TFdyPreview1::SB3Click);
    connect(SB4, &QToolButton::clicked, this, &TFdyPreview1::SB4Click);
    connect(SB5, &QToolButton::released, this, &TFdyPreview1::SB5MouseUp);
    connect(SB6, &QToolButton::clicked, this, &TFdyPreview1::SB6Click);
    connect(SB7, &QToolButton::clicked, this, &TFdyPreview1::SB7Click);
    connect(SB8, &QToolButton::clicked, this, &QDialog::close);
    connect(SB9, &QToolButton::clicked, this, &TFdyPreview1::SB9Click);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    // Zooming stays on the page shown.
    auto zoom = [this](const std::function<void()> &apply) {
        return [this, apply] {
            const int page = m_page;
            {
                const QScopedValueRollback<bool> navigating(m_navigating, true);
                apply();
            }
            showPage(page);
        };
    };
    PopupMenu1->addAction(QStringLiteral("缩放—全屏"), this, zoom([this] { QRPreview1->fitInView(); }));
    PopupMenu1->addAction(QStringLiteral("缩放—页宽"), this, zoom([this] { QRPreview1->fitToWidth(); }));
    PopupMenu1->addAction(QStringLiteral("缩放—100%（实际打印效果）"), this, zoom([this] {
                              QRPreview1->setZoomMode(QPrintPreviewWidget::CustomZoom);
                              QRPreview1->setZoomFactor(1.0);
                          }));
    PopupMenu1->addAction(QStringLiteral("缩放—50%"), this, zoom([this] {
                              QRPreview1->setZoomMode(QPrintPreviewWidget::CustomZoom);
                              QRPreview1->setZoomFactor(0.5);
                          }));

    auto *tools = new QHBoxLayout;
    tools->setSpacing(2);
    for (QToolButton *b : {SB1, SB2, SB3, SB4, SB5, SB6, SB7, SB9, SB8})
        tools->addWidget(b);
    tools->addStretch();

    QRPreview1 = new QPrintPreviewWidget(m_printer.get(), this);
    QRPreview1->setObjectName(QStringLiteral("QRPreview1"));
    QRPreview1->setAccessibleName(QStringLiteral("打印预览"));
    connect(QRPreview1, &QPrintPreviewWidget::paintRequested, this, &TFdyPreview1::paintPages);
    connect(QRPreview1, &QPrintPreviewWidget::previewChanged, this, [this] {
        // Scrolling through the pages moves the current page too; moving to
        // a page by the buttons does not count as scrolling (with small
        // pages several are in view, and the page area would name the
        // first of them).
        if (m_navigating)
            return;
        if (QRPreview1->currentPage() != m_page && QRPreview1->currentPage() >= 1) {
            m_page = QRPreview1->currentPage();
            refreshStatus();
        }
    });
    // The page area's context menu: the same as the buttons.
    QRPreview1->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (QToolButton *b : {SB7, SB6, SB8}) {
        auto *a = new QAction(b->text(), QRPreview1);
        connect(a, &QAction::triggered, b, &QToolButton::click);
        QRPreview1->addAction(a);
    }

    auto *status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    ProgressBar1 = new QProgressBar(status);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setMaximumWidth(200);
    ProgressBar1->setAccessibleName(QStringLiteral("进度"));
    StatusPanel1 = new QLabel(status);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setMinimumWidth(200);
    status->addWidget(ProgressBar1);
    status->addWidget(StatusPanel1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(tools);
    layout->addWidget(QRPreview1, 1);
    layout->addWidget(status);

    askPdfFileName = [this](const QString &suggested) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("保存PDF"), suggested,
                                            QStringLiteral("PDF文件 (*.pdf)"));
    };

    // Prepare the pages now, and open at 100 %.
    QRPreview1->updatePreview();
    QRPreview1->setZoomMode(QPrintPreviewWidget::CustomZoom);
    QRPreview1->setZoomFactor(1.0);
    showPage(1);
}

TFdyPreview1::~TFdyPreview1() = default;

void TFdyPreview1::paintPages(QPrinter *printer)
{
    ProgressBar1->setValue(0);
    m_printed = report::render(m_form, *printer, [this](int done, int count) {
        // A new page is ready: count it and show the progress.
        m_pageCount = done;
        ProgressBar1->setValue(count > 0 ? done * 100 / count : 100);
        refreshStatus();
    });
    ProgressBar1->setValue(100);
}

void TFdyPreview1::showPage(int page)
{
    m_page = std::clamp(page, 1, std::max(1, m_pageCount));
    const QScopedValueRollback<bool> navigating(m_navigating, true);
    QRPreview1->setCurrentPage(m_page);
    // The page area centres the page; a page larger than the window is
    // shown from its top left corner instead, where reading starts.
    if (auto *view = QRPreview1->findChild<QGraphicsView *>(); view && view->scene()) {
        QList<QRectF> pages;
        for (QGraphicsItem *item : view->scene()->items())
            if (!item->parentItem())
                pages << item->sceneBoundingRect();
        std::sort(pages.begin(), pages.end(),
                  [](const QRectF &a, const QRectF &b) { return a.top() < b.top(); });
        if (m_page - 1 < pages.size())
            view->ensureVisible(QRectF(pages[m_page - 1].topLeft(), QSizeF(1, 1)), 10, 10);
    }
    refreshStatus();
}

void TFdyPreview1::refreshStatus()
{
    StatusPanel1->setText(QStringLiteral(" 第 ") + QString::number(m_page) + QStringLiteral(" 页 共 ") +
                          QString::number(m_pageCount) + QStringLiteral(" 页"));
}

void TFdyPreview1::SB1Click()
{
    showPage(1);
}

void TFdyPreview1::SB2Click()
{
    showPage(m_page > 1 ? m_page - 1 : 1);
}

void TFdyPreview1::SB3Click()
{
    showPage(m_page + 1);
}

void TFdyPreview1::SB4Click()
{
    showPage(m_pageCount);
}

void TFdyPreview1::SB5MouseUp()
{
    PopupMenu1->popup(SB5->mapToGlobal(SB5->rect().bottomLeft()));
}

void TFdyPreview1::SB6Click()
{
    if (!report::printersAvailable()) {
        msg::warning(this, report::noPrinterMessage());
        return;
    }
    ModalDialog<QPrintDialog> dialog(new QPrintDialog(m_printer.get(), this));
    dialog->setWindowTitle(QStringLiteral("打印设置"));
    dialog.exec();
}

void TFdyPreview1::SB7Click()
{
    if (!report::printersAvailable()) {
        msg::warning(this, report::noPrinterMessage());
        return;
    }
    // The pages were measured as for a PDF file when no printer was there
    // at the start; print to the printer now, unless the setup chose a file.
    if (m_printer->outputFormat() == QPrinter::PdfFormat && m_printer->outputFileName().isEmpty())
        m_printer->setOutputFormat(QPrinter::NativeFormat);
    QRPreview1->print();
    if (!m_printed)
        msg::warning(this, QStringLiteral("打印失败，请检查打印机！"));
}

QString TFdyPreview1::suggestedPdfName() const
{
    QString name = m_form.caption(QStringLiteral("QRLdw")).trimmed();
    if (name.isEmpty())
        name = QStringLiteral("报表");
    // Characters no file name may hold.
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    for (QChar &c : name)
        if (forbidden.contains(c) || c.unicode() < 0x20)
            c = u'_';
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty())
        dir = QDir::homePath();
    return QDir(dir).filePath(name + QStringLiteral(".pdf"));
}

void TFdyPreview1::SB9Click()
{
    QString fileName = askPdfFileName ? askPdfFileName(suggestedPdfName()) : QString();
    if (fileName.isEmpty())
        return;
    if (!fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".pdf");
    if (savePdf(fileName))
        msg::info(this, QStringLiteral("已保存为PDF文件：") + QDir::toNativeSeparators(fileName));
}

bool TFdyPreview1::savePdf(const QString &fileName)
{
    ProgressBar1->setValue(0);
    const auto error = report::writePdf(m_form, fileName, [this](int done, int count) {
        ProgressBar1->setValue(count > 0 ? done * 100 / count : 100);
    });
    ProgressBar1->setValue(100);
    if (error) {
        msg::warning(this, *error);
        return false;
    }
    return true;
}
