#include "harness.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace aethrian::bench {

Measurement measure(const std::function<void()>& op, int repeat) {
    return measure([] {}, op, repeat);
}

Measurement measure(const std::function<void()>& setup, const std::function<void()>& op,
                    int repeat) {
    Measurement best{1e300, 0};
    // The heap this process no longer uses goes back before the fork: a child writing into it
    // would pay a copy-on-write fault per page, which a command started on its own never does.
    ::malloc_trim(0);
    // A short operation is run more often, up to about half a second of runs: on a shared
    // machine its fastest run then lands near its true cost, as a long one's does in three.
    double spent = 0;
    for (int i = 0; i < repeat || (spent < 500 && i < 15); ++i) {
        int fds[2];
        if (::pipe(fds) != 0)
            std::abort();
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(fds[0]);
            setup();
            const auto t0 = std::chrono::steady_clock::now();
            op();
            const auto t1 = std::chrono::steady_clock::now();
            rusage ru{};
            ::getrusage(RUSAGE_SELF, &ru);
            Measurement m{std::chrono::duration<double, std::milli>(t1 - t0).count(), ru.ru_maxrss};
            if (::write(fds[1], &m, sizeof m) != sizeof m)
                _exit(1);
            _exit(0);
        }
        ::close(fds[1]);
        Measurement m;
        if (::read(fds[0], &m, sizeof m) != sizeof m)
            std::abort();
        ::close(fds[0]);
        int status = 0;
        ::waitpid(pid, &status, 0);
        spent += m.ms;
        if (m.ms < best.ms)
            best.ms = m.ms;
        best.peakKb = std::max(best.peakKb, m.peakKb);
    }
    return best;
}

void printHeader() {
    std::printf("%-34s %8s %8s %10s %9s %8s %10s\n", "operation", "records", "MB", "ms", "MB/s",
                "x floor", "peak MB");
}

void printRow(const std::string& operation, size_t records, double megabytes, const Measurement& m,
              double floorMs) {
    std::printf("%-34s %8zu %8.1f %10.1f %9.1f %8.2f %10.1f\n", operation.c_str(), records,
                megabytes, m.ms, megabytes / (m.ms / 1000.0), floorMs > 0 ? m.ms / floorMs : 0.0,
                static_cast<double>(m.peakKb) / 1024.0);
    std::fflush(stdout);
}

std::string scratchDir() {
    const auto dir =
        std::filesystem::temp_directory_path() / ("aethrian-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir.string();
}

} // namespace aethrian::bench
