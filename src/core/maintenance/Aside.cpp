#include "core/maintenance/Aside.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

namespace maintenance {

void runAside(const std::function<void(const Progress &)> &work, const Progress &shown)
{
    struct State {
        std::atomic<qint64> done{0};
        std::atomic<qint64> total{0};
    };
    auto state = std::make_shared<State>();
    const Progress report = [state](qint64 done, qint64 total) {
        state->done = done;
        state->total = total;
    };
    std::unique_ptr<QThread> thread(QThread::create([&work, report] { work(report); }));
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    QTimer timer;
    timer.setInterval(100);
    if (shown)
        QObject::connect(&timer, &QTimer::timeout, &loop,
                         [state, &shown] { shown(state->done, state->total); });
    thread->start();
    timer.start();
    // The quit is queued, so a thread that ends before the loop starts still ends it.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    if (shown)
        shown(state->done, state->total);
}

}  // namespace maintenance
