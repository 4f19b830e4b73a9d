// Which window or action each menu item opens. Items whose windows do not
// exist yet stay in the menu and do nothing.
#include "windows/admin/Ubeifen1.h"
#include "windows/admin/Udanwei1.h"
#include "windows/admin/Uhuifu1.h"
#include "windows/admin/Uqingkong1.h"
#include "windows/admin/Uyasuo1.h"
#include "windows/app/Ugy1.h"
#include "app/Umain1.h"
#include "windows/masterdata/Ughs1.h"
#include "windows/masterdata/Ukh1.h"
#include "windows/masterdata/Usp1.h"
#include "windows/masterdata/Uyg1.h"
#include "windows/purchasing/Ucggl1.h"
#include "windows/purchasing/Utjcgd1.h"
#include "windows/sales/Utjpfd1.h"
#include "windows/sales/Uxsgl1.h"
#include "windows/sales/Utjxsd1.h"
#include "windows/sales/Uzhaoling1.h"
#include "windows/stock/Urkgl1.h"
#include "windows/stock/Utjrkd1.h"
#include "ui/ChildWindows.h"
#include "ui/Messages.h"
#include "windows/util/Untoc1.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
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
}
