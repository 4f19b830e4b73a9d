#pragma once

#include <QDialog>
#include <QPrintPreviewWidget>

#include <functional>
#include <memory>

class QLabel;
class QMenu;
class QPrinter;
class QProgressBar;
class QToolButton;

namespace report {
class Form;
}

// "打印预览": the pages of one report, to page through, zoom, print or save
// as PDF. Modal and maximised; it frees itself when it closes. The form must
// outlive it.
class TFdyPreview1 : public QDialog
{
    Q_OBJECT
public:
    explicit TFdyPreview1(const report::Form &form, QWidget *parent = nullptr);
    ~TFdyPreview1() override;

    QToolButton *SB1 = nullptr;  // 首页
    QToolButton *SB2 = nullptr;  // 上页
    QToolButton *SB3 = nullptr;  // 下页
    QToolButton *SB4 = nullptr;  // 尾页
    QToolButton *SB5 = nullptr;  // 缩放
    QToolButton *SB6 = nullptr;  // 设置
    QToolButton *SB7 = nullptr;  // 打印
    QToolButton *SB8 = nullptr;  // 关闭
    QToolButton *SB9 = nullptr;  // 保存PDF
    QPrintPreviewWidget *QRPreview1 = nullptr;  // the page area
    QMenu *PopupMenu1 = nullptr;                // the zoom menu of SB5
    QLabel *StatusPanel1 = nullptr;             // " 第 N 页 共 M 页"
    QProgressBar *ProgressBar1 = nullptr;

    int currentPage() const { return m_page; }
    int pageCount() const { return m_pageCount; }

    // Asks where to save the PDF (a save-file dialog); empty = cancelled.
    // Replaceable, for tests.
    std::function<QString(const QString &suggested)> askPdfFileName;

    // Writes the prepared pages to a PDF file; false after telling the
    // operator why it could not be written.
    bool savePdf(const QString &fileName);

private:
    void SB1Click();
    void SB2Click();
    void SB3Click();
    void SB4Click();
    void SB5MouseUp();
    void SB6Click();
    void SB7Click();
    void SB9Click();

    void paintPages(QPrinter *printer);
    void showPage(int page);
    void refreshStatus();
    QString suggestedPdfName() const;

    const report::Form &m_form;
    std::unique_ptr<QPrinter> m_printer;
    int m_page = 1;
    int m_pageCount = 0;
    bool m_printed = true;
    bool m_navigating = false;
};
