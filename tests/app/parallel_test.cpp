#include "app/parallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

using namespace aethrian;

namespace {

// Runs `fn` with AETHRIAN_THREADS set to `threads`, so the two-thread path is taken on any
// machine.
template <class Fn> void withThreads(const char* threads, Fn fn) {
    const char* old = std::getenv("AETHRIAN_THREADS");
    const std::string saved = old ? old : "";
    ::setenv("AETHRIAN_THREADS", threads, 1);
    fn();
    if (old)
        ::setenv("AETHRIAN_THREADS", saved.c_str(), 1);
    else
        ::unsetenv("AETHRIAN_THREADS");
}

} // namespace

TEST(ParallelFor, EveryItemOnceTheFirstFailureRethrownNestedCallsStayPut) {
    for (const char* threads : {"1", "2", "4"}) {
        withThreads(threads, [&] {
            std::vector<std::atomic<int>> seen(1000);
            std::atomic<int> nested{0};
            int ticks = 0;
            parallelFor(
                seen.size(),
                [&](size_t i) {
                    ++seen[i];
                    if (i % 100 == 0)
                        parallelFor(3, [&](size_t) { ++nested; });
                },
                [&] { ++ticks; });
            for (const auto& s : seen)
                ASSERT_EQ(s.load(), 1) << threads;
            EXPECT_EQ(nested.load(), 30) << threads;
            EXPECT_GT(ticks, 0) << threads;

            // The lowest failing index wins, whichever thread met its failure first.
            try {
                parallelFor(8, [](size_t i) {
                    if (i >= 2)
                        throw std::runtime_error("item " + std::to_string(i));
                });
                ADD_FAILURE() << "no exception with " << threads << " threads";
            } catch (const std::runtime_error& e) {
                EXPECT_STREQ(e.what(), "item 2") << threads;
            }
            parallelFor(0, [](size_t) { FAIL(); });

            // A tick that throws ends the run with its exception once every thread is done.
            EXPECT_THROW(parallelFor(
                             64, [](size_t) {}, [] { throw std::logic_error("tick"); }),
                         std::logic_error)
                << threads;
        });
    }
}

// Blocks report the lowest failing item, whichever block failed first; the blocks before it ran
// to their end, and a block stops at its own failure.
TEST(ParallelBlocks, LowestFailingItemAndEveryBlockBeforeItComplete) {
    for (const char* threads : {"1", "2", "4"}) {
        withThreads(threads, [&] {
            std::vector<std::atomic<int>> ran(1000);
            std::exception_ptr error;
            const size_t failed = parallelBlocks(
                ran.size(), 64,
                [&](size_t from, size_t to, size_t& at) {
                    for (at = from; at < to; ++at) {
                        if (at == 700 || at == 900)
                            throw std::runtime_error(std::to_string(at));
                        ++ran[at];
                    }
                },
                error);
            ASSERT_EQ(failed, 700u) << threads;
            ASSERT_TRUE(error);
            EXPECT_THROW(std::rethrow_exception(error), std::runtime_error);
            for (size_t i = 0; i < 700; ++i)
                ASSERT_EQ(ran[i].load(), 1) << i;
            for (size_t i = 700; i < 704; ++i) // the rest of the failing block is skipped
                EXPECT_EQ(ran[i].load(), 0) << i;

            std::exception_ptr none;
            EXPECT_EQ(parallelBlocks(
                          10, 3,
                          [](size_t from, size_t to, size_t& at) {
                              (void)from;
                              at = to;
                          },
                          none),
                      10u);
            EXPECT_FALSE(none);
        });
    }
}
