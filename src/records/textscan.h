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

// Where `key` first appears in `line` (npos when it does not), as line.find(key) answers. The
// search steps from one occurrence of the key's last character to the next: the field keys looked
// for end in "=", which comes once per field, while their first letters come many times in the
// fields before them, each a call of its own for find.
inline size_t findKey(std::string_view line, std::string_view key) {
    const size_t n = key.size();
    if (n == 0)
        return 0;
    const char last = key.back();
    for (size_t end = line.find(last, n - 1); end != npos; end = line.find(last, end + 1)) {
        if (line.compare(end + 1 - n, n, key) == 0)
            return end + 1 - n;
    }
    return npos;
}

} // namespace aethrian
