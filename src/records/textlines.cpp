#include "records/textlines.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace aethrian {

namespace {

// Whether any of the eight bytes at `p` is CR, LF or 0xE2 (exact: a byte is zero after the XOR
// exactly when it matched, and the test below finds a zero byte without false answers for the
// word as a whole).
bool mayEndLine(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    constexpr std::uint64_t ones = 0x0101010101010101u, highs = 0x8080808080808080u;
    const auto hasZero = [](std::uint64_t x) { return ((x - ones) & ~x & highs) != 0; };
    return hasZero(word ^ (ones * '\r')) || hasZero(word ^ (ones * '\n')) ||
           hasZero(word ^ (ones * 0xE2u));
}

} // namespace

TextLines splitRecordLines(std::string text) {
    const size_t nul = text.find('\0');
    std::vector<std::pair<size_t, size_t>> spans;
    spans.reserve(text.size() / 256 + 1);
    const std::string_view t(text);
    const auto isLs = [&](size_t k) { return t.compare(k, 3, "\xE2\x80\xA8") == 0; };
    size_t start = 0;
    size_t i = 0;
    while (i < t.size()) {
        // Eight bytes at a time past those that cannot end a line, as for side files.
        while (i + 8 <= t.size() && !mayEndLine(t.data() + i))
            i += 8;
        if (i >= t.size())
            break;
        const char c = t[i];
        if (c == '\r' || c == '\n') {
            spans.emplace_back(start, i - start);
            if (c == '\r' && i + 1 < t.size() && t[i + 1] == '\n')
                ++i;
            ++i;
            if (i < t.size() && (t[i - 1] == '\n') && isLs(i))
                i += 3;
            start = i;
        } else if (c == '\xE2' && isLs(i)) {
            spans.emplace_back(start, i - start);
            i += 3;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < t.size())
        spans.emplace_back(start, t.size() - start);
    size_t nulLine = 0;
    if (nul != std::string::npos) {
        // A NUL is no line end, so it lies inside the first span that ends beyond it.
        const auto it = std::partition_point(spans.begin(), spans.end(), [nul](const auto& span) {
            return span.first + span.second <= nul;
        });
        nulLine = static_cast<size_t>(it - spans.begin()) + 1;
    }
    return TextLines(std::move(text), std::move(spans), nulLine);
}

std::string nulLineText(size_t line) {
    return "Line " + std::to_string(line) + " holds a NUL character";
}

std::string toPaneText(std::string_view text) {
    // Unlike a record file, a pane keeps every character, a NUL included: saving a pane must not
    // drop what follows one.
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += "\r\n";
        } else if (c == '\n') {
            out += "\r\n";
        } else if (c == '\xE2' && text.compare(i, 3, "\xE2\x80\xA8") == 0) {
            out += "\r\n";
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<std::string_view> paneLines(std::string_view paneText) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < paneText.size()) {
        const size_t end = paneText.find("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(paneText.substr(start));
            break;
        }
        lines.push_back(paneText.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string_view> splitPaneLines(std::string_view text) {
    std::vector<std::string_view> lines;
    lines.reserve(text.size() / 64 + 1);
    const size_t n = text.size();
    size_t start = 0;
    size_t i = 0;
    while (i < n) {
        // Eight bytes at a time past those holding no CR, LF or the first byte of U+2028: a
        // dump's lines are long, and testing each byte cost as much as decoding the file.
        while (i + 8 <= n && !mayEndLine(text.data() + i))
            i += 8;
        if (i >= n)
            break;
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(text.substr(start, i - start));
            i += c == '\r' && i + 1 < n && text[i + 1] == '\n' ? 2 : 1;
            start = i;
        } else if (c == '\xE2' && text.compare(i, 3, "\xE2\x80\xA8") == 0) {
            lines.push_back(text.substr(start, i - start));
            i += 3;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n)
        lines.push_back(text.substr(start));
    return lines;
}

} // namespace aethrian
