#pragma once

#include <cstddef>
#include <string_view>

namespace aethrian {

// "Not found", as every text search of the record lines and side files answers it.
inline constexpr size_t npos = std::string_view::npos;

// The text between a line's first "[" and its first "]" (a record's name in a record line, an
// NPC's in npcpos, a PCH line's key), or "" when either is missing or "]" comes first.
inline std::string_view bracketName(std::string_view line) {
    const size_t open = line.find('[');
    const size_t close = line.find(']');
    if (open == npos || close == npos || close < open)
        return {};
    return line.substr(open + 1, close - open - 1);
}

} // namespace aethrian
