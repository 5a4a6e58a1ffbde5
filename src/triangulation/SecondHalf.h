#pragma once
// Work split in two halves, the second run on another thread. Every user
// makes the halves so that the results are those of one loop, whichever way
// they run; the thread count only decides the speed.

#include <atomic>
#include <exception>
#include <system_error>
#include <thread>

namespace second_half_detail {
inline std::atomic<int>& threadsSetting() {
    static std::atomic<int> threads(std::thread::hardware_concurrency() >= 2 ? 2 : 1);
    return threads;
}
} // namespace second_half_detail

// The thread count the splits use: 2 where the machine has two cores or
// more, else 1, unless set otherwise (tests run either path on any machine).
inline int splitThreads() {
    return second_half_detail::threadsSetting().load(std::memory_order_relaxed);
}
inline void setSplitThreads(int threads) {
    second_half_detail::threadsSetting().store(threads < 2 ? 1 : 2, std::memory_order_relaxed);
}

// Runs `first` on this thread and, with `threads` >= 2, `second` on another
// at the same time; with one thread, or when no thread can be had, `second`
// after `first` on this one. Both have run when it returns; an exception of
// either is rethrown once every half that started has ended (the first
// half's first). True when `second` ran on another thread.
template <class First, class Second>
bool runSecondHalfAlongside(int threads, First&& first, Second&& second) {
    std::exception_ptr secondFailure;
    std::thread other;
    if (threads >= 2) {
        try {
            other = std::thread([&] {
                try {
                    second();
                } catch (...) {
                    secondFailure = std::current_exception();
                }
            });
        } catch (const std::system_error&) {
        }
    }
    const bool alongside = other.joinable();
    std::exception_ptr firstFailure;
    try {
        first();
    } catch (...) {
        firstFailure = std::current_exception();
    }
    if (alongside)
        other.join();
    if (firstFailure)
        std::rethrow_exception(firstFailure);
    if (!alongside)
        second();
    if (secondFailure)
        std::rethrow_exception(secondFailure);
    return alongside;
}
