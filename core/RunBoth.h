#pragma once
// Two pieces of work at once: the second on a thread of its own when one is to be had (the
// machine's second core), else after the first. The second always ends before RunBoth does;
// when both fail, the first one's failure is the one thrown.

#include <future>
#include <system_error>

namespace core {

template <class First, class Second> void RunBoth(First&& first, Second&& second) {
    std::future<void> onThread;
    try {
        onThread = std::async(std::launch::async, [&] { second(); });
    } catch (const std::system_error&) {
        // No thread: one after the other.
    }
    try {
        first();
    } catch (...) {
        if (onThread.valid())
            onThread.wait();
        throw;
    }
    if (onThread.valid())
        onThread.get();
    else
        second();
}

/// `work(0)` and `work(1)` by RunBoth.
template <class Work> void InTwoParts(Work&& work) {
    RunBoth([&] { work(0); }, [&] { work(1); });
}

} // namespace core
