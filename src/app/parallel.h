#pragma once

#include <cstddef>
#include <exception>
#include <functional>

namespace aethrian {

// The number of threads parallelFor uses: the machine's cores, or AETHRIAN_THREADS when set
// (1 runs everything on the calling thread, for measuring and debugging).
size_t workerCount();

// Runs body(0) .. body(count - 1), each exactly once, on up to workerCount() threads, the calling
// thread included; returns when all have run. Items are handed out in index order, so callers put
// the largest first. `tick` runs on the calling thread only (between its items and about every
// 20 ms while it waits for the others, and at least once in all), so a window can repaint and a
// halt can be noticed there; it must not touch what the items write. When an item throws, the
// items after it that have not started are skipped and the exception of the lowest failing index
// is rethrown, so a failure reads the same as on one thread.
// Called from inside an item, it runs sequentially on that thread.
void parallelFor(size_t count, const std::function<void(size_t)>& body,
                 const std::function<void()>& tick = {});

// Runs body(from, to, at) for the blocks [0, perBlock), [perBlock, 2 perBlock), ... of the items
// 0 .. count - 1, on every core; body runs its items in order and keeps `at` on the one it is
// running. A body that throws ends its own block only. Returns the lowest item whose block threw,
// with that exception in `error`, or `count` when none threw: every block before the failing
// one has run to its end, so the caller keeps exactly what a run item by item would have made.
size_t parallelBlocks(size_t count, size_t perBlock,
                      const std::function<void(size_t from, size_t to, size_t& at)>& body,
                      std::exception_ptr& error);

} // namespace aethrian
