#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace aethrian::fuzz {

// Each check runs one family of readers on arbitrary bytes and aborts (through the sanitizers or
// a failed invariant) on a fault. The fuzz targets and the replay tests share them.
void checkDecode(const std::uint8_t* data, size_t size);
void checkTable(const std::uint8_t* data, size_t size);
void checkDropList(const std::uint8_t* data, size_t size);
void checkCompare(const std::uint8_t* data, size_t size);
void checkSideFiles(const std::uint8_t* data,
                    size_t size); // PCH, npcpos, grp, name and skill lines
void checkDumpExport(const std::uint8_t* data, size_t size); // client dump loader and PHP export
void checkCli(const std::uint8_t* data, size_t size); // a whole command line on the bytes as a file

struct Target {
    const char* name;
    void (*check)(const std::uint8_t*, size_t);
};
const std::vector<Target>& targets();

} // namespace aethrian::fuzz
