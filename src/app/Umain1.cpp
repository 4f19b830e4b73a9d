#include "app/Umain1.h"

#include "core/admin/Permissions.h"
#include "core/db/Udm1.h"
#include "core/db/Sql.h"
#include "ui/Artwork.h"
#include "ui/ChildWindows.h"
#include "ui/Messages.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

// The menu in order; "-" is a separator.
struct MenuDef {
    const char16_t *title;
    std::initializer_list<const char16_t *> items;
};

const MenuDef kMenus[] = {
    {u"系统",
     {u"店铺信息", u"操作员与权限", u"-", u"清空数据库", u"备份数据库", u"恢复数据库",
      u"压缩数据库", u"-", u"暂时离开系统", u"更改我的密码", u"退出"}},
    {u"基本资料", {u"商品资料", u"厂商资料", u"客户资料", u"员工资料"}},
    {u"日常业务", {u"采购", u"零售", u"批发", u"库存异动"}},
    {u"查询统计",
     {u"采购单据", u"采购明细表", u"采购统计表", u"-", u"销售单据", u"销售明细表",
      u"销售统计表", u"员工提成表", u"-", u"异动单据", u"异动明细表", u"异动统计表", u"-",
      u"商品库存明细表", u"商品进销存统计表"}},
    {u"财务管理",
     {u"采购应付明细表", u"销售应收明细表", u"采购付款明细表", u"销售收款明细表", u"-",
      u"其他收支明细表"}},
    {u"帮助",
     {u"计算器", u"金额大小写转换", u"找零钱工具", u"-", u"操作说明", u"常见问题",
      u"显示业务导航图", u"-", u"访问Velbora软件网站", u"关于本软件"}},
};

// What each permission enables. "销售单据" follows either sales permission and
// is handled apart; the two flag permissions enable no item.
struct GateDef {
    const char16_t *permission;
    std::initializer_list<const char16_t *> items;
};

const GateDef kGates[] = {
    {u"系统设置", {u"店铺信息", u"操作员与权限", u"清空数据库"}},
    {u"基本资料", {u"商品资料", u"厂商资料", u"客户资料", u"员工资料"}},
    {u"采购开单", {u"采购", u"采购单据"}},
    {u"采购查询", {u"采购明细表", u"采购统计表"}},
    {u"零售开单", {u"零售"}},
    {u"批发开单", {u"批发"}},
    {u"销售查询", {u"销售明细表", u"销售统计表", u"员工提成表"}},
    {u"异动开单", {u"库存异动", u"异动单据"}},
    {u"异动查询", {u"异动明细表", u"异动统计表"}},
    {u"财务管理",
     {u"采购应付明细表", u"销售应收明细表", u"采购付款明细表", u"销售收款明细表",
      u"其他收支明细表"}},
};

struct ToolDef {
    const char *name;
    const char16_t *caption;
    const char16_t *tip;
    const char16_t *item;
    QRgb color;
};

const ToolDef kTools[] = {
    {"SpeedButton1", u"厂商", u"厂商资料", u"厂商资料", 0x2f6db5},
    {"SpeedButton2", u"客户", u"客户资料", u"客户资料", 0x3a9a5b},
    {"SpeedButton3", u"商品", u"商品资料", u"商品资料", 0xc0762a},
    {"SpeedButton4", u"采购", u"采购开单", u"采购", 0x7b53b0},
    {"SpeedButton5", u"批发", u"批发开单", u"批发", 0x2a8c9a},
    {"SpeedButton6", u"零售", u"零售开单", u"零售", 0xc23b3b},
    {"SpeedButton7", u"库存", u"商品库存", u"商品库存明细表", 0x5a6b7c},
};

QString str(const char16_t *s)
{
    return QString::fromUtf16(s);
}

}  // namespace

TFmain1::TFmain1(TDM1 &dm, QWidget *parent) : QMainWindow(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("TFmain1"));
    m_area = new QMdiArea(this);
    m_area->setBackground(QColor(0x80, 0x80, 0x80));
    m_area->setObjectName(QStringLiteral("MDIClient"));
    setCentralWidget(m_area);
    m_children = new ChildWindows(m_area, this);

    buildMenu();
    buildToolBar();
    buildStatusBar();
    wireWindows();

    m_ready = m_dm.reloadShop();
    refreshCaption();
}

QString TFmain1::captionFor(const QString &shopName)
{
    return QStringLiteral("Velbora软件五金行业版V2014 ［使用单位：") + shopName +
           QStringLiteral("］");
}

void TFmain1::refreshCaption()
{
    m_dm.reloadShop();
    setWindowTitle(captionFor(m_dm.ATdanwei1().mczc));
}

void TFmain1::buildMenu()
{
    for (const MenuDef &def : kMenus) {
        QMenu *menu = menuBar()->addMenu(str(def.title));
        menu->setObjectName(str(def.title));
        for (const char16_t *item : def.items) {
            const QString caption = str(item);
            if (caption == QStringLiteral("-")) {
                menu->addSeparator();
                continue;
            }
            QAction *a = menu->addAction(caption);
            a->setObjectName(caption);
            m_items.insert(caption, a);
        }
    }
    QAction *quit = menuBar()->addAction(QStringLiteral("退出软件"));
    quit->setObjectName(QStringLiteral("退出软件"));
    m_items.insert(quit->text(), quit);

    m_items.value(QStringLiteral("显示业务导航图"))->setCheckable(true);
    onMenuItem(QStringLiteral("退出"), [this] { close(); });
    onMenuItem(QStringLiteral("退出软件"), [this] { close(); });
}

void TFmain1::buildToolBar()
{
    QToolBar *bar = addToolBar(QStringLiteral("工具栏"));
    bar->setObjectName(QStringLiteral("Panel1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(32, 32));
    for (const ToolDef &def : kTools) {
        auto *b = new QToolButton(bar);
        b->setObjectName(QString::fromLatin1(def.name));
        b->setText(str(def.caption));
        b->setToolTip(str(def.tip));
        b->setAccessibleName(str(def.caption));
        b->setAutoRaise(true);
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setIcon(artwork::tileIcon(str(def.caption).left(1), QColor::fromRgb(def.color)));
        b->setMinimumWidth(56);
        // A click on the button is a click on its menu item, so a disabled
        // item makes the button do nothing.
        QAction *item = m_items.value(str(def.item));
        connect(b, &QToolButton::clicked, item, [item] { item->trigger(); });
        bar->addWidget(b);
    }
}

void TFmain1::buildStatusBar()
{
    const int widths[4] = {150, 400, 200, 100};
    const Qt::Alignment aligns[4] = {Qt::AlignLeft | Qt::AlignVCenter, Qt::AlignCenter,
                                     Qt::AlignCenter, Qt::AlignRight | Qt::AlignVCenter};
    for (int i = 0; i < 4; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_panels[i]->setFixedWidth(widths[i]);
        m_panels[i]->setAlignment(aligns[i]);
        m_panels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addWidget(m_panels[i]);
    }
    m_panels[0]->setText(QStringLiteral("操作员："));
    m_panels[2]->setText(QStringLiteral("关注Velbora网站，下载最新版本"));
    m_panels[3]->setText(QStringLiteral("五金行业版"));
    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &TFmain1::tick);
    m_clock->start();
}

QLabel *TFmain1::statusPanel(int index) const
{
    return (index >= 0 && index < 4) ? m_panels[index] : nullptr;
}

QString TFmain1::clockText(const QDateTime &moment)
{
    return QStringLiteral("现在时刻：") +
           QLocale::system().toString(moment,
                                      QStringLiteral("yyyy年MM月dd日 dddd HH时mm分ss秒"));
}

void TFmain1::tick()
{
    m_panels[1]->setText(clockText(QDateTime::currentDateTime()));
}

QAction *TFmain1::menuItem(const QString &caption) const
{
    return m_items.value(caption);
}

void TFmain1::onMenuItem(const QString &caption, std::function<void()> handler)
{
    QAction *a = m_items.value(caption);
    Q_ASSERT(a);
    connect(a, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
}

void TFmain1::startSession(const QString &operatorName)
{
    QSet<QString> grants;
    try {
        grants = operators::grantsOf(m_dm.ADOC1(), operatorName);
    } catch (const DbError &e) {
        msg::error(this, e.message());
    }
    m_session = Session::forOperator(operatorName, grants);
    m_panels[0]->setText(QStringLiteral("操作员：") + operatorName);
    applyPermissions(grants);
}

void TFmain1::applyPermissions(const QSet<QString> &grants)
{
    for (const GateDef &gate : kGates) {
        const bool granted = grants.contains(str(gate.permission));
        for (const char16_t *item : gate.items)
            m_items.value(str(item))->setEnabled(granted);
    }
    m_items.value(QStringLiteral("销售单据"))
        ->setEnabled(grants.contains(permissions::retailEntry()) ||
                     grants.contains(permissions::wholesaleEntry()));
}

void TFmain1::closeEvent(QCloseEvent *event)
{
    if (m_endingQuietly) {
        m_area->closeAllSubWindows();
        event->accept();
        return;
    }
    m_dm.closeConnection();
    if (!msg::confirmOkCancel(this, QStringLiteral("确定要退出本系统吗？"))) {
        event->ignore();
        return;
    }
    if (msg::confirmYesNo(this, QStringLiteral("退出时需要备份数据吗？")) && backupOnExit)
        backupOnExit();
    m_area->closeAllSubWindows();
    event->accept();
}
