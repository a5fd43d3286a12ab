#include "app/memorytuning.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace aethrian {

void preferHugePages(char** argv) {
    const char* current = std::getenv("GLIBC_TUNABLES");
    const std::string tunables = current ? current : "";
    if (tunables.find("glibc.malloc.hugetlb") != std::string::npos ||
        std::getenv("AETHRIAN_NO_REEXEC") != nullptr)
        return;
    std::string wanted = tunables;
    const auto add = [&](const char* key, const char* value) {
        if (tunables.find(key) == std::string::npos)
            wanted += (wanted.empty() ? "" : ":") + std::string(key) + "=" + value;
    };
    add("glibc.malloc.hugetlb", "1");
    // Blocks up to 32 MiB (a 10,000-record file's bytes) come from the heap and stay there when
    // freed, so the table read from them reuses pages already faulted in instead of new ones.
    add("glibc.malloc.mmap_threshold", "33554432");
    add("glibc.malloc.trim_threshold", "268435456");
    ::setenv("GLIBC_TUNABLES", wanted.c_str(), 1);
    ::execv("/proc/self/exe", argv);
    // Still here: run as we are, without the tunable.
    ::unsetenv("GLIBC_TUNABLES");
    if (current)
        ::setenv("GLIBC_TUNABLES", current, 1);
}

} // namespace aethrian
