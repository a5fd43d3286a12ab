#pragma once

// Splitting decoded text into lines: record files, and side files as a text pane shows them.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace aethrian {

// Lines of a text held by offset, so the lines stay valid when the owner moves.
class TextLines {
public:
    TextLines() = default;
    TextLines(std::string text, std::vector<std::pair<size_t, size_t>> spans,
              size_t firstNulLine = 0)
        : text_(std::move(text)), spans_(std::move(spans)), firstNulLine_(firstNulLine) {}
    size_t size() const { return spans_.size(); }
    bool empty() const { return spans_.empty(); }
    std::string_view operator[](size_t i) const {
        return std::string_view(text_).substr(spans_[i].first, spans_[i].second);
    }
    const std::string& text() const { return text_; }
    // The 1-based number of the first line that holds a NUL character; 0 when none does.
    size_t firstNulLine() const { return firstNulLine_; }

private:
    std::string text_;
    std::vector<std::pair<size_t, size_t>> spans_;
    size_t firstNulLine_ = 0;
};

// Record-file line split: a line ends at CR, LF or U+2028; CR LF [U+2028] and LF U+2028 are one
// line end; text after the last line end is the last line. A NUL is an ordinary character of its
// line (the line holding the first one is noted): ending the text there dropped every record
// after it, and a save then wrote the shortened file.
TextLines splitRecordLines(std::string text);
// The log line for a record file holding a NUL character at line `line` (1-based).
std::string nulLineText(size_t line);
// Pane text: every line end (CR LF, lone CR, lone LF, U+2028) becomes CR LF; every other
// character stays, a NUL included.
std::string toPaneText(std::string_view text);
// The lines of a pane text split at CR LF; an empty last line after a final line end is not
// counted.
std::vector<std::string_view> paneLines(std::string_view paneText);
// The lines paneLines(toPaneText(text)) gives, as views into `text` itself: a side file read for
// a check or a tool is split where it was decoded, without a CR LF copy of the whole text.
std::vector<std::string_view> splitPaneLines(std::string_view text);

} // namespace aethrian
