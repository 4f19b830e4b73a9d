#include "windows/app/Ugy1.h"

#include "ui/Artwork.h"

#include <QDesktopServices>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

QString TFgy1::webSite()
{
    return QStringLiteral("https://www.velbora.com.cn");
}

TFgy1::TFgy1(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("关于本软件"));

    auto *picture = new QLabel(this);
    picture->setPixmap(artwork::shopPicture(QSize(160, 200)));
    picture->setToolTip(QStringLiteral("双点图片，打开官方网站"));
    picture->setAccessibleName(picture->toolTip());
    picture->installEventFilter(this);
    m_picture = picture;

    auto *title = new QLabel(QStringLiteral("Velbora软件＿五金行业版"), this);
    QFont f = title->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    title->setFont(f);
    auto *version = new QLabel(QStringLiteral("版本信息：Build 2014.01.12"), this);
    auto *mark = new QLabel(QStringLiteral("[Ｂ]"), this);
    auto *maker = new QLabel(QStringLiteral("Velbora软件工作室"), this);
    auto *phone = new QLabel(QStringLiteral("服务电话：400-000-0000"), this);
    auto *web = new QLabel(QStringLiteral("官方网站：") + webSite(), this);
    web->setToolTip(QStringLiteral("双点打开官方网站"));
    web->setCursor(Qt::PointingHandCursor);
    web->setStyleSheet(QStringLiteral("color: #1a4fa0; text-decoration: underline;"));
    web->installEventFilter(this);
    m_webLine = web;

    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(version);
    text->addWidget(mark);
    text->addSpacing(12);
    text->addWidget(maker);
    text->addWidget(phone);
    text->addWidget(web);
    text->addStretch();
    auto *okRow = new QHBoxLayout;
    okRow->addStretch();
    okRow->addWidget(ok);
    text->addLayout(okRow);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(picture);
    layout->addLayout(text);
}

bool TFgy1::eventFilter(QObject *watched, QEvent *event)
{
    const bool open = (watched == m_picture && event->type() == QEvent::MouseButtonDblClick) ||
                      (watched == m_webLine && event->type() == QEvent::MouseButtonRelease);
    if (open) {
        QDesktopServices::openUrl(QUrl(webSite()));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
