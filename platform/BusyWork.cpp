#include "platform/BusyWork.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>

#include <atomic>
#include <exception>
#include <thread>

namespace {

bool OnGuiThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return qobject_cast<const QGuiApplication*>(app) && QThread::currentThread() == app->thread();
}

} // namespace

TBusyCursor::TBusyCursor() : shown_(OnGuiThread()) {
    if (shown_)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

TBusyCursor::~TBusyCursor() {
    if (shown_)
        QGuiApplication::restoreOverrideCursor();
}

void busy_detail::RunOffMainThread(const std::function<void()>& work) {
    if (!OnGuiThread()) {
        work();
        return;
    }
    TBusyCursor busy;
    QAbstractEventDispatcher* const events = QAbstractEventDispatcher::instance();
    std::atomic<bool> done{false};
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        done.store(true, std::memory_order_release);
        events->wakeUp(); // a wake-up that comes before the wait ends the wait at once
    });
    // Not a QEventLoop: an application quit ends every running loop and keeps new ones from
    // starting, and the wait must go on until the work is done. The program's own loop ends
    // after the command.
    try {
        while (!done.load(std::memory_order_acquire))
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                            QEventLoop::WaitForMoreEvents);
    } catch (...) {
        worker.join(); // the work reads what the caller owns: it ends before they go
        throw;
    }
    worker.join();
    // Held-back input waits in the window system's queue until the event loop is woken: wake
    // it, so that a click made meanwhile is handled now, not at the next event from outside.
    events->wakeUp();
    if (failure)
        std::rethrow_exception(failure);
}
