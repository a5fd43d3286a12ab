#pragma once

namespace aethrian {

// Large tables fault in hundreds of megabytes of fresh pages; on virtual machines each small page
// fault is costly, while transparent huge pages make loading several times faster. glibc only
// reads its malloc tunables at start-up, so this re-executes the program once with
// glibc.malloc.hugetlb=1 added to GLIBC_TUNABLES, and with higher mmap and trim thresholds, so
// freed blocks are reused rather than given back and faulted in again. Does nothing when the
// huge-page tunable is already set, when AETHRIAN_NO_REEXEC is set, or when the re-execution
// fails; tunables the user set keep their values.
void preferHugePages(char** argv);

} // namespace aethrian
