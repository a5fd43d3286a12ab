#include "app/parallel.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace aethrian {

namespace {

// Set while a thread runs items: a nested parallelFor then stays on that thread, as the outer
// one already keeps every core busy.
thread_local bool insideItem = false;

struct ItemScope {
    ItemScope() { insideItem = true; }
    ~ItemScope() { insideItem = false; }
    ItemScope(const ItemScope&) = delete;
    ItemScope& operator=(const ItemScope&) = delete;
};

} // namespace

size_t workerCount() {
    if (const char* forced = std::getenv("AETHRIAN_THREADS")) {
        char* end = nullptr;
        const unsigned long n = std::strtoul(forced, &end, 10);
        if (end != forced && *end == '\0' && n >= 1)
            return n < 64 ? n : 64;
    }
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : cores;
}

void parallelFor(size_t count, const std::function<void(size_t)>& body,
                 const std::function<void()>& tick) {
    const size_t threads = insideItem ? 1 : std::min(workerCount(), count);
    if (threads <= 1) {
        for (size_t i = 0; i < count; ++i) {
            {
                ItemScope scope;
                body(i);
            }
            if (tick)
                tick();
        }
        return;
    }

    std::atomic<size_t> next{0};
    // The lowest index that failed: items after it are skipped, items before it still run, so
    // the exception rethrown is the one a single thread would have met first.
    std::atomic<size_t> firstFailed{count};
    std::vector<std::exception_ptr> errors(count);
    std::mutex mutex;
    std::condition_variable allDone;
    size_t running = 0;
    // A tick that throws (a window's event handler) must not leave running threads behind: its
    // exception stops the items not yet started and is rethrown once every thread has ended.
    std::exception_ptr tickError;
    bool ticked = false;
    const auto safeTick = [&] {
        if (!tick || tickError)
            return;
        ticked = true;
        try {
            tick();
        } catch (...) {
            tickError = std::current_exception();
            firstFailed.store(0);
        }
    };

    const auto runItems = [&](bool calling) {
        for (;;) {
            const size_t i = next.fetch_add(1);
            if (i >= count || i > firstFailed.load())
                break;
            try {
                ItemScope scope;
                body(i);
            } catch (...) {
                errors[i] = std::current_exception();
                size_t seen = firstFailed.load();
                while (i < seen && !firstFailed.compare_exchange_weak(seen, i)) {
                }
            }
            if (calling)
                safeTick();
        }
    };

    std::vector<std::thread> workers;
    workers.reserve(threads - 1);
    for (size_t t = 0; t + 1 < threads; ++t) {
        {
            std::lock_guard<std::mutex> lock(mutex);
            ++running;
        }
        try {
            workers.emplace_back([&] {
                runItems(false);
                std::lock_guard<std::mutex> lock(mutex);
                if (--running == 0)
                    allDone.notify_one();
            });
        } catch (const std::system_error&) {
            // No thread to be had: the threads already started and this one share the items.
            std::lock_guard<std::mutex> lock(mutex);
            --running;
            break;
        }
    }
    runItems(true);
    {
        std::unique_lock<std::mutex> lock(mutex);
        while (running != 0) {
            if (!tick) {
                allDone.wait(lock, [&] { return running == 0; });
                break;
            }
            if (!allDone.wait_for(lock, std::chrono::milliseconds(20),
                                  [&] { return running == 0; })) {
                lock.unlock();
                safeTick();
                lock.lock();
            }
        }
    }
    for (std::thread& w : workers)
        w.join();
    // The workers may take every item before the calling thread asks for one and end within
    // the first wait: the caller still gets its tick, as one thread gives one after each item.
    if (!ticked)
        safeTick();
    if (tickError)
        std::rethrow_exception(tickError);
    for (const std::exception_ptr& e : errors)
        if (e)
            std::rethrow_exception(e);
}

size_t parallelBlocks(size_t count, size_t perBlock,
                      const std::function<void(size_t from, size_t to, size_t& at)>& body,
                      std::exception_ptr& error) {
    const size_t blocks = perBlock == 0 ? 0 : (count + perBlock - 1) / perBlock;
    std::vector<size_t> failedAt(blocks, count);
    std::vector<std::exception_ptr> errors(blocks);
    parallelFor(blocks, [&](size_t b) {
        const size_t from = b * perBlock;
        size_t at = from;
        try {
            body(from, std::min(count, from + perBlock), at);
        } catch (...) {
            errors[b] = std::current_exception();
            failedAt[b] = at;
        }
    });
    for (size_t b = 0; b < blocks; ++b) {
        if (errors[b]) {
            error = errors[b];
            return failedAt[b];
        }
    }
    return count;
}

} // namespace aethrian
