#pragma once

#include "records/textscan.h"

#include <string>
#include <string_view>
#include <vector>

namespace aethrian {

// One entry of a drop list: "{[" name "];" min ";" max ";" chance "}". Texts as they stand in the
// cell (numbers are read through dotRem by whoever computes with them).
struct DropEntry {
    std::string_view name, min, max, chance;
};

// The entries of a flat or grouped drop list, in order. Group chances and the text between entries
// are skipped. Any text is accepted: the scan always ends, and what does not fit the syntax comes
// out as empty or odd pieces.
std::vector<DropEntry> scanDropEntries(std::string_view list);

// Small text helpers shared by the list rewriters.
namespace droptext {
// The text before the first `c`, or "" when there is none.
inline std::string_view upTo(std::string_view s, char c) {
    const size_t p = s.find(c);
    return p == npos ? std::string_view() : s.substr(0, p);
}
// Drops the text up to and including the first `c`; nothing when there is none.
inline void cutAfter(std::string_view& s, char c) {
    const size_t p = s.find(c);
    if (p != npos)
        s.remove_prefix(p + 1);
}
inline void cutAfter(std::string_view& s, std::string_view t) {
    const size_t p = s.find(t);
    if (p != npos)
        s.remove_prefix(p + t.size());
}
// The name between the first "[" and the first "]"; `s` then starts after that "]" and one more
// character. Without a "]" one character is dropped, so every call consumes something.
inline std::string_view takeName(std::string_view& s) {
    const size_t open = s.find('[');
    const size_t close = s.find(']');
    std::string_view name;
    if (open != npos && close != npos && close > open)
        name = s.substr(open + 1, close - open - 1);
    const size_t drop = close == npos ? 1 : close + 2;
    s.remove_prefix(drop < s.size() ? drop : s.size());
    return name;
}
} // namespace droptext

} // namespace aethrian
