#include "fuzzchecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    aethrian::fuzz::checkDumpExport(data, size);
    return 0;
}
