#pragma once

#include <QDialog>

// "关于本软件": title, version, the maker's lines; a double click on the
// picture or a click on the web line opens the maker's site.
class TFgy1 : public QDialog
{
    Q_OBJECT
public:
    explicit TFgy1(QWidget *parent = nullptr);

    static QString webSite();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_picture = nullptr;
    QWidget *m_webLine = nullptr;
};
