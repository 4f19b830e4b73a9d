#include "ui/GridExport.h"

#include "core/db/ReadConnection.h"
#include "core/lists/SheetExport.h"
#include "ui/ListGrid.h"
#include "ui/Messages.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <atomic>
#include <memory>
#include <optional>

namespace gridexport {

namespace {

QString &folderOverride()
{
    static QString f;
    return f;
}

Opener &openerOverride()
{
    static Opener o;
    return o;
}

bool openWithDesktop(const QString &path)
{
    if (const Opener &o = openerOverride())
        return o(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

// Writes on a worker thread; the progress dialog appears when the writing
// takes more than half a second and keeps the program painted meanwhile. A
// window onto a statement is walked on a connection of the worker's own, a
// piece at a time, so the list is never held whole.
std::optional<QString> writeWithProgress(QWidget *parent, const QString &path, const GridRows &rows)
{
    std::atomic<int> written{0};
    std::optional<QString> error;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        const auto count = [&written](int n) { written = n; };
        if (!rows.isWindowed()) {
            error = sheetexport::write(path, rows, count);
            return;
        }
        const ReadConnection reader(rows.connectionName());
        if (!reader.isOpen()) {
            error = reader.error();
            return;
        }
        error = sheetexport::write(path, rows, reader.db(), count);
    }));

    QProgressDialog progress(QStringLiteral("正在导出数据，请稍候……"), QString(), 0,
                             std::max(1, rows.rowCount()), parent);
    progress.setWindowTitle(QStringLiteral("导出"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(500);
    progress.setAutoClose(false);
    progress.setAutoReset(false);

    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &progress,
                     [&] { progress.setValue(std::min(written.load(), progress.maximum() - 1)); });
    tick.start(100);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    worker->start();
    // Paint and timers go on; clicks wait until the sheet is written.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    QGuiApplication::restoreOverrideCursor();
    return error;
}

}  // namespace

QString folder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    return sheetexport::folderIn(QCoreApplication::applicationDirPath());
}

void setFolder(const QString &f)
{
    folderOverride() = f;
}

void setOpener(Opener opener)
{
    openerOverride() = std::move(opener);
}

Outcome exportGrid(QWidget *parent, const ListGrid &grid, const QString &name)
{
    const QString failed = QStringLiteral("数据导出失败！");
    const QString path = sheetexport::reserveFile(folder(), name);
    if (path.isEmpty()) {
        msg::info(parent, failed);
        return Outcome::Failed;
    }
    // The copy shares the fetched rows (or holds the window's statement and
    // order); the grid may be sorted or re-queried meanwhile without touching
    // what is being written.
    const GridRows rows = grid.rows();
    if (writeWithProgress(parent, path, rows)) {
        QFile::remove(path);
        msg::info(parent, failed);
        return Outcome::Failed;
    }
    if (!openWithDesktop(path)) {
        QFile::remove(path);
        msg::warning(parent, QStringLiteral("电脑没有安装Microsoft Excel，不可导出！"));
        return Outcome::NoSpreadsheet;
    }
    return Outcome::Opened;
}

}  // namespace gridexport
