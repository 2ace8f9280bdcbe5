#include "platform/BusyWork.h"

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
    QEventLoop loop;
    std::atomic<bool> done{false};
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        done.store(true, std::memory_order_release);
        // Wakes the wait. Should the wait end first, the call dies with the loop, uncalled.
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    constexpr auto kNoInput = QEventLoop::ExcludeUserInputEvents;
    try {
        while (!done.load(std::memory_order_acquire)) {
            loop.exec(kNoInput);
            // An application quit ends every running loop and keeps new ones from starting:
            // wait on event by event; the program's own loop ends after the command.
            if (!done.load(std::memory_order_acquire))
                QCoreApplication::processEvents(kNoInput | QEventLoop::WaitForMoreEvents);
        }
    } catch (...) {
        worker.join(); // the work reads what the caller owns: it ends before they go
        throw;
    }
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}
