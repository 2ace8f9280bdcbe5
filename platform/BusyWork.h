#pragma once
// Long work without a frozen window.
//
// BusyWork(work) runs `work` on a worker thread while the calling thread, the main one, waits
// in a local event loop: the window goes on painting and its timers go on ticking, while user
// input (keys, mouse, a close from the window manager) is held back and handled once the work
// is done, in the order it came. A quit asked for meanwhile ends the program's loop after the
// command, never the wait: the work always runs to its end before BusyWork returns. The
// work's result, or the exception it raised, comes back on the calling thread as if the work
// had run there.
//
// Only work that touches no control may run this way: comparing the lists, reading and
// splitting a file. Controls and documents change on the main thread, before or after the
// work. Held-back input is what keeps the documents still meanwhile; painting only reads
// them, and a timer's handler must not change what the work reads.
//
// The busy cursor shows while BusyWork waits, from the start: waiting for half a second first
// would need the main thread free when the half second is up, and a command's main-thread
// part (filling the result panes) does not leave it free. A command that goes on working on
// the main thread after its work holds a TBusyCursor around all of it; a command that ends
// within a frame shows nothing a user could see.
//
// Without an application, or called off the main thread, the work simply runs in place.

#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

/// Shows the busy (wait) cursor over the whole application while it lives. They nest: the
/// cursor comes back when the outermost ends. Does nothing without an application or off the
/// main thread.
class TBusyCursor {
public:
    TBusyCursor();
    ~TBusyCursor();
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    bool shown_;
};

namespace busy_detail {
/// Runs `work` on a worker thread as BusyWork says and rethrows what it raised.
void RunOffMainThread(const std::function<void()>& work);
} // namespace busy_detail

/// Runs `work()` off the main thread (see above) and returns its result.
template <class Work> std::invoke_result_t<Work&> BusyWork(Work&& work) {
    using Result = std::invoke_result_t<Work&>;
    static_assert(!std::is_reference_v<Result>, "the work's result comes back by value");
    if constexpr (std::is_void_v<Result>) {
        busy_detail::RunOffMainThread([&] { work(); });
    } else {
        std::optional<Result> result;
        busy_detail::RunOffMainThread([&] { result.emplace(work()); });
        return std::move(*result);
    }
}
