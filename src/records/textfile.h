#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace aethrian {

enum class TextEncoding { Utf16LE, Utf16BE, Utf8Bom, Utf8, Windows1252 };

struct DecodedText {
    std::string text; // UTF-8
    TextEncoding encoding = TextEncoding::Utf8;
};

// Decodes a file's bytes: FF FE UTF-16LE, FE FF UTF-16BE, EF BB BF UTF-8; without a mark UTF-8
// when the bytes are valid UTF-8, otherwise Windows-1252. The mark is not part of the text.
// Malformed sequences (lone surrogates, an odd trailing byte) become U+FFFD.
DecodedText decodeText(std::string_view bytes);
// As decodeText, but only the two UTF-16 marks are recognised; anything else is read as
// 8-bit text (valid UTF-8 stays UTF-8, otherwise Windows-1252).
DecodedText decodeTextUtf16MarksOnly(std::string_view bytes);

// UTF-8 to UTF-16LE, optionally with the mark FF FE. Invalid UTF-8 becomes U+FFFD.
std::string encodeUtf16LE(std::string_view utf8, bool withBom);
// Appends the UTF-16LE units of `utf8` to `out`.
void appendUtf16LE(std::string& out, std::string_view utf8);

bool isValidUtf8(std::string_view bytes);

// The text from byte `start` holding at most `chars` characters (not bytes): windows of a fixed
// width measure what the user sees, also for names in other scripts.
std::string_view utf8Window(std::string_view text, size_t start, size_t chars);

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

bool fileExists(const std::string& path); // a regular file (a folder is not a file)
std::uint64_t fileSize(const std::string& path);
// Whole file; failure throws OperationError "Cannot open file "<path>". <reason>".
std::string readFileBytes(const std::string& path);
// Writes beside the target, flushes, renames over it and flushes the folder. On failure the old
// file is untouched, the temporary is removed and OperationError "Cannot create file "<path>".
// <reason>" is thrown. An existing target keeps its owner and group (where allowed) and its mode
// without set-user-ID and set-group-ID bits. Through a symbolic link, also a dangling one, the
// file it names is written; a link loop is refused.
void writeFileAtomic(const std::string& path, std::string_view bytes);
// Removes the temporary file of the save under way, if any. Async-signal-safe.
void removePendingTemporary() noexcept;
// For a program's start: SIGXFSZ and SIGPIPE are ignored, so a file-size limit or a closed pipe
// fails the write instead of killing the program; SIGINT, SIGTERM and SIGHUP (unless ignored)
// remove a save's temporary file and then end the program as they would have.
void protectSavesFromSignals();

// The record file at `path` as lines (decodeText then splitRecordLines).
TextLines ReadRecordLines(const std::string& path);
// A side file for a text pane (decodeText then toPaneText).
std::string readPaneFile(const std::string& path);
// A side file read for a check or a tool: the decoded text and its pane lines (splitPaneLines).
// The text is held by pointer, so the lines stay valid when the whole moves.
struct SideText {
    std::unique_ptr<const std::string> text;
    std::vector<std::string_view> lines;
};
// decodeText then splitPaneLines; a file that cannot be read throws as readFileBytes does.
SideText readSideText(const std::string& path);
// Pane text saved as UTF-16LE with mark, unchanged.
void writePaneFile(const std::string& path, std::string_view paneText);

} // namespace aethrian
