#include "ui/BackgroundRead.h"

#include "core/db/ReadConnection.h"
#include "core/db/Sql.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QProgressDialog>
#include <QThread>

#include <memory>

namespace backgroundread {

std::optional<QString> run(QWidget *parent, const QString &connectionName, const QString &text,
                           const std::function<void(const QSqlDatabase &db)> &work)
{
    std::optional<QString> error;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        const ReadConnection reader(connectionName);
        if (!reader.isOpen()) {
            error = reader.error();
            return;
        }
        try {
            work(reader.db());
        } catch (const DbError &e) {
            error = e.message();
        }
    }));

    // A busy indicator: a statement cannot say how far it has got.
    QProgressDialog progress(text, QString(), 0, 0, parent);
    progress.setWindowTitle(QStringLiteral("统计"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(300);
    progress.setAutoClose(false);
    progress.setAutoReset(false);

    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    worker->start();
    // Paint and timers go on; clicks wait until the result is there. The
    // worker's end reaches the loop as a queued call, so an end before the
    // loop runs still ends it.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    QGuiApplication::restoreOverrideCursor();
    return error;
}

}  // namespace backgroundread
