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
    const std::string wanted =
        tunables.empty() ? "glibc.malloc.hugetlb=1" : tunables + ":glibc.malloc.hugetlb=1";
    ::setenv("GLIBC_TUNABLES", wanted.c_str(), 1);
    ::execv("/proc/self/exe", argv);
    // Still here: run as we are, without the tunable.
    ::unsetenv("GLIBC_TUNABLES");
    if (current)
        ::setenv("GLIBC_TUNABLES", current, 1);
}

} // namespace aethrian
