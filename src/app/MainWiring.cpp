// Which window or action each menu item opens. Items whose windows do not
// exist yet stay in the menu and do nothing.
#include "windows/admin/Ubeifen1.h"
#include "windows/admin/Udanwei1.h"
#include "windows/admin/Uhuifu1.h"
#include "windows/admin/Uqingkong1.h"
#include "windows/admin/Uyasuo1.h"
#include "windows/app/Ugy1.h"
#include "app/Umain1.h"
#include "windows/finance/Ufkfx1.h"
#include "windows/finance/Uskfx1.h"
#include "windows/finance/Uszfx1.h"
#include "windows/finance/Uyffx1.h"
#include "windows/finance/Uysfx1.h"
#include "windows/masterdata/Ughs1.h"
#include "windows/masterdata/Ukh1.h"
#include "windows/masterdata/Usp1.h"
#include "windows/masterdata/Uyg1.h"
#include "windows/purchasing/Ucgfx1.h"
#include "windows/purchasing/Ucggl1.h"
#include "windows/purchasing/Ucghz1.h"
#include "windows/purchasing/Utjcgd1.h"
#include "windows/sales/Utjpfd1.h"
#include "windows/sales/Uxsfx1.h"
#include "windows/sales/Uxsgl1.h"
#include "windows/sales/Uxshz1.h"
#include "windows/sales/Utjxsd1.h"
#include "windows/sales/Uzhaoling1.h"
#include "windows/stock/Urkfx1.h"
#include "windows/sales/Uxstj3.h"
#include "windows/stock/Ukctj1.h"
#include "windows/stock/Ukcfx1.h"
#include "windows/stock/Urkgl1.h"
#include "windows/stock/Urkhz1.h"
#include "windows/stock/Utjrkd1.h"
#include "ui/ChildWindows.h"
#include "ui/Messages.h"
#include "windows/util/Untoc1.h"
#include "windows/admin/Utjyh1.h"
#include "windows/admin/Uyhsz1.h"
#include "windows/app/Udaohang1.h"
#include "windows/app/Ulikai1.h"
#include "ui/ModalDialog.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QMdiSubWindow>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

void startCalculator()
{
    const char *const programs[] = {"gnome-calculator", "kcalc",   "mate-calc", "galculator",
                                    "qalculate-gtk",    "xcalc",   "speedcrunch"};
    for (const char *p : programs) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(p));
        if (!path.isEmpty() && QProcess::startDetached(path, {}))
            return;
    }
    // Nothing is reported when no calculator can be started.
}

void openBesideProgram(const QString &fileName)
{
    // A missing file produces no message.
    QDesktopServices::openUrl(
        QUrl::fromLocalFile(QDir(QCoreApplication::applicationDirPath()).filePath(fileName)));
}

}  // namespace

void TFmain1::wireWindows()
{
    onMenuItem(QStringLiteral("店铺信息"), [this] {
        TFdanwei1 dialog(m_dm, this);
        connect(&dialog, &TFdanwei1::closed, this, &TFmain1::refreshCaption);
        dialog.exec();
    });
    // Backup works while windows are open; restore, compaction and clearing
    // change the file under them and wait until they are closed.
    backupOnExit = [this] {
        TFbeifen1 dialog(m_dm, this);
        dialog.exec();
    };
    onMenuItem(QStringLiteral("备份数据库"), [this] {
        TFbeifen1 dialog(m_dm, this);
        dialog.exec();
    });
    const auto othersOpen = [this] {
        if (m_children->count() == 0)
            return false;
        msg::warning(this, QStringLiteral("请先关闭其他窗口！"));
        return true;
    };
    onMenuItem(QStringLiteral("恢复数据库"), [this, othersOpen] {
        if (othersOpen())
            return;
        TFhuifu1 dialog(m_dm, this);
        // Another shop: its operator's grants and its name are read again.
        connect(&dialog, &TFhuifu1::restored, this, [this] {
            const QString name = STyhm1();
            startSession(name);
            refreshCaption();
        });
        dialog.exec();
    });
    onMenuItem(QStringLiteral("压缩数据库"), [this, othersOpen] {
        if (othersOpen())
            return;
        TFyasuo1 dialog(m_dm, this);
        dialog.exec();
    });
    onMenuItem(QStringLiteral("清空数据库"), [this, othersOpen] {
        if (othersOpen())
            return;
        TFqingkong1 dialog(m_dm, this);
        dialog.exec();
    });
    onMenuItem(QStringLiteral("计算器"), [] { startCalculator(); });
    onMenuItem(QStringLiteral("商品资料"), [this] {
        m_children->open<TFsp1>([this] { return new TFsp1(context()); });
    });
    onMenuItem(QStringLiteral("厂商资料"), [this] {
        m_children->open<TFghs1>([this] { return new TFghs1(context()); });
    });
    onMenuItem(QStringLiteral("客户资料"), [this] {
        m_children->open<TFkh1>([this] { return new TFkh1(context()); });
    });
    onMenuItem(QStringLiteral("员工资料"), [this] {
        m_children->open<TFyg1>([this] { return new TFyg1(context()); });
    });
    onMenuItem(QStringLiteral("采购"), [this] {
        m_children->open<TFtjcgd1>([this] { return new TFtjcgd1(context()); });
    });
    onMenuItem(QStringLiteral("库存异动"), [this] {
        m_children->open<TFtjrkd1>([this] { return new TFtjrkd1(context()); });
    });
    onMenuItem(QStringLiteral("零售"), [this] {
        m_children->open<TFtjxsd1>([this] { return new TFtjxsd1(context()); });
    });
    onMenuItem(QStringLiteral("批发"), [this] {
        m_children->open<TFtjpfd1>([this] { return new TFtjpfd1(context()); });
    });
    // The document lists; the menu items follow the operator's permissions.
    onMenuItem(QStringLiteral("采购单据"), [this] {
        m_children->open<TFcggl1>([this] { return new TFcggl1(context()); });
    });
    onMenuItem(QStringLiteral("销售单据"), [this] {
        m_children->open<TFxsgl1>([this] { return new TFxsgl1(context()); });
    });
    onMenuItem(QStringLiteral("异动单据"), [this] {
        m_children->open<TFrkgl1>([this] { return new TFrkgl1(context()); });
    });
    // The ledger details and statistics; a statistics row drills down into
    // the detail window of its ledger.
    onMenuItem(QStringLiteral("销售明细表"), [this] {
        m_children->open<TFxsfx1>([this] { return new TFxsfx1(context()); });
    });
    onMenuItem(QStringLiteral("销售统计表"), [this] {
        m_children->open<TFxshz1>([this] { return new TFxshz1(context()); });
    });
    onMenuItem(QStringLiteral("采购明细表"), [this] {
        m_children->open<TFcgfx1>([this] { return new TFcgfx1(context()); });
    });
    onMenuItem(QStringLiteral("采购统计表"), [this] {
        m_children->open<TFcghz1>([this] { return new TFcghz1(context()); });
    });
    onMenuItem(QStringLiteral("异动明细表"), [this] {
        m_children->open<TFrkfx1>([this] { return new TFrkfx1(context()); });
    });
    onMenuItem(QStringLiteral("异动统计表"), [this] {
        m_children->open<TFrkhz1>([this] { return new TFrkhz1(context()); });
    });
    // The statistics with their filters on their own panel; the commissions
    // follow "销售查询", the in/out/stock table is open to everyone.
    onMenuItem(QStringLiteral("员工提成表"), [this] {
        m_children->open<TFxstj3>([this] { return new TFxstj3(context()); });
    });
    onMenuItem(QStringLiteral("商品进销存统计表"), [this] {
        m_children->open<TFkctj1>([this] { return new TFkctj1(context()); });
    });
    // Open to every operator; what it shows and allows follows the stock flags.
    onMenuItem(QStringLiteral("商品库存明细表"), [this] {
        m_children->open<TFkcfx1>([this] { return new TFkcfx1(context()); });
    });
    // Finance: the permission "财务管理" enables the five items.
    onMenuItem(QStringLiteral("采购应付明细表"), [this] {
        m_children->open<TFyffx1>([this] { return new TFyffx1(context()); });
    });
    onMenuItem(QStringLiteral("销售应收明细表"), [this] {
        m_children->open<TFysfx1>([this] { return new TFysfx1(context()); });
    });
    onMenuItem(QStringLiteral("采购付款明细表"), [this] {
        m_children->open<TFfkfx1>([this] { return new TFfkfx1(context()); });
    });
    onMenuItem(QStringLiteral("销售收款明细表"), [this] {
        m_children->open<TFskfx1>([this] { return new TFskfx1(context()); });
    });
    onMenuItem(QStringLiteral("其他收支明细表"), [this] {
        m_children->open<TFszfx1>([this] { return new TFszfx1(context()); });
    });
    onMenuItem(QStringLiteral("金额大小写转换"),
               [this] { m_children->open<TFntoc1>([] { return new TFntoc1; }); });
    onMenuItem(QStringLiteral("找零钱工具"),
               [this] { m_children->open<TFzhaoling1>([] { return new TFzhaoling1; }); });
    onMenuItem(QStringLiteral("操作说明"),
               [] { openBesideProgram(QStringLiteral("Velbora操作说明书.doc")); });
    onMenuItem(QStringLiteral("常见问题"),
               [] { openBesideProgram(QStringLiteral("Velbora功能问答.txt")); });
    onMenuItem(QStringLiteral("访问Velbora软件网站"),
               [] { QDesktopServices::openUrl(QUrl(TFgy1::webSite())); });
    onMenuItem(QStringLiteral("关于本软件"), [this] {
        TFgy1 dialog(this);
        dialog.exec();
    });

    // The operators, the lock, the own password and the navigation chart.
    onMenuItem(QStringLiteral("操作员与权限"), [this] {
        ModalDialog<TFyhsz1> dialog(new TFyhsz1(m_dm, this));
        dialog.exec();
    });
    onMenuItem(QStringLiteral("暂时离开系统"), [this] { lockProgram(); });
    onMenuItem(QStringLiteral("更改我的密码"), [this] {
        ModalDialog<TFtjyh1> dialog(new TFtjyh1(m_dm, this));
        dialog->startOwnPassword(STyhm1());
        dialog.exec();
    });
    onMenuItem(QStringLiteral("显示业务导航图"), [this] { showNavigationChart(); });
    // Closing the chart takes the check mark away.
    QAction *chartItem = m_items.value(QStringLiteral("显示业务导航图"));
    connect(m_children, &ChildWindows::closed, chartItem, [chartItem](const QString &key) {
        if (key == QLatin1String(TFdaohang1::staticMetaObject.className()))
            chartItem->setChecked(false);
    });
}

void TFmain1::lockProgram()
{
    ModalDialog<TFlikai1> lock(new TFlikai1(m_dm, STyhm1(), this));
    if (lock.exec() == QDialog::Accepted || lock.gone())
        return;
    endWithoutQuestions();
}

void TFmain1::endWithoutQuestions()
{
    m_endingQuietly = true;
    close();
}

void TFmain1::showNavigationChart()
{
    QWidget *chart = m_children->open<TFdaohang1>([this] {
        return new TFdaohang1([this](const QString &caption) { return menuItem(caption); });
    });
    // A close box only: the chart has one size.
    if (auto *sub = qobject_cast<QMdiSubWindow *>(chart->parentWidget());
        sub && !(sub->windowFlags() & Qt::CustomizeWindowHint)) {
        const QRect placed = sub->geometry();
        sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
        sub->setGeometry(placed);
        sub->show();
    }
    m_items.value(QStringLiteral("显示业务导航图"))->setChecked(true);
}
